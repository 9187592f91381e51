#pragma once
// Planning an edit of a group file: adding, replacing, deleting and renaming entries. A plan is
// the list of the new file's entries in order, each with where its data comes from (the old
// file, or a file being added), so that the data of unchanged entries can be copied from the old
// file as it stands. WriteGrpEdit (Grpfiles.h) writes it. Pure: no file is touched.
//
// Every planner first refuses an old directory with a name that extraction would refuse
// (CheckGrpEditable): a hostile group file is not passed on. The new file is always in the
// standard form, also when the old one had its directory stored inverted.

#include "archive/Grpformat.h"
#include "archive/Grpresult.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TGrpDataFrom { OldFile, AddedFile };

struct TGrpEditEntry {
    std::string Name;
    std::uint32_t Size = 0;
    TGrpDataFrom From = TGrpDataFrom::OldFile;
    std::uint64_t Offset = 0; // of the data in the old file, when From is OldFile
    std::size_t Added = 0;    // the index of the file being added, when From is AddedFile
};

struct TGrpEditPlan {
    std::vector<TGrpEditEntry> Entries;
    // The bytes after the last entry of the old file. Nothing reads them, but they are kept after
    // the last entry of the new file so that an edit changes nothing it was not asked to, and an
    // add followed by a delete of the same entry gives the old bytes back.
    std::uint64_t TrailingOffset = 0;
    std::uint64_t TrailingSize = 0;
};

// A BadData status when an entry name of directory could not be extracted (CheckExtractName).
TStatus CheckGrpEditable(const TGrpDirectory& directory);

// Appends the files given by name and size, in order. A name that the group file already has
// (byte for byte) is refused (Conflict), unless replace: then the new data takes the place of the
// first entry of that name, which keeps its position. A name given twice is refused either way.
// Names must fit the name field and be extractable (BadData).
TResult<TGrpEditPlan> PlanGrpAdd(const TGrpDirectory& directory,
                                 const std::vector<TGrpRecord>& added, bool replace);

// Leaves out the entries of these indexes (as SelectGrpEntries gives them; any order). An index
// outside the directory is refused (Conflict).
TResult<TGrpEditPlan> PlanGrpDelete(const TGrpDirectory& directory,
                                    const std::vector<std::size_t>& entries);

// Renames the first entry named oldName (byte for byte), the one the games read, to newName,
// which must fit the name field and be extractable (BadData) and must not be the name of any
// entry (Conflict). A missing oldName is a Conflict.
TResult<TGrpEditPlan> PlanGrpRename(const TGrpDirectory& directory, std::string_view oldName,
                                    std::string_view newName);

// The header and directory of the planned file.
std::vector<std::uint8_t> BuildGrpEditDirectory(const TGrpEditPlan& plan);
