// The settings file of builds without the private-profile functions: TIniFile is the portable
// one. Windows builds link the one of the Win32 platform instead (src/toolkit/CMakeLists.txt).
#include "toolkit/Inifiles.h"

#include <utility>

TIniFile::TIniFile(std::string fileName) : Name(std::move(fileName)) {}

TIniFile::~TIniFile() = default;

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    return TPortableIniFile(Name).ReadString(section, key, defaultValue);
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
    TPortableIniFile(Name).WriteString(section, key, value);
}
