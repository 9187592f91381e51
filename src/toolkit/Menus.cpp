#include "toolkit/Menus.h"

#include "toolkit/Controls.h"
#include "toolkit/Sysutils.h"

#include <algorithm>

namespace {

std::string KeyName(std::uint8_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        return std::string(1, char(key));
    }
    if (key >= 0x70 && key <= 0x87) {
        std::string name = "F";
        name += std::to_string(key - 0x70 + 1);
        return name;
    }
    switch (key) {
    case 8:
        return "BkSp";
    case 9:
        return "Tab";
    case 13:
        return "Enter";
    case 27:
        return "Esc";
    case 32:
        return "Space";
    case 33:
        return "PgUp";
    case 34:
        return "PgDn";
    case 35:
        return "End";
    case 36:
        return "Home";
    case 37:
        return "Left";
    case 38:
        return "Up";
    case 39:
        return "Right";
    case 40:
        return "Down";
    case 45:
        return "Ins";
    case 46:
        return "Del";
    default:
        return "";
    }
}

// The menu of item's tree, which hears of changes; none while it is being destroyed.
TMenu* ListeningMenu(const TMenuItem* item) {
    TMenu* menu = item->GetParentMenu();
    return menu && !menu->Destroying() ? menu : nullptr;
}

} // namespace

std::string ShortCutToText(TShortCut shortCut) {
    const std::string name = KeyName(std::uint8_t(shortCut & 0xFF));
    if (name.empty()) {
        return "";
    }
    std::string text;
    if (shortCut & scShift) {
        text += "Shift+";
    }
    if (shortCut & scCtrl) {
        text += "Ctrl+";
    }
    if (shortCut & scAlt) {
        text += "Alt+";
    }
    return text + name;
}

// ---- TCustomImageList --------------------------------------------------------------------------

int TCustomImageList::Add(const TBitmap& image) {
    TBitmap copy(ImageWidth, ImageHeight);
    if (!image.Empty()) {
        copy.Canvas().CopyRect(Rect(0, 0, ImageWidth, ImageHeight),
                               const_cast<TBitmap&>(image).Canvas(),
                               Rect(0, 0, ImageWidth, ImageHeight));
    }
    Images.push_back(copy);
    return Count() - 1;
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
    if (index >= 0 && index < Count()) {
        canvas.Draw(x, y, Images[std::size_t(index)]);
    }
}

// ---- TMenuItem ---------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    while (!Children.empty()) {
        TComponent::Free(Children.back());
    }
    if (ParentItem) {
        ParentItem->Remove(this);
    }
}

void TMenuItem::Changed() {
    if (TMenu* menu = ListeningMenu(this)) {
        menu->MenuChanged(menu, this, true);
    }
}

void TMenuItem::SetCaption(const std::string& caption) {
    if (caption == CaptionText) {
        return;
    }
    CaptionText = caption;
    Changed();
}

void TMenuItem::SetHint(const std::string& hint) {
    // The hint is no part of the native item: nothing to report.
    HintText = hint;
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (shortCut == ShortCutValue) {
        return;
    }
    ShortCutValue = shortCut;
    Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled == IsEnabled) {
        return;
    }
    IsEnabled = enabled;
    Changed();
}

void TMenuItem::SetVisible(bool visible) {
    if (visible == IsVisible) {
        return;
    }
    IsVisible = visible;
    Changed();
}

void TMenuItem::SetChecked(bool checked) {
    if (checked == IsChecked) {
        return;
    }
    IsChecked = checked;
    Changed();
}

void TMenuItem::SetDefault(bool isDefault) {
    if (isDefault == IsDefault) {
        return;
    }
    IsDefault = isDefault;
    Changed();
}

void TMenuItem::SetRadioItem(bool radioItem) {
    if (radioItem == IsRadioItem) {
        return;
    }
    IsRadioItem = radioItem;
    Changed();
}

void TMenuItem::SetBreak(TMenuBreak menuBreak) {
    if (menuBreak == BreakValue) {
        return;
    }
    BreakValue = menuBreak;
    Changed();
}

void TMenuItem::SetImageIndex(int imageIndex) {
    if (imageIndex == ImageIndexValue) {
        return;
    }
    ImageIndexValue = imageIndex;
    Changed();
}

