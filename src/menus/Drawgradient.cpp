#include "menus/Drawgradient.h"

#include "menus/Bcrectutilities.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

// The colours of the gradient over a rectangle of at least one pixel in each direction.
class TGradientColors {
public:
    TGradientColors(TColor start, TColor end, const TRect& r, int width, int height)
        : Start(ColorToRGB(start)), R(r), Width(width), Height(height) {
        const TColor last = ColorToRGB(end);
        DeltaR = GetRValue(last) - GetRValue(Start);
        DeltaG = GetGValue(last) - GetGValue(Start);
        DeltaB = GetBValue(last) - GetBValue(Start);
    }

    TColor Horizontal(int x) const { return Step(x - std::int64_t(R.Left), Width); }
    TColor Vertical(int y) const { return Step(y - std::int64_t(R.Top), Height); }
    TColor Diagonal(int x, int y) const {
        const double f = ((y - double(R.Top)) / Height + (x - double(R.Left)) / Width) * 512;
        return Step(std::int64_t(f), 1024);
    }
    // The column of gsDiagonalRightLeft that shows the colour x has in gsDiagonalLeftRight.
    int Mirrored(int x) const {
        return int(std::int64_t(R.Right) - 1 - (x - std::int64_t(R.Left)));
    }

private:
    TColor Start;
    TRect R;
    std::int64_t Width;
    std::int64_t Height;
    int DeltaR = 0;
    int DeltaG = 0;
    int DeltaB = 0;

    // The colour d steps of n from the start. The products are taken in 64 bits: they can pass
    // 32 bits on a wide rectangle although the quotients are channel values.
    TColor Step(std::int64_t d, std::int64_t n) const {
        return RGB(std::uint8_t(GetRValue(Start) + DeltaR * d / n),
                   std::uint8_t(GetGValue(Start) + DeltaG * d / n),
                   std::uint8_t(GetBValue(Start) + DeltaB * d / n));
    }
};

// The part of r that lies in the bitmap: the bitmap form leaves out the pixels outside it.
TRect BitmapArea(const TBitmap& bitmap, const TRect& r) {
    return IntersectRect(r, Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

void FillRow(TBitmap& bitmap, const TRect& area, int y, TColor color) {
    std::fill(bitmap.ScanLine(y) + area.Left, bitmap.ScanLine(y) + area.Right, ColorToPixel(color));
}

void PaintBitmap(TBitmap& bitmap, const TRect& r, const TGradientColors& colors,
                 TGradientStyle style) {
    const TRect area = BitmapArea(bitmap, r);
    switch (style) {
    case gsHorizontal: {
        // One row of colours, written into every row.
        std::vector<std::uint32_t> row;
        for (int x = area.Left; x < area.Right; ++x) {
            row.push_back(ColorToPixel(colors.Horizontal(x)));
        }
        for (int y = area.Top; y < area.Bottom; ++y) {
            std::copy(row.begin(), row.end(), bitmap.ScanLine(y) + area.Left);
        }
        break;
    }
    case gsVertical:
        for (int y = area.Top; y < area.Bottom; ++y) {
            FillRow(bitmap, area, y, colors.Vertical(y));
        }
        break;
    case gsDiagonalLeftRight:
    case gsDiagonalRightLeft:
        // Mirroring is its own inverse: column x shows the colour of column Mirrored(x).
        for (int y = area.Top; y < area.Bottom; ++y) {
            std::uint32_t* pixels = bitmap.ScanLine(y);
            for (int x = area.Left; x < area.Right; ++x) {
                pixels[x] = ColorToPixel(
                    colors.Diagonal(style == gsDiagonalLeftRight ? x : colors.Mirrored(x), y));
            }
        }
        break;
    }
}

void FillSolid(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush.Color = color;
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.FillRect(r);
}

void PaintCanvas(TCanvas& canvas, const TRect& r, const TGradientColors& colors,
                 TGradientStyle style) {
    switch (style) {
    case gsHorizontal:
        for (int x = r.Left; x < r.Right; ++x) {
            canvas.SetPixel(x, r.Top, colors.Horizontal(x));
        }
        canvas.CopyRect(Rect(r.Left, r.Top + 1, r.Right, r.Bottom), canvas,
                        Rect(r.Left, r.Top, r.Right, r.Top + 1));
        break;
    case gsVertical:
        for (int y = r.Top; y < r.Bottom; ++y) {
            FillSolid(canvas, Rect(r.Left, y, r.Right, y + 1), colors.Vertical(y));
        }
        break;
    case gsDiagonalLeftRight:
    case gsDiagonalRightLeft:
        for (int y = r.Top; y < r.Bottom; ++y) {
            for (int x = r.Left; x < r.Right; ++x) {
                canvas.SetPixel(style == gsDiagonalLeftRight ? x : colors.Mirrored(x), y,
                                colors.Diagonal(x, y));
            }
        }
        break;
    }
}

} // namespace

void DrawGradient(TBitmap* bitmap, TCanvas* canvas, const TRect& r, TColor startColor,
                  TColor endColor, TGradientStyle style) {
    const int width = RectWidth(r);
    const int height = RectHeight(r);
    if (bitmap != nullptr && bitmap->Empty()) {
        return;
    }
    if (bitmap == nullptr && canvas == nullptr) {
        return;
    }
    try {
        if (startColor == endColor) {
            const TColor color = ColorToRGB(startColor);
            if (bitmap != nullptr) {
                const TRect area = BitmapArea(*bitmap, r);
                for (int y = area.Top; y < area.Bottom; ++y) {
                    FillRow(*bitmap, area, y, color);
                }
            } else {
                FillSolid(*canvas, r, color);
            }
            return;
        }
        if (height < 1 || width < 1) {
            return;
        }
        const TGradientColors colors(startColor, endColor, r, width, height);
        if (bitmap != nullptr) {
            PaintBitmap(*bitmap, r, colors, style);
        } else {
            PaintCanvas(*canvas, r, colors, style);
        }
    } catch (const std::exception&) {
        // A pixel or row that could not be painted ends the gradient; what is painted stays.
    }
}
