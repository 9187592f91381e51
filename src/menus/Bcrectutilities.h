#pragma once
// Rectangle helpers of the menu drawing routines. Sizes are computed in checked 32-bit
// arithmetic: a rectangle whose width does not fit raises EIntOverflow instead of wrapping.

#include "toolkit/Graphics.h"

#include <cstdint>

// Right - Left and Bottom - Top; negative for a rectangle given the wrong way round.
std::int32_t RectWidth(const TRect& r);
std::int32_t RectHeight(const TRect& r);

// (0, 0, width, height) of bitmap, or NilRect when there is no bitmap.
TRect BitmapRect(const TBitmap* bitmap);

inline constexpr TRect NilRect = {0, 0, 0, 0};
