#pragma once
// A folder of its own for a fuzz target that works on files: on /dev/shm when there is one
// (memory, fast), else in the system's temporary folder. Removed with everything in it when the
// program ends.

#include <filesystem>

// The folder, created at the first call.
const std::filesystem::path& FuzzSandbox();
