#include "toolkit/Stdctrls.h"

#include "toolkit/Sysutils.h"

#include <algorithm>

namespace {

// The sunken edge around edits and lists.
constexpr int EdgeWidth = 2;

std::uint32_t AlignmentFlag(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return dtRight;
    case taCenter:
        return dtCenter;
    default:
        return dtLeft;
    }
}

} // namespace

// ---- TLabel ------------------------------------------------------------------------------------

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment alignment) {
    if (alignment == AlignmentValue) {
        return;
    }
    AlignmentValue = alignment;
    Invalidate();
}

void TLabel::SetAutoSize(bool autoSize) {
    if (autoSize == IsAutoSize) {
        return;
    }
    IsAutoSize = autoSize;
    AdjustBounds();
}

void TLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap == IsWordWrap) {
        return;
    }
    IsWordWrap = wordWrap;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool transparent) {
    if (transparent == IsTransparent) {
        return;
    }
    IsTransparent = transparent;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool showAccelChar) {
    if (showAccelChar == IsShowAccelChar) {
        return;
    }
    IsShowAccelChar = showAccelChar;
    AdjustBounds();
    Invalidate();
}

std::uint32_t TLabel::TextFlags() const {
    std::uint32_t flags = dtExpandTabs | AlignmentFlag(AlignmentValue);
    if (IsWordWrap) {
        flags |= dtWordBreak;
    }
    if (!IsShowAccelChar) {
        flags |= dtNoPrefix;
    }
    return flags;
}

void TLabel::AdjustBounds() {
    if (!IsAutoSize || Loading()) {
        return;
    }
    TCanvas& canvas = Canvas();
    canvas.Font = Font();
    // An empty caption still measures one line high.
    std::string text = Caption();
    if (text.empty() || (IsShowAccelChar && text == "&")) {
        text += ' ';
    }
    TRect r = Rect(0, 0, Width(), 0);
    canvas.DrawText(text, r, TextFlags() | dtCalcRect);
    int left = Left();
    if (AlignmentValue == taRightJustify) {
        left += Width() - r.Right;
    }
    SetBounds(left, Top(), r.Right, r.Bottom);
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::TextChanged() {
    AdjustBounds();
    TGraphicControl::TextChanged();
}

void TLabel::FontChanged() {
    AdjustBounds();
    TGraphicControl::FontChanged();
}

void TLabel::Paint() {
    TCanvas& canvas = Canvas();
    const TRect bounds = ClientRect();
    if (!IsTransparent) {
        canvas.Brush.Color = Color();
        canvas.FillRect(bounds);
    }
    canvas.Brush.Style = TBrushStyle::Clear;
    DrawControlText(canvas, Caption(), bounds, TextFlags(), Enabled());
}

// ---- TEdit -------------------------------------------------------------------------------------

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

void TEdit::SetReadOnly(bool readOnly) {
    if (readOnly == IsReadOnly) {
        return;
    }
    IsReadOnly = readOnly;
    PeerChanged(TPeerChange::ReadOnly);
}

void TEdit::TextChanged() {
    TWinControl::TextChanged();
    OnChange(this);
}

void TEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && !NativeInput()) {
        SetFocus();
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TEdit::Paint() {
    TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    canvas.DrawEdge(r, edgeSunken, bfRect | bfAdjust);
    canvas.Brush.Color = Color();
    canvas.FillRect(r);
    InflateRect(r, -1, 0);
    canvas.Brush.Style = TBrushStyle::Clear;
    if (!Enabled()) {
        canvas.Font.Color = clGrayText;
    }
    canvas.DrawText(Text(), r, dtLeft | dtVCenter | dtSingleLine | dtNoPrefix);
}

// ---- TListBox ----------------------------------------------------------------------------------

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
    // Clicks come from changes of the marks, at the press.
    SetClickOnRelease(false);
}

void TListBox::TListBoxStrings::Changed(TChange change, int index) {
    ListBox.ItemsChanged(change, index);
}

void TListBox::TListBoxStrings::SetUpdateState(bool updating) {
    if (!updating) {
        ListBox.ItemsUpdated();
    }
}

void TListBox::ItemsUpdated() {
    PeerChanged(TPeerChange::Items);
    Invalidate();
}

void TListBox::ItemsChanged(TStrings::TChange change, int index) {
    auto shiftUp = [index](int& position) {
        if (position >= index) {
            ++position;
        }
    };
    auto shiftDown = [index](int& position) {
        if (position == index) {
            position = -1;
        } else if (position > index) {
            --position;
        }
    };
    switch (change) {
    case TStrings::TChange::Inserted:
        Marks.insert(Marks.begin() + index, false);
        shiftUp(Caret);
        shiftUp(Anchor);
        break;
    case TStrings::TChange::Deleted:
        Marks.erase(Marks.begin() + index);
        shiftDown(Caret);
        shiftDown(Anchor);
        break;
    case TStrings::TChange::Replaced:
        // A single-mark list keeps its current item marked, as the system's list does.
        if (IsMultiSelect) {
            Marks[std::size_t(index)] = false;
        }
        break;
    case TStrings::TChange::Cleared:
    case TStrings::TChange::Reset:
        Marks.assign(std::size_t(ItemList.Count()), false);
        Caret = -1;
        Anchor = -1;
        break;
    }
    if (!ItemList.Updating()) {
        ItemsUpdated();
    }
}

void TListBox::CheckIndex(int index) const {
    if (index < 0 || index >= ItemList.Count()) {
        throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    }
}

void TListBox::SelectionChanged() {
    PeerChanged(TPeerChange::Selection);
    Invalidate();
}

