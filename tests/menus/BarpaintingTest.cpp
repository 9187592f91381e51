// The side bar's routines on the software canvas: each paints into the bar double buffer of a
// bar popup menu, whose size a test sets as the first painting of the bar would.

#include "menus/Barpainting.h"
#include "menus/Bcfontutilities.h"

#include "toolkit/Headlesstest.h"
#include "toolkit/Pixelcheck.h"
#include "toolkit/Sysmath.h"

namespace {

class BarPaintingTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Menu.reset(new TBcBarPopupMenu(nullptr));
    }
    void TearDown() override {
        Menu.reset();
        HeadlessTest::TearDown();
    }

    // A bar width x height, as BarDrawMenuItem sizes it; the buffer is black.
    TSoftCanvas& Buffer(int width, int height) {
        Menu->Bar().SetWidth(width);
        Menu->GetBarProtected().SetPopupHeight(height);
        TBitmap& buffer = Menu->GetBarProtected().GetBarDoubleBuffer();
        buffer.SetSize(width, height);
        auto& canvas = dynamic_cast<TSoftCanvas&>(buffer.Canvas());
        canvas.Brush.Color = clBlack;
        canvas.FillRect(Rect(0, 0, width, height));
        return canvas;
    }
    TRect Whole() const {
        const TBitmap& buffer = Menu->GetBarProtected().GetBarDoubleBuffer();
        return Rect(0, 0, buffer.Width(), buffer.Height());
    }

    // A picture one pixel high whose column i is (10 * i, 0, 0).
    static TBitmap Stripes(int width, int height = 1) {
        TBitmap picture(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                picture.SetPixel(x, y, RGB(std::uint8_t(10 * x), 0, 0));
            }
        }
        return picture;
    }

    // The buffer's row 0 shows the stripes of a tile starting at start.
    ::testing::AssertionResult TiledFrom(TSoftCanvas& buffer, int tile, int start) {
        std::vector<TColor> expected;
        for (int x = 0; x < buffer.Width(); ++x) {
            expected.push_back(RGB(std::uint8_t(10 * ((x - start) % tile)), 0, 0));
        }
        return RowIs(buffer, 0, expected);
    }

    TComponentPtr<TBcBarPopupMenu> Menu;
};

TEST_F(BarPaintingTest, TheGradientFillsTheBufferUnlessAnOpaquePictureCoversIt) {
    TSoftCanvas& buffer = Buffer(4, 2);
    Menu->Bar().SetGradientStart(clWhite);
    Menu->Bar().SetGradientEnd(clBlack);
    DrawBarGradient(*Menu, Whole());
    EXPECT_TRUE(AreaIs(buffer, Rect(0, 0, 4, 1), clWhite));
    EXPECT_TRUE(AreaIs(buffer, Rect(0, 1, 4, 2), RGB(128, 128, 128)));

    TBcBarBackPicture& back = Menu->Bar().BarBackPicture();
    const TBitmap picture = Stripes(2);
    back.SetPicture(&picture);
    back.SetDrawStyle(dsTile);
    back.SetTransparent(false);
    Buffer(4, 2);
    DrawBarGradient(*Menu, Whole());
    EXPECT_TRUE(AreaIs(buffer, Whole(), clBlack));
    // A transparent one, or one drawn once, leaves the gradient to show around it.
    back.SetTransparent(true);
    DrawBarGradient(*Menu, Whole());
    EXPECT_EQ(buffer.Pixel(0, 0), clWhite);
    Buffer(4, 2);
    back.SetTransparent(false);
    back.SetDrawStyle(dsNormal);
    DrawBarGradient(*Menu, Whole());
    EXPECT_EQ(buffer.Pixel(0, 0), clWhite);
}

