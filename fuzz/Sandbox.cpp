#include "Sandbox.h"

#include <cstdlib>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

bool Same(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

namespace {

std::filesystem::path Root;

void RemoveRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(Root, ignored);
}

} // namespace

const std::filesystem::path& FuzzSandbox() {
    if (Root.empty()) {
        std::error_code error;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, error) || access(base.c_str(), W_OK) != 0) {
            base = std::filesystem::temp_directory_path();
        }
        std::string pattern = (base / "morvik-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        Root = pattern;
        std::atexit(RemoveRoot);
    }
    return Root;
}

bool TStamp::operator==(const TStamp& other) const {
    return Device == other.Device && Inode == other.Inode && Mode == other.Mode &&
           Size == other.Size && Same(Modified, other.Modified) && Same(Changed, other.Changed) &&
           Same(Accessed, other.Accessed) && LinkTarget == other.LinkTarget;
}

TStamp StampOf(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) {
        std::abort();
    }
    TStamp stamp{st.st_dev,  st.st_ino,  st.st_mode, st.st_size,
                 st.st_mtim, st.st_ctim, st.st_atim, {}};
    if (S_ISLNK(st.st_mode)) {
        char target[512];
        const ssize_t length = readlink(path.c_str(), target, sizeof target);
        if (length <= 0) {
            std::abort();
        }
        stamp.LinkTarget.assign(target, std::size_t(length));
        stamp.Accessed = {};
    }
    return stamp;
}
