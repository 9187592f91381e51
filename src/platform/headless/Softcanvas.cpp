#include "platform/headless/Softcanvas.h"

#include "platform/headless/Drawrules.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <functional>

namespace {

std::uint32_t Resolve(TColor color) {
    return ColorToPixel(ColorToRGB(color));
}

std::uint32_t SysPixel(int index) {
    return Resolve(clSystemColor + TColor(index));
}

int Mod(int a, int n) {
    const int m = a % n;
    return m < 0 ? m + n : m;
}

// Which quarter turn the escapement (tenths of a degree, counter-clockwise) is nearest to.
int QuarterTurns(int escapement) {
    return (Mod(escapement, 3600) + 450) / 900 % 4;
}

} // namespace

// ---- Construction and pixels -------------------------------------------------------------------

TSoftCanvas::TSoftCanvas(int width, int height)
    : OwnPixels(std::size_t(std::max(width, 0)) * std::size_t(std::max(height, 0))),
      Pixels(OwnPixels.data()), SurfaceWidth(std::max(width, 0)),
      SurfaceHeight(std::max(height, 0)), Clip{0, 0, SurfaceWidth, SurfaceHeight} {}

TSoftCanvas::TSoftCanvas(std::uint32_t* bits, int width, int height)
    : Pixels(bits), SurfaceWidth(std::max(width, 0)),
      SurfaceHeight(std::max(height, 0)), Clip{0, 0, SurfaceWidth, SurfaceHeight} {}

TColor TSoftCanvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= SurfaceWidth || y >= SurfaceHeight) {
        return clNone;
    }
    return PixelToColor(Pixels[std::size_t(y) * std::size_t(SurfaceWidth) + std::size_t(x)]);
}

TRect TSoftCanvas::ToDevice(const TRect& r) const {
    TRect d = r;
    OffsetRect(d, Origin.X, Origin.Y);
    return d;
}

void TSoftCanvas::Plot(int x, int y, std::uint32_t pixel) {
    if (Clip.Contains({x, y})) {
        Pixels[std::size_t(y) * std::size_t(SurfaceWidth) + std::size_t(x)] = pixel;
    }
}

void TSoftCanvas::FillDevice(const TRect& r, std::uint32_t pixel) {
    const TRect area = IntersectRect(r, Clip);
    for (int y = area.Top; y < area.Bottom; ++y) {
        std::fill_n(Pixels + std::size_t(y) * std::size_t(SurfaceWidth) + std::size_t(area.Left),
                    area.Width(), pixel);
    }
}

void TSoftCanvas::FrameDevice(const TRect& r, int thickness, std::uint32_t pixel, bool dotted) {
    ForFramePixels(r, thickness, [&](int x, int y) {
        if (!dotted || (x + y) % 2 == 0) {
            Pixels[std::size_t(y) * std::size_t(SurfaceWidth) + std::size_t(x)] = pixel;
        }
    });
}

void TSoftCanvas::ForFramePixels(const TRect& r, int thickness,
                                 const std::function<void(int, int)>& visit) const {
    for (const TRect& band : FrameBands(r, thickness)) {
        const TRect area = IntersectRect(band, Clip);
        for (int y = area.Top; y < area.Bottom; ++y) {
            for (int x = area.Left; x < area.Right; ++x) {
                visit(x, y);
            }
        }
    }
}

// ---- Shapes ------------------------------------------------------------------------------------

void TSoftCanvas::FillRect(const TRect& r) {
    if (Brush.Style == TBrushStyle::Solid) {
        FillDevice(ToDevice(r), Resolve(Brush.Color));
    }
}

void TSoftCanvas::FrameRect(const TRect& r) {
    if (Brush.Style == TBrushStyle::Solid) {
        FrameDevice(ToDevice(r), 1, Resolve(Brush.Color), false);
    }
}

void TSoftCanvas::Rectangle(const TRect& r) {
    const int thickness = Pen.Style == TPenStyle::Clear ? 0 : std::max(1, Pen.Width);
    TRect interior = r;
    InflateRect(interior, -thickness, -thickness);
    if (Brush.Style == TBrushStyle::Solid) {
        FillDevice(ToDevice(interior), Resolve(Brush.Color));
    }
    if (thickness > 0) {
        FrameDevice(ToDevice(r), thickness, Resolve(Pen.Color), Pen.Style == TPenStyle::Dot);
    }
}

void TSoftCanvas::MoveTo(int x, int y) {
    PenPos = {x, y};
}

void TSoftCanvas::LineTo(int x, int y) {
    const TPoint from = PenPos;
    PenPos = {x, y};
    if (Pen.Style == TPenStyle::Clear) {
        return;
    }
    const std::uint32_t pixel = Resolve(Pen.Color);
    const int width = std::max(1, Pen.Width);
    ForLinePoints(from, PenPos, Pen.Style == TPenStyle::Dot, [&](TPoint p) {
        FillDevice(ToDevice(Bounds(p.X - width / 2, p.Y - width / 2, width, width)), pixel);
    });
}

