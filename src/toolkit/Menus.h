#pragma once
// Menus: items, their tree, popup and main menus, and the platform's menu windows.
//
// A menu owns a root item (Items) whose children are the top-level items; every item owns its
// children and frees them with itself. An item's owner component (for names, as with controls)
// is not its parent. Every change of the tree reaches the menu as MenuChanged with the changed
// item (or none), so a menu subclass can follow what happens to its items.
//
// Owner-drawn items are measured and painted through two requests that the platform makes
// while a menu window is up: MeasureItem starts from the toolkit's default size and hands it to
// the item's OnMeasureItem; DrawItem hands the menu window's canvas, the item rectangle in the
// window's client coordinates and the owner-draw state to OnDrawItem and OnAdvancedDrawItem.
// An item of an owner-drawn menu without handlers, or of a menu that is not owner-drawn, gets the
// toolkit's own measuring and painting.
//
// Menu windows are not controls: the platform offers them through TMenuPlatform, beside
// TPlatform (the installed platform implements both).

#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"
#include "toolkit/Platform.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A shortcut: the virtual key in the low byte, and the scShift, scCtrl and scAlt bits.
using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
// The text of a shortcut: "Shift+", "Ctrl+", "Alt+" in that order before the key's name
// ("A", "F5", "Del", ...); an empty text for 0 or a key without a name.
std::string ShortCutToText(TShortCut shortCut);

// The owner-draw state of an item, as the system passes it (the ODS_ values).
using TOwnerDrawState = std::uint16_t;
enum : TOwnerDrawState {
    odSelected = 0x0001,
    odGrayed = 0x0002,
    odDisabled = 0x0004,
    odChecked = 0x0008,
    odFocus = 0x0010,
    odDefault = 0x0020,
    odHotLight = 0x0040,
    odInactive = 0x0080,
    odNoAccel = 0x0100,
    odNoFocusRect = 0x0200,
    odComboBoxEdit = 0x1000,
};

// A window of the platform that shows a menu (a popup's window, or the window that carries a
// main menu's bar); 0 for none. On Windows the window handle.
using TMenuWindow = std::uintptr_t;

class TMenu;
class TMenuItem;

// Sender is the item.
using TMenuMeasureItemEvent = TEvent<TComponent*, TCanvas&, int&, int&>;
using TMenuDrawItemEvent = TEvent<TComponent*, TCanvas&, const TRect&, bool>;
using TAdvancedMenuDrawItemEvent = TEvent<TComponent*, TCanvas&, const TRect&, TOwnerDrawState>;

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };

