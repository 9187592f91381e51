// The check box's glyph pixels, against the description of each picture, and their .bmp form.

#include "widgets/Ornglyphs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using TRows = std::vector<std::string>;

TRows Empty() {
    return TRows(OrnGlyphSize, std::string(OrnGlyphSize, '.'));
}

// The sunken box, drawn frame by frame; interior is 'W' or transparent '.'.
TRows SunkenBox(char interior) {
    TRows rows = Empty();
    auto set = [&rows](int x, int y, char c) { rows[std::size_t(y)][std::size_t(x)] = c; };
    for (int i = 1; i <= 13; ++i) {
        set(i, 1, 'G');
        set(1, i, 'G');
    }
    for (int i = 1; i <= 14; ++i) {
        set(i, 14, 'W');
        set(14, i, 'W');
    }
    for (int i = 2; i <= 12; ++i) {
        set(i, 2, 'K');
        set(2, i, 'K');
    }
    for (int i = 2; i <= 13; ++i) {
        set(i, 13, 'S');
        set(13, i, 'S');
    }
    for (int y = 3; y <= 12; ++y) {
        for (int x = 3; x <= 12; ++x) {
            set(x, y, interior);
        }
    }
    return rows;
}

TRows FlatBox(char interior) {
    TRows rows = Empty();
    for (int y = 2; y <= 13; ++y) {
        for (int x = 2; x <= 13; ++x) {
            const bool edge = x == 2 || x == 13 || y == 2 || y == 13;
            rows[std::size_t(y)][std::size_t(x)] = edge ? 'G' : interior;
        }
    }
    return rows;
}

const TOrnGlyph& Glyph(const std::string& name) {
    for (const TOrnGlyph& glyph : OrnGlyphs()) {
        if (glyph.Name == name) {
            return glyph;
        }
    }
    throw std::runtime_error("no glyph " + name);
}

TRows RowsOf(const TOrnGlyph& glyph) {
    TRows rows;
    for (const char* row : glyph.Rows) {
        rows.push_back(row);
    }
    return rows;
}

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | std::uint8_t(bytes[at + std::size_t(i)]);
    }
    return value;
}

} // namespace

TEST(OrnGlyphs, BoxesAreTheFramesDescribed) {
    EXPECT_EQ(RowsOf(Glyph("JustBlank")), SunkenBox('W'));
    EXPECT_EQ(RowsOf(Glyph("Enabled")), SunkenBox('.'));
    EXPECT_EQ(RowsOf(Glyph("FlatBlank")), FlatBox('W'));
    EXPECT_EQ(RowsOf(Glyph("EnabledFlat")), FlatBox('.'));
}

TEST(OrnGlyphs, EveryGlyphIsSixteenSquareWithTransparentBottomLeft) {
    ASSERT_EQ(OrnGlyphs().size(), 5u);
    for (const TOrnGlyph& glyph : OrnGlyphs()) {
        for (const char* row : glyph.Rows) {
            ASSERT_EQ(std::string(row).size(), std::size_t(OrnGlyphSize)) << glyph.Name;
            for (const char* c = row; *c; ++c) {
                EXPECT_NE(std::string(".KGSWBN").find(*c), std::string::npos) << glyph.Name;
            }
        }
        EXPECT_EQ(OrnGlyphColor(glyph.Rows[OrnGlyphSize - 1][0]), clFuchsia) << glyph.Name;
    }
    EXPECT_EQ(OrnGlyphColor('G'), RGB(128, 128, 128));
    EXPECT_EQ(OrnGlyphColor('S'), RGB(192, 192, 192));
    EXPECT_EQ(OrnGlyphColor('N'), RGB(0, 0, 128));
    EXPECT_EQ(OrnGlyphColor('B'), RGB(0, 0, 255));
}

TEST(OrnGlyphs, BmpFileHoldsEveryPixelBottomRowFirst) {
    for (const TOrnGlyph& glyph : OrnGlyphs()) {
        const std::string bytes = OrnGlyphBmpFile(glyph);
        ASSERT_EQ(bytes.size(), 54u + 16 * 16 * 3) << glyph.Name;
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(LittleEndian(bytes, 2, 4), bytes.size());
        EXPECT_EQ(LittleEndian(bytes, 10, 4), 54u); // pixels follow the headers
        EXPECT_EQ(LittleEndian(bytes, 14, 4), 40u);
        EXPECT_EQ(LittleEndian(bytes, 18, 4), 16u);
        EXPECT_EQ(LittleEndian(bytes, 22, 4), 16u);
        EXPECT_EQ(LittleEndian(bytes, 28, 2), 24u);
        EXPECT_EQ(LittleEndian(bytes, 30, 4), 0u);
        for (int y = 0; y < OrnGlyphSize; ++y) {
            for (int x = 0; x < OrnGlyphSize; ++x) {
                const std::size_t at =
                    54 + std::size_t(OrnGlyphSize - 1 - y) * 48 + std::size_t(x) * 3;
                const TColor expected = OrnGlyphColor(glyph.Rows[std::size_t(y)][x]);
                const TColor actual = RGB(std::uint8_t(bytes[at + 2]), std::uint8_t(bytes[at + 1]),
                                          std::uint8_t(bytes[at]));
                ASSERT_EQ(actual, expected) << glyph.Name << " (" << x << ", " << y << ")";
            }
        }
    }
}
