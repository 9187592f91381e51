#pragma once
// TOrnDrawModule: a draw module for the bar menus (Bcdrawmodule.h) that gives every item a fixed
// height, paints a horizontal two-colour gradient behind a normal item and a diagonal one inside
// a grey frame behind the highlighted item, and draws the caption with a fixed left indent, the
// shortcut at three quarters of the item's right edge and the item's bitmap at the left. Items of
// a top-level main menu are left to the menu.
//
// The properties are plain stored values: a change shows at the menu's next painting (or after
// RedrawMenus).

#include "menus/Bcdrawmodule.h"

class TOrnDrawModule : public TBcBarMenusDrawModule {
public:
    explicit TOrnDrawModule(TComponent* owner);

    void DrawMenuItem(TMenuItem* item, TCanvas& canvas, const TRect& rect, TOwnerDrawState state,
                      bool barShown, bool& defaultDraw) override;
    void MeasureMenuItem(TMenuItem* item, TCanvas& canvas, int& width, int& height, bool barVisible,
                         bool& defaultMeasure) override;
    // A one-pixel grey frame around rect; with shrink, around rect moved in by 7 on the top,
    // right and bottom sides, its left edge unchanged.
    void DrawCheckedPattern(TCanvas& canvas, const TRect& rect, bool shrink);

    // Normal item: gradient from the left edge to the right edge, and the caption colour.
    TColor ColorGradient1 = clWhite;
    TColor ColorGradient2 = clGray;
    TColor ColorNormalText = clBlack;
    // Highlighted item: the caption colour, and the gradient from the top-left corner to the
    // bottom-right one.
    TColor ColorSelectText = clWhite;
    TColor CursorGradient1 = clSilver;
    TColor CursorGradient2 = clBlack;
    bool TextBold = true;
    // Height of every item but a separator.
    int TextHeight = 24;
    // Left indent of the caption from the item's left edge.
    int TextSpacing = 28;
    // Added to an item's measured width after a seventh of it is taken away.
    int Width = 32;
};
