#include "toolkit/Controls.h"

#include "toolkit/Forms.h"
#include "toolkit/Sysutils.h"

#include <algorithm>

namespace {

bool IsWindowed(const TControl* control) {
    return dynamic_cast<const TWinControl*>(control) != nullptr;
}

} // namespace

bool IsAccel(char key, const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') {
            continue;
        }
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return UpCase(caption[i + 1]) == UpCase(key);
    }
    return false;
}

// ---- TControl ----------------------------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
    if (ParentControl) {
        ParentControl->RemoveControl(this);
    }
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == ParentControl) {
        return;
    }
    for (TControl* p = parent; p; p = p->ParentControl) {
        if (p == this) {
            throw Exception("A control cannot be placed on itself");
        }
    }
    if (ParentControl) {
        ParentControl->RemoveControl(this);
    }
    if (parent) {
        parent->InsertControl(this);
    }
}

TForm* TControl::ParentForm() {
    TControl* top = this;
    while (top->ParentControl) {
        top = top->ParentControl;
    }
    return dynamic_cast<TForm*>(top);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    const TRect bounds = Bounds(left, top, std::max(width, 0), std::max(height, 0));
    if (bounds == BoundsValue) {
        return;
    }
    const TRect oldBounds = BoundsValue;
    BoundsValue = bounds;
    BoundsChanged(oldBounds);
}

void TControl::BoundsChanged(const TRect& oldBounds) {
    if (!ParentControl) {
        return;
    }
    if (IsVisible) {
        ParentControl->InvalidateRect(oldBounds);
        ParentControl->InvalidateRect(BoundsValue);
    }
    if (AlignValue != alNone) {
        ParentControl->Realign();
    }
}

void TControl::SetAlign(TAlign align) {
    if (align == AlignValue) {
        return;
    }
    AlignValue = align;
    if (ParentControl) {
        ParentControl->Realign();
    }
}

void TControl::SetVisible(bool visible) {
    if (visible == IsVisible) {
        return;
    }
    IsVisible = visible;
    VisibleChanged();
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->ParentControl) {
        if (!c->IsVisible) {
            return false;
        }
    }
    return true;
}

void TControl::VisibleChanged() {
    if (!ParentControl) {
        return;
    }
    ParentControl->InvalidateRect(BoundsValue);
    if (AlignValue != alNone) {
        ParentControl->Realign();
    }
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == IsEnabled) {
        return;
    }
    IsEnabled = enabled;
    EnabledChanged();
}

void TControl::EnabledChanged() {
    Invalidate();
}

void TControl::SetCaption(const std::string& caption) {
    if (caption == CaptionText) {
        return;
    }
    CaptionText = caption;
    TextChanged();
}

void TControl::TextChanged() {
    Invalidate();
}

void TControl::SetHint(const std::string& hint) {
    if (hint == HintText) {
        return;
    }
    HintText = hint;
    PeerChanged(TPeerChange::Hint);
}

void TControl::SetShowHint(bool show) {
    if (show == IsHintShown) {
        return;
    }
    IsHintShown = show;
    PeerChanged(TPeerChange::Hint);
}

void TControl::SetCursor(TCursor cursor) {
    if (cursor == CursorValue) {
        return;
    }
    CursorValue = cursor;
    PeerChanged(TPeerChange::Cursor);
}

void TControl::SetFont(const TFont& font) {
    IsParentFont = false;
    ApplyFont(font);
}

void TControl::SetParentFont(bool parentFont) {
    IsParentFont = parentFont;
    if (parentFont && ParentControl) {
        ApplyFont(ParentControl->Font());
    }
}

void TControl::ApplyFont(const TFont& font) {
    if (font == FontValue) {
        return;
    }
    FontValue = font;
    FontChanged();
}

void TControl::FontChanged() {
    Invalidate();
}

void TControl::ParentFontChanged() {
    if (IsParentFont && ParentControl) {
        ApplyFont(ParentControl->Font());
    }
}

void TControl::SetColor(TColor color) {
    IsParentColor = false;
    ApplyColor(color);
}

void TControl::SetParentColor(bool parentColor) {
    IsParentColor = parentColor;
    if (parentColor && ParentControl) {
        ApplyColor(ParentControl->Color());
    }
}

void TControl::ApplyColor(TColor color) {
    if (color == ColorValue) {
        return;
    }
    ColorValue = color;
    ColorChanged();
}

void TControl::ColorChanged() {
    Invalidate();
}

void TControl::ParentColorChanged() {
    if (IsParentColor && ParentControl) {
        ApplyColor(ParentControl->Color());
    }
}

void TControl::BringToFront() {
    if (ParentControl) {
        ParentControl->MoveControl(this, true);
    }
}

void TControl::SendToBack() {
    if (ParentControl) {
        ParentControl->MoveControl(this, false);
    }
}

void TControl::Invalidate() {
    if (ParentControl && IsVisible) {
        ParentControl->InvalidateRect(BoundsValue);
    }
}

void TControl::Repaint() {
    Invalidate();
    if (auto* window = dynamic_cast<TWinControl*>(this)) {
        window->Update();
    } else if (ParentControl) {
        ParentControl->Update();
    }
}

