#include "menus/Bcdrawmodule.h"

#include "menus/Barmenus.h"

#include "toolkit/Sysutils.h"

TBcBarMenusDrawModule::~TBcBarMenusDrawModule() {
    DrawingMenu = nullptr;
}

void TBcBarMenusDrawModule::DrawMenuItem(TMenuItem* /*item*/, TCanvas& /*canvas*/,
                                         const TRect& /*rect*/, TOwnerDrawState /*state*/,
                                         bool /*barShown*/, bool& /*defaultDraw*/) {
    throw EAbstractError();
}

void TBcBarMenusDrawModule::MeasureMenuItem(TMenuItem* /*item*/, TCanvas& /*canvas*/,
                                            int& /*width*/, int& /*height*/, bool /*barVisible*/,
                                            bool& /*defaultMeasure*/) {
    throw EAbstractError();
}

void TBcBarMenusDrawModule::RedrawMenus() {
    if (IBarMenusIntf* menu = GetMenuBarMenusIntf(DrawingMenu)) {
        menu->SetDrawModule(this);
    }
}

void TBcBarMenusDrawModule::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == DrawingMenu) {
        DrawingMenu = nullptr;
    }
    TComponent::Notification(component, operation);
}
