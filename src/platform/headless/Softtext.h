#pragma once
// The line layout of DrawText on the headless platform; Softcanvas.h gives the rules.

#include <cstdint>
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

// The lines of text for the DrawText format flags, in a rectangle width pixels wide, with every
// character advance pixels wide; tabs stop every tabWidth pixels (0: tabs are not expanded).
std::vector<TTextLine> LayOutText(const std::string& text, std::uint32_t format, int width,
                                  int advance, int tabWidth);
