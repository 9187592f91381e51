#include "menus/Fadeline.h"

#include "menus/Bcrectutilities.h"
#include "toolkit/Sysmath.h"

#include <algorithm>
#include <cstdint>

namespace {

// old + (new - old) * step div fadeWidth in each channel. The product is taken in 64 bits: it can
// pass 32 bits for a wide fade although the quotient is a channel value.
TColor Blend(TColor old, TColor color, std::int64_t step, int fadeWidth) {
    auto channel = [&](std::uint8_t from, std::uint8_t to) {
        return std::uint8_t(from + (int(to) - int(from)) * step / fadeWidth);
    };
    return RGB(channel(GetRValue(old), GetRValue(color)), channel(GetGValue(old), GetGValue(color)),
               channel(GetBValue(old), GetBValue(color)));
}

} // namespace

void DrawFadeLine(TCanvas& canvas, const TRect& gap, const TRect& r, bool skipGap, int fadeWidth,
                  TColor color) {
    const int y = std::max(r.Top, gap.Top);
    const int mid = CheckedAdd(r.Left, RectWidth(r) / 2);
    const int leftFadeEnd = CheckedAdd(r.Left, fadeWidth);
    const int rightFadeStart = CheckedSub(r.Right, fadeWidth);
    const TColor plain = ColorToRGB(color);

    // The loops run in 64 bits so that a line ending at the largest position still ends.
    std::int64_t leftEnd = mid;
    std::int64_t rightStart = mid;
    if (skipGap) {
        leftEnd = std::int64_t(std::min(mid, gap.Left)) - 1;
        rightStart = std::max(mid, gap.Right);
    }
    for (std::int64_t x = r.Left; x <= leftEnd; ++x) {
        const TColor pixel = x < leftFadeEnd
                                 ? Blend(canvas.GetPixel(int(x), y), plain, x - r.Left, fadeWidth)
                                 : plain;
        canvas.SetPixel(int(x), y, pixel);
    }
    for (std::int64_t x = rightStart; x <= r.Right; ++x) {
        const TColor pixel = x > rightFadeStart
                                 ? Blend(canvas.GetPixel(int(x), y), plain, r.Right - x, fadeWidth)
                                 : plain;
        canvas.SetPixel(int(x), y, pixel);
    }
}
