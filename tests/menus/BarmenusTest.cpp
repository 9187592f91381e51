// The bar popup menu and its main-menu twin: settings objects, hooking, measuring, painting
// and the bar double buffer, on the headless platform.

#include "menus/Barmenustest.h"

#include "toolkit/Sysmath.h"

#include <climits>

namespace {

template <class T>
std::string CreationError() {
    try {
        T object(nullptr);
    } catch (const ERequireOwner& error) {
        return error.what();
    }
    return "no error";
}

} // namespace

// ---- Settings objects --------------------------------------------------------------------------

TEST_F(BarMenusTest, SettingsObjectsNeedTheirMenu) {
    EXPECT_EQ(CreationError<TBcGradientBar>(), "Tried to create TBcGradientBar with no owner.");
    EXPECT_EQ(CreationError<TBcBar>(), "Tried to create TBcBar with no owner.");
    EXPECT_EQ(CreationError<TBcSeparators>(), "Tried to create TBcSeparators with no owner.");
    EXPECT_EQ(CreationError<TBcBarPicture>(), "Tried to create TBcBarPicture with no owner.");
    EXPECT_EQ(CreationError<TBcBarBackPicture>(),
              "Tried to create TBcBarBackPicture with no owner.");
    EXPECT_EQ(CreationError<TBcBarCaption>(), "Tried to create TBcBarCaption with no owner.");
    EXPECT_EQ(CreationError<TBcBarProtected>(), "Tried to create TBcBarProtected with no owner.");
}

TEST_F(BarMenusTest, GradientColoursHaveTwoIndexes) {
    TBcBar& bar = Menu->Bar();
    bar.SetGradientColor(1, clRed);
    EXPECT_EQ(bar.GradientEnd(), clRed);
    try {
        bar.GetGradientColor(2);
        ADD_FAILURE() << "index 2 was read";
    } catch (const EInvalidPropertyIndex& error) {
        EXPECT_STREQ(error.what(), "Invalid property index 2.");
    }
    EXPECT_THROW(bar.SetGradientColor(-1, clLime), EInvalidPropertyIndex);
    EXPECT_EQ(bar.GradientStart(), TColor(0xD8BDAF));
    EXPECT_EQ(bar.GradientEnd(), clRed);
}

TEST_F(BarMenusTest, DefaultsOfTheMenuAndItsSettings) {
    EXPECT_TRUE(Menu->OwnerDraw());
    EXPECT_EQ(Menu->GetMenuStyle(), msAuto);
    EXPECT_TRUE(Menu->GetUseSystemFont());
    EXPECT_EQ(Menu->GetOpacity(), 255);
    EXPECT_FALSE(Menu->GetFlat());
    EXPECT_EQ(Menu->GetDrawModule(), nullptr);
    EXPECT_EQ(Menu->GetMenuWindowHandle(), 0u);
    EXPECT_FALSE(Menu->Updating());

    const TBcBar& bar = Menu->Bar();
    EXPECT_EQ(bar.Border(), clNone);
    EXPECT_EQ(bar.GradientStart(), TColor(0xD8BDAF));
    EXPECT_EQ(bar.GradientEnd(), TColor(0));
    EXPECT_EQ(bar.GradientStyle(), gsVertical);
    EXPECT_EQ(bar.Width(), 32);
    EXPECT_EQ(bar.Space(), 1);
    EXPECT_TRUE(bar.Visible());
    EXPECT_EQ(bar.Side(), sLeft);
    EXPECT_TRUE(bar.BarPicture().Transparent());
    EXPECT_EQ(bar.BarPicture().VertAlignment(), vaBottom);
    EXPECT_EQ(bar.BarPicture().HorzAlignment(), haCenter);
    EXPECT_EQ(bar.BarBackPicture().VertAlignment(), vaTop);
    EXPECT_EQ(bar.BarBackPicture().HorzAlignment(), haLeft);
    EXPECT_EQ(bar.BarBackPicture().DrawStyle(), dsNormal);
    const TBcBarCaption& caption = bar.BarCaption();
    EXPECT_EQ(caption.Font.Name, "Tahoma");
    EXPECT_EQ(caption.Font.Height, -19);
    EXPECT_EQ(caption.Font.Color, clWhite);
    EXPECT_EQ(caption.Font.Style, fsBold | fsItalic);
    EXPECT_EQ(caption.OffsetY, 6);
    EXPECT_EQ(caption.Depth, 1);
    EXPECT_EQ(caption.Alignment, vaBottom);
    EXPECT_EQ(caption.Direction, dDownToUp);

    const TBcSeparators& separators = Menu->Separators();
    EXPECT_EQ(separators.GradientStart(), clGray);
    EXPECT_EQ(separators.GradientEnd(), clSilver);
    EXPECT_EQ(separators.GradientStyle(), gsHorizontal);
    EXPECT_EQ(separators.FadeColor, clBtnShadow);
    EXPECT_EQ(separators.FadeWidth, 32);
    EXPECT_EQ(separators.Alignment, taCenter);
    EXPECT_EQ(separators.SeparatorStyle, ssNormal);
    EXPECT_TRUE(separators.UseSystemFont);
}

