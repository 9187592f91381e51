#pragma once
// TSoftCanvas: a canvas over 32-bit pixels in memory, the canvas of the headless platform.
//
// Everything is drawn into real pixels (0x00RRGGBB, as TBitmapImage stores them) so that tests
// can assert exact values. Coordinates are logical: the device pixel is the logical position
// plus the origin (MoveOrigin). Drawing is clipped to the clip rectangle, which starts as the
// whole surface. System colours are resolved through the platform when a colour is used.
//
// The rules, where the system leaves a choice (Drawrules.h and Softtext.h carry most of them out,
// and the Qt canvas paints by them too):
// - Text uses the fixed-metric font of Softfont.h. Text is drawn in the font's colour; with a
//   solid brush the cells behind it are first filled with the brush's colour, with a clear brush
//   the background shows. Bold draws each glyph twice, one pixel apart; italic shears the glyph
//   rows above the baseline to the right (a third of a pixel per row); underline and strike-out
//   are one design row across the whole advance. An escapement is taken to the nearest quarter
//   turn: 900 runs the text upwards (its reference point the upper-left corner of the unrotated
//   text), -900 (or 2700) downwards, 1800 to the left.
// - DrawText lays the lines out without rotation. Lines end at "\r\n", "\n\r", "\r" or "\n"
//   (these are ordinary characters with dtSingleLine); text ending in a line break has no empty
//   line after it. With dtWordBreak a line is broken before a word that would pass the right
//   edge, after the blanks that precede it: the blanks that still fit stay on the line and count
//   in its width (all but one of them when centred or right-aligned), the others are dropped. A
//   word wider than the rectangle is not broken; it makes a line of its own and widens the
//   rectangle calculated. Only blanks (" ") are break points. "&" marks the next character as
//   the one to underline ("&&" is a literal "&", a "&" at the very end is shown as it is); of
//   several marks on one line the last is underlined. dtNoPrefix turns this off, dtHidePrefix
//   removes the marks without underlining. dtExpandTabs sets tab stops every 8 advances (or the
//   number in bits 8 to 15 with dtTabStop, 0 meaning 8, which then are not read as flags);
//   without it a tab is an ordinary character. dtVCenter and dtBottom work only with
//   dtSingleLine, as on the system. dtCalcRect draws nothing and sets the rectangle's right edge to
//   left + the widest line and its bottom edge to the bottom of the last line; an empty text gives
//   a height of 0, or one line with dtSingleLine. Drawing with clipping stops after the first line
//   that reaches below r. The result is the distance from r's top to the bottom of the last line
//   laid out (the line height for an empty text). dtEndEllipsis, dtEditControl, dtInternal,
//   dtExternalLeading and dtRtlReading have no effect.
// - GradientFill interpolates each 16-bit channel exactly: at distance d from the start edge of
//   a rectangle n pixels across, the channel is (start * (n - d) + end * d) / n, and its high
//   byte (the division by 256 truncated) is the 8-bit value. So the start colour is at the start
//   edge and the end colour is approached but, for n > 1, not reached. Alpha is ignored. As on
//   the system, vertices given the wrong way round are taken in order of position (each keeps
//   its colour) and an empty rectangle paints nothing; both succeed, and so the call never
//   fails here.
// - DrawEdge follows the system's look. Above and left / below and right, a raised outer edge
//   is 3D light / 3D dark shadow, a sunken outer edge button shadow / button highlight, a raised
//   inner edge button highlight / button shadow, a sunken inner edge 3D dark shadow / 3D light.
//   An inner edge given alone takes the outer edge's place; an edge given both raised and sunken
//   is not drawn. The top and left lines are drawn first, the bottom and right lines over their
//   ends. With bfFlat the outer edge is button shadow all round and the inner edge button face
//   (an inner edge alone: button face). bfMiddle fills the interior with button face; bfAdjust
//   moves r's named sides in past the lines drawn.
// - DrawFocusRect inverts every other pixel of a one-pixel frame inside r (those whose device
//   x + y is odd), so drawing it twice restores the picture.
// - Rectangle draws its outline inside r, Pen.Width pixels thick; a dotted pen draws every other
//   pixel. Lines are drawn with a square pen Pen.Width pixels wide.
// - GetPixel answers clNone outside the surface or the clip rectangle.
// - CopyRect, Draw and StretchDraw map pixel centres (nearest neighbour); an empty or inverted
//   rectangle copies nothing, and source pixels outside the source surface leave their
//   destination pixels as they were. CopyRect reads a TSoftCanvas source whatever its clipping.

#include "toolkit/Graphics.h"

#include "platform/headless/Softfont.h"
#include "platform/headless/Softtext.h"

#include <cstdint>
#include <functional>
#include <vector>

class TSoftCanvas : public TCanvas {
public:
    // A canvas over pixels of its own, all black.
    TSoftCanvas(int width, int height);
    // A canvas over width x height pixels at bits (rows top to bottom), which outlive it.
    TSoftCanvas(std::uint32_t* bits, int width, int height);
    TSoftCanvas(const TSoftCanvas&) = delete;
    TSoftCanvas& operator=(const TSoftCanvas&) = delete;

    int Width() const { return SurfaceWidth; }
    int Height() const { return SurfaceHeight; }
    std::uint32_t* Bits() { return Pixels; }
    const std::uint32_t* Bits() const { return Pixels; }
    // The colour of device pixel (x, y), whatever the origin and clipping; clNone outside.
    TColor Pixel(int x, int y) const;

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

    std::vector<std::uint32_t> OwnPixels;
    std::uint32_t* Pixels;
    int SurfaceWidth;
    int SurfaceHeight;
    TRect Clip;    // device coordinates, always within the surface
    TPoint Origin; // device position of logical (0, 0)
    TPoint PenPos; // logical
    std::vector<TState> SavedStates;

    TRect ToDevice(const TRect& r) const;
    // Device-coordinate painting, clipped.
    void Plot(int x, int y, std::uint32_t pixel);
    void FillDevice(const TRect& r, std::uint32_t pixel);
    void FrameDevice(const TRect& r, int thickness, std::uint32_t pixel, bool dotted);
    // Calls visit for each device pixel of the frame thickness pixels wide inside r that lies
    // in the clip rectangle.
    void ForFramePixels(const TRect& r, int thickness,
                        const std::function<void(int, int)>& visit) const;
    // Paints a width x height source stretched onto the logical rectangle dest; source(sx, sy)
    // gives the colour of source pixel (sx, sy), clNone to leave the destination pixel alone.
    void StretchPixels(const TRect& dest, int width, int height,
                       const std::function<TColor(int, int)>& source);
    // Paints a run of placed characters of the current font with its reference point at
    // logical (x, y); width is the run's extent along the line.
    void PaintRun(int x, int y, const std::vector<TTextChar>& chars, int width);
};
