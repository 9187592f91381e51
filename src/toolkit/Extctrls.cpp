#include "toolkit/Extctrls.h"

#include <algorithm>

void Frame3D(TCanvas& canvas, TRect& r, TColor top, TColor bottom, int width) {
    canvas.Brush.Style = TBrushStyle::Solid;
    for (int i = 0; i < width; ++i) {
        if (!r.IsEmpty()) {
            canvas.Brush.Color = top;
            canvas.FillRect(Rect(r.Left, r.Top, r.Right - 1, r.Top + 1));
            canvas.FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1));
            canvas.Brush.Color = bottom;
            canvas.FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
            canvas.FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
        }
        InflateRect(r, -1, -1);
    }
}

// ---- TPanel ------------------------------------------------------------------------------------

namespace {

void BevelColors(TBevelCut bevel, TColor& top, TColor& bottom) {
    top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}

} // namespace

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TPanel::FrameChanged() {
    Realign();
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
    if (bevel == BevelOuterValue) {
        return;
    }
    BevelOuterValue = bevel;
    FrameChanged();
}

void TPanel::SetBevelInner(TBevelCut bevel) {
    if (bevel == BevelInnerValue) {
        return;
    }
    BevelInnerValue = bevel;
    FrameChanged();
}

void TPanel::SetBevelWidth(int width) {
    width = std::max(width, 1);
    if (width == BevelWidthValue) {
        return;
    }
    BevelWidthValue = width;
    FrameChanged();
}

void TPanel::SetBorderWidth(int width) {
    width = std::max(width, 0);
    if (width == BorderWidthValue) {
        return;
    }
    BorderWidthValue = width;
    FrameChanged();
}

void TPanel::SetAlignment(TAlignment alignment) {
    if (alignment == AlignmentValue) {
        return;
    }
    AlignmentValue = alignment;
    Invalidate();
}

void TPanel::AdjustClientRect(TRect& r) const {
    InflateRect(r, -BorderWidthValue, -BorderWidthValue);
    int bevel = 0;
    if (BevelOuterValue != bvNone) {
        bevel += BevelWidthValue;
    }
    if (BevelInnerValue != bvNone) {
        bevel += BevelWidthValue;
    }
    InflateRect(r, -bevel, -bevel);
}

void TPanel::Paint() {
    TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    TColor top = clBtnHighlight;
    TColor bottom = clBtnShadow;
    if (BevelOuterValue != bvNone) {
        BevelColors(BevelOuterValue, top, bottom);
        Frame3D(canvas, r, top, bottom, BevelWidthValue);
    }
    Frame3D(canvas, r, Color(), Color(), BorderWidthValue);
    if (BevelInnerValue != bvNone) {
        BevelColors(BevelInnerValue, top, bottom);
        Frame3D(canvas, r, top, bottom, BevelWidthValue);
    }
    canvas.Brush.Color = Color();
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.FillRect(r);
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.Font = Font();
    const int height = canvas.TextHeight("W");
    r.Top = (r.Bottom + r.Top - height) / 2;
    r.Bottom = r.Top + height;
    const std::uint32_t alignment = AlignmentValue == taLeftJustify    ? dtLeft
                                    : AlignmentValue == taRightJustify ? dtRight
                                                                       : dtCenter;
    canvas.DrawText(Caption(), r, dtExpandTabs | dtVCenter | alignment);
}

// ---- TImage ------------------------------------------------------------------------------------

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 105, 105);
}

void TImage::SetPicture(const TBitmap& picture) {
    PictureValue = picture;
    PictureValue.Transparent = IsTransparent;
    Invalidate();
}

void TImage::SetStretch(bool stretch) {
    if (stretch == IsStretch) {
        return;
    }
    IsStretch = stretch;
    Invalidate();
}

void TImage::SetCenter(bool center) {
    if (center == IsCenter) {
        return;
    }
    IsCenter = center;
    Invalidate();
}

void TImage::SetTransparent(bool transparent) {
    if (transparent == IsTransparent) {
        return;
    }
    IsTransparent = transparent;
    PictureValue.Transparent = transparent;
    Invalidate();
}

void TImage::Paint() {
    if (PictureValue.Empty()) {
        return;
    }
    TCanvas& canvas = Canvas();
    if (IsStretch) {
        canvas.StretchDraw(ClientRect(), PictureValue);
    } else if (IsCenter) {
        canvas.Draw((ClientWidth() - PictureValue.Width()) / 2,
                    (ClientHeight() - PictureValue.Height()) / 2, PictureValue);
    } else {
        canvas.Draw(0, 0, PictureValue);
    }
}
