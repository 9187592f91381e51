// The program entry on Windows: the Win32 platform for the whole run, then the program.
#include "platform/win32/Win32platform.h"

#include "app/Morvik.h"

#include <exception>

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
    try {
        TWin32Platform platform;
        InstallPlatform(&platform);
        const int result = MorvikMain();
        InstallPlatform(nullptr);
        return result;
    } catch (const std::exception& e) {
        // The platform could not start, so there is no application to show the error: the
        // system's own box says it.
        ::MessageBoxA(nullptr, e.what(), "Morvik", MB_OK | MB_ICONERROR);
        return 1;
    }
}
