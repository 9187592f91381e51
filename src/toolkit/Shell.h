#pragma once
// The few services of the system's shell that the program uses: the paths of its special folders
// and the writing of shell links (shortcut files). Each platform gives one TShell through
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
};
