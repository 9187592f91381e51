#include "platform/headless/Syscolors.h"

#include <array>

TColor ClassicSysColor(int index) {
    static constexpr std::array<TColor, 31> scheme = {
        RGB(192, 192, 192), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128),
        RGB(192, 192, 192), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
        RGB(0, 0, 0),       RGB(255, 255, 255), RGB(192, 192, 192), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
        RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),
        RGB(255, 255, 225), RGB(0, 0, 0),       RGB(0, 0, 255),     RGB(16, 132, 208),
        RGB(181, 181, 181), RGB(0, 0, 128),     RGB(192, 192, 192),
    };
    return index >= 0 && index < int(scheme.size()) ? scheme[std::size_t(index)] : clBlack;
}