TEST_F(BarMenusTest, AssignCopiesWhatEachObjectSays) {
    TBcBarPopupMenu other(nullptr);
    TBcSeparators& source = other.Separators();
    source.Fade = true;
    source.FadeWidth = 5;
    source.FlatLines = true;
    source.Font.Height = -20;
    source.Alignment = taRightJustify;
    source.SeparatorStyle = ssCaption;
    source.UseSystemFont = false;
    source.SetGradientStart(clRed);
    Menu->SetSeparators(source);
    const TBcSeparators& copy = Menu->Separators();
    EXPECT_EQ(copy.Font.Height, -20);
    EXPECT_EQ(copy.Alignment, taRightJustify);
    EXPECT_EQ(copy.SeparatorStyle, ssCaption);
    EXPECT_FALSE(copy.UseSystemFont);
    EXPECT_EQ(copy.GradientStart(), clRed);
    EXPECT_FALSE(copy.Fade);
    EXPECT_EQ(copy.FadeWidth, 32);
    EXPECT_FALSE(copy.FlatLines);

    TBcBar& bar = other.Bar();
    bar.SetWidth(40);
    bar.SetSpace(3);
    bar.SetSide(sRight);
    bar.SetVisible(false);
    bar.SetBorder(clBlue);
    bar.BarPicture().Picture().SetSize(4, 5);
    bar.BarPicture().SetVisible(false);
    bar.BarPicture().SetOffsetX(7);
    bar.BarBackPicture().SetDrawStyle(dsTile);
    bar.BarCaption().Caption = "Bar";
    bar.BarCaption().Visible = false;
    Menu->SetBar(bar);
    const TBcBar& barCopy = Menu->Bar();
    EXPECT_EQ(barCopy.Width(), 40);
    EXPECT_EQ(barCopy.Space(), 3);
    EXPECT_EQ(barCopy.Side(), sRight);
    EXPECT_FALSE(barCopy.Visible());
    EXPECT_EQ(barCopy.Border(), clBlue);
    EXPECT_EQ(Menu->Bar().BarPicture().Picture().Width(), 4);
    EXPECT_EQ(barCopy.BarPicture().OffsetX(), 7);
    EXPECT_TRUE(barCopy.BarPicture().Visible()); // Visible is not copied
    EXPECT_EQ(barCopy.BarBackPicture().DrawStyle(), dsTile);
    EXPECT_EQ(barCopy.BarCaption().Caption, "Bar");
    EXPECT_TRUE(barCopy.BarCaption().Visible);

    // The gradient part of the separators goes into the bar, and only that part.
    Menu->Bar().Assign(copy);
    EXPECT_EQ(Menu->Bar().GradientStart(), clRed);
    EXPECT_EQ(Menu->Bar().Width(), 40);
}

TEST_F(BarMenusTest, APictureIsMadeOnFirstReadAndCopiedWhenSet) {
    TBcBarPicture& picture = Menu->Bar().BarPicture();
    EXPECT_FALSE(picture.HasPicture());
    EXPECT_TRUE(picture.Picture().Transparent);
    picture.SetTransparent(false);
    EXPECT_FALSE(picture.Picture().Transparent);
    TBitmap source(3, 2);
    picture.SetPicture(&source);
    source.SetSize(9, 9);
    EXPECT_EQ(picture.Picture().Width(), 3);
    picture.SetPicture(nullptr);
    EXPECT_FALSE(picture.HasPicture());
}

// ---- Hooking -----------------------------------------------------------------------------------