TBitmap& TMenuItem::Bitmap() {
    if (!Glyph) {
        Glyph = std::make_unique<TBitmap>();
    }
    return *Glyph;
}

void TMenuItem::SetBitmap(const TBitmap& bitmap) {
    Bitmap().Assign(bitmap);
    Changed();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    const auto found = std::find(Children.begin(), Children.end(), item);
    return found == Children.end() ? -1 : int(found - Children.begin());
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) {
        return;
    }
    // An item cannot become a child of itself or of one of its own children.
    for (const TMenuItem* up = this; up; up = up->ParentItem) {
        if (up == item) {
            throw Exception("Cannot insert a menu item into itself");
        }
    }
    if (item->ParentItem) {
        item->ParentItem->Remove(item);
    }
    if (index < 0 || index > Count()) {
        throw Exception("Menu index out of range");
    }
    Children.insert(Children.begin() + index, item);
    item->ParentItem = this;
    // Every item that comes into the tree is a change of it: a menu that hooks its items
    // sees each of them.
    if (TMenu* menu = ListeningMenu(this)) {
        std::vector<TMenuItem*> added{item};
        for (std::size_t i = 0; i < added.size(); ++i) {
            for (TMenuItem* child : added[i]->Children) {
                added.push_back(child);
            }
        }
        for (TMenuItem* each : added) {
            menu->MenuChanged(menu, each, true);
        }
    }
}

void TMenuItem::Remove(TMenuItem* item) {
    const int index = IndexOf(item);
    if (index < 0) {
        return;
    }
    Children.erase(Children.begin() + index);
    item->ParentItem = nullptr;
    if (TMenu* menu = ListeningMenu(this)) {
        menu->ItemRemoved(item);
        menu->MenuChanged(menu, RootOf ? nullptr : this, true);
    }
}

void TMenuItem::Delete(int index) {
    TComponent::Free(Items(index));
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->ParentItem) {
        item = item->ParentItem;
    }
    return item->RootOf;
}

TComponent* TMenuItem::GetParentComponent() const {
    if (RootOf) {
        return RootOf;
    }
    if (ParentItem && ParentItem->RootOf) {
        return ParentItem->RootOf;
    }
    return ParentItem;
}

TOwnerDrawState TMenuItem::DrawState(bool selected) const {
    // The system draws a separator grayed and disabled.
    TOwnerDrawState state = IsLine() ? odGrayed | odDisabled : 0;
    if (selected) {
        state |= odSelected;
    }
    if (!IsEnabled) {
        state |= odGrayed | odDisabled;
    }
    if (IsChecked) {
        state |= odChecked;
    }
    if (IsDefault) {
        state |= odDefault;
    }
    return state;
}

// The default size. In a main menu's bar an item is as wide as its caption and as high as the
// system's menu item. Elsewhere a separator starts at -2 x 5, an item with a glyph (an image of
// the menu's image list, else a glyph bitmap taken as 16 x 16) at the glyph's size plus 15 x 3,
// any other item at -7 x the system's item height + 3; then the width grows by the width of the
// caption followed directly by the shortcut's text, plus 7.
void TMenuItem::DefaultSize(TCanvas& canvas, int& width, int& height) const {
    const TMenu* menu = GetParentMenu();
    if (dynamic_cast<const TMainMenu*>(GetParentComponent())) {
        width = canvas.TextWidth(CaptionText);
        height = MenuPlatform().MenuItemHeight();
        return;
    }
    const TCustomImageList* images = menu ? menu->Images() : nullptr;
    if (IsLine()) {
        width = -2;
        height = 5;
    } else if (images && ImageIndexValue >= 0 && ImageIndexValue < images->Count()) {
        width = images->Width() + 15;
        height = images->Height() + 3;
    } else if (HasGlyph()) {
        width = 16 + 15;
        height = 16 + 3;
    } else {
        width = -7;
        height = MenuPlatform().MenuItemHeight() + 3;
    }
    width += canvas.TextWidth(CaptionText + ShortCutToText(ShortCutValue)) + 7;
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
    DefaultSize(canvas, width, height);
    const TMenu* menu = GetParentMenu();
    if (menu && menu->OwnerDraw()) {
        OnMeasureItem(this, canvas, width, height);
    }
}

