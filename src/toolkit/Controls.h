#pragma once
// Controls: the visual components with bounds, state, parent and children.
//
// A control holds all its state here; nothing of it lives in the platform. Windowed controls
// (TWinControl) can have a platform peer that mirrors them onto a native window and reports the
// user's input back through the Window... entry points; windowless controls (TGraphicControl)
// are painted by their parent and get their input through it. Without a peer, everything still
// works: app logic and tests read and write controls directly.
//
// Painting: a windowed control erases its client area with its Color, runs Paint, then paints
// its windowless children in z-order (bottom first) at their places; windowed children lie above
// all of those. PaintTo renders a control with everything on it into any canvas.

#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"
#include "toolkit/Platform.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Mouse pointer shapes (the platform maps them to its cursors).
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crHandPoint = -21;

// Virtual key codes (the Win32 values); letters and digits are their upper-case ASCII codes.
enum : std::uint16_t {
    vkBack = 8,
    vkTab = 9,
    vkReturn = 13,
    vkEscape = 27,
    vkSpace = 32,
    vkEnd = 35,
    vkHome = 36,
    vkLeft = 37,
    vkUp = 38,
    vkRight = 39,
    vkDown = 40,
    vkDelete = 46,
};

// True when caption has "&" before key (ASCII case ignored; "&&" is a plain "&").
bool IsAccel(char key, const std::string& caption);

