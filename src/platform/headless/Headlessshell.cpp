#include "platform/headless/Headlessshell.h"

#include "toolkit/Sysutils.h"

#include <random>

namespace {

// The special folders the shell knows, by shell folder number, as parts of a Windows profile.
const std::map<int, std::vector<std::string>> folderNames = {
    {0, {"Desktop"}},                           // CSIDL_DESKTOP
    {2, {"Start Menu", "Programs"}},            // CSIDL_PROGRAMS
    {5, {"Documents"}},                         // CSIDL_PERSONAL
    {7, {"Start Menu", "Programs", "Startup"}}, // CSIDL_STARTUP
    {9, {"SendTo"}},                            // CSIDL_SENDTO
    {11, {"Start Menu"}},                       // CSIDL_STARTMENU
};

} // namespace

THeadlessShell::~THeadlessShell() {
    if (!RootPath.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(RootPath, ignored);
    }
}

std::string THeadlessShell::Root() {
    if (RootPath.empty()) {
        std::random_device random;
        RootPath = std::filesystem::temp_directory_path() /
                   ("morvik-shell-" + std::to_string(random()) + std::to_string(random()));
        for (const auto& [csidl, parts] : folderNames) {
            std::filesystem::path folder = RootPath;
            for (const std::string& part : parts) {
                folder /= part;
            }
            std::filesystem::create_directories(folder);
        }
    }
    return RootPath.string();
}

std::string THeadlessShell::SpecialFolderPath(int csidl) {
    const auto found = folderNames.find(csidl);
    if (found == folderNames.end() || Removed.count(csidl)) {
        return "";
    }
    std::string path = Root();
    for (const std::string& part : found->second) {
        path += PathDelim + part;
    }
    return path;
}

std::string THeadlessShell::LinkFileText(const TShellLink& link) {
    return "Path=" + link.Path + "\nArguments=" + link.Arguments +
           "\nWorkingDirectory=" + link.WorkingDirectory + "\nDescription=" + link.Description +
           "\nHotkey=" + std::to_string(link.Hotkey) + "\n";
}

std::string THeadlessShell::SaveShellLink(const TShellLink& link, const std::string& fileName) {
    std::string failure = Refusal;
    if (failure.empty()) {
        const std::string text = LinkFileText(link);
        const THandle file = FileCreate(fileName);
        if (file == InvalidHandle) {
            failure = "Cannot create " + fileName + ": " + LastErrorText();
        } else {
            const bool written = FileWrite(file, text.data(), std::int64_t(text.size())) ==
                                 std::int64_t(text.size());
            if (!written) {
                failure = "Cannot write " + fileName + ": " + LastErrorText();
            }
            if (!FileClose(file) && written) {
                failure = "Cannot write " + fileName + ": " + LastErrorText();
            }
        }
    }
    LinkLog.push_back({fileName, link, failure});
    return failure;
}