TEST_F(BarPaintingTest, TilesStartByTheAlignmentAndWrapTheOffset) {
    TBcBarBackPicture& back = Menu->Bar().BarBackPicture();
    const TBitmap picture = Stripes(10);
    back.SetPicture(&picture);
    back.SetTransparent(false);
    back.SetDrawStyle(dsTile);
    // Tiles at -8, 2, 12, 22 and 32 across 32 pixels.
    back.SetHorzAlignment(haRight);
    TSoftCanvas& buffer = Buffer(32, 3);
    DrawBarBackPicture(*Menu);
    EXPECT_TRUE(TiledFrom(buffer, 10, -8));
    EXPECT_TRUE(TiledFrom(buffer, 10, -8)) << "every row";
    EXPECT_EQ(buffer.Pixel(31, 2), RGB(90, 0, 0));
    back.SetHorzAlignment(haCenter);
    DrawBarBackPicture(*Menu);
    EXPECT_TRUE(TiledFrom(buffer, 10, -4));
    // An offset is taken back by whole tiles until the first tile reaches the edge.
    back.SetHorzAlignment(haLeft);
    back.SetOffsetX(23);
    DrawBarBackPicture(*Menu);
    EXPECT_TRUE(TiledFrom(buffer, 10, -7));
    back.SetOffsetX(-25);
    DrawBarBackPicture(*Menu);
    EXPECT_TRUE(TiledFrom(buffer, 10, -25));

    // Vertically the same: a 4-pixel tile at the bottom of 10 rows starts at -2.
    const TBitmap column = [] {
        TBitmap rows(1, 4);
        for (int y = 0; y < 4; ++y) {
            rows.SetPixel(0, y, RGB(0, std::uint8_t(10 * y), 0));
        }
        return rows;
    }();
    back.SetPicture(&column);
    back.SetOffsetX(0);
    back.SetVertAlignment(vaBottom);
    TSoftCanvas& tall = Buffer(1, 10);
    DrawBarBackPicture(*Menu);
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(tall.Pixel(0, y), RGB(0, std::uint8_t(10 * ((y + 2) % 4)), 0)) << y;
    }
}

TEST_F(BarPaintingTest, TheBackPictureDrawnAsItIsOrStretchedAndTheBorder) {
    TBcBarBackPicture& back = Menu->Bar().BarBackPicture();
    TBitmap picture(2, 2);
    picture.Canvas().Brush.Color = clLime;
    picture.Canvas().FillRect(Rect(0, 0, 2, 2));
    picture.SetPixel(0, 0, clRed);
    back.SetPicture(&picture);
    back.SetTransparent(false);
    back.SetOffsetX(1);
    back.SetOffsetY(2);
    TSoftCanvas& buffer = Buffer(6, 6);
    DrawBarBackPicture(*Menu);
    EXPECT_TRUE(ImageIs(buffer, {"......", "......", ".RL...", ".LL...", "......", "......"},
                        {{'.', clBlack}, {'R', clRed}, {'L', clLime}}));

    back.SetDrawStyle(dsStretch);
    Menu->Bar().SetBorder(clBlue);
    DrawBarBackPicture(*Menu);
    EXPECT_TRUE(ImageIs(buffer, {"BBBBBB", "BRRLLB", "BRRLLB", "BLLLLB", "BLLLLB", "BBBBBB"},
                        {{'B', clBlue}, {'R', clRed}, {'L', clLime}}));
    // The border comes with the back picture's part even without a picture.
    back.SetPicture(nullptr);
    TSoftCanvas& plain = Buffer(3, 3);
    DrawBarBackPicture(*Menu);
    EXPECT_TRUE(ImageIs(plain, {"BBB", "B.B", "BBB"}, {{'B', clBlue}, {'.', clBlack}}));
}

