#include "menus/Barpainting.h"

#include "menus/Bcfontutilities.h"
#include "menus/Bcrectutilities.h"
#include "menus/Bcutilities.h"
#include "toolkit/Sysmath.h"

namespace {

// The buffer to paint into, or nullptr when it has no pixels.
TBitmap* PaintableBuffer(IBarMenusIntf& menu) {
    TBitmap& buffer = menu.GetBarProtected().GetBarDoubleBuffer();
    return buffer.Empty() ? nullptr : &buffer;
}

// The picture of picture, drawn with the picture object's transparency: a bitmap given to the
// object came with a transparency of its own.
const TBitmap& PictureToDraw(TBcBarPicture& picture) {
    picture.SetTransparent(picture.Transparent());
    return picture.Picture();
}

// Takes step off value while value is above 0: the first tile that reaches the edge.
int Wrap(int step, int value) {
    while (value > 0) {
        value -= step;
    }
    return value;
}

// The start of the first tile when the tiles are aligned at the far side (or centred): the
// remainder of the bar is taken off one tile, so a 10-pixel tile on 32 pixels starts at -8.
int TileStart(int barSize, int tileSize, bool nearSide, bool centred) {
    if (nearSide) {
        return 0;
    }
    const int start = barSize % tileSize - tileSize;
    return centred ? start / 2 : start;
}

void TileBackPicture(TCanvas& canvas, const TBcBarBackPicture& back, const TBitmap& picture,
                     int barWidth, int barHeight) {
    const int pictureWidth = picture.Width();
    const int pictureHeight = picture.Height();
    const int startX = TileStart(barWidth, pictureWidth, back.HorzAlignment() == haLeft,
                                 back.HorzAlignment() == haCenter);
    const int startY = TileStart(barHeight, pictureHeight, back.VertAlignment() == vaTop,
                                 back.VertAlignment() == vaMiddle);
    for (int y = Wrap(pictureHeight, CheckedAdd(back.OffsetY(), startY)); y <= barHeight;
         y += pictureHeight) {
        for (int x = Wrap(pictureWidth, CheckedAdd(back.OffsetX(), startX)); x <= barWidth;
             x += pictureWidth) {
            canvas.Draw(x, y, picture);
        }
    }
}

// The caption's text written at (x, y), clipped to clip.
void CaptionOut(TCanvas& canvas, int x, int y, const TRect& clip, const std::string& text) {
    const int saved = canvas.SaveDC();
    canvas.IntersectClipRect(clip);
    canvas.TextOut(x, y, text);
    canvas.RestoreDC(saved);
}

} // namespace

TPoint CalcPicturePosition(IBarMenusIntf& menu, TBcBarPicture& picture) {
    if (!picture.HasPicture()) {
        return {0, 0};
    }
    const int barWidth = menu.GetBar().Width();
    const int barHeight = menu.GetBarProtected().PopupHeight();
    const int pictureWidth = picture.Picture().Width();
    const int pictureHeight = picture.Picture().Height();
    TPoint p;
    switch (picture.HorzAlignment()) {
    case haLeft:
        p.X = picture.OffsetX();
        break;
    case haRight:
        p.X = CheckedSub(CheckedAdd(barWidth, picture.OffsetX()), pictureWidth);
        break;
    case haCenter:
        p.X = CheckedAdd(CheckedSub(barWidth, pictureWidth) / 2, picture.OffsetX());
        break;
    }
    switch (picture.VertAlignment()) {
    case vaTop:
        p.Y = picture.OffsetY();
        break;
    case vaBottom:
        p.Y = CheckedSub(CheckedAdd(barHeight, picture.OffsetY()), pictureHeight);
        break;
    case vaMiddle:
        p.Y = CheckedAdd(CheckedSub(barHeight, pictureHeight) / 2, picture.OffsetY());
        break;
    }
    return p;
}

void DrawBarGradient(IBarMenusIntf& menu, const TRect& r) {
    TBcBar& bar = menu.GetBar();
    const TBcBarBackPicture& back = bar.BarBackPicture();
    // An opaque picture over the whole bar hides the gradient: it is not painted at all.
    if (!back.Transparent() && (back.DrawStyle() == dsTile || back.DrawStyle() == dsStretch) &&
        back.HasPicture()) {
        return;
    }
    if (TBitmap* buffer = PaintableBuffer(menu)) {
        DrawGradient(buffer, nullptr, r, bar.GradientStart(), bar.GradientEnd(),
                     bar.GradientStyle());
    }
}

