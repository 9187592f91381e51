#pragma once
// The default painting of a bar menu's item, for an item that no draw module painted: a
// separator as a line (or a caption line), any other item in the toolkit's owner-drawn look
// with glyph, check mark, caption and shortcut.

#include "menus/Barmenus.h"

#include "toolkit/Graphics.h"
#include "toolkit/Menus.h"

void DrawMenuItemEx(IBarMenusIntf& menu, TMenuItem* item, TCanvas& canvas, const TRect& r,
                    TOwnerDrawState state);
