#pragma once
// The bar menus: a popup menu (TBcBarPopupMenu) and a main menu (TBcBarMainMenu) whose items
// are all owner-drawn. The menu hooks every item of its tree, measures it (BarMeasureItem),
// hands its painting to an attached draw module (Bcdrawmodule.h) or paints it itself
// (DrawMenuItemEx), and can add a vertical side bar beside the items, window opacity and a flat
// window border (Menuwindow.h).
//
// Every measuring and painting step reaches the menu only through IBarMenusIntf, found from an
// item, so that one code path serves both menus. Sizes are checked 32-bit arithmetic: an
// overflow raises EIntOverflow instead of wrapping around.
//
// The side bar is rendered once per popup into an off-screen bitmap the size of the whole bar
// (the bar double buffer of TBcBarProtected) and copied slice by slice as each item is painted;
// the buffer survives between popups and is rebuilt only when its size changes or it is
// invalidated.

#include "menus/Bcdrawmodule.h"
#include "menus/Drawgradient.h"

#include "toolkit/Controls.h"
#include "toolkit/Menus.h"
#include "toolkit/Sysutils.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// ---- Enumerations ------------------------------------------------------------------------------

enum TBcMenuStyle : std::uint8_t { msAuto, msStandard, msWindowsXP };
enum TDrawStyle : std::uint8_t { dsNormal, dsTile, dsStretch };
enum TSide : std::uint8_t { sLeft, sRight };
enum TDirection : std::uint8_t { dDownToUp, dUpToDown };
enum THorzAlignment : std::uint8_t { haLeft, haRight, haCenter };
enum TVertAlignment : std::uint8_t { vaTop, vaBottom, vaMiddle };
enum TSeparatorStyle : std::uint8_t { ssNormal, ssShortLine, ssCaption };
enum TBarPart : std::uint8_t { bpGradient, bpPicture, bpBackPicture, bpCaption };

// A set of TBarPart: bit n for the part of value n.
using TBarParts = std::uint8_t;
constexpr TBarParts BarPartBit(TBarPart part) {
    return TBarParts(1u << part);
}

using TOpacity = std::uint8_t;

// ---- Events ------------------------------------------------------------------------------------

using TOnBeforeDrawBarEvent = TEvent<TComponent*, TCanvas&, const TRect&, bool&>;
using TOnAdvancedBeforeDrawBarEvent = TEvent<TComponent*, TCanvas&, const TRect&, TBarParts&>;
using TOnAfterDrawBarEvent = TEvent<TComponent*, TCanvas&, const TRect&>;
// Sender, item, canvas, Width, Height, BarVisible, DefaultMeasure.
using TOnMeasureMenuItemEvent = TEvent<TComponent*, TMenuItem*, TCanvas&, int&, int&, bool, bool&>;
// Sender, item, canvas, Rect, State, BarVisible, DefaultDraw. No property uses it.
using TOnDrawMenuItemEvent =
    TEvent<TComponent*, TMenuItem*, TCanvas&, const TRect&, TOwnerDrawState, bool, bool&>;

// ---- Errors ------------------------------------------------------------------------------------

// A settings object created without the menu it belongs to.
class ERequireOwner : public Exception {
public:
    explicit ERequireOwner(const std::string& className)
        : Exception("Tried to create " + className + " with no owner.") {}
};

// An indexed property given an index it does not have.
class EInvalidPropertyIndex : public Exception {
public:
    explicit EInvalidPropertyIndex(int index)
        : Exception("Invalid property index " + std::to_string(index) + ".") {}
};

// ---- Settings objects --------------------------------------------------------------------------
// Each belongs to a menu (not owned), given when it is created: ERequireOwner without one.
// Assign copies the values the class's comment lists; an object of another class copies what
// both have in common, as far as the base classes go.

// The gradient colours and style shared by the bar and the separators.
class TBcGradientBar {
public:
    explicit TBcGradientBar(TMenu* menu) : TBcGradientBar(menu, "TBcGradientBar") {}
    virtual ~TBcGradientBar() = default;
    TBcGradientBar(const TBcGradientBar&) = delete;
    TBcGradientBar& operator=(const TBcGradientBar&) = delete;

    // Copies both colours, the style and Border.
    virtual void Assign(const TBcGradientBar& source);

