#pragma once
// DrawFadeLine: a one-pixel horizontal line that fades in from the pixels already on the canvas
// at both of its ends.

#include "toolkit/Graphics.h"

// Draws on row max(r.Top, gap.Top) from r.Left to r.Right, both included, in color (resolved to
// RGB first). The line is drawn in two parts that meet in the middle column Mid = r.Left +
// (r.Right - r.Left) div 2, which both paint: the left part from r.Left to Mid, the right part
// from Mid to r.Right. Over the first fadeWidth columns of the left part each channel goes from
// the pixel found there toward color, old + (x - r.Left) * (new - old) div fadeWidth, and over
// the last fadeWidth columns of the right part back, old + (new - old) * (r.Right - x) div
// fadeWidth; the rest is plain color, and so is the whole line when fadeWidth is 0 or less.
// With skipGap the columns of gap are left out: the left part ends at min(Mid, gap.Left) - 1 and
// the right part starts at max(Mid, gap.Right).
//
// Positions are checked 32-bit arithmetic: EIntOverflow when they do not fit.
void DrawFadeLine(TCanvas& canvas, const TRect& gap, const TRect& r, bool skipGap, int fadeWidth,
                  TColor color);
