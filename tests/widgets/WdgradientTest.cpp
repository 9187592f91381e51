// TWDGradientPanel on the software canvas, to the pixel.

#include "Gradientcanvas.h"
#include "toolkit/Headlesstest.h"
#include "toolkit/Pixelcheck.h"

#include "toolkit/Sysutils.h"
#include "widgets/Wdgradient.h"

namespace {

// Bevel colours of the classic scheme: button highlight and button shadow.
const TColor highlight = RGB(255, 255, 255);
const TColor shadow = RGB(128, 128, 128);

const std::map<char, TColor> palette = {
    {'H', highlight},
    {'S', shadow},
    {'G', clGreen},
    {'K', clBlack},
    {'1', RGB(63, 63, 63)},
    {'2', RGB(127, 127, 127)},
    {'3', RGB(191, 191, 191)},
    {'B', clBlue},
};

class WDGradientPanel : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Panel.reset(new TWDGradientPanel(nullptr));
        Panel->SetBounds(0, 0, 6, 4);
    }
    void TearDown() override {
        Panel.reset();
        HeadlessTest::TearDown();
    }
    void Solid(TColor color) {
        Panel->SetColor1(color);
        Panel->SetColor2(color);
    }
    void Paint() { Panel->PaintTo(Canvas, 0, 0); }

    TComponentPtr<TWDGradientPanel> Panel;
    TGradientCanvas Canvas{6, 4};
};

TEST_F(WDGradientPanel, ConstructorValues) {
    EXPECT_EQ(Panel->Color1(), clBlue);
    EXPECT_EQ(Panel->Color2(), clBlack);
    EXPECT_EQ(Panel->GradientDirection(), TWDGradientPanel::gdHorizontal);
    EXPECT_EQ(Panel->Alignment(), taCenter);
    EXPECT_EQ(Panel->Color(), clBlue);
    EXPECT_EQ(Panel->Font().Color, clWhite);
    EXPECT_EQ(Panel->BevelOuter(), bvRaised);
    EXPECT_EQ(Panel->BevelInner(), bvNone);
}

TEST_F(WDGradientPanel, SettersStoreAndRepaint) {
    Panel->HandleNeeded();
    THeadlessPeer* peer = THeadlessPlatform::PeerOf(*Panel);
    ASSERT_NE(peer, nullptr);
    int before = peer->Invalidations;
    Panel->SetColor1(clRed);
    EXPECT_EQ(Panel->Color1(), clRed);
    EXPECT_GT(peer->Invalidations, before);
    before = peer->Invalidations;
    Panel->SetColor2(clLime);
    EXPECT_EQ(Panel->Color2(), clLime);
    EXPECT_GT(peer->Invalidations, before);
    before = peer->Invalidations;
    Panel->SetGradientDirection(TWDGradientPanel::gdVertical);
    EXPECT_EQ(Panel->GradientDirection(), TWDGradientPanel::gdVertical);
    EXPECT_GT(peer->Invalidations, before);
}

TEST_F(WDGradientPanel, RunsFromColor1ToColor2InsideTheBevel) {
    Panel->SetColor1(clBlack);
    Panel->SetColor2(clWhite);
    Paint();
    EXPECT_TRUE(ImageIs(Canvas, {"HHHHHS", "HK123S", "HK123S", "SSSSSS"}, palette));
    EXPECT_EQ(Canvas.Fills, 1);
}

TEST_F(WDGradientPanel, VerticalRunsFromTheTopEdge) {
    Panel->SetBevelOuter(bvNone);
    Panel->SetBounds(0, 0, 6, 4);
    Panel->SetColor1(clBlack);
    Panel->SetColor2(clWhite);
    Panel->SetGradientDirection(TWDGradientPanel::gdVertical);
    Paint();
    EXPECT_TRUE(ImageIs(Canvas, {"KKKKKK", "111111", "222222", "333333"}, palette));
}

TEST_F(WDGradientPanel, IsInsetOnePixelPerBevelPresent) {
    Solid(clGreen);
    Panel->SetBevelOuter(bvNone);
    Paint();
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 0, 6, 4), clGreen)) << "no bevel: to the very edge";

    Panel->SetBevelInner(bvLowered);
    Paint();
    EXPECT_TRUE(ImageIs(Canvas, {"SSSSSH", "SGGGGH", "SGGGGH", "HHHHHH"}, palette))
        << "the inner bevel alone";

    Panel->SetBounds(0, 0, 6, 6);
    Panel->SetBevelOuter(bvRaised);
    TGradientCanvas both(6, 6);
    Panel->PaintTo(both, 0, 0);
    EXPECT_TRUE(
        ImageIs(both, {"HHHHHS", "HSSSHS", "HSGGHS", "HSGGHS", "HHHHHS", "SSSSSS"}, palette))
        << "both bevels";
}