TEST_F(BarPaintingTest, ThePictureByItsAlignmentsAndTransparency) {
    TBcBarPicture& bar = Menu->Bar().BarPicture();
    EXPECT_EQ(CalcPicturePosition(*Menu, bar), (TPoint{0, 0}));
    TBitmap picture(8, 50);
    picture.Canvas().Brush.Color = clRed;
    picture.Canvas().FillRect(Rect(0, 0, 8, 50));
    // The bottom-left pixel's colour is the transparent one.
    picture.Canvas().Brush.Color = clLime;
    picture.Canvas().FillRect(Rect(0, 40, 8, 50));
    bar.SetPicture(&picture);
    TSoftCanvas& buffer = Buffer(32, 200);
    // The defaults: centred, at the bottom.
    EXPECT_EQ(CalcPicturePosition(*Menu, bar), (TPoint{12, 150}));
    DrawBarPicture(*Menu);
    EXPECT_TRUE(AreaIs(buffer, Rect(12, 150, 20, 190), clRed));
    EXPECT_TRUE(AreaIs(buffer, Rect(12, 190, 20, 200), clBlack));
    EXPECT_EQ(buffer.Pixel(12, 149), clBlack);
    EXPECT_EQ(buffer.Pixel(11, 160), clBlack);

    bar.SetTransparent(false);
    DrawBarPicture(*Menu);
    EXPECT_TRUE(AreaIs(buffer, Rect(12, 190, 20, 200), clLime));

    bar.SetOffsetX(-3);
    bar.SetOffsetY(5);
    bar.SetHorzAlignment(haRight);
    bar.SetVertAlignment(vaMiddle);
    EXPECT_EQ(CalcPicturePosition(*Menu, bar), (TPoint{21, 80}));
    bar.SetHorzAlignment(haLeft);
    bar.SetVertAlignment(vaTop);
    EXPECT_EQ(CalcPicturePosition(*Menu, bar), (TPoint{-3, 5}));
    // Halves are truncated toward zero: (31 - 8) div 2 = 11, (-7 - 50) div 2 = -28.
    Menu->Bar().SetWidth(31);
    Menu->GetBarProtected().SetPopupHeight(-7);
    bar.SetOffsetX(0);
    bar.SetOffsetY(0);
    bar.SetHorzAlignment(haCenter);
    bar.SetVertAlignment(vaMiddle);
    EXPECT_EQ(CalcPicturePosition(*Menu, bar), (TPoint{11, -28}));
}

class BarCaptionTest : public BarPaintingTest {
protected:
    // What the caption must look like: the text in the turned font at (x, y) on a black bar.
    void Expect(TSoftCanvas& buffer, int angle,
                const std::vector<std::pair<TPoint, TColor>>& texts) {
        TSoftCanvas expected(buffer.Width(), buffer.Height());
        expected.Font = *CreateRotatedFont(Menu->Bar().BarCaption().Font, angle);
        expected.Brush.Style = TBrushStyle::Clear;
        for (const auto& [at, color] : texts) {
            expected.Font.Color = color;
            expected.TextOut(at.X, at.Y, Menu->Bar().BarCaption().Caption);
        }
        for (int y = 0; y < buffer.Height(); ++y) {
            for (int x = 0; x < buffer.Width(); ++x) {
                if (buffer.Pixel(x, y) != expected.Pixel(x, y)) {
                    ADD_FAILURE() << SavedFailure(buffer, "pixel (" + std::to_string(x) + ", " +
                                                              std::to_string(y) + ") differs")
                                         .message();
                    return;
                }
            }
        }
    }
};

TEST_F(BarCaptionTest, TheCaptionIsCentredAcrossTheBarRoundingHalvesToEven) {
    TBcBarCaption& caption = Menu->Bar().BarCaption();
    caption.Caption = "Bar";
    // Text heights 18, 19 and 20 on a 32-pixel bar: X = 6 for each (6.5, 6 and 5.5 rounded to
    // even); at the bottom, OffsetY 6 above the end of a 100-pixel bar.
    for (const int height : {18, 19, 20}) {
        caption.Font.Height = -(height - 2);
        TSoftCanvas& buffer = Buffer(32, 100);
        DrawBarCaption(*Menu, Whole());
        Expect(buffer, 90, {{{6, 94}, clWhite}});
    }
    // Text 19 high has characters 9 wide: "Bar" is 27 long. Downwards its reference point is at
    // its top right.
    caption.Font.Height = -17;
    caption.Direction = dUpToDown;
    TSoftCanvas& buffer = Buffer(32, 100);
    DrawBarCaption(*Menu, Whole());
    Expect(buffer, -90, {{{26, 67}, clWhite}});
}

