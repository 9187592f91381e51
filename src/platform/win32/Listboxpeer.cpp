#include "platform/win32/Listboxpeer.h"

#include "platform/win32/Gdicanvas.h"
#include "platform/win32/Win32platform.h"

#include "toolkit/Filectrl.h"

#include <algorithm>

TListBoxPeer::TListBoxPeer(TWin32Platform& host, TListBox& listBox)
    : TWin32Peer(host, listBox, TUninitialised{}), List(listBox),
      OwnerDrawn(dynamic_cast<TDirectoryListBox*>(&listBox) != nullptr) {
    Create();
}

void TListBoxPeer::Create() {
    DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (List.MultiSelect()) {
        style |= LBS_EXTENDEDSEL;
    }
    if (OwnerDrawn) {
        style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    }
    CreateChildHandle("LISTBOX", WS_EX_CLIENTEDGE, style);
    ApplyListFont();
    Shown.clear();
    ShownMarks.clear();
    ApplyItems();
}

void TListBoxPeer::ApplyListFont() {
    ApplyFont();
    // A new font gives the items its height; the control's item height is what counts.
    ::SendMessageA(Window, LB_SETITEMHEIGHT, 0, MAKELPARAM(List.ItemHeight(), 0));
}

void TListBoxPeer::Changed(TPeerChange change) {
    if (!Window) {
        return;
    }
    switch (change) {
    case TPeerChange::Items:
        ApplyItems();
        break;
    case TPeerChange::Selection:
        ApplyMarks();
        break;
    case TPeerChange::Font:
        ApplyListFont();
        break;
    case TPeerChange::Style: {
        // The system's list box cannot change its selection style: it is made again.
        const bool focused = ::GetFocus() == Window;
        DestroyHandle();
        Create();
        if (focused) {
            ::SetFocus(Window);
        }
        break;
    }
    default:
        TWin32Peer::Changed(change);
        break;
    }
}

void TListBoxPeer::ApplyItems() {
    const std::vector<std::string>& items = List.Items().Texts();
    const auto [head, tail] = TextsChange(Shown, items);
    const std::size_t removed = Shown.size() - head - tail;
    const std::size_t added = items.size() - head - tail;
    const bool many = removed + added > 8;
    // Many changes at once (a listing filled in one update) are made with the redraw held and
    // redrawn once after: painting and scrolling item by item would cost far more than the
    // items themselves.
    if (many) {
        ::SendMessageA(Window, WM_SETREDRAW, FALSE, 0);
    }
    if (removed == Shown.size()) {
        ::SendMessageA(Window, LB_RESETCONTENT, 0, 0);
    } else {
        for (std::size_t i = 0; i < removed; ++i) {
            ::SendMessageA(Window, LB_DELETESTRING, head, 0);
        }
    }
    if (many) {
        // The storage for the new items reserved at once, not grown item by item.
        std::size_t bytes = 0;
        for (std::size_t i = 0; i < added; ++i) {
            bytes += items[head + i].size() + 1;
        }
        ::SendMessageA(Window, LB_INITSTORAGE, added, LPARAM(bytes));
    }
    for (std::size_t i = 0; i < added; ++i) {
        ::SendMessageA(Window, LB_INSERTSTRING, head + i,
                       reinterpret_cast<LPARAM>(items[head + i].c_str()));
    }
    Shown.erase(Shown.begin() + std::ptrdiff_t(head),
                Shown.begin() + std::ptrdiff_t(head + removed));
    Shown.insert(Shown.begin() + std::ptrdiff_t(head), items.begin() + std::ptrdiff_t(head),
                 items.begin() + std::ptrdiff_t(head + added));
    // The native list's marks move with its items; new items come unmarked.
    ShownMarks.erase(ShownMarks.begin() + std::ptrdiff_t(head),
                     ShownMarks.begin() + std::ptrdiff_t(head + removed));
    ShownMarks.insert(ShownMarks.begin() + std::ptrdiff_t(head), added, false);
    ApplyMarks();
    if (many) {
        ::SendMessageA(Window, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(Window, nullptr, TRUE);
    }
}

void TListBoxPeer::ApplyMarks() {
    const int count = List.Items().Count();
    if (int(Shown.size()) != count) {
        return; // the items follow, and the marks with them
    }
    const int current = List.ItemIndex();
    if (!List.MultiSelect()) {
        ::SendMessageA(Window, LB_SETCURSEL, WPARAM(current), 0);
        for (int i = 0; i < count; ++i) {
            ShownMarks[std::size_t(i)] = i == current;
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        const bool marked = List.Selected(i);
        if (ShownMarks[std::size_t(i)] != marked) {
            ::SendMessageA(Window, LB_SETSEL, marked, LPARAM(i));
            ShownMarks[std::size_t(i)] = marked;
        }
    }
    if (current >= 0) {
        ::SendMessageA(Window, LB_SETANCHORINDEX, WPARAM(current), 0);
        ::SendMessageA(Window, LB_SETCARETINDEX, WPARAM(current), FALSE);
    }
}

void TListBoxPeer::ReadMarks() {
    const int count = int(::SendMessageA(Window, LB_GETCOUNT, 0, 0));
    std::vector<bool> marks(std::size_t(std::max(count, 0)), false);
    int current = -1;
    if (List.MultiSelect()) {
        for (int i = 0; i < count; ++i) {
            marks[std::size_t(i)] = ::SendMessageA(Window, LB_GETSEL, WPARAM(i), 0) > 0;
        }
        current = int(::SendMessageA(Window, LB_GETCARETINDEX, 0, 0));
    } else {
        current = int(::SendMessageA(Window, LB_GETCURSEL, 0, 0));
        if (current >= 0 && current < count) {
            marks[std::size_t(current)] = true;
        }
    }
    ShownMarks = marks;
    ShownMarks.resize(Shown.size(), false);
    List.SelectionChangedByUser(marks, current);
}

void TListBoxPeer::DrawItem(const DRAWITEMSTRUCT& item) {
    TGdiCanvas canvas(item.hDC, Host.GradientFill());
    const TRect r{int(item.rcItem.left), int(item.rcItem.top), int(item.rcItem.right),
                  int(item.rcItem.bottom)};
    List.DrawItem(canvas, int(item.itemID), r, (item.itemState & ODS_SELECTED) != 0,
                  (item.itemState & ODS_FOCUS) != 0);
}

bool TListBoxPeer::Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == LBN_SELCHANGE) {
            ReadMarks();
            result = 0;
            return true;
        }
        return false;
    case WM_CTLCOLORLISTBOX:
        result = ControlColors(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    default:
        return TWin32Peer::Reflected(message, wParam, lParam, result);
    }
}