    TMenu* Menu() const { return OwningMenu; }
    TColor Border() const { return BorderValue; }
    void SetBorder(TColor border) { BorderValue = border; }
    TGradientStyle GradientStyle() const { return Style; }
    void SetGradientStyle(TGradientStyle style) { Style = style; }
    // Index 0 is GradientStart, 1 GradientEnd; others raise EInvalidPropertyIndex.
    TColor GetGradientColor(int index) const;
    void SetGradientColor(int index, TColor color);
    TColor GradientStart() const { return GetGradientColor(0); }
    void SetGradientStart(TColor color) { SetGradientColor(0, color); }
    TColor GradientEnd() const { return GetGradientColor(1); }
    void SetGradientEnd(TColor color) { SetGradientColor(1, color); }

protected:
    TBcGradientBar(TMenu* menu, const std::string& className);

private:
    TMenu* OwningMenu;
    TColor BorderValue = clNone;
    TGradientStyle Style = gsVertical;
    TColor Colors[2] = {0xD8BDAF, 0x000000};
};

// A picture beside the items of the bar.
class TBcBarPicture {
public:
    explicit TBcBarPicture(TMenu* menu) : TBcBarPicture(menu, "TBcBarPicture") {}
    virtual ~TBcBarPicture() = default;
    TBcBarPicture(const TBcBarPicture&) = delete;
    TBcBarPicture& operator=(const TBcBarPicture&) = delete;

    // Copies Picture, Transparent, both offsets and both alignments, not Visible.
    virtual void Assign(const TBcBarPicture& source);

    TMenu* Menu() const { return OwningMenu; }
    // Passed on to an existing picture (with the automatic transparent colour).
    bool Transparent() const { return IsTransparent; }
    void SetTransparent(bool transparent);
    // Created on first read, empty, with Transparent and the automatic transparent colour.
    TBitmap& Picture();
    // Whether there is a picture that is not empty, without creating one.
    bool HasPicture() const { return PictureValue && !PictureValue->Empty(); }
    // Copies picture; nullptr frees the picture.
    void SetPicture(const TBitmap* picture);
    int OffsetX() const { return OffsetXValue; }
    void SetOffsetX(int offset) { OffsetXValue = offset; }
    int OffsetY() const { return OffsetYValue; }
    void SetOffsetY(int offset) { OffsetYValue = offset; }
    TVertAlignment VertAlignment() const { return VertValue; }
    void SetVertAlignment(TVertAlignment alignment) { VertValue = alignment; }
    THorzAlignment HorzAlignment() const { return HorzValue; }
    void SetHorzAlignment(THorzAlignment alignment) { HorzValue = alignment; }
    bool Visible() const { return IsVisible; }
    void SetVisible(bool visible) { IsVisible = visible; }

protected:
    TBcBarPicture(TMenu* menu, const std::string& className);

private:
    TMenu* OwningMenu;
    bool IsTransparent = true;
    std::unique_ptr<TBitmap> PictureValue;
    int OffsetXValue = 0;
    int OffsetYValue = 0;

protected:
    TVertAlignment VertValue = vaBottom;
    THorzAlignment HorzValue = haCenter;

private:
    bool IsVisible = true;
};

// The picture behind the whole bar: drawn as it is, tiled or stretched.
class TBcBarBackPicture : public TBcBarPicture {
public:
    explicit TBcBarBackPicture(TMenu* menu);
    // TBcBarPicture's values and DrawStyle.
    void Assign(const TBcBarPicture& source) override;
    TDrawStyle DrawStyle() const { return DrawStyleValue; }
    void SetDrawStyle(TDrawStyle drawStyle) { DrawStyleValue = drawStyle; }

private:
    TDrawStyle DrawStyleValue = dsNormal;
};

// The rotated caption of the bar.
class TBcBarCaption {
public:
    // "Tahoma", 14 points, white, bold and italic.
    explicit TBcBarCaption(TMenu* menu);
    TBcBarCaption(const TBcBarCaption&) = delete;
    TBcBarCaption& operator=(const TBcBarCaption&) = delete;

    // Copies Font, Caption, OffsetY, Alignment, Depth, ShadowColor, HighlightColor and
    // Direction, not Visible.
    void Assign(const TBcBarCaption& source);

    TMenu* Menu() const { return OwningMenu; }
    TFont Font;
    TColor ShadowColor = clNone;
    TColor HighlightColor = clNone;
    int Depth = 1;
    std::string Caption;
    int OffsetY = 6;
    TVertAlignment Alignment = vaBottom;
    TDirection Direction = dDownToUp;
    bool Visible = true;

private:
    TMenu* OwningMenu;
};

