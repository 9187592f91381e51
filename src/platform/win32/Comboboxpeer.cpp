#include "platform/win32/Comboboxpeer.h"

namespace {

// Room for about a dozen drives below the closed box.
constexpr int ListHeight = 200;

} // namespace

TComboBoxPeer::TComboBoxPeer(TWin32Platform& host, TDriveComboBox& comboBox)
    : TWin32Peer(host, comboBox, TUninitialised{}), Combo(comboBox) {
    DropDownHeight = ListHeight;
    CreateChildHandle("COMBOBOX", 0, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST);
    ApplyFont();
    ApplyItems();
}

void TComboBoxPeer::ApplyItems() {
    ::SendMessageA(Window, CB_RESETCONTENT, 0, 0);
    for (const std::string& drive : Combo.Items().Texts()) {
        ::SendMessageA(Window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
    }
    ::SendMessageA(Window, CB_SETCURSEL, WPARAM(Combo.ItemIndex()), 0);
}

void TComboBoxPeer::Changed(TPeerChange change) {
    if (!Window) {
        return;
    }
    switch (change) {
    case TPeerChange::Items:
        ApplyItems();
        break;
    case TPeerChange::Selection:
        ::SendMessageA(Window, CB_SETCURSEL, WPARAM(Combo.ItemIndex()), 0);
        break;
    default:
        TWin32Peer::Changed(change);
        break;
    }
}

bool TComboBoxPeer::Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
        Combo.SetItemIndex(int(::SendMessageA(Window, CB_GETCURSEL, 0, 0)));
        result = 0;
        return true;
    }
    return TWin32Peer::Reflected(message, wParam, lParam, result);
}
