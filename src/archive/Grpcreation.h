#pragma once
// The creation of the window: every name of ListBox1, in list order, packed from
// DirectoryListBox1's folder into the group file named in EditGrp, in the same folder.

#include "archive/Grpwindow.h"

// The "Create GRP" button: creates in creating mode, does nothing in extracting mode.
void btnGroupClick(TGroupWindow& window);
void CreateGroupFile(TGroupWindow& window);
