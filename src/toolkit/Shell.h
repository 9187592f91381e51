#pragma once
// The few services of the system's shell that the program uses: the paths of its special folders,
// the writing of shell links (shortcut files), and how the shell names links, programs and the
// folder of a program's settings. Each platform gives one TShell through
// TPlatform::Shell(); the headless one keeps its folders in a temporary folder and records every
// link it writes.

#include <cstdint>
#include <string>

// The properties of a shell link, as the shell stores them in the link file.
struct TShellLink {
    // The file the link starts.
    std::string Path;
    std::string Arguments;
    std::string WorkingDirectory;
    std::string Description;
    // Low byte a virtual key code, high byte the modifier flags; 0 for none.
    std::uint16_t Hotkey = 0;

    bool operator==(const TShellLink&) const = default;
};

class TShell {
public:
    virtual ~TShell() = default;
    // The file-system path of the special folder with shell folder number csidl (a Win32 CSIDL_
    // value), without a trailing delimiter; empty when the shell has no such folder.
    virtual std::string SpecialFolderPath(int csidl) = 0;
    // Writes link into the file fileName, replacing a file of that name. Returns an empty text
    // when the link was written, otherwise the reason it was not.
    virtual std::string SaveShellLink(const TShellLink& link, const std::string& fileName) = 0;

    // ---- The shell's naming conventions; the defaults are those of Windows.
    // The file name of a link called linkName: "Morvik.lnk" for "Morvik".
    virtual std::string LinkFileName(const std::string& linkName) { return linkName + ".lnk"; }
    // The file name of the program called programName: "Morvik.exe" for "Morvik".
    virtual std::string ProgramFileName(const std::string& programName) {
        return programName + ".exe";
    }
    // The folder, with its trailing delimiter, where the program called programName keeps its
    // settings, made when it is missing; empty when programs keep them in their own folder.
    virtual std::string SettingsFolder(const std::string& /*programName*/) { return {}; }
};
