// TOrnDrawModule measuring and painting the items of a bar popup menu on the software canvas.

#include "toolkit/Headlesstest.h"
#include "toolkit/Pixelcheck.h"

#include "menus/Barmenus.h"
#include "menus/Drawgradient.h"
#include "toolkit/Sysmath.h"
#include "widgets/Orndrawmodule.h"

#include <climits>
#include <set>

namespace {

const TColor grey = RGB(128, 128, 128);

// Device pixels as (x, y) pairs.
using TPixels = std::set<std::pair<int, int>>;

// The pixels of canvas inside r that have color.
TPixels PixelsOf(const TSoftCanvas& canvas, const TRect& r, TColor color) {
    TPixels found;
    for (int y = r.Top; y < r.Bottom; ++y) {
        for (int x = r.Left; x < r.Right; ++x) {
            if (canvas.Pixel(x, y) == color) {
                found.insert({x, y});
            }
        }
    }
    return found;
}

class OrnDrawModuleTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Menu.reset(new TBcBarPopupMenu(nullptr));
        Module.reset(new TOrnDrawModule(nullptr));
        // The main window's values.
        Module->ColorGradient1 = clBlue;
        Module->ColorGradient2 = clNavy;
        Module->ColorNormalText = clWhite;
        Module->ColorSelectText = clBlack;
        Module->CursorGradient1 = clWhite;
        Module->CursorGradient2 = clSilver;
        Module->TextSpacing = 32;
        Module->Width = 22;
        Menu->SetDrawModule(Module.get());
        Item = AddItem("Open");
    }
    void TearDown() override {
        Menu.reset();
        Module.reset();
        HeadlessTest::TearDown();
    }

    TMenuItem* AddItem(const std::string& caption) {
        auto* item = new TMenuItem(Menu.get());
        item->SetCaption(caption);
        Menu->Items()->Add(item);
        return item;
    }

    // Paints item into ItemRect on a fuchsia canvas; returns DefaultDraw.
    bool Paint(TMenuItem* item, TOwnerDrawState state) {
        Canvas.Brush.Color = clFuchsia;
        Canvas.FillRect({0, 0, Canvas.Width(), Canvas.Height()});
        bool defaultDraw = true;
        Module->DrawMenuItem(item, Canvas, ItemRect, state, false, defaultDraw);
        return defaultDraw;
    }

    // The pixels of text laid out as the module draws it from (left, ItemRect.Top), clipped to
    // right, in a font of style.
    TPixels TextPixels(const std::string& text, int left, int right, TFontStyles style) {
        TSoftCanvas reference(Canvas.Width(), Canvas.Height());
        reference.Font.Style = style;
        reference.Font.Color = clWhite;
        reference.Brush.Style = TBrushStyle::Clear;
        TRect r{left, ItemRect.Top, right, ItemRect.Bottom};
        reference.DrawText(text, r, 0);
        return PixelsOf(reference, {0, 0, Canvas.Width(), Canvas.Height()}, clWhite);
    }

    // The gradient the module should paint behind the item, on a canvas of its own.
    void PaintGradient(TSoftCanvas& canvas, TColor start, TColor end, TGradientStyle style) {
        canvas.Brush.Color = clFuchsia;
        canvas.FillRect({0, 0, canvas.Width(), canvas.Height()});
        DrawGradient(nullptr, &canvas, ItemRect, start, end, style);
    }

    // Every pixel of the item outside skip is the same on both canvases.
    ::testing::AssertionResult SameOutside(const TSoftCanvas& expected, const TPixels& skip) {
        for (int y = 0; y < Canvas.Height(); ++y) {
            for (int x = 0; x < Canvas.Width(); ++x) {
                if (!skip.count({x, y}) && Canvas.Pixel(x, y) != expected.Pixel(x, y)) {
                    return SavedFailure(Canvas, "pixel (" + std::to_string(x) + ", " +
                                                    std::to_string(y) + ") is " +
                                                    HexColor(Canvas.Pixel(x, y)) + ", expected " +
                                                    HexColor(expected.Pixel(x, y)));
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    // The text pixels are exactly those of color inside area.
    ::testing::AssertionResult TextIs(const TPixels& text, TColor color, const TRect& area) {
        const TPixels found = PixelsOf(Canvas, area, color);
        if (text.empty()) {
            return ::testing::AssertionFailure() << "the expected text has no pixels";
        }
        if (found != text) {
            return SavedFailure(Canvas,
                                "the text's pixels differ: " + std::to_string(found.size()) +
                                    " found, " + std::to_string(text.size()) + " expected");
        }
        return ::testing::AssertionSuccess();
    }

    TComponentPtr<TBcBarPopupMenu> Menu;
    TComponentPtr<TOrnDrawModule> Module;
    TMenuItem* Item = nullptr;
    // An item as the menu window lays it out, 3 pixels in from the frame.
    TRect ItemRect{3, 3, 163, 27};
    TSoftCanvas Canvas{166, 30};
};

TEST_F(OrnDrawModuleTest, ConstructorValues) {
    const TComponentPtr<TOrnDrawModule> fresh(new TOrnDrawModule(nullptr));
    EXPECT_EQ(fresh->ColorGradient1, clWhite);
    EXPECT_EQ(fresh->ColorGradient2, RGB(128, 128, 128));
    EXPECT_EQ(fresh->ColorNormalText, clBlack);
    EXPECT_EQ(fresh->ColorSelectText, clWhite);
    EXPECT_EQ(fresh->CursorGradient1, RGB(192, 192, 192));
    EXPECT_EQ(fresh->CursorGradient2, clBlack);
    EXPECT_TRUE(fresh->TextBold);
    EXPECT_EQ(fresh->TextHeight, 24);
    EXPECT_EQ(fresh->TextSpacing, 28);
    EXPECT_EQ(fresh->Width, 32);
    EXPECT_EQ(fresh->Description, "Needs BcBarPopupMenu");
}

TEST_F(OrnDrawModuleTest, MeasuresAFixedHeightAndAWidthCutByASeventh) {
    TSoftCanvas canvas(1, 1);
    int width = 100;
    int height = 16;
    bool defaultMeasure = true;
    Module->MeasureMenuItem(Item, canvas, width, height, false, defaultMeasure);
    EXPECT_EQ(width, 108);
    EXPECT_EQ(height, 24);
    EXPECT_FALSE(defaultMeasure);

    // 6 / 7 truncates to nothing; 49 loses exactly 7.
    width = 6;
    Module->MeasureMenuItem(Item, canvas, width, height, true, defaultMeasure);
    EXPECT_EQ(width, 28);
    width = 49;
    Module->TextHeight = 30;
    Module->MeasureMenuItem(Item, canvas, width, height, false, defaultMeasure);
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 30);
}

// Sizes are checked arithmetic, as everywhere in the menus: an overflow raises the integer
// overflow error instead of wrapping round.
TEST_F(OrnDrawModuleTest, SizesThatOverflowAreErrors) {
    TSoftCanvas canvas(1, 1);
    int width = 100;
    int height = 16;
    bool defaultMeasure = true;
    Module->Width = INT_MAX;
    EXPECT_THROW(Module->MeasureMenuItem(Item, canvas, width, height, false, defaultMeasure),
                 EIntOverflow);

    bool defaultDraw = true;
    Module->TextSpacing = INT_MAX;
    EXPECT_THROW(Module->DrawMenuItem(Item, Canvas, ItemRect, odSelected, false, defaultDraw),
                 EIntOverflow);
    EXPECT_THROW(Module->DrawMenuItem(Item, Canvas, ItemRect, 0, false, defaultDraw), EIntOverflow);
    TMenuItem* line = AddItem("-");
    EXPECT_THROW(Module->DrawCheckedPattern(Canvas, {0, INT_MAX - 3, 10, INT_MAX}, true),
                 EIntOverflow);
    // A separator's frame: its right edge moves 7 pixels in, below the smallest integer.
    Module->TextSpacing = 0;
    EXPECT_THROW(
        Module->DrawMenuItem(line, Canvas, {INT_MIN, 0, INT_MIN + 3, 14}, 0, false, defaultDraw),
        EIntOverflow);
}

TEST_F(OrnDrawModuleTest, ASeparatorKeepsItsSizeAndStillClearsDefaultMeasure) {
    TMenuItem* line = AddItem("-");
    TSoftCanvas canvas(1, 1);
    int width = 57;
    int height = 14;
    bool defaultMeasure = true;
    Module->MeasureMenuItem(line, canvas, width, height, false, defaultMeasure);
    EXPECT_EQ(width, 57);
    EXPECT_EQ(height, 14);
    EXPECT_FALSE(defaultMeasure);
}

TEST_F(OrnDrawModuleTest, AMainMenuItemIsNeitherMeasuredNorPainted) {
    const TComponentPtr<TBcBarMainMenu> mainMenu(new TBcBarMainMenu(nullptr));
    mainMenu->SetDrawModule(Module.get());
    auto* file = new TMenuItem(mainMenu.get());
    file->SetCaption("File");
    mainMenu->Items()->Add(file);

    TSoftCanvas canvas(1, 1);
    int width = 100;
    int height = 16;
    bool defaultMeasure = true;
    Module->MeasureMenuItem(file, canvas, width, height, false, defaultMeasure);
    EXPECT_EQ(width, 100);
    EXPECT_EQ(height, 16);
    EXPECT_TRUE(defaultMeasure);

    EXPECT_TRUE(Paint(file, odSelected));
    EXPECT_TRUE(AreaIs(Canvas, {0, 0, Canvas.Width(), Canvas.Height()}, clFuchsia));
}

TEST_F(OrnDrawModuleTest, ANormalItemRunsFromBlueToNavyWithAWhiteBoldCaption) {
    EXPECT_FALSE(Paint(Item, 0));
    // Column x of the 160 pixels has blue 255 - 127 * x / 160.
    EXPECT_EQ(Canvas.Pixel(3, 3), clBlue);
    EXPECT_EQ(Canvas.Pixel(3, 26), clBlue);
    EXPECT_EQ(Canvas.Pixel(83, 26), RGB(0, 0, 192));
    EXPECT_EQ(Canvas.Pixel(162, 3), RGB(0, 0, 129));
    // Nothing outside the item.
    EXPECT_EQ(Canvas.Pixel(2, 3), clFuchsia);
    EXPECT_EQ(Canvas.Pixel(163, 3), clFuchsia);
    EXPECT_EQ(Canvas.Pixel(3, 27), clFuchsia);

    const TPixels caption = TextPixels("Open", 35, 163, fsBold);
    EXPECT_TRUE(TextIs(caption, clWhite, {3, 3, 163, 27}));
    EXPECT_EQ(caption.begin()->first, 35) << "the caption starts 32 pixels in";
    TSoftCanvas expected(Canvas.Width(), Canvas.Height());
    PaintGradient(expected, clBlue, clNavy, gsHorizontal);
    EXPECT_TRUE(SameOutside(expected, caption));
}

TEST_F(OrnDrawModuleTest, TheHighlightRunsFromWhiteToSilverInAGreyFrameWithABlackCaption) {
    EXPECT_FALSE(Paint(Item, odSelected));
    TSoftCanvas expected(Canvas.Width(), Canvas.Height());
    PaintGradient(expected, clWhite, clSilver, gsDiagonalLeftRight);
    expected.Brush.Color = grey;
    expected.FrameRect(ItemRect);
    EXPECT_TRUE(AreaIs(Canvas, {3, 3, 163, 4}, grey));
    EXPECT_TRUE(AreaIs(Canvas, {3, 26, 163, 27}, grey));
    EXPECT_TRUE(AreaIs(Canvas, {3, 3, 4, 27}, grey));
    EXPECT_TRUE(AreaIs(Canvas, {162, 3, 163, 27}, grey));
    // Inside the frame the gradient starts just below white and nears silver towards the
    // bottom-right corner: 255 - 63 * F / 1024 with F = 24 and 975.
    EXPECT_EQ(Canvas.Pixel(4, 4), RGB(254, 254, 254));
    EXPECT_EQ(Canvas.Pixel(161, 25), RGB(196, 196, 196));

    const TPixels caption = TextPixels("Open", 35, 163, fsBold);
    EXPECT_TRUE(TextIs(caption, clBlack, {3, 3, 163, 27}));
    EXPECT_TRUE(SameOutside(expected, caption));
}

TEST_F(OrnDrawModuleTest, ACheckedHighlightedItemIsUnderlinedAndBoldWithABoldShortcut) {
    Item->SetChecked(true);
    Item->SetShortCut(scCtrl | 'O');
    Canvas.Font.Style = fsItalic;
    Paint(Item, odSelected);
    // No check mark: only the caption and the shortcut are drawn over the highlight.
    const TPixels caption = TextPixels("Open", 35, 163, fsUnderline | fsBold);
    EXPECT_TRUE(TextIs(caption, clBlack, {3, 3, 120, 27}));
    const TPixels shortcut = TextPixels("Ctrl+O", 120, 163, fsBold);
    EXPECT_TRUE(TextIs(shortcut, clBlack, {120, 3, 162, 27}));
    EXPECT_EQ(shortcut.begin()->first, 120);
}

TEST_F(OrnDrawModuleTest, WithoutTextBoldTheCaptionKeepsTheCanvasStyle) {
    Module->TextBold = false;
    Canvas.Font.Style = fsItalic;
    Paint(Item, 0);
    EXPECT_TRUE(TextIs(TextPixels("Open", 35, 163, fsItalic), clWhite, {3, 3, 163, 27}));
    EXPECT_EQ(Canvas.Font.Style, fsItalic);
}

TEST_F(OrnDrawModuleTest, ADisabledItemIsGrayTextOverTheSameGradient) {
    const TColor grayText = ColorToRGB(clGrayText);
    Item->SetEnabled(false);
    Item->SetShortCut(scCtrl | 'O');
    Paint(Item, odDisabled | odGrayed);
    TPixels text = TextPixels("Open", 35, 120, fsBold);
    const TPixels shortcut = TextPixels("Ctrl+O", 120, 163, fsBold);
    EXPECT_TRUE(TextIs(shortcut, grayText, {120, 3, 163, 27}));
    text.insert(shortcut.begin(), shortcut.end());
    EXPECT_TRUE(TextIs(text, grayText, {3, 3, 163, 27}));
    TSoftCanvas expected(Canvas.Width(), Canvas.Height());
    PaintGradient(expected, clBlue, clNavy, gsHorizontal);
    EXPECT_TRUE(SameOutside(expected, text));

    // Highlighted, it has the highlighted look with the gray caption.
    Paint(Item, odSelected | odDisabled);
    EXPECT_TRUE(AreaIs(Canvas, {3, 3, 163, 4}, grey));
    EXPECT_EQ(Canvas.Pixel(4, 4), RGB(254, 254, 254));
    EXPECT_TRUE(TextIs(TextPixels("Open", 35, 120, fsBold), grayText, {4, 4, 120, 26}));
}

TEST_F(OrnDrawModuleTest, TheShortcutStandsAtThreeQuartersOfTheRightEdge) {
    Item->SetShortCut(scCtrl | 'O');
    ItemRect = {0, 3, 160, 27};
    Paint(Item, 0);
    const TPixels shortcut = TextPixels("Ctrl+O", 120, 160, fsBold);
    EXPECT_TRUE(TextIs(shortcut, clWhite, {100, 3, 160, 27}));
    EXPECT_EQ(shortcut.begin()->first, 120);
}

TEST_F(OrnDrawModuleTest, AShortSeparatorIsAPlainStripOfTheNormalGradient) {
    TMenuItem* line = AddItem("-");
    ItemRect = {3, 3, 163, 17};
    Paint(line, 0);
    TSoftCanvas expected(Canvas.Width(), Canvas.Height());
    PaintGradient(expected, clBlue, clNavy, gsHorizontal);
    EXPECT_TRUE(SameOutside(expected, {}));
}

TEST_F(OrnDrawModuleTest, ATallSeparatorHasAFrameFromItsLeftEdge) {
    TMenuItem* line = AddItem("-");
    ItemRect = {3, 3, 163, 25};
    Paint(line, 0);
    // The frame on (3, 10, 156, 18); the "-" is drawn into (42, 10, 156, 18), past x = 42.
    EXPECT_TRUE(AreaIs(Canvas, {3, 10, 42, 11}, grey));
    EXPECT_TRUE(AreaIs(Canvas, {3, 17, 156, 18}, grey));
    EXPECT_TRUE(AreaIs(Canvas, {3, 10, 4, 18}, grey));
    EXPECT_TRUE(AreaIs(Canvas, {155, 10, 156, 18}, grey));
    EXPECT_EQ(Canvas.Pixel(4, 11), clBlue);
    EXPECT_EQ(Canvas.Pixel(3, 9), clBlue);
    // Column 153 of the gradient: blue 255 - 127 * 153 / 160.
    EXPECT_EQ(Canvas.Pixel(156, 12), RGB(0, 0, 134));
}

TEST_F(OrnDrawModuleTest, TheBitmapIsDrawnAtLeftPlusFiveTransparentByItsBottomLeftPixel) {
    TBitmap glyph(4, 3);
    glyph.Canvas().Brush.Color = clLime;
    glyph.Canvas().FillRect({0, 0, 4, 3});
    glyph.SetPixel(1, 0, clRed);
    glyph.SetPixel(3, 2, clYellow);
    Item->SetBitmap(glyph);
    Paint(Item, 0);
    EXPECT_EQ(Canvas.Pixel(9, 3), clRed);
    EXPECT_EQ(Canvas.Pixel(11, 5), clYellow);
    EXPECT_TRUE(PixelsOf(Canvas, {0, 0, Canvas.Width(), Canvas.Height()}, clLime).empty());
    // The transparent pixels show the gradient: column 5 has blue 255 - 127 * 5 / 160.
    EXPECT_EQ(Canvas.Pixel(8, 3), RGB(0, 0, 252));
}

TEST_F(OrnDrawModuleTest, TheCheckedPatternFramesTheRectangleOrItsShrunkCopy) {
    TSoftCanvas canvas(20, 20);
    Module->DrawCheckedPattern(canvas, {2, 2, 18, 18}, false);
    EXPECT_TRUE(AreaIs(canvas, {2, 2, 18, 3}, grey));
    EXPECT_EQ(canvas.Pixel(3, 3), clBlack);

    // Shrunk: (0, 7, 13, 13), the left edge kept.
    TSoftCanvas shrunk(20, 20);
    Module->DrawCheckedPattern(shrunk, {0, 0, 20, 20}, true);
    EXPECT_TRUE(AreaIs(shrunk, {0, 7, 13, 8}, grey));
    EXPECT_TRUE(AreaIs(shrunk, {0, 12, 13, 13}, grey));
    EXPECT_TRUE(AreaIs(shrunk, {0, 7, 1, 13}, grey));
    EXPECT_TRUE(AreaIs(shrunk, {12, 7, 13, 13}, grey));
    EXPECT_TRUE(AreaIs(shrunk, {0, 0, 20, 7}, clBlack));
    EXPECT_TRUE(AreaIs(shrunk, {13, 0, 20, 20}, clBlack));
    EXPECT_TRUE(AreaIs(shrunk, {1, 8, 12, 12}, clBlack));
}

} // namespace