class TForm;
class TWinControl;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // ---- Parent and place
    TWinControl* Parent() const { return ParentControl; }
    void SetParent(TWinControl* parent);
    // The form this control stands on (itself for a form), or nullptr.
    TForm* ParentForm();

    int Left() const { return BoundsValue.Left; }
    int Top() const { return BoundsValue.Top; }
    int Width() const { return BoundsValue.Width(); }
    int Height() const { return BoundsValue.Height(); }
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
    // Left and top in the parent's client area (for a form: on the screen); negative sizes
    // become 0.
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return BoundsValue; }
    // The client area, which has the size of the bounds except where a frame lies around it.
    virtual int ClientWidth() const { return Width(); }
    virtual int ClientHeight() const { return Height(); }
    void SetClientWidth(int width) { SetWidth(width + Width() - ClientWidth()); }
    void SetClientHeight(int height) { SetHeight(height + Height() - ClientHeight()); }
    TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }
    // Aligned controls are placed by their parent, in the order top, bottom, left, right, client.
    TAlign Align() const { return AlignValue; }
    void SetAlign(TAlign align);

    // ---- State
    bool Visible() const { return IsVisible; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so is every parent.
    bool Showing() const;
    bool Enabled() const { return IsEnabled; }
    void SetEnabled(bool enabled);
    // Caption and Text are one text (a label's caption, an edit's text).
    const std::string& Caption() const { return CaptionText; }
    void SetCaption(const std::string& caption);
    const std::string& Text() const { return CaptionText; }
    void SetText(const std::string& text) { SetCaption(text); }
    const std::string& Hint() const { return HintText; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return IsHintShown; }
    void SetShowHint(bool show);
    TCursor Cursor() const { return CursorValue; }
    void SetCursor(TCursor cursor);
    // Setting the font or colour ends taking the parent's.
    const TFont& Font() const { return FontValue; }
    void SetFont(const TFont& font);
    bool ParentFont() const { return IsParentFont; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return ColorValue; }
    void SetColor(TColor color);
    bool ParentColor() const { return IsParentColor; }
    void SetParentColor(bool parentColor);

    // ---- Z-order among the parent's controls
    void BringToFront();
    void SendToBack();

    // ---- Painting
    // Asks for the control to be painted again (through the window's peer, if there is one).
    virtual void Invalidate();
    // Invalidate, and paint now.
    void Repaint();
    // The canvas being painted on while Paint runs; otherwise a canvas for measuring text with
    // (drawing on it shows nowhere).
    TCanvas& Canvas();
    // Paints the control, with all its children, into canvas with its top-left corner at (x, y).
    void PaintTo(TCanvas& canvas, int x, int y);

    // ---- Input entry points, in client coordinates. The platform reaches them through the
    // window: TWinControl::WindowMouseDown and the like.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // The second press of a double click: DblClick, then MouseDown with ssDouble.
    virtual void MouseDoubleClick(TShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();
    virtual void MouseEnter();
    virtual void MouseLeave();
    // An accelerator character typed on the form: true when this control took it.
    virtual bool DialogChar(char key, TShiftState shift);
    // True when a left press and release inside the control make a Click.
    bool ClickOnRelease() const { return IsClickOnRelease; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    friend class TWinControl;

    virtual void Paint() {}
    // Paints this control alone (no windowed children) with its origin at the canvas origin.
    virtual void PaintContents(TCanvas& canvas);
    // Runs Paint with canvas as Canvas(), the canvas's font and brush set from the control.
    void PaintSelf(TCanvas& canvas);

    // Notifications of changes; each repaints. Windowed controls also tell their peer.
    virtual void EnabledChanged();
    virtual void TextChanged();
    virtual void VisibleChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    // The parent's font or colour changed, or the control has a new parent.
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    virtual void BoundsChanged(const TRect& oldBounds);
    virtual void PeerChanged(TPeerChange /*change*/) {}

    void SetClickOnRelease(bool clickOnRelease) { IsClickOnRelease = clickOnRelease; }

private:
    void ApplyFont(const TFont& font);
    void ApplyColor(TColor color);

    TWinControl* ParentControl = nullptr;
    TRect BoundsValue;
    TAlign AlignValue = alNone;
    bool IsVisible = true;
    bool IsEnabled = true;
    std::string CaptionText;
    std::string HintText;
    bool IsHintShown = false;
    TCursor CursorValue = crDefault;
    TFont FontValue;
    bool IsParentFont = true;
    TColor ColorValue = clBtnFace;
    bool IsParentColor = true;
    bool IsClickOnRelease = true;
    TCanvas* PaintCanvas = nullptr;
    std::unique_ptr<TBitmap> MeasureBitmap;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The children in z-order, the bottom one first.
    int ControlCount() const { return int(Children.size()); }
    TControl* Controls(int index) const { return Children.at(std::size_t(index)); }
    // The topmost visible windowless child at p (client coordinates), or nullptr; disabled
    // children only when allowDisabled.
    TControl* WindowlessControlAt(TPoint p, bool allowDisabled) const;

    // ---- Focus
    bool TabStop() const { return IsTabStop; }
    void SetTabStop(bool tabStop) { IsTabStop = tabStop; }
    // The place in the parent's tab order, from 0.
    int TabOrder() const;
    void SetTabOrder(int tabOrder);
    // The control and every parent up to its form are visible and enabled.
    bool CanFocus();
    bool Focused();
    // Takes the keyboard focus; a control that cannot take it leaves the focus where it is.
    virtual void SetFocus();

    // ---- Keyboard entry points
    virtual void KeyDown(std::uint16_t& key, TShiftState shift);
    virtual void KeyUp(std::uint16_t& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // True when typed characters are this control's input (an edit's text), so that they are
    // no accelerators unless typed with Alt.
    virtual bool WantsChars() const { return false; }
    // Offers key to the children, windowless first, until one takes it.
    bool DialogChar(char key, TShiftState shift) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // ---- Peer
    TWindowPeer* Peer() const { return WindowPeer.get(); }
    // Makes the peers of this control's parents, of this control and of its windowed
    // children, as far as they have none yet.
    void HandleNeeded();

    // ---- The platform's input for this control's window, in client coordinates. A windowless
    // child under the pointer gets it in its own coordinates; a press keeps the pointer for the
    // pressed control until the release. A disabled window gets no input.
    void WindowMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void WindowMouseMove(TShiftState shift, int x, int y);
    void WindowMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void WindowDoubleClick(TShiftState shift, int x, int y);
    void WindowMouseLeave();
    // The native window got the keyboard focus.
    void WindowFocused();

    // ---- Painting
    // Background, Paint and the windowless children; what the window's own paint shows.
    void PaintWindow(TCanvas& canvas);
    void InvalidateRect(const TRect& r);
    void Invalidate() override { InvalidateRect(ClientRect()); }
    // Paints the invalid parts now.
    void Update();

    // Places the aligned children again.
    void Realign();

protected:
    friend class TControl;
    friend class TForm;

    // The part of the client area that aligned children fill.
    virtual void AdjustClientRect(TRect& /*r*/) const {}
    void PaintContents(TCanvas& canvas) override;
    virtual void DoEnter() { OnEnter(this); }
    virtual void DoExit() { OnExit(this); }
    // True when the native window does the control's clicks and keys itself.
    bool NativeInput() const { return WindowPeer && WindowPeer->NativeInput(); }

    void EnabledChanged() override;
    void TextChanged() override;
    void VisibleChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void BoundsChanged(const TRect& oldBounds) override;
    void PeerChanged(TPeerChange change) override;

private:
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void MoveControl(TControl* control, bool toFront);
    void MakePeers();
    void DestroyPeers();
    TControl* MouseTarget(int x, int y);
    // The window point x, y in the coordinates of target (this window or a windowless child).
    TPoint TargetPoint(const TControl* target, int x, int y) const;
    void HoverAt(int x, int y);
    bool HasChild(const TControl* control) const;

    std::vector<TControl*> Children;
    std::vector<TWinControl*> TabList;
    std::unique_ptr<TWindowPeer> WindowPeer;
    bool PeerMade = false;
    bool IsTabStop = false;
    bool Aligning = false;
    bool TearingDown = false;
    // Counts z-order changes, so that a paint that moved a child paints again.
    unsigned ZOrderChanges = 0;
    TControl* CaptureControl = nullptr;
    TControl* HotControl = nullptr;
    TControl* ClickControl = nullptr;
};

// A windowless control: painted by its parent on the parent's surface.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
};

// A windowed control that paints itself (its Paint draws on Canvas()); on Windows one custom
// window class serves them all.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
};
