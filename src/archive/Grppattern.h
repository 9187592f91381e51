#pragma once
// Choosing entries of a group file by name or by pattern, as the command line names them. Pure:
// no file is touched.

#include "archive/Grpformat.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Whether name counts as a group file's name: it holds ".GRP" anywhere, in any case (ASCII).
bool IsGroupFileName(std::string_view name);

// Whether text holds a wildcard ('*' or '?') and is therefore taken as a pattern.
bool IsGrpPattern(std::string_view text);

// Whether the whole of name matches pattern: '*' stands for any run of bytes, '?' for any one
// byte, and letters match in either case (ASCII only), as the file masks of the window do. Like
// those, a pattern ending in ".*" or "." also matches a name without a dot, so "*.*" matches
// every name.
bool MatchesGrpPattern(std::string_view name, std::string_view pattern);

// The entries chosen by a list of names and patterns, and the arguments that chose none.
struct TGrpSelection {
    std::vector<std::size_t> Entries; // indexes into the directory, in directory order, each once
    std::vector<std::string> Unmatched;
};

// A name without wildcards chooses every entry of exactly that name, compared byte for byte; a
// pattern every entry whose name it matches.
TGrpSelection SelectGrpEntries(const TGrpDirectory& directory,
                               const std::vector<std::string>& namesOrPatterns);
