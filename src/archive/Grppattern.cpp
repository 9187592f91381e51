#include "archive/Grppattern.h"

#include "toolkit/Sysutils.h"

#include <unordered_map>

bool IsGroupFileName(std::string_view name) {
    return UpperCase(std::string(name)).find(".GRP") != std::string::npos;
}

bool IsGrpPattern(std::string_view text) {
    return text.find_first_of("*?") != std::string_view::npos;
}

bool MatchesGrpPattern(std::string_view name, std::string_view pattern) {
    return MatchesFilePattern(name, pattern);
}

TGrpSelection SelectGrpEntries(const TGrpDirectory& directory,
                               const std::vector<std::string>& namesOrPatterns) {
    // Exact names are looked up, so that a long list of names costs no more than one pass over
    // the directory per pattern.
    std::unordered_multimap<std::string_view, std::size_t> byName;
    byName.reserve(directory.Entries.size());
    for (std::size_t i = 0; i < directory.Entries.size(); ++i) {
        byName.emplace(directory.Entries[i].Name, i);
    }
    std::vector<bool> chosen(directory.Entries.size(), false);
    TGrpSelection selection;
    for (const std::string& argument : namesOrPatterns) {
        bool matched = false;
        if (IsGrpPattern(argument)) {
            for (std::size_t i = 0; i < directory.Entries.size(); ++i) {
                if (MatchesGrpPattern(directory.Entries[i].Name, argument)) {
                    chosen[i] = true;
                    matched = true;
                }
            }
        } else {
            const auto [first, last] = byName.equal_range(argument);
            for (auto found = first; found != last; ++found) {
                chosen[found->second] = true;
                matched = true;
            }
        }
        if (!matched) {
            selection.Unmatched.push_back(argument);
        }
    }
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (chosen[i]) {
            selection.Entries.push_back(i);
        }
    }
    return selection;
}
