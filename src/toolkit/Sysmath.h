#pragma once
// Integer helpers of the toolkit: scaling with rounding, and 32-bit arithmetic that refuses to
// wrap around.

#include "toolkit/Sysutils.h"

#include <cstdint>

// a * b / c, computed in 64 bits and rounded to the nearest integer, halves away from zero
// (MulDiv(1, 6, 4) is 2, MulDiv(-1, 6, 4) is -2). As on Win32 the result is -1 when c is 0 or
// when the quotient does not fit in 32 bits.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

// Raised by the checked operations below when the exact result does not fit in 32 bits.
class EIntOverflow : public Exception {
public:
    EIntOverflow() : Exception("Integer overflow") {}
};

// Raised where a value must lie in a range and does not (a system colour where only a plain RGB
// colour will do).
class ERangeError : public Exception {
public:
    ERangeError() : Exception("Range check error") {}
};

// Exact 32-bit signed sum, difference and product; EIntOverflow instead of a wrap-around.
std::int32_t CheckedAdd(std::int32_t a, std::int32_t b);
std::int32_t CheckedSub(std::int32_t a, std::int32_t b);
std::int32_t CheckedMul(std::int32_t a, std::int32_t b);
