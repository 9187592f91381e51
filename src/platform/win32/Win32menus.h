#pragma once
// The menu windows of the Win32 platform: real owner-drawn popup menus.
//
// A popup is a native menu made for one TrackPopupMenu: every visible item becomes an
// MF_OWNERDRAW item (with its submenu, separator, grayed, checked and break flags) whose item
// data is the toolkit's TMenuItem. The owner window (the active form's, or a hidden window of
// this file when no form of the program is active) gets WM_MEASUREITEM and WM_DRAWITEM with
// ODT_MENU; Win32MenuMessage turns them into the item's measure request (on a memory device
// context with the menu font) and draw request (on a GDI canvas over the device context the
// system paints the menu window with, the item rectangle and the owner-draw state unchanged).
// Only items of the menu being tracked are served: item data the platform did not hand out is
// left to the system.
//
// The menu window itself is the system's (class "#32768"); WindowFromDC finds it from a draw
// request's canvas.

#include "platform/win32/Win.h"

#include "toolkit/Menus.h"

// Handles WM_MEASUREITEM and WM_DRAWITEM of an owner-drawn menu item of the menu being tracked:
// true, with the message's result in result. Every window of the platform passes these messages
// here first; for a control's WM_DRAWITEM, whose hwndItem is a window and not a menu, it is
// false. An exception of a handler is shown through the application object.
bool Win32MenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
