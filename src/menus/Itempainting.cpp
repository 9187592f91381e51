#include "menus/Itempainting.h"

// FIXME: nothing is painted yet: the separator lines (DrawLineItem with its fade lines and
// caption separators), the colours of the state, the glyph column with the check mark, the
// caption (DrawMenuItemText) and the shortcut.
void DrawMenuItemEx(IBarMenusIntf& /*menu*/, TMenuItem* /*item*/, TCanvas& /*canvas*/,
                    const TRect& /*r*/, TOwnerDrawState /*state*/) {}
