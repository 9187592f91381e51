#include "platform/qt/Qtcanvas.h"

#include "platform/headless/Drawrules.h"
#include "platform/qt/Qtfont.h"

#include <QBrush>
#include <QFontMetrics>
#include <QString>

#include <algorithm>
#include <cstddef>

namespace {

QColor Native(TColor color) {
    const TColor c = ColorToRGB(color);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QRect Native(const TRect& r) {
    return QRect(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
}

// Bitmap pixels keep 0 in their top byte; Qt's 32-bit RGB images want 0xFF there.
constexpr std::uint32_t opaque = 0xFF000000;

QString Latin1(unsigned char c) {
    return QString(QChar(char16_t(c)));
}

} // namespace

TQtCanvas::TQtCanvas(QPaintDevice& device)
    : Image(device.devType() == QInternal::Image ? static_cast<QImage*>(&device) : nullptr),
      PainterValue(&device), Clip{0, 0, device.width(), device.height()} {
    SetClip(Clip);
}

bool TQtCanvas::TakePainted() {
    const bool painted = Painted;
    Painted = false;
    return painted;
}

TRect TQtCanvas::ToDevice(const TRect& r) const {
    TRect d = r;
    OffsetRect(d, Origin.X, Origin.Y);
    return d;
}

void TQtCanvas::FillDevice(const TRect& r, TColor color) {
    if (!r.IsEmpty()) {
        Painted = true;
        PainterValue.fillRect(Native(r), Native(color));
    }
}

void TQtCanvas::SetClip(const TRect& clip) {
    Clip = clip;
    PainterValue.setClipRect(Native(Clip));
}

TColor TQtCanvas::DevicePixel(int x, int y) const {
    if (!Image || x < 0 || y < 0 || x >= Image->width() || y >= Image->height()) {
        return clNone;
    }
    const auto* row = reinterpret_cast<const std::uint32_t*>(Image->constScanLine(y));
    return PixelToColor(row[x] & ~opaque);
}

// ---- Shapes ------------------------------------------------------------------------------------

void TQtCanvas::FillRect(const TRect& r) {
    if (Brush.Style == TBrushStyle::Solid) {
        FillDevice(ToDevice(r), Brush.Color);
    }
}

void TQtCanvas::FrameRect(const TRect& r) {
    if (Brush.Style == TBrushStyle::Solid) {
        for (const TRect& band : FrameBands(ToDevice(r), 1)) {
            FillDevice(band, Brush.Color);
        }
    }
}

void TQtCanvas::Rectangle(const TRect& r) {
    const int thickness = Pen.Style == TPenStyle::Clear ? 0 : std::max(1, Pen.Width);
    TRect interior = r;
    InflateRect(interior, -thickness, -thickness);
    if (Brush.Style == TBrushStyle::Solid) {
        FillDevice(ToDevice(interior), Brush.Color);
    }
    if (thickness == 0) {
        return;
    }
    for (const TRect& band : FrameBands(ToDevice(r), thickness)) {
        if (Pen.Style != TPenStyle::Dot) {
            FillDevice(band, Pen.Color);
            continue;
        }
        // A dotted pen paints the pixels whose device x + y is even.
        for (int y = band.Top; y < band.Bottom; ++y) {
            for (int x = band.Left; x < band.Right; ++x) {
                if ((x + y) % 2 == 0) {
                    FillDevice(Bounds(x, y, 1, 1), Pen.Color);
                }
            }
        }
    }
}

void TQtCanvas::MoveTo(int x, int y) {
    PenPos = {x, y};
}

void TQtCanvas::LineTo(int x, int y) {
    const TPoint from = PenPos;
    PenPos = {x, y};
    if (Pen.Style == TPenStyle::Clear) {
        return;
    }
    const int width = std::max(1, Pen.Width);
    ForLinePoints(from, PenPos, Pen.Style == TPenStyle::Dot, [&](TPoint p) {
        FillDevice(ToDevice(Bounds(p.X - width / 2, p.Y - width / 2, width, width)), Pen.Color);
    });
}

TColor TQtCanvas::GetPixel(int x, int y) {
    const TPoint p{x + Origin.X, y + Origin.Y};
    return Clip.Contains(p) ? DevicePixel(p.X, p.Y) : clNone;
}

void TQtCanvas::SetPixel(int x, int y, TColor color) {
    FillDevice(ToDevice(Bounds(x, y, 1, 1)), color);
}

void TQtCanvas::PatternFill(const TRect& r, const TBitmap& pattern) {
    if (pattern.Empty()) {
        return;
    }
    QImage tile(pattern.Width(), pattern.Height(), QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y) {
        const std::uint32_t* from = pattern.ScanLine(y);
        auto* to = reinterpret_cast<std::uint32_t*>(tile.scanLine(y));
        for (int x = 0; x < tile.width(); ++x) {
            to[x] = from[x] | opaque;
        }
    }
    // The pattern is anchored at the device origin, as a brush is.
    Painted = true;
    PainterValue.setBrushOrigin(0, 0);
    PainterValue.fillRect(Native(ToDevice(r)), QBrush(tile));
}

// ---- Copies ------------------------------------------------------------------------------------

void TQtCanvas::PaintStretched(const TRect& dest, int width, int height,
                               const std::function<TColor(int, int)>& source) {
    const TRect d = ToDevice(dest);
    if (d.IsEmpty() || width <= 0 || height <= 0) {
        return;
    }
    const TRect area = IntersectRect(d, Clip);
    if (area.IsEmpty()) {
        return;
    }
    // The part of dest that shows, mapped pixel by pixel and drawn unscaled, so that the
    // mapping is the software canvas's; pixels left alone are transparent.
    QImage picture(area.Width(), area.Height(), QImage::Format_ARGB32);
    for (int y = area.Top; y < area.Bottom; ++y) {
        const int sy = StretchSource(y - d.Top, d.Height(), height);
        auto* row = reinterpret_cast<std::uint32_t*>(picture.scanLine(y - area.Top));
        for (int x = area.Left; x < area.Right; ++x) {
            const TColor c = source(StretchSource(x - d.Left, d.Width(), width), sy);
            row[x - area.Left] = c == clNone ? 0 : ColorToPixel(c) | opaque;
        }
    }
    Painted = true;
    PainterValue.drawImage(QPoint(area.Left, area.Top), picture);
}

void TQtCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& src) {
    if (src.IsEmpty()) {
        return;
    }
    // The source is read whole before anything is painted, so that a copy within this canvas
    // sees the pixels as they were. A Qt canvas is read whatever its clipping, others through
    // GetPixel.
    auto* qt = dynamic_cast<TQtCanvas*>(&source);
    std::vector<TColor> pixels;
    pixels.reserve(std::size_t(src.Width()) * std::size_t(src.Height()));
    for (int y = src.Top; y < src.Bottom; ++y) {
        for (int x = src.Left; x < src.Right; ++x) {
            pixels.push_back(qt ? qt->DevicePixel(x + qt->Origin.X, y + qt->Origin.Y)
                                : source.GetPixel(x, y));
        }
    }
    PaintStretched(dest, src.Width(), src.Height(), [&](int sx, int sy) {
        return pixels[std::size_t(sy) * std::size_t(src.Width()) + std::size_t(sx)];
    });
}

void TQtCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    StretchDraw(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TQtCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
    if (bitmap.Empty()) {
        return;
    }
    const TColor transparent = bitmap.Transparent ? ColorToRGB(bitmap.TransparentColor()) : clNone;
    PaintStretched(dest, bitmap.Width(), bitmap.Height(), [&](int sx, int sy) {
        const TColor c = PixelToColor(bitmap.ScanLine(sy)[sx]);
        return c == transparent ? clNone : c;
    });
}

// ---- Text --------------------------------------------------------------------------------------

const QFont& TQtCanvas::CurrentFont() {
    if (!FontValid || !(FontMade == Font)) {
        FontValue = QtFont(Font);
        FontSyntheticBold = SyntheticBold(Font, FontValue);
        FontMade = Font;
        FontValid = true;
    }
    return FontValue;
}

int TQtCanvas::Advance(const QFontMetrics& metrics, unsigned char c) {
    return metrics.horizontalAdvance(Latin1(c)) + (FontSyntheticBold ? 1 : 0);
}

TSize TQtCanvas::TextExtent(const std::string& text) {
    const QFontMetrics metrics(CurrentFont());
    int width = 0;
    for (const char c : text) {
        width += Advance(metrics, static_cast<unsigned char>(c));
    }
    return {width, metrics.height()};
}

void TQtCanvas::TextOut(int x, int y, const std::string& text) {
    const QFontMetrics metrics(CurrentFont());
    std::vector<TTextChar> chars;
    int width = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        chars.push_back({byte, width, false});
        width += Advance(metrics, byte);
    }
    PaintRun(x, y, chars, width);
}