// The side bar (a menu's Bar).
class TBcBar : public TBcGradientBar {
public:
    explicit TBcBar(TMenu* menu);
    // Copies Width, Visible (through SetVisible), Side and Space, assigns the three pictures
    // and the caption, then the gradient values.
    void Assign(const TBcGradientBar& source) override;

    int Width() const { return WidthValue; }
    void SetWidth(int width) { WidthValue = width; }
    // Pixels between the bar and the items.
    int Space() const { return SpaceValue; }
    void SetSpace(int space) { SpaceValue = space; }
    bool Visible() const { return IsVisible; }
    // Hiding frees the menu's bar double buffer and has the bar rendered anew; a main menu on a
    // window is refreshed (RefreshMenu(false, true)).
    void SetVisible(bool visible);
    TSide Side() const { return SideValue; }
    void SetSide(TSide side) { SideValue = side; }
    TBcBarPicture& BarPicture() { return *Picture; }
    TBcBarBackPicture& BarBackPicture() { return *BackPicture; }
    TBcBarCaption& BarCaption() { return *CaptionValue; }
    const TBcBarPicture& BarPicture() const { return *Picture; }
    const TBcBarBackPicture& BarBackPicture() const { return *BackPicture; }
    const TBcBarCaption& BarCaption() const { return *CaptionValue; }

private:
    int WidthValue = 32;
    int SpaceValue = 1;
    bool IsVisible = true;
    TSide SideValue = sLeft;
    std::unique_ptr<TBcBarPicture> Picture;
    std::unique_ptr<TBcBarBackPicture> BackPicture;
    std::unique_ptr<TBcBarCaption> CaptionValue;
};

// The look of separators (a menu's Separators).
class TBcSeparators : public TBcGradientBar {
public:
    // Gray to silver, horizontal.
    explicit TBcSeparators(TMenu* menu);
    // Copies Font, Alignment, SeparatorStyle and UseSystemFont, then the gradient values; not
    // Fade, FadeWidth, FadeColor or FlatLines.
    void Assign(const TBcGradientBar& source) override;

    bool Fade = false;
    int FadeWidth = 32;
    TColor FadeColor = clBtnShadow;
    bool FlatLines = false;
    TFont Font;
    TAlignment Alignment = taCenter;
    TSeparatorStyle SeparatorStyle = ssNormal;
    bool UseSystemFont = true;
};

// The drawing state of one menu: the height of the bar strip and the bar double buffer.
class TBcBarProtected {
public:
    explicit TBcBarProtected(TMenu* menu);
    TBcBarProtected(const TBcBarProtected&) = delete;
    TBcBarProtected& operator=(const TBcBarProtected&) = delete;

    TMenu* Menu() const { return OwningMenu; }
    int PopupHeight() const { return PopupHeightValue; }
    void SetPopupHeight(int height) { PopupHeightValue = height; }
    bool UpdatePopupHeight() const { return IsUpdatingPopupHeight; }
    // True also sets PopupHeight to 0.
    void SetUpdatePopupHeight(bool update);
    // The buffer, created empty when there is none.
    TBitmap& GetBarDoubleBuffer();
    // Copies buffer into the buffer (created first, with SetUpdatePopupHeight(true), when there
    // is none).
    void SetBarDoubleBuffer(const TBitmap& buffer);
    void FreeBarDoubleBuffer();
    bool HasBarDoubleBuffer() const { return BarDoubleBuffer != nullptr; }

    // The buffer holds the current bar image.
    bool BarBufferValid = false;

private:
    TMenu* OwningMenu;
    int PopupHeightValue = 0;
    std::unique_ptr<TBitmap> BarDoubleBuffer;
    bool IsUpdatingPopupHeight = true;
};

// ---- The menus' interface ----------------------------------------------------------------------

