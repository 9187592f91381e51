#include "platform/win32/Formpeer.h"

#include "platform/win32/Win32platform.h"

#include "toolkit/Sysutils.h"

#include <string>
#include <vector>

namespace {

// Sets flag for the time of a scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : Flag(flag) { Flag = true; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;
    ~TFlagScope() { Flag = false; }

private:
    bool& Flag;
};

HWND HandleOf(TWinControl* control) {
    auto* peer = control ? dynamic_cast<TWin32Peer*>(control->Peer()) : nullptr;
    return peer ? peer->Handle() : nullptr;
}

// The full paths of a drop, in its order; the drop's memory is released.
std::vector<std::string> DroppedPaths(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
        std::string path(length + 1, '\0');
        ::DragQueryFileA(drop, i, path.data(), length + 1);
        path.resize(length);
        paths.push_back(path);
    }
    ::DragFinish(drop);
    return paths;
}

} // namespace

void TFormPeer::FormStyles(const TForm& form, DWORD& style, DWORD& exStyle) {
    const TBorderIcons icons = form.BorderIcons();
    style = WS_CLIPCHILDREN;
    exStyle = 0;
    switch (form.BorderStyle()) {
    case bsNone:
        style |= WS_POPUP;
        break;
    case bsDialog:
        style |= WS_POPUP | WS_CAPTION;
        if (icons & biSystemMenu) {
            style |= WS_SYSMENU;
        }
        exStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsSingle:
    case bsSizeable:
        style |= WS_OVERLAPPED | WS_CAPTION;
        if (form.BorderStyle() == bsSizeable) {
            style |= WS_THICKFRAME;
        }
        if (icons & biSystemMenu) {
            style |= WS_SYSMENU;
            if (icons & biMinimize) {
                style |= WS_MINIMIZEBOX;
            }
            if (icons & biMaximize) {
                style |= WS_MAXIMIZEBOX;
            }
        }
        break;
    }
    if (form.FormStyle() == fsStayOnTop) {
        exStyle |= WS_EX_TOPMOST;
    }
    if (form.AcceptFiles()) {
        exStyle |= WS_EX_ACCEPTFILES;
    }
}

TFormPeer::TFormPeer(TWin32Platform& host, TForm& form)
    : TWin32Peer(host, form, TUninitialised{}), Form(form) {
    DWORD style = 0;
    DWORD exStyle = 0;
    FormStyles(form, style, exStyle);
    if (!form.Enabled()) {
        style |= WS_DISABLED;
    }
    HWND owner = nullptr;
    if (form.Modal()) {
        owner = ::GetActiveWindow();
    } else if (TForm* main = Application().MainForm(); main != &form) {
        owner = HandleOf(main);
    }
    // Shown by the Visible change that follows, once the controls have their windows.
    CreateHandle(FormClassName, exStyle, style, owner, form.BoundsRect());
    Tooltip =
        ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, Window, nullptr, host.Instance(), nullptr);
    SyncHints();
}

TFormPeer::~TFormPeer() {
    DestroyHandle(); // the tooltip, an owned window, goes with it
    Tooltip = nullptr;
}

void TFormPeer::ApplyStyle() {
    DWORD style = 0;
    DWORD exStyle = 0;
    FormStyles(Form, style, exStyle);
    const DWORD kept =
        DWORD(::GetWindowLongPtrA(Window, GWL_STYLE)) & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE);
    ::SetWindowLongPtrA(Window, GWL_STYLE, LONG_PTR(style | kept));
    ::SetWindowLongPtrA(Window, GWL_EXSTYLE, LONG_PTR(exStyle));
    ::SetWindowPos(Window, exStyle & WS_EX_TOPMOST ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ApplyBounds();
}

void TFormPeer::Changed(TPeerChange change) {
    if (!Window) {
        return;
    }
    switch (change) {
    case TPeerChange::Bounds:
        if (!TakingBounds) {
            ApplyBounds();
        }
        break;
    case TPeerChange::Visible:
        ::ShowWindow(Window, Form.Visible() ? SW_SHOW : SW_HIDE);
        break;
    case TPeerChange::Text:
        ::SetWindowTextA(Window, Form.Caption().c_str());
        break;
    case TPeerChange::Style:
        ApplyStyle();
        break;
    case TPeerChange::AcceptFiles:
        ::DragAcceptFiles(Window, Form.AcceptFiles());
        break;
    default:
        TWin32Peer::Changed(change);
        break;
    }
}

void TFormPeer::Activated() {
    const bool* const alive = AliveFlag();
    Form.Activate();
    if (!*alive) {
        return;
    }
    // The focus goes back where it was on the form, or to the first control that takes it.
    TWinControl* active = Form.ActiveControl();
    if (active && active->CanFocus()) {
        active->SetFocus();
    } else if (!active) {
        Form.SelectNext(nullptr, true);
    }
    if (*alive && Window && !Form.ActiveControl()) {
        ::SetFocus(Window);
    }
}

LRESULT TFormPeer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            // Only another ordinary form of the program takes the place of the active form; a
            // modal form in front of it, or another program, does not.
            TWin32Peer* other = FromHandle(reinterpret_cast<HWND>(lParam));
            auto* otherForm = other ? dynamic_cast<TForm*>(&other->Control()) : nullptr;
            if (otherForm && otherForm != &Form && !otherForm->Modal()) {
                Form.Deactivate();
            }
            return 0;
        }
        Activated();
        return 0;
    case WM_CLOSE:
        Form.Close();
        return 0;
    case WM_DROPFILES:
        Form.WindowDropFiles(DroppedPaths(reinterpret_cast<HDROP>(wParam)));
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        RECT r{};
        if (!::IsIconic(Window) && ::GetWindowRect(Window, &r)) {
            const TRect bounds{int(r.left), int(r.top), int(r.right), int(r.bottom)};
            if (!(bounds == Form.BoundsRect())) {
                const TFlagScope taking(TakingBounds);
                Form.SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
            }
        }
        return result;
    }
    default:
        return TWin32Peer::WindowProc(message, wParam, lParam);
    }
}
