// TOrnCheckBox on the headless platform: its input rules, and its pictures to the pixel.

#include "Ornglyphresources.h"
#include "toolkit/Headlesstest.h"
#include "toolkit/Pixelcheck.h"

#include "toolkit/Sysutils.h"
#include "widgets/Orncheckbox.h"
#include "widgets/Orngradient.h"

#include <map>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

// The box's sides share their names with the toolkit's alignments, which mean the opposite; a
// scoped enumeration keeps the two from being mixed up or compared.
static_assert(!std::is_convertible_v<TOrnCheckBox::TLeft, int>);
static_assert(!std::is_convertible_v<TAlignment, TOrnCheckBox::TLeft>);

namespace {

using TLog = std::vector<std::string>;

// The box's pictures, 40 pixels wide, captioned "Go" in the headless font, one letter a pixel:
// '.' the lime of the form behind it, K black, G gray, S silver, W white, B blue, N navy.
using TRows = std::vector<std::string>;

const std::map<char, TColor> Palette = {{'.', clLime},   {'K', clBlack}, {'G', clGray},
                                        {'S', clSilver}, {'W', clWhite}, {'B', clBlue},
                                        {'N', clNavy}};

// One row of pixels a line.
// clang-format off
// The glyph at (2, 1), the caption at (22, 3).
const TRows UncheckedBox = {
    "........................................",
    "........................................",
    "...GGGGGGGGGGGGGW.......................",
    "...GKKKKKKKKKKKSW.......................",
    "...GKWWWWWWWWWWSW.......................",
    "...GKWWWWWWWWWWSW......KKK..............",
    "...GKWWWWWWWWWWSW.....K...K.............",
    "...GKWWWWWWWWWWSW.....K......KKK........",
    "...GKWWWWWWWWWWSW.....K.KKK.K...K.......",
    "...GKWWWWWWWWWWSW.....K...K.K...K.......",
    "...GKWWWWWWWWWWSW.....K...K.K...K.......",
    "...GKWWWWWWWWWWSW......KKKK..KKK........",
    "...GKWWWWWWWWWWSW.......................",
    "...GKWWWWWWWWWWSW.......................",
    "...GSSSSSSSSSSSSW.......................",
    "...WWWWWWWWWWWWWW.......................",
    "........................................",
    "........................................",
    "........................................",
};

const TRows CheckedBox = {
    "........................................",
    "........................................",
    "...GGGGGGGGGGGGGB.......................",
    "...GKKKKKKKKKKBBN.......................",
    "...GKWWWWWWWWBBNW.......................",
    "...GKWWWWWWWBBNSW......KKK..............",
    "...GKWWWWWWBBNWSW.....K...K.............",
    "...GKWWWWWBBBNWSW.....K......KKK........",
    "...GBNWWWWBBNWWSW.....K.KKK.K...K.......",
    "...GBBBNWBBBNWWSW.....K...K.K...K.......",
    "...GKBBBBBBNWWWSW.....K...K.K...K.......",
    "...GKWBBBBBNWWWSW......KKKK..KKK........",
    "...GKWWBBBNWWWWSW.......................",
    "...GKWWBBBNWWWWSW.......................",
    "...GSSSSBNSSSSSSW.......................",
    "...WWWWWWWWWWWWWW.......................",
    "........................................",
    "........................................",
    "........................................",
};

const TRows FlatCheckedBox = {
    "........................................",
    "........................................",
    "................B.......................",
    "....GGGGGGGGGGBBN.......................",
    "....GWWWWWWWWBBN........................",
    "....GWWWWWWWBBNG.......KKK..............",
    "....GWWWWWWBBNWG......K...K.............",
    "....GWWWWWBBBNWG......K......KKK........",
    "....BNWWWWBBNWWG......K.KKK.K...K.......",
    "....BBBNWBBBNWWG......K...K.K...K.......",
    "....GBBBBBBNWWWG......K...K.K...K.......",
    "....GWBBBBBNWWWG.......KKKK..KKK........",
    "....GWWBBBNWWWWG........................",
    "....GWWBBBNWWWWG........................",
    "....GGGGBNGGGGGG........................",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
};

// Caption first, the box at the right edge.
const TRows LeftJustifiedCheckedBox = {
    "........................................",
    "........................................",
    ".......................GGGGGGGGGGGGGB...",
    ".......................GKKKKKKKKKKBBN...",
    ".......................GKWWWWWWWWBBNW...",
    "...KKK.................GKWWWWWWWBBNSW...",
    "..K...K................GKWWWWWWBBNWSW...",
    "..K......KKK...........GKWWWWWBBBNWSW...",
    "..K.KKK.K...K..........GBNWWWWBBNWWSW...",
    "..K...K.K...K..........GBBBNWBBBNWWSW...",
    "..K...K.K...K..........GKBBBBBBNWWWSW...",
    "...KKKK..KKK...........GKWBBBBBNWWWSW...",
    ".......................GKWWBBBNWWWWSW...",
    ".......................GKWWBBBNWWWWSW...",
    ".......................GSSSSBNSSSSSSW...",
    ".......................WWWWWWWWWWWWWW...",
    "........................................",
    "........................................",
    "........................................",
};

// In a box 30 high: the glyph at y = 7, the caption at y = 8.
const TRows HighBox = {
    "........................................",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
    "...GGGGGGGGGGGGGW.......................",
    "...GKKKKKKKKKKKSW.......................",
    "...GKWWWWWWWWWWSW......KKK..............",
    "...GKWWWWWWWWWWSW.....K...K.............",
    "...GKWWWWWWWWWWSW.....K......KKK........",
    "...GKWWWWWWWWWWSW.....K.KKK.K...K.......",
    "...GKWWWWWWWWWWSW.....K...K.K...K.......",
    "...GKWWWWWWWWWWSW.....K...K.K...K.......",
    "...GKWWWWWWWWWWSW......KKKK..KKK........",
    "...GKWWWWWWWWWWSW.......................",
    "...GKWWWWWWWWWWSW.......................",
    "...GKWWWWWWWWWWSW.......................",
    "...GSSSSSSSSSSSSW.......................",
    "...WWWWWWWWWWWWWW.......................",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
};

// In a box 8 high: the glyph at y = -4, the caption at y = -2.
const TRows LowBox = {
    "...GKWWWWWWWWWWSW......KKK..............",
    "...GKWWWWWWWWWWSW.....K...K.............",
    "...GKWWWWWWWWWWSW.....K......KKK........",
    "...GKWWWWWWWWWWSW.....K.KKK.K...K.......",
    "...GKWWWWWWWWWWSW.....K...K.K...K.......",
    "...GKWWWWWWWWWWSW.....K...K.K...K.......",
    "...GKWWWWWWWWWWSW......KKKK..KKK........",
    "...GKWWWWWWWWWWSW.......................",
};

// Disabled, checked or not: the glyph without its interior, the caption engraved.
const TRows DisabledBox = {
    "........................................",
    "........................................",
    "...GGGGGGGGGGGGGW.......................",
    "...GKKKKKKKKKKKSW.......................",
    "...GK..........SW.......................",
    "...GK..........SW......GGG..............",
    "...GK..........SW.....G.WWG.............",
    "...GK..........SW.....GW...W.GGG........",
    "...GK..........SW.....GWGGG.G.WWG.......",
    "...GK..........SW.....GW.WGWGW..GW......",
    "...GK..........SW.....GW..GWGW..GW......",
    "...GK..........SW......GGGGW.GGG.W......",
    "...GK..........SW.......WWWW..WWW.......",
    "...GK..........SW.......................",
    "...GSSSSSSSSSSSSW.......................",
    "...WWWWWWWWWWWWWW.......................",
    "........................................",
    "........................................",
    "........................................",
};

const TRows DisabledFlatBox = {
    "........................................",
    "........................................",
    "........................................",
    "....GGGGGGGGGGGG........................",
    "....G..........G........................",
    "....G..........G.......GGG..............",
    "....G..........G......G.WWG.............",
    "....G..........G......GW...W.GGG........",
    "....G..........G......GWGGG.G.WWG.......",
    "....G..........G......GW.WGWGW..GW......",
    "....G..........G......GW..GWGW..GW......",
    "....G..........G.......GGGGW.GGG.W......",
    "....G..........G........WWWW..WWW.......",
    "....G..........G........................",
    "....GGGGGGGGGGGG........................",
    "........................................",
    "........................................",
    "........................................",
    "........................................",
};

// Hot and transparent: '.' is whatever lies behind the box.
const TRows HotTransparentBox = {
    "........................................",
    "........................................",
    "...GGGGGGGGGGGGGW.......................",
    "...GKKKKKKKKKKKSW.......................",
    "...GKWWWWWWWWWWSW.......................",
    "...GKWWWWWWWWWWSW......BBB..............",
    "...GKWWWWWWWWWWSW.....B...B.............",
    "...GKWWWWWWWWWWSW.....B......BBB........",
    "...GKWWWWWWWWWWSW.....B.BBB.B...B.......",
    "...GKWWWWWWWWWWSW.....B...B.B...B.......",
    "...GKWWWWWWWWWWSW.....B...B.B...B.......",
    "...GKWWWWWWWWWWSW......BBBB..BBB........",
    "...GKWWWWWWWWWWSW.......................",
    "...GKWWWWWWWWWWSW.......................",
    "...GSSSSSSSSSSSSW.......................",
    "...WWWWWWWWWWWWWW.......................",
    "........................................",
    "........................................",
    "........................................",
};
// clang-format on

// The whole of a against b.
::testing::AssertionResult SameImage(const TSoftCanvas& actual, const TSoftCanvas& expected) {
    for (int y = 0; y < expected.Height(); ++y) {
        for (int x = 0; x < expected.Width(); ++x) {
            if (actual.Pixel(x, y) != expected.Pixel(x, y)) {
                return SavedFailure(actual, "pixel (" + std::to_string(x) + ", " +
                                                std::to_string(y) + ") is " +
                                                HexColor(actual.Pixel(x, y)) + ", expected " +
                                                HexColor(expected.Pixel(x, y)));
            }
        }
    }
    return ::testing::AssertionSuccess();
}

int CountColor(const TSoftCanvas& canvas, const TRect& r, TColor color) {
    int count = 0;
    for (int y = r.Top; y < r.Bottom; ++y) {
        for (int x = r.Left; x < r.Right; ++x) {
            count += canvas.Pixel(x, y) == color;
        }
    }
    return count;
}

class OrnCheckBoxTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        AddOrnGlyphResources(Headless);
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 200, 60);
        Form->SetColor(clLime);
        Form->Show();
        Box = new TOrnCheckBox(Form.get());
        Box->SetParent(Form.get());
        Box->SetBounds(10, 20, 109, 19);
        Box->SetCaption("Go");
        Box->OnClick = [this](TComponent*) { Log.push_back(State("click")); };
    }
    void TearDown() override {
        Form.reset();
        HeadlessTest::TearDown();
    }

    std::string State(const std::string& event) const {
        return event + (Box->Checked() ? " on" : " off");
    }
    void Paint() { Box->PaintTo(Picture, 0, 0); }
    // The box 40 wide, painted on a canvas of its size.
    const TSoftCanvas& Narrow() {
        Box->SetWidth(40);
        NarrowPicture.emplace(40, Box->Height());
        Box->PaintTo(*NarrowPicture, 0, 0);
        return *NarrowPicture;
    }
    THeadlessPeer& Peer() const { return *THeadlessPlatform::PeerOf(*Box); }

    TComponentPtr<TForm> Form;
    TOrnCheckBox* Box = nullptr;
    TLog Log;
    TSoftCanvas Picture{109, 19};
    std::optional<TSoftCanvas> NarrowPicture;
};

