#pragma once
// TQtCanvas: the toolkit's canvas over a QPainter.
//
// Fills, frames, lines, edges, gradients, the focus rectangle and copies follow the software
// canvas's rules (Softcanvas.h, through Drawrules.h), painted as whole-pixel rectangles and
// images without antialiasing, so that both canvases paint the same pixels. Text is Qt's, in the
// font QtFont gives: a line is laid out character by character by the software canvas's line
// rules with the face's advances, so that what DrawText measures is where it draws. Bytes of
// text are taken as Latin-1 characters.
//
// The painter keeps no transformation of its own: the canvas moves coordinates to the device
// itself (MoveOrigin) and keeps its clip rectangle in device coordinates, as the software canvas
// does, and saves and restores that state itself. Pixels can be read only on an image; on other
// devices GetPixel answers clNone and a copy from the canvas leaves the destination as it was.

#include "platform/headless/Softtext.h"
#include "toolkit/Graphics.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <functional>
#include <vector>

class TQtCanvas : public TCanvas {
public:
    // A canvas on device (an image, or a widget in its paint event), which outlives it.
    explicit TQtCanvas(QPaintDevice& device);
    TQtCanvas(const TQtCanvas&) = delete;
    TQtCanvas& operator=(const TQtCanvas&) = delete;
    ~TQtCanvas() override = default;

    // Whether the canvas painted since the last call.
    bool TakePainted();

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
        TRect Clip;
        TPoint Origin;
        TPoint PenPos;
    };

    TRect ToDevice(const TRect& r) const;
    void FillDevice(const TRect& r, TColor color);
    void SetClip(const TRect& clip);
    // The colour of device pixel (x, y) of the image; clNone outside it or without an image.
    TColor DevicePixel(int x, int y) const;
    // Paints a width x height source stretched onto the logical rectangle dest; source(sx, sy)
    // gives the colour of source pixel (sx, sy), clNone to leave the destination pixel alone.
    void PaintStretched(const TRect& dest, int width, int height,
                        const std::function<TColor(int, int)>& source);
    // The Qt font of Font, made again only when Font changed.
    const QFont& CurrentFont();
    // The advance of character c in the current font, a pixel more when it is made bold here.
    int Advance(const QFontMetrics& metrics, unsigned char c);
    // Paints characters of the current font at offsets along a line from the reference point
    // logical (x, y), turned by the escapement; width is the run's extent.
    void PaintRun(int x, int y, const std::vector<TTextChar>& chars, int width);

    QImage* Image;
    QPainter PainterValue;
    TRect Clip;    // device coordinates, always within the surface
    TPoint Origin; // device position of logical (0, 0)
    TPoint PenPos; // logical
    std::vector<TState> SavedStates;
    TFont FontMade;
    QFont FontValue;
    bool FontValid = false;
    bool FontSyntheticBold = false;
    bool Painted = false;
};
