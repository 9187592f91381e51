#include "menus/Barmenus.h"

#include "menus/Barpainting.h"
#include "menus/Bcrectutilities.h"
#include "menus/Itempainting.h"
#include "menus/Menuwindow.h"

#include "toolkit/Sysmath.h"

#include <optional>

namespace {

// The format of a single-line text extent (DT_CALCRECT | DT_SINGLELINE).
constexpr std::uint32_t TextExtentFormat = dtCalcRect | dtSingleLine;

void CheckOwner(const TMenu* menu, const std::string& className) {
    if (!menu) {
        throw ERequireOwner(className);
    }
}

struct TPlatformFlags {
    bool Win98Plus = false;
    bool WinXP = false;
    bool Win2K = false;
};

std::optional<TPlatformFlags>& PlatformFlags() {
    static std::optional<TPlatformFlags> flags;
    return flags;
}

const TPlatformFlags& Flags() {
    if (!PlatformFlags()) {
        StartBarMenus();
    }
    return *PlatformFlags();
}

TBarPaintRoutines RealRoutines() {
    return {DrawBarGradient, DrawBarBackPicture, DrawBarPicture,
            DrawBarCaption,  DrawDoubleBuffer,   DrawMenuItemEx};
}

} // namespace

// ---- The system --------------------------------------------------------------------------------

void StartBarMenus() {
    const TOsVersion version = MenuPlatform().OsVersion();
    TPlatformFlags flags;
    flags.Win98Plus = version.Major > 4 || (version.Major == 4 && version.Minor > 0);
    // So 5.1, 5.2 and 6.1 count, 6.0 does not.
    flags.WinXP = version.NtPlatform && version.Major > 4 && version.Minor > 0;
    flags.Win2K = version.Major > 4 && version.NtPlatform;
    PlatformFlags() = flags;
}

bool Win98Plus() {
    return Flags().Win98Plus;
}
bool WinXP() {
    return Flags().WinXP;
}
bool Win2K() {
    return Flags().Win2K;
}

TBarPaintRoutines& BarPaintRoutines() {
    static TBarPaintRoutines routines = RealRoutines();
    return routines;
}

void ResetBarPaintRoutines() {
    BarPaintRoutines() = RealRoutines();
}

// ---- Settings objects --------------------------------------------------------------------------

TBcGradientBar::TBcGradientBar(TMenu* menu, const std::string& className) : OwningMenu(menu) {
    CheckOwner(menu, className);
}

TColor TBcGradientBar::GetGradientColor(int index) const {
    if (index < 0 || index > 1) {
        throw EInvalidPropertyIndex(index);
    }
    return Colors[index];
}

void TBcGradientBar::SetGradientColor(int index, TColor color) {
    if (index < 0 || index > 1) {
        throw EInvalidPropertyIndex(index);
    }
    Colors[index] = color;
}

void TBcGradientBar::Assign(const TBcGradientBar& source) {
    if (&source == this) {
        return;
    }
    Colors[0] = source.Colors[0];
    Colors[1] = source.Colors[1];
    Style = source.Style;
    BorderValue = source.BorderValue;
}

TBcBarPicture::TBcBarPicture(TMenu* menu, const std::string& className) : OwningMenu(menu) {
    CheckOwner(menu, className);
}

void TBcBarPicture::SetTransparent(bool transparent) {
    IsTransparent = transparent;
    if (PictureValue) {
        PictureValue->Transparent = transparent;
        PictureValue->TransparentMode = TTransparentMode::Auto;
    }
}

TBitmap& TBcBarPicture::Picture() {
    if (!PictureValue) {
        PictureValue = std::make_unique<TBitmap>();
        PictureValue->Transparent = IsTransparent;
        PictureValue->TransparentMode = TTransparentMode::Auto;
    }
    return *PictureValue;
}