TEST_F(OrnCheckBoxTest, ConstructorValues) {
    const TComponentPtr<TOrnCheckBox> fresh(new TOrnCheckBox(nullptr));
    EXPECT_EQ(fresh->Width(), 100);
    EXPECT_EQ(fresh->Height(), 19);
    EXPECT_EQ(fresh->Alingment(), TOrnCheckBox::TLeft::taRightJustify);
    EXPECT_FALSE(fresh->Checked());
    EXPECT_FALSE(fresh->Flat());
    EXPECT_TRUE(fresh->HotTrack());
    EXPECT_EQ(fresh->HotTrackColor(), clBlue);
    EXPECT_TRUE(fresh->Transparent());
    EXPECT_TRUE(fresh->TabStop());
    EXPECT_TRUE(fresh->Enabled());
    EXPECT_TRUE(fresh->ParentColor());
    EXPECT_TRUE(fresh->ParentFont());
    EXPECT_EQ(fresh->Caption(), "");
}

TEST_F(OrnCheckBoxTest, LookingSettersRepaintTrackingSettersOnlyStore) {
    int before = Peer().Invalidations;
    Box->SetChecked(true);
    EXPECT_GT(Peer().Invalidations, before);
    before = Peer().Invalidations;
    Box->SetFlat(true);
    EXPECT_GT(Peer().Invalidations, before);
    before = Peer().Invalidations;
    Box->SetTransparent(false);
    EXPECT_GT(Peer().Invalidations, before);
    before = Peer().Invalidations;
    Box->SetAlingment(TOrnCheckBox::TLeft::taLeftJustify);
    EXPECT_GT(Peer().Invalidations, before);
    before = Peer().Invalidations;
    Box->SetHotTrack(false);
    Box->SetHotTrackColor(clYellow);
    EXPECT_EQ(Peer().Invalidations, before);
    EXPECT_EQ(Box->HotTrackColor(), clYellow);
    EXPECT_TRUE(Log.empty()) << "setting Checked fires no event";
}

