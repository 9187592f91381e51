#pragma once
// TWDGradientPanel: a panel whose interior is a two-colour linear gradient with the caption drawn
// over it. The panel paints itself first (bevels, border, its Color, caption), then, when the
// system has the gradient primitive, fills the inside of its bevels with one call of it and draws
// the caption again on top. Without the primitive the plain panel stays.

#include "toolkit/Extctrls.h"

class TWDGradientPanel : public TPanel {
public:
    enum TGradientDirection { gdHorizontal, gdVertical };

    // Caption centred, Color blue, Color1 blue, Color2 black, font colour white.
    explicit TWDGradientPanel(TComponent* owner);

    // Every setter stores the value and repaints.
    TColor Color1() const { return Color1Value; }
    void SetColor1(TColor color);
    TColor Color2() const { return Color2Value; }
    void SetColor2(TColor color);
    TGradientDirection GradientDirection() const { return DirectionValue; }
    void SetGradientDirection(TGradientDirection direction);

protected:
    // Raises "GradientFill failed" when the primitive reports a failure.
    void Paint() override;

private:
    TColor Color1Value = clBlue;
    TColor Color2Value = clBlack;
    TGradientDirection DirectionValue = gdHorizontal;
};