// What the measuring and painting steps know of a bar menu. A menu's own lifetime is the
// component's: the interface is found with GetMenuBarMenusIntf and never owned.
class IBarMenusIntf {
public:
    virtual ~IBarMenusIntf() = default;
    // The toolkit menu's own rebuild of its native items.
    virtual void RebuildMenuItems() = 0;
    virtual void FlushDoubleBuffer() = 0;
    // The effective style, never msAuto.
    virtual TBcMenuStyle UseMenuStyle() = 0;
    virtual TMenu* GetSelf() = 0;
    virtual TBcBar& GetBar() = 0;
    virtual TBcSeparators& GetSeparators() = 0;
    virtual TBcBarProtected& GetBarProtected() = 0;
    virtual void SetMenuWindowHandle(TMenuWindow window) = 0;
    virtual TOpacity GetOpacity() = 0;
    virtual void SetOpacity(TOpacity opacity) = 0;
    virtual bool GetFlat() = 0;
    virtual void SetFlat(bool flat) = 0;
    virtual const TFont& GetMenuFont() = 0;
    virtual void SetMenuFont(const TFont& font) = 0;
    virtual TBcMenuStyle GetMenuStyle() = 0;
    virtual void SetMenuStyle(TBcMenuStyle style) = 0;
    virtual bool GetUseSystemFont() = 0;
    virtual void SetUseSystemFont(bool useSystemFont) = 0;
    virtual TOnBeforeDrawBarEvent GetOnBeforeDrawBar() = 0;
    virtual void SetOnBeforeDrawBar(const TOnBeforeDrawBarEvent& event) = 0;
    virtual TOnAdvancedBeforeDrawBarEvent GetOnAdvancedBeforeDrawBar() = 0;
    virtual void SetOnAdvancedBeforeDrawBar(const TOnAdvancedBeforeDrawBarEvent& event) = 0;
    virtual TOnAfterDrawBarEvent GetOnAfterDrawBar() = 0;
    virtual void SetOnAfterDrawBar(const TOnAfterDrawBarEvent& event) = 0;
    virtual TOnMeasureMenuItemEvent GetOnMeasureMenuItem() = 0;
    virtual void SetOnMeasureMenuItem(const TOnMeasureMenuItemEvent& event) = 0;
    virtual TBcBarMenusDrawModule* GetDrawModule() = 0;
    virtual void SetDrawModule(TBcBarMenusDrawModule* module) = 0;
};

// ---- The menus ---------------------------------------------------------------------------------

// What the popup and the main menu share, on the toolkit's menu TMenuBase.
template <class TMenuBase>
class TBcBarMenuCore : public TMenuBase, public IBarMenusIntf {
public:
    // The toolkit menu, owner-drawn, with its settings objects.
    explicit TBcBarMenuCore(TComponent* owner);
    // The module that draws for this menu forgets it.
    ~TBcBarMenuCore() override;

    // ---- IBarMenusIntf
    void RebuildMenuItems() override { static_cast<TMenu*>(this)->RebuildItems(); }
    TBcMenuStyle UseMenuStyle() override;
    TMenu* GetSelf() override { return this; }
    TBcBar& GetBar() override { return *BarValue; }
    TBcSeparators& GetSeparators() override { return *SeparatorsValue; }
    TBcBarProtected& GetBarProtected() override { return *BarProtected; }
    TOpacity GetOpacity() override { return Opacity; }
    void SetOpacity(TOpacity opacity) override { Opacity = opacity; }
    bool GetFlat() override { return Flat; }
    void SetFlat(bool flat) override { Flat = flat; }
    const TFont& GetMenuFont() override { return MenuFont; }
    void SetMenuFont(const TFont& font) override { MenuFont = font; }
    TBcMenuStyle GetMenuStyle() override { return MenuStyle; }
    void SetMenuStyle(TBcMenuStyle style) override { MenuStyle = style; }
    bool GetUseSystemFont() override { return UseSystemFont; }
    void SetUseSystemFont(bool useSystemFont) override { UseSystemFont = useSystemFont; }
    TOnBeforeDrawBarEvent GetOnBeforeDrawBar() override { return OnBeforeDrawBar; }
    void SetOnBeforeDrawBar(const TOnBeforeDrawBarEvent& event) override {
        OnBeforeDrawBar = event;
    }
    TOnAdvancedBeforeDrawBarEvent GetOnAdvancedBeforeDrawBar() override {
        return OnAdvancedBeforeDrawBar;
    }
    void SetOnAdvancedBeforeDrawBar(const TOnAdvancedBeforeDrawBarEvent& event) override {
        OnAdvancedBeforeDrawBar = event;
    }
    TOnAfterDrawBarEvent GetOnAfterDrawBar() override { return OnAfterDrawBar; }
    void SetOnAfterDrawBar(const TOnAfterDrawBarEvent& event) override { OnAfterDrawBar = event; }
    TOnMeasureMenuItemEvent GetOnMeasureMenuItem() override { return OnMeasureMenuItem; }
    void SetOnMeasureMenuItem(const TOnMeasureMenuItemEvent& event) override {
        OnMeasureMenuItem = event;
    }
    TBcBarMenusDrawModule* GetDrawModule() override { return DrawModule; }
    // The old module forgets this menu, the new one learns it; the bar double buffer goes.
    void SetDrawModule(TBcBarMenusDrawModule* module) override;