TEST_F(BarMenusTest, EveryItemIsHookedKeepingHandlersOfItsOwn) {
    EXPECT_TRUE(Open->OnMeasureItem);
    EXPECT_TRUE(Open->OnAdvancedDrawItem);
    const TMenuMeasureItemEvent ownMeasure = [](TComponent*, TCanvas&, int&, int&) {};
    auto* kept = new TMenuItem(Menu.get());
    kept->OnMeasureItem = ownMeasure;
    kept->OnDrawItem = [](TComponent*, TCanvas&, const TRect&, bool) {};
    auto* sub = new TMenuItem(Menu.get());
    kept->Add(sub);
    Quit->Add(kept);
    // The new items came into the tree one by one, and each was hooked on its way in.
    EXPECT_TRUE(kept->OnMeasureItem.SameCode(ownMeasure));
    EXPECT_FALSE(kept->OnAdvancedDrawItem);
    EXPECT_TRUE(sub->OnAdvancedDrawItem);
    EXPECT_TRUE(sub->OnAdvancedDrawItem.SameCode(Open->OnAdvancedDrawItem));
}

TEST_F(BarMenusTest, NothingIsHookedWhileLoadingOrUpdating) {
    TBcBarPopupMenu loading(nullptr);
    loading.BeginLoading();
    auto* item = new TMenuItem(&loading);
    loading.Items()->Add(item);
    loading.SetOwnerDraw(false);
    EXPECT_FALSE(item->OnAdvancedDrawItem);
    loading.EndLoading();
    EXPECT_TRUE(loading.OwnerDraw());
    EXPECT_TRUE(item->OnAdvancedDrawItem);

    Menu->BeginUpdate();
    Menu->BeginUpdate();
    TMenuItem* late = AddItem("Late1", "Late");
    EXPECT_FALSE(late->OnAdvancedDrawItem);
    Menu->EndUpdate();
    EXPECT_TRUE(Menu->Updating());
    EXPECT_FALSE(late->OnAdvancedDrawItem);
    Menu->EndUpdate();
    EXPECT_FALSE(Menu->Updating());
    EXPECT_EQ(Menu->UpdateCount(), 0);
    EXPECT_TRUE(late->OnAdvancedDrawItem);
    Menu->EndUpdate(); // not below 0
    EXPECT_EQ(Menu->UpdateCount(), 0);
}

TEST_F(BarMenusTest, AnItemMovedIntoAnotherMenuDoesNotKeepTheHandlers) {
    TPopupMenu plain(nullptr);
    plain.SetOwnerDraw(true);
    plain.Items()->Add(Save);
    EXPECT_FALSE(Save->OnAdvancedDrawItem);
    EXPECT_FALSE(Save->OnMeasureItem);

    // Into another bar menu: its handlers, not this one's.
    TBcBarPopupMenu other(nullptr);
    other.Items()->Add(Quit);
    EXPECT_TRUE(Quit->OnAdvancedDrawItem);
    EXPECT_EQ(Quit->OnAdvancedDrawItem.Data(),
              static_cast<void*>(static_cast<TBcBarMenuCore<TPopupMenu>*>(&other)));
    other.Items()->Remove(Quit);
    Menu->Items()->Add(Quit);
    TComponent::Free(Save);
}

TEST_F(BarMenusTest, PaintingAnItemWhoseMenuIsGoneDoesNothing) {
    TMenuItem detached(nullptr);
    detached.SetCaption("Lost");
    TSoftCanvas canvas(10, 10);
    int width = 5;
    int height = 6;
    BarMeasureItem(&detached, canvas, width, height, true);
    EXPECT_EQ(width, 5);
    EXPECT_EQ(height, 6);
    BarDrawMenuItem(&detached, canvas, Rect(0, 0, 10, 10), true, 0);
    EXPECT_TRUE(Log.empty());
}

// ---- Measuring ---------------------------------------------------------------------------------

// Every way of showing the menu can be overridden: the cursor's popup goes through the point's.
TEST_F(BarMenusTest, ThePopupAtAPointIsVirtual) {
    struct TPointPopup : TBcBarPopupMenu {
        using TBcBarPopupMenu::Popup;
        using TBcBarPopupMenu::TBcBarPopupMenu;
        void Popup(const TPoint& point) override { Shown = point; }
        TPoint Shown{-1, -1};
    };
    TPointPopup menu(nullptr);
    Headless.SetCursorPos({12, 34});
    static_cast<TBcCustomBarPopupMenu&>(menu).Popup(TPoint{5, 6});
    EXPECT_EQ(menu.Shown, (TPoint{5, 6}));
    menu.PopupAtCursor();
    EXPECT_EQ(menu.Shown, (TPoint{12, 34}));
    EXPECT_TRUE(Headless.Menus().empty());
}

