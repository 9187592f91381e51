#pragma once
// The side bar's painting: the gradient, the back picture, the picture and the rotated caption
// are rendered into the bar double buffer of the menu's TBcBarProtected; DrawDoubleBuffer copies
// a part of it onto the menu window. The bar steps of BarDrawMenuItem call them (through
// BarPaintRoutines) in that order, each only when its part is wanted. The buffer is Bar.Width
// wide and PopupHeight high; the routines paint nothing into an empty buffer.

#include "menus/Barmenus.h"

#include "toolkit/Graphics.h"

// The gradient over r (the whole buffer), written into the buffer's rows; nothing when an
// opaque back picture is tiled or stretched over the whole bar.
void DrawBarGradient(IBarMenusIntf& menu, const TRect& r);
// The back picture as it is at its position, tiled or stretched; then the bar's Border, when it
// has one, as a one-pixel frame around the whole buffer.
void DrawBarBackPicture(IBarMenusIntf& menu);
// The bar picture at its position, transparently when it is Transparent.
void DrawBarPicture(IBarMenusIntf& menu);
// The caption turned by 90 degrees (upwards for dDownToUp, downwards for dUpToDown), with its
// highlight and shadow copies Depth pixels off; r is the whole buffer. The font's colour must be
// a plain colour: a system colour raises ERangeError before anything is painted.
void DrawBarCaption(IBarMenusIntf& menu, const TRect& r);
// Copies source of the buffer's canvas onto dest of canvas (the two are the same size).
void DrawDoubleBuffer(IBarMenusIntf& menu, TCanvas& canvas, const TRect& dest, const TRect& source);

// The upper-left corner of picture in a bar Bar.Width wide and PopupHeight high: by its
// alignments, moved by its offsets, halves truncated toward zero; (0, 0) without a picture.
TPoint CalcPicturePosition(IBarMenusIntf& menu, TBcBarPicture& picture);
