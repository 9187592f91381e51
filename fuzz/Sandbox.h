#pragma once
// A folder of its own for a fuzz target that works on files: on /dev/shm when there is one
// (memory, fast), else in the system's temporary folder. Removed with everything in it when the
// program ends.

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <time.h>

// The folder, created at the first call.
const std::filesystem::path& FuzzSandbox();

// What is known of a file without reading it: any write, rename or change of its links shows in
// the change time, a read in the access time (a target that checks reads sets a file's access
// time before its modification time first, so that even a lazily recorded read moves it).
struct TStamp {
    dev_t Device = 0;
    ino_t Inode = 0;
    mode_t Mode = 0;
    off_t Size = 0;
    timespec Modified{};
    timespec Changed{};
    timespec Accessed{}; // left out for a symbolic link, which readlink itself reads
    std::string LinkTarget;

    bool operator==(const TStamp& other) const;
};

// The stamp of path itself, a symbolic link not followed; aborts when there is nothing there.
TStamp StampOf(const std::string& path);
