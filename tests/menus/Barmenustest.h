#pragma once
// The base of the bar menu tests: a bar popup menu with Open, Save and Quit on the headless
// platform (a Windows XP system at first), a draw module that writes down what it is asked,
// and recorders in place of the side-bar and default item routines.

#include "toolkit/Headlesstest.h"
#include "toolkit/Pixelcheck.h"

#include "menus/Barmenus.h"
#include "menus/Menuwindow.h"

#include <cstdio>
#include <string>
#include <vector>

inline std::string RectText(const TRect& r) {
    char text[64];
    std::snprintf(text, sizeof text, "(%d,%d,%d,%d)", r.Left, r.Top, r.Right, r.Bottom);
    return text;
}

// A module that logs its calls; it measures nothing and paints the item's rectangle in Color.
class TLoggingModule : public TBcBarMenusDrawModule {
public:
    TLoggingModule(TComponent* owner, std::vector<std::string>& log)
        : TBcBarMenusDrawModule(owner), Log(log) {}
    void DrawMenuItem(TMenuItem* item, TCanvas& canvas, const TRect& rect, TOwnerDrawState state,
                      bool barShown, bool& defaultDraw) override {
        Log.push_back("Module draw " + item->Caption() + " " + RectText(rect) + " " +
                      std::to_string(state) + (barShown ? " bar" : ""));
        canvas.Brush.Color = Color;
        canvas.FillRect(rect);
        if (ClearDefaultDraw) {
            defaultDraw = false;
        }
    }
    void MeasureMenuItem(TMenuItem* item, TCanvas& /*canvas*/, int& width, int& height,
                         bool barVisible, bool& defaultMeasure) override {
        Log.push_back("Module measure " + item->Caption() + " " + std::to_string(width) + "x" +
                      std::to_string(height) + (barVisible ? " bar" : ""));
        if (ClearDefaultMeasure) {
            defaultMeasure = false;
        }
    }
    std::vector<std::string>& Log;
    TColor Color = clBlue;
    bool ClearDefaultDraw = true;
    bool ClearDefaultMeasure = true;
};

class BarMenusTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        StartBarMenus();
        StartLayeredWindows();
        RecordRoutines();
        Menu.reset(new TBcBarPopupMenu(nullptr));
        Open = AddItem("Open1", "Open");
        Save = AddItem("Save1", "Save");
        Quit = AddItem("Quit1", "Quit");
    }
    void TearDown() override {
        Menu.reset();
        ResetBarPaintRoutines();
        HeadlessTest::TearDown();
    }

    TMenuItem* AddItem(const std::string& name, const std::string& caption,
                       TMenuItem* parent = nullptr) {
        auto* item = new TMenuItem(Menu.get());
        item->SetName(name);
        item->SetCaption(caption);
        (parent ? parent : Menu->Items())->Add(item);
        return item;
    }

    // The toolkit's measure request, as the platform makes it.
    static TSize Measure(TMenuItem* item) {
        TSoftCanvas canvas(1, 1);
        int width = 0;
        int height = 0;
        item->MeasureItem(canvas, width, height);
        return {width, height};
    }

    // The side-bar routines and DrawMenuItemEx write into Log instead of painting.
    void RecordRoutines() {
        TBarPaintRoutines& routines = BarPaintRoutines();
        routines.DrawBarGradient = [this](IBarMenusIntf&, const TRect& r) {
            Log.push_back("Gradient " + RectText(r));
        };
        routines.DrawBarBackPicture = [this](IBarMenusIntf&) { Log.push_back("BackPicture"); };
        routines.DrawBarPicture = [this](IBarMenusIntf&) { Log.push_back("Picture"); };
        routines.DrawBarCaption = [this](IBarMenusIntf&, const TRect& r) {
            Log.push_back("Caption " + RectText(r));
        };
        routines.DrawDoubleBuffer = [this](IBarMenusIntf&, TCanvas&, const TRect& dest,
                                           const TRect& source) {
            Log.push_back("DoubleBuffer " + RectText(dest) + " from " + RectText(source));
        };
        routines.DrawMenuItemEx = [this](IBarMenusIntf&, TMenuItem* item, TCanvas&, const TRect& r,
                                         TOwnerDrawState state) {
            Log.push_back("ItemEx " + item->Caption() + " " + RectText(r) + " " +
                          std::to_string(state));
        };
    }

    // The entries of Log that begin with prefix.
    std::vector<std::string> Logged(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& entry : Log) {
            if (entry.rfind(prefix, 0) == 0) {
                found.push_back(entry);
            }
        }
        return found;
    }

    TComponentPtr<TBcBarPopupMenu> Menu;
    TMenuItem* Open = nullptr;
    TMenuItem* Save = nullptr;
    TMenuItem* Quit = nullptr;
    std::vector<std::string> Log;
};
