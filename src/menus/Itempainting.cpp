#include "menus/Itempainting.h"

#include "menus/Bcrectutilities.h"
#include "menus/Bcutilities.h"
#include "menus/Drawgradient.h"
#include "menus/Fadeline.h"
#include "toolkit/Sysmath.h"

#include <algorithm>

namespace {

// DrawText formats of the captions: single line with tabs expanded; of separator texts: single
// line, centred vertically, "&" shown as it is.
constexpr std::uint32_t CaptionFormat = dtSingleLine | dtExpandTabs;
constexpr std::uint32_t LineTextFormat = dtSingleLine | dtVCenter | dtNoPrefix;

// The classic check mark, a row per string.
constexpr const char* CheckMarkRows[CheckMarkSize] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

// A 2 x 2 checker of button face and button highlight, the backing of a checked glyph box.
TBitmap CheckerPattern() {
    TBitmap pattern(8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            pattern.SetPixel(x, y, (x + y) % 2 ? clBtnHighlight : clBtnFace);
        }
    }
    return pattern;
}

// A line along the top of r: flat or etched.
void EdgeLine(TCanvas& canvas, TRect r, bool flat) {
    if (flat) {
        canvas.DrawEdge(r, bdrRaisedOuter, bfTop | bfFlat);
    } else {
        canvas.DrawEdge(r, edgeEtched, bfTop);
    }
}

// A fade line on row r.Top from r.Left to the last column of r, leaving out the columns of gap
// when skipGap.
void FadeLine(TCanvas& canvas, const TRect& gap, const TRect& r, bool skipGap, int fadeWidth,
              TColor color) {
    TRect line = r;
    // The item's last column is Right - 1: the line stays inside the item.
    line.Right = CheckedSub(line.Right, 1);
    DrawFadeLine(canvas, skipGap ? gap : line, line, skipGap, fadeWidth, color);
}

// What the glyph column of an item shows.
enum class TGlyphKind { None, Image, Bitmap };

} // namespace

void DrawCheckMark(TCanvas& canvas, int x, int y, TColor color) {
    const TColor plain = ColorToRGB(color);
    for (int row = 0; row < CheckMarkSize; ++row) {
        for (int column = 0; column < CheckMarkSize; ++column) {
            if (CheckMarkRows[row][column] == '#') {
                canvas.SetPixel(x + column, y + row, plain);
            }
        }
    }
}

void DrawMenuItemEx(IBarMenusIntf& menu, TMenuItem* item, TCanvas& canvas, const TRect& r,
                    TOwnerDrawState state) {
    std::string text;
    if (IsLineItem(item, text)) {
        DrawLineItem(menu, item, text, state, r, canvas);
        return;
    }
    const bool topMain = IsInTopMainMenu(item);
    canvas.Brush.Style = TBrushStyle::Solid;
    if (menu.GetSeparators().SeparatorStyle == ssShortLine && !topMain) {
        canvas.FillRect(Rect(r.Right, r.Top, CheckedAdd(r.Right, 10), r.Bottom));
    }
    if ((state & odSelected) && (!topMain || !Win98Plus())) {
        canvas.Brush.Color = clHighlight;
        canvas.Font.Color = clHighlightText;
    } else {
        canvas.Font.Color = Win98Plus() && (state & odInactive) ? clGrayText : clMenuText;
        canvas.Brush.Color = topMain && WinXP() ? clBtnFace : clMenu;
    }
    AdvancedDrawItem(menu, item, canvas, r, topMain, state);
}

