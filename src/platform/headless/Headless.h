#pragma once
// THeadlessPlatform: the toolkit realised in memory, the platform of the tests.
//
// No native windows: each windowed control gets a THeadlessPeer that only records what it was
// told. Pixels come from the software canvas (Softcanvas.h), colours from the classic scheme
// (Syscolors.h), icons from Sysicons.h. The machine it pretends to be is set by the test:
// screen size (1024 x 768 at first), cursor position, program name and command line, bitmap
// resources, system colours, whether the gradient primitive exists. Its shell (Headlessshell.h)
// keeps the special folders in a temporary folder and records the links written.
//
// Modal forms are answered from a script: before the code under test opens a form, the test
// queues answers (click the control named "A1", press a key, close the window). Each ShowModal
// records what is shown (caption, geometry, every control with name, caption and bounds, and the
// client area rendered by PaintTo), then applies answers one by one until the form has a modal
// result. Running out of answers throws THeadlessScriptError, never waits. The message loop
// (Application().Run) activates the main form and runs the queued loop actions, then returns.
//
// The user's input goes through the same entry points as the Win32 platform's: UserClick and
// the like move the pointer (mouse enter and leave included), press and release the button in
// the control's window, and deliver each message as the loop does, an exception out of a handler
// going to the error box.
//
// Popup menus are windows in memory (Headlessmenus.cpp), answered from the same script: each
// TrackPopupMenu measures every visible top-level item through its measure request, lays the
// items out from (3, 3) inside a 3-pixel raised frame (one column per break, each as wide as
// its widest item; the window, whose rectangle is its client rectangle, kept inside the screen),
// paints the frame and then each item through its draw request on a software canvas, and then
// applies answers: the up and down keys move the highlight over the items that are no
// separators, wrapping around (the old item is painted again without, the new one with the
// selected state); Enter chooses the highlighted item, an item's accelerator letter or a click
// on the item of that name (or caption) chooses it when it is enabled, the highlight moving
// there first; Escape or the close box closes the menu. What it showed is recorded in a
// TShownMenu. Submenus are not opened.
//
// Frame metrics (FrameInsets): no border 0; a single or dialog border 3 pixels on each side and
// a 19-pixel caption bar under the top border (top 22); a sizeable border 4 on each side (top
// 23).

#include "platform/headless/Headlessshell.h"
#include "toolkit/Forms.h"
#include "toolkit/Menus.h"
#include "toolkit/Platform.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// A mistake of the test's script (no answer left, no such control): not an error of the code
// under test, so it is no Exception. Its message begins with ScriptErrorPrefix, which tells it
// apart when a handler's error box shows it.
inline constexpr const char* ScriptErrorPrefix = "Headless script: ";
class THeadlessScriptError : public std::logic_error {
public:
    explicit THeadlessScriptError(const std::string& what)
        : std::logic_error(ScriptErrorPrefix + what) {}
};

// One step of the answer to a modal form.
struct TModalAnswer {
    enum class TKind { Click, Key, Close };
    TKind Kind = TKind::Close;
    std::string ControlName;
    std::uint16_t Key = 0;
    TShiftState Shift = 0;

    // A left click in the middle of the control of that name.
    static TModalAnswer ClickControl(const std::string& name);
    // A key (virtual key code, vk... or an upper-case letter or digit) struck with shift.
    static TModalAnswer PressKey(std::uint16_t key, TShiftState shift = 0);
    // The window's close box.
    static TModalAnswer CloseWindow();
};

// A control of a shown form; Bounds in the form's client coordinates.
struct TShownControl {
    std::string Name;
    std::string Caption;
    std::string ParentName;
    TRect Bounds;
    bool Visible = true;
};

