// Writes the largest picture of a Windows icon file (.ico) as a PNG with its alpha channel: the
// Linux desktop's icon of the program, made from the Windows program's icon while the program is
// built. Only the pictures that icon holds are read: 32-bit BGRA bitmaps, stored bottom-up.
//
// Usage: icopng ICON PNG

#include <QImage>

#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::uint32_t Little(const std::vector<unsigned char>& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes[at + std::size_t(i)];
    }
    return value;
}

// The largest 32-bit picture of the icon file, or a null image with the reason in why.
QImage LargestPicture(const std::vector<unsigned char>& file, std::string& why) {
    if (file.size() < 6 || Little(file, 0, 2) != 0 || Little(file, 2, 2) != 1) {
        why = "not an icon file";
        return {};
    }
    const std::size_t count = Little(file, 4, 2);
    if (file.size() < 6 + 16 * count) {
        why = "directory larger than the file";
        return {};
    }
    QImage best;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const std::size_t size = Little(file, entry + 8, 4);
        const std::size_t offset = Little(file, entry + 12, 4);
        // The header's width, height (twice the picture's: the AND mask follows) and bit count.
        if (offset > file.size() || size > file.size() - offset || size < 40) {
            why = "picture past the end of the file";
            return {};
        }
        const int width = int(Little(file, offset + 4, 4));
        const int height = int(Little(file, offset + 8, 4)) / 2;
        const std::uint32_t bits = Little(file, offset + 14, 2);
        const std::size_t header = Little(file, offset, 4);
        if (bits != 32 || width <= 0 || width > 256 || height <= 0 || height > 256 ||
            header + std::size_t(width) * std::size_t(height) * 4 > size) {
            continue;
        }
        if (!best.isNull() && best.width() >= width) {
            continue;
        }
        best = QImage(width, height, QImage::Format_ARGB32);
        const unsigned char* pixels = file.data() + offset + header;
        for (int y = 0; y < height; ++y) {
            const unsigned char* row =
                pixels + std::size_t(height - 1 - y) * std::size_t(width) * 4;
            for (int x = 0; x < width; ++x) {
                const unsigned char* p = row + 4 * x;
                best.setPixel(x, y, qRgba(p[2], p[1], p[0], p[3]));
            }
        }
    }
    if (best.isNull() && why.empty()) {
        why = "no 32-bit picture";
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: icopng ICON PNG\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    std::string why;
    const QImage picture = LargestPicture(file, why);
    if (picture.isNull()) {
        std::cerr << "icopng: " << argv[1] << ": " << why << "\n";
        return 1;
    }
    if (!picture.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::cerr << "icopng: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
