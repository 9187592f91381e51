// The toolkit's menus on the headless platform: the item tree and its notifications, the
// measure and draw requests, and popup sessions driven as a user drives them.

#include "toolkit/Menus.h"

#include "toolkit/Controls.h"
#include "toolkit/Sysutils.h"

#include "Headlesstest.h"
#include "Pixelcheck.h"

#include <string>
#include <vector>

namespace {

// A menu that writes down every change it hears of.
class TRecordingMenu : public TPopupMenu {
public:
    explicit TRecordingMenu(TComponent* owner) : TPopupMenu(owner) {}
    void MenuChanged(TComponent* sender, TMenuItem* source, bool rebuild) override {
        Changes.push_back(source ? source->Caption() : "(menu)");
        TPopupMenu::MenuChanged(sender, source, rebuild);
    }
    void ItemRemoved(TMenuItem* item) override { Removed.push_back(item->Caption()); }
    std::vector<std::string> Changes;
    std::vector<std::string> Removed;
};

TMenuItem* AddItem(TMenu& menu, const std::string& name, const std::string& caption) {
    auto* item = new TMenuItem(&menu);
    item->SetName(name);
    item->SetCaption(caption);
    menu.Items()->Add(item);
    return item;
}

TColor StateColor(TOwnerDrawState state) {
    if (state & odSelected) {
        return clRed;
    }
    return (state & odGrayed) ? clGray : clLime;
}

class MenusTest : public HeadlessTest {
protected:
    // Open (Ctrl+O), Save, a separator, a disabled Print and Quit; owner-drawn, each item
    // painted in a colour of its state and 20 pixels high except the separator.
    void SetUp() override {
        HeadlessTest::SetUp();
        Menu.reset(new TRecordingMenu(nullptr));
        Menu->SetOwnerDraw(true);
        Open = AddItem(*Menu, "Open1", "&Open");
        Open->SetShortCut(scCtrl | 'O');
        Save = AddItem(*Menu, "Save1", "&Save");
        AddItem(*Menu, "N1", "-");
        Print = AddItem(*Menu, "Print1", "&Print");
        Print->SetEnabled(false);
        Quit = AddItem(*Menu, "Quit1", "&Quit");
        for (int i = 0; i < Menu->Items()->Count(); ++i) {
            TMenuItem* item = Menu->Items()->Items(i);
            item->OnClick = [this](TComponent* sender) {
                Clicks.push_back(static_cast<TMenuItem*>(sender)->Caption());
            };
            item->OnMeasureItem = [](TComponent* sender, TCanvas&, int&, int& height) {
                if (!static_cast<TMenuItem*>(sender)->IsLine()) {
                    height = 20;
                }
            };
            item->OnAdvancedDrawItem = [](TComponent*, TCanvas& canvas, const TRect& r,
                                          TOwnerDrawState state) {
                canvas.Brush.Color = StateColor(state);
                canvas.FillRect(r);
            };
        }
    }
    void TearDown() override {
        Menu.reset();
        HeadlessTest::TearDown();
    }

    // (index, selected) of each draw request from the first one on.
    static std::vector<std::pair<int, bool>> Repaints(const TShownMenu& shown, std::size_t from) {
        std::vector<std::pair<int, bool>> paints;
        for (std::size_t i = from; i < shown.Paints.size(); ++i) {
            paints.emplace_back(shown.Paints[i].Index, (shown.Paints[i].State & odSelected) != 0);
        }
        return paints;
    }

    TComponentPtr<TRecordingMenu> Menu;
    TMenuItem* Open = nullptr;
    TMenuItem* Save = nullptr;
    TMenuItem* Print = nullptr;
    TMenuItem* Quit = nullptr;
    std::vector<std::string> Clicks;
};

} // namespace

