#pragma once
// The extraction of the window: the entries marked in ListBox1, or all of them with "Extract All
// Files" ticked, from the group file named in EditGrpFile into the sub-folder named in EditGrp.

#include "archive/Grpwindow.h"

// The "Extract GRP" button: extracts in extracting mode, does nothing in creating mode.
void btnExtractClick(TGroupWindow& window);
void ExtractGroupFiles(TGroupWindow& window);