TEST_F(BarMenusTest, SeparatorHeights) {
    Menu->Bar().SetVisible(false);
    Menu->SetMenuStyle(msStandard);
    TMenuItem* line = AddItem("N1", "-");
    // The toolkit's width (-2 + "-" + 7) stays.
    EXPECT_EQ(Measure(line), (TSize{11, 12}));
    line->SetHint("-");
    EXPECT_EQ(Measure(line), (TSize{11, 14}));
    line->SetEnabled(false);
    EXPECT_EQ(Measure(line), (TSize{11, 12}));
    Menu->SetMenuStyle(msWindowsXP);
    EXPECT_EQ(Measure(line), (TSize{11, 9}));
    line->SetEnabled(true);
    EXPECT_EQ(Measure(line), (TSize{11, 14}));
}

TEST_F(BarMenusTest, TheMenuFontSetsTheSizeWithAMinimum) {
    Menu->Bar().SetVisible(false);
    Menu->SetMenuStyle(msStandard);
    // The system font: the toolkit's size (-7 + 24 + 7 by 16 + 3) and 23 for the glyph column.
    EXPECT_EQ(Measure(Open), (TSize{47, 19}));
    Menu->SetUseSystemFont(false);
    TFont font;
    font.Height = -11; // text 13 high, 6 wide a character
    Menu->SetMenuFont(font);
    EXPECT_EQ(Measure(Open), (TSize{24 + 18 + 23, 19}));
    font.Height = -7; // text 9 high, 4 wide
    Menu->SetMenuFont(font);
    EXPECT_EQ(Measure(Open), (TSize{16 + 18 + 23, 16}));
    // The shortcut's text follows the caption directly.
    Open->SetShortCut(scCtrl | 'O');
    EXPECT_EQ(Measure(Open), (TSize{(4 + 6) * 4 + 18 + 23, 16}));
}

TEST_F(BarMenusTest, TheXpStyleRoundsTheHeightUpToEven) {
    Menu->Bar().SetVisible(false);
    Menu->SetMenuStyle(msWindowsXP);
    Menu->SetUseSystemFont(false);
    TFont font;
    font.Height = -9; // text 11 high: 17, made 18; 5 wide a character
    Menu->SetMenuFont(font);
    EXPECT_EQ(Measure(Open), (TSize{20 + 18 + 23 + 2, 18}));
    font.Height = -8; // text 10 high: 16 stays; 4 wide
    Menu->SetMenuFont(font);
    EXPECT_EQ(Measure(Open), (TSize{16 + 18 + 23 + 2, 16}));
}

TEST_F(BarMenusTest, GlyphsAndImageListsTakeTheGlyphColumn) {
    Menu->Bar().SetVisible(false);
    Menu->SetMenuStyle(msStandard);
    Open->Bitmap().SetSize(16, 16);
    EXPECT_EQ(Measure(Open), (TSize{31 + 24 + 7, 19}));
    EXPECT_EQ(Measure(Save), (TSize{47, 19}));
    TCustomImageList images(nullptr, 16, 16);
    Menu->SetImages(&images);
    EXPECT_EQ(Measure(Save), (TSize{24, 19}));
    Menu->SetImages(nullptr);
}

TEST_F(BarMenusTest, AWindowsKeyShortcutIsShownWithWinPlus) {
    Menu->Bar().SetVisible(false);
    Menu->SetMenuStyle(msStandard);
    EXPECT_EQ(BcShortCutToText(scWin | scCtrl | 'A'), "Win+Ctrl+A");
    EXPECT_EQ(BcShortCutToText(scCtrl | 'A'), "Ctrl+A");
    Open->SetShortCut(scWin | 'A');
    // The toolkit counts "OpenA"; "Win+" comes on top.
    EXPECT_EQ(Measure(Open), (TSize{30 + 24 + 23, 19}));
}

TEST_F(BarMenusTest, TheBarWidensTheFirstColumnAndCountsItsHeight) {
    Menu->SetMenuStyle(msStandard);
    Quit->SetBreak(mbBreak);
    TMenuItem* after = AddItem("After1", "After");
    TMenuItem* sub = AddItem("Sub1", "Sub", Open);
    Menu->GetBarProtected().SetUpdatePopupHeight(true);
    EXPECT_EQ(Measure(Open), (TSize{47 + 33, 19}));
    EXPECT_EQ(Measure(Save), (TSize{47 + 33, 19}));
    EXPECT_EQ(Measure(Quit), (TSize{47, 19}));
    EXPECT_EQ(Measure(after), (TSize{53, 19}));
    // Items of a drop-down have no bar.
    EXPECT_EQ(Measure(sub), (TSize{41, 19}));
    EXPECT_EQ(Menu->GetBarProtected().PopupHeight(), 38);

    // Hidden items are not counted.
    Menu->GetBarProtected().SetUpdatePopupHeight(true);
    Save->SetVisible(false);
    Measure(Open);
    Measure(Save);
    EXPECT_EQ(Menu->GetBarProtected().PopupHeight(), 19);
}

