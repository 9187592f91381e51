#pragma once
// The font of the headless platform: fixed metrics that do not depend on the face name, and a
// small built-in bitmap font, so that layouts and pictures are the same on every machine.
//
// Metrics, for a TFont of Height h:
// - cell height: -h + 2 for h < 0 (the character height plus two pixels of internal leading, so
//   "MS Sans Serif" at -11 gives 13), h for h > 0, and that of -11 for h = 0 (the default size);
// - advance: every character, the blank included, is round((cell height - 2) * 6 / 11) pixels
//   wide, at least 1 (6 for -11, 7 for -13);
// - the name, bold, italic, pitch and escapement do not change them.
//
// Glyphs: each character is designed in a box of 6 x 13 pixels that is scaled into its cell by
// nearest neighbour: rows 0 and 1 are the internal leading, rows 2 to 8 hold the capitals (the
// baseline is below row 8), rows 9 and 10 the descenders, row 11 the underline; columns 0 to 4
// hold the glyph, column 5 is the gap. The glyphs are 5 x 9 patterns for the printable ASCII
// characters; every other byte is drawn as a hollow box.

#include "toolkit/Graphics.h"

struct TSoftFontMetrics {
    int CellHeight = 0;
    int Advance = 0;
};

TSoftFontMetrics SoftFontMetrics(const TFont& font);

// The design box (see above) and the rows of its underline and strike-out.
inline constexpr int SoftDesignWidth = 6;
inline constexpr int SoftDesignHeight = 13;
inline constexpr int SoftDesignBaseline = 9; // the first row below the baseline
inline constexpr int SoftUnderlineRow = 11;
inline constexpr int SoftStrikeOutRow = 6;

// True when the glyph of c covers design pixel (column, row) of the box.
bool SoftGlyphPixel(unsigned char c, int column, int row);