TEST_F(BarCaptionTest, TheCaptionAlongTheBar) {
    TBcBarCaption& caption = Menu->Bar().BarCaption();
    caption.Font.Height = -17;
    caption.Caption = "Ba";
    caption.Alignment = vaTop;
    TSoftCanvas* buffer = &Buffer(32, 100);
    DrawBarCaption(*Menu, Whole());
    Expect(*buffer, 90, {{{6, 24}, clWhite}});
    // In the middle: (100 + 18) / 2 - 0.5 = 58.5 is rounded to 58.
    caption.Alignment = vaMiddle;
    buffer = &Buffer(32, 100);
    DrawBarCaption(*Menu, Whole());
    Expect(*buffer, 90, {{{6, 58}, clWhite}});
    buffer = &Buffer(32, 101);
    DrawBarCaption(*Menu, Whole());
    Expect(*buffer, 90, {{{6, 59}, clWhite}});
    // At the bottom it stands on a picture at the bottom, not on one elsewhere.
    caption.Alignment = vaBottom;
    TBitmap picture(4, 20);
    Menu->Bar().BarPicture().SetPicture(&picture);
    buffer = &Buffer(32, 100);
    DrawBarCaption(*Menu, Whole());
    Expect(*buffer, 90, {{{6, 74}, clWhite}});
    Menu->Bar().BarPicture().SetVertAlignment(vaMiddle);
    buffer = &Buffer(32, 100);
    DrawBarCaption(*Menu, Whole());
    Expect(*buffer, 90, {{{6, 94}, clWhite}});
}

TEST_F(BarCaptionTest, HighlightAndShadowCopiesAtDepth) {
    TBcBarCaption& caption = Menu->Bar().BarCaption();
    caption.Font.Height = -17;
    caption.Caption = "Bar";
    caption.Depth = 2;
    caption.HighlightColor = clBtnHighlight;
    caption.ShadowColor = clNavy;
    caption.Font.Color = clYellow;
    TSoftCanvas& buffer = Buffer(32, 100);
    DrawBarCaption(*Menu, Whole());
    Expect(buffer, 90, {{{4, 96}, clWhite}, {{8, 92}, clNavy}, {{6, 94}, clYellow}});
    // The canvas has its font and an opaque background again.
    EXPECT_EQ(buffer.Font.Escapement, 0);
    EXPECT_EQ(buffer.Brush.Style, TBrushStyle::Solid);
}

TEST_F(BarCaptionTest, ASystemColourAsTheCaptionsColourIsARangeError) {
    TBcBarCaption& caption = Menu->Bar().BarCaption();
    caption.Caption = "Bar";
    caption.Font.Color = clCaptionText;
    TSoftCanvas& buffer = Buffer(32, 100);
    EXPECT_THROW(DrawBarCaption(*Menu, Whole()), ERangeError);
    EXPECT_TRUE(AreaIs(buffer, Whole(), clBlack));
}

TEST_F(BarPaintingTest, TheDoubleBufferIsCopiedPartByPart) {
    TSoftCanvas& buffer = Buffer(2, 4);
    buffer.SetPixel(0, 2, clRed);
    buffer.SetPixel(1, 3, clLime);
    TSoftCanvas window(5, 5);
    DrawDoubleBuffer(*Menu, window, Rect(3, 2, 5, 4), Rect(0, 2, 2, 4));
    EXPECT_TRUE(ImageIs(window, {".....", ".....", "...R.", "....L", "....."},
                        {{'.', clBlack}, {'R', clRed}, {'L', clLime}}));
    // An empty buffer (a bar without height) copies nothing.
    Menu->GetBarProtected().GetBarDoubleBuffer().SetSize(2, 0);
    DrawDoubleBuffer(*Menu, window, Rect(0, 0, 2, 2), Rect(0, 0, 2, 2));
    EXPECT_EQ(window.Pixel(0, 0), clBlack);
}

} // namespace