TEST_F(BarMenusTest, TheEventAndTheModuleAdjustTheMeasuredSize) {
    Menu->SetMenuStyle(msStandard);
    Menu->Bar().SetVisible(false);
    Menu->Separators().SeparatorStyle = ssShortLine;
    TLoggingModule module(nullptr, Log);
    module.ClearDefaultMeasure = false;
    Menu->SetDrawModule(&module);
    // The short line's strip is added after the module.
    EXPECT_EQ(Measure(Open), (TSize{57, 19}));
    EXPECT_EQ(Logged("Module"), std::vector<std::string>{"Module measure Open 47x19"});
    // A module that clears DefaultMeasure prevents it.
    module.ClearDefaultMeasure = true;
    EXPECT_EQ(Measure(Open), (TSize{47, 19}));

    // The event comes first; when it clears DefaultMeasure the module is not asked.
    Log.clear();
    Menu->OnMeasureMenuItem = [this](TComponent* sender, TMenuItem* item, TCanvas&, int& width,
                                     int& height, bool barVisible, bool& defaultMeasure) {
        EXPECT_EQ(sender, Menu.get());
        Log.push_back("Event " + item->Caption() + " " + std::to_string(width) + "x" +
                      std::to_string(height) + (barVisible ? " bar" : ""));
        height = 30;
        defaultMeasure = false;
    };
    EXPECT_EQ(Measure(Open), (TSize{47, 30}));
    EXPECT_EQ(Log, std::vector<std::string>{"Event Open 47x19"});
    Menu->SetDrawModule(nullptr);
}

TEST_F(BarMenusTest, TheAutomaticStyleFollowsTheSystem) {
    Headless.SetOsVersion({true, 6, 0});
    StartBarMenus();
    EXPECT_EQ(Menu->UseMenuStyle(), msStandard);
    EXPECT_FALSE(WinXP());
    EXPECT_TRUE(Win2K());
    Headless.SetOsVersion({true, 5, 1});
    StartBarMenus();
    EXPECT_EQ(Menu->UseMenuStyle(), msWindowsXP);
    Headless.SetOsVersion({true, 6, 1});
    StartBarMenus();
    EXPECT_TRUE(WinXP());
    Headless.SetOsVersion({false, 4, 10});
    StartBarMenus();
    EXPECT_TRUE(Win98Plus());
    EXPECT_FALSE(Win2K());
    EXPECT_EQ(Menu->UseMenuStyle(), msStandard);
    Headless.SetOsVersion({false, 4, 0});
    StartBarMenus();
    EXPECT_FALSE(Win98Plus());
    // A style of its own is kept.
    Menu->SetMenuStyle(msWindowsXP);
    EXPECT_EQ(Menu->UseMenuStyle(), msWindowsXP);
}

TEST_F(BarMenusTest, SizesThatOverflowAreErrors) {
    Menu->Bar().SetWidth(INT_MAX);
    EXPECT_THROW(Measure(Open), EIntOverflow);
    Menu->Bar().SetWidth(32);
    Menu->Bar().SetSpace(INT_MAX);
    TSoftCanvas canvas(10, 10);
    EXPECT_THROW(BarDrawMenuItem(Open, canvas, Rect(0, 0, 10, 10), true, 0), EIntOverflow);
}

TEST_F(BarMenusTest, ABareBaseModuleIsAnAbstractError) {
    TBcBarMenusDrawModule bare(nullptr);
    Menu->SetDrawModule(&bare);
    EXPECT_THROW(Measure(Open), EAbstractError);
    TSoftCanvas canvas(10, 10);
    EXPECT_THROW(BarDrawMenuItem(Open, canvas, Rect(0, 0, 10, 10), false, 0), EAbstractError);
    Menu->SetDrawModule(nullptr);
}

// ---- Painting ----------------------------------------------------------------------------------