TCanvas& TControl::Canvas() {
    if (PaintCanvas) {
        return *PaintCanvas;
    }
    if (!MeasureBitmap) {
        MeasureBitmap = std::make_unique<TBitmap>(1, 1);
        MeasureBitmap->Canvas().Font = FontValue;
    }
    return MeasureBitmap->Canvas();
}

void TControl::PaintTo(TCanvas& canvas, int x, int y) {
    const int saved = canvas.SaveDC();
    canvas.MoveOrigin(x, y);
    canvas.IntersectClipRect(ClientRect());
    PaintContents(canvas);
    canvas.RestoreDC(saved);
}

void TControl::PaintContents(TCanvas& canvas) {
    PaintSelf(canvas);
}

void TControl::PaintSelf(TCanvas& canvas) {
    const int saved = canvas.SaveDC();
    canvas.Font = FontValue;
    canvas.Brush = TBrush{ColorValue, TBrushStyle::Solid};
    canvas.Pen = TPen{};
    TCanvas* outer = PaintCanvas;
    PaintCanvas = &canvas;
    try {
        Paint();
    } catch (...) {
        PaintCanvas = outer;
        canvas.RestoreDC(saved);
        throw;
    }
    PaintCanvas = outer;
    canvas.RestoreDC(saved);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseDoubleClick(TShiftState shift, int x, int y) {
    DblClick();
    MouseDown(mbLeft, TShiftState(shift | ssDouble), x, y);
}

void TControl::Click() {
    OnClick(this);
}
void TControl::DblClick() {
    OnDblClick(this);
}
void TControl::MouseEnter() {
    OnMouseEnter(this);
}
void TControl::MouseLeave() {
    OnMouseLeave(this);
}

bool TControl::DialogChar(char /*key*/, TShiftState /*shift*/) {
    return false;
}

// ---- TWinControl -------------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    TearingDown = true;
    // Children go first, as native child windows go before their parent.
    while (!Children.empty()) {
        Free(Children.back());
    }
    // Leaves the parent while still a windowed control, so that its tab place, the focus and
    // its peer go too (in ~TControl it is one no longer).
    if (Parent()) {
        Parent()->RemoveControl(this);
    }
    WindowPeer.reset();
}

bool TWinControl::HasChild(const TControl* control) const {
    return std::find(Children.begin(), Children.end(), control) != Children.end();
}

void TWinControl::InsertControl(TControl* control) {
    Children.push_back(control);
    control->ParentControl = this;
    if (auto* window = dynamic_cast<TWinControl*>(control)) {
        TabList.push_back(window);
        if (PeerMade) {
            window->MakePeers();
        }
    }
    control->ParentFontChanged();
    control->ParentColorChanged();
    if (control->Align() != alNone) {
        Realign();
    }
    control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
    if (auto* window = dynamic_cast<TWinControl*>(control)) {
        window->DestroyPeers();
        TabList.erase(std::remove(TabList.begin(), TabList.end(), window), TabList.end());
        if (TForm* form = ParentForm()) {
            form->ControlRemoved(window);
        }
    }
    Children.erase(std::remove(Children.begin(), Children.end(), control), Children.end());
    if (CaptureControl == control) {
        CaptureControl = nullptr;
    }
    if (HotControl == control) {
        HotControl = nullptr;
    }
    if (ClickControl == control) {
        ClickControl = nullptr;
    }
    control->ParentControl = nullptr;
    if (TearingDown) {
        return;
    }
    if (control->Align() != alNone) {
        Realign();
    }
    if (control->Visible()) {
        InvalidateRect(control->BoundsRect());
    }
}

void TWinControl::MoveControl(TControl* control, bool toFront) {
    auto at = std::find(Children.begin(), Children.end(), control);
    if (at == Children.end()) {
        return;
    }
    Children.erase(at);
    if (toFront) {
        Children.push_back(control);
    } else {
        Children.insert(Children.begin(), control);
    }
    ++ZOrderChanges;
    if (IsWindowed(control)) {
        static_cast<TWinControl*>(control)->PeerChanged(TPeerChange::ZOrder);
    } else if (control->Visible()) {
        InvalidateRect(control->BoundsRect());
    }
}

TControl* TWinControl::WindowlessControlAt(TPoint p, bool allowDisabled) const {
    for (auto it = Children.rbegin(); it != Children.rend(); ++it) {
        TControl* control = *it;
        if (IsWindowed(control) || !control->Visible()) {
            continue;
        }
        if (!control->Enabled() && !allowDisabled) {
            continue;
        }
        if (control->BoundsRect().Contains(p)) {
            return control;
        }
    }
    return nullptr;
}

// ---- Focus

int TWinControl::TabOrder() const {
    if (!Parent()) {
        return -1;
    }
    const auto& list = Parent()->TabList;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int tabOrder) {
    if (!Parent()) {
        return;
    }
    auto& list = Parent()->TabList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    tabOrder = std::clamp(tabOrder, 0, int(list.size()));
    list.insert(list.begin() + tabOrder, this);
}

