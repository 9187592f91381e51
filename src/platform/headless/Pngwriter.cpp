#include "platform/headless/Pngwriter.h"

#include "toolkit/Sysutils.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace {

using TBytes = std::vector<std::uint8_t>;

std::uint32_t Crc(const std::uint8_t* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const TBytes& data) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

void PutBigEndian(TBytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(std::uint8_t(value >> shift));
    }
}

void PutChunk(TBytes& out, const char* type, const TBytes& data) {
    PutBigEndian(out, std::uint32_t(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, Crc(out.data() + start, out.size() - start));
}

// A zlib stream of raw in stored (uncompressed) deflate blocks.
TBytes StoredZlib(const TBytes& raw) {
    TBytes z{0x78, 0x01};
    std::size_t pos = 0;
    do {
        const std::size_t size = std::min<std::size_t>(raw.size() - pos, 65535);
        const bool last = pos + size == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(std::uint8_t(size));
        z.push_back(std::uint8_t(size >> 8));
        z.push_back(std::uint8_t(~size));
        z.push_back(std::uint8_t(~size >> 8));
        z.insert(z.end(), raw.begin() + std::ptrdiff_t(pos),
                 raw.begin() + std::ptrdiff_t(pos + size));
        pos += size;
    } while (pos < raw.size());
    PutBigEndian(z, Adler32(raw));
    return z;
}

} // namespace

bool WritePng(const std::string& path, int width, int height, const std::uint32_t* pixels) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    TBytes header;
    PutBigEndian(header, std::uint32_t(width));
    PutBigEndian(header, std::uint32_t(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits per channel, RGB, no interlace
    TBytes raw;
    raw.reserve(std::size_t(height) * (std::size_t(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
            raw.insert(raw.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)});
        }
    }
    TBytes file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", StoredZlib(raw));
    PutChunk(file, "IEND", {});

    const THandle handle = FileCreate(path);
    if (handle == InvalidHandle) {
        return false;
    }
    const bool written =
        FileWrite(handle, file.data(), std::int64_t(file.size())) == std::int64_t(file.size());
    return FileClose(handle) && written;
}

bool WritePng(const std::string& path, const TSoftCanvas& canvas) {
    return WritePng(path, canvas.Width(), canvas.Height(), canvas.Bits());
}

bool WritePng(const std::string& path, const TBitmap& bitmap) {
    if (bitmap.Empty()) {
        return false;
    }
    return WritePng(path, bitmap.Width(), bitmap.Height(), bitmap.ScanLine(0));
}