TEST_F(BarMenusTest, TheBarIsRenderedOnceAndCopiedSliceBySlice) {
    Menu->SetMenuStyle(msStandard);
    TLoggingModule module(nullptr, Log);
    Menu->SetDrawModule(&module);
    Menu->OnBeforeDrawBar = [this](TComponent* sender, TCanvas& canvas, const TRect& r,
                                   bool& /*defaultDraw*/) {
        EXPECT_EQ(sender, Menu.get());
        Log.push_back("Before " + RectText(r));
        canvas.Brush.Color = clRed;
        canvas.FillRect(r);
    };
    Menu->OnAdvancedBeforeDrawBar = [this](TComponent*, TCanvas&, const TRect&, TBarParts& parts) {
        Log.push_back("Parts " + std::to_string(parts));
    };
    Menu->OnAfterDrawBar = [this](TComponent*, TCanvas&, const TRect& r) {
        Log.push_back("After " + RectText(r));
    };
    Headless.QueueAnswer(TModalAnswer::PressKey(vkDown));
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->Popup(0, 0);

    // Items 80 wide (47 + 33) and 19 high from (3, 3): the window is 86 x 63, the bar buffer
    // 32 x 63.
    const TShownMenu& shown = Headless.Menus()[0];
    EXPECT_EQ(shown.Bounds, Rect(0, 0, 86, 63));
    const std::vector<std::string> expected{
        "Module draw Open (36,3,83,22) 0 bar",
        "Before (0,0,32,63)",
        "Parts 15",
        "Gradient (0,0,32,63)",
        "BackPicture",
        "Picture",
        "Caption (0,0,32,63)",
        "After (0,0,32,63)",
        "Module draw Save (36,22,83,41) 0 bar",
        "DoubleBuffer (3,22,35,41) from (0,22,32,41)",
        "Module draw Quit (36,41,83,60) 0 bar",
        "DoubleBuffer (3,41,35,60) from (0,41,32,60)",
        // The highlight: the bar is only copied.
        "Module draw Open (36,3,83,22) 1 bar",
        "DoubleBuffer (3,3,35,22) from (0,3,32,22)",
    };
    std::vector<std::string> painted;
    for (const std::string& entry : Log) {
        if (entry.rfind("Module measure", 0) != 0) {
            painted.push_back(entry);
        }
    }
    EXPECT_EQ(painted, expected);
    EXPECT_EQ(Menu->GetBarProtected().PopupHeight(), 63);
    EXPECT_EQ(Menu->GetBarProtected().GetBarDoubleBuffer().Width(), 32);
    EXPECT_EQ(Menu->GetBarProtected().GetBarDoubleBuffer().Height(), 63);
    // The whole buffer went onto the window at (3, 0), the bar's column, with the first item;
    // then the items.
    EXPECT_EQ(shown.OpenImage.Pixel(3, 0), clRed);
    EXPECT_EQ(shown.OpenImage.Pixel(34, 62), clRed);
    EXPECT_EQ(shown.OpenImage.Pixel(40, 30), clBlue);
    EXPECT_EQ(shown.OpenImage.Pixel(35, 30), ColorToRGB(clMenu));

    // The buffer survives: the next popup renders nothing.
    Log.clear();
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->Popup(0, 0);
    EXPECT_TRUE(Logged("Before").empty());
    EXPECT_EQ(Logged("DoubleBuffer").size(), 3u);

    // A change of a top-level item has the bar rendered again.
    Log.clear();
    Save->SetChecked(true);
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->Popup(0, 0);
    EXPECT_EQ(Logged("Before").size(), 1u);
    EXPECT_EQ(Logged("DoubleBuffer").size(), 2u);
    Menu->SetDrawModule(nullptr);
}

TEST_F(BarMenusTest, BarEventsChooseThePartsPainted) {
    Menu->SetMenuStyle(msStandard);
    Menu->Bar().BarPicture().SetVisible(false);
    Menu->Bar().BarCaption().Visible = false;
    Menu->OnAdvancedBeforeDrawBar = [this](TComponent*, TCanvas&, const TRect&, TBarParts& parts) {
        Log.push_back("Parts " + std::to_string(parts));
        parts &= TBarParts(~BarPartBit(bpGradient));
    };
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->Popup(0, 0);
    EXPECT_EQ(Logged("Parts"), std::vector<std::string>{"Parts 5"});
    EXPECT_TRUE(Logged("Gradient").empty());
    EXPECT_EQ(Logged("BackPicture").size(), 1u);

    // An OnBeforeDrawBar that clears DefaultDraw leaves out the parts, but the buffer is still
    // copied and OnAfterDrawBar runs.
    Log.clear();
    Menu->RefreshMenu(true, false);
    Menu->OnBeforeDrawBar = [](TComponent*, TCanvas&, const TRect&, bool& defaultDraw) {
        defaultDraw = false;
    };
    Menu->OnAfterDrawBar = [this](TComponent*, TCanvas&, const TRect&) { Log.push_back("After"); };
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->Popup(0, 0);
    EXPECT_TRUE(Logged("Parts").empty());
    EXPECT_TRUE(Logged("BackPicture").empty());
    EXPECT_EQ(Logged("After").size(), 1u);
}

