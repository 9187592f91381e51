#pragma once
// Colours, geometry, fonts, brushes, pens, bitmaps and the canvas interface of the toolkit.
//
// TCanvas is what every visual component paints on. The platform supplies the implementations:
// a GDI canvas on Windows, a software canvas with real pixels and a fixed-metric font in the
// headless platform. The flag values of DrawText, DrawEdge and GradientFill are those of the
// Win32 API, so the GDI canvas passes them on unchanged; the names differ from the API's macros
// so that both can be seen in one translation unit.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// ---- Colours -----------------------------------------------------------------------------------

// 0x00BBGGRR for a plain colour (blue in the high byte), 0x80000000 + n for system colour n.
using TColor = std::uint32_t;

constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr std::uint8_t GetRValue(TColor c) {
    return std::uint8_t(c & 0xFF);
}
constexpr std::uint8_t GetGValue(TColor c) {
    return std::uint8_t((c >> 8) & 0xFF);
}
constexpr std::uint8_t GetBValue(TColor c) {
    return std::uint8_t((c >> 16) & 0xFF);
}

inline constexpr TColor clBlack = RGB(0, 0, 0);
inline constexpr TColor clMaroon = RGB(128, 0, 0);
inline constexpr TColor clGreen = RGB(0, 128, 0);
inline constexpr TColor clNavy = RGB(0, 0, 128);
inline constexpr TColor clGray = RGB(128, 128, 128);
inline constexpr TColor clSilver = RGB(192, 192, 192);
inline constexpr TColor clRed = RGB(255, 0, 0);
inline constexpr TColor clLime = RGB(0, 255, 0);
inline constexpr TColor clYellow = RGB(255, 255, 0);
inline constexpr TColor clBlue = RGB(0, 0, 255);
inline constexpr TColor clFuchsia = RGB(255, 0, 255);
inline constexpr TColor clWhite = RGB(255, 255, 255);
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clSystemColor = 0x80000000;
constexpr bool IsSystemColor(TColor c) {
    return (c & 0xFF000000) == clSystemColor;
}

// System colours; n is the Win32 COLOR_ index.
inline constexpr TColor clScrollBar = clSystemColor + 0;
inline constexpr TColor clBackground = clSystemColor + 1;
inline constexpr TColor clActiveCaption = clSystemColor + 2;
inline constexpr TColor clInactiveCaption = clSystemColor + 3;
inline constexpr TColor clMenu = clSystemColor + 4;
inline constexpr TColor clWindow = clSystemColor + 5;
inline constexpr TColor clWindowFrame = clSystemColor + 6;
inline constexpr TColor clMenuText = clSystemColor + 7;
inline constexpr TColor clWindowText = clSystemColor + 8;
inline constexpr TColor clCaptionText = clSystemColor + 9;
inline constexpr TColor clActiveBorder = clSystemColor + 10;
inline constexpr TColor clInactiveBorder = clSystemColor + 11;
inline constexpr TColor clAppWorkSpace = clSystemColor + 12;
inline constexpr TColor clHighlight = clSystemColor + 13;
inline constexpr TColor clHighlightText = clSystemColor + 14;
inline constexpr TColor clBtnFace = clSystemColor + 15;
inline constexpr TColor clBtnShadow = clSystemColor + 16;
inline constexpr TColor clGrayText = clSystemColor + 17;
inline constexpr TColor clBtnText = clSystemColor + 18;
inline constexpr TColor clInactiveCaptionText = clSystemColor + 19;
inline constexpr TColor clBtnHighlight = clSystemColor + 20;
inline constexpr TColor cl3DDkShadow = clSystemColor + 21;
inline constexpr TColor cl3DLight = clSystemColor + 22;
inline constexpr TColor clInfoText = clSystemColor + 23;
inline constexpr TColor clInfoBk = clSystemColor + 24;

// A plain colour for c: system colours are resolved through the platform's current scheme.
TColor ColorToRGB(TColor c);

// ---- Geometry ----------------------------------------------------------------------------------

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
constexpr TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}
inline void InflateRect(TRect& r, int dx, int dy) {
    r.Left -= dx;
    r.Top -= dy;
    r.Right += dx;
    r.Bottom += dy;
}
inline void OffsetRect(TRect& r, int dx, int dy) {
    r.Left += dx;
    r.Top += dy;
    r.Right += dx;
    r.Bottom += dy;
}
// The intersection of a and b; an empty rectangle (all zero) when they do not meet.
TRect IntersectRect(const TRect& a, const TRect& b);

