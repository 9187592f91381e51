#include "menus/Itempainting.h"

#include "menus/Bcrectutilities.h"
#include "menus/Bcutilities.h"
#include "menus/Drawgradient.h"
#include "menus/Fadeline.h"
#include "toolkit/Sysmath.h"

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

void AdvancedDrawItem(IBarMenusIntf& menu, TMenuItem* item, TCanvas& canvas, const TRect& r,
                      bool topMain, TOwnerDrawState state) {
    const bool xpStyle = menu.UseMenuStyle() == msWindowsXP;
    const bool selected = state & odSelected;
    const bool hot = state & odHotLight;
    const TCustomImageList* images = menu.GetSelf()->Images();
    // A selected drop-down item is highlighted below; a top-level one has its colours already.
    if (!selected || topMain) {
        canvas.FillRect(r);
    }

    // The glyph column.
    TRect glyph = Rect(r.Left + 1, r.Top + 1, r.Left + 1, r.Top + 1);
    TGlyphKind kind = TGlyphKind::None;
    if (item->IsLine()) {
        canvas.FillRect(r);
    } else {
        const bool inList =
            images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count();
        if (inList || (images && item->Checked() && !item->HasGlyph())) {
            kind = TGlyphKind::Image;
        } else if (item->HasGlyph()) {
            kind = TGlyphKind::Bitmap;
        }
        if (kind != TGlyphKind::None) {
            const TSize size = kind == TGlyphKind::Image ? TSize{images->Width(), images->Height()}
                                                         : TSize{16, 16};
            glyph = Bounds(glyph.Left, r.Top + (RectHeight(r) - size.cy) / 2, size.cx, size.cy);
        } else if (images && !topMain) {
            glyph = Bounds(glyph.Left, r.Top + (RectHeight(r) - images->Height()) / 2,
                           images->Width(), images->Height());
        } else {
            glyph.Left += 1;
            glyph.Right = topMain ? glyph.Left : glyph.Left + 8;
            glyph.Bottom = topMain ? glyph.Top : r.Bottom - (xpStyle ? 2 : 3);
        }
    }

    // A selected item is highlighted from the glyph column on; a glyph keeps the menu's colour
    // around it.
    if (selected && !topMain) {
        TRect highlight = r;
        if (!xpStyle && kind != TGlyphKind::None) {
            highlight.Left = glyph.Right + 2;
            canvas.Brush.Color = clMenu;
            canvas.FillRect(Rect(r.Left, r.Top, highlight.Left, r.Bottom));
        }
        canvas.Brush.Color = clHighlight;
        canvas.FillRect(highlight);
    }

    // A checked item's box, then what it shows.
    if (item->Checked() && !topMain && !glyph.IsEmpty()) {
        TRect box = glyph;
        if (xpStyle) {
            canvas.Brush.Color = clHighlight;
            if (kind == TGlyphKind::None) {
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
    if (kind == TGlyphKind::Image) {
        images->Draw(canvas, glyph.Left, glyph.Top, item->ImageIndex());
    } else if (kind == TGlyphKind::Bitmap) {
        const TBitmap& bitmap = item->Bitmap();
        if (bitmap.Width() > glyph.Width() || bitmap.Height() > glyph.Height()) {
            canvas.StretchDraw(glyph, bitmap);
        } else {
            canvas.Draw(glyph.Left + (glyph.Width() - bitmap.Width()) / 2,
                        glyph.Top + (glyph.Height() - bitmap.Height()) / 2, bitmap);
        }
    } else if (item->Checked() && !topMain && !glyph.IsEmpty()) {
        const int left = glyph.Left + (glyph.Width() - CheckMarkSize) / 2;
        const int top = glyph.Top + (glyph.Height() - CheckMarkSize) / 2;
        if (item->RadioItem()) {
            // No such bitmap comes with the menus: a radio item then shows no mark.
            TBitmap radio;
            if (Platform().LoadBitmapResource(RadioItemResource, radio) && !radio.Empty()) {
                radio.Transparent = true;
                canvas.Draw(glyph.Left + (glyph.Width() - radio.Width()) / 2,
                            glyph.Top + (glyph.Height() - radio.Height()) / 2, radio);
            }
        } else {
            // On the highlight of the XP style, or on the button face of the classic box.
            DrawCheckMark(canvas, left, top, xpStyle ? clHighlightText : clMenuText);
        }
    }

    // The glyph's edge, and the look of a main menu's top-level items.
    TRect textArea = r;
    textArea.Left = CheckedAdd(glyph.Right, xpStyle && !topMain ? 4 : 2);
    if (!xpStyle && kind != TGlyphKind::None && (item->Checked() || selected)) {
        TRect edge = glyph;
        InflateRect(edge, 1, 1);
        canvas.DrawEdge(edge, item->Checked() ? bdrSunkenOuter : bdrRaisedInner, bfRect);
    }
    if (topMain) {
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
    }

    // The caption, centred vertically, and the shortcut.
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

    // The text between two lines: sized, then placed by the alignment, over the item's height
    // less its last row.
    canvas.Brush.Style = TBrushStyle::Clear;
    TRect textRect = line;
    textRect.Bottom = CheckedSub(textRect.Bottom, 1);
    TRect measured = textRect;
    canvas.DrawText(shown, measured, LineTextFormat | dtCenter | dtCalcRect);
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
