#pragma once
// Planning an extraction: which entries become which files, and whether every name is safe to
// use as a file name. Pure: no file is touched.

#include "archive/Grpformat.h"
#include "archive/Grpresult.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A BadData status naming name when it cannot be the name of a plain file directly inside the
// extraction folder, on Windows or elsewhere: an empty name, control bytes, a path separator
// (so also an absolute path), "." or "..", a drive prefix, ':', a character Windows refuses in
// file names, a dot or blank at the end, or a device name (CON, PRN, AUX, NUL, COM0 to COM9,
// LPT0 to LPT9, CONIN$, CONOUT$) in any case, with or without an extension.
TStatus CheckExtractName(std::string_view name);

// One file to write: Size bytes from Offset of the group file into a file named Name.
struct TExtractItem {
    std::string Name;
    std::uint64_t Offset = 0;
    std::uint32_t Size = 0;
};

// The files for the chosen names, in the order given. Each name is looked up byte for byte and
// takes the data of the first entry of that name; a name given twice is written once; a name
// with no entry is skipped. Fails, naming the entry, when any name is unsafe (CheckExtractName),
// so that nothing is written for a hostile archive.
TResult<std::vector<TExtractItem>> PlanGrpExtraction(const TGrpDirectory& directory,
                                                     const std::vector<std::string>& names);

// Every entry's name in directory order.
std::vector<std::string> GrpEntryNames(const TGrpDirectory& directory);
