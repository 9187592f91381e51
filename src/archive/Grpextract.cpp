#include "archive/Grpextract.h"

#include <array>
#include <unordered_map>
#include <unordered_set>

namespace {

bool IsControl(unsigned char b) {
    return b < 0x20 || b == 0x7F;
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Windows reserves these names whatever extension follows, and also with blanks before the
// extension ("NUL .TXT"). The digits include the superscripts 1 to 3 of the ANSI code page.
bool IsDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') {
        base.remove_suffix(1);
    }
    std::string upper;
    for (const char c : base) {
        upper += AsciiUpper(c);
    }
    static constexpr std::array<std::string_view, 6> Plain = {"CON", "PRN",    "AUX",
                                                              "NUL", "CONIN$", "CONOUT$"};
    for (const std::string_view device : Plain) {
        if (upper == device) {
            return true;
        }
    }
    if (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT"))) {
        const auto digit = static_cast<unsigned char>(upper[3]);
        return (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}

TStatus Refuse(std::string_view name, const std::string& why) {
    return TStatus::BadData("entry name \"" + PrintableName(name) + "\" " + why);
}

} // namespace

TStatus CheckExtractName(std::string_view name) {
    if (name.empty()) {
        return TStatus::BadData("an entry has an empty name");
    }
    for (const char c : name) {
        if (IsControl(static_cast<unsigned char>(c))) {
            return Refuse(name, "contains a control byte");
        }
    }
    if (name.find_first_of("/\\") != std::string_view::npos) {
        return Refuse(name, "contains a path separator");
    }
    if (name == "..") {
        return Refuse(name, "names the parent folder");
    }
    if (name == ".") {
        return Refuse(name, "names the extraction folder itself");
    }
    if (name.size() >= 2 && IsAsciiLetter(name[0]) && name[1] == ':') {
        return Refuse(name, "starts with a drive prefix");
    }
    if (name.find(':') != std::string_view::npos) {
        return Refuse(name, "contains ':'");
    }
    if (name.find_first_of("<>\"|?*") != std::string_view::npos) {
        return Refuse(name, "contains a character that Windows does not allow in file names");
    }
    if (name.back() == '.' || name.back() == ' ') {
        return Refuse(name, "ends in a dot or a blank");
    }
    if (IsDeviceName(name)) {
        return Refuse(name, "is a Windows device name");
    }
    return {};
}

TResult<std::vector<TExtractItem>> PlanGrpExtraction(const TGrpDirectory& directory,
                                                     const std::vector<std::string>& names) {
    // The first entry of each name; later entries of the same name are never extracted.
    std::unordered_map<std::string_view, std::size_t> firstEntry;
    firstEntry.reserve(directory.Entries.size());
    for (std::size_t i = 0; i < directory.Entries.size(); ++i) {
        firstEntry.try_emplace(directory.Entries[i].Name, i);
    }
    std::vector<TExtractItem> plan;
    std::unordered_set<std::string_view> planned;
    for (const std::string& name : names) {
        const auto found = firstEntry.find(name);
        if (found == firstEntry.end() || !planned.insert(found->first).second) {
            continue;
        }
        if (TStatus check = CheckExtractName(name); !check.Ok()) {
            return check;
        }
        const TGrpEntry& entry = directory.Entries[found->second];
        plan.push_back({entry.Name, entry.Offset, entry.Size});
    }
    return plan;
}

std::vector<std::string> GrpEntryNames(const TGrpDirectory& directory) {
    std::vector<std::string> names;
    names.reserve(directory.Entries.size());
    for (const TGrpEntry& entry : directory.Entries) {
        names.push_back(entry.Name);
    }
    return names;
}
