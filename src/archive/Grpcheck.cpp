#include "archive/Grpcheck.h"

#include "archive/Grpextract.h"

#include <unordered_map>

namespace {

std::string UpperAscii(std::string name) {
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return name;
}

std::string Describe(const std::vector<TGrpEntry>& entries, std::size_t i) {
    return "entry " + std::to_string(std::uint64_t(i) + 1) + " \"" +
           PrintableName(entries[i].Name) + "\"";
}

} // namespace

std::vector<std::string> CheckGrpDirectory(const TGrpDirectory& directory) {
    const std::vector<TGrpEntry>& entries = directory.Entries;
    std::vector<std::string> findings;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (TStatus check = CheckExtractName(entries[i].Name); !check.Ok()) {
            findings.push_back("entry " + std::to_string(std::uint64_t(i) + 1) + ": " +
                               check.Reason() + "; it cannot be extracted on Windows");
        }
    }
    // The first entry of each name, and of each name in upper case.
    std::unordered_map<std::string_view, std::size_t> firstExact;
    std::unordered_map<std::string, std::size_t> firstFolded;
    std::vector<std::string> caseFindings;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto [exact, newName] = firstExact.try_emplace(entries[i].Name, i);
        const auto [folded, newFolded] = firstFolded.try_emplace(UpperAscii(entries[i].Name), i);
        if (!newName) {
            findings.push_back(Describe(entries, i) + " has the name of entry " +
                               std::to_string(std::uint64_t(exact->second) + 1) +
                               "; the games never read it");
        } else if (!newFolded) {
            caseFindings.push_back(Describe(entries, i) + " differs from " +
                                   Describe(entries, folded->second) +
                                   " only in letter case; a port that looks names up in either "
                                   "case sees only one of them");
        }
    }
    findings.insert(findings.end(), caseFindings.begin(), caseFindings.end());
    if (directory.FileLength > directory.DataEnd) {
        const std::uint64_t extra = directory.FileLength - directory.DataEnd;
        findings.push_back(std::to_string(extra) + (extra == 1 ? " byte" : " bytes") +
                           " after the last entry, which nothing reads");
    }
    if (directory.Variant == TGrpVariant::Inverted) {
        findings.push_back("the directory is stored inverted (\"" + std::string(GrpInvertedMagic) +
                           "\"), a variant that is read but never written; an edit writes the "
                           "standard form");
    }
    return findings;
}
