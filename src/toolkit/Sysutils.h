#pragma once
// File services and path helpers of the toolkit.
//
// Every file operation of the program goes through the current TFileServices object. The
// operating system's own services are the default; a test puts a decorator in their place to
// inject failures (a full disk, a refused write, a file that shrinks between measuring and
// reading) without special machines. Paths are 8-bit text; on Windows the ...A functions of the
// system take them as they are.

#include "platform/os/Paths.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The error the program raises with a readable message; the application object shows the
// message in its error box.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A method that a subclass must supply was called on a class that does not.
class EAbstractError : public Exception {
public:
    EAbstractError() : Exception("Abstract Error") {}
};

using THandle = std::intptr_t;
inline constexpr THandle InvalidHandle = -1;

enum class TFileMode { Read, Write, ReadWrite };
enum class TSeekOrigin { Beginning, Current, End };

// Attribute bits of a folder entry, as the file list's attribute filter knows them.
enum TFileAttr : std::uint32_t {
    faReadOnly = 0x01,
    faHidden = 0x02,
    faSysFile = 0x04,
    faDirectory = 0x10,
    faArchive = 0x20,
    faNormal = 0x80,
    faSymLink = 0x400, // a symbolic link (or a Windows reparse point); never followed
};

// How a copy between two open files ended.
enum class TCopyResult {
    Done,
    SourceEnded, // the source ended before count bytes
    ReadFailed,
    WriteFailed,
};

// One entry of a folder listing.
struct TSearchRec {
    std::string Name;
    std::uint32_t Attr = 0;
    std::int64_t Size = 0;
};

class TFileServices {
public:
    virtual ~TFileServices() = default;

    // True when path names an existing file that is not a folder.
    virtual bool FileExists(const std::string& path) = 0;
    // True when path names an existing folder; false for an empty text.
    virtual bool DirectoryExists(const std::string& path) = 0;
    // True when path itself is a symbolic link (or reparse point), whatever it points to.
    virtual bool IsSymLink(const std::string& path) = 0;
    // True when path names the very file open as handle (through another spelling of its path
    // or another hard link too), not merely one with the same bytes.
    virtual bool IsSameFile(THandle handle, const std::string& path) = 0;

    virtual THandle FileOpen(const std::string& path, TFileMode mode) = 0;
    // Creates path, or truncates it when it exists. Refuses (InvalidHandle) when path is a
    // symbolic link, so that a write never lands where a link points.
    virtual THandle FileCreate(const std::string& path) = 0;
    // Creates path only when nothing of that name exists yet (for files written beside their
    // final place and renamed when complete).
    virtual THandle FileCreateNew(const std::string& path) = 0;
    // The new position, or -1.
    virtual std::int64_t FileSeek(THandle handle, std::int64_t offset, TSeekOrigin origin) = 0;
    // The number of bytes read or written, or -1.
    virtual std::int64_t FileRead(THandle handle, void* buffer, std::int64_t count) = 0;
    virtual std::int64_t FileWrite(THandle handle, const void* buffer, std::int64_t count) = 0;
    // Copies count bytes from the position of source to the position of target, advancing both.
    // The default reads and writes through FileRead and FileWrite with a buffer of its own, so
    // a decorator that fails those fails copies too; a system may do it in the kernel instead.
    virtual TCopyResult FileCopy(THandle source, THandle target, std::int64_t count);
    // Forces written data to the disk.
    virtual bool FileFlush(THandle handle) = 0;
    // Starts writing what was written so far to the disk without waiting for it, so that a
    // FileFlush after further writing has less left to wait for. A hint: the default ignores it.
    virtual void FileStartFlush(THandle handle);
    virtual bool FileClose(THandle handle) = 0;

    virtual bool DeleteFile(const std::string& path) = 0;
    // Renames from to to, replacing an existing file to in one step where the system allows.
    virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
    // Creates one folder level.
    virtual bool CreateDir(const std::string& path) = 0;
    virtual bool RemoveDir(const std::string& path) = 0;

    // The entries of folder (without "." and ".."), in no particular order; false when the
    // folder cannot be read.
    virtual bool ListFolder(const std::string& folder, std::vector<TSearchRec>& entries) = 0;

    // The roots of the file system: the drive roots ("C:\\", "D:\\", ...) on Windows, "/"
    // elsewhere.
    virtual std::vector<std::string> LogicalDrives() = 0;

    // The system's reason for the last failed call of this object, such as "No space left on
    // device", for messages.
    virtual std::string LastErrorText() = 0;
};

// The services in use, and the operating system's own.
TFileServices& FileServices();
TFileServices& SystemFileServices();
// Puts services in place (nullptr restores the system's); returns the previous ones.
TFileServices* SetFileServices(TFileServices* services);

// The toolkit's file functions, each a call of the current services.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
THandle FileOpen(const std::string& path, TFileMode mode);
THandle FileCreate(const std::string& path);
std::int64_t FileSeek(THandle handle, std::int64_t offset, TSeekOrigin origin);
std::int64_t FileRead(THandle handle, void* buffer, std::int64_t count);
std::int64_t FileWrite(THandle handle, const void* buffer, std::int64_t count);
TCopyResult FileCopy(THandle source, THandle target, std::int64_t count);
bool FileClose(THandle handle);
bool DeleteFile(const std::string& path);
bool CreateDir(const std::string& path);
bool IsSymLink(const std::string& path);
bool IsSameFile(THandle handle, const std::string& path);
THandle FileCreateNew(const std::string& path);
bool FileFlush(THandle handle);
void FileStartFlush(THandle handle);
bool RenameFile(const std::string& from, const std::string& to);
std::string LastErrorText();

// Owns a file opened by the current services and closes it through them when it goes.
class TFileHandle {
public:
    TFileHandle() = default;
    explicit TFileHandle(THandle handle);
    TFileHandle(TFileHandle&& other) noexcept;
    TFileHandle& operator=(TFileHandle&& other) noexcept;
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;
    ~TFileHandle();

    THandle Handle() const { return HandleValue; }
    bool Valid() const { return HandleValue != InvalidHandle; }
    // Closes the file now. False when the system reports an error, which after writing can
    // mean that data did not reach the disk; true when nothing was open.
    bool Close();

private:
    THandle HandleValue = InvalidHandle;
    TFileServices* Services = nullptr;
};

// The part of path up to and including its last path delimiter (or, on Windows, ":"); empty
// when it has none.
std::string ExtractFilePath(const std::string& path);
// The part of path after its last path delimiter (or, on Windows, ":").
std::string ExtractFileName(const std::string& path);
// folder with one path delimiter at its end.
std::string IncludeTrailingPathDelimiter(const std::string& folder);

// ASCII-only case folding: a to z become A to Z, every other byte stays.
char UpCase(char c);
std::string UpperCase(const std::string& text);
std::string LowerCase(const std::string& text);
// True when a and b are the same text but for ASCII case.
bool SameText(const std::string& a, const std::string& b);
// True when name matches pattern, where "*" stands for any run of bytes and "?" for one byte and
// other bytes compare in either ASCII case. Without recursion: a "*" remembers where it stood and
// takes one more byte each time the rest fails, so a hostile pattern cannot take exponential time.
bool MatchesWildcards(std::string_view name, std::string_view pattern);
// True when name matches one file pattern: as MatchesWildcards, and a pattern ending in ".*" or
// "." also matches a name without a dot, so "*.*" matches every name, as file masks always have.
bool MatchesFilePattern(std::string_view name, std::string_view pattern);