// ---- Fonts, brushes, pens ----------------------------------------------------------------------

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t; // a set of TFontStyle bits
enum class TFontPitch { Default, Variable, Fixed };

// A font description. A negative Height is the character height in pixels without the internal
// leading (the usual way to give a point size: -11 is 8 points at 96 dots per inch).
class TFont {
public:
    std::string Name = "MS Sans Serif";
    int Height = -11;
    TFontStyles Style = 0;
    TColor Color = clWindowText;
    TFontPitch Pitch = TFontPitch::Default;
    int Escapement = 0; // tenths of a degree, counter-clockwise

    // Size in points at 96 dots per inch, and back.
    int Size() const;
    void SetSize(int points);
    void Assign(const TFont& other) { *this = other; }
    friend bool operator==(const TFont&, const TFont&) = default;
};

enum class TBrushStyle { Solid, Clear };
struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::Solid;
};

enum class TPenStyle { Solid, Dot, Clear };
struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::Solid;
};

// ---- Bitmaps -----------------------------------------------------------------------------------

class TCanvas;

// Pixel storage and canvas of a bitmap, supplied by the platform: memory and a software canvas
// in the headless platform, a DIB section with a memory device context on Windows.
class TBitmapImage {
public:
    virtual ~TBitmapImage() = default;
    // Rows from top to bottom, each Width() pixels of 0x00RRGGBB (blue in the low byte, as a
    // 32-bit DIB stores them).
    virtual std::uint32_t* Bits() = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual TCanvas& Canvas() = 0;
    // Makes pending drawing visible in Bits() (GdiFlush on Windows).
    virtual void Flush() {}
};

// A plain colour as a TBitmapImage pixel, and back.
constexpr std::uint32_t ColorToPixel(TColor c) {
    return std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}
constexpr TColor PixelToColor(std::uint32_t pixel) {
    return RGB(std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel));
}

enum class TTransparentMode { Auto, Fixed };

// A 32-bit bitmap with its own canvas and direct row access.
class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height) { SetSize(width, height); }
    TBitmap(const TBitmap& other) { Assign(other); }
    TBitmap& operator=(const TBitmap& other) {
        Assign(other);
        return *this;
    }
    // A move takes the pixels over and leaves an empty bitmap; without it every move (a vector
    // of pictures growing) would copy them.
    TBitmap(TBitmap&& other) noexcept = default;
    TBitmap& operator=(TBitmap&& other) noexcept = default;

    int Width() const;
    int Height() const;
    bool Empty() const { return Width() == 0 || Height() == 0; }
    // Resizing keeps no pixels; the new pixels are black.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    void Assign(const TBitmap& other);

    // The canvas of the bitmap; only for a bitmap that is not empty.
    TCanvas& Canvas();
    // Direct access to row y (0 at the top), Width() pixels as TBitmapImage::Bits() stores them.
    std::uint32_t* ScanLine(int y);
    const std::uint32_t* ScanLine(int y) const;
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Drawn transparently: pixels of TransparentColor are left out. In the automatic mode the
    // transparent colour is the bottom-left pixel's.
    bool Transparent = false;
    TTransparentMode TransparentMode = TTransparentMode::Auto;
    TColor TransparentColorValue = clNone;
    TColor TransparentColor() const;

    // Loads a bitmap resource of the program by name; false when there is none.
    bool LoadFromResourceName(const std::string& name);

private:
    std::unique_ptr<TBitmapImage> Image;
};

// ---- Canvas ------------------------------------------------------------------------------------

// DrawText format flags (the values of the Win32 DT_ flags).
enum : std::uint32_t {
    dtTop = 0x0,
    dtLeft = 0x0,
    dtCenter = 0x1,
    dtRight = 0x2,
    dtVCenter = 0x4,
    dtBottom = 0x8,
    dtWordBreak = 0x10,
    dtSingleLine = 0x20,
    dtExpandTabs = 0x40,
    dtTabStop = 0x80,
    dtNoClip = 0x100,
    dtExternalLeading = 0x200,
    dtCalcRect = 0x400,
    dtNoPrefix = 0x800,
    dtInternal = 0x1000,
    dtEditControl = 0x2000,
    dtEndEllipsis = 0x8000,
    dtRtlReading = 0x20000,
    dtHidePrefix = 0x100000,
};

