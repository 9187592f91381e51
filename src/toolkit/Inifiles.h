#pragma once
// The settings file object: named text values in sections of an INI file.
//
// The object keeps nothing but the file name. Each read reads the file; each write reads it,
// edits the text and puts the whole file back through a file beside it that is renamed into
// place, so a failed write leaves the old file as it was and there is nothing to flush.
//
// The rules are those of the private-profile functions of Windows:
// - section and key names match without regard to ASCII case, blanks around names and values
//   are not part of them, and the first matching section and the first matching key count; a
//   line that names a key without "=" is that key without a value (read as the default);
// - a value enclosed in a pair of double or single quotes is read without them;
// - a value is cut to its first 2047 characters when read, and so is the default, whose trailing
//   spaces are dropped;
// - a write replaces the line of its key with "name=value" (the name as the file has it) and
//   keeps every other line as it was; a missing key goes after the last line of its section that
//   is not blank, a missing section (header and key) to the end of the file;
// - every line written ends in CR LF; lines ending in LF alone are read as well;
// - a write of the value the key already holds changes nothing and writes nothing.

#include <string>

class TIniFile {
public:
    explicit TIniFile(std::string fileName);

    const std::string& FileName() const { return Name; }

    // The value of key in section, or defaultValue when the file, the section or the key is
    // missing or the file cannot be read.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Stores value, written as it is (no quotes or escapes), creating the file, the section or
    // the key as needed. Raises "Unable to write to <file name>" when the file cannot be read or
    // written, or when a name or the value holds a line break (it would split its line).
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

private:
    std::string Name;
};
