#include "platform/win32/Gdicanvas.h"

#include <algorithm>
#include <cstring>

namespace {

TRect ToolkitRect(const RECT& r) {
    return TRect{int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

COLORREF Native(TColor color) {
    return COLORREF(ColorToRGB(color) & 0x00FFFFFF);
}

bool SameBrush(const TBrush& a, const TBrush& b) {
    return a.Color == b.Color && a.Style == b.Style;
}

bool SamePen(const TPen& a, const TPen& b) {
    return a.Color == b.Color && a.Width == b.Width && a.Style == b.Style;
}

} // namespace

TGdiObject CreateGdiFont(const TFont& font) {
    LOGFONTA logFont{};
    logFont.lfHeight = font.Height;
    logFont.lfEscapement = font.Escapement;
    logFont.lfOrientation = font.Escapement;
    logFont.lfWeight = font.Style & fsBold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.Style & fsItalic ? TRUE : FALSE;
    logFont.lfUnderline = font.Style & fsUnderline ? TRUE : FALSE;
    logFont.lfStrikeOut = font.Style & fsStrikeOut ? TRUE : FALSE;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    switch (font.Pitch) {
    case TFontPitch::Fixed:
        logFont.lfPitchAndFamily = FIXED_PITCH;
        break;
    case TFontPitch::Variable:
        logFont.lfPitchAndFamily = VARIABLE_PITCH;
        break;
    default:
        logFont.lfPitchAndFamily = DEFAULT_PITCH;
        break;
    }
    const std::size_t length = std::min(font.Name.size(), std::size_t(LF_FACESIZE - 1));
    std::memcpy(logFont.lfFaceName, font.Name.data(), length);
    return TGdiObject(::CreateFontIndirectA(&logFont));
}

TGdiCanvas& BitmapCanvas(const TBitmap& bitmap) {
    // Drawing from a bitmap only reads it; its device context is reached through its canvas,
    // which TBitmap hands out for writing only.
    return dynamic_cast<TGdiCanvas&>(const_cast<TBitmap&>(bitmap).Canvas());
}

TGdiCanvas::TGdiCanvas(HDC dc, const TGradientFillEntry& gradientFill)
    : DC(dc), Gradient(gradientFill), OriginalFont(::GetCurrentObject(dc, OBJ_FONT)),
      OriginalBrush(::GetCurrentObject(dc, OBJ_BRUSH)),
      OriginalPen(::GetCurrentObject(dc, OBJ_PEN)) {}

TGdiCanvas::~TGdiCanvas() {
    Deselect();
}

void TGdiCanvas::Deselect() {
    if (FontSelected) {
        ::SelectObject(DC, OriginalFont);
    }
    if (BrushSelected) {
        ::SelectObject(DC, OriginalBrush);
    }
    if (PenSelected) {
        ::SelectObject(DC, OriginalPen);
    }
    FontSelected = BrushSelected = PenSelected = false;
}

// ---- Drawing objects

void TGdiCanvas::UseFont() {
    if (!FontObject || !(FontMade == Font)) {
        TGdiObject made = CreateGdiFont(Font);
        if (!made) {
            return;
        }
        // The new font goes in before the old one is deleted: a selected object is never freed.
        ::SelectObject(DC, made.Handle());
        FontObject = std::move(made);
        FontMade = Font;
        FontSelected = true;
        return;
    }
    if (!FontSelected) {
        ::SelectObject(DC, FontObject.Handle());
        FontSelected = true;
    }
}

void TGdiCanvas::UseBrush() {
    if (!BrushObject || !SameBrush(BrushMade, Brush)) {
        TGdiObject made = Brush.Style == TBrushStyle::Clear
                              ? TGdiObject(::GetStockObject(NULL_BRUSH), false)
                              : TGdiObject(::CreateSolidBrush(Native(Brush.Color)));
        if (!made) {
            return;
        }
        ::SelectObject(DC, made.Handle());
        BrushObject = std::move(made);
        BrushMade = Brush;
        BrushSelected = true;
        return;
    }
    if (!BrushSelected) {
        ::SelectObject(DC, BrushObject.Handle());
        BrushSelected = true;
    }
}

void TGdiCanvas::UsePen() {
    if (!PenObject || !SamePen(PenMade, Pen)) {
        TGdiObject made;
        switch (Pen.Style) {
        case TPenStyle::Clear:
            made = TGdiObject(::GetStockObject(NULL_PEN), false);
            break;
        case TPenStyle::Dot:
            made = TGdiObject(::CreatePen(PS_DOT, 1, Native(Pen.Color)));
            break;
        default:
            // Inside the frame, so that a wide outline stays within the rectangle.
            made =
                TGdiObject(::CreatePen(PS_INSIDEFRAME, std::max(1, Pen.Width), Native(Pen.Color)));
            break;
        }
        if (!made) {
            return;
        }
        ::SelectObject(DC, made.Handle());
        PenObject = std::move(made);
        PenMade = Pen;
        PenSelected = true;
        return;
    }
    if (!PenSelected) {
        ::SelectObject(DC, PenObject.Handle());
        PenSelected = true;
    }
}

void TGdiCanvas::UseTextColors() {
    ::SetTextColor(DC, Native(Font.Color));
    if (Brush.Style == TBrushStyle::Clear) {
        ::SetBkMode(DC, TRANSPARENT);
    } else {
        ::SetBkMode(DC, OPAQUE);
        ::SetBkColor(DC, Native(Brush.Color));
    }
}

HBRUSH TGdiCanvas::BrushHandle() {
    UseBrush();
    return static_cast<HBRUSH>(BrushObject.Handle());
}

// ---- Shapes

void TGdiCanvas::FillRect(const TRect& r) {
    if (Brush.Style == TBrushStyle::Clear) {
        return;
    }
    const RECT rc = NativeRect(r);
    ::FillRect(DC, &rc, BrushHandle());
}

void TGdiCanvas::FrameRect(const TRect& r) {
    if (Brush.Style == TBrushStyle::Clear) {
        return;
    }
    const RECT rc = NativeRect(r);
    ::FrameRect(DC, &rc, BrushHandle());
}

void TGdiCanvas::Rectangle(const TRect& r) {
    UseBrush();
    UsePen();
    // Without an outline GDI fills one pixel less on the right and at the bottom.
    const int extra = Pen.Style == TPenStyle::Clear ? 1 : 0;
    ::Rectangle(DC, r.Left, r.Top, r.Right + extra, r.Bottom + extra);
}

void TGdiCanvas::MoveTo(int x, int y) {
    ::MoveToEx(DC, x, y, nullptr);
}

void TGdiCanvas::LineTo(int x, int y) {
    UsePen();
    ::LineTo(DC, x, y);
}

TColor TGdiCanvas::GetPixel(int x, int y) {
    const COLORREF color = ::GetPixel(DC, x, y);
    return color == CLR_INVALID ? clNone : TColor(color);
}

void TGdiCanvas::SetPixel(int x, int y, TColor color) {
    ::SetPixelV(DC, x, y, Native(color));
}

void TGdiCanvas::PatternFill(const TRect& r, const TBitmap& pattern) {
    if (pattern.Empty()) {
        return;
    }
    // A packed device-independent bitmap, rows from the bottom up as brushes take them.
    const int width = pattern.Width();
    const int height = pattern.Height();
    std::vector<std::uint8_t> packed(sizeof(BITMAPINFOHEADER) +
                                     std::size_t(width) * std::size_t(height) * 4);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::memcpy(packed.data(), &header, sizeof header);
    std::uint8_t* bits = packed.data() + sizeof header;
    for (int y = 0; y < height; ++y) {
        std::memcpy(bits + std::size_t(height - 1 - y) * std::size_t(width) * 4,
                    pattern.ScanLine(y), std::size_t(width) * 4);
    }
    const TGdiObject brush(::CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS));
    if (!brush) {
        return;
    }
    const RECT rc = NativeRect(r);
    ::FillRect(DC, &rc, static_cast<HBRUSH>(brush.Handle()));
}

void TGdiCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& src) {
    if (dest.IsEmpty() || src.IsEmpty()) {
        return;
    }
    // Every canvas of the Win32 platform is a GDI canvas.
    auto& gdiSource = dynamic_cast<TGdiCanvas&>(source);
    ::SetStretchBltMode(DC, COLORONCOLOR);
    ::StretchBlt(DC, dest.Left, dest.Top, dest.Width(), dest.Height(), gdiSource.DC, src.Left,
                 src.Top, src.Width(), src.Height(), SRCCOPY);
}

