#include "platform/win32/Editpeer.h"

TEditPeer::TEditPeer(TWin32Platform& host, TEdit& edit)
    : TWin32Peer(host, edit, TUninitialised{}), Edit(edit) {
    CreateChildHandle("EDIT", WS_EX_CLIENTEDGE,
                      WS_TABSTOP | ES_AUTOHSCROLL | (edit.ReadOnly() ? ES_READONLY : 0));
    ApplyFont();
}

void TEditPeer::Changed(TPeerChange change) {
    if (!Window) {
        return;
    }
    switch (change) {
    case TPeerChange::Text:
        if (WindowText() != Edit.Text()) {
            ::SetWindowTextA(Window, Edit.Text().c_str());
        }
        break;
    case TPeerChange::ReadOnly:
        ::SendMessageA(Window, EM_SETREADONLY, Edit.ReadOnly(), 0);
        break;
    default:
        TWin32Peer::Changed(change);
        break;
    }
}

bool TEditPeer::Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE) {
            const std::string text = WindowText();
            if (text != Edit.Text()) {
                Edit.SetText(text);
            }
            result = 0;
            return true;
        }
        return false;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: // read-only or disabled
        result = ControlColors(reinterpret_cast<HDC>(wParam));
        return true;
    default:
        return TWin32Peer::Reflected(message, wParam, lParam, result);
    }
}
