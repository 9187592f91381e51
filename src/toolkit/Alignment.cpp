// The placing of aligned children in their parent's client area: all top-aligned children from
// the top down, then the bottom, left and right ones inwards, and the client-aligned ones in
// what is left.

#include "toolkit/Controls.h"

#include <algorithm>
#include <vector>

namespace {

// Children of one side keep the order of their places, whatever their z-order: the one nearer
// to the side goes first.
bool NearerToSide(TAlign align, const TControl* a, const TControl* b) {
    switch (align) {
    case alTop:
        return a->Top() < b->Top();
    case alBottom:
        return a->Top() + a->Height() > b->Top() + b->Height();
    case alLeft:
        return a->Left() < b->Left();
    case alRight:
        return a->Left() + a->Width() > b->Left() + b->Width();
    default:
        return false;
    }
}

// Puts control against its side of room, keeping its size across the side, and takes the place
// it fills off room.
void PlaceAligned(TControl* control, TAlign align, TRect& room) {
    const int w = control->Width();
    const int h = control->Height();
    switch (align) {
    case alTop:
        control->SetBounds(room.Left, room.Top, room.Width(), h);
        room.Top += h;
        break;
    case alBottom:
        control->SetBounds(room.Left, room.Bottom - h, room.Width(), h);
        room.Bottom -= h;
        break;
    case alLeft:
        control->SetBounds(room.Left, room.Top, w, room.Height());
        room.Left += w;
        break;
    case alRight:
        control->SetBounds(room.Right - w, room.Top, w, room.Height());
        room.Right -= w;
        break;
    default:
        control->SetBounds(room.Left, room.Top, room.Width(), room.Height());
        break;
    }
}

} // namespace

void TWinControl::Realign() {
    if (Aligning || TearingDown) {
        return;
    }
    Aligning = true;
    TRect room = ClientRect();
    AdjustClientRect(room);
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> aligned;
        for (TControl* control : Children) {
            if (control->Align() == align && control->Visible()) {
                aligned.push_back(control);
            }
        }
        std::stable_sort(aligned.begin(), aligned.end(),
                         [align](TControl* a, TControl* b) { return NearerToSide(align, a, b); });
        for (TControl* control : aligned) {
            PlaceAligned(control, align, room);
        }
    }
    Aligning = false;
}
