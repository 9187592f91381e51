// Fuzz target: the settings file as the portable INI object reads and rewrites it. The input is
// five fields separated by the byte 01 (section, key, value, and a second section and key), then
// the text of the file. Reading any file must not crash; a write of a value the file can hold
// must read back as written, leave every other key as it was, and write nothing when repeated;
// a write the object refuses must leave the file as it was.

#include "Sandbox.h"

#include "toolkit/Inifiles.h"
#include "toolkit/Sysutils.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t MaxValueLength = IniReadBufferSize - 1;

// The next field of input, up to the byte 01 or the end.
std::string TakeField(std::string_view& input) {
    const std::size_t end = input.find('\x01');
    std::string field(input.substr(0, end));
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    return field;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool HasOuterBlanks(const std::string& text) {
    return !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()));
}

// Names and values that a line of the file can hold as they are: blanks around them would be
// dropped, a section name with "]" ends early, a key with "=" or starting with "[" would read as
// another key or a section, and a value in quotes is read without them.
bool FileHolds(const std::string& section, const std::string& key, const std::string& value) {
    if (HasOuterBlanks(section) || HasOuterBlanks(key) || HasOuterBlanks(value)) {
        return false;
    }
    if (section.find(']') != std::string::npos) {
        return false;
    }
    if (key.find('=') != std::string::npos || key.starts_with('[')) {
        return false;
    }
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return !quoted;
}

std::string Trimmed(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

bool SameName(const std::string& a, const std::string& b) {
    return UpperCase(Trimmed(a)) == UpperCase(Trimmed(b));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out.flush()) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string section = TakeField(input);
    const std::string key = TakeField(input);
    const std::string value = TakeField(input);
    const std::string otherSection = TakeField(input);
    const std::string otherKey = TakeField(input);

    const std::string path = (FuzzSandbox() / "Morvik.ini").string();
    WriteFile(path, input);
    TPortableIniFile ini(path);

    const std::string otherBefore = ini.ReadString(otherSection, otherKey, "(none)");
    if (otherBefore.size() > MaxValueLength || otherBefore.find('\n') != std::string::npos) {
        std::abort(); // a value longer than the read buffer, or one that spans lines
    }

    if (SplitsIniLine(section) || SplitsIniLine(key) || SplitsIniLine(value)) {
        try {
            ini.WriteString(section, key, value);
        } catch (const Exception&) {
            if (ReadFile(path) != input) {
                std::abort(); // a refused write changed the file
            }
            return 0;
        }
        std::abort(); // a line break was written into the file
    }

    try {
        ini.WriteString(section, key, value);
    } catch (const Exception&) {
        std::abort(); // the sandbox is writable: nothing to refuse
    }
    if (!FileHolds(section, key, value)) {
        return 0;
    }
    if (ini.ReadString(section, key, "(none)") != value.substr(0, MaxValueLength)) {
        std::abort(); // the value written does not read back
    }
    if (!(SameName(section, otherSection) && SameName(key, otherKey)) &&
        ini.ReadString(otherSection, otherKey, "(none)") != otherBefore) {
        std::abort(); // the write changed another key
    }
    const std::string written = ReadFile(path);
    ini.WriteString(section, key, value);
    if (ReadFile(path) != written) {
        std::abort(); // writing the value the key holds changed the file
    }
    return 0;
}
