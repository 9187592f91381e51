#pragma once
// DrawGradient: the menus' two-colour gradient in four directions, painted into the rows of a
// 32-bit bitmap or onto a canvas.
//
// The start colour is at the left edge (gsHorizontal), the top edge (gsVertical), the top-left
// corner (gsDiagonalLeftRight) or the top-right corner (gsDiagonalRightLeft); the end colour is
// approached but never painted. Every channel steps in exact integer arithmetic, divisions
// truncating toward zero, so both forms give the same pixels:
// - gsHorizontal: column x has start + delta * (x - Left) div width;
// - gsVertical: row y has start + delta * (y - Top) div height;
// - the diagonals: with F = trunc(((y - Top) / height + (x - Left) / width) * 512), computed in
//   floating point, the pixel has start + delta * F div 1024; gsDiagonalRightLeft is the mirror
//   image of gsDiagonalLeftRight.

#include "toolkit/Graphics.h"

enum TGradientStyle { gsHorizontal, gsVertical, gsDiagonalLeftRight, gsDiagonalRightLeft };

// Fills r (right and bottom edges excluded) with the gradient from startColor to endColor.
// System colours are resolved first; two equal colours (compared before that) fill r plainly,
// and a rectangle less than one pixel high paints nothing.
//
// With a bitmap, r is in the bitmap's coordinates and the pixels are written into its rows (the
// fourth byte 0); pixels of r outside the bitmap are left out, and canvas is not used. Without
// one, the gradient is painted on canvas: plain colours and the rows of gsVertical with solid
// fills (which leave the canvas's brush solid in the last colour filled), the first row of
// gsHorizontal pixel by pixel and then stretched over the others, the diagonals pixel by pixel.
//
// The width and height are checked 32-bit differences: EIntOverflow when they do not fit. An
// error while painting one pixel or one row ends the call quietly with what was painted so far.
void DrawGradient(TBitmap* bitmap, TCanvas* canvas, const TRect& r, TColor startColor,
                  TColor endColor, TGradientStyle style);
