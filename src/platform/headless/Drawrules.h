#pragma once
// The drawing rules of the toolkit's canvases where the system leaves a choice (Softcanvas.h
// states them), as plain geometry and arithmetic: the software canvas and the Qt canvas both
// paint through these, so that their pictures agree to the pixel.

#include "toolkit/Graphics.h"

#include <array>
#include <cstdint>
#include <functional>

// The four bands of a frame thickness pixels wide inside r: top, bottom, then the sides between
// them, so that every pixel of the frame is in exactly one band.
std::array<TRect, 4> FrameBands(const TRect& r, int thickness);

// The lines of DrawEdge inside r, in painting order: fill is called with each line's rectangle
// and its system colour index (a Win32 COLOR_ index), and with the interior and button face for
// bfMiddle. Returns the interior, the rectangle past the lines drawn.
TRect EdgeLines(const TRect& r, std::uint32_t edge, std::uint32_t flags,
                const std::function<void(const TRect&, int)>& fill);

// The source pixel that destination pixel d of a stretch n pixels long shows, for a source size
// pixels long: pixel centres mapped, nearest neighbour.
int StretchSource(int d, int n, int size);

// The one-pixel bands of the two-vertex gradient that meet visible: fill is called with each
// band's rectangle and colour. Each 16-bit channel is interpolated exactly and its high byte
// taken; vertices given the wrong way round are taken in order of position.
void GradientBands(const TTriVertex& upperLeft, const TTriVertex& lowerRight,
                   TGradientFillMode mode, const TRect& visible,
                   const std::function<void(const TRect&, TColor)>& fill);

// Calls visit for each point of the line from `from` to `to`, `to` itself left out; a dotted
// line visits every other point.
void ForLinePoints(TPoint from, TPoint to, bool dotted, const std::function<void(TPoint)>& visit);