void TGdiCanvas::DrawBitmap(const TRect& dest, const TBitmap& bitmap) {
    if (bitmap.Empty() || dest.IsEmpty()) {
        return;
    }
    const HDC source = BitmapCanvas(bitmap).Handle();
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    if (bitmap.Transparent) {
        ::GdiTransparentBlt(DC, dest.Left, dest.Top, dest.Width(), dest.Height(), source, 0, 0,
                            width, height, Native(bitmap.TransparentColor()));
        return;
    }
    ::SetStretchBltMode(DC, COLORONCOLOR);
    ::StretchBlt(DC, dest.Left, dest.Top, dest.Width(), dest.Height(), source, 0, 0, width, height,
                 SRCCOPY);
}

void TGdiCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    DrawBitmap(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TGdiCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
    DrawBitmap(dest, bitmap);
}

// ---- Text

TSize TGdiCanvas::TextExtent(const std::string& text) {
    UseFont();
    SIZE size{};
    ::GetTextExtentPoint32A(DC, text.data(), int(text.size()), &size);
    return TSize{int(size.cx), int(size.cy)};
}

void TGdiCanvas::TextOut(int x, int y, const std::string& text) {
    UseFont();
    UseTextColors();
    ::TextOutA(DC, x, y, text.data(), int(text.size()));
}

