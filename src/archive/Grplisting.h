#pragma once
// The listing of a group file on the window: the two handlers of FileListBox1, which name the
// chosen group file and its extraction folder, and ReadGroupDirectory, which fills the entry
// table and ListBox1 with its entries in directory order.

#include "archive/Entrytable.h"
#include "archive/Grpresult.h"
#include "archive/Grpwindow.h"

#include <string>

// A change of FileListBox1's current item: in extracting mode, EditGrpFile takes the item and
// EditGrp the extraction folder's name (the part before ".GRP" followed by "_Extract").
void FileListBox1Click(TGroupWindow& window);
// The release of a mouse button over FileListBox1: a group file is listed (extracting mode) or
// adopted as the name of the group file to create (creating mode).
void FileListBox1MouseUp(TGroupWindow& window);
// Lists the group file fileName of DirectoryListBox1's folder, or refuses it with "Unknown GRP
// File!!!" and keeps the previous listing.
void ReadGroupDirectory(TGroupWindow& window, const std::string& fileName);