// What a ShowModal showed, and how it ended.
struct TShownDialog {
    std::string Caption;
    // The outer window on the screen.
    TRect Bounds;
    int ClientWidth = 0;
    int ClientHeight = 0;
    TPosition Position = poDesigned;
    TFormBorderStyle BorderStyle = bsSizeable;
    TBorderIcons BorderIcons = 0;
    TFormStyle FormStyle = fsNormal;
    TColor Color = clNone;
    // Every control on the form, parents before their children, each level in z-order.
    std::vector<TShownControl> Controls;
    // The client area as PaintTo rendered it when the form was shown.
    TBitmap Image;
    // The screen's cursor (a TCursor) while the form was up.
    int Cursor = 0;
    TModalResult Result = mrNone;

    // The control of that name, or nullptr.
    const TShownControl* Find(const std::string& name) const;
};

// One draw request of a shown menu: the item (its index among the visible items), the
// rectangle and the state it was painted with.
struct TMenuPaint {
    int Index = -1;
    TRect Rect;
    TOwnerDrawState State = 0;
};

// What a popup menu showed, and how it ended.
struct TShownMenu {
    // The screen point asked for, and the window on the screen.
    TPoint Point;
    TRect Bounds;
    TMenuWindow Window = 0;
    // Per visible top-level item: name, caption, measured size and rectangle (client
    // coordinates).
    std::vector<std::string> Names;
    std::vector<std::string> Captions;
    std::vector<TSize> Sizes;
    std::vector<TRect> ItemRects;
    // Every draw request, in order.
    std::vector<TMenuPaint> Paints;
    // The window's pixels after the first painting, and when the menu closed.
    TBitmap OpenImage;
    TBitmap Image;
    // The window's state when it closed.
    std::uint32_t ExStyle = 0;
    std::uintptr_t UserData = 0;
    // The alpha given by SetLayeredWindowAttributes, if it was given.
    std::optional<std::uint8_t> Alpha;
    int AlphaCalls = 0;
    std::optional<TRect> Region;
    int RegionCalls = 0;
    // The index of the chosen item, -1 when the menu was closed without a choice.
    int Chosen = -1;
};

struct TShownError {
    std::string Title;
    std::string Message;
};

class THeadlessPlatform;

// The peer of a windowed control: it records what it was told.
class THeadlessPeer : public TWindowPeer {
public:
    THeadlessPeer(THeadlessPlatform& platform, TWinControl& control);
    ~THeadlessPeer() override;
    THeadlessPeer(const THeadlessPeer&) = delete;
    THeadlessPeer& operator=(const THeadlessPeer&) = delete;

    void Changed(TPeerChange change) override { Changes.push_back(change); }
    void Invalidate(const TRect& /*r*/) override { ++Invalidations; }
    void Update() override { ++Updates; }
    void SetFocus() override { ++FocusRequests; }
    bool NativeInput() const override { return false; }

    TWinControl& Control;
    std::vector<TPeerChange> Changes;
    int Invalidations = 0;
    int Updates = 0;
    int FocusRequests = 0;

private:
    friend class THeadlessPlatform;
    THeadlessPlatform* Owner;
};

class THeadlessMenuWindow;

class THeadlessPlatform : public TPlatform, public TMenuPlatform {
public:
    THeadlessPlatform();
    ~THeadlessPlatform() override;
    THeadlessPlatform(const THeadlessPlatform&) = delete;
    THeadlessPlatform& operator=(const THeadlessPlatform&) = delete;

    // ---- The machine
    void SetScreenSize(TSize size) { ScreenSizeValue = size; }
    void SetCursorPos(TPoint position) { CursorValue = position; }
    void SetExeName(const std::string& exeName) { ExeNameValue = exeName; }
    void SetCommandLine(const std::string& commandLine) { CommandLineValue = commandLine; }
    void AddBitmapResource(const std::string& name, const TBitmap& bitmap);
    // Gives system colour index the value color instead of the classic scheme's.
    void SetSysColor(int index, TColor color) { ColorOverrides[index] = color; }
    // A system without the gradient primitive when false (it has one at first).
    void SetGradientFillAvailable(bool available) { GradientFillPresent = available; }
    void SetOsVersion(const TOsVersion& version) { OsVersionValue = version; }
    // The layered-window service: whether "user32.dll" loads, which of its two functions it
    // has, and whether SetLayeredWindowAttributes succeeds. All there and working at first.
    void SetLayeredService(bool libraryLoads, bool hasSetAttributes, bool hasUpdate) {
        LayeredLibrary = libraryLoads;
        LayeredSetAttributes = hasSetAttributes;
        LayeredUpdate = hasUpdate;
    }
    void SetLayeredAttributesFail(bool fail) { LayeredAttributesFail = fail; }
    // Makes SetWindowRegion (and, with the others, the style and user-data calls) refuse.
    void SetWindowRegionFail(bool fail) { RegionFail = fail; }
    void SetMenuItemHeight(int height) { MenuItemHeightValue = height; }