bool TWinControl::CanFocus() {
    TForm* form = ParentForm();
    if (!form) {
        return false;
    }
    for (TControl* c = this; c; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) {
            return false;
        }
    }
    return true;
}

bool TWinControl::Focused() {
    TForm* form = ParentForm();
    return form && form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) {
        return;
    }
    TForm* form = ParentForm();
    if (form != this) {
        form->SetActiveControl(this);
    }
    if (WindowPeer) {
        WindowPeer->SetFocus();
    }
}

void TWinControl::WindowFocused() {
    TForm* form = ParentForm();
    if (form && form != this) {
        form->SetActiveControl(this);
    }
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
    OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
    OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(char& key) {
    OnKeyPress(this, key);
}

bool TWinControl::DialogChar(char key, TShiftState shift) {
    std::vector<TControl*> offered;
    for (TControl* control : Children) {
        if (!IsWindowed(control)) {
            offered.push_back(control);
        }
    }
    for (TControl* control : Children) {
        if (IsWindowed(control)) {
            offered.push_back(control);
        }
    }
    for (TControl* control : offered) {
        if (HasChild(control) && control->DialogChar(key, shift)) {
            return true;
        }
    }
    return false;
}

// ---- Peers

void TWinControl::HandleNeeded() {
    if (PeerMade) {
        return;
    }
    if (Parent() && !Parent()->PeerMade) {
        Parent()->HandleNeeded(); // makes this control's peer too
    } else {
        MakePeers();
    }
}

void TWinControl::MakePeers() {
    if (!PeerMade) {
        WindowPeer = Platform().CreatePeer(*this);
        PeerMade = true;
    }
    for (TWinControl* window : TabList) {
        window->MakePeers();
    }
}

void TWinControl::DestroyPeers() {
    for (auto it = TabList.rbegin(); it != TabList.rend(); ++it) {
        (*it)->DestroyPeers();
    }
    WindowPeer.reset();
    PeerMade = false;
}

void TWinControl::PeerChanged(TPeerChange change) {
    if (WindowPeer) {
        WindowPeer->Changed(change);
    }
}

void TWinControl::EnabledChanged() {
    PeerChanged(TPeerChange::Enabled);
    TControl::EnabledChanged();
}

void TWinControl::TextChanged() {
    PeerChanged(TPeerChange::Text);
    TControl::TextChanged();
}

void TWinControl::VisibleChanged() {
    PeerChanged(TPeerChange::Visible);
    TControl::VisibleChanged();
}

void TWinControl::FontChanged() {
    PeerChanged(TPeerChange::Font);
    TControl::FontChanged();
    const std::vector<TControl*> children = Children;
    for (TControl* control : children) {
        control->ParentFontChanged();
    }
}

void TWinControl::ColorChanged() {
    PeerChanged(TPeerChange::Color);
    TControl::ColorChanged();
    const std::vector<TControl*> children = Children;
    for (TControl* control : children) {
        control->ParentColorChanged();
    }
}

void TWinControl::BoundsChanged(const TRect& oldBounds) {
    PeerChanged(TPeerChange::Bounds);
    TControl::BoundsChanged(oldBounds);
    if (oldBounds.Width() != Width() || oldBounds.Height() != Height()) {
        Realign();
    }
}

// ---- Painting

void TWinControl::InvalidateRect(const TRect& r) {
    if (WindowPeer) {
        WindowPeer->Invalidate(r);
    } else if (Parent() && Visible()) {
        // Without a window of its own (no peer), the control shows on its parent's.
        TRect onParent = r;
        OffsetRect(onParent, Left(), Top());
        Parent()->InvalidateRect(IntersectRect(onParent, BoundsRect()));
    }
}

void TWinControl::Update() {
    if (WindowPeer) {
        WindowPeer->Update();
    }
}

void TWinControl::PaintWindow(TCanvas& canvas) {
    // A child that moves itself in the z-order while painting (a background sending itself to
    // the back) gets the whole window painted once more, as the invalidation would on screen.
    for (int pass = 0; pass < 2; ++pass) {
        const unsigned zOrder = ZOrderChanges;
        const int saved = canvas.SaveDC();
        canvas.Brush = TBrush{Color(), TBrushStyle::Solid};
        canvas.FillRect(ClientRect());
        canvas.RestoreDC(saved);
        PaintSelf(canvas);
        const std::vector<TControl*> children = Children;
        for (TControl* control : children) {
            if (IsWindowed(control) || !control->Visible() || !HasChild(control)) {
                continue;
            }
            const int childSaved = canvas.SaveDC();
            canvas.MoveOrigin(control->Left(), control->Top());
            canvas.IntersectClipRect(control->ClientRect());
            control->PaintSelf(canvas);
            canvas.RestoreDC(childSaved);
        }
        if (zOrder == ZOrderChanges) {
            break;
        }
    }
}

void TWinControl::PaintContents(TCanvas& canvas) {
    PaintWindow(canvas);
    const std::vector<TControl*> children = Children;
    for (TControl* control : children) {
        if (IsWindowed(control) && control->Visible() && HasChild(control)) {
            control->PaintTo(canvas, control->Left(), control->Top());
        }
    }
}