namespace {

// Where an item's glyph column is and what it shows. Without a glyph the column is the images'
// size where the menu has a list, else an 8-pixel strip (none for a top-level item).
struct TGlyphPlace {
    TRect Rect;
    TGlyphKind Kind = TGlyphKind::None;
};

TGlyphPlace PlaceGlyph(const TMenuItem* item, const TCustomImageList* images, const TRect& r,
                       bool topMain, bool xpStyle) {
    TGlyphPlace place;
    place.Rect = Rect(r.Left + 1, r.Top + 1, r.Left + 1, r.Top + 1);
    if (item->IsLine()) {
        return place;
    }
    // A checked item whose index is not in the image list has no picture there: it keeps the
    // list's column, sized below, and shows the system's check mark in it.
    const bool inList = images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count();
    if (inList) {
        place.Kind = TGlyphKind::Image;
    } else if (item->HasGlyph()) {
        place.Kind = TGlyphKind::Bitmap;
    }
    TRect& glyph = place.Rect;
    if (place.Kind != TGlyphKind::None) {
        const TSize size = place.Kind == TGlyphKind::Image
                               ? TSize{images->Width(), images->Height()}
                               : TSize{16, 16};
        glyph = Bounds(glyph.Left, r.Top + (RectHeight(r) - size.cy) / 2, size.cx, size.cy);
    } else if (images && !topMain) {
        glyph = Bounds(glyph.Left, r.Top + (RectHeight(r) - images->Height()) / 2, images->Width(),
                       images->Height());
    } else {
        glyph.Left += 1;
        glyph.Right = topMain ? glyph.Left : glyph.Left + 8;
        glyph.Bottom = topMain ? glyph.Top : r.Bottom - (xpStyle ? 2 : 3);
    }
    return place;
}

// A selected drop-down item is highlighted from the glyph column on; in the classic style a
// glyph keeps the menu's colour around it.
void DrawSelection(TCanvas& canvas, const TRect& r, const TGlyphPlace& glyph, bool xpStyle) {
    TRect highlight = r;
    if (!xpStyle && glyph.Kind != TGlyphKind::None) {
        highlight.Left = glyph.Rect.Right + 2;
        canvas.Brush.Color = clMenu;
        canvas.FillRect(Rect(r.Left, r.Top, highlight.Left, r.Bottom));
    }
    canvas.Brush.Color = clHighlight;
    canvas.FillRect(highlight);
}

// The box behind a checked item's glyph: a highlight (filled, or framed around a glyph) in the
// XP style; the button face when selected, else the checker, in the classic one.
void DrawCheckedBox(TCanvas& canvas, const TGlyphPlace& glyph, bool xpStyle, bool selected) {
    TRect box = glyph.Rect;
    if (xpStyle) {
        canvas.Brush.Color = clHighlight;
        if (glyph.Kind == TGlyphKind::None) {
            canvas.FillRect(box);
        } else {
            InflateRect(box, 1, 1);
            canvas.FrameRect(box);
        }
    } else if (selected) {
        canvas.Brush.Color = clBtnFace;
        canvas.FillRect(box);
    } else {
        canvas.PatternFill(box, CheckerPattern());
    }
}

// What the glyph column shows: the image, the item's own bitmap (shrunk to the column when
// larger, else centred), or the mark of a checked item.
void DrawGlyph(TCanvas& canvas, TMenuItem* item, const TCustomImageList* images,
               const TGlyphPlace& glyph, bool showCheck, bool xpStyle) {
    const TRect& g = glyph.Rect;
    if (glyph.Kind == TGlyphKind::Image) {
        images->Draw(canvas, g.Left, g.Top, item->ImageIndex());
    } else if (glyph.Kind == TGlyphKind::Bitmap) {
        const TBitmap& bitmap = item->Bitmap();
        if (bitmap.Width() > g.Width() || bitmap.Height() > g.Height()) {
            canvas.StretchDraw(g, bitmap);
        } else {
            canvas.Draw(g.Left + (g.Width() - bitmap.Width()) / 2,
                        g.Top + (g.Height() - bitmap.Height()) / 2, bitmap);
        }
    } else if (showCheck && item->RadioItem()) {
        // No such bitmap comes with the menus: a radio item then shows no mark.
        TBitmap radio;
        if (Platform().LoadBitmapResource(RadioItemResource, radio) && !radio.Empty()) {
            radio.Transparent = true;
            canvas.Draw(g.Left + (g.Width() - radio.Width()) / 2,
                        g.Top + (g.Height() - radio.Height()) / 2, radio);
        }
    } else if (showCheck) {
        // On the highlight of the XP style, or on the button face of the classic box.
        DrawCheckMark(canvas, g.Left + (g.Width() - CheckMarkSize) / 2,
                      g.Top + (g.Height() - CheckMarkSize) / 2,
                      xpStyle ? clHighlightText : clMenuText);
    }
}

// The look of a main menu's top-level item: highlighted when selected or hot in the XP style;
// sunken or raised with the caption moved in the classic one. Returns where the caption goes.
TRect DrawTopMainLook(TCanvas& canvas, const TRect& r, TRect textArea, TOwnerDrawState state,
                      bool xpStyle) {
    const bool selected = state & odSelected;
    const bool hot = state & odHotLight;
    if (xpStyle) {
        if (selected || hot) {
            canvas.Brush.Color = clHighlight;
            canvas.FillRect(r);
            if (!(state & odInactive)) {
                canvas.Font.Color = clHighlightText;
            }
        }
    } else if (Win98Plus()) {
        TRect edge = r;
        if (selected) {
            canvas.DrawEdge(edge, bdrSunkenOuter, bfRect);
            OffsetRect(textArea, 1, 0);
        } else if (hot) {
            canvas.DrawEdge(edge, bdrRaisedInner, bfRect);
        }
        if (!selected) {
            OffsetRect(textArea, 0, -1);
        }
    }
    return textArea;
}

// The caption centred vertically in textArea, and a drop-down item's shortcut right-aligned 10
// pixels from r's right edge.
void DrawCaptionAndShortCut(IBarMenusIntf& menu, TMenuItem* item, TCanvas& canvas, const TRect& r,
                            const TRect& textArea, bool topMain, TOwnerDrawState state) {
    const bool selected = state & odSelected;
    std::uint32_t format = CaptionFormat;
    if (Win2K() && (state & odNoAccel)) {
        format |= dtHidePrefix;
    }
    TRect caption = textArea;
    DrawMenuItemText(menu, item, canvas, item->Caption(), format | dtCalcRect | dtNoClip, selected,
                     caption);
    OffsetRect(caption, 0, (RectHeight(textArea) - RectHeight(caption)) / 2);
    TRect shortCutArea = Rect(caption.Right, caption.Top, r.Right - 10, caption.Bottom);
    DrawMenuItemText(menu, item, canvas, item->Caption(), format, selected, caption);
    if (item->ShortCut() != 0 && !topMain) {
        DrawMenuItemText(menu, item, canvas, BcShortCutToText(item->ShortCut()), format | dtRight,
                         selected, shortCutArea);
    }
}

} // namespace

