#pragma once
// The five 16 x 16 glyphs of the check box (Orncheckbox.h): the one description of their
// pixels. The tests' bitmap resources and the Windows program's bitmap resources (.bmp files
// written at build time) are both made from it, so the two cannot drift apart.
//
// This unit uses nothing of the toolkit but its colour values, so that a build tool running on
// the build machine can compile it on its own.

#include "toolkit/Graphics.h"

#include <array>
#include <string>

inline constexpr int OrnGlyphSize = 16;

struct TOrnGlyph {
    // The resource name the check box loads it by.
    const char* Name;
    // Rows from the top, one letter a pixel (see OrnGlyphColor).
    std::array<const char*, OrnGlyphSize> Rows;
};

// "JustBlank", "Enabled", "FlatBlank", "EnabledFlat", "CheckOk".
const std::array<TOrnGlyph, 5>& OrnGlyphs();

// The colour of a letter of the rows: '.' magenta (RGB 255, 0, 255, the transparent colour),
// 'K' black, 'G' grey, 'S' silver, 'W' white, 'B' blue, 'N' navy.
TColor OrnGlyphColor(char letter);

// glyph as the bytes of a 24-bit Windows bitmap file (.bmp).
std::string OrnGlyphBmpFile(const TOrnGlyph& glyph);
