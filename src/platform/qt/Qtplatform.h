#pragma once
// TQtPlatform: the toolkit's platform services on Qt 6 Widgets, for the native Linux window.
//
// Made after the program's QApplication and gone before it. Colours come from the application's
// palette (the classic scheme for the indexes a palette has no role for), bitmaps are QImages
// with a Qt canvas, system icons the style's standard icons (the headless platform's drawn ones
// when the style has none), the beep the desktop's bell. Bitmap resources are the ones the
// program adds at start, as the headless platform has them. The canvas draws the two-vertex
// gradient itself, so it is always there.
//
// Windows are Qt widgets (Qtpeer.h), popup menus Qt popups (Qtmenus.h). The message loops run Qt's
// events until the toolkit's condition holds.
//
// The shell finds the desktop and documents folders as the XDG user directories name them (no
// folder when the one named is not there) and writes a shell link as a freedesktop launcher
// (DesktopEntryText), made executable; a link's hot key has no place in a launcher and is left
// out. Launchers and programs take lower-case names without extension ("morvik.desktop",
// "morvik"), and a program's settings live in its folder of $XDG_CONFIG_HOME.

#include "toolkit/Menus.h"
#include "toolkit/Platform.h"
#include "toolkit/Shell.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// The text of the freedesktop launcher (a .desktop file) for link: the program quoted in Exec
// with its arguments after it, the description as its name (name when there is none), the
// working folder as its Path, and as its icon the icon theme's of the program's name, as a
// Windows shell link shows its program's icon.
std::string DesktopEntryText(const TShellLink& link, const std::string& name);

class TQtMenuWindow;

class TQtPlatform : public TPlatform, public TMenuPlatform {
public:
    TQtPlatform() = default;
    TQtPlatform(const TQtPlatform&) = delete;
    TQtPlatform& operator=(const TQtPlatform&) = delete;

    // A bitmap resource of the program, compiled in and added at start.
    void AddBitmapResource(const std::string& name, const TBitmap& bitmap);

    TColor SysColor(int index) override;
    std::unique_ptr<TBitmapImage> CreateBitmapImage(int width, int height) override;
    TBitmap SystemIcon(TSystemIcon icon) override;
    bool LoadBitmapResource(const std::string& name, TBitmap& bitmap) override;
    bool GradientFillAvailable() override { return true; }
    TSize ScreenSize() override;
    TPoint CursorPos() override;
    void SetScreenCursor(int cursor) override;
    int PixelsPerInch() override;
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

    // ---- TMenuPlatform (Qtmenus.cpp)
    TMenuItem* TrackPopupMenu(TPopupMenu& menu, TPoint p) override;
    int MenuItemHeight() override;
    // Popups are made anew each time, and there are no menu bars: nothing native to redo.
    void RebuildMenu(TMenu& /*menu*/) override {}
    void DrawMenuBar(TMenuWindow /*window*/) override {}
    TMenuWindow WindowOfCanvas(TCanvas& canvas) override;
    std::uint32_t GetExStyle(TMenuWindow window) override;
    bool SetExStyle(TMenuWindow window, std::uint32_t exStyle) override;
    std::uintptr_t GetUserData(TMenuWindow window) override;
    bool SetUserData(TMenuWindow window, std::uintptr_t data) override;
    bool GetClientRect(TMenuWindow window, TRect& r) override;
    bool GetWindowRect(TMenuWindow window, TRect& r) override;
    bool SetWindowRegion(TMenuWindow window, const std::optional<TRect>& r, bool redraw) override;
    std::unique_ptr<TCanvas> WindowCanvas(TMenuWindow window) override;
    // "SetLayeredWindowAttributes" of "user32.dll" sets a layered window's opacity; the other
    // function of the service is found and fails, as the menus never call it.
    TSetLayeredWindowAttributes FindLayeredFunction(const std::string& library,
                                                    const std::string& name) override;
    // The version whose looks the menus take: that of the Windows the layouts were made on.
    TOsVersion OsVersion() override { return TOsVersion{true, 5, 1}; }
    // The menu window with that id while it is up, else nullptr.
    TQtMenuWindow* FindMenuWindow(TMenuWindow window) const;

private:
    std::map<std::string, TBitmap> Resources;
    // Whether the application's override cursor is the screen cursor's.
    bool ScreenCursorShown = false;
    // The menu windows that are up, the innermost last.
    std::vector<TQtMenuWindow*> MenuWindows;
    TMenuWindow NextMenuWindow = 0x1000;
    class TQtShell : public TShell {
    public:
        std::string SpecialFolderPath(int csidl) override;
        std::string SaveShellLink(const TShellLink& link, const std::string& fileName) override;
        std::string LinkFileName(const std::string& linkName) override;
        std::string ProgramFileName(const std::string& programName) override;
        std::string SettingsFolder(const std::string& programName) override;
    };
    TQtShell ShellValue;
};