    // Settings objects: the setters copy the given object's values.
    TBcBar& Bar() { return *BarValue; }
    void SetBar(const TBcBar& bar) { BarValue->Assign(bar); }
    TBcSeparators& Separators() { return *SeparatorsValue; }
    void SetSeparators(const TBcSeparators& separators) { SeparatorsValue->Assign(separators); }

    // Updating from the first BeginUpdate to the EndUpdate that brings the count back to 0,
    // which hooks all items at once.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return IsUpdating; }
    int UpdateCount() const { return UpdateCountValue; }
    // The shared RefreshMenu step through this menu's interface.
    virtual void RefreshMenu(bool resetBar, bool rebuildItems);

    // The handlers given to every item: BarMeasureItem and BarDrawMenuItem for the item, with
    // the bar shown beside it or not (BarVisibleFor).
    void ExpandItemWidth(TComponent* sender, TCanvas& canvas, int& width, int& height);
    void AdvancedDrawItem(TComponent* sender, TCanvas& canvas, const TRect& rect,
                          TOwnerDrawState state);
    // Hooks the item from and its children, or every item when from is null, keeping the
    // handlers an item already has.
    void HookItems(TMenuItem* from = nullptr);

    void Notification(TComponent* component, TOperation operation) override;
    // An item that leaves the tree takes none of this menu's handlers with it.
    void ItemRemoved(TMenuItem* item) override;

    TOnBeforeDrawBarEvent OnBeforeDrawBar;
    TOnAdvancedBeforeDrawBarEvent OnAdvancedBeforeDrawBar;
    TOnAfterDrawBarEvent OnAfterDrawBar;
    TOnMeasureMenuItemEvent OnMeasureMenuItem;

protected:
    void Loaded() override;
    virtual bool BarVisibleFor(TMenuItem* item) = 0;
    // This menu's handlers are on item.
    bool HookedHere(const TMenuItem* item) const;

    std::unique_ptr<TBcBarProtected> BarProtected;
    std::unique_ptr<TBcBar> BarValue;
    std::unique_ptr<TBcSeparators> SeparatorsValue;
    TFont MenuFont;
    TBcMenuStyle MenuStyle = msAuto;
    bool UseSystemFont = true;
    TBcBarMenusDrawModule* DrawModule = nullptr;
    bool Flat = false;
    TOpacity Opacity = 255;
    TMenuWindow MenuWindowHandle = 0;
    bool IsUpdating = false;
    int UpdateCountValue = 0;
};

class TBcCustomBarPopupMenu : public TBcBarMenuCore<TPopupMenu> {
public:
    explicit TBcCustomBarPopupMenu(TComponent* owner) : TBcBarMenuCore<TPopupMenu>(owner) {}

    // Has the popup height established anew, then shows the menu at (x, y).
    void Popup(int x, int y) override;
    virtual void Popup(const TPoint& point) { Popup(point.X, point.Y); }
    // Shows the menu at the mouse cursor, through Popup(const TPoint&).
    void PopupAtCursor();
    // Frees the bar double buffer.
    void FlushDoubleBuffer() override;
    void SetMenuWindowHandle(TMenuWindow window) override { MenuWindowHandle = window; }
    TMenuWindow GetMenuWindowHandle() const { return MenuWindowHandle; }
    void MenuChanged(TComponent* sender, TMenuItem* source, bool rebuild) override;

protected:
    // Bar.Visible and item is a top-level item.
    bool BarVisibleFor(TMenuItem* item) override;
};

class TBcBarPopupMenu : public TBcCustomBarPopupMenu {
public:
    using TBcCustomBarPopupMenu::TBcCustomBarPopupMenu;
};

class TBcCustomBarMainMenu : public TBcBarMenuCore<TMainMenu> {
public:
    explicit TBcCustomBarMainMenu(TComponent* owner) : TBcBarMenuCore<TMainMenu>(owner) {}

    // Frees the bar double buffer and rebuilds the items.
    void FlushDoubleBuffer() override;
    // The main menu's window is its own: the argument is ignored.
    void SetMenuWindowHandle(TMenuWindow /*window*/) override {}
    // Each of these refreshes the menu (see Barmenus.cpp).
    void SetMenuFont(const TFont& font) override;
    void SetUseSystemFont(bool useSystemFont) override;
    void SetMenuStyle(TBcMenuStyle style) override;
    void SetDrawModule(TBcBarMenusDrawModule* module) override;
    void MenuChanged(TComponent* sender, TMenuItem* source, bool rebuild) override;

protected:
    void Loaded() override;
    // Bar.Visible and item is in the drop-down of the first visible top-level item.
    bool BarVisibleFor(TMenuItem* item) override;

private:
    // Hides and shows again the first top-level item, so that the bar is measured anew.
    void RemeasureFirstItem();
};

