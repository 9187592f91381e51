#pragma once
// Panels and pictures.

#include "toolkit/Controls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised };

// Draws width nested one-pixel frames inside r, top and left sides in top, bottom and right
// sides in bottom (which also takes the top-right and bottom-left corners); r shrinks past them.
void Frame3D(TCanvas& canvas, TRect& r, TColor top, TColor bottom, int width);

// A container with an outer bevel, a border of its colour, an inner bevel, and a caption
// centred vertically in what is left. Aligned children fill the inside of border and bevels.
// Every setter stores and repaints.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return BevelOuterValue; }
    void SetBevelOuter(TBevelCut bevel);
    TBevelCut BevelInner() const { return BevelInnerValue; }
    void SetBevelInner(TBevelCut bevel);
    int BevelWidth() const { return BevelWidthValue; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return BorderWidthValue; }
    void SetBorderWidth(int width);
    TAlignment Alignment() const { return AlignmentValue; }
    void SetAlignment(TAlignment alignment);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& r) const override;

private:
    void FrameChanged();

    TBevelCut BevelOuterValue = bvRaised;
    TBevelCut BevelInnerValue = bvNone;
    int BevelWidthValue = 1;
    int BorderWidthValue = 0;
    TAlignment AlignmentValue = taCenter;
};

// A windowless picture: drawn at the top-left corner (or centred with Center), or stretched to
// the bounds with Stretch; with Transparent, the pixels of the picture's bottom-left colour are
// left out.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);

    // The picture itself; after drawing on it, Invalidate shows the change.
    TBitmap& Picture() { return PictureValue; }
    void SetPicture(const TBitmap& picture);
    bool Stretch() const { return IsStretch; }
    void SetStretch(bool stretch);
    bool Center() const { return IsCenter; }
    void SetCenter(bool center);
    bool Transparent() const { return IsTransparent; }
    void SetTransparent(bool transparent);

protected:
    void Paint() override;

private:
    TBitmap PictureValue;
    bool IsStretch = false;
    bool IsCenter = false;
    bool IsTransparent = false;
};
