#pragma once
// TWin32Peer: the native window of a windowed control, and the peer of the self-drawn ones.
//
// One window procedure serves every window of the platform: it finds the peer of the window
// (in a table of the program), hands the message to the peer's WindowProc and catches what an
// event handler throws, which the application object then shows in its error box. Exceptions never
// pass through the system's code. Windows of a system class (EDIT, LISTBOX, COMBOBOX) are
// subclassed: their messages reach WindowProc first, which lets the system control do its part
// and then reports the outcome to the control.
//
// Self-drawn controls (TCustomControl, and every windowed control without a system class) use
// the platform's own window class: WM_PAINT paints TWinControl::PaintWindow (background, Paint
// and the windowless children in z-order) through a GDI canvas, mouse input goes to
// TWinControl's Window... entry points, which route it to the windowless children, and
// WM_SETCURSOR shows the cursor of the control under the pointer.
//
// The parent reflects WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR... and WM_DRAWITEM to the child that
// sent them, so each peer handles its own control's notifications.
//
// Hints: each window has tools in its form's tooltip, one for the control itself and one for
// each visible windowless child whose ShowHint is on and whose hint is not empty. They are
// brought up to date after every mouse message (a handler may have changed a hint) and when
// the control's own hint, bounds or place change.

#include "platform/win32/Gdiobjects.h"
#include "platform/win32/Win.h"

#include "toolkit/Controls.h"

#include <string>
#include <vector>

class TWin32Platform;

// The system cursor for cursor; nullptr for the window's own.
LPCSTR CursorResource(TCursor cursor);

// The window classes the platform registers.
inline constexpr const char* ControlClassName = "MorvikControl";
inline constexpr const char* FormClassName = "MorvikForm";

class TWin32Peer : public TWindowPeer {
public:
    // The peer of a self-drawn child control.
    TWin32Peer(TWin32Platform& host, TWinControl& control);
    ~TWin32Peer() override;
    TWin32Peer(const TWin32Peer&) = delete;
    TWin32Peer& operator=(const TWin32Peer&) = delete;

    HWND Handle() const { return Window; }
    TWinControl& Control() const { return Owner; }
    // The peer of window, or nullptr for a window that is not the platform's.
    static TWin32Peer* FromHandle(HWND window);
    // The window procedure of every window of the platform.
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    void Changed(TPeerChange change) override;
    void Invalidate(const TRect& r) override;
    void Update() override;
    void SetFocus() override;
    bool NativeInput() const override { return NativeProc != nullptr; }

protected:
    struct TUninitialised {};
    // For derived peers, which create their window themselves.
    TWin32Peer(TWin32Platform& host, TWinControl& control, TUninitialised);

    // Creates the window. Windows of a system class are subclassed. Raises an Exception when
    // the system refuses.
    void CreateHandle(const char* className, DWORD exStyle, DWORD style, HWND parent,
                      const TRect& bounds);
    // Creates a child window in the parent control's window, at the control's place, visible and
    // enabled as the control is.
    void CreateChildHandle(const char* className, DWORD exStyle, DWORD style);
    void DestroyHandle();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The system's handling: the subclassed control's own, or DefWindowProcA.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A message the parent window got about this window; false leaves it to the parent.
    virtual bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The tooltip window a form peer owns.
    virtual HWND OwnTooltip() const { return nullptr; }

    // True while the peer still exists; read it after calling into the toolkit, whose handlers
    // may have destroyed the control and its peer.
    const bool* AliveFlag() const { return Alive; }

    // For windows of a system class: the control's font, and its colours for WM_CTLCOLOR...
    void ApplyFont();
    LRESULT ControlColors(HDC dc);
    // The window's text.
    std::string WindowText() const;

    void ApplyBounds();
    void ApplyZOrder();
    void SyncHints();

    TWin32Platform& Host;
    TWinControl& Owner;
    HWND Window = nullptr;
    // Extra height of the window below the control's bounds (a combo box's drop-down list).
    int DropDownHeight = 0;
    // Set while the window is being destroyed: its messages then only get the system's handling.
    bool Destroying = false;

private:
    struct THintTool {
        UINT_PTR Id = 0;
        bool IsWindow = false; // the control itself: the whole window
        TRect Rect;
        std::string Text;
    };

    HWND TooltipWindow() const;
    void SendTool(HWND tooltip, UINT message, const THintTool& tool) const;
    void RemoveHints();
    void RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_NCDESTROY: the system's handling, then the window lets go of the peer.
    LRESULT LastMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // WindowProc, with what its handlers throw caught and the peer's Alive flag kept.
    LRESULT GuardedWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The kinds of message WindowProc handles. Each is true when it answered the message with
    // result, and false for a message that is not its kind or gets the system's handling.
    bool PaintMessage(UINT message, LRESULT& result);
    bool MouseButtonMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Moves, leaving and the cursor shape.
    bool PointerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The focus, and keys down and up.
    bool KeyMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Typed characters and accelerators.
    bool CharMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The notifications of a child (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR..., WM_DRAWITEM), handed to
    // its Reflected.
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void PaintWindow();
    bool SetCursorShape();

    WNDPROC NativeProc = nullptr;
    bool* Alive = nullptr;
    bool TrackingLeave = false;
    std::vector<THintTool> Tools;
    TGdiObject FontHandle;
    TGdiObject BackgroundBrush;
    TColor BackgroundColor = clNone;
};