TEST_F(OrnCheckBoxTest, ParentChangesRepaintEvenWhenNotTaken) {
    Box->SetColor(clYellow);
    int before = Peer().Invalidations;
    Form->SetColor(clRed);
    EXPECT_GT(Peer().Invalidations, before);
    EXPECT_EQ(Box->Color(), clYellow);
    TFont font;
    font.Height = -13;
    Box->SetFont(TFont{});
    before = Peer().Invalidations;
    Form->SetFont(font);
    EXPECT_GT(Peer().Invalidations, before);
}

// ---- Input

TEST_F(OrnCheckBoxTest, LeftClickChecksAndShowsItBeforeOnClick) {
    Box->SetHotTrack(false); // no hot repaint to mistake for the press's
    Box->OnMouseDown = [this](TComponent*, TMouseButton, TShiftState, int, int) {
        Log.push_back(State("down"));
    };
    const int updates = Peer().Updates;
    const int invalidations = Peer().Invalidations;
    Box->OnClick = [&](TComponent*) {
        Log.push_back(State("click"));
        EXPECT_GT(Peer().Invalidations, invalidations);
        EXPECT_GT(Peer().Updates, updates);
    };
    Headless.UserClick(*Box);
    EXPECT_EQ(Log, (TLog{"down on", "click on"}));
    EXPECT_TRUE(Box->Focused());
}

