#pragma once
// TQtListBoxPeer: a list box (the plain list, the file list and the folder tree list) on Qt's
// own list widget, which scrolls, follows the keys and keeps the marks as the system's list does.
//
// Items and marks are mirrored both ways. The control's changes are applied as the smallest edit
// of the native list (the items that differ between the common beginning and end), marks where
// they differ, with the widget's signals held so that nothing echoes. The user's clicks and keys
// are Qt's: a multi-select list has the extended selection (a click marks one item, Ctrl+click
// toggles, Shift+click marks a range), and each change of the marks goes back to the control as
// SelectionChangedByUser, which fires OnClick. Mouse input reaches the control's Window... entry
// points after Qt has handled it, so that OnMouseUp finds the item the press chose, and keys go
// through the form's dialog keys first (DeliverKeyPress). Every item is painted by the control's
// own DrawItem, as the system's owner-drawn list paints it, inside the classic sunken edge; hints
// are tool tips.

#include "platform/qt/Qtpeer.h"

#include "toolkit/Stdctrls.h"

#include <string>
#include <vector>

class QListWidget;

class TQtListBoxPeer : public TQtPeer {
public:
    TQtListBoxPeer(TListBox& listBox, QWidget* parent);

    void Changed(TPeerChange change) override;
    void Invalidate(const TRect& r) override;
    void Update() override;

private:
    QListWidget* List() const;
    void ApplyItems();
    void ApplyMarks();
    void ApplyLooks();
    // The user changed the marks: they go back to the control.
    void ReadMarks();

    TListBox& ListBox;
    // What the native list holds.
    std::vector<std::string> Shown;
    // The item height the items were laid out with.
    int LaidOutHeight = 0;
};
