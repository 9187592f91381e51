#include "Sandbox.h"

#include <cstdlib>
#include <string>
#include <system_error>
#include <unistd.h>

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
