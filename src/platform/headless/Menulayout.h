#pragma once
// The layout of a popup menu's window, shared by the headless and Qt menu windows: every
// visible top-level item measured through its measure request, laid out in columns from (3, 3)
// inside a 3-pixel frame, a break starting a new column as wide as its widest item.

#include "toolkit/Menus.h"

#include <vector>

// The frame the system draws around a menu's items.
inline constexpr int MenuMargin = 3;

struct TMenuLayout {
    std::vector<TMenuItem*> Items;
    std::vector<TSize> Sizes;
    std::vector<TRect> Rects; // client coordinates
    TSize Size;               // the window's
};

// Measures menu's visible top-level items on measure, each with the menu font and colour as the
// system hands them to the request (an exception out of a handler is shown, as the message loop
// shows it), and lays them out, each item widened by widening pixels (the Windows menu adds twice
// the menu font's average character width to the width an owner-drawn item asks for).
TMenuLayout LayOutMenu(TPopupMenu& menu, TCanvas& measure, int widening = 0);
