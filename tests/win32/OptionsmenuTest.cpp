// The Options menu of the real main window: opened by a click on Options at the pointer, its
// items measured by the form's draw module, and its gradients on the screen the same pixels as
// the software canvas paints. The open menu is photographed into OptionsMenu.png beside the
// window's own picture.

#include "Win32test.h"

#include "platform/headless/Pngwriter.h"
#include "platform/headless/Softcanvas.h"
#include "platform/win32/Gdicanvas.h"
#include "platform/win32/Gdiobjects.h"

#include "app/Groupmain.h"
#include "menus/Drawgradient.h"
#include "toolkit/Sysutils.h"

#include <vector>

namespace {

class Win32OptionsMenuTest : public Win32Test {
protected:
    void TearDown() override {
        while (Application().ComponentCount() > 0) {
            TComponent::Free(Application().Components(Application().ComponentCount() - 1));
        }
        DeleteFile(ExtractFilePath(Application().ExeName()) + "Morvik.ini");
        Win32Test::TearDown();
    }
};

} // namespace

TEST_F(Win32OptionsMenuTest, OptionsOpensTheMenuAtThePointerPaintedAsOnTheSoftwareCanvas) {
    Application().CreateForm(frmMain);
    frmMain->Show();
    Pump();
    POINT pointer{frmMain->btnOptions->Left() + frmMain->btnOptions->Width() / 2,
                  frmMain->btnOptions->Top() + frmMain->btnOptions->Height() / 2};
    ::ClientToScreen(HandleOf(*frmMain->PanelHeader), &pointer);
    ::SetCursorPos(pointer.x, pointer.y);

    HWND menuWindow = nullptr;
    RECT windowRect{};
    std::vector<RECT> itemRects;
    TBitmap shot;
    // Safety: a menu that stayed open ends after ten seconds.
    Later([] { ::EndMenu(); }, 10000);
    Later(
        [&] {
            menuWindow = ::FindWindowA("#32768", nullptr);
            if (menuWindow) {
                ::GetWindowRect(menuWindow, &windowRect);
                const HMENU native =
                    reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
                for (int i = 0; i < ::GetMenuItemCount(native); ++i) {
                    RECT r{};
                    ::GetMenuItemRect(nullptr, native, UINT(i), &r);
                    itemRects.push_back(r);
                }
                shot.SetSize(windowRect.right - windowRect.left,
                             windowRect.bottom - windowRect.top);
                TWindowDC screen(nullptr);
                ::BitBlt(BitmapCanvas(shot).Handle(), 0, 0, shot.Width(), shot.Height(),
                         screen.Handle(), windowRect.left, windowRect.top, SRCCOPY);
                WritePng("OptionsMenu.png", shot);
            }
            ::EndMenu();
        },
        700);
    Click(*frmMain->btnOptions);
    Pump();

    ASSERT_NE(menuWindow, nullptr) << "no menu window opened";
    // At the pointer: the system puts the menu's top-left corner there when it fits.
    EXPECT_EQ(windowRect.left, pointer.x);
    EXPECT_EQ(windowRect.top, pointer.y);
    ASSERT_EQ(itemRects.size(), 5u);
    const int heights[] = {24, 24, 14, 24, 24};
    for (std::size_t i = 0; i < 5; ++i) {
        const RECT& r = itemRects[i];
        ASSERT_EQ(r.bottom - r.top, heights[i]) << i;
        // The gradient areas, text and pictures aside: the separator whole, and of every other
        // item the rows below its caption and its 16-pixel picture, both drawn from the top.
        const int width = r.right - r.left;
        TSoftCanvas expected(width, heights[i]);
        DrawGradient(nullptr, &expected, {0, 0, width, heights[i]}, clBlue, clNavy, gsHorizontal);
        for (int y = i == 2 ? 0 : 17; y < heights[i]; ++y) {
            for (int x = 0; x < width; ++x) {
                ASSERT_EQ(shot.Pixel(r.left - windowRect.left + x, r.top - windowRect.top + y),
                          expected.Pixel(x, y))
                    << "item " << i << " at " << x << "," << y;
            }
        }
    }
}