// DrawEdge edges and borders (the values of the Win32 BDR_, EDGE_ and BF_ flags).
enum : std::uint32_t {
    bdrRaisedOuter = 0x1,
    bdrSunkenOuter = 0x2,
    bdrRaisedInner = 0x4,
    bdrSunkenInner = 0x8,
    edgeRaised = bdrRaisedOuter | bdrRaisedInner,
    edgeSunken = bdrSunkenOuter | bdrSunkenInner,
    edgeEtched = bdrSunkenOuter | bdrRaisedInner,
    edgeBump = bdrRaisedOuter | bdrSunkenInner,
    bfLeft = 0x1,
    bfTop = 0x2,
    bfRight = 0x4,
    bfBottom = 0x8,
    bfRect = 0xF,
    bfMiddle = 0x800,
    bfFlat = 0x4000,
    bfAdjust = 0x2000,
};

// A vertex of the gradient-fill primitive: position and 16-bit channels (8-bit value x 256).
struct TTriVertex {
    int X = 0;
    int Y = 0;
    std::uint16_t Red = 0;
    std::uint16_t Green = 0;
    std::uint16_t Blue = 0;
    std::uint16_t Alpha = 0;
};
enum class TGradientFillMode { RectH = 0, RectV = 1 };

// The surface everything paints on. Font, Brush and Pen are the current drawing objects: shapes
// are filled with the brush and outlined with the pen, text is drawn in the font's colour, over
// a background of the brush's colour unless the brush is clear.
class TCanvas {
public:
    virtual ~TCanvas() = default;

    TFont Font;
    TBrush Brush;
    TPen Pen;

    virtual void FillRect(const TRect& r) = 0;
    // A one-pixel frame inside r in the brush's colour.
    virtual void FrameRect(const TRect& r) = 0;
    // Outline with the pen, interior with the brush.
    virtual void Rectangle(const TRect& r) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line with the pen to (x, y), which itself is not painted.
    virtual void LineTo(int x, int y) = 0;
    virtual TColor GetPixel(int x, int y) = 0;
    virtual void SetPixel(int x, int y, TColor color) = 0;
    // Fills r with pattern repeated from the canvas origin (an 8 x 8 brush pattern).
    virtual void PatternFill(const TRect& r, const TBitmap& pattern) = 0;
    // Copies src of source onto dest of this canvas, stretched when the sizes differ.
    virtual void CopyRect(const TRect& dest, TCanvas& source, const TRect& src) = 0;
    // Draws bitmap with its upper-left corner at (x, y), transparently when bitmap.Transparent.
    virtual void Draw(int x, int y, const TBitmap& bitmap) = 0;
    virtual void StretchDraw(const TRect& dest, const TBitmap& bitmap) = 0;

    // Single-line size of text in the current font; "&" is not special here.
    virtual TSize TextExtent(const std::string& text) = 0;
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // Draws (or with dtCalcRect measures) text in r with the dt format flags; returns the height
    // of the text. With dtCalcRect, r's right and bottom edges are set to the measured extent.
    virtual int DrawText(const std::string& text, TRect& r, std::uint32_t format) = 0;
    // Draws edge on the sides of r named by flags; with bfAdjust, r shrinks past the edge.
    virtual void DrawEdge(TRect& r, std::uint32_t edge, std::uint32_t flags) = 0;
    virtual void DrawFocusRect(const TRect& r) = 0;

    // The drawing state (objects and clipping) is saved and restored as on a device context.
    virtual int SaveDC() = 0;
    virtual void RestoreDC(int saved) = 0;
    virtual void IntersectClipRect(const TRect& r) = 0;
    virtual TRect ClipRect() = 0;
    // Moves the drawing origin: what is drawn at (x, y) afterwards lands where (x + dx, y + dy)
    // was before, and clipping rectangles are given and reported in the moved coordinates. Part
    // of the state SaveDC saves (the window origin of a device context). A parent paints its
    // windowless children this way, each in its own client coordinates.
    virtual void MoveOrigin(int dx, int dy) = 0;

    // The two-vertex rectangle gradient of the platform; false when it failed.
    virtual bool GradientFill(const TTriVertex& upperLeft, const TTriVertex& lowerRight,
                              TGradientFillMode mode) = 0;
};

// The average character width and the character height of the canvas's font: the width of "A"
// to "Z" and "a" to "z" divided by 52, and their height.
TSize GetAveCharSize(TCanvas& canvas);

// Draws a control's caption with DrawText in bounds; a disabled caption is engraved: a copy in
// the button highlight colour one pixel down and right, under one in the button shadow colour.
void DrawControlText(TCanvas& canvas, const std::string& text, const TRect& bounds,
                     std::uint32_t format, bool enabled);
