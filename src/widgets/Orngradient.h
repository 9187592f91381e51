#pragma once
// TOrnGradient: a windowless control that fills its whole client area with a two-colour linear
// gradient, painted by the platform's gradient primitive in one call. It serves as a background:
// on its first paint it moves itself beneath all its siblings, so that the controls on the same
// parent, created before or after it, are drawn over it.

#include "toolkit/Controls.h"

// Fills r through the canvas's two-vertex gradient primitive, from start at the left (or, when
// vertical, the top) edge to end at the right (bottom) edge. System colours are resolved first.
// Returns the primitive's answer: false when it failed.
bool FillGradientRect(TCanvas& canvas, const TRect& r, TColor start, TColor end, bool vertical);

class TOrnGradient : public TGraphicControl {
public:
    enum TGradientDirection { gdHorizontal, gdVertical };

    explicit TOrnGradient(TComponent* owner);

    // Every setter stores the value and repaints.
    TColor ColorBegin() const { return ColorBeginValue; }
    void SetColorBegin(TColor color);
    TColor ColorEnd() const { return ColorEndValue; }
    void SetColorEnd(TColor color);
    TGradientDirection Gradient() const { return GradientValue; }
    void SetGradient(TGradientDirection gradient);

protected:
    void Paint() override;

private:
    TColor ColorBeginValue = clBtnFace;
    TColor ColorEndValue = clGray;
    TGradientDirection GradientValue = gdHorizontal;
    // Set by the first paint, which sends the control to the back; later paints leave the
    // z-order alone.
    bool SentToBack = false;
};
