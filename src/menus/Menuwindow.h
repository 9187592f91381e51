#pragma once
// Effects on the window of a bar menu, run for every painting of an item: opacity through the
// system's layered-window service, and a flat two-line frame in place of the system's 3-D
// menu border.
//
// The layered-window service (the unit's start-up, run at first use): "user32.dll" is asked for
// "UpdateLayeredWindow" and "SetLayeredWindowAttributes" by name; the service is there when the
// second is found. Without it menus stay opaque.

#include "menus/Barmenus.h"

#include "toolkit/Graphics.h"
#include "toolkit/Menus.h"

// The layered-window service was found.
bool SupportsLayeredWindows();
// Looks the service up again, for tests that pretend another system.
void StartLayeredWindows();
// Sets (on) or clears the layered bit of window's extended style when it differs; true.
bool SetWindowLayered(TMenuWindow window, bool on);

// For a popup menu whose Opacity (read from the menu; opacity is not used) is below 255, makes
// window layered with that alpha on its first painting; a window that is already layered keeps
// its state. A main menu's layered window becomes opaque and plain again. When the system
// refuses the alpha, the window stays as it was, opaque.
void SetMenuOpacity(IBarMenusIntf& menu, TMenuWindow window, TOpacity opacity);
// The same for the menu of item, on the window of canvas.
void SetMenuOpacity(TMenuItem* item, TCanvas& canvas);

// For a Flat menu, frames window (not the main menu's own window) with a button-shadow line and
// a button-face line inside it; on the window's first painting, marked in bit 0 of its
// user-data word, a popup's window gets a rectangular region of its size and a main menu's
// window loses its region.
void DrawMenuWindowBorder(IBarMenusIntf& menu, TMenuWindow window);
// The same for the menu of item, on the window of canvas.
void DrawMenuWindowBorder(TMenuItem* item, TCanvas& canvas);
