#pragma once
// THeadlessShell: the shell of the headless platform. Its special folders are folders of a
// temporary folder of its own, made at the first request and removed with the shell, named as a
// Windows profile names them ("Desktop", "Documents", "Start Menu", ...). A link is written as a
// small text file that lists its properties, one "Key=value" a line, through the toolkit's file
// functions (so that a test can make the write fail), and each link asked for is recorded.
//
// A test can take a special folder away, or make the shell refuse every link with a reason, as a
// system without a link object or without its persist interface would.

#include "toolkit/Shell.h"

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

struct TRecordedLink {
    std::string FileName;
    TShellLink Link;
    // Empty when the link was written, else the reason it was not.
    std::string Failure;
};

class THeadlessShell : public TShell {
public:
    THeadlessShell() = default;
    ~THeadlessShell() override;
    THeadlessShell(const THeadlessShell&) = delete;
    THeadlessShell& operator=(const THeadlessShell&) = delete;

    // The folder that holds the special folders (made on first use).
    std::string Root();
    // From now on the shell has no folder csidl.
    void RemoveSpecialFolder(int csidl) { Removed.insert(csidl); }
    // Every link is refused with reason from now on; an empty reason ends the refusal.
    void RefuseLinks(const std::string& reason) { Refusal = reason; }
    // Every link asked for, in order, written or not.
    const std::vector<TRecordedLink>& Links() const { return LinkLog; }
    // The text a written link file holds.
    static std::string LinkFileText(const TShellLink& link);

    std::string SpecialFolderPath(int csidl) override;
    std::string SaveShellLink(const TShellLink& link, const std::string& fileName) override;

private:
    std::filesystem::path RootPath;
    std::set<int> Removed;
    std::string Refusal;
    std::vector<TRecordedLink> LinkLog;
};