void TBcBarPicture::SetPicture(const TBitmap* picture) {
    if (!picture) {
        PictureValue.reset();
        return;
    }
    if (picture == PictureValue.get()) {
        return;
    }
    Picture().Assign(*picture);
}

void TBcBarPicture::Assign(const TBcBarPicture& source) {
    if (&source == this) {
        return;
    }
    SetPicture(source.PictureValue.get());
    SetTransparent(source.IsTransparent);
    OffsetXValue = source.OffsetXValue;
    OffsetYValue = source.OffsetYValue;
    VertValue = source.VertValue;
    HorzValue = source.HorzValue;
}

TBcBarBackPicture::TBcBarBackPicture(TMenu* menu) : TBcBarPicture(menu, "TBcBarBackPicture") {
    VertValue = vaTop;
    HorzValue = haLeft;
}

void TBcBarBackPicture::Assign(const TBcBarPicture& source) {
    TBcBarPicture::Assign(source);
    if (auto* back = dynamic_cast<const TBcBarBackPicture*>(&source)) {
        DrawStyleValue = back->DrawStyleValue;
    }
}

TBcBarCaption::TBcBarCaption(TMenu* menu) : OwningMenu(menu) {
    CheckOwner(menu, "TBcBarCaption");
    Font.Name = "Tahoma";
    Font.SetSize(14);
    Font.Color = clWhite;
    Font.Style = fsBold | fsItalic;
}

void TBcBarCaption::Assign(const TBcBarCaption& source) {
    if (&source == this) {
        return;
    }
    Font = source.Font;
    Caption = source.Caption;
    OffsetY = source.OffsetY;
    Alignment = source.Alignment;
    Depth = source.Depth;
    ShadowColor = source.ShadowColor;
    HighlightColor = source.HighlightColor;
    Direction = source.Direction;
}

TBcBar::TBcBar(TMenu* menu)
    : TBcGradientBar(menu, "TBcBar"), Picture(std::make_unique<TBcBarPicture>(menu)),
      BackPicture(std::make_unique<TBcBarBackPicture>(menu)),
      CaptionValue(std::make_unique<TBcBarCaption>(menu)) {}

void TBcBar::SetVisible(bool visible) {
    IBarMenusIntf* menu = GetMenuBarMenusIntf(Menu());
    if (!visible && menu) {
        TBcBarProtected& state = menu->GetBarProtected();
        state.FreeBarDoubleBuffer();
        state.SetUpdatePopupHeight(true);
        state.BarBufferValid = false;
    }
    IsVisible = visible;
    if (auto* mainMenu = dynamic_cast<TMainMenu*>(Menu());
        mainMenu && menu && mainMenu->WindowHandle() != 0) {
        RefreshMenu(*menu, false, true);
    }
}

void TBcBar::Assign(const TBcGradientBar& source) {
    if (&source == this) {
        return;
    }
    if (auto* bar = dynamic_cast<const TBcBar*>(&source)) {
        WidthValue = bar->WidthValue;
        SetVisible(bar->IsVisible);
        SideValue = bar->SideValue;
        SpaceValue = bar->SpaceValue;
        Picture->Assign(*bar->Picture);
        BackPicture->Assign(*bar->BackPicture);
        CaptionValue->Assign(*bar->CaptionValue);
    }
    TBcGradientBar::Assign(source);
}

TBcSeparators::TBcSeparators(TMenu* menu) : TBcGradientBar(menu, "TBcSeparators") {
    SetGradientStart(clGray);
    SetGradientEnd(clSilver);
    SetGradientStyle(gsHorizontal);
}

void TBcSeparators::Assign(const TBcGradientBar& source) {
    if (&source == this) {
        return;
    }
    if (auto* separators = dynamic_cast<const TBcSeparators*>(&source)) {
        Font = separators->Font;
        Alignment = separators->Alignment;
        SeparatorStyle = separators->SeparatorStyle;
        UseSystemFont = separators->UseSystemFont;
    }
    TBcGradientBar::Assign(source);
}

