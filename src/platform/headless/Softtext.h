#pragma once
// The line layout of DrawText on the headless platform, Softcanvas.h gives the rules; the Qt
// canvas lays its proportional text out by the same rules.

#include "toolkit/Graphics.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A character as shown: U is its offset from the start of its line.
struct TTextChar {
    unsigned char Char = 0;
    int U = 0;
    bool Underline = false;
};

struct TTextLine {
    std::vector<TTextChar> Chars;
    int Width = 0;
};

// How far a character advances the pen along a line, in pixels.
using TAdvance = std::function<int(unsigned char)>;

// The lines of text for the DrawText format flags, in a rectangle width pixels wide, each
// character as wide as advance says; tabs stop every tabWidth pixels (0: tabs are not expanded).
std::vector<TTextLine> LayOutText(const std::string& text, std::uint32_t format, int width,
                                  const TAdvance& advance, int tabWidth);

// Where the lines go: each line drawn, at its left end x and its top y.
using TPaintLine = std::function<void(int x, int y, const TTextLine& line)>;

// DrawText with the format flags in r, for a font lineHeight pixels high whose average
// character is averageWidth wide (the unit of tab stops), each character as wide as advance
// says: lays the lines out, places them and calls paint for each line drawn (none with
// dtCalcRect, which sets r's right and bottom edges instead); returns the height of the text.
// Clipping to r, unless dtNoClip or dtCalcRect, is the caller's.
int DrawTextLines(const std::string& text, TRect& r, std::uint32_t format, int lineHeight,
                  int averageWidth, const TAdvance& advance, const TPaintLine& paint);
