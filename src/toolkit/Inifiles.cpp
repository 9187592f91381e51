#include "toolkit/Inifiles.h"

#include "toolkit/Sysutils.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t MaxValueLength = IniReadBufferSize - 1;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char FoldCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) {
            return false;
        }
    }
    return true;
}

// Lines without their ends; a line ends in LF, CR LF, or the end of the text.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r') {
            --length;
        }
        lines.push_back(text.substr(start, length));
        start = end + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

bool IsBlankLine(std::string_view line) {
    return Trim(line).empty();
}

// The name of a section header "[name]"; false for any other line.
bool ParseSection(std::string_view line, std::string_view& name) {
    line = Trim(line);
    const std::size_t close = line.find(']');
    if (line.empty() || line.front() != '[' || close == std::string_view::npos) {
        return false;
    }
    name = Trim(line.substr(1, close - 1));
    return true;
}

// The name and the raw value of a key line, split at its first "="; a line without one is a
// key without a value.
bool ParseKey(std::string_view line, std::string_view& name, std::string_view& value) {
    const std::size_t equals = line.find('=');
    name = Trim(line.substr(0, equals));
    if (equals == std::string_view::npos) {
        return false;
    }
    value = Trim(line.substr(equals + 1));
    return true;
}

// Where a key is in the text, or would go.
struct TKeyPlace {
    bool SectionFound = false;
    bool KeyFound = false;
    std::size_t KeyLine = 0;  // the line of the key, when found
    std::size_t InsertAt = 0; // where a missing key goes: after the section's last non-blank line
    bool HasValue = false;    // false for a line that names the key without "="
    std::string_view KeyName; // the key's name as the file writes it
    std::string_view Value;   // its raw value
};

TKeyPlace FindKey(const std::vector<std::string>& lines, std::string_view section,
                  std::string_view key) {
    TKeyPlace place;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (ParseSection(lines[i], name)) {
            if (place.SectionFound) {
                break;
            }
            place.SectionFound = SameName(name, section);
            place.InsertAt = i + 1;
            continue;
        }
        if (!place.SectionFound || IsBlankLine(lines[i])) {
            continue;
        }
        place.InsertAt = i + 1;
        std::string_view value;
        const bool hasValue = ParseKey(lines[i], name, value);
        if (SameName(name, key)) {
            place.KeyFound = true;
            place.KeyLine = i;
            place.HasValue = hasValue;
            place.KeyName = name;
            place.Value = value;
            break;
        }
    }
    return place;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The whole file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& text) {
    TFileServices& files = FileServices();
    const THandle handle = files.FileOpen(path, TFileMode::Read);
    if (handle == InvalidHandle) {
        return false;
    }
    text.clear();
    char buffer[16384];
    std::int64_t count;
    while ((count = files.FileRead(handle, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(count));
    }
    files.FileClose(handle);
    return count == 0;
}

// Writes text to a file beside path and renames it into place; on failure the file beside is
// removed and path is left as it was.
bool ReplaceWholeFile(const std::string& path, const std::string& text) {
    TFileServices& files = FileServices();
    const std::string temporary = path + ".tmp";
    const THandle handle = files.FileCreate(temporary);
    if (handle == InvalidHandle) {
        return false;
    }
    const auto size = static_cast<std::int64_t>(text.size());
    bool written = files.FileWrite(handle, text.data(), size) == size && files.FileFlush(handle);
    written = files.FileClose(handle) && written;
    if (written && files.RenameFile(temporary, path)) {
        return true;
    }
    files.DeleteFile(temporary);
    return false;
}

} // namespace

TPortableIniFile::TPortableIniFile(std::string fileName) : Name(std::move(fileName)) {}

std::string TPortableIniFile::ReadString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const {
    std::string text;
    if (FileExists(Name) && ReadWholeFile(Name, text)) {
        const std::vector<std::string> lines = SplitLines(text);
        const TKeyPlace place = FindKey(lines, Trim(section), Trim(key));
        if (place.HasValue) {
            return std::string(Unquote(place.Value).substr(0, MaxValueLength));
        }
    }
    std::string_view result = defaultValue;
    while (!result.empty() && result.back() == ' ') {
        result.remove_suffix(1);
    }
    return std::string(result.substr(0, MaxValueLength));
}

void TPortableIniFile::WriteString(const std::string& section, const std::string& key,
                                   const std::string& value) {
    const Exception refused("Unable to write to " + Name);
    if (SplitsIniLine(section) || SplitsIniLine(key) || SplitsIniLine(value)) {
        throw refused;
    }
    std::string text;
    if (FileExists(Name) && !ReadWholeFile(Name, text)) {
        throw refused;
    }

    std::vector<std::string> lines = SplitLines(text);
    const std::string sectionName(Trim(section));
    const std::string keyName(Trim(key));
    const TKeyPlace place = FindKey(lines, sectionName, keyName);
    if (place.KeyFound) {
        if (place.HasValue && place.Value == value) {
            return;
        }
        lines[place.KeyLine] = std::string(place.KeyName) + "=" + value;
    } else if (place.SectionFound) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.InsertAt),
                     keyName + "=" + value);
    } else {
        lines.push_back("[" + sectionName + "]");
        lines.push_back(keyName + "=" + value);
    }
    if (!ReplaceWholeFile(Name, JoinLines(lines))) {
        throw refused;
    }
}