TEST_F(WDGradientPanel, CountsBevelsNotTheirWidths) {
    Solid(clGreen);
    Panel->SetBounds(0, 0, 6, 6);
    Panel->SetBevelWidth(2);
    Panel->SetBorderWidth(1);
    TGradientCanvas canvas(6, 6);
    Panel->PaintTo(canvas, 0, 0);
    // One bevel: one pixel of its two shows; the gradient covers the rest and the border.
    EXPECT_TRUE(
        ImageIs(canvas, {"HHHHHS", "HGGGGS", "HGGGGS", "HGGGGS", "HGGGGS", "SSSSSS"}, palette));
}

TEST_F(WDGradientPanel, ABarRunsFromBlueToNavyCoveringItsColour) {
    // The window's header bar: Color navy, default bevels, Color1 left at blue.
    Panel->SetColor(clNavy);
    Panel->SetColor2(clNavy);
    Panel->SetBounds(0, 0, 6, 3);
    TGradientCanvas bar(6, 3);
    Panel->PaintTo(bar, 0, 0);
    // 255 down towards 128 over four pixels: 255 - 127 * d / 4, as the primitive rounds it.
    EXPECT_TRUE(
        RowIs(bar, 1, {highlight, clBlue, RGB(0, 0, 223), RGB(0, 0, 191), RGB(0, 0, 159), shadow}));
}

// The bounding box of the caption's white pixels within r.
TRect WhiteBox(const TSoftCanvas& canvas, const TRect& r) {
    TRect box{r.Right, r.Bottom, r.Left, r.Top};
    for (int y = r.Top; y < r.Bottom; ++y) {
        for (int x = r.Left; x < r.Right; ++x) {
            if (canvas.Pixel(x, y) == clWhite) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
        }
    }
    return box;
}

TEST_F(WDGradientPanel, DrawsTheCaptionOverTheGradient) {
    // 40 x 21 with a 3-pixel bevel: the gradient fills (1, 1, 39, 20); the text line is 13
    // high from (20 + 1 - 13) / 2 = 4, so the capital H covers rows 6 to 12, six pixels wide
    // with its gap.
    Solid(clNavy);
    Panel->SetBounds(0, 0, 40, 21);
    Panel->SetBevelWidth(3);
    Panel->SetCaption("H");
    const TRect inside = Rect(1, 1, 39, 20);
    TGradientCanvas canvas(40, 21);

    Panel->PaintTo(canvas, 0, 0);
    EXPECT_EQ(WhiteBox(canvas, inside), Rect(17, 6, 22, 13)) << "centred";

    Panel->SetAlignment(taLeftJustify);
    Panel->PaintTo(canvas, 0, 0);
    EXPECT_EQ(WhiteBox(canvas, inside), Rect(1, 6, 6, 13)) << "at the gradient's left edge";

    Panel->SetAlignment(taRightJustify);
    Panel->PaintTo(canvas, 0, 0);
    EXPECT_EQ(WhiteBox(canvas, inside), Rect(33, 6, 38, 13)) << "at the gradient's right edge";
}

TEST_F(WDGradientPanel, ExpandsTabsInTheCaption) {
    Solid(clNavy);
    Panel->SetBounds(0, 0, 60, 21);
    Panel->SetAlignment(taLeftJustify);
    Panel->SetCaption("H\tH");
    TGradientCanvas canvas(60, 21);
    Panel->PaintTo(canvas, 0, 0);
    // Tab stops every eight advances of 6 pixels: the second H starts 48 pixels after the first
    // (unexpanded, it would follow the tab's own cell at 13).
    EXPECT_EQ(WhiteBox(canvas, Rect(1, 1, 7, 20)), Rect(1, 6, 6, 13));
    EXPECT_EQ(WhiteBox(canvas, Rect(13, 1, 59, 20)), Rect(49, 6, 54, 13));
}

TEST_F(WDGradientPanel, AFailingFillRaisesAnError) {
    Canvas.Fail = true;
    try {
        Paint();
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "GradientFill failed");
    }
}

TEST_F(WDGradientPanel, WithoutThePrimitiveThePlainPanelStays) {
    Headless.SetGradientFillAvailable(false);
    Solid(clGreen);
    Paint();
    EXPECT_EQ(Canvas.Fills, 0);
    EXPECT_TRUE(ImageIs(Canvas, {"HHHHHS", "HBBBBS", "HBBBBS", "SSSSSS"}, palette));

    // Its caption is the panel's own, in the inside of the frame.
    Panel->SetBounds(0, 0, 40, 21);
    Panel->SetCaption("H");
    TGradientCanvas canvas(40, 21);
    Panel->PaintTo(canvas, 0, 0);
    EXPECT_EQ(WhiteBox(canvas, Rect(1, 1, 39, 20)), Rect(17, 6, 22, 13));
}

} // namespace
