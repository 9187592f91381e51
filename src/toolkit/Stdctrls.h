#pragma once
// Standard controls: labels, one-line edits and list boxes.

#include "toolkit/Controls.h"

#include <string>
#include <vector>

// A windowless text. With AutoSize (the default) it takes the size of its caption, keeping its
// right edge when right-aligned; otherwise the caption is drawn in its bounds, word-wrapped when
// WordWrap is set. "&" marks an underlined letter unless ShowAccelChar is off.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    TAlignment Alignment() const { return AlignmentValue; }
    void SetAlignment(TAlignment alignment);
    bool AutoSize() const { return IsAutoSize; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return IsWordWrap; }
    void SetWordWrap(bool wordWrap);
    // A transparent label leaves its background to what lies beneath it.
    bool Transparent() const { return IsTransparent; }
    void SetTransparent(bool transparent);
    bool ShowAccelChar() const { return IsShowAccelChar; }
    void SetShowAccelChar(bool showAccelChar);

protected:
    void Paint() override;
    void Loaded() override;
    void TextChanged() override;
    void FontChanged() override;

private:
    std::uint32_t TextFlags() const;
    void AdjustBounds();

    TAlignment AlignmentValue = taLeftJustify;
    bool IsAutoSize = true;
    bool IsWordWrap = false;
    bool IsTransparent = false;
    bool IsShowAccelChar = true;
};

// A one-line text field. OnChange follows every change of Text, the user's and the program's.
// Typed text reaches it from the platform's native edit (SetText); the headless platform types
// nothing.
class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);

    bool ReadOnly() const { return IsReadOnly; }
    void SetReadOnly(bool readOnly);
    bool WantsChars() const override { return true; }

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void TextChanged() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool IsReadOnly = false;
};

// A list of texts with marks. A mark belongs to a position: deleting an item moves the later
// items and their marks up by one; an added, inserted or replaced item is unmarked. ItemIndex
// is the current item (the focus position): the one item marked in a single-mark list, the caret
// among the marks of a multi-select one; it is -1 when there is none, and an item deleted there
// leaves none. A sorted list adds items at their place in the name order of TStrings.
//
// While its items are in an update (TStrings::BeginUpdate) the list keeps its marks in step
// but tells its window nothing; the window gets all the changes at once when the update ends.
//
// Mouse and keys follow the system's extended selection: a click marks only the clicked item,
// Ctrl+click toggles one mark, Shift+click marks the range from the last plain click; the arrow,
// Home and End keys move the current item and mark only it. Each change by the user fires
// OnClick.
class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);

    TStrings& Items() { return ItemList; }
    const TStrings& Items() const { return ItemList; }
    void Clear() { ItemList.Clear(); }

    bool MultiSelect() const { return IsMultiSelect; }
    // Leaving the multi-select mode keeps only the current item's mark.
    void SetMultiSelect(bool multiSelect);
    bool Sorted() const { return ItemList.Sorted(); }
    void SetSorted(bool sorted) { ItemList.SetSorted(sorted); }
    int ItemIndex() const { return Caret; }
    // Out of range (-1 among them) means no current item.
    void SetItemIndex(int index);
    // Out of range indexes raise "List index out of bounds (%d)".
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;
    int ItemHeight() const { return ItemHeightValue; }
    void SetItemHeight(int itemHeight);
    // The item at p (client coordinates), or -1.
    int ItemAtPos(TPoint p) const;

    // The outcome of a native list's own mouse or key handling: its marks and current item.
    void SelectionChangedByUser(const std::vector<bool>& marks, int itemIndex);
    // How far item index is painted to the right, in pixels (a platform that draws the items
    // itself asks).
    virtual int ItemIndent(int /*index*/) const { return 0; }
    // Draws item index (its background, text and focus rectangle) into rect; the control's own
    // painting and a platform that draws the items itself both use it.
    void DrawItem(TCanvas& canvas, int index, const TRect& rect, bool marked, bool focused) const;

    bool WantsChars() const override { return true; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    // The second press marks the item under the pointer before DblClick runs, as the system's
    // list does.
    void MouseDoubleClick(TShiftState shift, int x, int y) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;

private:
    class TListBoxStrings : public TStrings {
    public:
        explicit TListBoxStrings(TListBox& listBox) : ListBox(listBox) {}

    protected:
        void Changed(TChange change, int index) override;
        void SetUpdateState(bool updating) override;

    private:
        TListBox& ListBox;
    };

    void ItemsChanged(TStrings::TChange change, int index);
    // The window shows the items once an update of the items ends.
    void ItemsUpdated();
    void CheckIndex(int index) const;
    // The user pressed on item index with shift.
    void PressItem(int index, TShiftState shift);
    void SelectionChanged();

    TListBoxStrings ItemList{*this};
    std::vector<bool> Marks;
    int Caret = -1;
    int Anchor = -1;
    bool IsMultiSelect = false;
    int ItemHeightValue = 13;
};
