// The default item painting on the software canvas, in the classic colours of the headless
// platform: menu and button face silver, button shadow and gray text grey, button highlight and
// highlight text white, highlight navy, menu text black.

#include "menus/Itempainting.h"

#include "toolkit/Headlesstest.h"
#include "toolkit/Pixelcheck.h"

namespace {

const TColor Menu_ = RGB(192, 192, 192);
const TColor Shadow = RGB(128, 128, 128);
const TColor Highlight = RGB(0, 0, 128);

class ItemPaintingTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        StartBarMenus();
        Menu.reset(new TBcBarPopupMenu(nullptr));
        Menu->SetMenuStyle(msStandard);
        Item = new TMenuItem(Menu.get());
        Menu->Items()->Add(Item);
    }
    void TearDown() override {
        Menu.reset();
        HeadlessTest::TearDown();
    }

    // A canvas in the menu's colour, as the system hands it to a draw request.
    void Paint(const std::string& caption, TOwnerDrawState state, int width = 100,
               int height = 19) {
        Canvas = std::make_unique<TSoftCanvas>(width, height);
        Canvas->Brush.Color = clMenu;
        Canvas->FillRect(Rect(0, 0, width, height));
        Item->SetCaption(caption);
        DrawMenuItemEx(*Menu, Item, *Canvas, Rect(0, 0, width, height), state);
    }
    // The columns of row y in color.
    std::vector<int> ColumnsIn(int y, TColor color) const {
        std::vector<int> columns;
        for (int x = 0; x < Canvas->Width(); ++x) {
            if (Canvas->Pixel(x, y) == color) {
                columns.push_back(x);
            }
        }
        return columns;
    }
    // The leftmost and rightmost columns that have a pixel of color, or {-1, -1}.
    std::pair<int, int> ExtentOf(TColor color, const TRect& r) const {
        std::pair<int, int> extent{-1, -1};
        for (int y = r.Top; y < r.Bottom; ++y) {
            for (int x = r.Left; x < r.Right; ++x) {
                if (Canvas->Pixel(x, y) == color) {
                    extent.first = extent.first < 0 ? x : std::min(extent.first, x);
                    extent.second = std::max(extent.second, x);
                }
            }
        }
        return extent;
    }
    int Count(TColor color, const TRect& r) const {
        int count = 0;
        for (int y = r.Top; y < r.Bottom; ++y) {
            for (int x = r.Left; x < r.Right; ++x) {
                count += Canvas->Pixel(x, y) == color;
            }
        }
        return count;
    }
    static std::vector<int> Range(int from, int to) {
        std::vector<int> columns;
        for (int x = from; x < to; ++x) {
            columns.push_back(x);
        }
        return columns;
    }

    TComponentPtr<TBcBarPopupMenu> Menu;
    TMenuItem* Item = nullptr;
    std::unique_ptr<TSoftCanvas> Canvas;
};

TEST_F(ItemPaintingTest, SeparatorLinesEtchedFlatAndShort) {
    Paint("-", odGrayed | odDisabled, 40, 12);
    EXPECT_EQ(ColumnsIn(5, Shadow), Range(0, 40));
    EXPECT_EQ(ColumnsIn(6, clWhite), Range(0, 40));
    Menu->Separators().FlatLines = true;
    Paint("-", 0, 40, 12);
    EXPECT_EQ(ColumnsIn(5, Shadow), Range(0, 40));
    EXPECT_EQ(ColumnsIn(6, Menu_), Range(0, 40));
    // The short line: the 10 pixels the item gave up come back, 12 go on each side.
    Menu->Separators().SeparatorStyle = ssShortLine;
    Paint("-", 0, 40, 12);
    EXPECT_EQ(ColumnsIn(5, Shadow), Range(12, 38));
}

TEST_F(ItemPaintingTest, FadeLinesFadeInFromTheMenuOrNotAtAll) {
    TBcSeparators& separators = Menu->Separators();
    separators.Fade = true;
    separators.FadeWidth = 0;
    Paint("-", 0, 40, 12);
    EXPECT_EQ(ColumnsIn(4, Shadow), Range(0, 40));
    EXPECT_EQ(ColumnsIn(5, clWhite), Range(0, 40));
    // Over 4 pixels from silver to grey: 192, 176, 160, 144, then 128, and back at the end.
    separators.FadeWidth = 4;
    separators.FlatLines = true;
    Paint("-", 0, 40, 12);
    EXPECT_TRUE(RowIs(*Canvas, 4,
                      {Menu_, RGB(176, 176, 176), RGB(160, 160, 160), RGB(144, 144, 144), Shadow}));
    EXPECT_EQ(Canvas->Pixel(39, 4), Menu_);
    EXPECT_EQ(Canvas->Pixel(38, 4), RGB(176, 176, 176));
    EXPECT_EQ(ColumnsIn(5, Menu_), Range(0, 40)) << "no highlight line with flat lines";
}

