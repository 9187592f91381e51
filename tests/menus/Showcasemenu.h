#pragma once
// The showcase of the bar menus, painted without a draw module: a side bar with caption and
// picture, a default item with a shortcut, a checked item, a checked and an unchecked radio item,
// a disabled item, a "Win+" shortcut, and separators with and without text. The headless test
// compares it with an approved picture; the Win32 test photographs it under Wine.

#include "menus/Barmenus.h"

#include <string>

inline void BuildShowcaseMenu(TBcBarPopupMenu& menu) {
    menu.SetMenuStyle(msStandard);
    TBcBar& bar = menu.Bar();
    bar.BarCaption().Caption = "Morvik";
    bar.BarCaption().ShadowColor = clBlack;
    bar.SetGradientStart(RGB(0, 0, 160));
    bar.SetGradientEnd(RGB(90, 160, 255));
    // A yellow disc on a fuchsia ground, which is transparent.
    TBitmap picture(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int dx = 2 * x - 15;
            const int dy = 2 * y - 15;
            const int d = dx * dx + dy * dy;
            picture.SetPixel(x, y, d < 120 ? clYellow : d < 200 ? clNavy : clFuchsia);
        }
    }
    bar.BarPicture().SetPicture(&picture);
    bar.BarPicture().SetOffsetY(-4);

    struct TShowcaseItem {
        const char* Caption;
        const char* Hint;
        TShortCut ShortCut;
        bool Default, Checked, Radio, Enabled;
    };
    const TShowcaseItem items[] = {
        {"Open", "", TShortCut(scCtrl | 'O'), true, false, false, true},
        {"Save all files", "", 0, false, true, false, true},
        {"-", "View", 0, false, false, false, true},
        {"Icons", "", 0, false, true, true, true},
        {"List", "", 0, false, false, true, true},
        {"-", "", 0, false, false, false, true},
        {"Print", "", 0, false, false, false, false},
        {"Start", "", TShortCut(scWin | 'S'), false, false, false, true},
        {"-", "", 0, false, false, false, true},
        {"Quit", "", 0, false, false, false, true},
    };
    for (const TShowcaseItem& each : items) {
        auto* item = new TMenuItem(&menu);
        item->SetCaption(each.Caption);
        item->SetHint(each.Hint);
        item->SetShortCut(each.ShortCut);
        item->SetDefault(each.Default);
        item->SetChecked(each.Checked);
        item->SetRadioItem(each.Radio);
        item->SetEnabled(each.Enabled);
        menu.Items()->Add(item);
    }
}