TEST_F(BarMenusTest, WithoutAModuleTheDefaultPaintingGetsTheRectLessTheBar) {
    Menu->SetMenuStyle(msStandard);
    Menu->Bar().SetSide(sRight);
    Menu->Separators().SeparatorStyle = ssShortLine;
    Menu->SetUseSystemFont(false);
    Quit->SetBreak(mbBreak);
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->Popup(0, 0);
    // Width 24 + 18 + 23 + 10 + 33 = 108 for Open; the bar on the right; 10 more given up for
    // the short line; Quit, after the break, has no bar.
    const std::vector<std::string> items = Logged("ItemEx");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], "ItemEx Open (3,3,68,22) 0");
    EXPECT_EQ(items[2], "ItemEx Quit (111,3,176,22) 0");
    EXPECT_EQ(Logged("DoubleBuffer").front(), "DoubleBuffer (79,22,111,41) from (0,22,32,41)");
}

TEST_F(BarMenusTest, ADrawModuleThatPaintsLeavesOutOnlyTheDefaultPainting) {
    Menu->SetMenuStyle(msStandard);
    Menu->Bar().SetVisible(false);
    TLoggingModule module(nullptr, Log);
    Menu->SetDrawModule(&module);
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->Popup(0, 0);
    EXPECT_TRUE(Logged("ItemEx").empty());
    EXPECT_EQ(Logged("Module draw").size(), 3u);
    EXPECT_TRUE(Logged("DoubleBuffer").empty());

    module.ClearDefaultDraw = false;
    Log.clear();
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->Popup(0, 0);
    EXPECT_EQ(Logged("ItemEx").size(), 3u);
    Menu->SetDrawModule(nullptr);
}

TEST_F(BarMenusTest, TheMenuFontIsSetBeforeTheModulePaints) {
    Menu->SetUseSystemFont(false);
    TFont font;
    font.Name = "Own";
    Menu->SetMenuFont(font);
    TSoftCanvas canvas(100, 100);
    TLoggingModule module(nullptr, Log);
    Menu->SetDrawModule(&module);
    module.Color = clLime;
    BarDrawMenuItem(Save, canvas, Rect(0, 0, 50, 20), false, 0);
    EXPECT_EQ(canvas.Font.Name, "Own");
    Menu->SetDrawModule(nullptr);
}

// ---- The module's link -------------------------------------------------------------------------

TEST_F(BarMenusTest, LinkingAndRemovingTheModule) {
    auto* first = new TLoggingModule(nullptr, Log);
    TLoggingModule second(nullptr, Log);
    Menu->SetDrawModule(first);
    EXPECT_EQ(first->GetDrawingMenu(), Menu.get());
    Menu->GetBarProtected().GetBarDoubleBuffer().SetSize(32, 10);
    Menu->SetDrawModule(&second);
    EXPECT_EQ(first->GetDrawingMenu(), nullptr);
    EXPECT_EQ(second.GetDrawingMenu(), Menu.get());
    EXPECT_FALSE(Menu->GetBarProtected().HasBarDoubleBuffer());

    // RedrawMenus assigns the module again, which drops the buffer.
    Menu->GetBarProtected().GetBarDoubleBuffer().SetSize(32, 10);
    second.RedrawMenus();
    EXPECT_FALSE(Menu->GetBarProtected().HasBarDoubleBuffer());

    // Removing the module leaves the menu without one; the default painting takes over.
    Menu->SetDrawModule(first);
    TComponent::Free(first);
    EXPECT_EQ(Menu->GetDrawModule(), nullptr);
    Log.clear();
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->Popup(0, 0);
    EXPECT_EQ(Logged("ItemEx").size(), 3u);
    EXPECT_TRUE(Logged("Module").empty());

    // A module outlives the menu it drew for and forgets it.
    Menu->SetDrawModule(&second);
    Menu.reset();
    EXPECT_EQ(second.GetDrawingMenu(), nullptr);
    second.RedrawMenus();
}

TEST_F(BarMenusTest, HidingTheBarFreesItsBuffer) {
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->Popup(0, 0);
    EXPECT_TRUE(Menu->GetBarProtected().BarBufferValid);
    Menu->Bar().SetVisible(false);
    EXPECT_FALSE(Menu->GetBarProtected().HasBarDoubleBuffer());
    EXPECT_FALSE(Menu->GetBarProtected().BarBufferValid);
    EXPECT_TRUE(Menu->GetBarProtected().UpdatePopupHeight());
}

