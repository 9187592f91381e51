#include "widgets/Orncheckbox.h"

#include "toolkit/Sysutils.h"

void DrawParentImage(TControl& control, TCanvas& canvas) {
    TWinControl* parent = control.Parent();
    if (!parent) {
        return;
    }
    const int saved = canvas.SaveDC();
    canvas.MoveOrigin(-control.Left(), -control.Top());
    canvas.IntersectClipRect(parent->ClientRect());
    parent->PaintWindow(canvas);
    canvas.RestoreDC(saved);
}

TOrnCustomCheck::TOrnCustomCheck(TComponent* owner) : TCustomControl(owner) {
    SetBounds(Left(), Top(), 100, 19);
    SetTabStop(true);
}

// ---- Properties

void TOrnCustomCheck::SetChecked(bool checked) {
    if (checked == IsChecked) {
        return;
    }
    IsChecked = checked;
    Invalidate();
}

void TOrnCustomCheck::SetAlingment(TLeft alingment) {
    if (alingment == AlingmentValue) {
        return;
    }
    AlingmentValue = alingment;
    Invalidate();
}

void TOrnCustomCheck::SetFlat(bool flat) {
    if (flat == IsFlat) {
        return;
    }
    IsFlat = flat;
    Invalidate();
}

void TOrnCustomCheck::SetTransparent(bool transparent) {
    if (transparent == IsTransparent) {
        return;
    }
    IsTransparent = transparent;
    Invalidate();
}

void TOrnCustomCheck::SetHotTrack(bool hotTrack) {
    IsHotTrack = hotTrack;
    // Without tracking the box is never hot: no white fill is left behind.
    if (!hotTrack) {
        HotState = 0;
    }
}

// ---- Painting

int TOrnCustomCheck::CenteredTop(int height) const {
    return (MarginRect.Height() - height) / 2 + MarginRect.Top;
}

void TOrnCustomCheck::Paint() {
    DrawMargin();
    if (IsTransparent) {
        DrawParentImage(*this, Canvas());
    }

    TCanvas& canvas = Canvas();
    canvas.Font = Font();
    const TSize extent = canvas.TextExtent(Caption());
    // The "&" is measured but not shown.
    const int amp = Caption().find('&') != std::string::npos ? canvas.TextWidth("&") : 0;
    const int left = MarginRect.Left + (AlingmentValue == TLeft::taRightJustify ? 22 : 2);
    const int top = CenteredTop(extent.cy);
    CaptionRect = Bounds(left, top, extent.cx, extent.cy);
    if (IsShowFocused && Focused()) {
        canvas.DrawFocusRect(
            Rect(left - 1, top - 1, left + extent.cx - amp + 4, top + extent.cy + 1));
    }

    DrawCaption();
    DrawImage();
    if (IsChecked) {
        DrawImageHot();
    }
}

void TOrnCustomCheck::DrawMargin() {
    TCanvas& canvas = Canvas();
    MarginRect = ClientRect();
    canvas.Brush = TBrush{HotState == 1 ? clWhite : Color(), TBrushStyle::Solid};
    canvas.FillRect(MarginRect);
}

void TOrnCustomCheck::DrawCaption() {
    TCanvas& canvas = Canvas();
    canvas.Font = Font();
    if (IsHotTrack && HotState == 1) {
        canvas.Font.Color = HotTrackColorValue;
    }
    canvas.Brush.Style = TBrushStyle::Clear;
    if (!Enabled()) {
        DrawCaptionEnabled();
    }
    TRect r = CaptionRect;
    canvas.DrawText(Caption(), r, TextFormat);
}

void TOrnCustomCheck::DrawCaptionEnabled() {
    // Engraved: a highlight copy one pixel right and down, under the caption in shadow colour.
    TCanvas& canvas = Canvas();
    canvas.Font.Color = Font().Color;
    TRect r = CaptionRect;
    canvas.DrawText(Caption(), r, TextFormat);
    canvas.Font.Color = clBtnHighlight;
    r = CaptionRect;
    OffsetRect(r, 1, 1);
    canvas.DrawText(Caption(), r, TextFormat);
    canvas.Font.Color = clBtnShadow;
}

void TOrnCustomCheck::DrawImage() {
    if (IsFlat) {
        DrawGlyph(Enabled() ? "FlatBlank" : "EnabledFlat");
    } else {
        DrawGlyph(Enabled() ? "JustBlank" : "Enabled");
    }
}

void TOrnCustomCheck::DrawImageHot() {
    // A disabled box shows no check mark: the empty box is drawn once more instead.
    if (Enabled()) {
        DrawGlyph("CheckOk");
    } else {
        DrawGlyph(IsFlat ? "EnabledFlat" : "Enabled");
    }
}

void TOrnCustomCheck::DrawGlyph(const std::string& name) {
    if (!Glyph.LoadFromResourceName(name)) {
        throw Exception("Resource " + name + " not found");
    }
    Glyph.Transparent = true;
    Glyph.TransparentMode = TTransparentMode::Fixed;
    Glyph.TransparentColorValue = Glyph.Pixel(0, Glyph.Height() - 1);
    const int x =
        AlingmentValue == TLeft::taRightJustify ? MarginRect.Left + 2 : MarginRect.Right - 18;
    Canvas().Draw(x, CenteredTop(Glyph.Height()), Glyph);
}

// ---- Input

void TOrnCustomCheck::DoKliknime(TComponent* sender) {
    OnClick(sender);
}

void TOrnCustomCheck::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button != mbLeft || !Enabled()) {
        return;
    }
    SetFocus();
    SetChecked(!IsChecked);
    // The new state shows before any handler runs.
    Update();
    TCustomControl::MouseDown(button, shift, x, y);
}

void TOrnCustomCheck::MouseDoubleClick(TShiftState shift, int x, int y) {
    TCustomControl::MouseDoubleClick(shift, x, y);
    DoKliknime(this);
}

void TOrnCustomCheck::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (key == vkReturn && Enabled()) {
        DoKliknime(this);
    }
    TCustomControl::KeyDown(key, shift);
}

bool TOrnCustomCheck::DialogChar(char key, TShiftState shift) {
    if (!IsAccel(key, Caption()) || !CanFocus()) {
        return TCustomControl::DialogChar(key, shift);
    }
    // The handler sees the state from before the accelerator.
    DoKliknime(this);
    SetFocus();
    SetChecked(!IsChecked);
    return true;
}

void TOrnCustomCheck::MouseEnter() {
    if (!Enabled()) {
        return;
    }
    if (IsHotTrack) {
        HotState = 1;
        Invalidate();
    }
    TCustomControl::MouseEnter();
}

void TOrnCustomCheck::MouseLeave() {
    if (!Enabled()) {
        return;
    }
    if (IsHotTrack) {
        HotState = 0;
        Invalidate();
    }
    TCustomControl::MouseLeave();
}

void TOrnCustomCheck::DoEnter() {
    Invalidate();
    TCustomControl::DoEnter();
}

void TOrnCustomCheck::DoExit() {
    Invalidate();
    TCustomControl::DoExit();
}

void TOrnCustomCheck::ParentFontChanged() {
    TCustomControl::ParentFontChanged();
    Invalidate();
}

void TOrnCustomCheck::ParentColorChanged() {
    TCustomControl::ParentColorChanged();
    Invalidate();
}
