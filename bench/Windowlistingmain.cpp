// window_listing_bench: the window's listing of a group file of 20,000 entries on the Win32
// platform, the system's own list box; run under Wine. Usage: window_listing_bench [folder]
// (default: a folder in the temporary folder, removed at the end).

#include "Windowlisting.h"

#include "platform/win32/Win32platform.h"

#include <filesystem>
#include <random>
#include <string>

int main(int argc, char** argv) {
    const bool ownFolder = argc < 2;
    const std::filesystem::path folder =
        ownFolder ? std::filesystem::temp_directory_path() /
                        ("window_listing." + std::to_string(std::random_device()()))
                  : std::filesystem::path(argv[1]);
    std::filesystem::create_directories(folder);
    {
        TWin32Platform platform;
        InstallPlatform(&platform);
        PrintWindowListing(folder.string(), "Win32 list box");
        InstallPlatform(nullptr);
    }
    if (ownFolder) {
        std::filesystem::remove_all(folder);
    }
    return 0;
}
