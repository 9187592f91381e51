#include "widgets/Orndrawmodule.h"

#include "menus/Barmenus.h"
#include "menus/Drawgradient.h"
#include "toolkit/Sysmath.h"

namespace {

// The grey of the frames around the highlighted item and on a separator.
const TColor frameColor = RGB(128, 128, 128);

void FrameIn(TCanvas& canvas, const TRect& r) {
    // An empty rectangle draws nothing, as the system's FrameRect does.
    if (r.IsEmpty()) {
        return;
    }
    canvas.Brush.Color = frameColor;
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.FrameRect(r);
}

// r shrunk on the left, top, right and bottom as given; an overflow raises EIntOverflow,
// as all size arithmetic of the menus does.
TRect Shrunk(const TRect& r, int left, int top, int right, int bottom) {
    return {CheckedAdd(r.Left, left), CheckedAdd(r.Top, top), CheckedSub(r.Right, right),
            CheckedSub(r.Bottom, bottom)};
}

} // namespace

TOrnDrawModule::TOrnDrawModule(TComponent* owner) : TBcBarMenusDrawModule(owner) {
    Description = "Needs BcBarPopupMenu";
}

void TOrnDrawModule::MeasureMenuItem(TMenuItem* item, TCanvas& /*canvas*/, int& width, int& height,
                                     bool /*barVisible*/, bool& defaultMeasure) {
    if (IsInTopMainMenu(item)) {
        return;
    }
    defaultMeasure = false;
    // A separator keeps the size the menu gave it.
    if (item->IsLine()) {
        return;
    }
    height = TextHeight;
    width = CheckedAdd(CheckedSub(width, width / 7), Width);
}

void TOrnDrawModule::DrawCheckedPattern(TCanvas& canvas, const TRect& rect, bool shrink) {
    TRect r = rect;
    if (shrink) {
        r = Shrunk(r, 0, 7, 7, 7);
    }
    FrameIn(canvas, r);
}

void TOrnDrawModule::DrawMenuItem(TMenuItem* item, TCanvas& canvas, const TRect& rect,
                                  TOwnerDrawState state, bool /*barShown*/, bool& defaultDraw) {
    defaultDraw = false;
    if (IsInTopMainMenu(item)) {
        defaultDraw = true;
        return;
    }
    TRect r = rect;
    if (state & odSelected) {
        DrawGradient(nullptr, &canvas, r, CursorGradient1, CursorGradient2, gsDiagonalLeftRight);
        DrawCheckedPattern(canvas, r, false);
        r.Left = CheckedAdd(r.Left, TextSpacing);
        canvas.Font.Color = ColorSelectText;
    } else {
        DrawGradient(nullptr, &canvas, r, ColorGradient1, ColorGradient2, gsHorizontal);
        if (item->IsLine()) {
            r = Shrunk(r, 7, 7, 7, 7);
            // The frame keeps the item's left edge.
            FrameIn(canvas, {rect.Left, r.Top, r.Right, r.Bottom});
        }
        r.Left = CheckedAdd(r.Left, TextSpacing);
        canvas.Font.Color = ColorNormalText;
    }
    // A checked item shows by its underlined caption, not by a check mark.
    if (item->Checked()) {
        canvas.Font.Style = fsUnderline;
    }
    if (TextBold) {
        canvas.Font.Style |= fsBold;
    }
    if (state & (odDisabled | odGrayed)) {
        canvas.Font.Color = clGrayText;
    }
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.DrawText(item->Caption(), r, 0);
    if (item->ShortCut() != 0) {
        const std::string text = ShortCutToText(item->ShortCut());
        r.Left = r.Right / 4 * 3;
        canvas.Font.Style &= TFontStyles(~fsUnderline);
        canvas.DrawText(text, r, 0);
    }
    if (item->HasGlyph()) {
        TBitmap& glyph = item->Bitmap();
        glyph.Transparent = true;
        glyph.TransparentMode = TTransparentMode::Auto;
        canvas.Draw(CheckedAdd(rect.Left, 5), rect.Top, glyph);
    }
}