TEST_F(OrnCheckBoxTest, ReleaseOutsideDoesNotClick) {
    Headless.UserMouseDown(*Box, mbLeft, 5, 5);
    Headless.UserMouseUp(*Box, mbLeft, 150, 5);
    EXPECT_TRUE(Box->Checked());
    EXPECT_TRUE(Log.empty());
}

TEST_F(OrnCheckBoxTest, RightClickAndDisabledClickChangeAndFireNothing) {
    Box->OnMouseDown = [this](TComponent*, TMouseButton, TShiftState, int, int) {
        Log.push_back("down");
    };
    Headless.UserMouseDown(*Box, mbRight, 5, 5);
    Headless.UserMouseUp(*Box, mbRight, 5, 5);
    Headless.UserMouseDown(*Box, mbMiddle, 5, 5);
    Headless.UserMouseUp(*Box, mbMiddle, 5, 5);
    EXPECT_FALSE(Box->Checked());
    EXPECT_FALSE(Box->Focused());
    Box->SetEnabled(false);
    Headless.UserClick(*Box);
    Headless.UserDoubleClickAt(*Box, 5, 5);
    EXPECT_FALSE(Box->Checked());
    EXPECT_TRUE(Log.empty());
}

TEST_F(OrnCheckBoxTest, EnterClicksWithoutChangeSpaceDoesNothing) {
    Box->SetFocus();
    Box->OnKeyDown = [this](TComponent*, std::uint16_t&, TShiftState) {
        Log.push_back(State("key"));
    };
    Headless.UserPressKey(*Form, vkReturn);
    EXPECT_EQ(Log, (TLog{"click off", "key off"}));
    Log.clear();
    Headless.UserPressKey(*Form, vkSpace);
    EXPECT_EQ(Log, (TLog{"key off"}));
    EXPECT_FALSE(Box->Checked());
}