    // ---- Scripts
    // The next step of the answers to modal forms, in order.
    void QueueAnswer(const TModalAnswer& answer) { Answers.push_back(answer); }
    std::size_t PendingAnswers() const { return Answers.size(); }
    // Drops the answers not used yet, as a script that starts a new step afresh does.
    void ClearAnswers() { Answers.clear(); }
    // Whether Dialogs() keep each form's picture as shown (they do at first). Without, every
    // form is still painted when shown, into one bitmap used again, so that a long session
    // neither holds a picture per dialog nor allocates one.
    void SetKeepDialogPictures(bool keep) { KeepDialogPictures = keep; }
    // A step of the message loop: the user's doing while the program runs.
    void QueueLoopAction(std::function<void()> action) { LoopActions.push_back(std::move(action)); }

    // ---- The user's input, message by message as the loop delivers it. Each throws
    // THeadlessScriptError for a control that is not showing.
    // A left click in the middle of control, or at (x, y) of its client area.
    void UserClick(TControl& control, TShiftState shift = 0);
    void UserClickAt(TControl& control, int x, int y, TShiftState shift = 0);
    // A left double click at (x, y): press, release, second press (the double click), release.
    void UserDoubleClickAt(TControl& control, int x, int y, TShiftState shift = 0);
    void UserMouseMove(TControl& control, int x, int y, TShiftState shift = 0);
    void UserMouseDown(TControl& control, TMouseButton button, int x, int y, TShiftState shift = 0);
    void UserMouseUp(TControl& control, TMouseButton button, int x, int y, TShiftState shift = 0);
    // The pointer leaves the window it is over.
    void UserMouseLeave();
    // Files and folders dragged from the shell and dropped on form, as full paths, delivered
    // as the system's drop message is (an exception out of the handler goes to the error box).
    void UserDropFiles(TForm& form, const std::vector<std::string>& paths);
    // A key struck on form: Tab moves the focus; other keys go to the focused control (or the
    // form) as KeyDown, then as the typed character to KeyPress; a character typed with Alt, or
    // one the focused control does not take as text, goes to the form's accelerators.
    void UserPressKey(TForm& form, std::uint16_t key, TShiftState shift = 0);

    // ---- What was asked, in order
    const std::vector<TSoundType>& Beeps() const { return BeepLog; }
    const std::vector<TShownError>& Errors() const { return ErrorLog; }
    const std::vector<TShownDialog>& Dialogs() const { return DialogLog; }
    const std::vector<TShownMenu>& Menus() const { return MenuLog; }
    // The screen's cursor now, and every shape it was given, in order.
    int ScreenCursor() const { return ScreenCursorValue; }
    const std::vector<int>& ScreenCursors() const { return CursorLog; }
    // The native rebuilds of menus (RebuildMenu) and menu-bar redraws asked for.
    const std::vector<const TMenu*>& MenuRebuilds() const { return RebuildLog; }
    const std::vector<TMenuWindow>& MenuBarRedraws() const { return MenuBarLog; }
    // All of them in one order: "Beep 48", "Dialog <caption>", "Error <message>", "Menu x,y".
    const std::vector<std::string>& Journal() const { return JournalLog; }
    void ClearRecords();
    // The peer of control, or nullptr when it has none.
    static THeadlessPeer* PeerOf(const TWinControl& control);

