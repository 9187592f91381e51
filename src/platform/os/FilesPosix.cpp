// The file services of a POSIX system.
#include "toolkit/Sysutils.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Linux moves at most about 2 GiB in one read or write; larger transfers go in pieces.
constexpr std::int64_t MaxTransfer = std::int64_t(1) << 30;

int Descriptor(THandle handle) {
    return static_cast<int>(handle);
}

class TPosixFileServices final : public TFileServices {
public:
    bool FileExists(const std::string& path) override {
        struct stat info;
        return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
    }

    bool DirectoryExists(const std::string& path) override {
        struct stat info;
        return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }

    bool IsSymLink(const std::string& path) override {
        struct stat info;
        return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    }

    bool IsSameFile(THandle handle, const std::string& path) override {
        struct stat open;
        struct stat named;
        return ::fstat(Descriptor(handle), &open) == 0 && ::stat(path.c_str(), &named) == 0 &&
               open.st_dev == named.st_dev && open.st_ino == named.st_ino;
    }

    THandle FileOpen(const std::string& path, TFileMode mode) override {
        int flags = O_RDONLY;
        if (mode == TFileMode::Write) {
            flags = O_WRONLY | O_NOFOLLOW;
        } else if (mode == TFileMode::ReadWrite) {
            flags = O_RDWR | O_NOFOLLOW;
        }
        return Open(path, flags, false);
    }

    THandle FileCreate(const std::string& path) override {
        // O_NOFOLLOW: a symbolic link in place of the file is refused, never written through.
        return Open(path, O_RDWR | O_CREAT | O_TRUNC | O_NOFOLLOW, true);
    }

    THandle FileCreateNew(const std::string& path) override {
        // O_EXCL also refuses a symbolic link of that name, dangling or not.
        return Open(path, O_RDWR | O_CREAT | O_EXCL, true);
    }

    std::int64_t FileSeek(THandle handle, std::int64_t offset, TSeekOrigin origin) override {
        int whence = SEEK_SET;
        if (origin == TSeekOrigin::Current) {
            whence = SEEK_CUR;
        } else if (origin == TSeekOrigin::End) {
            whence = SEEK_END;
        }
        const off_t position = ::lseek(Descriptor(handle), static_cast<off_t>(offset), whence);
        if (position < 0) {
            Fail();
            return -1;
        }
        return position;
    }

    std::int64_t FileRead(THandle handle, void* buffer, std::int64_t count) override {
        assert(count >= 0);
        auto* bytes = static_cast<char*>(buffer);
        std::int64_t done = 0;
        while (done < count) {
            const auto piece = static_cast<std::size_t>(std::min(count - done, MaxTransfer));
            const ssize_t got = ::read(Descriptor(handle), bytes + done, piece);
            if (got < 0) {
                if (errno == EINTR) {
                    continue;
                }
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
            const auto piece = static_cast<std::size_t>(std::min(count - done, MaxTransfer));
            const ssize_t put = ::write(Descriptor(handle), bytes + done, piece);
            if (put < 0) {
                if (errno == EINTR) {
                    continue;
                }
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

    // copy_file_range copies inside the kernel, without the round trip of every byte through a
    // buffer. Where the file systems do not support it, and after any error, the rest goes
    // through the default copy, which also tells a read failure from a write failure.
    TCopyResult FileCopy(THandle source, THandle target, std::int64_t count) override {
        assert(count >= 0);
        while (count > 0) {
            const auto piece = static_cast<std::size_t>(std::min(count, MaxTransfer));
            const ssize_t copied = ::copy_file_range(Descriptor(source), nullptr,
                                                     Descriptor(target), nullptr, piece, 0);
            if (copied < 0 && errno == EINTR) {
                continue;
            }
            if (copied < 0) {
                break;
            }
            if (copied == 0) {
                return TCopyResult::SourceEnded;
            }
            count -= copied;
        }
        return count == 0 ? TCopyResult::Done : TFileServices::FileCopy(source, target, count);
    }

    bool FileFlush(THandle handle) override { return ::fsync(Descriptor(handle)) == 0 || Fail(); }

    // Linux writes the dirty pages of the whole file out in the background; a failure here
    // shows again in the FileFlush that follows.
    void FileStartFlush(THandle handle) override {
        ::sync_file_range(Descriptor(handle), 0, 0, SYNC_FILE_RANGE_WRITE);
    }

    bool FileClose(THandle handle) override {
        // Linux releases the descriptor even when close reports an error, so it is never retried.
        return ::close(Descriptor(handle)) == 0 || Fail();
    }

    bool DeleteFile(const std::string& path) override {
        return ::unlink(path.c_str()) == 0 || Fail();
    }

    bool RenameFile(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 || Fail();
    }

    bool CreateDir(const std::string& path) override {
        return ::mkdir(path.c_str(), 0777) == 0 || Fail();
    }

    bool RemoveDir(const std::string& path) override {
        return ::rmdir(path.c_str()) == 0 || Fail();
    }

    bool ListFolder(const std::string& folder, std::vector<TSearchRec>& entries) override {
        entries.clear();
        DIR* dir = ::opendir(folder.c_str());
        if (dir == nullptr) {
            return Fail();
        }
        const int dirFd = ::dirfd(dir);
        errno = 0;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..") {
                continue;
            }
            struct stat info;
            if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
                continue; // vanished since readdir
            }
            entries.push_back(
                {name, Attributes(name, info), S_ISREG(info.st_mode) ? info.st_size : 0});
            errno = 0;
        }
        const bool complete = errno == 0;
        if (!complete) {
            Fail();
        }
        ::closedir(dir);
        return complete;
    }

    std::vector<std::string> LogicalDrives() override { return {"/"}; }

    std::string LastErrorText() override { return LastError; }

private:
    // Records the reason of errno; false, for the callers' `return ... || Fail()`.
    bool Fail() {
        LastError = std::strerror(errno);
        return false;
    }

    // Opens without blocking on a FIFO; a create refuses anything but a regular file (a FIFO or
    // a device of the name would otherwise receive the data).
    THandle Open(const std::string& path, int flags, bool regularOnly) {
        const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
        if (fd < 0) {
            Fail();
            return InvalidHandle;
        }
        struct stat info;
        if (::fstat(fd, &info) != 0) {
            Fail();
            ::close(fd);
            return InvalidHandle;
        }
        if (regularOnly && !S_ISREG(info.st_mode)) {
            LastError = "Not a regular file";
            ::close(fd);
            return InvalidHandle;
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        return fd;
    }

    // The toolkit's attribute bits for a folder entry: names beginning with a dot are hidden,
    // anything but a file, a folder or a link counts as a system file.
    static std::uint32_t Attributes(const std::string& name, const struct stat& info) {
        std::uint32_t attr = 0;
        if (S_ISLNK(info.st_mode)) {
            attr |= faSymLink;
        } else if (S_ISDIR(info.st_mode)) {
            attr |= faDirectory;
        } else if (!S_ISREG(info.st_mode)) {
            attr |= faSysFile;
        }
        if (name[0] == '.') {
            attr |= faHidden;
        }
        if ((info.st_mode & 0222) == 0) {
            attr |= faReadOnly;
        }
        return attr == 0 ? faNormal : attr;
    }

    std::string LastError;
};

} // namespace

TFileServices& SystemFileServices() {
    static TPosixFileServices services;
    return services;
}
