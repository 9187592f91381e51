#pragma once
// TBcBarMenusDrawModule: the contract of a component that measures and paints the items of a
// bar menu (Barmenus.h). A subclass implements MeasureMenuItem and DrawMenuItem; the bare base
// raises EAbstractError on the first measuring or painting.
//
// The menu calls MeasureMenuItem once for every measuring of an item, after its own measuring
// and after OnMeasureMenuItem, with the size measured so far and DefaultMeasure true; clearing
// DefaultMeasure suppresses the short-line widening. It calls DrawMenuItem once for every
// painting of an item, before any default painting, with the item's rectangle less the bar area
// and DefaultDraw true; clearing DefaultDraw tells the menu the module painted the item.

#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"
#include "toolkit/Menus.h"

#include <string>

class TBcBarMenusDrawModule : public TComponent {
public:
    explicit TBcBarMenusDrawModule(TComponent* owner) : TComponent(owner) {}
    ~TBcBarMenusDrawModule() override;

    virtual void DrawMenuItem(TMenuItem* item, TCanvas& canvas, const TRect& rect,
                              TOwnerDrawState state, bool barShown, bool& defaultDraw);
    virtual void MeasureMenuItem(TMenuItem* item, TCanvas& canvas, int& width, int& height,
                                 bool barVisible, bool& defaultMeasure);
    // After the module's settings changed: assigns itself again to the menu it draws for, which
    // drops the menu's bar buffer.
    virtual void RedrawMenus();

    // The menu this module draws for; set by the menu's SetDrawModule.
    TMenu* GetDrawingMenu() const { return DrawingMenu; }
    void SetDrawingMenu(TMenu* menu) { DrawingMenu = menu; }

    std::string Description;

    // The menu this module draws for going away leaves the module without one.
    void Notification(TComponent* component, TOperation operation) override;

private:
    TMenu* DrawingMenu = nullptr;
};
