#pragma once
// Real temporary folders and small file helpers for the tests.

#include "toolkit/Sysutils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

inline TBytes BytesOf(const std::string& text) {
    return TBytes(text.begin(), text.end());
}

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TTempFolder {
public:
    TTempFolder() {
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        for (;;) {
            PathValue = base / ("morvik-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(PathValue)) {
                break;
            }
        }
    }
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(PathValue, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string Path() const { return PathValue.string(); }
    // The path of name inside the folder.
    std::string operator/(const std::string& name) const { return Path() + PathDelim + name; }
    // The names in the folder, sorted.
    std::vector<std::string> Names() const { return NamesIn(Path()); }

    static std::vector<std::string> NamesIn(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path PathValue;
};

inline void WriteBytes(const std::string& path, const TBytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ASSERT_TRUE(file.good()) << path;
}

inline TBytes ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline bool PathExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

// A symbolic link at link to target; false where the system does not allow one (Wine, or
// Windows without the privilege), so that the test can be skipped.
inline bool MakeSymLink(const std::string& target, const std::string& link) {
    std::error_code error;
    std::filesystem::create_symlink(target, link, error);
    return !error && std::filesystem::is_symlink(link);
}

// Deterministic filler bytes.
inline TBytes Filler(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    TBytes bytes(size);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    return bytes;
}
