// The gradient-fill primitive of the software canvas, to the pixel.

#include "Headlesstest.h"
#include "Pixelcheck.h"

namespace {

TTriVertex Vertex(int x, int y, TColor c) {
    return {x,
            y,
            std::uint16_t(GetRValue(c) << 8),
            std::uint16_t(GetGValue(c) << 8),
            std::uint16_t(GetBValue(c) << 8),
            0};
}

const TColor grey63 = RGB(63, 63, 63);
const TColor grey127 = RGB(127, 127, 127);
const TColor grey191 = RGB(191, 191, 191);

class GradientFill : public HeadlessTest {
protected:
    TSoftCanvas Canvas{4, 4};
    void SetUp() override {
        HeadlessTest::SetUp();
        Canvas.Brush.Color = clFuchsia;
        Canvas.FillRect(Rect(0, 0, 4, 4));
    }
};

TEST_F(GradientFill, HorizontalRunsFromTheLeftEdgeTowardsTheRight) {
    EXPECT_TRUE(Canvas.GradientFill(Vertex(0, 0, clBlack), Vertex(4, 2, clWhite),
                                    TGradientFillMode::RectH));
    EXPECT_TRUE(RowIs(Canvas, 0, {clBlack, grey63, grey127, grey191}));
    EXPECT_TRUE(RowIs(Canvas, 1, {clBlack, grey63, grey127, grey191}));
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 2, 4, 4), clFuchsia));
}

TEST_F(GradientFill, VerticalRunsFromTheTopEdgeTowardsTheBottom) {
    EXPECT_TRUE(Canvas.GradientFill(Vertex(1, 0, clBlack), Vertex(3, 4, clWhite),
                                    TGradientFillMode::RectV));
    for (int y = 0; y < 4; ++y) {
        EXPECT_TRUE(
            RowIs(Canvas, y,
                  {clFuchsia, std::vector{clBlack, grey63, grey127, grey191}[std::size_t(y)],
                   std::vector{clBlack, grey63, grey127, grey191}[std::size_t(y)], clFuchsia}));
    }
}

TEST_F(GradientFill, InterpolatesEachChannelOnItsOwn) {
    TSoftCanvas wide(5, 1);
    const TTriVertex start{0, 0, 0xFF00, 0x0000, 0x8000, 0};
    const TTriVertex end{5, 1, 0x0000, 0xFF00, 0x8000, 0};
    wide.GradientFill(start, end, TGradientFillMode::RectH);
    EXPECT_TRUE(RowIs(wide, 0,
                      {RGB(255, 0, 128), RGB(204, 51, 128), RGB(153, 102, 128), RGB(102, 153, 128),
                       RGB(51, 204, 128)}));
}

TEST_F(GradientFill, TakesTheHighByteOfTheSixteenBitValue) {
    TSoftCanvas pair(2, 1);
    // Halfway between 0x0000 and 0x01FF is 0x00FF: high byte 0, not the rounded 1.
    pair.GradientFill({0, 0, 0, 0, 0x01FF, 0}, {2, 1, 0x01FF, 0, 0, 0}, TGradientFillMode::RectH);
    EXPECT_TRUE(RowIs(pair, 0, {RGB(0, 0, 1), RGB(0, 0, 0)}));
}

TEST_F(GradientFill, NeverReachesTheEndColour) {
    TSoftCanvas wide(256, 1);
    wide.GradientFill(Vertex(0, 0, clBlack), Vertex(256, 1, clWhite), TGradientFillMode::RectH);
    EXPECT_EQ(wide.Pixel(0, 0), clBlack);
    EXPECT_EQ(wide.Pixel(128, 0), grey127);
    EXPECT_EQ(wide.Pixel(255, 0), RGB(254, 254, 254));
}

TEST_F(GradientFill, EqualColoursGiveASolidFill) {
    Canvas.GradientFill(Vertex(0, 0, clSilver), Vertex(4, 4, clSilver), TGradientFillMode::RectH);
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 0, 4, 4), clSilver));
    Canvas.GradientFill(Vertex(0, 0, clNavy), Vertex(4, 4, clNavy), TGradientFillMode::RectV);
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 0, 4, 4), clNavy));
}

TEST_F(GradientFill, OnePixelAcrossTheDirectionShowsTheStartColour) {
    Canvas.GradientFill(Vertex(0, 0, clRed), Vertex(1, 4, clBlue), TGradientFillMode::RectH);
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 0, 1, 4), clRed));
    Canvas.GradientFill(Vertex(1, 3, clBlue), Vertex(4, 4, clRed), TGradientFillMode::RectV);
    EXPECT_TRUE(AreaIs(Canvas, Rect(1, 3, 4, 4), clBlue));
    EXPECT_TRUE(AreaIs(Canvas, Rect(1, 0, 4, 3), clFuchsia));
}

TEST_F(GradientFill, TakesVerticesGivenTheWrongWayRoundInOrderOfPosition) {
    TSoftCanvas expected(4, 4);
    expected.GradientFill(Vertex(0, 0, clWhite), Vertex(4, 4, clBlack), TGradientFillMode::RectH);
    EXPECT_TRUE(Canvas.GradientFill(Vertex(4, 4, clBlack), Vertex(0, 0, clWhite),
                                    TGradientFillMode::RectH));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(Canvas.Pixel(x, y), expected.Pixel(x, y)) << x << ", " << y;
        }
    }
    // Only the x order matters to a horizontal fill: white stays at the left edge.
    EXPECT_TRUE(Canvas.GradientFill(Vertex(4, 0, clBlack), Vertex(0, 4, clWhite),
                                    TGradientFillMode::RectH));
    EXPECT_TRUE(RowIs(Canvas, 3, {clWhite, grey191, grey127, grey63}));
}

TEST_F(GradientFill, AnEmptyRectanglePaintsNothingAndSucceeds) {
    EXPECT_TRUE(Canvas.GradientFill(Vertex(2, 0, clBlack), Vertex(2, 4, clWhite),
                                    TGradientFillMode::RectH));
    EXPECT_TRUE(Canvas.GradientFill(Vertex(0, 1, clBlack), Vertex(4, 1, clWhite),
                                    TGradientFillMode::RectV));
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 0, 4, 4), clFuchsia));
}

TEST_F(GradientFill, IsClippedAndFollowsTheOrigin) {
    Canvas.MoveOrigin(1, 1);
    Canvas.IntersectClipRect(Rect(0, 0, 2, 2));
    Canvas.GradientFill(Vertex(-1, -1, clBlack), Vertex(3, 3, clWhite), TGradientFillMode::RectH);
    EXPECT_TRUE(ImageIs(Canvas, {"....", ".gG.", ".gG.", "...."},
                        {{'.', clFuchsia}, {'g', grey63}, {'G', grey127}}));
}

} // namespace