TEST_F(OrnCheckBoxTest, DoubleClickPressesTwiceAndClicksTwice) {
    int doubleClicks = 0;
    Box->OnDblClick = [&](TComponent*) { ++doubleClicks; };
    Headless.UserDoubleClickAt(*Box, 5, 5);
    EXPECT_EQ(Log, (TLog{"click on", "click off"}));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_FALSE(Box->Checked());
}

TEST_F(OrnCheckBoxTest, AcceleratorClicksWithTheOldStateThenInverts) {
    auto* other = new TOrnCheckBox(Form.get());
    other->SetParent(Form.get());
    other->SetBounds(10, 0, 100, 19);
    other->SetFocus();
    Box->SetCaption("&Go");
    Box->OnClick = [this](TComponent*) {
        Log.push_back(State("click") + (Box->Focused() ? " focused" : ""));
    };
    Headless.UserPressKey(*Form, 'G', ssAlt);
    EXPECT_EQ(Log, (TLog{"click off"}));
    EXPECT_TRUE(Box->Checked());
    EXPECT_TRUE(Box->Focused());
    EXPECT_FALSE(other->Checked());

    // Another letter, or a box that cannot take the focus, lets the character pass.
    Log.clear();
    Headless.UserPressKey(*Form, 'O', ssAlt);
    Box->SetEnabled(false);
    Headless.UserPressKey(*Form, 'G', ssAlt);
    Box->SetEnabled(true);
    Box->Hide();
    Headless.UserPressKey(*Form, 'G', ssAlt);
    EXPECT_TRUE(Log.empty());
    EXPECT_TRUE(Box->Checked());
}

TEST_F(OrnCheckBoxTest, MouseEnterAndExitFireOnlyWhileEnabled) {
    Box->OnMouseEnter = [this](TComponent*) { Log.push_back("enter"); };
    Box->OnMouseExit = [this](TComponent*) { Log.push_back("exit"); };
    Headless.UserMouseMove(*Box, 5, 5);
    Headless.UserMouseLeave();
    Box->SetEnabled(false);
    Headless.UserMouseMove(*Box, 5, 5);
    Headless.UserMouseLeave();
    Box->SetHotTrack(false);
    Box->SetEnabled(true);
    Headless.UserMouseMove(*Box, 5, 5);
    Headless.UserMouseLeave();
    EXPECT_EQ(Log, (TLog{"enter", "exit", "enter", "exit"}));
}

// ---- Pictures

TEST_F(OrnCheckBoxTest, UncheckedAndCheckedBoxes) {
    EXPECT_TRUE(ImageIs(Narrow(), UncheckedBox, Palette));
    Box->SetChecked(true);
    EXPECT_TRUE(ImageIs(Narrow(), CheckedBox, Palette));
    Box->SetFlat(true);
    EXPECT_TRUE(ImageIs(Narrow(), FlatCheckedBox, Palette));
}

