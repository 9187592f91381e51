#include "platform/headless/Sysicons.h"

#include "platform/headless/Softfont.h"

#include <cstdlib>
#include <functional>

namespace {

constexpr int iconSize = 32;

using TShape = std::function<bool(int x, int y)>;

// Pixels are measured at their centres, in half pixels, from the middle of the picture.
int Half(int coordinate) {
    return 2 * coordinate + 1 - iconSize;
}

bool InDisc(int x, int y) {
    return Half(x) * Half(x) + Half(y) * Half(y) <= 31 * 31;
}

// Apex at the top middle, base along the bottom rows.
bool InTriangle(int x, int y) {
    return y >= 2 && y <= 29 && std::abs(Half(x)) <= (y - 1) * 31 / 28;
}

// Fills shape with fill and its outermost pixels with outline.
void PaintShape(TBitmap& icon, const TShape& inside, TColor fill, TColor outline) {
    auto in = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < iconSize && y < iconSize && inside(x, y);
    };
    for (int y = 0; y < iconSize; ++y) {
        for (int x = 0; x < iconSize; ++x) {
            if (in(x, y)) {
                const bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
                icon.SetPixel(x, y, edge ? outline : fill);
            }
        }
    }
}

// The glyph of c from the headless font, each pixel a scale x scale block, its upper-left
// corner at (left, top).
void PaintGlyph(TBitmap& icon, unsigned char c, int scale, int left, int top, TColor color) {
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 5; ++column) {
            if (SoftGlyphPixel(c, column, row + 2)) {
                for (int dy = 0; dy < scale; ++dy) {
                    for (int dx = 0; dx < scale; ++dx) {
                        icon.SetPixel(left + column * scale + dx, top + row * scale + dy, color);
                    }
                }
            }
        }
    }
}

} // namespace

TBitmap ClassicSystemIcon(TSystemIcon icon) {
    if (icon != siHand && icon != siQuestion && icon != siExclamation && icon != siAsterisk) {
        return {};
    }
    TBitmap picture(iconSize, iconSize);
    picture.Canvas().Brush.Color = clFuchsia;
    picture.Canvas().FillRect(Rect(0, 0, iconSize, iconSize));
    const TColor darkBlue = RGB(0, 0, 160);
    switch (icon) {
    case siExclamation:
        PaintShape(picture, InTriangle, clYellow, clBlack);
        PaintGlyph(picture, '!', 2, 11, 11, clBlack);
        break;
    case siHand:
        PaintShape(picture, InDisc, clRed, clMaroon);
        PaintShape(
            picture,
            [](int x, int y) {
                return std::abs(Half(x)) <= 14 && std::abs(Half(y)) <= 14 &&
                       (std::abs(Half(x) - Half(y)) <= 4 || std::abs(Half(x) + Half(y)) <= 4);
            },
            clWhite, clWhite);
        break;
    case siAsterisk:
        PaintShape(picture, InDisc, clWhite, darkBlue);
        PaintGlyph(picture, 'i', 3, 8, 6, clBlue);
        break;
    default:
        PaintShape(picture, InDisc, clWhite, darkBlue);
        PaintGlyph(picture, '?', 3, 8, 6, clBlue);
        break;
    }
    return picture;
}