// Images of one size for menus to draw their items with.
class TCustomImageList : public TComponent {
public:
    TCustomImageList(TComponent* owner, int width, int height)
        : TComponent(owner), ImageWidth(width), ImageHeight(height) {}
    int Width() const { return ImageWidth; }
    int Height() const { return ImageHeight; }
    int Count() const { return int(Images.size()); }
    // Adds a copy of image (taken as Width() x Height() from its top-left corner).
    int Add(const TBitmap& image);
    // Draws image index at (x, y); nothing for an index outside the list.
    void Draw(TCanvas& canvas, int x, int y, int index) const;

private:
    int ImageWidth;
    int ImageHeight;
    std::vector<TBitmap> Images;
};

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    // Frees the children and leaves the parent.
    ~TMenuItem() override;

    // ---- Properties; each change is reported to the menu (MenuChanged with this item).
    const std::string& Caption() const { return CaptionText; }
    void SetCaption(const std::string& caption);
    const std::string& Hint() const { return HintText; }
    void SetHint(const std::string& hint);
    TShortCut ShortCut() const { return ShortCutValue; }
    void SetShortCut(TShortCut shortCut);
    bool Enabled() const { return IsEnabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return IsVisible; }
    void SetVisible(bool visible);
    bool Checked() const { return IsChecked; }
    void SetChecked(bool checked);
    bool Default() const { return IsDefault; }
    void SetDefault(bool isDefault);
    bool RadioItem() const { return IsRadioItem; }
    void SetRadioItem(bool radioItem);
    // mbBreak and mbBarBreak start a new column with this item.
    TMenuBreak Break() const { return BreakValue; }
    void SetBreak(TMenuBreak menuBreak);
    int ImageIndex() const { return ImageIndexValue; }
    void SetImageIndex(int imageIndex);
    // The glyph, created empty on first use; HasGlyph tests for a picture without creating it.
    TBitmap& Bitmap();
    bool HasGlyph() const { return Glyph && !Glyph->Empty(); }
    // Copies bitmap into the glyph.
    void SetBitmap(const TBitmap& bitmap);
    // A separator: the caption is exactly "-".
    bool IsLine() const { return CaptionText == "-"; }

    // ---- The tree
    TMenuItem* Parent() const { return ParentItem; }
    int Count() const { return int(Children.size()); }
    TMenuItem* Items(int index) const { return Children.at(std::size_t(index)); }
    int IndexOf(const TMenuItem* item) const;
    int MenuIndex() const { return ParentItem ? ParentItem->IndexOf(this) : -1; }
    // Adds item (taken from its old parent) at the end, or at index.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes item out of this item's children without freeing it.
    void Remove(TMenuItem* item);
    // Frees the child at index.
    void Delete(int index);
    // The menu whose tree this item is in, or nullptr.
    TMenu* GetParentMenu() const;
    // The menu for the root item, the parent item for the others; nullptr when detached.
    TComponent* GetParentComponent() const;

    // ---- Requests of the platform
    // The size of the item: the toolkit's default (DefaultSize), then OnMeasureItem of an
    // owner-drawn menu's item.
    void MeasureItem(TCanvas& canvas, int& width, int& height);
    // Paints the item: OnDrawItem and then OnAdvancedDrawItem of an owner-drawn menu's item that
    // has either, else the toolkit's own painting.
    void DrawItem(TCanvas& canvas, const TRect& rect, TOwnerDrawState state);
    // The toolkit's default size of the item, measured with canvas's font (see Menus.cpp).
    void DefaultSize(TCanvas& canvas, int& width, int& height) const;
    // The toolkit's own painting: the menu colours, the caption and the shortcut.
    void DefaultDraw(TCanvas& canvas, const TRect& rect, TOwnerDrawState state) const;
    // The state the system draws the item with, selected or not.
    TOwnerDrawState DrawState(bool selected) const;

    // Runs OnClick.
    virtual void Click();

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

private:
    friend class TMenu;
    void Changed();

    std::string CaptionText;
    std::string HintText;
    TShortCut ShortCutValue = 0;
    bool IsEnabled = true;
    bool IsVisible = true;
    bool IsChecked = false;
    bool IsDefault = false;
    bool IsRadioItem = false;
    TMenuBreak BreakValue = mbNone;
    int ImageIndexValue = -1;
    std::unique_ptr<TBitmap> Glyph;
    TMenuItem* ParentItem = nullptr;
    std::vector<TMenuItem*> Children;
    // Set on the root item only.
    TMenu* RootOf = nullptr;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The root item; its children are the top-level items.
    TMenuItem* Items() const { return Root; }
    TCustomImageList* Images() const { return ImageList; }
    void SetImages(TCustomImageList* images);
    bool OwnerDraw() const { return IsOwnerDraw; }
    void SetOwnerDraw(bool ownerDraw);
    bool IsRightToLeft() const { return RightToLeft; }
    void SetRightToLeft(bool rightToLeft) { RightToLeft = rightToLeft; }

    // Every change of the tree: source is the changed item, or nullptr for the menu as a whole;
    // rebuild tells whether the native items must be made again. Overrides call this one last.
    virtual void MenuChanged(TComponent* sender, TMenuItem* source, bool rebuild);
    // The platform makes the native items again (a main menu's bar, a popup that is up).
    void RebuildItems();
    // After an item's subtree (item included) left this menu's tree.
    virtual void ItemRemoved(TMenuItem* /*item*/) {}

    TNotifyEvent OnChange;

    void Notification(TComponent* component, TOperation operation) override;