void TMenuItem::DrawItem(TCanvas& canvas, const TRect& rect, TOwnerDrawState state) {
    const TMenu* menu = GetParentMenu();
    if (menu && menu->OwnerDraw() && (OnDrawItem || OnAdvancedDrawItem)) {
        // The handlers may free this item (and so these events): run copies.
        const TMenuDrawItemEvent draw = OnDrawItem;
        const TAdvancedMenuDrawItemEvent advanced = OnAdvancedDrawItem;
        draw(this, canvas, rect, (state & odSelected) != 0);
        advanced(this, canvas, rect, state);
        return;
    }
    DefaultDraw(canvas, rect, state);
}

void TMenuItem::DefaultDraw(TCanvas& canvas, const TRect& rect, TOwnerDrawState state) const {
    const bool selected = (state & odSelected) != 0;
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = selected ? clHighlight : clMenu;
    canvas.FillRect(rect);
    if (IsLine()) {
        TRect line = rect;
        line.Top += rect.Height() / 2 - 1;
        canvas.DrawEdge(line, edgeEtched, bfTop);
        return;
    }
    const TMenu* menu = GetParentMenu();
    const TCustomImageList* images = menu ? menu->Images() : nullptr;
    int textLeft = rect.Left + 2;
    if (images && ImageIndexValue >= 0 && ImageIndexValue < images->Count()) {
        images->Draw(canvas, rect.Left + 2, rect.Top + (rect.Height() - images->Height()) / 2,
                     ImageIndexValue);
        textLeft += images->Width() + 4;
    } else if (HasGlyph()) {
        canvas.StretchDraw(Bounds(rect.Left + 2, rect.Top + (rect.Height() - 16) / 2, 16, 16),
                           *Glyph);
        textLeft += 16 + 4;
    }
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.Font.Color = (state & odGrayed) ? clGrayText : selected ? clHighlightText : clMenuText;
    TRect text = Rect(textLeft, rect.Top, rect.Right, rect.Bottom);
    canvas.DrawText(CaptionText, text, dtLeft | dtVCenter | dtSingleLine);
    const std::string shortCut = ShortCutToText(ShortCutValue);
    if (!shortCut.empty()) {
        text = Rect(textLeft, rect.Top, rect.Right - 2, rect.Bottom);
        canvas.DrawText(shortCut, text, dtRight | dtVCenter | dtSingleLine);
    }
}

void TMenuItem::Click() {
    OnClick(this);
}

// ---- TMenu -------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), Root(new TMenuItem(this)) {
    Root->RootOf = this;
}

TMenu::~TMenu() {
    // The items go without telling this menu, which is half gone.
    Root->RootOf = nullptr;
}

void TMenu::SetImages(TCustomImageList* images) {
    if (ImageList == images) {
        return;
    }
    if (ImageList) {
        ImageList->RemoveFreeNotification(this);
    }
    ImageList = images;
    if (images) {
        images->FreeNotification(this);
    }
    MenuChanged(this, nullptr, true);
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
    if (ownerDraw == IsOwnerDraw) {
        return;
    }
    IsOwnerDraw = ownerDraw;
    MenuChanged(this, nullptr, true);
}

void TMenu::MenuChanged(TComponent* /*sender*/, TMenuItem* /*source*/, bool /*rebuild*/) {
    OnChange(this);
}

void TMenu::RebuildItems() {
    MenuPlatform().RebuildMenu(*this);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == ImageList) {
        ImageList = nullptr;
    }
    TComponent::Notification(component, operation);
}

// ---- TPopupMenu --------------------------------------------------------------------------------

void TPopupMenu::Popup(int x, int y) {
    PopupPointValue = {x, y};
    OnPopup(this);
    if (TMenuItem* chosen = MenuPlatform().TrackPopupMenu(*this, {x, y})) {
        chosen->Click();
    }
}

// ---- The platform ------------------------------------------------------------------------------

TMenuPlatform& MenuPlatform() {
    auto* menus = dynamic_cast<TMenuPlatform*>(&Platform());
    if (!menus) {
        throw Exception("The platform has no menus");
    }
    return *menus;
}
