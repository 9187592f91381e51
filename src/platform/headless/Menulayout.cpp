#include "platform/headless/Menulayout.h"

#include "toolkit/Forms.h"

#include <algorithm>

TMenuLayout LayOutMenu(TPopupMenu& menu, TCanvas& measure, int widening) {
    TMenuLayout layout;
    for (int i = 0; i < menu.Items()->Count(); ++i) {
        TMenuItem* item = menu.Items()->Items(i);
        if (!item->Visible()) {
            continue;
        }
        measure.Font = TFont();
        measure.Brush = TBrush{clMenu, TBrushStyle::Solid};
        int width = 0;
        int height = 0;
        Application().RunGuarded([&] { item->MeasureItem(measure, width, height); });
        layout.Items.push_back(item);
        layout.Sizes.push_back({width + widening, height});
    }

    const std::vector<TMenuItem*>& items = layout.Items;
    layout.Rects.assign(items.size(), TRect{});
    int left = MenuMargin;
    int bottom = MenuMargin;
    std::size_t first = 0;
    while (first < items.size()) {
        std::size_t end = first + 1;
        while (end < items.size() && items[end]->Break() == mbNone) {
            ++end;
        }
        int columnWidth = 0;
        for (std::size_t i = first; i < end; ++i) {
            columnWidth = std::max(columnWidth, layout.Sizes[i].cx);
        }
        int y = MenuMargin;
        for (std::size_t i = first; i < end; ++i) {
            layout.Rects[i] =
                Rect(left, y, left + columnWidth, y + std::max(layout.Sizes[i].cy, 0));
            y = layout.Rects[i].Bottom;
        }
        bottom = std::max(bottom, y);
        left += columnWidth;
        first = end;
    }
    layout.Size = {left + MenuMargin, bottom + MenuMargin};
    return layout;
}
