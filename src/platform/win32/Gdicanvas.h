#pragma once
// TGdiCanvas: the toolkit's canvas on a GDI device context.
//
// The canvas's Font, Brush and Pen are plain values; before each operation the canvas makes the
// GDI objects for them (again only when a value changed) and selects them. Saved drawing states
// never hold those objects: SaveDC first puts the context's own objects back, so a restore can
// never select an object the canvas has since deleted. Coordinates are logical; MoveOrigin moves
// the window origin. System colours are resolved when they are used.
//
// The canvas neither creates nor frees the device context it is given.

#include "platform/win32/Gdiobjects.h"
#include "platform/win32/Msimg32.h"

#include "toolkit/Graphics.h"

#include <vector>

// A toolkit rectangle as the system's.
inline RECT NativeRect(const TRect& r) {
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

class TGdiCanvas : public TCanvas {
public:
    TGdiCanvas(HDC dc, const TGradientFillEntry& gradientFill);
    TGdiCanvas(const TGdiCanvas&) = delete;
    TGdiCanvas& operator=(const TGdiCanvas&) = delete;
    ~TGdiCanvas() override;

    HDC Handle() const { return DC; }

    void FillRect(const TRect& r) override;
    void FrameRect(const TRect& r) override;
    void Rectangle(const TRect& r) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    TColor GetPixel(int x, int y) override;
    void SetPixel(int x, int y, TColor color) override;
    void PatternFill(const TRect& r, const TBitmap& pattern) override;
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& src) override;
    void Draw(int x, int y, const TBitmap& bitmap) override;
    void StretchDraw(const TRect& dest, const TBitmap& bitmap) override;

    TSize TextExtent(const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    int DrawText(const std::string& text, TRect& r, std::uint32_t format) override;
    void DrawEdge(TRect& r, std::uint32_t edge, std::uint32_t flags) override;
    void DrawFocusRect(const TRect& r) override;

    int SaveDC() override;
    void RestoreDC(int saved) override;
    void IntersectClipRect(const TRect& r) override;
    TRect ClipRect() override;
    void MoveOrigin(int dx, int dy) override;

    bool GradientFill(const TTriVertex& upperLeft, const TTriVertex& lowerRight,
                      TGradientFillMode mode) override;

private:
    struct TState {
        TFont Font;
        TBrush Brush;
        TPen Pen;
        int Level = 0;
    };

    // Selects the GDI objects of Font, Brush and Pen, made anew when their values changed.
    void UseFont();
    void UseBrush();
    void UsePen();
    // Text colour and background of text from Font and Brush.
    void UseTextColors();
    // The solid brush of Brush's colour, for the fills that take a brush handle.
    HBRUSH BrushHandle();
    // Puts the context's own objects back.
    void Deselect();
    void DrawBitmap(const TRect& dest, const TBitmap& bitmap);

    HDC DC;
    const TGradientFillEntry& Gradient;
    HGDIOBJ OriginalFont;
    HGDIOBJ OriginalBrush;
    HGDIOBJ OriginalPen;

    TGdiObject FontObject;
    TFont FontMade;
    TGdiObject BrushObject;
    TBrush BrushMade;
    TGdiObject PenObject;
    TPen PenMade;
    bool FontSelected = false;
    bool BrushSelected = false;
    bool PenSelected = false;

    std::vector<TState> SavedStates;
};

// The GDI canvas a bitmap draws with (every bitmap of the Win32 platform has one).
TGdiCanvas& BitmapCanvas(const TBitmap& bitmap);