void TQtCanvas::PaintRun(int x, int y, const std::vector<TTextChar>& chars, int width) {
    const QFont& font = CurrentFont();
    const QFontMetrics metrics(font);
    Painted = true;
    PainterValue.save();
    // Text space: u along the line, v down the cell, the reference point at the cell's top left.
    PainterValue.translate(x + Origin.X, y + Origin.Y);
    PainterValue.rotate(-Font.Escapement / 10.0);
    if (Brush.Style == TBrushStyle::Solid) {
        PainterValue.fillRect(QRect(0, 0, width, metrics.height()), Native(Brush.Color));
    }
    PainterValue.setFont(font);
    PainterValue.setPen(Native(Font.Color));
    for (const TTextChar& c : chars) {
        const QString character = Latin1(c.Char);
        PainterValue.drawText(QPoint(c.U, metrics.ascent()), character);
        if (FontSyntheticBold) {
            PainterValue.drawText(QPoint(c.U + 1, metrics.ascent()), character);
        }
        if (c.Underline) {
            // Within the cell, as GDI keeps it.
            const int thickness = std::max(1, metrics.lineWidth());
            const int top =
                std::min(metrics.ascent() + metrics.underlinePos(), metrics.height() - thickness);
            PainterValue.fillRect(QRect(c.U, top, Advance(metrics, c.Char), thickness),
                                  Native(Font.Color));
        }
    }
    PainterValue.restore();
}