TBcBarProtected::TBcBarProtected(TMenu* menu) : OwningMenu(menu) {
    CheckOwner(menu, "TBcBarProtected");
}

void TBcBarProtected::SetUpdatePopupHeight(bool update) {
    IsUpdatingPopupHeight = update;
    if (update) {
        PopupHeightValue = 0;
    }
}

TBitmap& TBcBarProtected::GetBarDoubleBuffer() {
    if (!BarDoubleBuffer) {
        BarDoubleBuffer = std::make_unique<TBitmap>();
    }
    return *BarDoubleBuffer;
}

void TBcBarProtected::SetBarDoubleBuffer(const TBitmap& buffer) {
    if (!BarDoubleBuffer) {
        BarDoubleBuffer = std::make_unique<TBitmap>();
        SetUpdatePopupHeight(true);
    }
    BarDoubleBuffer->Assign(buffer);
}

void TBcBarProtected::FreeBarDoubleBuffer() {
    BarDoubleBuffer.reset();
    SetUpdatePopupHeight(true);
}

// ---- TBcBarMenuCore ----------------------------------------------------------------------------

template <class TMenuBase>
TBcBarMenuCore<TMenuBase>::TBcBarMenuCore(TComponent* owner)
    : TMenuBase(owner), BarProtected(std::make_unique<TBcBarProtected>(this)),
      BarValue(std::make_unique<TBcBar>(this)),
      SeparatorsValue(std::make_unique<TBcSeparators>(this)) {
    this->SetOwnerDraw(true);
}

template <class TMenuBase>
TBcBarMenuCore<TMenuBase>::~TBcBarMenuCore() {
    // The module would otherwise keep a menu that is gone, and RedrawMenus would reach it.
    if (DrawModule && DrawModule->GetDrawingMenu() == this) {
        DrawModule->SetDrawingMenu(nullptr);
    }
}

template <class TMenuBase>
TBcMenuStyle TBcBarMenuCore<TMenuBase>::UseMenuStyle() {
    if (MenuStyle != msAuto) {
        return MenuStyle;
    }
    return WinXP() ? msWindowsXP : msStandard;
}

template <class TMenuBase>
void TBcBarMenuCore<TMenuBase>::SetDrawModule(TBcBarMenusDrawModule* module) {
    if (DrawModule && DrawModule != module) {
        DrawModule->SetDrawingMenu(nullptr);
        DrawModule->RemoveFreeNotification(this);
    }
    DrawModule = module;
    if (module) {
        module->SetDrawingMenu(this);
        // Both hear of the other going, whoever owns them.
        module->FreeNotification(this);
    }
    FlushDoubleBuffer();
}

template <class TMenuBase>
void TBcBarMenuCore<TMenuBase>::BeginUpdate() {
    IsUpdating = true;
    UpdateCountValue = CheckedAdd(UpdateCountValue, 1);
}

template <class TMenuBase>
void TBcBarMenuCore<TMenuBase>::EndUpdate() {
    if (UpdateCountValue > 0) {
        --UpdateCountValue;
    }
    if (UpdateCountValue == 0) {
        HookItems();
        IsUpdating = false;
    }
}

template <class TMenuBase>
void TBcBarMenuCore<TMenuBase>::RefreshMenu(bool resetBar, bool rebuildItems) {
    ::RefreshMenu(*this, resetBar, rebuildItems);
}

template <class TMenuBase>
bool TBcBarMenuCore<TMenuBase>::HookedHere(const TMenuItem* item) const {
    const TAdvancedMenuDrawItemEvent draw(const_cast<TBcBarMenuCore*>(this),
                                          &TBcBarMenuCore::AdvancedDrawItem);
    return item->OnAdvancedDrawItem == draw;
}