TColor TSoftCanvas::GetPixel(int x, int y) {
    const TPoint p{x + Origin.X, y + Origin.Y};
    return Clip.Contains(p) ? Pixel(p.X, p.Y) : clNone;
}

void TSoftCanvas::SetPixel(int x, int y, TColor color) {
    Plot(x + Origin.X, y + Origin.Y, Resolve(color));
}

void TSoftCanvas::PatternFill(const TRect& r, const TBitmap& pattern) {
    if (pattern.Empty()) {
        return;
    }
    // The pattern is anchored at the device origin, as a brush is.
    const TRect area = IntersectRect(ToDevice(r), Clip);
    for (int y = area.Top; y < area.Bottom; ++y) {
        const std::uint32_t* row = pattern.ScanLine(Mod(y, pattern.Height()));
        for (int x = area.Left; x < area.Right; ++x) {
            Plot(x, y, row[Mod(x, pattern.Width())]);
        }
    }
}

// ---- Copies ------------------------------------------------------------------------------------

void TSoftCanvas::StretchPixels(const TRect& dest, int width, int height,
                                const std::function<TColor(int, int)>& source) {
    const TRect d = ToDevice(dest);
    if (d.IsEmpty() || width <= 0 || height <= 0) {
        return;
    }
    const TRect area = IntersectRect(d, Clip);
    for (int y = area.Top; y < area.Bottom; ++y) {
        const int sy = StretchSource(y - d.Top, d.Height(), height);
        for (int x = area.Left; x < area.Right; ++x) {
            const int sx = StretchSource(x - d.Left, d.Width(), width);
            const TColor c = source(sx, sy);
            if (c != clNone) {
                Plot(x, y, ColorToPixel(c));
            }
        }
    }
}

void TSoftCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& src) {
    if (src.IsEmpty()) {
        return;
    }
    // Only the part of src that the source has is read, and it is read first, so that a copy
    // within this canvas sees the pixels as they were.
    auto* soft = dynamic_cast<TSoftCanvas*>(&source);
    TRect readable = source.ClipRect();
    if (soft) {
        readable = Rect(0, 0, soft->SurfaceWidth, soft->SurfaceHeight);
        OffsetRect(readable, -soft->Origin.X, -soft->Origin.Y);
    }
    readable = IntersectRect(readable, src);
    std::vector<TColor> pixels;
    pixels.reserve(std::size_t(readable.Width()) * std::size_t(readable.Height()));
    for (int y = readable.Top; y < readable.Bottom; ++y) {
        for (int x = readable.Left; x < readable.Right; ++x) {
            pixels.push_back(soft ? soft->Pixel(x + soft->Origin.X, y + soft->Origin.Y)
                                  : source.GetPixel(x, y));
        }
    }
    StretchPixels(dest, src.Width(), src.Height(), [&](int sx, int sy) {
        const TPoint p{src.Left + sx, src.Top + sy};
        if (!readable.Contains(p)) {
            return clNone;
        }
        return pixels[std::size_t(p.Y - readable.Top) * std::size_t(readable.Width()) +
                      std::size_t(p.X - readable.Left)];
    });
}

void TSoftCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    StretchDraw(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TSoftCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
    if (bitmap.Empty()) {
        return;
    }
    // A copy, since the bitmap may be the one this canvas draws on.
    const TBitmap picture = bitmap;
    const TColor transparent = bitmap.Transparent ? ColorToRGB(bitmap.TransparentColor()) : clNone;
    StretchPixels(dest, picture.Width(), picture.Height(), [&](int sx, int sy) {
        const TColor c = PixelToColor(picture.ScanLine(sy)[sx]);
        return c == transparent ? clNone : c;
    });
}

// ---- Text --------------------------------------------------------------------------------------

TSize TSoftCanvas::TextExtent(const std::string& text) {
    const TSoftFontMetrics metrics = SoftFontMetrics(Font);
    return {int(text.size()) * metrics.Advance, metrics.CellHeight};
}

void TSoftCanvas::TextOut(int x, int y, const std::string& text) {
    const int advance = SoftFontMetrics(Font).Advance;
    std::vector<TTextChar> chars;
    for (const char c : text) {
        chars.push_back({static_cast<unsigned char>(c), int(chars.size()) * advance, false});
    }
    PaintRun(x, y, chars, int(text.size()) * advance);
}

