#pragma once
// The settings file object: named text values in sections of an INI file.
//
// TIniFile is the settings file of the build: on Windows it goes through the private-profile
// functions (GetPrivateProfileStringA, WritePrivateProfileStringA) and freeing it flushes their
// cached copy of the file; elsewhere it is TPortableIniFile. Which one is chosen when the program
// is linked, so there are no virtual calls. Both follow these rules:
// - section and key names match without regard to ASCII case, blanks around names and values
//   are not part of them, and the first matching section and the first matching key count; a
//   line that names a key without "=" is that key without a value (read as the default);
// - a value enclosed in a pair of double or single quotes is read without them;
// - a value is cut to its first 2047 characters when read, and so is the default, whose trailing
//   spaces are dropped;
// - a write replaces the line of its key with "name=value" (the name as the file has it), a
//   missing key goes at the end of its section, a missing section (header and key) to the end of
//   the file; a write of the value the key already holds writes nothing;
// - every line written ends in CR LF; lines ending in LF alone are read as well;
// - a write whose name or value holds a line break is refused (it would split its line).
//
// How the rest of an existing file is written back is the private-profile functions' own affair
// on Windows (some drop blank lines and the blanks around "=" on every line). TPortableIniFile
// keeps every other line exactly as it was, and puts a missing key after the last line of its
// section that is not blank.

#include <cstddef>
#include <string>

// The private-profile functions read into a buffer of this many bytes, the terminating zero
// included.
constexpr std::size_t IniReadBufferSize = 2048;

// True when text cannot be written on one line of the file: it holds a CR or an LF.
inline bool SplitsIniLine(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

class TIniFile {
public:
    explicit TIniFile(std::string fileName);
    // Flushes the private-profile functions' cached copy of the file on Windows.
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const std::string& FileName() const { return Name; }

    // The value of key in section, or defaultValue when the file, the section or the key is
    // missing or the file cannot be read.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Stores value, written as it is (no quotes or escapes), creating the file, the section or
    // the key as needed. Raises "Unable to write to <file name>" when the write is refused: the
    // file cannot be read or written, or a name or the value holds a line break.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

private:
    std::string Name;
};

// The rules above on the toolkit's file functions. The object keeps nothing but the file name.
// Each read reads the file; each write reads it, edits the text and puts the whole file back
// through a file beside it that is renamed into place, so a failed write leaves the old file as
// it was and there is nothing to flush.
class TPortableIniFile {
public:
    explicit TPortableIniFile(std::string fileName);

    const std::string& FileName() const { return Name; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

private:
    std::string Name;
};
