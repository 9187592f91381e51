// A bar popup menu as a real owner-drawn menu: every item is measured and drawn through the
// component and its draw module, the system lays the items out at the measured heights, the
// highlight follows the keys, the chosen item's OnClick runs, and a translucent menu's window is
// layered at its alpha. The open menu is photographed into win32_tests_menu.png.

#include "Win32test.h"

#include "platform/headless/Pngwriter.h"
#include "platform/win32/Gdicanvas.h"
#include "platform/win32/Gdiobjects.h"

#include "menus/Barmenus.h"
#include "menus/Menuwindow.h"

#include <string>
#include <vector>

namespace {

// Sizes every item 100 x 24 (separators keep theirs) and paints it in a colour of its state,
// writing down each call.
class TTestModule : public TBcBarMenusDrawModule {
public:
    explicit TTestModule(TComponent* owner) : TBcBarMenusDrawModule(owner) {}

    struct TDraw {
        std::string Caption;
        TRect Rect;
        TOwnerDrawState State = 0;
    };

    void MeasureMenuItem(TMenuItem* item, TCanvas& /*canvas*/, int& width, int& height,
                         bool /*barVisible*/, bool& defaultMeasure) override {
        defaultMeasure = false;
        Measured.push_back(item->Caption());
        if (item->IsLine()) {
            return;
        }
        width = 100;
        height = 24;
    }
    void DrawMenuItem(TMenuItem* item, TCanvas& canvas, const TRect& rect, TOwnerDrawState state,
                      bool /*barShown*/, bool& defaultDraw) override {
        defaultDraw = false;
        Draws.push_back({item->Caption(), rect, state});
        canvas.Brush.Color = (state & odSelected) ? clRed : clAqua();
        canvas.FillRect(rect);
        canvas.Brush.Style = TBrushStyle::Clear;
        canvas.Font.Color = clBlack;
        TRect text = rect;
        text.Left += 4;
        canvas.DrawText(item->Caption(), text, dtSingleLine | dtVCenter);
    }

    static TColor clAqua() { return RGB(0, 255, 255); }

    std::vector<std::string> Measured;
    std::vector<TDraw> Draws;
};

class Win32MenusTest : public Win32Test {
protected:
    void SetUp() override {
        Win32Test::SetUp();
        StartBarMenus();
        StartLayeredWindows();
        Menu.reset(new TBcBarPopupMenu(nullptr));
        Menu->SetMenuStyle(msStandard);
        for (const char* caption : {"Open", "Save", "-", "Quit"}) {
            auto* item = new TMenuItem(Menu.get());
            item->SetCaption(caption);
            item->OnClick = [this](TComponent* sender) {
                Clicks.push_back(static_cast<TMenuItem*>(sender)->Caption());
            };
            Menu->Items()->Add(item);
        }
        Module.reset(new TTestModule(nullptr));
        Menu->SetDrawModule(Module.get());
    }
    void TearDown() override {
        Menu.reset();
        Module.reset();
        Win32Test::TearDown();
    }

    // The draws of caption with the selected state, or without it.
    int DrawsOf(const std::string& caption, bool selected) const {
        int count = 0;
        for (const TTestModule::TDraw& draw : Module->Draws) {
            if (draw.Caption == caption && ((draw.State & odSelected) != 0) == selected) {
                ++count;
            }
        }
        return count;
    }

    TComponentPtr<TBcBarPopupMenu> Menu;
    TComponentPtr<TTestModule> Module;
    std::vector<std::string> Clicks;
};

} // namespace

