#include "toolkit/Sysutils.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

TFileServices* currentServices = nullptr;

// The position after the last delimiter of path, 0 when there is none.
std::size_t FileNameStart(const std::string& path) {
    return path.find_last_of(FileNameDelimiters) + 1;
}

} // namespace

TCopyResult TFileServices::FileCopy(THandle source, THandle target, std::int64_t count) {
    // Large enough that the calls cost little beside the copying, small enough to allocate
    // for every copy.
    constexpr std::int64_t bufferSize = std::int64_t(1) << 20;
    std::vector<char> buffer(std::size_t(std::min(count, bufferSize)));
    while (count > 0) {
        const std::int64_t piece = std::min(count, bufferSize);
        const std::int64_t got = FileRead(source, buffer.data(), piece);
        if (got < 0) {
            return TCopyResult::ReadFailed;
        }
        if (got > 0 && FileWrite(target, buffer.data(), got) != got) {
            return TCopyResult::WriteFailed;
        }
        if (got < piece) {
            return TCopyResult::SourceEnded;
        }
        count -= got;
    }
    return TCopyResult::Done;
}

void TFileServices::FileStartFlush(THandle) {}

TFileServices& FileServices() {
    return currentServices != nullptr ? *currentServices : SystemFileServices();
}

TFileServices* SetFileServices(TFileServices* services) {
    TFileServices* previous = &FileServices();
    currentServices = services;
    return previous;
}

bool FileExists(const std::string& path) {
    return FileServices().FileExists(path);
}
bool DirectoryExists(const std::string& path) {
    return FileServices().DirectoryExists(path);
}
THandle FileOpen(const std::string& path, TFileMode mode) {
    return FileServices().FileOpen(path, mode);
}
THandle FileCreate(const std::string& path) {
    return FileServices().FileCreate(path);
}
std::int64_t FileSeek(THandle handle, std::int64_t offset, TSeekOrigin origin) {
    return FileServices().FileSeek(handle, offset, origin);
}
std::int64_t FileRead(THandle handle, void* buffer, std::int64_t count) {
    return FileServices().FileRead(handle, buffer, count);
}
std::int64_t FileWrite(THandle handle, const void* buffer, std::int64_t count) {
    return FileServices().FileWrite(handle, buffer, count);
}
TCopyResult FileCopy(THandle source, THandle target, std::int64_t count) {
    return FileServices().FileCopy(source, target, count);
}
bool FileClose(THandle handle) {
    return FileServices().FileClose(handle);
}
bool DeleteFile(const std::string& path) {
    return FileServices().DeleteFile(path);
}
bool CreateDir(const std::string& path) {
    return FileServices().CreateDir(path);
}
bool IsSymLink(const std::string& path) {
    return FileServices().IsSymLink(path);
}

bool IsSameFile(THandle handle, const std::string& path) {
    return FileServices().IsSameFile(handle, path);
}
THandle FileCreateNew(const std::string& path) {
    return FileServices().FileCreateNew(path);
}
bool FileFlush(THandle handle) {
    return FileServices().FileFlush(handle);
}
void FileStartFlush(THandle handle) {
    FileServices().FileStartFlush(handle);
}
bool RenameFile(const std::string& from, const std::string& to) {
    return FileServices().RenameFile(from, to);
}
std::string LastErrorText() {
    return FileServices().LastErrorText();
}

TFileHandle::TFileHandle(THandle handle) : HandleValue(handle), Services(&FileServices()) {}

TFileHandle::TFileHandle(TFileHandle&& other) noexcept
    : HandleValue(std::exchange(other.HandleValue, InvalidHandle)),
      Services(std::exchange(other.Services, nullptr)) {}

TFileHandle& TFileHandle::operator=(TFileHandle&& other) noexcept {
    if (this != &other) {
        Close();
        HandleValue = std::exchange(other.HandleValue, InvalidHandle);
        Services = std::exchange(other.Services, nullptr);
    }
    return *this;
}

TFileHandle::~TFileHandle() {
    Close();
}

bool TFileHandle::Close() {
    if (!Valid()) {
        return true;
    }
    const bool closed = Services->FileClose(std::exchange(HandleValue, InvalidHandle));
    Services = nullptr;
    return closed;
}

std::string ExtractFilePath(const std::string& path) {
    return path.substr(0, FileNameStart(path));
}

std::string ExtractFileName(const std::string& path) {
    return path.substr(FileNameStart(path));
}

std::string IncludeTrailingPathDelimiter(const std::string& folder) {
    if (!folder.empty() && folder.back() == PathDelim) {
        return folder;
    }
    return folder + PathDelim;
}

char UpCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool MatchesWildcards(std::string_view name, std::string_view pattern) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::string_view::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || UpCase(pattern[p]) == UpCase(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

bool MatchesFilePattern(std::string_view name, std::string_view pattern) {
    if (MatchesWildcards(name, pattern)) {
        return true;
    }
    if (name.find('.') != std::string_view::npos) {
        return false;
    }
    if (pattern.ends_with(".*")) {
        return MatchesWildcards(name, pattern.substr(0, pattern.size() - 2));
    }
    if (pattern.ends_with('.')) {
        return MatchesWildcards(name, pattern.substr(0, pattern.size() - 1));
    }
    return false;
}

std::string UpperCase(const std::string& text) {
    std::string result = text;
    for (char& c : result) {
        c = UpCase(c);
    }
    return result;
}

std::string LowerCase(const std::string& text) {
    std::string result = text;
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return UpCase(x) == UpCase(y);
           });
}
