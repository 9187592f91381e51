// The settings file of Windows builds: TIniFile over the private-profile functions.
#include "toolkit/Inifiles.h"

#include "platform/win32/Win.h"

#include "toolkit/Sysutils.h"

#include <utility>

namespace {

// The private-profile functions take a name without a folder to be in the Windows folder; the
// file named is the one of the current folder, as for every other file function.
std::string FullFileName(const std::string& fileName) {
    char buffer[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(fileName.c_str(), sizeof buffer, buffer, nullptr);
    if (length == 0 || length >= sizeof buffer) {
        return fileName;
    }
    return std::string(buffer, length);
}

} // namespace

TIniFile::TIniFile(std::string fileName) : Name(std::move(fileName)) {}

TIniFile::~TIniFile() {
    // All four null asks the functions to write their cached copy of the file to disk; nothing
    // can be done here about a failure, and the writes have reported theirs already.
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, FullFileName(Name).c_str());
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    char buffer[IniReadBufferSize];
    const DWORD length =
        ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                   sizeof buffer, FullFileName(Name).c_str());
    return std::string(buffer, length);
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
    // The functions write a line break as it is, which would split the line.
    if (SplitsIniLine(section) || SplitsIniLine(key) || SplitsIniLine(value) ||
        !::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                      FullFileName(Name).c_str())) {
        throw Exception("Unable to write to " + Name);
    }
}
