#include "toolkit/Platform.h"

#include "toolkit/Sysutils.h"

namespace {
TPlatform* currentPlatform = nullptr;
}

TPlatform& Platform() {
    // Reaching for the platform before one is installed is a fault of the program's start-up;
    // a message says so instead of a null dereference.
    if (!currentPlatform) {
        throw Exception("No platform is installed");
    }
    return *currentPlatform;
}

TPlatform* InstallPlatform(TPlatform* platform) {
    TPlatform* previous = currentPlatform;
    currentPlatform = platform;
    return previous;
}
