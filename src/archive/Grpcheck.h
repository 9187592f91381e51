#pragma once
// What a modder should know about a group file before shipping it. Pure: works on a directory
// already read (and so already checked against the file's length).

#include "archive/Grpformat.h"

#include <string>
#include <vector>

// One finding a line, in this order: each entry whose name cannot be extracted on Windows (the
// refusals of extraction); each entry whose name an earlier entry already has, byte for byte
// (the games read only the first); each entry whose name differs from an earlier one only in
// letter case (a port that looks names up in either case sees only one of them); bytes after
// the last entry; a directory stored inverted. Entries are counted from 1. Empty when there is
// nothing to report.
std::vector<std::string> CheckGrpDirectory(const TGrpDirectory& directory);
