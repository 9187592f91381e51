#pragma once
// Small helpers of the menu drawing routines: a colour with a fourth byte, the smaller and
// larger of two integers, and rounding a half to even.

#include "toolkit/Graphics.h"

#include <cmath>
#include <cstdint>

// The colour 0xAABBGGRR: red in the low byte, the fourth byte A in the high one. A 0 gives the
// toolkit's plain colour RGB(r, g, b).
constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    return TColor(a) << 24 | TColor(b) << 16 | TColor(g) << 8 | TColor(r);
}

constexpr int Min(int a, int b) {
    return a < b ? a : b;
}
constexpr int Max(int a, int b) {
    return a > b ? a : b;
}

// value rounded to the nearest integer, a half to the even neighbour (5.5 and 6.5 both give 6),
// as centring in the menus rounds.
inline int RoundHalfEven(double value) {
    return int(std::nearbyint(value));
}
