#include "menus/Menuwindow.h"

#include "menus/Bcrectutilities.h"

#include <optional>

namespace {

struct TLayeredWindows {
    TSetLayeredWindowAttributes UpdateLayeredWindow;
    TSetLayeredWindowAttributes SetLayeredWindowAttributes;
    bool Supported = false;
};

std::optional<TLayeredWindows>& LayeredWindows() {
    static std::optional<TLayeredWindows> service;
    return service;
}

const TLayeredWindows& Service() {
    if (!LayeredWindows()) {
        StartLayeredWindows();
    }
    return *LayeredWindows();
}

// The menu window carries the menu's marks in bit 0 of its user-data word: its region is set.
constexpr std::uintptr_t RegionSetMark = 1;

} // namespace

void StartLayeredWindows() {
    TLayeredWindows service;
    TMenuPlatform& platform = MenuPlatform();
    service.UpdateLayeredWindow = platform.FindLayeredFunction("user32.dll", "UpdateLayeredWindow");
    service.SetLayeredWindowAttributes =
        platform.FindLayeredFunction("user32.dll", "SetLayeredWindowAttributes");
    service.Supported = bool(service.SetLayeredWindowAttributes);
    LayeredWindows() = std::move(service);
}

bool SupportsLayeredWindows() {
    return Service().Supported;
}

bool SetWindowLayered(TMenuWindow window, bool on) {
    TMenuPlatform& platform = MenuPlatform();
    const std::uint32_t exStyle = platform.GetExStyle(window);
    if (((exStyle & wsExLayered) != 0) != on) {
        platform.SetExStyle(window, on ? exStyle | wsExLayered : exStyle & ~wsExLayered);
    }
    return true;
}

void SetMenuOpacity(IBarMenusIntf& menu, TMenuWindow window, TOpacity /*opacity*/) {
    if (window == 0 || !SupportsLayeredWindows()) {
        return;
    }
    TMenuPlatform& platform = MenuPlatform();
    const std::uint32_t exStyle = platform.GetExStyle(window);
    const bool layered = (exStyle & wsExLayered) != 0;
    const TOpacity opacity = menu.GetOpacity();
    const TSetLayeredWindowAttributes& setAttributes = Service().SetLayeredWindowAttributes;
    if (dynamic_cast<TPopupMenu*>(menu.GetSelf())) {
        if (layered || opacity >= 255) {
            return;
        }
        if (!platform.SetExStyle(window, exStyle | wsExLayered)) {
            return;
        }
        // A layered window without its attributes shows nothing: when the system refuses
        // them, the window goes back to what it was.
        if (!setAttributes(window, 0, opacity, lwaAlpha)) {
            platform.SetExStyle(window, exStyle);
        }
    } else if (dynamic_cast<TMainMenu*>(menu.GetSelf()) && layered) {
        setAttributes(window, 0, 255, lwaAlpha);
        platform.SetExStyle(window, exStyle & ~wsExLayered);
    }
}

void SetMenuOpacity(TMenuItem* item, TCanvas& canvas) {
    if (IBarMenusIntf* menu = GetMenuItemBarMenusIntf(item)) {
        SetMenuOpacity(*menu, MenuPlatform().WindowOfCanvas(canvas), menu->GetOpacity());
    }
}

void DrawMenuWindowBorder(IBarMenusIntf& menu, TMenuWindow window) {
    if (window == 0 || !menu.GetFlat()) {
        return;
    }
    auto* mainMenu = dynamic_cast<TMainMenu*>(menu.GetSelf());
    if (mainMenu && window == mainMenu->WindowHandle()) {
        return;
    }
    TMenuPlatform& platform = MenuPlatform();
    TRect windowRect;
    const bool haveRect = platform.GetWindowRect(window, windowRect);
    const TRect whole =
        haveRect ? Rect(0, 0, RectWidth(windowRect), RectHeight(windowRect)) : NilRect;
    const std::uintptr_t data = platform.GetUserData(window);
    if (!(data & RegionSetMark)) {
        TRect client;
        if (platform.GetClientRect(window, client) && haveRect) {
            // A refused region leaves the window as the system shaped it.
            if (dynamic_cast<TPopupMenu*>(menu.GetSelf())) {
                platform.SetWindowRegion(window, whole, true);
            } else if (mainMenu) {
                platform.SetWindowRegion(window, std::nullopt, true);
            }
        }
        platform.SetUserData(window, data | RegionSetMark);
    }
    std::unique_ptr<TCanvas> canvas = platform.WindowCanvas(window);
    if (!canvas || !haveRect) {
        return;
    }
    TRect r = whole;
    canvas->Brush.Style = TBrushStyle::Solid;
    canvas->Brush.Color = clBtnShadow;
    canvas->FrameRect(r);
    InflateRect(r, -1, -1);
    canvas->Brush.Color = clBtnFace;
    canvas->FrameRect(r);
}

void DrawMenuWindowBorder(TMenuItem* item, TCanvas& canvas) {
    if (IBarMenusIntf* menu = GetMenuItemBarMenusIntf(item)) {
        DrawMenuWindowBorder(*menu, MenuPlatform().WindowOfCanvas(canvas));
    }
}
