// TOrnGradient on the software canvas, to the pixel.

#include "Gradientcanvas.h"
#include "toolkit/Headlesstest.h"
#include "toolkit/Pixelcheck.h"

#include "toolkit/Extctrls.h"
#include "toolkit/Stdctrls.h"
#include "widgets/Orngradient.h"

namespace {

// The steps of a black-to-white ramp four pixels across: the channel at distance d is
// 0xFF00 * d / 4, of which the high byte shows.
const TColor grey63 = RGB(63, 63, 63);
const TColor grey127 = RGB(127, 127, 127);
const TColor grey191 = RGB(191, 191, 191);

const std::map<char, TColor> palette = {
    {'F', clFuchsia}, {'K', clBlack}, {'1', grey63},  {'2', grey127},
    {'3', grey191},   {'W', clWhite}, {'G', clGreen},
};

class OrnGradient : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Host.reset(new TPanel(nullptr));
        Host->SetBevelOuter(bvNone);
        Host->SetColor(clFuchsia);
        Host->SetBounds(0, 0, 6, 4);
        Gradient = new TOrnGradient(Host.get());
        Gradient->SetParent(Host.get());
    }
    void TearDown() override {
        Host.reset();
        HeadlessTest::TearDown();
    }
    void Paint() { Host->PaintTo(Canvas, 0, 0); }

    TComponentPtr<TPanel> Host;
    TOrnGradient* Gradient = nullptr;
    TGradientCanvas Canvas{6, 4};
};

TEST_F(OrnGradient, ConstructorValues) {
    const TComponentPtr<TOrnGradient> fresh(new TOrnGradient(nullptr));
    EXPECT_EQ(fresh->ColorBegin(), clBtnFace);
    EXPECT_EQ(fresh->ColorEnd(), clGray);
    EXPECT_EQ(fresh->Gradient(), TOrnGradient::gdHorizontal);
    EXPECT_EQ(fresh->Align(), alNone);
    EXPECT_EQ(fresh->Width(), 70);
    EXPECT_EQ(fresh->Height(), 50);
}

TEST_F(OrnGradient, SettersStoreAndRepaint) {
    Host->HandleNeeded();
    THeadlessPeer* peer = THeadlessPlatform::PeerOf(*Host);
    ASSERT_NE(peer, nullptr);
    int before = peer->Invalidations;
    Gradient->SetColorBegin(clRed);
    EXPECT_EQ(Gradient->ColorBegin(), clRed);
    EXPECT_GT(peer->Invalidations, before);
    before = peer->Invalidations;
    Gradient->SetColorEnd(clLime);
    EXPECT_EQ(Gradient->ColorEnd(), clLime);
    EXPECT_GT(peer->Invalidations, before);
    before = peer->Invalidations;
    Gradient->SetGradient(TOrnGradient::gdVertical);
    EXPECT_EQ(Gradient->Gradient(), TOrnGradient::gdVertical);
    EXPECT_GT(peer->Invalidations, before);
}

TEST_F(OrnGradient, HorizontalRunsFromTheBeginColourAtTheLeftEdge) {
    Gradient->SetBounds(1, 1, 4, 2);
    Gradient->SetColorBegin(clBlack);
    Gradient->SetColorEnd(clWhite);
    Paint();
    EXPECT_TRUE(ImageIs(Canvas, {"FFFFFF", "FK123F", "FK123F", "FFFFFF"}, palette));
}

TEST_F(OrnGradient, VerticalRunsFromTheBeginColourAtTheTopEdge) {
    Gradient->SetBounds(1, 0, 2, 4);
    Gradient->SetColorBegin(clBlack);
    Gradient->SetColorEnd(clWhite);
    Gradient->SetGradient(TOrnGradient::gdVertical);
    Paint();
    EXPECT_TRUE(ImageIs(Canvas, {"FKKFFF", "F11FFF", "F22FFF", "F33FFF"}, palette));
}

TEST_F(OrnGradient, EqualColoursGiveASolidFill) {
    Gradient->SetBounds(0, 0, 6, 4);
    Gradient->SetColorBegin(clGreen);
    Gradient->SetColorEnd(clGreen);
    Paint();
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 0, 6, 4), clGreen));
}

TEST_F(OrnGradient, ASystemColourIsPaintedWithItsCurrentValue) {
    // The constructor's colours: button face to grey, over two pixels.
    Headless.SetSysColor(15, RGB(0, 100, 200));
    Gradient->SetBounds(0, 0, 2, 1);
    Paint();
    // Half way: (start + end) / 2 of each 16-bit channel, its high byte.
    EXPECT_TRUE(RowIs(Canvas, 0, {RGB(0, 100, 200), RGB(64, 114, 164), clFuchsia}));
}

TEST_F(OrnGradient, GoesBeneathItsSiblingsOnTheFirstPaintOnly) {
    TComponent::Free(Gradient);
    auto* label = new TLabel(Host.get());
    label->SetParent(Host.get());
    label->SetAutoSize(false);
    label->SetColor(clWhite);
    label->SetBounds(2, 1, 2, 2);
    auto* later = new TOrnGradient(Host.get());
    later->SetParent(Host.get());
    later->SetBounds(0, 0, 6, 4);
    later->SetColorBegin(clGreen);
    later->SetColorEnd(clGreen);
    ASSERT_EQ(Host->Controls(1), later);

    Paint();
    EXPECT_EQ(Host->Controls(0), later);
    EXPECT_TRUE(ImageIs(Canvas, {"GGGGGG", "GGWWGG", "GGWWGG", "GGGGGG"}, palette));

    // Brought to the front again, it stays there: only the first paint moves it.
    later->BringToFront();
    Paint();
    EXPECT_EQ(Host->Controls(Host->ControlCount() - 1), later);
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 0, 6, 4), clGreen));
}

TEST_F(OrnGradient, PaintsWithOneCallOfThePrimitive) {
    Gradient->SetBounds(0, 0, 6, 4);
    Paint(); // the first paint moves the control, and the window is painted once more
    Canvas.Fills = 0;
    Paint();
    EXPECT_EQ(Canvas.Fills, 1);
}

TEST_F(OrnGradient, AFailingFillIsIgnored) {
    auto* label = new TLabel(Host.get());
    label->SetParent(Host.get());
    Gradient->BringToFront();
    Canvas.Fail = true;
    EXPECT_NO_THROW(Paint());
    EXPECT_EQ(Host->Controls(0), Gradient);
}

TEST_F(OrnGradient, WithoutThePrimitiveTheParentShows) {
    Headless.SetGradientFillAvailable(false);
    Gradient->SetBounds(0, 0, 6, 4);
    Gradient->SetColorBegin(clGreen);
    Gradient->SetColorEnd(clGreen);
    Paint();
    EXPECT_EQ(Canvas.Fills, 0);
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 0, 6, 4), clFuchsia));
}

} // namespace
