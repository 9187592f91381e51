#pragma once
// The list of file names that "create --from" packs: one name a line, as "list --names" writes it.

#include <iosfwd>
#include <string>
#include <vector>

// The names of a list, one a line, in order. A line may end in LF or CR LF, and the last line
// needs no end; blank lines are skipped. Nothing else of a name is changed or checked here:
// creation checks each entry name before anything is written.
std::vector<std::string> ReadNameList(std::istream& text);