TEST_F(MenusTest, ASessionAtTheCursorMovesTheHighlightAndChoosesWithTheKeyboard) {
    Headless.SetCursorPos({100, 50});
    Headless.QueueAnswer(TModalAnswer::PressKey(vkDown));
    Headless.QueueAnswer(TModalAnswer::PressKey(vkDown));
    Headless.QueueAnswer(TModalAnswer::PressKey(vkDown)); // past the separator
    Headless.QueueAnswer(TModalAnswer::PressKey(vkUp));
    Headless.QueueAnswer(TModalAnswer::PressKey(vkReturn));
    const TPoint cursor = Headless.CursorPos();
    Menu->Popup(cursor.X, cursor.Y);

    EXPECT_EQ(Clicks, std::vector<std::string>{"&Save"});
    ASSERT_EQ(Headless.Menus().size(), 1u);
    const TShownMenu& shown = Headless.Menus()[0];
    EXPECT_EQ(shown.Point, (TPoint{100, 50}));
    EXPECT_EQ(shown.Chosen, 1);

    // Default sizes, 6-pixel characters of the headless font: an item without a glyph starts
    // at -7 x (16 + 3) and grows by its caption and shortcut ("&OpenCtrl+O", 11 characters)
    // plus 7; the handler then makes it 20 high. The separator keeps -2 + 6 + 7 by 5.
    ASSERT_EQ(shown.Sizes.size(), 5u);
    EXPECT_EQ(shown.Sizes[0], (TSize{66, 20}));
    EXPECT_EQ(shown.Sizes[1], (TSize{30, 20}));
    EXPECT_EQ(shown.Sizes[2], (TSize{11, 5}));
    // Laid out from (3, 3), all as wide as the widest; the window has a 3-pixel frame.
    EXPECT_EQ(shown.ItemRects[0], Rect(3, 3, 69, 23));
    EXPECT_EQ(shown.ItemRects[2], Rect(3, 43, 69, 48));
    EXPECT_EQ(shown.ItemRects[4], Rect(3, 68, 69, 88));
    EXPECT_EQ(shown.Bounds, Rect(100, 50, 172, 141));

    // Opening paints every item; each change of the highlight repaints the old item and then
    // the new one, skipping the separator.
    const std::vector<std::pair<int, bool>> expected{
        {0, false}, {1, false}, {2, false}, {3, false}, {4, false}, // opening
        {0, true},                                                  // Down
        {0, false}, {1, true},                                      // Down
        {1, false}, {3, true},                                      // Down, past "-"
        {3, false}, {1, true},                                      // Up
    };
    EXPECT_EQ(Repaints(shown, 0), expected);
    EXPECT_EQ(shown.Paints[2].State, odGrayed | odDisabled);
    EXPECT_EQ(shown.Paints[3].State, odGrayed | odDisabled);
    EXPECT_EQ(shown.Paints[9].State, odSelected | odGrayed | odDisabled);

    // The pixels: the highlighted Save in red, the others green, disabled ones grey, the
    // system's frame in the menu colour.
    TSoftCanvas image(shown.Image.Width(), shown.Image.Height());
    image.CopyRect(Rect(0, 0, image.Width(), image.Height()),
                   const_cast<TBitmap&>(shown.Image).Canvas(),
                   Rect(0, 0, image.Width(), image.Height()));
    EXPECT_TRUE(AreaIs(image, shown.ItemRects[0], clLime));
    EXPECT_TRUE(AreaIs(image, shown.ItemRects[1], clRed));
    EXPECT_TRUE(AreaIs(image, shown.ItemRects[3], clGray));
    EXPECT_EQ(image.Pixel(2, 2), ColorToRGB(clMenu));
    EXPECT_EQ(shown.OpenImage.Pixel(10, 30), clLime);
}

TEST_F(MenusTest, OpeningAgainAndCancellingRunsNoClick) {
    Headless.QueueAnswer(TModalAnswer::ClickControl("Quit1"));
    Menu->Popup(10, 10);
    Headless.QueueAnswer(TModalAnswer::PressKey(vkDown));
    Headless.QueueAnswer(TModalAnswer::PressKey(vkEscape));
    Menu->Popup(10, 10);
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->Popup(10, 10);

    EXPECT_EQ(Clicks, std::vector<std::string>{"&Quit"});
    ASSERT_EQ(Headless.Menus().size(), 3u);
    EXPECT_EQ(Headless.Menus()[0].Chosen, 4);
    EXPECT_EQ(Headless.Menus()[1].Chosen, -1);
    EXPECT_EQ(Headless.Menus()[2].Chosen, -1);
    // Every popup measures and paints anew.
    EXPECT_EQ(Headless.Menus()[2].Paints.size(), 5u);
    EXPECT_EQ(Headless.Journal(),
              (std::vector<std::string>{"Menu 10,10", "Menu 10,10", "Menu 10,10"}));
}

TEST_F(MenusTest, DisabledItemsAndSeparatorsCannotBeChosen) {
    // A click on the disabled item highlights it and leaves the menu open; so does Enter on it.
    Headless.QueueAnswer(TModalAnswer::ClickControl("Print1"));
    Headless.QueueAnswer(TModalAnswer::PressKey(vkReturn));
    Headless.QueueAnswer(TModalAnswer::ClickControl("N1"));
    Headless.QueueAnswer(TModalAnswer::PressKey('O')); // the accelerator of "&Open"
    Menu->Popup(0, 0);
    EXPECT_EQ(Clicks, std::vector<std::string>{"&Open"});
    EXPECT_EQ(Headless.Menus()[0].Chosen, 0);
}

TEST_F(MenusTest, AMenuNearTheScreenEdgeIsMovedInside) {
    Headless.SetScreenSize({200, 100});
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->Popup(190, 90);
    EXPECT_EQ(Headless.Menus()[0].Bounds, Rect(128, 9, 200, 100));
}

TEST_F(MenusTest, AMenuWithoutAnswersIsAScriptMistake) {
    EXPECT_THROW(Menu->Popup(0, 0), THeadlessScriptError);
}

