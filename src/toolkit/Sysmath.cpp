#include "toolkit/Sysmath.h"

#include <limits>

namespace {

bool FitsInt32(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

std::int32_t Checked(std::int64_t exact) {
    if (!FitsInt32(exact)) {
        throw EIntOverflow();
    }
    return std::int32_t(exact);
}

} // namespace

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) {
        return -1;
    }
    // |a * b| < 2^62 and |c| <= 2^31, so neither the product nor twice the remainder overflows.
    const std::int64_t product = std::int64_t(a) * b;
    std::int64_t quotient = product / c;
    const std::int64_t remainder = product % c;
    const std::int64_t absRemainder = remainder < 0 ? -remainder : remainder;
    const std::int64_t absDivisor = c < 0 ? -std::int64_t(c) : std::int64_t(c);
    if (2 * absRemainder >= absDivisor) {
        quotient += (product < 0) == (c < 0) ? 1 : -1;
    }
    return FitsInt32(quotient) ? std::int32_t(quotient) : -1;
}

std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) {
    return Checked(std::int64_t(a) + b);
}
std::int32_t CheckedSub(std::int32_t a, std::int32_t b) {
    return Checked(std::int64_t(a) - b);
}
std::int32_t CheckedMul(std::int32_t a, std::int32_t b) {
    return Checked(std::int64_t(a) * b);
}
