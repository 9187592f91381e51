#pragma once
// TFormPeer: the top-level window of a form.
//
// Border style, border icons and form style give the window styles (FormStyles); the form's
// Left, Top, Width and Height are the outer window's on the screen, where the toolkit has
// already centred it. A form other than the main form is owned by the main window, a modal one
// by the window that was active when it opened, so that it stays above it.
//
// The system's news go back to the form: WM_ACTIVATE as Activate and Deactivate, WM_CLOSE (the
// close box, Alt+F4, the system menu) as Close, a move as new bounds, files dropped from the
// shell (WM_DROPFILES, when the form accepts them) as WindowDropFiles. A form stays active while
// a modal form of the program is in front of it, and so is not activated again when it gets
// the focus back. Each form owns the tooltip window that shows the hints of its controls.

#include "platform/win32/Windowpeer.h"

#include "toolkit/Forms.h"

class TFormPeer : public TWin32Peer {
public:
    TFormPeer(TWin32Platform& host, TForm& form);
    ~TFormPeer() override;

    void Changed(TPeerChange change) override;

    // The window styles of form.
    static void FormStyles(const TForm& form, DWORD& style, DWORD& exStyle);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND OwnTooltip() const override { return Tooltip; }

private:
    void ApplyStyle();
    void Activated();

    TForm& Form;
    HWND Tooltip = nullptr;
    // Set while the form takes bounds from its window, which then need not be placed again.
    bool TakingBounds = false;
};