template <class TMenuBase>
void TBcBarMenuCore<TMenuBase>::ExpandItemWidth(TComponent* sender, TCanvas& canvas, int& width,
                                                int& height) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item) {
        return;
    }
    // An item that left this menu keeps the toolkit's size.
    if (GetMenuItemBarMenusIntf(item) != this) {
        ItemRemoved(item);
        return;
    }
    BarMeasureItem(item, canvas, width, height, BarVisibleFor(item));
}

template <class TMenuBase>
void TBcBarMenuCore<TMenuBase>::AdvancedDrawItem(TComponent* sender, TCanvas& canvas,
                                                 const TRect& rect, TOwnerDrawState state) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item) {
        return;
    }
    // An item that left this menu gets the toolkit's painting.
    if (GetMenuItemBarMenusIntf(item) != this) {
        ItemRemoved(item);
        item->DefaultDraw(canvas, rect, state);
        return;
    }
    BarDrawMenuItem(item, canvas, rect, BarVisibleFor(item), state);
}

template <class TMenuBase>
void TBcBarMenuCore<TMenuBase>::HookItems(TMenuItem* from) {
    SetMenuItemEvents(this, from, TMenuMeasureItemEvent(this, &TBcBarMenuCore::ExpandItemWidth),
                      TAdvancedMenuDrawItemEvent(this, &TBcBarMenuCore::AdvancedDrawItem), true,
                      true);
}

template <class TMenuBase>
void TBcBarMenuCore<TMenuBase>::Loaded() {
    TMenuBase::Loaded();
    this->SetOwnerDraw(true);
    HookItems();
}

template <class TMenuBase>
void TBcBarMenuCore<TMenuBase>::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == DrawModule) {
        DrawModule = nullptr;
    }
    TMenuBase::Notification(component, operation);
}

template <class TMenuBase>
void TBcBarMenuCore<TMenuBase>::ItemRemoved(TMenuItem* item) {
    const TMenuMeasureItemEvent measure(this, &TBcBarMenuCore::ExpandItemWidth);
    std::vector<TMenuItem*> items{item};
    for (std::size_t i = 0; i < items.size(); ++i) {
        TMenuItem* each = items[i];
        if (HookedHere(each)) {
            each->OnAdvancedDrawItem = nullptr;
        }
        if (each->OnMeasureItem == measure) {
            each->OnMeasureItem = nullptr;
        }
        for (int child = 0; child < each->Count(); ++child) {
            items.push_back(each->Items(child));
        }
    }
}

template class TBcBarMenuCore<TPopupMenu>;
template class TBcBarMenuCore<TMainMenu>;

// ---- TBcCustomBarPopupMenu ---------------------------------------------------------------------

void TBcCustomBarPopupMenu::Popup(int x, int y) {
    BarProtected->SetUpdatePopupHeight(true);
    TPopupMenu::Popup(x, y);
}

void TBcCustomBarPopupMenu::PopupAtCursor() {
    Popup(Platform().CursorPos());
}

void TBcCustomBarPopupMenu::FlushDoubleBuffer() {
    BarProtected->FreeBarDoubleBuffer();
}

void TBcCustomBarPopupMenu::MenuChanged(TComponent* sender, TMenuItem* source, bool rebuild) {
    if (!IsUpdating) {
        HookItems(source);
    }
    if (source && IsInTopPopupMenu(source)) {
        BarProtected->SetUpdatePopupHeight(true);
        BarProtected->BarBufferValid = false;
    }
    TPopupMenu::MenuChanged(sender, source, rebuild);
}

bool TBcCustomBarPopupMenu::BarVisibleFor(TMenuItem* item) {
    return BarValue->Visible() && item->Parent() && !item->Parent()->Parent();
}

// ---- TBcCustomBarMainMenu ----------------------------------------------------------------------

void TBcCustomBarMainMenu::FlushDoubleBuffer() {
    BarProtected->FreeBarDoubleBuffer();
    RebuildMenuItems();
}