int TGdiCanvas::DrawText(const std::string& text, TRect& r, std::uint32_t format) {
    UseFont();
    UseTextColors();
    RECT rc = NativeRect(r);
    const int height = ::DrawTextA(DC, text.data(), int(text.size()), &rc, format);
    r = ToolkitRect(rc);
    return height;
}

void TGdiCanvas::DrawEdge(TRect& r, std::uint32_t edge, std::uint32_t flags) {
    RECT rc = NativeRect(r);
    ::DrawEdge(DC, &rc, edge, flags);
    r = ToolkitRect(rc);
}

void TGdiCanvas::DrawFocusRect(const TRect& r) {
    const RECT rc = NativeRect(r);
    ::DrawFocusRect(DC, &rc);
}

// ---- State

int TGdiCanvas::SaveDC() {
    Deselect();
    const int level = ::SaveDC(DC);
    SavedStates.push_back({Font, Brush, Pen, level});
    return level;
}

void TGdiCanvas::RestoreDC(int saved) {
    Deselect();
    ::RestoreDC(DC, saved);
    while (!SavedStates.empty() && SavedStates.back().Level >= saved) {
        Font = SavedStates.back().Font;
        Brush = SavedStates.back().Brush;
        Pen = SavedStates.back().Pen;
        SavedStates.pop_back();
    }
}

void TGdiCanvas::IntersectClipRect(const TRect& r) {
    ::IntersectClipRect(DC, r.Left, r.Top, r.Right, r.Bottom);
}

TRect TGdiCanvas::ClipRect() {
    RECT rc{};
    ::GetClipBox(DC, &rc);
    return ToolkitRect(rc);
}

void TGdiCanvas::MoveOrigin(int dx, int dy) {
    ::OffsetWindowOrgEx(DC, -dx, -dy, nullptr);
}

bool TGdiCanvas::GradientFill(const TTriVertex& upperLeft, const TTriVertex& lowerRight,
                              TGradientFillMode mode) {
    return Gradient.Fill(DC, upperLeft, lowerRight, mode);
}
