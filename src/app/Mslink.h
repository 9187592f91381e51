#pragma once
// msLink: writes a shell link (a shortcut file) to a program into one of the shell's special
// folders, found by a short name. The main window makes one for each "Desktop Icon" command.
//
// The shell itself (special folders, the link object and its file) is the platform's
// (TPlatform::Shell()); this class holds the rules: the folder names, the link's file name, its
// target and arguments, and which hot keys are accepted.

#include <cstdint>
#include <string>
#include <utility>

// How a request for a shortcut ended: written, or the reason it was not.
struct TShortcutResult {
    bool Written = false;
    std::string Reason;

    explicit operator bool() const { return Written; }
    static TShortcutResult Done() { return {true, ""}; }
    static TShortcutResult Failed(std::string reason) { return {false, std::move(reason)}; }
};

class msLink {
public:
    virtual ~msLink() = default;

    // A link called linkName (the file "<linkName>.lnk" on Windows, TShell::LinkFileName) to
    // exeFolder + exeName in the special folder folderName
    // ("desktop", "mydocuments", "programgroups", "sendto", "startmenu" or "startup", in any
    // case), with no hot key.
    TShortcutResult CreateShortcut(const std::string& exeFolder, const std::string& exeName,
                                   const std::string& folderName, const std::string& linkName);
    // A link called linkName in linkFolder to exeFolder + exeName, working in exeFolder,
    // described by linkName. Text after the first "/" of exeName is the link's arguments. hotKey
    // is kept only when it is Ctrl+Alt with a key code from 0x20 to 0x7E, else there is none.
    TShortcutResult CreateLink(const std::string& exeFolder, const std::string& exeName,
                               const std::string& linkFolder, const std::string& linkName,
                               std::uint16_t hotKey);
    // The path of the shell folder numbered csidl, or an empty text.
    std::string SpecialFolderPath(int csidl);
};
