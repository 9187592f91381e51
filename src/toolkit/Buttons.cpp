#include "toolkit/Buttons.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 23, 22);
    // The button clicks itself on the release, after OnMouseUp.
    SetClickOnRelease(false);
}

void TSpeedButton::SetGlyph(const TBitmap& glyph) {
    GlyphValue = glyph;
    GlyphValue.Transparent = true;
    GlyphValue.TransparentMode = TTransparentMode::Auto;
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
    if (layout == LayoutValue) {
        return;
    }
    LayoutValue = layout;
    Invalidate();
}

void TSpeedButton::SetMargin(int margin) {
    if (margin == MarginValue) {
        return;
    }
    MarginValue = margin;
    Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
    if (spacing == SpacingValue) {
        return;
    }
    SpacingValue = spacing;
    Invalidate();
}

void TSpeedButton::SetFlat(bool flat) {
    if (flat == IsFlat) {
        return;
    }
    IsFlat = flat;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool transparent) {
    if (transparent == IsTransparent) {
        return;
    }
    IsTransparent = transparent;
    Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) {
        return;
    }
    IsPressed = true;
    IsDragging = true;
    Invalidate();
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!IsDragging) {
        return;
    }
    const bool inside = ClientRect().Contains({x, y});
    if (inside != IsPressed) {
        IsPressed = inside;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !IsDragging) {
        return;
    }
    IsDragging = false;
    IsPressed = false;
    Invalidate();
    if (ClientRect().Contains({x, y})) {
        Click();
    }
}

void TSpeedButton::MouseEnter() {
    if (Enabled() && !IsHot) {
        IsHot = true;
        if (IsFlat) {
            Invalidate();
        }
    }
    TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
    if (Enabled() && IsHot) {
        IsHot = false;
        if (IsFlat) {
            Invalidate();
        }
    }
    TGraphicControl::MouseLeave();
}

bool TSpeedButton::DialogChar(char key, TShiftState /*shift*/) {
    if (!IsAccel(key, Caption()) || !Enabled() || !Visible() || !Parent() || !Parent()->Showing()) {
        return false;
    }
    Click();
    return true;
}

void TSpeedButton::CalcLayout(TCanvas& canvas, const TRect& area, TPoint offset, TPoint& glyphPos,
                              TRect& textBounds) const {
    const TSize room{area.Width(), area.Height()};
    TSize text;
    if (!Caption().empty()) {
        TRect measured = Rect(0, 0, room.cx, 0);
        canvas.DrawText(Caption(), measured, dtCalcRect | dtSingleLine);
        text = {measured.Width(), measured.Height()};
    }
    const TSize glyph{GlyphValue.Width(), GlyphValue.Height()};
    const bool beside = LayoutValue == blGlyphLeft || LayoutValue == blGlyphRight;

    // Across the layout's direction both are centred.
    TPoint g;
    TPoint t;
    if (beside) {
        g.Y = (room.cy - glyph.cy + 1) / 2;
        t.Y = (room.cy - text.cy + 1) / 2;
    } else {
        g.X = (room.cx - glyph.cx + 1) / 2;
        t.X = (room.cx - text.cx + 1) / 2;
    }

    // Along it: the margin before the glyph and the spacing between glyph and caption.
    const int length = beside ? room.cx : room.cy;
    const int glyphLength = beside ? glyph.cx : glyph.cy;
    const int textLength = beside ? text.cx : text.cy;
    int spacing = text.cx == 0 || glyph.cx == 0 ? 0 : SpacingValue;
    int margin = MarginValue;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (length - glyphLength - textLength) / 3;
            spacing = margin;
        } else {
            margin = (length - (glyphLength + spacing + textLength) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (length - (margin + glyphLength) - textLength) / 2;
    }
    int glyphAt = margin;
    int textAt = glyphAt + glyphLength + spacing;
    if (LayoutValue == blGlyphRight || LayoutValue == blGlyphBottom) {
        glyphAt = length - margin - glyphLength;
        textAt = glyphAt - spacing - textLength;
    }
    (beside ? g.X : g.Y) = glyphAt;
    (beside ? t.X : t.Y) = textAt;

    glyphPos = {area.Left + g.X + offset.X, area.Top + g.Y + offset.Y};
    textBounds = Bounds(area.Left + t.X + offset.X, area.Top + t.Y + offset.Y, text.cx, text.cy);
}

void TSpeedButton::Paint() {
    TCanvas& canvas = Canvas();
    TRect area = ClientRect();
    const bool down = IsPressed;
    canvas.Brush.Style = TBrushStyle::Solid;
    if (!IsFlat) {
        canvas.Brush.Color = clBtnFace;
        canvas.FillRect(area);
        canvas.DrawEdge(area, down ? edgeSunken : edgeRaised, bfRect | bfAdjust);
    } else {
        if (!IsTransparent) {
            canvas.Brush.Color = Color();
            canvas.FillRect(area);
        }
        if (down || (IsHot && Enabled())) {
            TRect frame = area;
            canvas.DrawEdge(frame, down ? bdrSunkenOuter : bdrRaisedInner, bfRect);
        }
        InflateRect(area, -1, -1);
    }

    TPoint glyphPos;
    TRect textBounds;
    const TPoint offset = down ? TPoint{1, 1} : TPoint{};
    CalcLayout(canvas, area, offset, glyphPos, textBounds);
    if (!GlyphValue.Empty()) {
        canvas.Draw(glyphPos.X, glyphPos.Y, GlyphValue);
    }
    if (Caption().empty()) {
        return;
    }
    canvas.Brush.Style = TBrushStyle::Clear;
    DrawControlText(canvas, Caption(), textBounds, dtCenter | dtVCenter | dtSingleLine, Enabled());
}
