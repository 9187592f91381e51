#include "archive/Grpedit.h"

#include "archive/Grpextract.h"

#include <limits>
#include <unordered_map>

namespace {

// The plan that keeps every entry of directory as it is.
TGrpEditPlan Unchanged(const TGrpDirectory& directory) {
    TGrpEditPlan plan;
    plan.Entries.reserve(directory.Entries.size());
    for (const TGrpEntry& entry : directory.Entries) {
        plan.Entries.push_back(
            {entry.Name, entry.Size, TGrpDataFrom::OldFile, entry.Offset, std::size_t(0)});
    }
    // DecodeGrpDirectory has checked that the data ends within the file.
    plan.TrailingOffset = directory.DataEnd;
    plan.TrailingSize = directory.FileLength - directory.DataEnd;
    return plan;
}

// The checks of create for a name that a new entry gets.
TStatus CheckNewName(std::string_view name) {
    if (!FitsGrpName(name)) {
        return TStatus::BadData("the name " + PrintableName(name) +
                                " is longer than 12 characters (name and extension)");
    }
    return CheckExtractName(name);
}

std::string Quoted(std::string_view name) {
    std::string quoted = "\"";
    quoted += PrintableName(name);
    quoted += '"';
    return quoted;
}

} // namespace

TStatus CheckGrpEditable(const TGrpDirectory& directory) {
    for (const TGrpEntry& entry : directory.Entries) {
        if (TStatus check = CheckExtractName(entry.Name); !check.Ok()) {
            return check;
        }
    }
    return {};
}

TResult<TGrpEditPlan> PlanGrpAdd(const TGrpDirectory& directory,
                                 const std::vector<TGrpRecord>& added, bool replace) {
    if (TStatus check = CheckGrpEditable(directory); !check.Ok()) {
        return check;
    }
    TGrpEditPlan plan = Unchanged(directory);
    // The first entry of each name, where an added file of that name goes with replace.
    std::unordered_map<std::string, std::size_t> firstEntry;
    for (std::size_t i = 0; i < plan.Entries.size(); ++i) {
        firstEntry.try_emplace(plan.Entries[i].Name, i);
    }
    for (std::size_t i = 0; i < added.size(); ++i) {
        const TGrpRecord& file = added[i];
        if (TStatus check = CheckNewName(file.Name); !check.Ok()) {
            return check;
        }
        const TGrpEditEntry entry{file.Name, file.Value, TGrpDataFrom::AddedFile, 0, i};
        const auto [found, isNew] = firstEntry.try_emplace(file.Name, plan.Entries.size());
        if (isNew) {
            if (plan.Entries.size() >= std::numeric_limits<std::uint32_t>::max()) {
                return TStatus::BadData("more entries than a group file can hold (4294967295)");
            }
            plan.Entries.push_back(entry);
        } else if (plan.Entries[found->second].From == TGrpDataFrom::AddedFile) {
            return TStatus::Conflict("the name " + Quoted(file.Name) + " is given twice");
        } else if (!replace) {
            return TStatus::Conflict("already has an entry named " + Quoted(file.Name) +
                                     "; --replace puts the new data in its place");
        } else {
            plan.Entries[found->second] = entry;
        }
    }
    return plan;
}

TResult<TGrpEditPlan> PlanGrpDelete(const TGrpDirectory& directory,
                                    const std::vector<std::size_t>& entries) {
    if (TStatus check = CheckGrpEditable(directory); !check.Ok()) {
        return check;
    }
    std::vector<bool> deleted(directory.Entries.size(), false);
    for (const std::size_t i : entries) {
        if (i >= deleted.size()) {
            return TStatus::Conflict("has no entry " + std::to_string(std::uint64_t(i) + 1));
        }
        deleted[i] = true;
    }
    TGrpEditPlan plan = Unchanged(directory);
    std::vector<TGrpEditEntry> kept;
    kept.reserve(plan.Entries.size());
    for (std::size_t i = 0; i < plan.Entries.size(); ++i) {
        if (!deleted[i]) {
            kept.push_back(std::move(plan.Entries[i]));
        }
    }
    plan.Entries = std::move(kept);
    return plan;
}

TResult<TGrpEditPlan> PlanGrpRename(const TGrpDirectory& directory, std::string_view oldName,
                                    std::string_view newName) {
    if (TStatus check = CheckGrpEditable(directory); !check.Ok()) {
        return check;
    }
    const std::optional<std::size_t> renamed = FindGrpEntry(directory, oldName);
    if (!renamed) {
        return TStatus::Conflict("no entry named " + Quoted(oldName));
    }
    if (TStatus check = CheckNewName(newName); !check.Ok()) {
        return check;
    }
    if (FindGrpEntry(directory, newName)) {
        return TStatus::Conflict("already has an entry named " + Quoted(newName));
    }
    TGrpEditPlan plan = Unchanged(directory);
    plan.Entries[*renamed].Name = std::string(newName);
    return plan;
}

std::vector<std::uint8_t> BuildGrpEditDirectory(const TGrpEditPlan& plan) {
    std::vector<TGrpRecord> records;
    records.reserve(plan.Entries.size());
    for (const TGrpEditEntry& entry : plan.Entries) {
        records.push_back({entry.Name, entry.Size});
    }
    return BuildGrpDirectory(records);
}
