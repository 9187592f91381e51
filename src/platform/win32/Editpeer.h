#pragma once
// TEditPeer: a one-line edit on the system's EDIT control. Text typed by the user goes back to
// the control (EN_CHANGE), so its OnChange follows every keystroke; text set by the program is
// put into the window only when it differs, which keeps the two from echoing each other.

#include "platform/win32/Windowpeer.h"

#include "toolkit/Stdctrls.h"

class TEditPeer : public TWin32Peer {
public:
    TEditPeer(TWin32Platform& host, TEdit& edit);

    void Changed(TPeerChange change) override;

protected:
    bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    TEdit& Edit;
};