TEST_F(ItemPaintingTest, SeparatorTextsHaveABlankOnEachSide) {
    Item->SetHint("Tools");
    // " Tools " is 42 pixels: centred in 100 at round(28.5) = 28, its ink from 34 to 63.
    Paint("-", 0, 100, 14);
    EXPECT_EQ(ExtentOf(clBlack, Rect(0, 0, 100, 14)).first, 34);
    EXPECT_LE(ExtentOf(clBlack, Rect(0, 0, 100, 14)).second, 63);
    std::vector<int> line = ColumnsIn(6, Shadow);
    EXPECT_EQ(std::vector<int>(line.begin(), line.begin() + 28), Range(0, 28));
    EXPECT_EQ(std::vector<int>(line.end() - 30, line.end()), Range(70, 100));

    // The caption style: on the separators' gradient, here at the right.
    Menu->Separators().SeparatorStyle = ssCaption;
    Menu->Separators().Alignment = taRightJustify;
    Paint("-", 0, 100, 14);
    EXPECT_EQ(Canvas->Pixel(0, 0), clGray);
    const auto [left, right] = ExtentOf(clBlack, Rect(0, 0, 100, 14));
    EXPECT_EQ(left, 58 + 6);
    EXPECT_LE(right, 93);
    EXPECT_GE(right, 90);
    // A disabled separator shows no text.
    Item->SetEnabled(false);
    Paint("-", 0, 100, 14);
    EXPECT_EQ(ExtentOf(clBlack, Rect(0, 0, 100, 14)).first, -1);
}

// Between the lines, a separator's text stands in a rectangle of its own height at the item's
// top, not centred in a taller item.
TEST_F(ItemPaintingTest, SeparatorTextsAreAsHighAsTheirText) {
    Item->SetHint("Tools");
    Paint("-", 0, 100, 40);
    int lowest = -1;
    for (int y = 0; y < 40; ++y) {
        if (!ColumnsIn(y, clBlack).empty()) {
            lowest = y;
        }
    }
    // The software font's text is 13 pixels high: its ink ends above row 13.
    EXPECT_GE(lowest, 0);
    EXPECT_LT(lowest, 13);
}

TEST_F(ItemPaintingTest, CheckMarksAndTheMissingRadioBitmap) {
    Item->SetChecked(true);
    Paint("Open", odChecked);
    // The box (2, 1) to (10, 16) on a checker of button face and white, the mark in the middle.
    EXPECT_EQ(Canvas->Pixel(3, 1), Menu_);
    EXPECT_EQ(Canvas->Pixel(4, 1), clWhite);
    EXPECT_EQ(Count(clBlack, Rect(2, 0, 12, 19)), 21);
    EXPECT_EQ(Canvas->Pixel(8, 5), clBlack) << "the mark's upper right end";

    Item->SetRadioItem(true);
    Paint("Open", odChecked);
    EXPECT_EQ(Count(clBlack, Rect(2, 0, 12, 19)), 0);
    EXPECT_EQ(Canvas->Pixel(4, 1), clWhite) << "the box is still backed";
    // A program that has the bitmap shows it centred, its bottom-left colour transparent.
    TBitmap dot(3, 3);
    dot.Canvas().Brush.Color = clRed;
    dot.Canvas().FillRect(Rect(0, 0, 3, 3));
    dot.SetPixel(0, 2, clFuchsia);
    Headless.AddBitmapResource("BCRADIOITEM", dot);
    Paint("Open", odChecked);
    EXPECT_EQ(Count(clRed, Rect(0, 0, 100, 19)), 8);
    EXPECT_EQ(Canvas->Pixel(5, 8), clRed);
    EXPECT_EQ(Canvas->Pixel(4, 9), clWhite) << "the checker shows through";
}

// In a menu with an image list, a checked item with no picture of its own there still shows
// the check mark, centred in the list's column of 16 pixels.
TEST_F(ItemPaintingTest, ACheckedItemWithoutAPictureInAnImageListMenuShowsTheMark) {
    TCustomImageList images(nullptr, 16, 16);
    Menu->SetImages(&images);
    Item->SetChecked(true);
    Paint("Open", odChecked);
    EXPECT_EQ(Count(clBlack, Rect(1, 0, 19, 19)), 21);
    const auto [left, right] = ExtentOf(clBlack, Rect(1, 0, 19, 19));
    // The column runs from x 1 to 16; the mark of 7 pixels starts (16 - 7) / 2 = 4 into it.
    EXPECT_EQ(left, 5);
    EXPECT_EQ(right, 11);
    Menu->SetImages(nullptr);
}

