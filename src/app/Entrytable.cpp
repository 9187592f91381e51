#include "app/Entrytable.h"

namespace {

const std::string EmptyName;

} // namespace

const std::string& TEntryTable::EntryName(std::size_t index) const {
    return index < NamesValue.size() ? NamesValue[index] : EmptyName;
}

std::uint32_t TEntryTable::EntrySize(std::size_t index) const {
    return index < Sizes.size() ? Sizes[index] : 0;
}

void TEntryTable::Append(const std::string& name, std::uint32_t size) {
    NamesValue.push_back(name);
    Sizes.push_back(size);
}

void TEntryTable::Clear() {
    NamesValue.clear();
    Sizes.clear();
    ListedFile.clear();
    ListedLength = 0;
}

void TEntryTable::Fill(const std::string& path, const TGrpDirectory& directory) {
    Clear();
    const std::vector<TGrpEntry>& entries = directory.Entries;
    NamesValue.reserve(entries.size());
    Sizes.reserve(entries.size());
    for (const TGrpEntry& entry : entries) {
        Append(entry.Name, entry.Size);
    }
    EntryCount = static_cast<std::uint32_t>(entries.size());
    DataStart = directory.DataStart;
    ListedFile = path;
    ListedLength = directory.FileLength;
}

bool TEntryTable::StillDescribes(const TGrpDirectory& directory) const {
    const std::vector<TGrpEntry>& entries = directory.Entries;
    if (ListedFile.empty() || directory.FileLength != ListedLength ||
        entries.size() != NamesValue.size()) {
        return false;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].Name != NamesValue[i] || entries[i].Size != Sizes[i]) {
            return false;
        }
    }
    return true;
}