private:
    TMenuItem* Root;
    TCustomImageList* ImageList = nullptr;
    bool IsOwnerDraw = false;
    bool RightToLeft = false;
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}

    // Shows the menu at screen point (x, y) and waits until the user chooses an item, whose
    // OnClick then runs, or closes the menu.
    virtual void Popup(int x, int y);
    TPoint PopupPoint() const { return PopupPointValue; }

    TNotifyEvent OnPopup;

private:
    TPoint PopupPointValue;
};

// A menu bar on a form.
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    // The window that carries the bar; 0 while the menu is on no window.
    TMenuWindow WindowHandle() const { return Window; }
    void SetWindowHandle(TMenuWindow window) { Window = window; }

private:
    TMenuWindow Window = 0;
};

// The system's version, from which menus take their looks.
struct TOsVersion {
    bool NtPlatform = true;
    int Major = 5;
    int Minor = 1;
};

// The entry point of SetLayeredWindowAttributes, found by name.
using TSetLayeredWindowAttributes =
    std::function<bool(TMenuWindow window, TColor key, std::uint8_t alpha, std::uint32_t flags)>;

// Extended window style of a layered window, and the alpha flag of SetLayeredWindowAttributes.
inline constexpr std::uint32_t wsExLayered = 0x80000;
inline constexpr std::uint32_t lwaAlpha = 2;

// Menu windows: what the platform offers the menus.
class TMenuPlatform {
public:
    virtual ~TMenuPlatform() = default;

    // Shows menu at screen point p, measuring and painting its visible top-level items through
    // the items' requests, and runs until the user chooses an item (returned) or closes the
    // menu (nullptr).
    virtual TMenuItem* TrackPopupMenu(TPopupMenu& menu, TPoint p) = 0;
    // The height of a menu item of the system's, the default height's base.
    virtual int MenuItemHeight() = 0;
    // The native items of menu are made again.
    virtual void RebuildMenu(TMenu& menu) = 0;
    // Redraws the menu bar of window.
    virtual void DrawMenuBar(TMenuWindow window) = 0;

    // The window a canvas paints on (WindowFromDC), or 0.
    virtual TMenuWindow WindowOfCanvas(TCanvas& canvas) = 0;
    // The extended style and the user-data word; setting them is false when the system refuses.
    virtual std::uint32_t GetExStyle(TMenuWindow window) = 0;
    virtual bool SetExStyle(TMenuWindow window, std::uint32_t exStyle) = 0;
    virtual std::uintptr_t GetUserData(TMenuWindow window) = 0;
    virtual bool SetUserData(TMenuWindow window, std::uintptr_t data) = 0;
    // Client rectangle (0, 0, width, height) and the window's rectangle on the screen; false
    // when they cannot be read.
    virtual bool GetClientRect(TMenuWindow window, TRect& r) = 0;
    virtual bool GetWindowRect(TMenuWindow window, TRect& r) = 0;
    // Gives the window the rectangular region r (window coordinates), or removes its region for
    // no r; redraws when redraw. False when the system refuses.
    virtual bool SetWindowRegion(TMenuWindow window, const std::optional<TRect>& r,
                                 bool redraw) = 0;
    // A canvas on the whole window, frame included, released when it goes; nullptr when the
    // system gives none.
    virtual std::unique_ptr<TCanvas> WindowCanvas(TMenuWindow window) = 0;

    // The function name of the layered-window service in library, looked up as LoadLibraryA
    // and GetProcAddress find it; empty when the library does not load or has no such function.
    // Only "SetLayeredWindowAttributes" is ever called; other names found come back as a
    // function that does nothing and fails.
    virtual TSetLayeredWindowAttributes FindLayeredFunction(const std::string& library,
                                                            const std::string& name) = 0;

    virtual TOsVersion OsVersion() = 0;
};

// The installed platform's menu windows; an Exception when it has none.
TMenuPlatform& MenuPlatform();