void AdvancedDrawItem(IBarMenusIntf& menu, TMenuItem* item, TCanvas& canvas, const TRect& r,
                      bool topMain, TOwnerDrawState state) {
    const bool xpStyle = menu.UseMenuStyle() == msWindowsXP;
    const bool selected = state & odSelected;
    const TCustomImageList* images = menu.GetSelf()->Images();
    // A selected drop-down item is highlighted below; a top-level one has its colours already.
    if (!selected || topMain) {
        canvas.FillRect(r);
    }
    if (item->IsLine()) {
        canvas.FillRect(r);
    }
    const TGlyphPlace glyph = PlaceGlyph(item, images, r, topMain, xpStyle);
    if (selected && !topMain) {
        DrawSelection(canvas, r, glyph, xpStyle);
    }
    const bool showCheck = item->Checked() && !topMain && !glyph.Rect.IsEmpty();
    if (showCheck) {
        DrawCheckedBox(canvas, glyph, xpStyle, selected);
    }
    DrawGlyph(canvas, item, images, glyph, showCheck, xpStyle);

    TRect textArea = r;
    textArea.Left = CheckedAdd(glyph.Rect.Right, xpStyle && !topMain ? 4 : 2);
    if (!xpStyle && glyph.Kind != TGlyphKind::None && (item->Checked() || selected)) {
        TRect edge = glyph.Rect;
        InflateRect(edge, 1, 1);
        canvas.DrawEdge(edge, item->Checked() ? bdrSunkenOuter : bdrRaisedInner, bfRect);
    }
    if (topMain) {
        textArea = DrawTopMainLook(canvas, r, textArea, state, xpStyle);
    }
    DrawCaptionAndShortCut(menu, item, canvas, r, textArea, topMain, state);
}

