#include "widgets/Wdgradient.h"

#include "toolkit/Sysutils.h"
#include "widgets/Orngradient.h"

TWDGradientPanel::TWDGradientPanel(TComponent* owner) : TPanel(owner) {
    SetAlignment(taCenter);
    SetColor(clBlue);
    TFont font = Font();
    font.Color = clWhite;
    SetFont(font);
}

void TWDGradientPanel::SetColor1(TColor color) {
    Color1Value = color;
    Invalidate();
}

void TWDGradientPanel::SetColor2(TColor color) {
    Color2Value = color;
    Invalidate();
}

void TWDGradientPanel::SetGradientDirection(TGradientDirection direction) {
    DirectionValue = direction;
    Invalidate();
}

void TWDGradientPanel::Paint() {
    TPanel::Paint();
    if (!Platform().GradientFillAvailable()) {
        return;
    }

    // One pixel per bevel present, whatever the bevel and border widths: a wider frame is
    // partly covered by the gradient.
    int inset = 0;
    if (BevelInner() != bvNone) {
        ++inset;
    }
    if (BevelOuter() != bvNone) {
        ++inset;
    }
    TRect r = ClientRect();
    InflateRect(r, -inset, -inset);

    TCanvas& canvas = Canvas();
    if (!FillGradientRect(canvas, r, Color1Value, Color2Value, DirectionValue == gdVertical)) {
        throw Exception("GradientFill failed");
    }

    // The caption, one line high and centred on the gradient's middle. The toolkit's controls
    // have no right-to-left reading order, so no reading flags are added.
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.Font = Font();
    const int height = canvas.TextHeight("W");
    r.Top = (r.Bottom + r.Top - height) / 2;
    r.Bottom = r.Top + height;
    const std::uint32_t alignment = Alignment() == taLeftJustify    ? dtLeft
                                    : Alignment() == taRightJustify ? dtRight
                                                                    : dtCenter;
    canvas.DrawText(Caption(), r, dtExpandTabs | dtVCenter | alignment);
}
