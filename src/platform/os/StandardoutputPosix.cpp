#include "platform/os/Standardoutput.h"

bool SetBinaryStandardOutput() {
    return true;
}