TEST_F(ItemPaintingTest, DisabledCaptionsAreEngraved) {
    Item->SetEnabled(false);
    Paint("Open", odGrayed | odDisabled);
    const TRect all = Rect(0, 0, 100, 19);
    EXPECT_EQ(Count(clBlack, all), 0);
    EXPECT_GT(Count(Shadow, all), 0);
    EXPECT_GT(Count(clWhite, all), 0);
    // Every grey pixel has its white copy one pixel down and right, unless grey covers it.
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 99; ++x) {
            if (Canvas->Pixel(x, y) == Shadow) {
                EXPECT_TRUE(Canvas->Pixel(x + 1, y + 1) == clWhite ||
                            Canvas->Pixel(x + 1, y + 1) == Shadow)
                    << x << "," << y;
            }
        }
    }
    // Selected: no white copy on the highlight.
    Paint("Open", odSelected | odGrayed | odDisabled);
    EXPECT_EQ(Count(clWhite, all), 0);
    EXPECT_GT(Count(Shadow, all), 0);
}

TEST_F(ItemPaintingTest, CaptionShortcutSelectionAndDefault) {
    Item->SetShortCut(scCtrl | 'S');
    Paint("Open", 0, 150);
    // The caption from 12 (2 right of the 8-pixel column at 2), centred: rows 3 to 15.
    const auto [left, right] = ExtentOf(clBlack, Rect(0, 0, 60, 19));
    EXPECT_EQ(left, 12);
    EXPECT_LT(right, 12 + 24);
    // "Ctrl+S", 36 pixels, ends 10 pixels left of the right edge.
    const auto shortCut = ExtentOf(clBlack, Rect(60, 0, 150, 19));
    EXPECT_GE(shortCut.first, 104);
    EXPECT_LE(shortCut.second, 139);
    const int plain = Count(clBlack, Rect(0, 0, 150, 19));

    Item->SetDefault(true);
    Paint("Open", 0, 150);
    EXPECT_GT(Count(clBlack, Rect(0, 0, 150, 19)), plain) << "bold";

    Paint("Open", odSelected, 150);
    EXPECT_EQ(Canvas->Pixel(0, 0), Highlight);
    EXPECT_EQ(Canvas->Pixel(149, 18), Highlight);
    EXPECT_EQ(Count(clBlack, Rect(0, 0, 150, 19)), 0);
    EXPECT_GT(Count(clWhite, Rect(0, 0, 150, 19)), plain);

    // The short-line style's strip right of the item gets the menu's colour.
    Menu->Separators().SeparatorStyle = ssShortLine;
    Canvas = std::make_unique<TSoftCanvas>(100, 19);
    Canvas->Brush.Color = clMenu;
    DrawMenuItemEx(*Menu, Item, *Canvas, Rect(0, 0, 90, 19), 0);
    EXPECT_TRUE(AreaIs(*Canvas, Rect(90, 0, 100, 19), Menu_));
}

TEST_F(ItemPaintingTest, TopLevelItemsOfAMainMenu) {
    TBcBarMainMenu main(nullptr);
    main.SetMenuStyle(msStandard);
    auto* file = new TMenuItem(&main);
    file->SetCaption("File");
    file->SetChecked(true);
    main.Items()->Add(file);
    Canvas = std::make_unique<TSoftCanvas>(40, 19);
    // Selected: sunken, on the button face of an XP system, and no check mark.
    DrawMenuItemEx(main, file, *Canvas, Rect(0, 0, 40, 19), odSelected);
    EXPECT_EQ(Canvas->Pixel(0, 0), Shadow);
    EXPECT_EQ(Canvas->Pixel(39, 18), clWhite);
    EXPECT_EQ(Canvas->Pixel(2, 9), Menu_);
    // The caption from 2 + 2 + 1 = 5 on.
    EXPECT_EQ(Count(clBlack, Rect(0, 0, 5, 19)), 0);
    EXPECT_GT(Count(clBlack, Rect(5, 0, 6, 19)), 0);
    // Hot: raised; the caption one pixel higher than when selected, where it also moves right.
    DrawMenuItemEx(main, file, *Canvas, Rect(0, 0, 40, 19), odHotLight);
    EXPECT_EQ(Canvas->Pixel(0, 0), clWhite);
    EXPECT_EQ(Canvas->Pixel(39, 18), Shadow);
    // In the XP style a hot item is highlighted whole, its caption in the highlight text.
    main.SetMenuStyle(msWindowsXP);
    DrawMenuItemEx(main, file, *Canvas, Rect(0, 0, 40, 19), odHotLight);
    EXPECT_EQ(Canvas->Pixel(0, 0), Highlight);
    EXPECT_EQ(Count(clBlack, Rect(0, 0, 40, 19)), 0);
    EXPECT_GT(Count(clWhite, Rect(0, 0, 40, 19)), 0);
}

TEST_F(ItemPaintingTest, CalculatingAnEmptyCaptionMeasuresABlank) {
    TSoftCanvas canvas(10, 10);
    // A blank, and "&" marking a blank: one character wide, one line high.
    for (const std::string text : {"", "&"}) {
        TRect r = Rect(0, 0, 0, 0);
        DrawMenuItemText(*Menu, Item, canvas, text, dtSingleLine | dtCalcRect, false, r);
        EXPECT_EQ(r, Rect(0, 0, 6, 13)) << text;
    }
}

} // namespace
