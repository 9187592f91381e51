#include "archive/Crc32.h"

#include <array>

namespace {

// Tables[0] is the classic byte table; Tables[k][n] is the CRC of byte n followed by k zero
// bytes, which lets the loop below take eight bytes per step ("slicing by eight") instead of
// one: the CRC of a whole group file then runs at the speed of reading it.
using TTables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr TTables MakeTables() {
    TTables tables{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        tables[0][n] = c;
    }
    for (std::size_t k = 1; k < 8; ++k) {
        for (std::uint32_t n = 0; n < 256; ++n) {
            const std::uint32_t previous = tables[k - 1][n];
            tables[k][n] = tables[0][previous & 0xFF] ^ (previous >> 8);
        }
    }
    return tables;
}

constexpr TTables Tables = MakeTables();

} // namespace

std::uint32_t Crc32(std::uint32_t crc, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    crc = ~crc;
    for (; size >= 8; size -= 8, bytes += 8) {
        // The bytes are combined in file order, so the result does not depend on the machine's
        // byte order.
        const std::uint32_t low =
            crc ^ (std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                   std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24);
        crc = Tables[7][low & 0xFF] ^ Tables[6][(low >> 8) & 0xFF] ^ Tables[5][(low >> 16) & 0xFF] ^
              Tables[4][low >> 24] ^ Tables[3][bytes[4]] ^ Tables[2][bytes[5]] ^
              Tables[1][bytes[6]] ^ Tables[0][bytes[7]];
    }
    for (; size > 0; --size, ++bytes) {
        crc = Tables[0][(crc ^ *bytes) & 0xFF] ^ (crc >> 8);
    }
    return ~crc;
}
