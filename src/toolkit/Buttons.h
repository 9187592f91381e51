#pragma once
// Speed buttons: windowless push buttons that never take the focus.

#include "toolkit/Controls.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// A push button with a caption and an optional glyph beside it (Layout). Margin is the distance
// from the button's edge to the glyph (-1: glyph and caption centred together); Spacing the
// distance between glyph and caption (-1: the free room shared out). A flat button shows its
// frame only while the mouse is over it (raised) or it is pressed (sunken); a transparent one
// leaves its background to what lies beneath. Pressing and releasing the left button inside
// clicks it; so does the caption's "&" letter typed on its form. Glyphs are drawn transparently
// (their bottom-left colour left out).
class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);

    const TBitmap& Glyph() const { return GlyphValue; }
    void SetGlyph(const TBitmap& glyph);
    TButtonLayout Layout() const { return LayoutValue; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return MarginValue; }
    void SetMargin(int margin);
    int Spacing() const { return SpacingValue; }
    void SetSpacing(int spacing);
    bool Flat() const { return IsFlat; }
    void SetFlat(bool flat);
    bool Transparent() const { return IsTransparent; }
    void SetTransparent(bool transparent);

    // The mouse is over the button.
    bool Hot() const { return IsHot; }
    // The button shows pressed: the left button went down on it and the mouse is over it.
    bool Pressed() const { return IsPressed; }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool DialogChar(char key, TShiftState shift) override;

    // Where Paint puts the glyph's top-left corner and the caption's rectangle, laid out in
    // area (the client rectangle inside the frame) and moved by offset (a pressed button's).
    void CalcLayout(TCanvas& canvas, const TRect& area, TPoint offset, TPoint& glyphPos,
                    TRect& textBounds) const;

protected:
    void Paint() override;

private:
    TBitmap GlyphValue;
    TButtonLayout LayoutValue = blGlyphLeft;
    int MarginValue = -1;
    int SpacingValue = 4;
    bool IsFlat = false;
    bool IsTransparent = true;
    bool IsHot = false;
    bool IsPressed = false;
    bool IsDragging = false;
};
