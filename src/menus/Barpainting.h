#pragma once
// The side bar's painting: the gradient, the back picture, the picture and the rotated caption
// are rendered into the bar double buffer of the menu's TBcBarProtected; DrawDoubleBuffer copies
// a part of it onto the menu window. The bar steps of BarDrawMenuItem call them (through
// BarPaintRoutines) in that order, each only when its part is wanted.

#include "menus/Barmenus.h"

#include "toolkit/Graphics.h"

// r is the whole buffer.
void DrawBarGradient(IBarMenusIntf& menu, const TRect& r);
void DrawBarBackPicture(IBarMenusIntf& menu);
void DrawBarPicture(IBarMenusIntf& menu);
// r is the whole buffer.
void DrawBarCaption(IBarMenusIntf& menu, const TRect& r);
// Copies source of the buffer's canvas onto dest of canvas (the two are the same size).
void DrawDoubleBuffer(IBarMenusIntf& menu, TCanvas& canvas, const TRect& dest, const TRect& source);
