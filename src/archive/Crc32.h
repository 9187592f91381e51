#pragma once
// The CRC-32 of zip and PNG (reflected polynomial 0xEDB88320), by which the game ports
// identify group files.

#include <cstddef>
#include <cstdint>

// Continues crc, the value for the bytes so far (0 for none), over size more bytes.
std::uint32_t Crc32(std::uint32_t crc, const void* data, std::size_t size);