TEST_F(OrnCheckBoxTest, LeftJustifyPutsTheBoxAtTheRightEdge) {
    Box->SetAlingment(TOrnCheckBox::TLeft::taLeftJustify);
    Box->SetChecked(true);
    EXPECT_TRUE(ImageIs(Narrow(), LeftJustifiedCheckedBox, Palette));
}

TEST_F(OrnCheckBoxTest, ItemsAreCentredVertically) {
    // (height - item height) / 2, truncated toward zero when the items are the higher.
    Box->SetHeight(30);
    EXPECT_TRUE(ImageIs(Narrow(), HighBox, Palette));
    Box->SetHeight(8);
    EXPECT_TRUE(ImageIs(Narrow(), LowBox, Palette));
}

TEST_F(OrnCheckBoxTest, DisabledCheckedLooksLikeDisabledUnchecked) {
    Box->SetEnabled(false);
    for (const bool flat : {false, true}) {
        SCOPED_TRACE(flat ? "flat" : "3D");
        Box->SetFlat(flat);
        const TRows& expected = flat ? DisabledFlatBox : DisabledBox;
        Box->SetChecked(false);
        EXPECT_TRUE(ImageIs(Narrow(), expected, Palette));
        Box->SetChecked(true);
        EXPECT_TRUE(ImageIs(Narrow(), expected, Palette));
    }
}

TEST_F(OrnCheckBoxTest, HotCaptionAndWhiteFillOnlyWithHotTrack) {
    const TRect caption = Rect(22, 3, 34, 16);
    Box->SetTransparent(false);
    Box->SetColor(clYellow);
    Headless.UserMouseMove(*Box, 5, 5);
    Paint();
    EXPECT_EQ(Picture.Pixel(100, 0), clWhite);
    EXPECT_GT(CountColor(Picture, caption, clBlue), 0);
    EXPECT_EQ(CountColor(Picture, caption, clBlack), 0);
    Headless.UserMouseLeave();
    Paint();
    EXPECT_EQ(Picture.Pixel(100, 0), clYellow);
    EXPECT_EQ(CountColor(Picture, caption, clBlue), 0);

    // Turned off while hot, or hot-tracking from the start: never coloured, never white.
    Headless.UserMouseMove(*Box, 5, 5);
    Box->SetHotTrack(false);
    Paint();
    EXPECT_EQ(Picture.Pixel(100, 0), clYellow);
    EXPECT_EQ(CountColor(Picture, caption, clBlue), 0);
    Headless.UserMouseLeave();
    Headless.UserMouseMove(*Box, 5, 5);
    Paint();
    EXPECT_EQ(Picture.Pixel(100, 0), clYellow);
    EXPECT_EQ(CountColor(Picture, caption, clBlue), 0);
    EXPECT_GT(CountColor(Picture, caption, clBlack), 0);
}

TEST_F(OrnCheckBoxTest, HotStateSurvivesDisableAndEnable) {
    const TRect caption = Rect(22, 3, 34, 16);
    Box->SetHotTrackColor(clYellow);
    Headless.UserMouseMove(*Box, 5, 5);
    Box->SetEnabled(false);
    Headless.UserMouseLeave(); // not heard while disabled
    Box->SetEnabled(true);
    Paint();
    EXPECT_GT(CountColor(Picture, caption, clYellow), 0);
    Headless.UserMouseMove(*Box, 5, 5);
    Headless.UserMouseLeave();
    Paint();
    EXPECT_EQ(CountColor(Picture, caption, clYellow), 0);
    EXPECT_GT(CountColor(Picture, caption, clBlack), 0);
}

