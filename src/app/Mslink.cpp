#include "app/Mslink.h"

#include "toolkit/Platform.h"
#include "toolkit/Shell.h"
#include "toolkit/Sysutils.h"

#include <utility>

namespace {

struct TSpecialFolder {
    const char* Name;
    int Csidl;
};

// Looked up in this order; a name must match whole.
const TSpecialFolder specialFolders[] = {
    {"desktop", 0},       // CSIDL_DESKTOP
    {"mydocuments", 5},   // CSIDL_PERSONAL
    {"programgroups", 2}, // CSIDL_PROGRAMS
    {"sendto", 9},        // CSIDL_SENDTO
    {"startmenu", 11},    // CSIDL_STARTMENU
    {"startup", 7},       // CSIDL_STARTUP
};

// Only Ctrl+Alt (modifier flags 6) with a key code from 0x20 to 0x7E makes a hot key.
constexpr std::uint16_t lowestHotKey = 0x0620;
constexpr std::uint16_t highestHotKey = 0x067E;

std::string WithTrailingDelimiter(const std::string& folder) {
    return !folder.empty() && folder.back() == PathDelim ? folder : folder + PathDelim;
}

} // namespace

TShortcutResult msLink::CreateShortcut(const std::string& exeFolder, const std::string& exeName,
                                       const std::string& folderName, const std::string& linkName) {
    const std::string key = LowerCase(folderName);
    for (const TSpecialFolder& special : specialFolders) {
        if (key != special.Name) {
            continue;
        }
        const std::string folder = SpecialFolderPath(special.Csidl);
        if (folder.empty()) {
            return TShortcutResult::Failed("The system has no \"" + key + "\" folder.");
        }
        return CreateLink(exeFolder, exeName, folder, linkName, 0);
    }
    return TShortcutResult::Failed("There is no special folder named \"" + folderName + "\".");
}

TShortcutResult msLink::CreateLink(const std::string& exeFolder, const std::string& exeName,
                                   const std::string& linkFolder, const std::string& linkName,
                                   std::uint16_t hotKey) {
    if (hotKey < lowestHotKey || hotKey > highestHotKey) {
        hotKey = 0;
    }

    // Arguments follow the first "/" of the program's name, after a blank that is dropped with
    // it ("prog.exe /s"). Only the name is searched: a "/" of the folder is a path delimiter.
    std::string name = exeName;
    std::string arguments;
    if (const std::size_t slash = name.find('/'); slash != std::string::npos) {
        arguments = name.substr(slash + 1);
        name = name.substr(0, slash == 0 ? 0 : slash - 1);
    }

    TShellLink link;
    link.Path = WithTrailingDelimiter(exeFolder) + name;
    link.Arguments = arguments;
    link.WorkingDirectory = exeFolder;
    link.Description = linkName;
    link.Hotkey = hotKey;
    const std::string file =
        WithTrailingDelimiter(linkFolder) + Platform().Shell().LinkFileName(linkName);
    std::string failure = Platform().Shell().SaveShellLink(link, file);
    if (!failure.empty()) {
        return TShortcutResult::Failed(std::move(failure));
    }
    return TShortcutResult::Done();
}

std::string msLink::SpecialFolderPath(int csidl) {
    return Platform().Shell().SpecialFolderPath(csidl);
}
