// The file services of Windows, through the ...A functions of the system.
#include "platform/os/Systemerror.h"
#include "toolkit/Sysutils.h"

#include <algorithm>
#include <cassert>
#include <windows.h>

// <windows.h> maps this name to DeleteFileA; the toolkit's own method of that name is meant.
#undef DeleteFile

namespace {

// ReadFile and WriteFile take a 32-bit count; larger transfers go in pieces.
constexpr std::int64_t MaxTransfer = std::int64_t(1) << 30;

HANDLE Native(THandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}
THandle Toolkit(HANDLE handle) {
    return reinterpret_cast<THandle>(handle);
}

class TWin32FileServices final : public TFileServices {
public:
    bool FileExists(const std::string& path) override {
        const DWORD attr = ::GetFileAttributesA(path.c_str());
        return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    bool DirectoryExists(const std::string& path) override {
        const DWORD attr = ::GetFileAttributesA(path.c_str());
        return !path.empty() && attr != INVALID_FILE_ATTRIBUTES &&
               (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }

    bool IsSymLink(const std::string& path) override {
        const DWORD attr = ::GetFileAttributesA(path.c_str());
        return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    }

    // A file is known by its volume and its index on the volume.
    bool IsSameFile(THandle handle, const std::string& path) override {
        BY_HANDLE_FILE_INFORMATION open;
        if (!::GetFileInformationByHandle(Native(handle), &open)) {
            return false;
        }
        // Opened for no access at all, so that any sharing mode of the open file allows it.
        const HANDLE named =
            ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (named == INVALID_HANDLE_VALUE) {
            return false;
        }
        BY_HANDLE_FILE_INFORMATION other;
        const bool known = ::GetFileInformationByHandle(named, &other) != 0;
        ::CloseHandle(named);
        return known && open.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
               open.nFileIndexHigh == other.nFileIndexHigh &&
               open.nFileIndexLow == other.nFileIndexLow;
    }

    THandle FileOpen(const std::string& path, TFileMode mode) override {
        if (mode == TFileMode::Read) {
            const HANDLE handle =
                ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle == INVALID_HANDLE_VALUE) {
                Fail();
            }
            return Toolkit(handle);
        }
        const DWORD access =
            mode == TFileMode::Write ? GENERIC_WRITE : GENERIC_READ | GENERIC_WRITE;
        return OpenPlainFile(path, access, OPEN_EXISTING);
    }

    THandle FileCreate(const std::string& path) override {
        // Opened first and truncated only once it is known to be a plain file, so that a link or
        // device in its place is refused before anything changes.
        const THandle handle = OpenPlainFile(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
        if (handle != InvalidHandle && !::SetEndOfFile(Native(handle))) {
            Fail();
            ::CloseHandle(Native(handle));
            return InvalidHandle;
        }
        return handle;
    }

    THandle FileCreateNew(const std::string& path) override {
        return OpenPlainFile(path, GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
    }

    std::int64_t FileSeek(THandle handle, std::int64_t offset, TSeekOrigin origin) override {
        DWORD method = FILE_BEGIN;
        if (origin == TSeekOrigin::Current) {
            method = FILE_CURRENT;
        } else if (origin == TSeekOrigin::End) {
            method = FILE_END;
        }
        LARGE_INTEGER distance;
        distance.QuadPart = offset;
        LARGE_INTEGER position;
        if (!::SetFilePointerEx(Native(handle), distance, &position, method)) {
            Fail();
            return -1;
        }
        return position.QuadPart;
    }

    std::int64_t FileRead(THandle handle, void* buffer, std::int64_t count) override {
        assert(count >= 0);
        auto* bytes = static_cast<char*>(buffer);
        std::int64_t done = 0;
        while (done < count) {
            const auto piece = static_cast<DWORD>(std::min(count - done, MaxTransfer));
            DWORD got = 0;
            if (!::ReadFile(Native(handle), bytes + done, piece, &got, nullptr)) {
                Fail();
                return -1;
            }
            if (got == 0) {
                break; // end of file
            }
            done += got;
        }
        return done;
    }

    std::int64_t FileWrite(THandle handle, const void* buffer, std::int64_t count) override {
        assert(count >= 0);
        const auto* bytes = static_cast<const char*>(buffer);
        std::int64_t done = 0;
        while (done < count) {
            const auto piece = static_cast<DWORD>(std::min(count - done, MaxTransfer));
            DWORD put = 0;
            if (!::WriteFile(Native(handle), bytes + done, piece, &put, nullptr)) {
                Fail();
                return -1;
            }
            if (put == 0) {
                LastError = "No progress writing the file";
                return -1;
            }
            done += put;
        }
        return done;
    }

    bool FileFlush(THandle handle) override { return ::FlushFileBuffers(Native(handle)) || Fail(); }

    bool FileClose(THandle handle) override { return ::CloseHandle(Native(handle)) || Fail(); }

    bool DeleteFile(const std::string& path) override {
        return ::DeleteFileA(path.c_str()) || Fail();
    }

    bool RenameFile(const std::string& from, const std::string& to) override {
        return ::MoveFileExA(from.c_str(), to.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
               Fail();
    }

    bool CreateDir(const std::string& path) override {
        return ::CreateDirectoryA(path.c_str(), nullptr) || Fail();
    }

    bool RemoveDir(const std::string& path) override {
        return ::RemoveDirectoryA(path.c_str()) || Fail();
    }

    bool ListFolder(const std::string& folder, std::vector<TSearchRec>& entries) override {
        entries.clear();
        std::string pattern = folder;
        if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != ':') {
            pattern += '\\';
        }
        pattern += '*';
        WIN32_FIND_DATAA data;
        const HANDLE find = ::FindFirstFileA(pattern.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) {
            return ::GetLastError() == ERROR_FILE_NOT_FOUND || Fail();
        }
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            // The toolkit's attribute bits are those of the system.
            const std::uint32_t attr =
                data.dwFileAttributes & (faReadOnly | faHidden | faSysFile | faDirectory |
                                         faArchive | faNormal | faSymLink);
            const std::int64_t size =
                (std::int64_t(data.nFileSizeHigh) << 32) | std::int64_t(data.nFileSizeLow);
            entries.push_back({name, attr, (attr & faDirectory) != 0 ? 0 : size});
        } while (::FindNextFileA(find, &data));
        const bool complete = ::GetLastError() == ERROR_NO_MORE_FILES;
        if (!complete) {
            Fail();
        }
        ::FindClose(find);
        return complete;
    }

    std::vector<std::string> LogicalDrives() override {
        std::vector<std::string> drives;
        const DWORD mask = ::GetLogicalDrives();
        for (int i = 0; i < 26; ++i) {
            if ((mask & (DWORD(1) << i)) != 0) {
                drives.push_back({char('A' + i), ':', '\\'});
            }
        }
        return drives;
    }

    std::string LastErrorText() override { return LastError; }

private:
    // Records the system's text for GetLastError; false, for `return ... || Fail()`.
    bool Fail() {
        LastError = SystemErrorText(::GetLastError());
        return false;
    }

    // Opens a file for writing that must be a plain file on a disk: a reparse point (a symbolic
    // link or junction) is opened as itself and refused, and so is a device such as NUL or CON.
    THandle OpenPlainFile(const std::string& path, DWORD access, DWORD disposition) {
        const HANDLE handle =
            ::CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            Fail();
            return InvalidHandle;
        }
        BY_HANDLE_FILE_INFORMATION info;
        const char* refusal = nullptr;
        if (::GetFileType(handle) != FILE_TYPE_DISK) {
            refusal = "Not a regular file";
        } else if (!::GetFileInformationByHandle(handle, &info)) {
            Fail();
            ::CloseHandle(handle);
            return InvalidHandle;
        } else if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            refusal = "A symbolic link or junction, which is not followed";
        } else if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            refusal = "A folder";
        }
        if (refusal != nullptr) {
            LastError = refusal;
            ::CloseHandle(handle);
            return InvalidHandle;
        }
        return Toolkit(handle);
    }

    std::string LastError;
};

} // namespace

TFileServices& SystemFileServices() {
    static TWin32FileServices services;
    return services;
}