void DrawMenuItemText(IBarMenusIntf& menu, TMenuItem* item, TCanvas& canvas, std::string text,
                      std::uint32_t format, bool selected, TRect& r) {
    if (menu.GetSelf()->IsRightToLeft()) {
        format |= dtRight | dtRtlReading;
    }
    const bool calculate = format & dtCalcRect;
    if (calculate && (text.empty() || text == "&")) {
        text += " ";
    }
    if (text == "-") {
        if (!calculate) {
            TRect line = r;
            line.Top = CheckedAdd(line.Top, 4);
            canvas.DrawEdge(line, edgeEtched, bfTop);
        }
        return;
    }
    canvas.Brush.Style = TBrushStyle::Clear;
    if (item->Default()) {
        canvas.Font.Style |= fsBold;
    }
    if (!item->Enabled()) {
        if (!selected && !calculate) {
            TRect engraved = r;
            OffsetRect(engraved, 1, 1);
            canvas.Font.Color = clBtnHighlight;
            canvas.DrawText(text, engraved, format);
        }
        canvas.Font.Color =
            ColorToRGB(clHighlight) == ColorToRGB(clBtnShadow) ? clBtnHighlight : clBtnShadow;
    }
    canvas.DrawText(text, r, format);
}

void DrawLineItem(IBarMenusIntf& menu, TMenuItem* /*item*/, const std::string& text,
                  TOwnerDrawState /*state*/, const TRect& r, TCanvas& canvas) {
    const TBcSeparators& separators = menu.GetSeparators();
    TRect line = r;
    if (separators.SeparatorStyle == ssShortLine) {
        line.Right = CheckedAdd(line.Right, 10);
        line.Left = CheckedAdd(line.Left, 12);
        line.Right = CheckedSub(line.Right, 12);
    }
    if (text.empty()) {
        line.Top = CheckedAdd(line.Top, 5);
        if (separators.Fade) {
            if (!separators.FlatLines) {
                FadeLine(canvas, line, line, false, separators.FadeWidth, clBtnHighlight);
            }
            TRect upper = line;
            upper.Top -= 1;
            FadeLine(canvas, upper, upper, false, separators.FadeWidth, separators.FadeColor);
        } else {
            EdgeLine(canvas, line, separators.FlatLines);
        }
        return;
    }

    const std::string shown = " " + text + " ";
    if (separators.SeparatorStyle == ssCaption) {
        std::uint32_t format = LineTextFormat;
        if (separators.Alignment == taRightJustify) {
            format |= dtRight;
        } else if (separators.Alignment == taCenter) {
            format |= dtCenter;
        }
        if (!separators.UseSystemFont) {
            canvas.Font = separators.Font;
        }
        DrawGradient(nullptr, &canvas, line, separators.GradientStart(), separators.GradientEnd(),
                     separators.GradientStyle());
        canvas.Brush.Style = TBrushStyle::Clear;
        canvas.DrawText(shown, line, format);
        return;
    }

    // The text between two lines: sized to the text, width and height, from the item's top
    // (less its last row), then placed by the alignment.
    canvas.Brush.Style = TBrushStyle::Clear;
    TRect textRect = line;
    textRect.Bottom = CheckedSub(textRect.Bottom, 1);
    TRect measured = textRect;
    canvas.DrawText(shown, measured, LineTextFormat | dtCenter | dtCalcRect);
    textRect.Bottom = std::min(textRect.Bottom, CheckedAdd(textRect.Top, canvas.TextHeight(shown)));
    const int width = RectWidth(measured);
    if (separators.Alignment == taRightJustify) {
        textRect.Left = CheckedSub(line.Right, width);
    } else if (separators.Alignment == taCenter) {
        textRect.Left =
            CheckedAdd(line.Left, RoundHalfEven((double(RectWidth(line)) - width) / 2 - 0.5));
    }
    textRect.Right = CheckedAdd(textRect.Left, width);

    line.Top = CheckedAdd(line.Top, 6);
    if (separators.Fade) {
        line.Top += 1;
        FadeLine(canvas, textRect, line, true, separators.FadeWidth, separators.FadeColor);
        if (!separators.FlatLines) {
            line.Top += 1;
            FadeLine(canvas, textRect, line, true, separators.FadeWidth, clBtnHighlight);
        }
    } else {
        if (separators.FlatLines) {
            line.Top += 1;
        }
        TRect left = line;
        left.Right = textRect.Left;
        EdgeLine(canvas, left, separators.FlatLines);
        TRect right = line;
        right.Left = textRect.Right;
        EdgeLine(canvas, right, separators.FlatLines);
    }
    canvas.DrawText(shown, textRect, LineTextFormat | dtCenter);
}
