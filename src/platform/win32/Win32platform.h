#pragma once
// TWin32Platform: the toolkit realised on the Win32 API. The program installs one at start
// (InstallPlatform) and keeps it to the end.
//
// Starting it initialises the common controls, registers the platform's window classes and
// loads the gradient-fill primitive (Msimg32.h). Pictures are GDI bitmaps (Gdibitmap.h) drawn
// through GDI canvases (Gdicanvas.h); windowed controls get the peers of Windowpeer.h and the
// files beside it.
//
// The message loop and the modal loop dispatch messages to the window procedure, which catches
// the exceptions of event handlers and shows them through Application().HandleException(): an
// exception must never unwind through the system's dispatching code. A modal loop disables the
// program's other forms while it runs and gives the activation back to the form it came from.

#include "platform/win32/Msimg32.h"
#include "platform/win32/Win.h"
#include "platform/win32/Win32shell.h"

#include "toolkit/Menus.h"
#include "toolkit/Platform.h"

class TWin32Platform : public TPlatform, public TMenuPlatform {
public:
    TWin32Platform();
    TWin32Platform(const TWin32Platform&) = delete;
    TWin32Platform& operator=(const TWin32Platform&) = delete;
    ~TWin32Platform() override;

    HINSTANCE Instance() const { return ModuleInstance; }
    const TGradientFillEntry& GradientFill() const { return Gradient; }

    TColor SysColor(int index) override;
    std::unique_ptr<TBitmapImage> CreateBitmapImage(int width, int height) override;
    TBitmap SystemIcon(TSystemIcon icon) override;
    bool LoadBitmapResource(const std::string& name, TBitmap& bitmap) override;
    bool GradientFillAvailable() override { return Gradient.Available(); }

    TSize ScreenSize() override;
    TPoint CursorPos() override;
    int PixelsPerInch() override;
    void SetScreenCursor(int cursor) override;
    int ScreenCursor() const { return ScreenCursorValue; }

    void MessageBeep(TSoundType type) override;

    std::unique_ptr<TWindowPeer> CreatePeer(TWinControl& control) override;
    TRect FrameInsets(const TForm& form) override;
    void RunModal(TForm& form) override;
    void RunMessageLoop() override;
    void QuitMessageLoop() override;

    void ShowErrorBox(const std::string& title, const std::string& message) override;
    std::string ExeName() override;
    std::string CommandLine() override;
    TShell& Shell() override { return ShellValue; }

    // ---- Menu windows (Win32menus.cpp)
    TMenuItem* TrackPopupMenu(TPopupMenu& menu, TPoint p) override;
    int MenuItemHeight() override;
    void RebuildMenu(TMenu& menu) override;
    void DrawMenuBar(TMenuWindow window) override;
    TMenuWindow WindowOfCanvas(TCanvas& canvas) override;
    std::uint32_t GetExStyle(TMenuWindow window) override;
    bool SetExStyle(TMenuWindow window, std::uint32_t exStyle) override;
    std::uintptr_t GetUserData(TMenuWindow window) override;
    bool SetUserData(TMenuWindow window, std::uintptr_t data) override;
    bool GetClientRect(TMenuWindow window, TRect& r) override;
    bool GetWindowRect(TMenuWindow window, TRect& r) override;
    bool SetWindowRegion(TMenuWindow window, const std::optional<TRect>& r, bool redraw) override;
    std::unique_ptr<TCanvas> WindowCanvas(TMenuWindow window) override;
    TSetLayeredWindowAttributes FindLayeredFunction(const std::string& library,
                                                    const std::string& name) override;
    TOsVersion OsVersion() override;

private:
    HINSTANCE ModuleInstance;
    TGradientFillEntry Gradient;
    TWin32Shell ShellValue;
    int ScreenCursorValue = 0; // crDefault
};
