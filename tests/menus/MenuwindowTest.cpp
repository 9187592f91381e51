// The effects on a bar menu's window: opacity through the layered-window service, and the flat
// border with its region, on the headless platform's menu windows.

#include "menus/Barmenustest.h"

#include "menus/Menuwindow.h"

namespace {

class MenuWindowTest : public BarMenusTest {
protected:
    void SetUp() override {
        BarMenusTest::SetUp();
        Menu->Bar().SetVisible(false);
        Menu->SetMenuStyle(msStandard);
    }
    void TearDown() override {
        // The next test finds the service as the platform has it at first.
        Headless.SetLayeredService(true, true, true);
        StartLayeredWindows();
        BarMenusTest::TearDown();
    }

    const TShownMenu& PopupAndClose() {
        Headless.QueueAnswer(TModalAnswer::PressKey(vkDown));
        Headless.QueueAnswer(TModalAnswer::PressKey(vkDown));
        Headless.QueueAnswer(TModalAnswer::CloseWindow());
        Menu->Popup(0, 0);
        return Headless.Menus().back();
    }
};

} // namespace

TEST_F(MenuWindowTest, AnOpacityOf200MakesThePopupLayeredOnItsFirstPaintingAndItStays) {
    Menu->SetOpacity(200);
    Menu->Bar().SetVisible(true);
    // A later change of Opacity does not reach a window that is already layered.
    Menu->OnAfterDrawBar = [this](TComponent*, TCanvas&, const TRect&) { Menu->SetOpacity(100); };
    const TShownMenu& shown = PopupAndClose();
    EXPECT_TRUE(shown.ExStyle & wsExLayered);
    EXPECT_EQ(shown.Alpha, std::optional<std::uint8_t>(200));
    EXPECT_EQ(shown.AlphaCalls, 1);
    EXPECT_EQ(shown.Paints.size(), 6u);
}

TEST_F(MenuWindowTest, AnOpaqueMenuIsLeftAlone) {
    const TShownMenu& shown = PopupAndClose();
    EXPECT_EQ(shown.ExStyle, 0u);
    EXPECT_FALSE(shown.Alpha);
}

TEST_F(MenuWindowTest, TheLayeredServiceIsLookedUpByName) {
    EXPECT_TRUE(SupportsLayeredWindows());
    Headless.SetLayeredService(true, true, false);
    StartLayeredWindows();
    EXPECT_TRUE(SupportsLayeredWindows());
    Headless.SetLayeredService(true, false, true);
    StartLayeredWindows();
    EXPECT_FALSE(SupportsLayeredWindows());
    Headless.SetLayeredService(false, true, true);
    StartLayeredWindows();
    EXPECT_FALSE(SupportsLayeredWindows());
    // Without the service a translucent menu stays opaque.
    Menu->SetOpacity(200);
    const TShownMenu& shown = PopupAndClose();
    EXPECT_EQ(shown.ExStyle, 0u);
    EXPECT_FALSE(shown.Alpha);
}

TEST_F(MenuWindowTest, ARefusedAlphaLeavesTheMenuOpaqueAndUsable) {
    Headless.SetLayeredAttributesFail(true);
    Menu->SetOpacity(200);
    std::vector<std::string> clicks;
    Save->OnClick = [&clicks](TComponent*) { clicks.push_back("Save"); };
    Headless.QueueAnswer(TModalAnswer::ClickControl("Save1"));
    Menu->Popup(0, 0);
    const TShownMenu& shown = Headless.Menus().back();
    EXPECT_EQ(shown.ExStyle & wsExLayered, 0u);
    EXPECT_FALSE(shown.Alpha);
    EXPECT_EQ(clicks, std::vector<std::string>{"Save"});
}

TEST_F(MenuWindowTest, AFlatMenuIsFramedWithTwoLinesAndGetsItsRegionOnce) {
    Menu->SetFlat(true);
    const TShownMenu& shown = PopupAndClose();
    const int right = shown.Bounds.Width() - 1;
    const int bottom = shown.Bounds.Height() - 1;
    const TColor shadow = ColorToRGB(clBtnShadow);
    const TColor face = ColorToRGB(clBtnFace);
    for (const TBitmap* image : {&shown.OpenImage, &shown.Image}) {
        EXPECT_EQ(image->Pixel(0, 0), shadow);
        EXPECT_EQ(image->Pixel(right, bottom), shadow);
        EXPECT_EQ(image->Pixel(right / 2, 0), shadow);
        EXPECT_EQ(image->Pixel(1, 1), face);
        EXPECT_EQ(image->Pixel(right - 1, bottom / 2), face);
        EXPECT_EQ(image->Pixel(2, 2), ColorToRGB(clMenu));
    }
    EXPECT_EQ(shown.RegionCalls, 1);
    EXPECT_EQ(shown.Region, std::optional<TRect>(Rect(0, 0, right + 1, bottom + 1)));
    EXPECT_EQ(shown.UserData & 1, 1u);
}

TEST_F(MenuWindowTest, AMenuThatIsNotFlatKeepsTheSystemFrame) {
    const TShownMenu& shown = PopupAndClose();
    EXPECT_EQ(shown.Image.Pixel(0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(shown.RegionCalls, 0);
    EXPECT_EQ(shown.UserData, 0u);
}

TEST_F(MenuWindowTest, ARefusedRegionIsNotAskedForAgainAndTheFrameIsDrawn) {
    Headless.SetWindowRegionFail(true);
    Menu->SetFlat(true);
    const TShownMenu& shown = PopupAndClose();
    EXPECT_EQ(shown.RegionCalls, 1);
    EXPECT_FALSE(shown.Region);
    EXPECT_EQ(shown.Image.Pixel(0, 0), ColorToRGB(clBtnShadow));
}

TEST_F(MenuWindowTest, AMainMenuUndoesTheLayerAndTheRegionAndSparesItsOwnWindow) {
    TBcBarMainMenu main(nullptr);
    main.SetFlat(true);
    auto* mainItem = new TMenuItem(&main);
    main.Items()->Add(mainItem);
    // A plain owner-drawn popup whose first painting hands its window to the main menu.
    TPopupMenu plain(nullptr);
    plain.SetOwnerDraw(true);
    auto* item = new TMenuItem(&plain);
    plain.Items()->Add(item);
    TMenuWindow ownWindow = 0;
    item->OnAdvancedDrawItem = [&](TComponent*, TCanvas& canvas, const TRect&, TOwnerDrawState) {
        const TMenuWindow window = MenuPlatform().WindowOfCanvas(canvas);
        // As the window carrying the main menu's bar: nothing.
        main.SetWindowHandle(window);
        DrawMenuWindowBorder(mainItem, canvas);
        ownWindow = window;
        EXPECT_EQ(MenuPlatform().GetUserData(window), 0u);
        // As any other window: its region goes, and it is framed.
        main.SetWindowHandle(0);
        DrawMenuWindowBorder(mainItem, canvas);
        // A layered window becomes opaque and plain again.
        SetWindowLayered(window, true);
        SetMenuOpacity(mainItem, canvas);
    };
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    plain.Popup(0, 0);
    const TShownMenu& shown = Headless.Menus().back();
    EXPECT_NE(ownWindow, 0u);
    EXPECT_EQ(shown.RegionCalls, 1);
    EXPECT_FALSE(shown.Region);
    EXPECT_EQ(shown.Image.Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(shown.ExStyle & wsExLayered, 0u);
    EXPECT_EQ(shown.Alpha, std::optional<std::uint8_t>(255));
}
