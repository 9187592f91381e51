#include "platform/os/Standardoutput.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

bool SetBinaryStandardOutput() {
    std::fflush(stdout);
    return _setmode(_fileno(stdout), _O_BINARY) != -1;
}