TEST_F(BarMenusTest, PopupAtCursorOpensWhereThePointerIs) {
    Headless.SetCursorPos({300, 200});
    Headless.QueueAnswer(TModalAnswer::ClickControl("Save1"));
    std::vector<std::string> clicks;
    Save->OnClick = [&clicks](TComponent*) { clicks.push_back("Save"); };
    Menu->PopupAtCursor();
    EXPECT_EQ(Headless.Menus()[0].Point, (TPoint{300, 200}));
    EXPECT_EQ(clicks, std::vector<std::string>{"Save"});
    EXPECT_NE(Menu->GetMenuWindowHandle(), 0u);
}

TEST_F(BarMenusTest, RefreshMenuResetsTheBarAndRebuilds) {
    Menu->GetBarProtected().BarBufferValid = true;
    Menu->GetBarProtected().SetUpdatePopupHeight(false);
    Menu->RefreshMenu(true, false);
    EXPECT_FALSE(Menu->GetBarProtected().BarBufferValid);
    EXPECT_TRUE(Menu->GetBarProtected().UpdatePopupHeight());
    EXPECT_EQ(Headless.MenuRebuilds().size(), 1u);
    Menu->RefreshMenu(false, true);
    EXPECT_EQ(Headless.MenuRebuilds().size(), 2u);
    Menu->RefreshMenu(false, false);
    EXPECT_EQ(Headless.MenuRebuilds().size(), 2u);
    EXPECT_TRUE(Headless.MenuBarRedraws().empty());
}

// ---- The main-menu twin ------------------------------------------------------------------------

TEST_F(BarMenusTest, TheMainMenuShowsTheBarInTheFirstDropDownOnly) {
    TBcBarMainMenu main(nullptr);
    main.SetMenuStyle(msStandard);
    Headless.ClearRecords();
    auto add = [&main](TMenuItem* parent, const std::string& caption) {
        auto* item = new TMenuItem(&main);
        item->SetCaption(caption);
        (parent ? parent : main.Items())->Add(item);
        return item;
    };
    TMenuItem* file = add(nullptr, "File");
    TMenuItem* edit = add(nullptr, "Edit");
    TMenuItem* open = add(file, "Open");
    TMenuItem* copy = add(edit, "Copy");
    // The bar's items: the toolkit's 47 and 33 for the bar; the bar's own items keep the
    // caption's width.
    EXPECT_EQ(Measure(open), (TSize{47 + 33, 19}));
    EXPECT_EQ(Measure(copy), (TSize{47, 19}));
    EXPECT_EQ(Measure(file), (TSize{24, 16}));
    EXPECT_TRUE(IsInTopMainMenu(file));
    EXPECT_FALSE(IsInTopMainMenu(open));
    EXPECT_TRUE(IsInFirstVisibleMenu(&main, open));
    file->SetVisible(false);
    EXPECT_TRUE(IsInFirstVisibleMenu(&main, copy));

    // Style, font and module changes refresh the menu; on a window the bar is redrawn.
    Headless.ClearRecords();
    main.SetMenuStyle(msStandard); // unchanged: nothing
    EXPECT_TRUE(Headless.MenuRebuilds().empty());
    main.SetWindowHandle(77);
    main.SetMenuStyle(msWindowsXP);
    EXPECT_EQ(Headless.MenuBarRedraws(), std::vector<TMenuWindow>{77});
    EXPECT_EQ(Headless.MenuRebuilds().size(), 1u);
    main.SetMenuFont(TFont());
    EXPECT_EQ(Headless.MenuBarRedraws().size(), 2u);
    main.SetUseSystemFont(false);
    EXPECT_EQ(Headless.MenuBarRedraws().size(), 3u);
    EXPECT_EQ(Headless.MenuRebuilds().size(), 1u);
    TLoggingModule module(nullptr, Log);
    main.SetDrawModule(&module);
    EXPECT_EQ(module.GetDrawingMenu(), &main);
    EXPECT_EQ(Headless.MenuRebuilds().size(), 3u);
    // Hiding its bar refreshes a main menu on a window.
    const std::size_t rebuilds = Headless.MenuRebuilds().size();
    main.Bar().SetVisible(false);
    EXPECT_EQ(Headless.MenuRebuilds().size(), rebuilds + 1);
    main.SetDrawModule(nullptr);
}
