// The showcase bar popup menu painted by the menus themselves (no draw module) in a real
// owner-drawn menu under Wine: photographed into win32_tests_barmenu.png, its side bar rendered
// once and copied slice by slice when it opens again.

#include "Win32test.h"

#include "platform/headless/Pngwriter.h"
#include "platform/win32/Gdicanvas.h"
#include "platform/win32/Gdiobjects.h"

#include "menus/Barpainting.h"
#include "menus/Menuwindow.h"
#include "menus/Showcasemenu.h"

#include <functional>

namespace {

class Win32BarMenuTest : public Win32Test {
protected:
    void SetUp() override {
        Win32Test::SetUp();
        StartBarMenus();
        StartLayeredWindows();
        ResetBarPaintRoutines();
        BarPaintRoutines().DrawDoubleBuffer = [this](IBarMenusIntf& menu, TCanvas& canvas,
                                                     const TRect& dest, const TRect& source) {
            ++Slices;
            DrawDoubleBuffer(menu, canvas, dest, source);
        };
        Menu.reset(new TBcBarPopupMenu(nullptr));
        BuildShowcaseMenu(*Menu);
        Menu->OnBeforeDrawBar = [this](TComponent*, TCanvas&, const TRect&, bool&) { ++BarEvents; };
    }
    void TearDown() override {
        Menu.reset();
        ResetBarPaintRoutines();
        Win32Test::TearDown();
    }

    // Opens the menu and, once it is painted, takes its picture from the screen and closes it.
    // On a loaded machine the menu window can take longer than the first look to appear: the
    // look is repeated every 100 ms for five seconds.
    TBitmap OpenAndPhotograph() {
        TBitmap shot;
        int looks = 0;
        Later([] { ::EndMenu(); }, 10000);
        std::function<void()> look = [&] {
            const HWND window = ::FindWindowA("#32768", nullptr);
            if (!window && ++looks < 50) {
                Later(look, 100);
                return;
            }
            if (window) {
                RECT r{};
                ::GetWindowRect(window, &r);
                shot.SetSize(r.right - r.left, r.bottom - r.top);
                TWindowDC screen(nullptr);
                ::BitBlt(BitmapCanvas(shot).Handle(), 0, 0, shot.Width(), shot.Height(),
                         screen.Handle(), r.left, r.top, SRCCOPY);
            }
            ::EndMenu();
        };
        Later(look, 700);
        Menu->Popup(100, 100);
        return shot;
    }

    TComponentPtr<TBcBarPopupMenu> Menu;
    int BarEvents = 0;
    int Slices = 0;
};

} // namespace

TEST_F(Win32BarMenuTest, TheShowcaseMenuUnderWine) {
    const TBitmap first = OpenAndPhotograph();
    ASSERT_FALSE(first.Empty()) << "no menu window opened";
    WritePng("win32_tests_barmenu.png", first);
    EXPECT_EQ(BarEvents, 1);
    // The bar's gradient starts dark blue at the top of the items, beside them at the left.
    const TColor top = first.Pixel(3 + 16, 4);
    EXPECT_LT(GetRValue(top), 20);
    EXPECT_GT(GetBValue(top), 140);

    // Opened again, the bar is only copied, a slice for each of the ten items at least.
    const int slicesBefore = Slices;
    const TBitmap second = OpenAndPhotograph();
    ASSERT_FALSE(second.Empty());
    EXPECT_EQ(BarEvents, 1);
    EXPECT_GE(Slices - slicesBefore, 10);
    EXPECT_EQ(second.Pixel(3 + 16, 4), top);
}
