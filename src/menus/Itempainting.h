#pragma once
// The default painting of a bar menu's item, for an item that no draw module painted: a
// separator as a line (or a caption line), any other item in the toolkit's owner-drawn look
// with glyph column, check mark, caption and shortcut.

#include "menus/Barmenus.h"

#include "toolkit/Graphics.h"
#include "toolkit/Menus.h"

#include <string>

// The whole default painting of item in r: a separator through DrawLineItem; any other item in
// the colours of its state through AdvancedDrawItem. With the short-line separator style the
// 10-pixel strip right of r, which the item gave up for the separators' sake, is filled with the
// menu's colour first.
void DrawMenuItemEx(IBarMenusIntf& menu, TMenuItem* item, TCanvas& canvas, const TRect& r,
                    TOwnerDrawState state);

// An item in the toolkit's owner-drawn look, in the canvas's brush and font colours: the glyph
// column (an image of the menu's list, the item's glyph, or the check mark of a checked item),
// the caption centred vertically and the shortcut right-aligned 10 pixels from the right edge.
// topMain: item is a top-level item of a main menu.
void AdvancedDrawItem(IBarMenusIntf& menu, TMenuItem* item, TCanvas& canvas, const TRect& r,
                      bool topMain, TOwnerDrawState state);

// Draws (or with dtCalcRect measures into r) text of item with DrawText and format: right to
// left in a right-to-left menu, bold for the default item, engraved for a disabled one; the
// caption "-" is an etched line 4 pixels below r's top. A calculation of an empty text or a lone
// "&" measures it with a blank after it, so the caption keeps a line's height.
void DrawMenuItemText(IBarMenusIntf& menu, TMenuItem* item, TCanvas& canvas, std::string text,
                      std::uint32_t format, bool selected, TRect& r);

// A separator in r in the style of the menu's Separators: an etched or flat line 5 pixels below
// the top, or two fade lines; with text (the enabled separator's hint) the text between two
// lines, or, in the caption style, on a gradient over the whole item.
void DrawLineItem(IBarMenusIntf& menu, TMenuItem* item, const std::string& text,
                  TOwnerDrawState state, const TRect& r, TCanvas& canvas);

// The system's check mark: 7 x 7 pixels in color with its upper-left corner at (x, y).
void DrawCheckMark(TCanvas& canvas, int x, int y, TColor color);
inline constexpr int CheckMarkSize = 7;

// The name of the bitmap resource of a checked radio item.
inline constexpr const char* RadioItemResource = "BCRADIOITEM";