void TBcCustomBarMainMenu::SetMenuFont(const TFont& font) {
    MenuFont = font;
    RefreshMenu(false, false);
}

void TBcCustomBarMainMenu::SetUseSystemFont(bool useSystemFont) {
    UseSystemFont = useSystemFont;
    RefreshMenu(false, useSystemFont);
}

void TBcCustomBarMainMenu::SetMenuStyle(TBcMenuStyle style) {
    if (style == MenuStyle) {
        return;
    }
    MenuStyle = style;
    RefreshMenu(false, false);
    RefreshMenu(true, true);
}

void TBcCustomBarMainMenu::SetDrawModule(TBcBarMenusDrawModule* module) {
    TBcBarMenuCore<TMainMenu>::SetDrawModule(module);
    HookItems();
    RemeasureFirstItem();
    RefreshMenu(true, true);
}

void TBcCustomBarMainMenu::RemeasureFirstItem() {
    if (Items()->Count() == 0) {
        return;
    }
    TMenuItem* first = Items()->Items(0);
    const bool visible = first->Visible();
    first->SetVisible(!visible);
    first->SetVisible(visible);
}

void TBcCustomBarMainMenu::Loaded() {
    TBcBarMenuCore<TMainMenu>::Loaded();
    RemeasureFirstItem();
    RefreshMenu(false, false);
}

void TBcCustomBarMainMenu::MenuChanged(TComponent* sender, TMenuItem* source, bool rebuild) {
    if (!IsUpdating) {
        HookItems(source);
    }
    TMainMenu::MenuChanged(sender, source, rebuild);
}

bool TBcCustomBarMainMenu::BarVisibleFor(TMenuItem* item) {
    return BarValue->Visible() && IsInFirstVisibleMenu(this, item);
}

// ---- Free operations ---------------------------------------------------------------------------

IBarMenusIntf* GetMenuBarMenusIntf(TComponent* menu) {
    return dynamic_cast<IBarMenusIntf*>(menu);
}

TMenu* GetParentMenuEx(const TMenuItem* item) {
    if (!item) {
        return nullptr;
    }
    if (item->Parent()) {
        return item->GetParentMenu();
    }
    return dynamic_cast<TMenu*>(item->Owner());
}

IBarMenusIntf* GetMenuItemBarMenusIntf(const TMenuItem* item) {
    return GetMenuBarMenusIntf(GetParentMenuEx(item));
}

bool IsInTopMenu(const TMenuItem* item) {
    return item && dynamic_cast<TMenu*>(item->GetParentComponent());
}

bool IsInTopPopupMenu(const TMenuItem* item) {
    return item && dynamic_cast<TPopupMenu*>(item->GetParentComponent());
}

bool IsInTopMainMenu(const TMenuItem* item) {
    return item && dynamic_cast<TMainMenu*>(item->GetParentComponent());
}

TMenuItem* FirstVisibleMenuItem(const TMenu* menu) {
    if (!menu) {
        return nullptr;
    }
    for (int i = 0; i < menu->Items()->Count(); ++i) {
        if (menu->Items()->Items(i)->Visible()) {
            return menu->Items()->Items(i);
        }
    }
    return nullptr;
}

bool IsInFirstVisibleMenu(const TMenu* menu, const TMenuItem* item) {
    if (!item) {
        return false;
    }
    const TMenuItem* first = FirstVisibleMenuItem(menu);
    return first && item->Parent() == first;
}

bool IsAfterMenuBreak(const TMenuItem* item) {
    const TMenuItem* parent = item ? item->Parent() : nullptr;
    if (!parent) {
        return false;
    }
    for (int i = 0; i < parent->Count(); ++i) {
        const TMenuItem* sibling = parent->Items(i);
        if (sibling->Visible() && sibling->Break() != mbNone) {
            return true;
        }
        if (sibling == item) {
            break;
        }
    }
    return false;
}