TEST_F(Win32MenusTest, AnOwnerDrawnBarPopupIsMeasuredDrawnHighlightedAndChosen) {
    Menu->SetOpacity(200);
    int barRenderings = 0;
    Menu->OnBeforeDrawBar = [&barRenderings](TComponent*, TCanvas&, const TRect&, bool&) {
        ++barRenderings;
    };

    HWND menuWindow = nullptr;
    RECT windowRect{};
    std::vector<RECT> itemRects;
    BYTE alpha = 0;
    DWORD layeredFlags = 0;
    bool layered = false;
    int openSelectedAfterFirstKey = 0;
    int saveSelectedAfterSecondKey = 0;
    // Safety: a menu the keys did not close ends after ten seconds.
    Later([] { ::EndMenu(); }, 10000);
    Later(
        [&] {
            menuWindow = ::FindWindowA("#32768", nullptr);
            if (!menuWindow) {
                ::EndMenu();
                return;
            }
            ::GetWindowRect(menuWindow, &windowRect);
            const HMENU native =
                reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
            for (int i = 0; i < ::GetMenuItemCount(native); ++i) {
                RECT r{};
                ::GetMenuItemRect(nullptr, native, UINT(i), &r);
                itemRects.push_back(r);
            }
            layered = (::GetWindowLongA(menuWindow, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
            COLORREF key = 0;
            ::GetLayeredWindowAttributes(menuWindow, &key, &alpha, &layeredFlags);

            TBitmap shot(windowRect.right - windowRect.left, windowRect.bottom - windowRect.top);
            {
                TWindowDC screen(nullptr);
                ::BitBlt(BitmapCanvas(shot).Handle(), 0, 0, shot.Width(), shot.Height(),
                         screen.Handle(), windowRect.left, windowRect.top, SRCCOPY);
            }
            WritePng("win32_tests_menu.png", shot);

            ::PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
            Later(
                [&] {
                    openSelectedAfterFirstKey = DrawsOf("Open", true);
                    ::PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
                    Later(
                        [&] {
                            saveSelectedAfterSecondKey = DrawsOf("Save", true);
                            ::PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
                        },
                        300);
                },
                300);
        },
        500);
    Menu->Popup(100, 100);

    ASSERT_NE(menuWindow, nullptr) << "no menu window opened";
    EXPECT_EQ(Clicks, std::vector<std::string>{"Save"});

    // Every item measured through the component, each once per popup.
    EXPECT_EQ(Module->Measured, (std::vector<std::string>{"Open", "Save", "-", "Quit"}));
    // The system laid the items out at the measured heights (24, and 12 for the separator),
    // one under the other, at least as wide as measured (100 and the bar's 33).
    ASSERT_EQ(itemRects.size(), 4u);
    const int heights[] = {24, 24, 12, 24};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(itemRects[i].bottom - itemRects[i].top, heights[i]) << i;
        EXPECT_GE(itemRects[i].right - itemRects[i].left, 133) << i;
        if (i > 0) {
            EXPECT_EQ(itemRects[i].top, itemRects[i - 1].bottom) << i;
        }
    }
    // Every item was drawn through the module, in the window's client coordinates and less the
    // bar's strip.
    for (const char* caption : {"Open", "Save", "-", "Quit"}) {
        EXPECT_GE(DrawsOf(caption, false), 1) << caption;
    }
    for (const TTestModule::TDraw& draw : Module->Draws) {
        if (draw.Caption == "Open") {
            EXPECT_EQ(draw.Rect.Top, itemRects[0].top - windowRect.top);
            EXPECT_EQ(draw.Rect.Left, itemRects[0].left - windowRect.left + 33);
        }
    }
    // The highlight moved with the keys; the separator was never highlighted.
    EXPECT_GE(openSelectedAfterFirstKey, 1);
    EXPECT_GE(saveSelectedAfterSecondKey, 1);
    EXPECT_EQ(DrawsOf("-", true), 0);
    // The bar was rendered once and the window made translucent at its first painting.
    EXPECT_EQ(barRenderings, 1);
    EXPECT_TRUE(layered);
    EXPECT_EQ(alpha, 200);
    EXPECT_TRUE(layeredFlags & LWA_ALPHA);
    EXPECT_NE(Menu->GetMenuWindowHandle(), 0u);
}

TEST_F(Win32MenusTest, ClosingTheMenuChoosesNothing) {
    Later([] { ::EndMenu(); }, 300);
    Menu->Popup(50, 50);
    EXPECT_TRUE(Clicks.empty());
    EXPECT_FALSE(Module->Draws.empty());
}

TEST_F(Win32MenusTest, TheActiveFormOwnsTheMenuAndPassesItsItemsOn) {
    // The form's window gets the measure and draw messages: they reach the items, not the
    // reflection to child controls.
    TComponentPtr<TForm> form(new TForm(nullptr));
    form->SetCaption("Menu owner");
    form->Show();
    Pump();
    ::SetActiveWindow(HandleOf(*form));
    ASSERT_EQ(::GetActiveWindow(), HandleOf(*form));
    Later([] { ::EndMenu(); }, 300);
    Menu->Popup(60, 60);
    EXPECT_EQ(Module->Measured, (std::vector<std::string>{"Open", "Save", "-", "Quit"}));
    EXPECT_GE(DrawsOf("Quit", false), 1);
    EXPECT_TRUE(Clicks.empty());
}
