#pragma once
// The services the toolkit needs from the system it runs on. Each platform (Win32, headless)
// implements TPlatform once and installs it at start; the toolkit and everything above reach the
// system only through it. The headless platform records what was asked (the beeps in order, the
// dialogs shown) so that tests can check it.

#include "toolkit/Graphics.h"
#include "toolkit/Uitypes.h"

#include <cstdint>
#include <memory>
#include <string>

// Win32 system icon identifiers (IDI_...), as the message dialog asks for them.
enum TSystemIcon : int {
    siHand = 32513,
    siQuestion = 32514,
    siExclamation = 32515,
    siAsterisk = 32516,
};

class TForm;
class TShell;
class TWinControl;

// What changed on a windowed control, for its peer to mirror onto the native window. The peer
// reads the new state from the control.
enum class TPeerChange {
    Bounds,
    Visible,
    Enabled,
    Text,
    Font,
    Color,
    Hint, // the hint or whether it shows
    Cursor,
    ZOrder,      // the control's place among its parent's windows
    Items,       // a list's or drive list's items
    Selection,   // marks, current item or chosen entry of a list
    ReadOnly,    // of an edit
    Style,       // of a form: border style, border icons, form style; of a list: multi-select
    AcceptFiles, // of a form: whether files may be dropped on it
};

// A native window that mirrors one windowed control. The control holds all state and calls the
// peer after each change; the peer reports user input back as calls of the control's input
// entry points (TWinControl::WindowMouseDown and the like, TForm::Close, ...).
class TWindowPeer {
public:
    virtual ~TWindowPeer() = default;
    virtual void Changed(TPeerChange change) = 0;
    // Asks for r (client coordinates) to be painted again.
    virtual void Invalidate(const TRect& r) = 0;
    // Paints what is waiting to be painted, now.
    virtual void Update() = 0;
    virtual void SetFocus() = 0;
    // True when the native window handles clicks and keys itself (a system edit or list box)
    // and reports their outcome; the control's own handling then stays out of the way.
    virtual bool NativeInput() const = 0;
};

class TPlatform {
public:
    virtual ~TPlatform() = default;

    // ---- Drawing
    // The current value of system colour index (a Win32 COLOR_ index).
    virtual TColor SysColor(int index) = 0;
    virtual std::unique_ptr<TBitmapImage> CreateBitmapImage(int width, int height) = 0;
    // The 32 x 32 picture of a system icon, with its transparent pixels in clFuchsia; an empty
    // bitmap when the system has none.
    virtual TBitmap SystemIcon(TSystemIcon icon) = 0;
    // A bitmap resource of the program by name; false when there is none.
    virtual bool LoadBitmapResource(const std::string& name, TBitmap& bitmap) = 0;
    // Whether the system has the two-vertex gradient primitive behind TCanvas::GradientFill (on
    // Windows "GradientFill" of MSIMG32.DLL, looked up once at start and kept to the end).
    // Components ask before they fill: without it they paint as the system without it looks.
    virtual bool GradientFillAvailable() = 0;

    // ---- Screen and input
    virtual TSize ScreenSize() = 0;
    virtual TPoint CursorPos() = 0;
    virtual int PixelsPerInch() { return 96; }
    // Shows cursor (a TCursor) over every window of the program, whatever the controls ask;
    // crDefault gives each control its own again.
    virtual void SetScreenCursor(int cursor) = 0;

    // ---- Sound
    // The system sound of type (sndDefault, sndExclamation, ...), as MessageBeep plays it.
    virtual void MessageBeep(TSoundType type) = 0;

    // ---- Windows
    // A peer for control, made after the peer of its parent (if it has a parent); nullptr when
    // the platform has no native window for it.
    virtual std::unique_ptr<TWindowPeer> CreatePeer(TWinControl& control) = 0;
    // The frame around a form's client area for its border style and icons: the widths of the
    // left, top (caption bar included), right and bottom parts.
    virtual TRect FrameInsets(const TForm& form) = 0;
    // Runs a modal loop for form, which is shown, until its ModalResult is not mrNone. The close
    // box calls form.Close(), which sets ModalResult mrCancel for a modal form.
    virtual void RunModal(TForm& form) = 0;
    // Runs the program's message loop until Application().Terminated(). An exception out of an
    // event handler is shown through Application().HandleException() and the loop goes on.
    virtual void RunMessageLoop() = 0;
    // Makes a waiting message loop look at Terminated (the quit message of Windows).
    virtual void QuitMessageLoop() = 0;

    // ---- Program
    // The system's standard error box with message, titled title; returns when it is closed.
    virtual void ShowErrorBox(const std::string& title, const std::string& message) = 0;
    // The full file name of the running program.
    virtual std::string ExeName() = 0;
    // The command line as the system gives it, the program's name first.
    virtual std::string CommandLine() = 0;

    // ---- Shell
    // Special folders and shell links (Shell.h).
    virtual TShell& Shell() = 0;
};

// The platform in use; installed once at start (InstallPlatform) and kept to the end.
TPlatform& Platform();
TPlatform* InstallPlatform(TPlatform* platform);