TEST_F(OrnCheckBoxTest, TransparentShowsTheParentsGradientEvenWhenHot) {
    auto* gradient = new TOrnGradient(Form.get());
    gradient->SetParent(Form.get());
    gradient->SetAlign(alClient);
    gradient->SetColorBegin(clWhite);
    gradient->SetColorEnd(clNavy);
    Box->SetColor(clRed); // covered
    Box->SetWidth(40);

    // The expected picture: the form without the box where the rows say '.'.
    Box->Hide();
    TSoftCanvas form(200, 60);
    Form->PaintTo(form, 0, 0);
    TSoftCanvas expected(40, 19);
    expected.CopyRect(Rect(0, 0, 40, 19), form, Bounds(10, 20, 40, 19));
    ASSERT_NE(expected.Pixel(0, 0), expected.Pixel(39, 0)) << "the gradient shows";
    for (int y = 0; y < 19; ++y) {
        for (int x = 0; x < 40; ++x) {
            const char letter = HotTransparentBox[std::size_t(y)][std::size_t(x)];
            if (letter != '.') {
                expected.SetPixel(x, y, Palette.at(letter));
            }
        }
    }

    Box->Show();
    Headless.UserMouseMove(*Box, 5, 5);
    EXPECT_TRUE(SameImage(Narrow(), expected));
}

TEST_F(OrnCheckBoxTest, FocusRectangleLeavesOutTheAmpersand) {
    Box->SetTransparent(false);
    Box->SetColor(clWhite);
    Box->SetCaption("&Go");
    Paint();
    EXPECT_EQ(Picture.Pixel(21, 4), clWhite) << "no focus rectangle while unfocused";
    int before = Peer().Invalidations;
    Box->SetFocus();
    EXPECT_GT(Peer().Invalidations, before);
    Paint();
    // From (21, 2) to (37, 16): the text is 12 pixels wide once the "&" is left out; every
    // other pixel of the frame is inverted.
    EXPECT_EQ(Picture.Pixel(21, 4), clBlack);
    EXPECT_EQ(Picture.Pixel(37, 2), clBlack);
    EXPECT_EQ(Picture.Pixel(37, 16), clBlack);
    EXPECT_EQ(Picture.Pixel(39, 2), clWhite);
    EXPECT_EQ(Picture.Pixel(38, 3), clWhite);
    EXPECT_EQ(Picture.Pixel(24, 1), clWhite);
    // The "G" is underlined on the font's underline row, the "o" is not.
    EXPECT_EQ(CountColor(Picture, Rect(22, 14, 27, 15), clBlack), 5);
    EXPECT_EQ(CountColor(Picture, Rect(28, 14, 34, 15), clBlack), 0);

    Box->SetCaption("Go");
    Paint();
    EXPECT_EQ(Picture.Pixel(37, 2), clBlack);
    EXPECT_EQ(Picture.Pixel(39, 2), clWhite);
    EXPECT_EQ(CountColor(Picture, Rect(22, 14, 27, 15), clBlack), 0);

    before = Peer().Invalidations;
    Form->SetActiveControl(nullptr);
    EXPECT_GT(Peer().Invalidations, before);
    Paint();
    EXPECT_EQ(Picture.Pixel(37, 2), clWhite);
}

TEST_F(OrnCheckBoxTest, ShowFocusedOffDrawsNoFocusRectangle) {
    class TQuietCheck : public TOrnCustomCheck {
    public:
        using TOrnCustomCheck::SetShowFocused;
        using TOrnCustomCheck::SetTransparent;
        using TOrnCustomCheck::TOrnCustomCheck;
    };
    auto* quiet = new TQuietCheck(Form.get());
    quiet->SetParent(Form.get());
    quiet->SetBounds(10, 0, 109, 19);
    quiet->SetCaption("Go");
    quiet->SetTransparent(false);
    quiet->SetColor(clWhite);
    quiet->SetShowFocused(false);
    quiet->SetFocus();
    ASSERT_TRUE(quiet->Focused());
    quiet->PaintTo(Picture, 0, 0);
    EXPECT_EQ(Picture.Pixel(21, 4), clWhite);
}

TEST_F(OrnCheckBoxTest, MissingGlyphIsAnError) {
    const TComponentPtr<TOrnCheckBox> box(new TOrnCheckBox(nullptr));
    THeadlessPlatform bare;
    InstallPlatform(&bare);
    try {
        box->PaintTo(Picture, 0, 0);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Resource JustBlank not found");
    }
    InstallPlatform(&Headless);
}

} // namespace
