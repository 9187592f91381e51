#pragma once
// TWin32Shell: special folders through SHGetSpecialFolderLocation and SHGetPathFromIDListA, and
// shell links through the shell's COM link object (IShellLinkA, saved by IPersistFile). COM is
// initialised for the time of each link and every object and item list is released by its owner.

#include "toolkit/Shell.h"

class TWin32Shell : public TShell {
public:
    std::string SpecialFolderPath(int csidl) override;
    std::string SaveShellLink(const TShellLink& link, const std::string& fileName) override;
};