void TListBox::SetMultiSelect(bool multiSelect) {
    if (multiSelect == IsMultiSelect) {
        return;
    }
    IsMultiSelect = multiSelect;
    if (!multiSelect) {
        Marks.assign(Marks.size(), false);
        if (Caret >= 0) {
            Marks[std::size_t(Caret)] = true;
        }
    }
    PeerChanged(TPeerChange::Style);
    SelectionChanged();
}

void TListBox::SetItemIndex(int index) {
    if (index < 0 || index >= ItemList.Count()) {
        index = -1;
    }
    if (!IsMultiSelect) {
        Marks.assign(Marks.size(), false);
        if (index >= 0) {
            Marks[std::size_t(index)] = true;
        }
    }
    Caret = index;
    SelectionChanged();
}

bool TListBox::Selected(int index) const {
    CheckIndex(index);
    return Marks[std::size_t(index)];
}

void TListBox::SetSelected(int index, bool selected) {
    CheckIndex(index);
    if (!IsMultiSelect) {
        if (selected) {
            SetItemIndex(index);
        } else if (Caret == index) {
            SetItemIndex(-1);
        }
        return;
    }
    Marks[std::size_t(index)] = selected;
    SelectionChanged();
}

int TListBox::SelCount() const {
    return int(std::count(Marks.begin(), Marks.end(), true));
}

void TListBox::SetItemHeight(int itemHeight) {
    if (itemHeight < 1 || itemHeight == ItemHeightValue) {
        return;
    }
    ItemHeightValue = itemHeight;
    Invalidate();
}

int TListBox::ItemAtPos(TPoint p) const {
    if (!ClientRect().Contains(p) || p.Y < EdgeWidth) {
        return -1;
    }
    const int index = (p.Y - EdgeWidth) / ItemHeightValue;
    return index < ItemList.Count() ? index : -1;
}

void TListBox::PressItem(int index, TShiftState shift) {
    if (!IsMultiSelect) {
        Marks.assign(Marks.size(), false);
        Marks[std::size_t(index)] = true;
        Anchor = index;
    } else if (shift & ssCtrl) {
        Marks[std::size_t(index)] = !Marks[std::size_t(index)];
        Anchor = index;
    } else if ((shift & ssShift) && Anchor >= 0) {
        const int first = std::min(Anchor, index);
        const int last = std::max(Anchor, index);
        for (int i = 0; i < int(Marks.size()); ++i) {
            Marks[std::size_t(i)] = i >= first && i <= last;
        }
    } else {
        Marks.assign(Marks.size(), false);
        Marks[std::size_t(index)] = true;
        Anchor = index;
    }
    Caret = index;
    SelectionChanged();
    Click();
}

void TListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && !NativeInput()) {
        SetFocus();
        const int index = ItemAtPos({x, y});
        if (index >= 0) {
            PressItem(index, shift);
        }
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TListBox::MouseDoubleClick(TShiftState shift, int x, int y) {
    if (!NativeInput()) {
        const int index = ItemAtPos({x, y});
        if (index >= 0) {
            PressItem(index, shift);
        }
    }
    DblClick();
    TWinControl::MouseDown(mbLeft, TShiftState(shift | ssDouble), x, y);
}

void TListBox::KeyDown(std::uint16_t& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    const int count = ItemList.Count();
    if (NativeInput() || count == 0) {
        return;
    }
    int target = 0;
    switch (key) {
    case vkUp:
        target = Caret < 0 ? 0 : std::max(Caret - 1, 0);
        break;
    case vkDown:
        target = Caret < 0 ? 0 : std::min(Caret + 1, count - 1);
        break;
    case vkHome:
        target = 0;
        break;
    case vkEnd:
        target = count - 1;
        break;
    default:
        return;
    }
    if (target != Caret) {
        PressItem(target, TShiftState(shift & ssShift));
    }
}

void TListBox::SelectionChangedByUser(const std::vector<bool>& marks, int itemIndex) {
    Marks = marks;
    Marks.resize(std::size_t(ItemList.Count()), false);
    Caret = itemIndex >= 0 && itemIndex < ItemList.Count() ? itemIndex : -1;
    Anchor = Caret;
    Invalidate();
    Click();
}

void TListBox::Paint() {
    TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    canvas.DrawEdge(r, edgeSunken, bfRect | bfAdjust);
    canvas.Brush.Color = Color();
    canvas.FillRect(r);
    canvas.IntersectClipRect(r);
    const bool focused = Focused();
    for (int i = 0; i < ItemList.Count(); ++i) {
        const TRect item =
            Rect(r.Left, r.Top + i * ItemHeightValue, r.Right, r.Top + (i + 1) * ItemHeightValue);
        if (item.Top >= r.Bottom) {
            break;
        }
        DrawItem(canvas, i, item, Marks[std::size_t(i)], focused && i == Caret);
    }
}

void TListBox::DrawItem(TCanvas& canvas, int index, const TRect& rect, bool marked,
                        bool focused) const {
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = marked ? clHighlight : Color();
    canvas.FillRect(rect);
    if (index >= 0 && index < ItemList.Count()) {
        canvas.Font = Font();
        canvas.Font.Color = !Enabled() ? clGrayText : marked ? clHighlightText : Font().Color;
        canvas.Brush.Style = TBrushStyle::Clear;
        TRect text = rect;
        text.Left += 2 + ItemIndent(index);
        canvas.DrawText(ItemList[index], text, dtLeft | dtVCenter | dtSingleLine | dtNoPrefix);
    }
    if (focused) {
        canvas.DrawFocusRect(rect);
    }
}
