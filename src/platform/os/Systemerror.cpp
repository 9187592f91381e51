#include "platform/os/Systemerror.h"

#include <windows.h>

#include <cstdio>

std::string SystemErrorText(unsigned long code) {
    char text[512];
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, code, 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' ||
                          text[length - 1] == ' ' || text[length - 1] == '.')) {
        --length;
    }
    if (length > 0) {
        return std::string(text, length);
    }
    char number[32];
    // An HRESULT (severity bit set) reads best in hexadecimal, a plain error code in decimal.
    std::snprintf(number, sizeof number, code & 0x80000000ul ? "0x%08lX" : "%lu", code);
    return std::string("Windows error ") + number;
}