class TBcBarMainMenu : public TBcCustomBarMainMenu {
public:
    using TBcCustomBarMainMenu::TBcCustomBarMainMenu;
};

// ---- Free operations ---------------------------------------------------------------------------

// The menu's interface when it is a bar popup or bar main menu, else nullptr.
IBarMenusIntf* GetMenuBarMenusIntf(TComponent* menu);
// nullptr for no item; the parent menu of an item that has a parent; else the item's owner
// taken as a menu (nullptr when it is none).
TMenu* GetParentMenuEx(const TMenuItem* item);
IBarMenusIntf* GetMenuItemBarMenusIntf(const TMenuItem* item);
// The item's parent component (the menu for a top-level item) is a menu, a popup menu, a main
// menu.
bool IsInTopMenu(const TMenuItem* item);
bool IsInTopPopupMenu(const TMenuItem* item);
bool IsInTopMainMenu(const TMenuItem* item);
// The first visible top-level item, or nullptr.
TMenuItem* FirstVisibleMenuItem(const TMenu* menu);
// item is in the drop-down of the first visible top-level item.
bool IsInFirstVisibleMenu(const TMenu* menu, const TMenuItem* item);
// item, or a sibling before it, is visible and starts a new column.
bool IsAfterMenuBreak(const TMenuItem* item);
// A separator (caption "-"): true, with text its hint when it is enabled, else empty.
bool IsLineItem(const TMenuItem* item, std::string& text);
// The toolkit's text of shortCut, with "Win+" in front when it has bit 0x0200.
std::string BcShortCutToText(TShortCut shortCut);
inline constexpr TShortCut scWin = 0x0200;

// Hooks item, or without one every item of menu's root (descending into children when
// recursive): nothing while the menu loads or when the item's draw handler already is the given
// one; else OnMeasureItem := measure when the item has none or !keepExisting, and
// OnAdvancedDrawItem := draw unless keepExisting and the item has a draw handler of its own.
void SetMenuItemEvents(TMenu* menu, TMenuItem* item, const TMenuMeasureItemEvent& measure,
                       const TAdvancedMenuDrawItemEvent& draw, bool recursive, bool keepExisting);

// Measures item, whose Width and Height arrive as the toolkit's default size.
void BarMeasureItem(TMenuItem* item, TCanvas& canvas, int& width, int& height, bool barVisible);
// Paints item in rect (client coordinates of the menu window of canvas).
void BarDrawMenuItem(TMenuItem* item, TCanvas& canvas, const TRect& rect, bool barVisible,
                     TOwnerDrawState state);
// The shared refresh: resetBar has the bar rendered anew; resetBar or rebuildItems rebuild the
// items; neither redraws the bar of a main menu's window.
void RefreshMenu(IBarMenusIntf& menu, bool resetBar, bool rebuildItems);

// ---- The system ---------------------------------------------------------------------------------

// Flags of the system's version, computed from the menu platform's OsVersion when first asked.
bool Win98Plus();
bool WinXP();
bool Win2K();
// Computes the flags again, for tests that pretend another system.
void StartBarMenus();

// The side-bar and default item routines that the bar steps call (Barpainting.h,
// Itempainting.h); a test may put recorders in their place.
struct TBarPaintRoutines {
    std::function<void(IBarMenusIntf&, const TRect&)> DrawBarGradient;
    std::function<void(IBarMenusIntf&)> DrawBarBackPicture;
    std::function<void(IBarMenusIntf&)> DrawBarPicture;
    std::function<void(IBarMenusIntf&, const TRect&)> DrawBarCaption;
    std::function<void(IBarMenusIntf&, TCanvas&, const TRect&, const TRect&)> DrawDoubleBuffer;
    std::function<void(IBarMenusIntf&, TMenuItem*, TCanvas&, const TRect&, TOwnerDrawState)>
        DrawMenuItemEx;
};
// The routines in use; the real ones until a test changes them.
TBarPaintRoutines& BarPaintRoutines();
// Puts the real routines back.
void ResetBarPaintRoutines();
