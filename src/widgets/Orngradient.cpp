#include "widgets/Orngradient.h"

namespace {

// A vertex of the primitive: each 8-bit channel of the plain colour scaled to 16 bits.
TTriVertex Vertex(int x, int y, TColor color) {
    const TColor rgb = ColorToRGB(color);
    TTriVertex vertex;
    vertex.X = x;
    vertex.Y = y;
    vertex.Red = std::uint16_t(GetRValue(rgb) << 8);
    vertex.Green = std::uint16_t(GetGValue(rgb) << 8);
    vertex.Blue = std::uint16_t(GetBValue(rgb) << 8);
    return vertex;
}

} // namespace

bool FillGradientRect(TCanvas& canvas, const TRect& r, TColor start, TColor end, bool vertical) {
    return canvas.GradientFill(Vertex(r.Left, r.Top, start), Vertex(r.Right, r.Bottom, end),
                               vertical ? TGradientFillMode::RectV : TGradientFillMode::RectH);
}

TOrnGradient::TOrnGradient(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(Left(), Top(), 70, 50);
}

void TOrnGradient::SetColorBegin(TColor color) {
    ColorBeginValue = color;
    Invalidate();
}

void TOrnGradient::SetColorEnd(TColor color) {
    ColorEndValue = color;
    Invalidate();
}

void TOrnGradient::SetGradient(TGradientDirection gradient) {
    GradientValue = gradient;
    Invalidate();
}

void TOrnGradient::Paint() {
    // Without the primitive the control paints nothing and its parent's background shows. A
    // failing fill is of no consequence for a background, so its answer is not looked at.
    if (Platform().GradientFillAvailable()) {
        FillGradientRect(Canvas(), ClientRect(), ColorBeginValue, ColorEndValue,
                         GradientValue == gdVertical);
    }
    if (!SentToBack) {
        SentToBack = true;
        SendToBack();
    }
}
