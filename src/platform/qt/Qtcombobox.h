#pragma once
// TQtComboBoxPeer: the drive list on Qt's own combo box, a list that drops down.
//
// The drives are the combo box's items and the chosen drive its current item; the program's
// changes go to the combo box without coming back, and the user's choice goes to the control's
// SetItemIndex, which moves the linked folder list, as the Win32 peer reports its CBN_SELCHANGE.
// Keys go through the form's dialog keys first (DeliverKeyPress).

#include "platform/qt/Qtpeer.h"

#include "toolkit/Filectrl.h"

class TQtComboBoxPeer : public TQtPeer {
public:
    TQtComboBoxPeer(TDriveComboBox& comboBox, QWidget* parent);

    void Changed(TPeerChange change) override;

private:
    void ApplyItems();
    void ApplyChoice();

    TDriveComboBox& Combo;
};
