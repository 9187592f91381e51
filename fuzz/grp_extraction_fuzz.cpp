// Fuzz target: extraction to disk. Each input is written as a group file into a sandbox that
// also holds a sentinel file, and all its entries are extracted into a fresh folder there, as
// "morvik-cli extract" does. With the last input byte odd the folder exists beforehand and holds
// symbolic links planted under entry names (to a file outside it, by relative and by absolute
// path, and to a name outside it that does not exist). The target aborts when anything outside
// the extraction folder changes (a file written, created, removed or renamed; the sentinel or
// the group file touched), when a planted link is read, written through or replaced, or when an
// extraction that reports success did not write every entry whole.

#include "Sandbox.h"

#include "archive/Grpextract.h"
#include "archive/Grpfiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The names planted as links: those of the worked example's entries, and one more.
const char* const LinkNames[] = {"GAME.CON", "E1L1.MAP", "NEW.TXT"};

struct TSandbox {
    std::string Root;
    std::string Group;      // the group file, rewritten for each input
    std::string Folder;     // the extraction folder, made afresh for each input
    std::string Sentinel;   // a file nothing may touch
    std::string LinkTarget; // the file the planted links point to
};

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

void WriteWhole(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Check(fd >= 0);
    Check(size == 0 || write(fd, data, size) == static_cast<ssize_t>(size));
    Check(close(fd) == 0);
}

// The names in folder.
std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    Check(dir != nullptr);
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    closedir(dir);
    return names;
}

void RemoveFolder(const std::string& folder) {
    for (const std::string& name : Names(folder)) {
        Check(unlink((folder + "/" + name).c_str()) == 0);
    }
    Check(rmdir(folder.c_str()) == 0);
}

const TSandbox& Sandbox() {
    static const TSandbox sandbox = [] {
        TSandbox s;
        s.Root = FuzzSandbox().string();
        s.Group = s.Root + "/INPUT.GRP";
        s.Folder = s.Root + "/INPUT_Extract";
        s.Sentinel = s.Root + "/SENTINEL";
        s.LinkTarget = s.Root + "/LINKED";
        const std::uint8_t text[] = "nothing may touch this file\n";
        WriteWhole(s.Sentinel, text, sizeof text - 1);
        WriteWhole(s.LinkTarget, text, sizeof text - 1);
        // An access time older than the modification time is updated by any read, also where
        // the file system only records reads lazily (relatime).
        const timespec times[2] = {{1, 0}, {0, UTIME_NOW}};
        Check(utimensat(AT_FDCWD, s.LinkTarget.c_str(), times, 0) == 0);
        Check(utimensat(AT_FDCWD, s.Sentinel.c_str(), times, 0) == 0);
        return s;
    }();
    return sandbox;
}

// The extraction folder with a link under each planted name.
void Plant(const TSandbox& s) {
    Check(mkdir(s.Folder.c_str(), 0755) == 0);
    Check(symlink("../LINKED", (s.Folder + "/" + LinkNames[0]).c_str()) == 0);
    Check(symlink(s.LinkTarget.c_str(), (s.Folder + "/" + LinkNames[1]).c_str()) == 0);
    Check(symlink("../CREATED", (s.Folder + "/" + LinkNames[2]).c_str()) == 0);
}

// Everything in the sandbox but the extraction folder. The group file is read, so its access
// time is left out.
std::map<std::string, TStamp> Outside(const TSandbox& s) {
    std::map<std::string, TStamp> stamps;
    for (const std::string& name : Names(s.Root)) {
        const std::string path = s.Root + "/" + name;
        if (path == s.Folder) {
            continue;
        }
        TStamp stamp = StampOf(path);
        if (path == s.Group) {
            stamp.Accessed = {};
        }
        stamps.emplace(name, stamp);
    }
    return stamps;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TSandbox& s = Sandbox();
    WriteWhole(s.Group, data, size);
    const bool planted = size > 0 && data[size - 1] % 2 == 1;
    if (planted) {
        Plant(s);
    }
    const std::map<std::string, TStamp> before = Outside(s);

    bool extracted = false;
    std::vector<TExtractItem> plan;
    const TResult<TGrpDirectory> directory = ReadGrpDirectory(s.Group);
    if (directory.Ok()) {
        auto planned = PlanGrpExtraction(directory.Value(), GrpEntryNames(directory.Value()));
        if (planned.Ok()) {
            plan = planned.Value();
            extracted = ExtractGrpEntries(s.Group, plan, s.Folder).Ok();
        }
    }

    Check(Outside(s) == before);
    if (planted) {
        char target[64];
        const char* const expected[] = {"../LINKED", nullptr, "../CREATED"};
        for (int i = 0; i < 3; ++i) {
            const std::string link = s.Folder + "/" + LinkNames[i];
            const ssize_t length = readlink(link.c_str(), target, sizeof target);
            Check(length > 0); // the link is still a link
            if (expected[i] != nullptr) {
                Check(std::string(target, std::size_t(length)) == expected[i]);
            }
        }
    }
    if (extracted) {
        for (const TExtractItem& item : plan) {
            const TStamp file = StampOf(s.Folder + "/" + item.Name);
            Check(S_ISREG(file.Mode) && file.Size == off_t(item.Size));
            Check(item.Offset + item.Size <= size);
        }
    }
    if (access(s.Folder.c_str(), F_OK) == 0) {
        RemoveFolder(s.Folder);
    }
    return 0;
}