void DrawBarBackPicture(IBarMenusIntf& menu) {
    TBitmap* buffer = PaintableBuffer(menu);
    if (!buffer) {
        return;
    }
    TBcBar& bar = menu.GetBar();
    TBcBarBackPicture& back = bar.BarBackPicture();
    TCanvas& canvas = buffer->Canvas();
    const int barWidth = buffer->Width();
    const int barHeight = buffer->Height();
    if (back.HasPicture()) {
        const TBitmap& picture = PictureToDraw(back);
        switch (back.DrawStyle()) {
        case dsNormal: {
            const TPoint p = CalcPicturePosition(menu, back);
            canvas.Draw(p.X, p.Y, picture);
            break;
        }
        case dsTile:
            TileBackPicture(canvas, back, picture, barWidth, barHeight);
            break;
        case dsStretch:
            canvas.StretchDraw(Rect(0, 0, barWidth, barHeight), picture);
            break;
        }
    }
    // The border belongs to the back picture's part: an application that leaves the part out
    // has no border either.
    if (bar.Border() != clNone) {
        canvas.Brush.Style = TBrushStyle::Solid;
        canvas.Brush.Color = bar.Border();
        canvas.FrameRect(Rect(0, 0, barWidth, barHeight));
    }
}

void DrawBarPicture(IBarMenusIntf& menu) {
    TBitmap* buffer = PaintableBuffer(menu);
    TBcBarPicture& picture = menu.GetBar().BarPicture();
    if (!buffer || !picture.HasPicture()) {
        return;
    }
    const TPoint p = CalcPicturePosition(menu, picture);
    buffer->Canvas().Draw(p.X, p.Y, PictureToDraw(picture));
}

void DrawBarCaption(IBarMenusIntf& menu, const TRect& r) {
    TBitmap* buffer = PaintableBuffer(menu);
    if (!buffer) {
        return;
    }
    TBcBar& bar = menu.GetBar();
    const TBcBarCaption& caption = bar.BarCaption();
    // The font's colour is written as it is, as the RGB value of the text: a system colour is
    // no such value.
    if (IsSystemColor(caption.Font.Color)) {
        throw ERangeError();
    }

    TCanvas& canvas = buffer->Canvas();
    const int saved = canvas.SaveDC();
    const bool upToDown = caption.Direction == dUpToDown;
    const std::unique_ptr<TFont> rotated = CreateRotatedFont(caption.Font, upToDown ? -90 : 90);
    canvas.Font = *rotated;
    // cx runs along the text, cy across it.
    const TSize extent = canvas.TextExtent(caption.Caption);
    const int popupHeight = menu.GetBarProtected().PopupHeight();

    int x = RoundHalfEven((bar.Width() - extent.cy) / 2.0 - 0.5);
    canvas.Brush.Style = TBrushStyle::Clear;
    TRect clip = r;
    clip.Bottom = CheckedAdd(clip.Bottom, 1);

    int y = 0;
    switch (caption.Alignment) {
    case vaTop:
        y = CheckedAdd(caption.OffsetY, extent.cx);
        break;
    case vaBottom: {
        y = CheckedSub(popupHeight, caption.OffsetY);
        TBcBarPicture& picture = bar.BarPicture();
        if (picture.VertAlignment() == vaBottom && picture.HasPicture()) {
            y = CheckedSub(y, picture.Picture().Height());
        }
        break;
    }
    case vaMiddle:
        y = RoundHalfEven((double(popupHeight) + extent.cx) / 2 - 0.5);
        break;
    }
    // Text running down has its reference point at the top right of the turned text.
    if (upToDown) {
        y = CheckedSub(y, extent.cx);
        x = CheckedAdd(x, CheckedAdd(extent.cy, 1));
    }

    const TColor highlight = ColorToRGB(caption.HighlightColor);
    if (highlight != clNone) {
        canvas.Font.Color = highlight;
        CaptionOut(canvas, CheckedSub(x, caption.Depth), CheckedAdd(y, caption.Depth), clip,
                   caption.Caption);
    }
    const TColor shadow = ColorToRGB(caption.ShadowColor);
    if (shadow != clNone) {
        canvas.Font.Color = shadow;
        CaptionOut(canvas, CheckedAdd(x, caption.Depth), CheckedSub(y, caption.Depth), clip,
                   caption.Caption);
    }
    canvas.Font.Color = caption.Font.Color;
    CaptionOut(canvas, x, y, clip, caption.Caption);
    // The previous font back, and the background opaque again.
    canvas.RestoreDC(saved);
    canvas.Brush.Style = TBrushStyle::Solid;
}

void DrawDoubleBuffer(IBarMenusIntf& menu, TCanvas& canvas, const TRect& dest,
                      const TRect& source) {
    if (TBitmap* buffer = PaintableBuffer(menu)) {
        canvas.CopyRect(dest, buffer->Canvas(), source);
    }
}
