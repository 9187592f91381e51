#pragma once
// TOrnCheckBox: a self-drawn check box that lets its parent's background show through and
// colours its caption while the mouse is over it.
//
// It paints a 16 x 16 box glyph, a check-mark glyph over it when checked, and its caption
// beside it; the glyphs are bitmap resources of the program ("JustBlank", "Enabled",
// "FlatBlank", "EnabledFlat", "CheckOk", described in Ornglyphs.h), loaded by name at every
// paint. A disabled box shows the glyph without the white interior and no check mark.
//
// Input: a left press of the enabled control inverts Checked at once (before OnMouseDown, and
// so before the OnClick of the release); other buttons are ignored. Enter fires OnClick and
// leaves Checked alone. The caption's "&" letter fires OnClick while Checked still has its old
// value, then inverts it.
//
// TOrnCustomCheck holds the behaviour; TOrnCheckBox publishes it.

#include "toolkit/Controls.h"

#include <cstdint>
#include <string>

// Paints what control's parent shows beneath it: the parent's background and its windowless
// children, drawn as if the parent painted itself with its origin moved to the control's
// top-left corner, clipped to the parent's client area. Windowed siblings are not drawn.
void DrawParentImage(TControl& control, TCanvas& canvas);

class TOrnCustomCheck : public TCustomControl {
public:
    // The side of the box: taRightJustify puts the box at the left and the caption to its right,
    // taLeftJustify puts the caption at the left and the box at the right edge. Scoped, because
    // the toolkit's TAlignment has values of the same names that mean the opposite: a mix-up is
    // then a compile error instead of a box on the wrong side.
    enum class TLeft { taRightJustify, taLeftJustify };

    // 100 x 19, a tab stop, taking the parent's colour and font, transparent, hot-tracking in
    // blue, focus rectangle shown.
    explicit TOrnCustomCheck(TComponent* owner);

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    // The toolkit's double click, which presses once more (inverting Checked again), then
    // OnClick.
    void MouseDoubleClick(TShiftState shift, int x, int y) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    bool DialogChar(char key, TShiftState shift) override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    // Setting Checked repaints and fires no event.
    bool Checked() const { return IsChecked; }
    void SetChecked(bool checked);
    // Stores and repaints.
    TLeft Alingment() const { return AlingmentValue; }
    void SetAlingment(TLeft alingment);
    bool Flat() const { return IsFlat; }
    void SetFlat(bool flat);
    bool Transparent() const { return IsTransparent; }
    void SetTransparent(bool transparent);
    // Only stored; they show at the next paint. Turning HotTrack off ends the hot state.
    bool HotTrack() const { return IsHotTrack; }
    void SetHotTrack(bool hotTrack);
    TColor HotTrackColor() const { return HotTrackColorValue; }
    void SetHotTrackColor(TColor color) { HotTrackColorValue = color; }
    bool ShowFocused() const { return IsShowFocused; }
    void SetShowFocused(bool showFocused) { IsShowFocused = showFocused; }

    void Paint() override;
    // The painting steps, in the order Paint runs them.
    void DrawMargin();
    void DrawCaption();
    void DrawCaptionEnabled();
    void DrawImage();
    void DrawImageHot();
    // Fires OnClick.
    void DoKliknime(TComponent* sender);

    // Gaining and losing the focus repaint (the focus rectangle).
    void DoEnter() override;
    void DoExit() override;
    // What shows through a transparent box changes with the parent, whether or not the box
    // takes its font and colour.
    void ParentFontChanged() override;
    void ParentColorChanged() override;

private:
    // The top of an item of that height centred in MarginRect.
    int CenteredTop(int height) const;
    // Draws the bitmap resource called name at the box's place, leaving out the colour of its
    // bottom-left pixel.
    void DrawGlyph(const std::string& name);

    TLeft AlingmentValue = TLeft::taRightJustify;
    bool IsChecked = false;
    bool IsFlat = false;
    bool IsTransparent = true;
    bool IsHotTrack = true;
    TColor HotTrackColorValue = clBlue;
    bool IsShowFocused = true;
    // 1 while the mouse is over the enabled control and HotTrack is on. Leaving a disabled
    // control is not heard, so one disabled while hot is hot again when enabled.
    int HotState = 0;
    // Taken at each paint: the client rectangle, and where the caption goes.
    TRect MarginRect;
    TRect CaptionRect;
    // The caption's drawing flags: left, top, "&" underlines the next letter.
    static constexpr std::uint32_t TextFormat = 0;
    TBitmap Glyph;
};

class TOrnCheckBox : public TOrnCustomCheck {
public:
    using TOrnCustomCheck::TOrnCustomCheck;

    using TOrnCustomCheck::Alingment;
    using TOrnCustomCheck::Checked;
    using TOrnCustomCheck::Flat;
    using TOrnCustomCheck::HotTrack;
    using TOrnCustomCheck::HotTrackColor;
    using TOrnCustomCheck::SetAlingment;
    using TOrnCustomCheck::SetChecked;
    using TOrnCustomCheck::SetFlat;
    using TOrnCustomCheck::SetHotTrack;
    using TOrnCustomCheck::SetHotTrackColor;
    using TOrnCustomCheck::SetTransparent;
    using TOrnCustomCheck::Transparent;

    // The published name of the toolkit's OnMouseLeave: the mouse left the enabled control.
    TNotifyEvent& OnMouseExit = OnMouseLeave;
};
