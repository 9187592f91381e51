// DrawFadeLine on the software canvas, to the pixel.

#include "toolkit/Headlesstest.h"
#include "toolkit/Pixelcheck.h"

#include "menus/Fadeline.h"
#include "toolkit/Sysmath.h"

#include <climits>

namespace {

class FadeLine : public HeadlessTest {
protected:
    TSoftCanvas Canvas{16, 3};
    void SetUp() override {
        HeadlessTest::SetUp();
        Canvas.Brush.Color = clWhite;
        Canvas.FillRect(Rect(0, 0, 16, 3));
    }
};

const std::map<char, TColor> palette = {{'.', clWhite}, {'K', clBlack}, {'N', clNavy},
                                        {'R', clRed},   {'G', clGreen}, {'S', clBtnShadow}};

TEST_F(FadeLine, WithoutAFadeWidthTheWholeLengthIsThePlainColour) {
    // Both ends are included; the system colour is resolved.
    DrawFadeLine(Canvas, Rect(0, 0, 0, 0), Rect(2, 1, 13, 1), false, 0, clBtnShadow);
    EXPECT_TRUE(ImageIs(Canvas, {"................", "..hhhhhhhhhhhh..", "................"},
                        {{'.', clWhite}, {'h', RGB(128, 128, 128)}}));
    DrawFadeLine(Canvas, Rect(0, 0, 0, 0), Rect(0, 0, 3, 0), false, -4, clNavy);
    EXPECT_TRUE(RowIs(Canvas, 0, {clNavy, clNavy, clNavy, clNavy, clWhite}));
}

TEST_F(FadeLine, TheEndsFadeInFromThePixelsAlreadyThere) {
    // Red under the left half, green under the right; a black line 4 pixels of fade wide from
    // x = 2 to 12, whose two parts meet at 7.
    Canvas.Brush.Color = clRed;
    Canvas.FillRect(Rect(0, 0, 7, 3));
    Canvas.Brush.Color = clGreen;
    Canvas.FillRect(Rect(7, 0, 16, 3));
    DrawFadeLine(Canvas, Rect(0, 0, 0, 0), Rect(2, 1, 12, 1), false, 4, clBlack);
    EXPECT_TRUE(
        RowIs(Canvas, 1,
              {clRed, clRed, clRed, RGB(192, 0, 0), RGB(128, 0, 0), RGB(64, 0, 0), clBlack, clBlack,
               clBlack, RGB(0, 32, 0), RGB(0, 64, 0), RGB(0, 96, 0), clGreen, clGreen}));
    EXPECT_TRUE(RowIs(Canvas, 0, {clRed, clRed, clRed, clRed, clRed, clRed, clRed, clGreen}));
    EXPECT_TRUE(RowIs(Canvas, 2, {clRed, clRed, clRed, clRed, clRed, clRed, clRed, clGreen}));
}

TEST_F(FadeLine, TheMiddleColumnIsPaintedByBothParts) {
    // A fade wider than the line: the right part fades the middle pixel again from what the left
    // part left there. White to black over 10: x = 2 becomes 204, then 204 - 204 * 2 div 10.
    DrawFadeLine(Canvas, Rect(0, 0, 0, 0), Rect(0, 0, 4, 0), false, 10, clBlack);
    EXPECT_TRUE(RowIs(
        Canvas, 0,
        {clWhite, RGB(230, 230, 230), RGB(164, 164, 164), RGB(230, 230, 230), clWhite, clWhite}));
}

TEST_F(FadeLine, TheRowIsTheLowerOfTheLineAndTheGap) {
    DrawFadeLine(Canvas, Rect(0, 2, 0, 2), Rect(1, 0, 3, 0), false, 0, clNavy);
    EXPECT_TRUE(
        ImageIs(Canvas, {"................", "................", ".NNN............"}, palette));
    DrawFadeLine(Canvas, Rect(0, -5, 0, 0), Rect(1, 1, 3, 1), false, 0, clRed);
    EXPECT_TRUE(
        ImageIs(Canvas, {"................", ".RRR............", ".NNN............"}, palette));
}

TEST_F(FadeLine, SkippingTheGapLeavesItsColumnsAlone) {
    // Text in the middle of a line from 0 to 15 (Mid 7) over the columns 5 to 9.
    DrawFadeLine(Canvas, Rect(5, 1, 10, 1), Rect(0, 1, 15, 1), true, 0, clNavy);
    EXPECT_TRUE(
        ImageIs(Canvas, {"................", "NNNNN.....NNNNNN", "................"}, palette));
    // Without skipping the same gap is drawn over.
    DrawFadeLine(Canvas, Rect(5, 1, 10, 1), Rect(0, 1, 15, 1), false, 0, clRed);
    EXPECT_TRUE(RowIs(Canvas, 1, std::vector<TColor>(16, clRed)));
    // A gap right of the middle also ends the left part at the middle: the right part starts
    // after the gap.
    DrawFadeLine(Canvas, Rect(10, 0, 12, 0), Rect(0, 0, 15, 0), true, 0, clNavy);
    EXPECT_TRUE(RowIs(Canvas, 0,
                      {clNavy, clNavy, clNavy, clNavy, clNavy, clNavy, clNavy, clWhite, clWhite,
                       clWhite, clWhite, clWhite, clNavy, clNavy, clNavy, clNavy}));
}

TEST_F(FadeLine, PositionsThatDoNotFitRaiseTheOverflowError) {
    EXPECT_THROW(DrawFadeLine(Canvas, Rect(0, 0, 0, 0), Rect(-2, 0, INT_MAX, 0), false, 0, clRed),
                 EIntOverflow);
    EXPECT_THROW(DrawFadeLine(Canvas, Rect(0, 0, 0, 0), Rect(5, 0, 9, 0), false, INT_MAX, clRed),
                 EIntOverflow);
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 0, 16, 3), clWhite));
}

} // namespace