bool IsLineItem(const TMenuItem* item, std::string& text) {
    if (!item || !item->IsLine()) {
        return false;
    }
    text = item->Enabled() ? item->Hint() : std::string();
    return true;
}

std::string BcShortCutToText(TShortCut shortCut) {
    const std::string text = ShortCutToText(shortCut);
    return (shortCut & scWin) ? "Win+" + text : text;
}

namespace {

void HookItem(TMenu* menu, TMenuItem* item, const TMenuMeasureItemEvent& measure,
              const TAdvancedMenuDrawItemEvent& draw, bool keepExisting) {
    if (menu && menu->Loading()) {
        return;
    }
    if (item->OnAdvancedDrawItem.SameCode(draw)) {
        return;
    }
    if (!item->OnMeasureItem || !keepExisting) {
        item->OnMeasureItem = measure;
    }
    if (!(keepExisting && (item->OnAdvancedDrawItem || item->OnDrawItem))) {
        item->OnAdvancedDrawItem = draw;
    }
}

void HookChildren(TMenu* menu, TMenuItem* parent, const TMenuMeasureItemEvent& measure,
                  const TAdvancedMenuDrawItemEvent& draw, bool recursive, bool keepExisting) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* child = parent->Items(i);
        HookItem(menu, child, measure, draw, keepExisting);
        if (recursive && child->Count() > 0) {
            HookChildren(menu, child, measure, draw, recursive, keepExisting);
        }
    }
}

} // namespace

void SetMenuItemEvents(TMenu* menu, TMenuItem* item, const TMenuMeasureItemEvent& measure,
                       const TAdvancedMenuDrawItemEvent& draw, bool recursive, bool keepExisting) {
    if (item) {
        HookItem(menu, item, measure, draw, keepExisting);
        return;
    }
    if (menu) {
        HookChildren(menu, menu->Items(), measure, draw, recursive, keepExisting);
    }
}

// ---- Measuring and painting --------------------------------------------------------------------

void BarMeasureItem(TMenuItem* item, TCanvas& canvas, int& width, int& height, bool barVisible) {
    IBarMenusIntf* menu = GetMenuItemBarMenusIntf(item);
    if (!menu) {
        return;
    }
    const bool topMain = IsInTopMainMenu(item);
    std::string text;
    // 1. Separators: 14 with a text, else 9 in the XP style, 12 otherwise; the width stays.
    if (IsLineItem(item, text)) {
        height = !text.empty() ? 14 : menu->UseMenuStyle() == msWindowsXP ? 9 : 12;
    } else {
        // 2. The menu's own font: the size of caption and shortcut, at least 16 high.
        if (!menu->GetUseSystemFont()) {
            canvas.Font = menu->GetMenuFont();
            std::string caption = item->Caption();
            if (item->ShortCut() != 0) {
                caption += BcShortCutToText(item->ShortCut());
            }
            TRect extent = NilRect;
            canvas.DrawText(caption, extent, TextExtentFormat);
            height = CheckedAdd(RectHeight(extent), 6);
            if (height < 16) {
                height = 16;
            }
            width = RectWidth(extent);
        }
        // 3. Items of drop-downs.
        if (!topMain) {
            if (!menu->GetUseSystemFont()) {
                width = CheckedAdd(width, 18);
            }
            if (item->ShortCut() & scWin) {
                width = CheckedAdd(width, canvas.TextWidth("Win+"));
            }
            if (!menu->GetSelf()->Images() && !item->HasGlyph()) {
                width = CheckedAdd(width, 23);
            }
            if (menu->UseMenuStyle() == msWindowsXP) {
                height = CheckedMul(CheckedAdd(height, 1) / 2, 2);
                width = CheckedAdd(width, 2);
            }
        }
    }
    // 4. The application's event, then 5. the draw module.
    bool defaultMeasure = true;
    if (TOnMeasureMenuItemEvent event = menu->GetOnMeasureMenuItem()) {
        event(menu->GetSelf(), item, canvas, width, height, barVisible, defaultMeasure);
    }
    if (defaultMeasure) {
        if (TBcBarMenusDrawModule* module = menu->GetDrawModule()) {
            module->MeasureMenuItem(item, canvas, width, height, barVisible, defaultMeasure);
        }
    }
    // 6. The short line's strip.
    if (defaultMeasure && menu->GetSeparators().SeparatorStyle == ssShortLine && !topMain) {
        width = CheckedAdd(width, 10);
    }
    // 7. The bar beside the first column, counted into the popup height.
    if (barVisible && !IsAfterMenuBreak(item)) {
        const TBcBar& bar = menu->GetBar();
        width = CheckedAdd(width, CheckedAdd(bar.Width(), bar.Space()));
        TBcBarProtected& state = menu->GetBarProtected();
        if (state.UpdatePopupHeight() && item->Visible()) {
            state.SetPopupHeight(CheckedAdd(state.PopupHeight(), height));
        }
    }
}

