#include "toolkit/Graphics.h"

#include "toolkit/Platform.h"
#include "toolkit/Sysmath.h"
#include "toolkit/Sysutils.h"

#include <algorithm>
#include <cassert>
#include <cstring>

TColor ColorToRGB(TColor c) {
    if (IsSystemColor(c)) {
        return Platform().SysColor(int(c & 0xFF));
    }
    return c;
}

TRect IntersectRect(const TRect& a, const TRect& b) {
    const TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                  std::min(a.Bottom, b.Bottom)};
    return r.IsEmpty() ? TRect{} : r;
}

int TFont::Size() const {
    return -MulDiv(Height, 72, Platform().PixelsPerInch());
}

void TFont::SetSize(int points) {
    Height = -MulDiv(points, Platform().PixelsPerInch(), 72);
}

// ---- TBitmap -----------------------------------------------------------------------------------

int TBitmap::Width() const {
    return Image ? Image->Width() : 0;
}
int TBitmap::Height() const {
    return Image ? Image->Height() : 0;
}

void TBitmap::SetSize(int width, int height) {
    if (width == Width() && height == Height()) {
        return;
    }
    if (width <= 0 || height <= 0) {
        Image.reset();
    } else {
        Image = Platform().CreateBitmapImage(width, height);
    }
}

void TBitmap::Assign(const TBitmap& other) {
    if (&other == this) {
        return;
    }
    Transparent = other.Transparent;
    TransparentMode = other.TransparentMode;
    TransparentColorValue = other.TransparentColorValue;
    Image.reset();
    if (other.Empty()) {
        return;
    }
    Image = Platform().CreateBitmapImage(other.Width(), other.Height());
    other.Image->Flush();
    std::memcpy(Image->Bits(), other.Image->Bits(),
                std::size_t(Width()) * std::size_t(Height()) * sizeof(std::uint32_t));
}

TCanvas& TBitmap::Canvas() {
    if (!Image) {
        throw Exception("The canvas of an empty bitmap was asked for");
    }
    return Image->Canvas();
}

std::uint32_t* TBitmap::ScanLine(int y) {
    assert(Image && y >= 0 && y < Height());
    Image->Flush();
    return Image->Bits() + std::size_t(y) * std::size_t(Width());
}

const std::uint32_t* TBitmap::ScanLine(int y) const {
    assert(Image && y >= 0 && y < Height());
    Image->Flush();
    return Image->Bits() + std::size_t(y) * std::size_t(Width());
}

TColor TBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
        return clNone;
    }
    return PixelToColor(ScanLine(y)[x]);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
        return;
    }
    ScanLine(y)[x] = ColorToPixel(ColorToRGB(color));
}

TColor TBitmap::TransparentColor() const {
    if (TransparentMode == TTransparentMode::Fixed) {
        return TransparentColorValue;
    }
    return Empty() ? clNone : Pixel(0, Height() - 1);
}

bool TBitmap::LoadFromResourceName(const std::string& name) {
    return Platform().LoadBitmapResource(name, *this);
}

// ---- Canvas helpers ----------------------------------------------------------------------------

TSize GetAveCharSize(TCanvas& canvas) {
    std::string letters;
    for (char c = 'A'; c <= 'Z'; ++c) {
        letters += c;
    }
    for (char c = 'a'; c <= 'z'; ++c) {
        letters += c;
    }
    const TSize extent = canvas.TextExtent(letters);
    return {extent.cx / 52, extent.cy};
}

void DrawControlText(TCanvas& canvas, const std::string& text, const TRect& bounds,
                     std::uint32_t format, bool enabled) {
    TRect r = bounds;
    if (enabled) {
        canvas.DrawText(text, r, format);
        return;
    }
    OffsetRect(r, 1, 1);
    canvas.Font.Color = clBtnHighlight;
    canvas.DrawText(text, r, format);
    r = bounds;
    canvas.Font.Color = clBtnShadow;
    canvas.DrawText(text, r, format);
}