void TSoftCanvas::PaintRun(int x, int y, const std::vector<TTextChar>& chars, int width) {
    const TSoftFontMetrics metrics = SoftFontMetrics(Font);
    const int cellHeight = metrics.CellHeight;
    const int advance = metrics.Advance;
    const TPoint ref{x + Origin.X, y + Origin.Y};
    const int turns = QuarterTurns(Font.Escapement);
    // Text space (u along the line, v down the cell) to device pixels.
    auto plot = [&](int u, int v, std::uint32_t pixel) {
        switch (turns) {
        case 0:
            Plot(ref.X + u, ref.Y + v, pixel);
            break;
        case 1:
            Plot(ref.X + v, ref.Y - 1 - u, pixel);
            break;
        case 2:
            Plot(ref.X - 1 - u, ref.Y - 1 - v, pixel);
            break;
        default:
            Plot(ref.X - 1 - v, ref.Y + u, pixel);
            break;
        }
    };
    auto designRow = [&](int v) { return v * SoftDesignHeight / cellHeight; };
    auto line = [&](int row, int from, int to, std::uint32_t pixel) {
        for (int v = 0; v < cellHeight; ++v) {
            if (designRow(v) == row) {
                for (int u = from; u < to; ++u) {
                    plot(u, v, pixel);
                }
            }
        }
    };

    if (Brush.Style == TBrushStyle::Solid) {
        const std::uint32_t background = Resolve(Brush.Color);
        for (int v = 0; v < cellHeight; ++v) {
            for (int u = 0; u < width; ++u) {
                plot(u, v, background);
            }
        }
    }
    const std::uint32_t ink = Resolve(Font.Color);
    const bool bold = Font.Style & fsBold;
    const bool italic = Font.Style & fsItalic;
    const int baseline = SoftDesignBaseline * cellHeight / SoftDesignHeight;
    for (const TTextChar& c : chars) {
        for (int v = 0; v < cellHeight; ++v) {
            const int shear = italic ? std::max(0, baseline - v) / 3 : 0;
            for (int cu = 0; cu < advance; ++cu) {
                if (!SoftGlyphPixel(c.Char, cu * SoftDesignWidth / advance, designRow(v))) {
                    continue;
                }
                plot(c.U + cu + shear, v, ink);
                if (bold) {
                    plot(c.U + cu + shear + 1, v, ink);
                }
            }
        }
        if (c.Underline) {
            line(SoftUnderlineRow, c.U, c.U + advance, ink);
        }
    }
    if (Font.Style & fsUnderline) {
        line(SoftUnderlineRow, 0, width, ink);
    }
    if (Font.Style & fsStrikeOut) {
        line(SoftStrikeOutRow, 0, width, ink);
    }
}

int TSoftCanvas::DrawText(const std::string& text, TRect& r, std::uint32_t format) {
    const TSoftFontMetrics metrics = SoftFontMetrics(Font);
    const TRect savedClip = Clip;
    if (!(format & (dtCalcRect | dtNoClip))) {
        Clip = IntersectRect(Clip, ToDevice(r));
    }
    const int height = DrawTextLines(
        text, r, format, metrics.CellHeight, metrics.Advance,
        [&](unsigned char) { return metrics.Advance; },
        [&](int x, int y, const TTextLine& line) { PaintRun(x, y, line.Chars, line.Width); });
    Clip = savedClip;
    return height;
}

// ---- Edges and focus ---------------------------------------------------------------------------

void TSoftCanvas::DrawEdge(TRect& r, std::uint32_t edge, std::uint32_t flags) {
    const TRect inside = EdgeLines(r, edge, flags, [&](const TRect& line, int index) {
        FillDevice(ToDevice(line), SysPixel(index));
    });
    if (flags & bfAdjust) {
        r = inside;
    }
}

void TSoftCanvas::DrawFocusRect(const TRect& r) {
    ForFramePixels(ToDevice(r), 1, [&](int x, int y) {
        if ((x + y) % 2 != 0) {
            Pixels[std::size_t(y) * std::size_t(SurfaceWidth) + std::size_t(x)] ^= 0xFFFFFF;
        }
    });
}

// ---- State -------------------------------------------------------------------------------------

int TSoftCanvas::SaveDC() {
    SavedStates.push_back({Font, Brush, Pen, Clip, Origin, PenPos});
    return int(SavedStates.size());
}

void TSoftCanvas::RestoreDC(int saved) {
    const int level = saved < 0 ? int(SavedStates.size()) + saved + 1 : saved;
    if (level < 1 || level > int(SavedStates.size())) {
        return;
    }
    const TState& state = SavedStates[std::size_t(level - 1)];
    Font = state.Font;
    Brush = state.Brush;
    Pen = state.Pen;
    Clip = state.Clip;
    Origin = state.Origin;
    PenPos = state.PenPos;
    SavedStates.resize(std::size_t(level - 1));
}

void TSoftCanvas::IntersectClipRect(const TRect& r) {
    Clip = IntersectRect(Clip, ToDevice(r));
}

TRect TSoftCanvas::ClipRect() {
    if (Clip.IsEmpty()) {
        return {};
    }
    TRect r = Clip;
    OffsetRect(r, -Origin.X, -Origin.Y);
    return r;
}

void TSoftCanvas::MoveOrigin(int dx, int dy) {
    Origin.X += dx;
    Origin.Y += dy;
}

// ---- Gradient ----------------------------------------------------------------------------------

bool TSoftCanvas::GradientFill(const TTriVertex& upperLeft, const TTriVertex& lowerRight,
                               TGradientFillMode mode) {
    // Only the bands that meet the clip rectangle; an empty or inverted rectangle succeeds.
    GradientBands(upperLeft, lowerRight, mode, ClipRect(), [&](const TRect& band, TColor color) {
        FillDevice(ToDevice(band), ColorToPixel(color));
    });
    return true;
}