TEST_F(MenusTest, WithoutOwnerDrawTheToolkitMeasuresAndPaints) {
    Menu->SetOwnerDraw(false);
    Headless.QueueAnswer(TModalAnswer::PressKey(vkDown));
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->Popup(0, 0);
    const TShownMenu& shown = Headless.Menus()[0];
    // The handlers are not asked: the default height stays.
    EXPECT_EQ(shown.Sizes[0], (TSize{66, 19}));
    // The highlighted item in the highlight colour, the others in the menu colour.
    EXPECT_EQ(shown.Image.Pixel(shown.ItemRects[0].Right - 1, shown.ItemRects[0].Top),
              ColorToRGB(clHighlight));
    EXPECT_EQ(shown.Image.Pixel(shown.ItemRects[1].Right - 1, shown.ItemRects[1].Top),
              ColorToRGB(clMenu));
}

TEST_F(MenusTest, DefaultSizesOfGlyphsImagesAndHiddenItems) {
    Save->Bitmap().SetSize(10, 10);
    TCustomImageList images(nullptr, 20, 12);
    images.Add(TBitmap(20, 12));
    Menu->SetImages(&images);
    Quit->SetImageIndex(0);
    Print->SetImageIndex(5); // not in the list: no glyph
    Open->SetVisible(false);
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->SetOwnerDraw(false);
    Menu->Popup(0, 0);
    const TShownMenu& shown = Headless.Menus()[0];
    ASSERT_EQ(shown.Names, (std::vector<std::string>{"Save1", "N1", "Print1", "Quit1"}));
    // A glyph bitmap counts as 16 x 16, an image of the list with the list's size.
    EXPECT_EQ(shown.Sizes[0], (TSize{31 + 30 + 7, 19}));
    EXPECT_EQ(shown.Sizes[2], (TSize{-7 + 36 + 7, 19}));
    EXPECT_EQ(shown.Sizes[3], (TSize{35 + 30 + 7, 15}));
    Menu->SetImages(nullptr);
}

TEST_F(MenusTest, ColumnBreaksStartNewColumns) {
    Print->SetBreak(mbBreak);
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Menu->Popup(0, 0);
    const TShownMenu& shown = Headless.Menus()[0];
    EXPECT_EQ(shown.ItemRects[3], Rect(69, 3, 69 + 36, 23));
    EXPECT_EQ(shown.ItemRects[4], Rect(69, 23, 69 + 36, 43));
}

TEST_F(MenusTest, EveryChangeOfTheTreeReachesTheMenu) {
    Menu->Changes.clear();
    Save->SetCaption("Save &as");
    Save->SetChecked(true);
    Save->SetChecked(true); // no change
    auto* sub = new TMenuItem(Menu.get());
    sub->SetCaption("Sub");
    auto* inner = new TMenuItem(Menu.get());
    inner->SetCaption("Inner");
    sub->Add(inner); // not in the tree yet: nobody hears of it
    Quit->Add(sub);
    EXPECT_EQ(Menu->Changes, (std::vector<std::string>{"Save &as", "Save &as", "Sub", "Inner"}));

    Menu->Changes.clear();
    Quit->Remove(sub);
    EXPECT_EQ(Menu->Removed, std::vector<std::string>{"Sub"});
    EXPECT_EQ(Menu->Changes, std::vector<std::string>{"&Quit"});
    EXPECT_EQ(sub->GetParentMenu(), nullptr);
    EXPECT_EQ(inner->GetParentMenu(), nullptr);

    Menu->Changes.clear();
    TComponent::Free(Open); // a top-level item leaves: the menu as a whole changed
    EXPECT_EQ(Menu->Changes, std::vector<std::string>{"(menu)"});
    EXPECT_EQ(Menu->Items()->Count(), 4);
    TComponent::Free(sub);
}

TEST_F(MenusTest, ParentsAndParentComponents) {
    auto* sub = new TMenuItem(Menu.get());
    Quit->Add(sub);
    EXPECT_EQ(Quit->GetParentComponent(), Menu.get());
    EXPECT_EQ(sub->GetParentComponent(), Quit);
    EXPECT_EQ(sub->GetParentMenu(), Menu.get());
    EXPECT_EQ(Menu->Items()->GetParentComponent(), Menu.get());
    EXPECT_THROW(sub->Add(Quit), Exception);
    EXPECT_EQ(Quit->Parent(), Menu->Items());
}

TEST(ShortCutToText, NamesTheModifiersAndTheKey) {
    EXPECT_EQ(ShortCutToText(scCtrl | 'O'), "Ctrl+O");
    EXPECT_EQ(ShortCutToText(scShift | scCtrl | scAlt | 0x74), "Shift+Ctrl+Alt+F5");
    EXPECT_EQ(ShortCutToText(46), "Del");
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(ShortCutToText(scCtrl | 0xFF), "");
}
