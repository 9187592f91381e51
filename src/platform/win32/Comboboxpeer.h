#pragma once
// TComboBoxPeer: the drive list on the system's drop-down list COMBOBOX. The control's bounds
// are the closed box; the window is taller by the height of its drop-down list. Choosing a
// drive in the list (CBN_SELCHANGE) goes back as the control's ItemIndex, which moves the
// linked folder list.

#include "platform/win32/Windowpeer.h"

#include "toolkit/Filectrl.h"

class TComboBoxPeer : public TWin32Peer {
public:
    TComboBoxPeer(TWin32Platform& host, TDriveComboBox& comboBox);

    void Changed(TPeerChange change) override;

protected:
    bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ApplyItems();

    TDriveComboBox& Combo;
};