namespace {

// Renders the whole bar into its buffer: the parts the events leave on, in the order gradient,
// back picture, picture, caption, then copies it to the bar's column at left of canvas.
void RenderBar(IBarMenusIntf& menu, TMenuItem* item, TCanvas& canvas, int left) {
    TBcBar& bar = menu.GetBar();
    TBitmap& buffer = menu.GetBarProtected().GetBarDoubleBuffer();
    TBarPaintRoutines& routines = BarPaintRoutines();
    TComponent* parentMenu = GetParentMenuEx(item);
    TCanvas& bufferCanvas = buffer.Canvas();
    const TRect whole = Rect(0, 0, buffer.Width(), buffer.Height());
    bool drawBar = true;
    if (TOnBeforeDrawBarEvent before = menu.GetOnBeforeDrawBar()) {
        before(parentMenu, bufferCanvas, whole, drawBar);
    }
    if (drawBar) {
        TBarParts parts = BarPartBit(bpGradient);
        if (bar.BarPicture().Visible()) {
            parts |= BarPartBit(bpPicture);
        }
        if (bar.BarBackPicture().Visible()) {
            parts |= BarPartBit(bpBackPicture);
        }
        if (bar.BarCaption().Visible) {
            parts |= BarPartBit(bpCaption);
        }
        if (TOnAdvancedBeforeDrawBarEvent advanced = menu.GetOnAdvancedBeforeDrawBar()) {
            advanced(parentMenu, bufferCanvas, whole, parts);
        }
        if (parts & BarPartBit(bpGradient)) {
            routines.DrawBarGradient(menu, whole);
        }
        if (parts & BarPartBit(bpBackPicture)) {
            routines.DrawBarBackPicture(menu);
        }
        if (parts & BarPartBit(bpPicture)) {
            routines.DrawBarPicture(menu);
        }
        if (parts & BarPartBit(bpCaption)) {
            routines.DrawBarCaption(menu, whole);
        }
    }
    canvas.Draw(left, 0, buffer);
    if (TOnAfterDrawBarEvent after = menu.GetOnAfterDrawBar()) {
        after(parentMenu, bufferCanvas, whole);
    }
}

// The bar beside item: the buffer is sized to the popup once, rendered whole once, then copied
// slice by slice for every later item.
void PaintBarSlice(IBarMenusIntf& menu, TMenuItem* item, TCanvas& canvas, const TRect& rect,
                   TMenuWindow window) {
    TBcBarProtected& barState = menu.GetBarProtected();
    const TBcBar& bar = menu.GetBar();
    TRect client;
    if (barState.UpdatePopupHeight() && MenuPlatform().GetClientRect(window, client)) {
        barState.SetPopupHeight(RectHeight(client));
    }
    TBitmap& buffer = barState.GetBarDoubleBuffer();
    if (barState.UpdatePopupHeight()) {
        barState.SetUpdatePopupHeight(false);
        // Both sides at once: a bitmap keeps no size while one of them is 0.
        if (buffer.Height() != barState.PopupHeight() || buffer.Width() != bar.Width()) {
            buffer.SetSize(bar.Width(), barState.PopupHeight());
            barState.BarBufferValid = false;
        }
    }
    // The bar's column in the window. The whole strip goes there too, so that the first
    // painting and the slices of later ones meet, also where the system puts the items
    // inside a margin of the window.
    const int left = bar.Side() == sLeft ? rect.Left : CheckedSub(rect.Right, bar.Width());
    if (barState.BarBufferValid) {
        BarPaintRoutines().DrawDoubleBuffer(
            menu, canvas, Rect(left, rect.Top, CheckedAdd(left, bar.Width()), rect.Bottom),
            Rect(0, rect.Top, bar.Width(), rect.Bottom));
    } else if (buffer.Empty()) {
        // A bar without width or height has nothing to render.
        barState.BarBufferValid = true;
    } else {
        RenderBar(menu, item, canvas, left);
        barState.BarBufferValid = true;
    }
}

} // namespace