int TQtCanvas::DrawText(const std::string& text, TRect& r, std::uint32_t format) {
    const QFontMetrics metrics(CurrentFont());
    const TRect savedClip = Clip;
    const bool clipped = !(format & (dtCalcRect | dtNoClip));
    if (clipped) {
        SetClip(IntersectRect(Clip, ToDevice(r)));
    }
    const int height = DrawTextLines(
        text, r, format, metrics.height(), GetAveCharSize(*this).cx,
        [&](unsigned char c) { return Advance(metrics, c); },
        [&](int x, int y, const TTextLine& line) { PaintRun(x, y, line.Chars, line.Width); });
    if (clipped) {
        SetClip(savedClip);
    }
    return height;
}

// ---- Edges and focus ---------------------------------------------------------------------------

void TQtCanvas::DrawEdge(TRect& r, std::uint32_t edge, std::uint32_t flags) {
    const TRect inside = EdgeLines(r, edge, flags, [&](const TRect& line, int index) {
        FillDevice(ToDevice(line), clSystemColor + TColor(index));
    });
    if (flags & bfAdjust) {
        r = inside;
    }
}

void TQtCanvas::DrawFocusRect(const TRect& r) {
    // Every other pixel of the frame inverted, so that drawing it twice restores the picture.
    Painted = true;
    PainterValue.save();
    PainterValue.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const TRect& band : FrameBands(ToDevice(r), 1)) {
        for (int y = band.Top; y < band.Bottom; ++y) {
            for (int x = band.Left; x < band.Right; ++x) {
                if ((x + y) % 2 != 0) {
                    PainterValue.fillRect(QRect(x, y, 1, 1), QColor(255, 255, 255));
                }
            }
        }
    }
    PainterValue.restore();
}

// ---- State -------------------------------------------------------------------------------------

int TQtCanvas::SaveDC() {
    SavedStates.push_back({Font, Brush, Pen, Clip, Origin, PenPos});
    return int(SavedStates.size());
}

void TQtCanvas::RestoreDC(int saved) {
    const int level = saved < 0 ? int(SavedStates.size()) + saved + 1 : saved;
    if (level < 1 || level > int(SavedStates.size())) {
        return;
    }
    const TState& state = SavedStates[std::size_t(level - 1)];
    Font = state.Font;
    Brush = state.Brush;
    Pen = state.Pen;
    Origin = state.Origin;
    PenPos = state.PenPos;
    SetClip(state.Clip);
    SavedStates.resize(std::size_t(level - 1));
}

void TQtCanvas::IntersectClipRect(const TRect& r) {
    SetClip(IntersectRect(Clip, ToDevice(r)));
}

TRect TQtCanvas::ClipRect() {
    if (Clip.IsEmpty()) {
        return {};
    }
    TRect r = Clip;
    OffsetRect(r, -Origin.X, -Origin.Y);
    return r;
}

void TQtCanvas::MoveOrigin(int dx, int dy) {
    Origin.X += dx;
    Origin.Y += dy;
}

// ---- Gradient ----------------------------------------------------------------------------------

bool TQtCanvas::GradientFill(const TTriVertex& upperLeft, const TTriVertex& lowerRight,
                             TGradientFillMode mode) {
    // Only the bands that meet the clip rectangle; an empty or inverted rectangle succeeds.
    GradientBands(upperLeft, lowerRight, mode, ClipRect(),
                  [&](const TRect& band, TColor color) { FillDevice(ToDevice(band), color); });
    return true;
}