    // ---- TPlatform
    TColor SysColor(int index) override;
    std::unique_ptr<TBitmapImage> CreateBitmapImage(int width, int height) override;
    TBitmap SystemIcon(TSystemIcon icon) override;
    bool LoadBitmapResource(const std::string& name, TBitmap& bitmap) override;
    bool GradientFillAvailable() override { return GradientFillPresent; }
    TSize ScreenSize() override { return ScreenSizeValue; }
    TPoint CursorPos() override { return CursorValue; }
    void SetScreenCursor(int cursor) override;
    void MessageBeep(TSoundType type) override;
    std::unique_ptr<TWindowPeer> CreatePeer(TWinControl& control) override;
    TRect FrameInsets(const TForm& form) override;
    void RunModal(TForm& form) override;
    void RunMessageLoop() override;
    // The loop looks at Terminated after every action; there is nothing to wake.
    void QuitMessageLoop() override {}
    void ShowErrorBox(const std::string& title, const std::string& message) override;
    std::string ExeName() override { return ExeNameValue; }
    std::string CommandLine() override { return CommandLineValue; }
    THeadlessShell& Shell() override { return ShellValue; }

    // ---- TMenuPlatform (Headlessmenus.cpp)
    TMenuItem* TrackPopupMenu(TPopupMenu& menu, TPoint p) override;
    int MenuItemHeight() override { return MenuItemHeightValue; }
    void RebuildMenu(TMenu& menu) override { RebuildLog.push_back(&menu); }
    void DrawMenuBar(TMenuWindow window) override { MenuBarLog.push_back(window); }
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
    TOsVersion OsVersion() override { return OsVersionValue; }

private:
    THeadlessMenuWindow* FindMenuWindow(TMenuWindow window);
    void ApplyMenuAnswer(THeadlessMenuWindow& window, const TModalAnswer& answer, bool& done);

    friend class THeadlessPeer;
    void PeerGone(THeadlessPeer* peer);
    // The window that gets control's mouse input, and p moved into its client coordinates.
    TWinControl& InputWindow(TControl& control, TPoint& p);
    void MoveTo(TWinControl& window, TPoint p, TShiftState shift);
    TPoint ClientToScreen(const TWinControl& window, TPoint p);
    void Record(TForm& form);
    void Apply(TForm& form, const TModalAnswer& answer);

    TSize ScreenSizeValue{1024, 768};
    TPoint CursorValue;
    int ScreenCursorValue = 0; // crDefault
    std::vector<int> CursorLog;
    std::string ExeNameValue = "Morvik.exe";
    std::string CommandLineValue = "Morvik.exe";
    std::map<std::string, TBitmap> Resources;
    std::map<int, TColor> ColorOverrides;
    bool GradientFillPresent = true;
    std::deque<TModalAnswer> Answers;
    std::deque<std::function<void()>> LoopActions;
    std::vector<TSoundType> BeepLog;
    std::vector<TShownError> ErrorLog;
    std::vector<TShownDialog> DialogLog;
    bool KeepDialogPictures = true;
    TBitmap PaintedDialog; // where forms are painted when their pictures are not kept
    std::vector<std::string> JournalLog;
    std::vector<TShownMenu> MenuLog;
    std::vector<const TMenu*> RebuildLog;
    std::vector<TMenuWindow> MenuBarLog;
    TOsVersion OsVersionValue;
    bool LayeredLibrary = true;
    bool LayeredSetAttributes = true;
    bool LayeredUpdate = true;
    bool LayeredAttributesFail = false;
    bool RegionFail = false;
    int MenuItemHeightValue = 16;
    // The menu windows that are up (one popup at a time, kept in a list for nested ones).
    std::vector<THeadlessMenuWindow*> MenuWindows;
    TMenuWindow NextMenuWindow = 0x1000;
    std::set<THeadlessPeer*> Peers;
    THeadlessShell ShellValue;
    // The window under the pointer, which hears of its leaving.
    TWinControl* HoverWindow = nullptr;
};
