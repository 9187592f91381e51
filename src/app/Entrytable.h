#pragma once
// The entry table: the names and sizes of the last listed group file in directory order, which
// the extraction works from, and the work list of the last creation. The window's group
// session owns the one table of the run.
//
// The table grows to any number of entries the format allows; a slot past the last entry reads
// as an empty name and size 0.

#include "archive/Grpformat.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TEntryTable {
public:
    const std::string& EntryName(std::size_t index) const;
    std::uint32_t EntrySize(std::size_t index) const;
    // The names of the slots in use, in order.
    const std::vector<std::string>& Names() const { return NamesValue; }
    // The number of slots in use.
    std::size_t Used() const { return NamesValue.size(); }

    // Puts name and size into the first empty slot.
    void Append(const std::string& name, std::uint32_t size);
    // Empties every slot and forgets the listed file; EntryCount and DataStart keep their values.
    void Clear();

    // Replaces everything with the directory of the group file at path.
    void Fill(const std::string& path, const TGrpDirectory& directory);
    // The file the table was filled from; empty when it was not filled by a listing since the
    // last Clear.
    const std::string& ListedPath() const { return ListedFile; }
    // True when directory, read now from ListedPath, gives the same file length and the same
    // entries (count, names, sizes) as when the table was filled.
    bool StillDescribes(const TGrpDirectory& directory) const;

    std::uint32_t EntryCount = 0;
    std::uint64_t DataStart = 0; // 16 + 16 x EntryCount

private:
    std::vector<std::string> NamesValue;
    std::vector<std::uint32_t> Sizes;
    std::string ListedFile;
    std::uint64_t ListedLength = 0;
};
