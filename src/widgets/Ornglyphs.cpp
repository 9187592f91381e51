#include "widgets/Ornglyphs.h"

#include <cassert>
#include <cstdint>

const std::array<TOrnGlyph, 5>& OrnGlyphs() {
    // The sunken 3D box: a grey and white outer frame, a black and silver inner one.
    static const std::array<TOrnGlyph, 5> glyphs = {{
        {"JustBlank",
         {"................", ".GGGGGGGGGGGGGW.", ".GKKKKKKKKKKKSW.", ".GKWWWWWWWWWWSW.",
          ".GKWWWWWWWWWWSW.", ".GKWWWWWWWWWWSW.", ".GKWWWWWWWWWWSW.", ".GKWWWWWWWWWWSW.",
          ".GKWWWWWWWWWWSW.", ".GKWWWWWWWWWWSW.", ".GKWWWWWWWWWWSW.", ".GKWWWWWWWWWWSW.",
          ".GKWWWWWWWWWWSW.", ".GSSSSSSSSSSSSW.", ".WWWWWWWWWWWWWW.", "................"}},
        {"Enabled",
         {"................", ".GGGGGGGGGGGGGW.", ".GKKKKKKKKKKKSW.", ".GK..........SW.",
          ".GK..........SW.", ".GK..........SW.", ".GK..........SW.", ".GK..........SW.",
          ".GK..........SW.", ".GK..........SW.", ".GK..........SW.", ".GK..........SW.",
          ".GK..........SW.", ".GSSSSSSSSSSSSW.", ".WWWWWWWWWWWWWW.", "................"}},
        {"FlatBlank",
         {"................", "................", "..GGGGGGGGGGGG..", "..GWWWWWWWWWWG..",
          "..GWWWWWWWWWWG..", "..GWWWWWWWWWWG..", "..GWWWWWWWWWWG..", "..GWWWWWWWWWWG..",
          "..GWWWWWWWWWWG..", "..GWWWWWWWWWWG..", "..GWWWWWWWWWWG..", "..GWWWWWWWWWWG..",
          "..GWWWWWWWWWWG..", "..GGGGGGGGGGGG..", "................", "................"}},
        {"EnabledFlat",
         {"................", "................", "..GGGGGGGGGGGG..", "..G..........G..",
          "..G..........G..", "..G..........G..", "..G..........G..", "..G..........G..",
          "..G..........G..", "..G..........G..", "..G..........G..", "..G..........G..",
          "..G..........G..", "..GGGGGGGGGGGG..", "................", "................"}},
        {"CheckOk",
         {"................", "..............B.", "............BBN.", "...........BBN..",
          "..........BBN...", ".........BBN....", "........BBBN....", "..BN....BBN.....",
          "..BBBN.BBBN.....", "...BBBBBBN......", "....BBBBBN......", ".....BBBN.......",
          ".....BBBN.......", "......BN........", "................", "................"}},
    }};
    return glyphs;
}

TColor OrnGlyphColor(char letter) {
    switch (letter) {
    case 'K':
        return clBlack;
    case 'G':
        return clGray;
    case 'S':
        return clSilver;
    case 'W':
        return clWhite;
    case 'B':
        return clBlue;
    case 'N':
        return clNavy;
    default:
        assert(letter == '.');
        return clFuchsia;
    }
}

namespace {

void PutLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes += char((value >> (8 * i)) & 0xFF);
    }
}

} // namespace

std::string OrnGlyphBmpFile(const TOrnGlyph& glyph) {
    // Rows of 16 three-byte pixels are 48 bytes, a multiple of four: no padding.
    constexpr std::uint32_t headerSize = 14 + 40;
    constexpr std::uint32_t imageSize = OrnGlyphSize * OrnGlyphSize * 3;
    std::string bytes = "BM";
    PutLittleEndian(bytes, headerSize + imageSize, 4);
    PutLittleEndian(bytes, 0, 4); // reserved
    PutLittleEndian(bytes, headerSize, 4);
    PutLittleEndian(bytes, 40, 4); // BITMAPINFOHEADER
    PutLittleEndian(bytes, OrnGlyphSize, 4);
    PutLittleEndian(bytes, OrnGlyphSize, 4); // positive: the bottom row comes first
    PutLittleEndian(bytes, 1, 2);            // planes
    PutLittleEndian(bytes, 24, 2);           // bits per pixel
    PutLittleEndian(bytes, 0, 4);            // no compression
    PutLittleEndian(bytes, imageSize, 4);
    PutLittleEndian(bytes, 2835, 4); // 72 dots per inch, in dots per metre
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 0, 4); // colours used
    PutLittleEndian(bytes, 0, 4); // important colours
    for (int y = OrnGlyphSize - 1; y >= 0; --y) {
        for (int x = 0; x < OrnGlyphSize; ++x) {
            const TColor color = OrnGlyphColor(glyph.Rows[std::size_t(y)][x]);
            bytes += char(GetBValue(color));
            bytes += char(GetGValue(color));
            bytes += char(GetRValue(color));
        }
    }
    return bytes;
}
