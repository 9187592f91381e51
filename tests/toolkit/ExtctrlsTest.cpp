#include "Headlesstest.h"
#include "Pixelcheck.h"

#include "toolkit/Extctrls.h"
#include "toolkit/Forms.h"
#include "toolkit/Stdctrls.h"

#include <algorithm>

namespace {

// The picture of control, as PaintTo renders it onto a canvas of its size.
class TShot {
public:
    explicit TShot(TControl& control) : Canvas(control.Width(), control.Height()) {
        control.PaintTo(Canvas, 0, 0);
    }
    TColor operator()(int x, int y) const { return Canvas.Pixel(x, y); }
    TSoftCanvas Canvas;
};

class PanelTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Panel.reset(new TPanel(nullptr));
        Panel->SetBounds(0, 0, 40, 20);
    }
    void TearDown() override {
        Panel.reset();
        HeadlessTest::TearDown();
    }
    TComponentPtr<TPanel> Panel;
};

const TColor Face = clSilver; // button face of the classic scheme
const TColor Light = clWhite; // button highlight
const TColor Shadow = clGray; // button shadow

} // namespace

TEST_F(PanelTest, ARaisedBevelIsLightAboveAndLeftAndShadowBelowAndRight) {
    const TShot shot(*Panel);
    EXPECT_TRUE(RowIs(shot.Canvas, 0, {Light, Light, Light}));
    EXPECT_EQ(shot(38, 0), Light);
    EXPECT_EQ(shot(39, 0), Shadow); // the top-right corner is the bottom colour's
    EXPECT_EQ(shot(0, 18), Light);
    EXPECT_EQ(shot(0, 19), Shadow);
    EXPECT_EQ(shot(39, 19), Shadow);
    EXPECT_EQ(shot(1, 1), Face);

    Panel->SetBevelOuter(bvLowered);
    Panel->SetBevelInner(bvRaised);
    const TShot sunk(*Panel);
    EXPECT_EQ(sunk(0, 0), Shadow);
    EXPECT_EQ(sunk(39, 19), Light);
    EXPECT_EQ(sunk(1, 1), Light);
    EXPECT_EQ(sunk(38, 18), Shadow);
    EXPECT_EQ(sunk(2, 2), Face);
}

TEST_F(PanelTest, AlignedChildrenFillTheInsideOfBevelsAndBorder) {
    auto* inside = new TPanel(Panel.get());
    inside->SetParent(Panel.get());
    inside->SetAlign(alClient);
    // The main window's central panel: 499 x 278 with a 1-pixel raised bevel.
    Panel->SetBounds(0, 0, 499, 278);
    EXPECT_EQ(inside->BoundsRect(), Bounds(1, 1, 497, 276));
    Panel->SetBevelInner(bvLowered);
    Panel->SetBorderWidth(3);
    EXPECT_EQ(inside->BoundsRect(), Bounds(5, 5, 489, 268));
    Panel->SetBevelOuter(bvNone);
    Panel->SetBevelInner(bvNone);
    Panel->SetBorderWidth(0);
    EXPECT_EQ(inside->BoundsRect(), Bounds(0, 0, 499, 278));
}

TEST_F(PanelTest, PaintToDrawsThePanelWithALabelOnIt) {
    Panel->SetColor(clNavy);
    Panel->SetBounds(0, 0, 60, 30);
    auto* label = new TLabel(Panel.get());
    label->SetParent(Panel.get());
    label->SetLeft(10);
    label->SetTop(8);
    label->SetColor(clYellow);
    TFont font = label->Font();
    font.Color = clRed;
    label->SetFont(font);
    label->SetCaption("W");
    ASSERT_EQ(label->BoundsRect(), Bounds(10, 8, 6, 13));

    const TShot shot(*Panel);
    EXPECT_EQ(shot(9, 10), clNavy);
    EXPECT_EQ(shot(16, 10), clNavy);
    int red = 0;
    int yellow = 0;
    for (int y = 8; y < 21; ++y) {
        for (int x = 10; x < 16; ++x) {
            red += shot(x, y) == clRed;
            yellow += shot(x, y) == clYellow;
        }
    }
    EXPECT_GT(red, 0);
    EXPECT_EQ(red + yellow, 6 * 13) << "the label's cell holds only its colours";

    // A transparent label leaves the panel's colour around its letter.
    label->SetTransparent(true);
    const TShot clear(*Panel);
    int navy = 0;
    for (int y = 8; y < 21; ++y) {
        for (int x = 10; x < 16; ++x) {
            navy += clear(x, y) == clNavy;
        }
    }
    EXPECT_EQ(navy, yellow);
}

TEST_F(PanelTest, ThePanelsCaptionIsCentredInItsFont) {
    Panel->SetCaption("II");
    TFont font = Panel->Font();
    font.Color = clBlack;
    Panel->SetFont(font);
    const TShot shot(*Panel);
    // Two 6-pixel cells centred in the 38 pixels inside the bevel: x 14 to 25, y 3 to 15.
    int left = 40;
    int right = -1;
    int top = 20;
    int bottom = -1;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (shot(x, y) == clBlack) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_GE(left, 14);
    EXPECT_LE(right, 25);
    EXPECT_GE(top, 3);
    EXPECT_LE(bottom, 15);
}

TEST_F(HeadlessTest, AnImageDrawsItsPictureStretchedAndTransparent) {
    TComponentPtr<TPanel> panel(new TPanel(nullptr));
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clWhite);
    panel->SetBounds(0, 0, 20, 20);
    auto* image = new TImage(panel.get());
    image->SetParent(panel.get());
    image->SetBounds(2, 2, 8, 8);
    TBitmap picture(2, 2);
    picture.SetPixel(0, 0, clRed);
    picture.SetPixel(1, 0, clBlue);
    picture.SetPixel(0, 1, clFuchsia); // the bottom-left colour: transparent
    picture.SetPixel(1, 1, clLime);
    image->SetPicture(picture);
    image->SetStretch(true);
    image->SetTransparent(true);

    const TShot shot(*panel);
    EXPECT_EQ(shot(2, 2), clRed);
    EXPECT_EQ(shot(9, 2), clBlue);
    EXPECT_EQ(shot(2, 9), clWhite);
    EXPECT_EQ(shot(9, 9), clLime);
    EXPECT_EQ(shot(10, 10), clWhite);

    image->SetStretch(false);
    image->SetTransparent(false);
    const TShot plain(*panel);
    EXPECT_EQ(plain(2, 3), clFuchsia);
    EXPECT_EQ(plain(4, 4), clWhite);
}
