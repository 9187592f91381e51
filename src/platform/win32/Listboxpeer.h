#pragma once
// TListBoxPeer: a list box (the plain list, the file list and the folder tree list) on the
// system's LISTBOX control.
//
// Items and marks are mirrored both ways. The control's changes are applied as the smallest
// edit of the native list (the items that differ between the common beginning and end), marks
// one by one where they differ, so that adding items one at a time stays cheap. The user's
// clicks and keys are the system's: a multi-select list has the extended selection (a click
// marks one item, Ctrl+click toggles, Shift+click marks a range), and each change of the marks
// (LBN_SELCHANGE) goes back to the control as SelectionChangedByUser, which fires OnClick.
// The folder tree list is drawn by the peer (owner-drawn items) to indent its levels.

#include "platform/win32/Windowpeer.h"

#include "toolkit/Stdctrls.h"

#include <string>
#include <vector>

class TListBoxPeer : public TWin32Peer {
public:
    TListBoxPeer(TWin32Platform& host, TListBox& listBox);

    void Changed(TPeerChange change) override;

protected:
    bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Create();
    void ApplyListFont();
    void ApplyItems();
    void ApplyMarks();
    void ReadMarks();
    void DrawItem(const DRAWITEMSTRUCT& item);

    TListBox& List;
    bool OwnerDrawn;
    // What the native list holds.
    std::vector<std::string> Shown;
    std::vector<bool> ShownMarks;
};
