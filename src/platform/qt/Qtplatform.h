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
// Windows are Qt widgets (Qtpeer.h). The message loops run Qt's events until the toolkit's
// condition holds.
//
// The shell finds the desktop and documents folders as the XDG user directories name them and
// writes a shell link as a freedesktop launcher (DesktopEntryText), made executable; a link's
// hot key has no place in a launcher and is left out.

#include "toolkit/Menus.h"
#include "toolkit/Platform.h"
#include "toolkit/Shell.h"

#include <map>
#include <string>

// The text of the freedesktop launcher (a .desktop file) for link: the program quoted in Exec
// with its arguments after it, the description as its name (name when there is none), the
// working folder as its Path.
std::string DesktopEntryText(const TShellLink& link, const std::string& name);

class TQtPlatform : public TPlatform {
public:
    TQtPlatform() = default;
    TQtPlatform(const TQtPlatform&) = delete;
    TQtPlatform& operator=(const TQtPlatform&) = delete;

    // A bitmap resource of the program, compiled in and added at start.
    void AddBitmapResource(const std::string& name, const TBitmap& bitmap);
    // The version whose looks the menus take: that of the Windows the layouts were made on.
    TOsVersion OsVersion() const { return TOsVersion{true, 5, 1}; }

    TColor SysColor(int index) override;
    std::unique_ptr<TBitmapImage> CreateBitmapImage(int width, int height) override;
    TBitmap SystemIcon(TSystemIcon icon) override;
    bool LoadBitmapResource(const std::string& name, TBitmap& bitmap) override;
    bool GradientFillAvailable() override { return true; }
    TSize ScreenSize() override;
    TPoint CursorPos() override;
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

private:
    std::map<std::string, TBitmap> Resources;
    class TQtShell : public TShell {
    public:
        std::string SpecialFolderPath(int csidl) override;
        std::string SaveShellLink(const TShellLink& link, const std::string& fileName) override;
    };
    TQtShell ShellValue;
};