void BarDrawMenuItem(TMenuItem* item, TCanvas& canvas, const TRect& rect, bool barVisible,
                     TOwnerDrawState state) {
    // 1. An item whose menu is gone, or no bar menu, is left alone.
    IBarMenusIntf* menu = GetMenuItemBarMenusIntf(item);
    if (!menu) {
        return;
    }
    TMenuPlatform& platform = MenuPlatform();
    const TMenuWindow window = platform.WindowOfCanvas(canvas);
    TBcBar& bar = menu->GetBar();

    // 2. The window and its opacity.
    menu->SetMenuWindowHandle(window);
    SetMenuOpacity(*menu, window, menu->GetOpacity());

    // 3., 4. The item gives up the bar's strip.
    const bool barShown = barVisible && !IsAfterMenuBreak(item);
    TRect itemRect = rect;
    if (barShown) {
        const int strip = CheckedAdd(bar.Width(), bar.Space());
        itemRect.Right = CheckedSub(itemRect.Right, strip);
        if (bar.Side() == sLeft) {
            itemRect.Left = CheckedAdd(itemRect.Left, strip);
            itemRect.Right = CheckedAdd(itemRect.Right, strip);
        }
    }

    // 5. - 7. The module, then the default painting.
    if (!menu->GetUseSystemFont()) {
        canvas.Font = menu->GetMenuFont();
    }
    bool defaultDraw = true;
    if (TBcBarMenusDrawModule* module = menu->GetDrawModule()) {
        module->DrawMenuItem(item, canvas, itemRect, state, barShown, defaultDraw);
    }
    if (defaultDraw) {
        if (menu->GetSeparators().SeparatorStyle == ssShortLine && !IsInTopMainMenu(item)) {
            itemRect.Right = CheckedSub(itemRect.Right, 10);
        }
        BarPaintRoutines().DrawMenuItemEx(*menu, item, canvas, itemRect, state);
    }

    // 8. The bar.
    if (barShown) {
        PaintBarSlice(*menu, item, canvas, rect, window);
    }

    // 9. The flat border, for every item.
    DrawMenuWindowBorder(*menu, window);
}

void RefreshMenu(IBarMenusIntf& menu, bool resetBar, bool rebuildItems) {
    if (resetBar) {
        menu.GetBarProtected().SetUpdatePopupHeight(true);
        menu.GetBarProtected().BarBufferValid = false;
    }
    if (resetBar || rebuildItems) {
        menu.RebuildMenuItems();
        return;
    }
    if (auto* mainMenu = dynamic_cast<TMainMenu*>(menu.GetSelf());
        mainMenu && mainMenu->WindowHandle() != 0) {
        MenuPlatform().DrawMenuBar(mainMenu->WindowHandle());
    }
}
