// The message dialog's layout as a function of what was measured, without a dialog: the fonts'
// average characters, the text's extent, the icon, the number of buttons, the screen and the
// frame.

#include "widgets/Ornmesg.h"

#include <gtest/gtest.h>

namespace {

// "MS Sans Serif" -11 for both fonts (average character 6 x 13), clear buttons, the icon, a
// 1024 x 768 screen and a frame of 3 + 3 across and 22 + 3 down. The metrics are then: buttons
// 69 x 24 with a gap of 2, margins 12 across and 13 down, spacings 15 across and 16 down.
TMessageDialogInput Input(TSize text, int buttonCount) {
    TMessageDialogInput input;
    input.ButtonChar = {6, 13};
    input.TextChar = {6, 13};
    input.ButtonGap = 1;
    input.Text = text;
    input.HasIcon = true;
    input.ButtonCount = buttonCount;
    input.Screen = {1024, 768};
    input.Frame = {6, 25};
    return input;
}

TEST(MessageDialogLayout, ANarrowTextBesideTheIconOverARowOfTwoButtons) {
    // The block of icon and text is 32 + 15 + 12 = 59 wide and as high as the icon; the row,
    // 2 * 69 + 2 = 140, is wider and sets the client width.
    const TMessageDialogLayout layout = MessageDialogLayout(Input({12, 13}, 2));
    EXPECT_EQ(layout.Icon, Bounds(12, 13, 32, 32));
    EXPECT_EQ(layout.Text, Bounds(59, 13, 12, 13));
    ASSERT_EQ(layout.Buttons.size(), 2u);
    EXPECT_EQ(layout.Buttons[0], Bounds(12, 61, 69, 24));
    EXPECT_EQ(layout.Buttons[1], Bounds(83, 61, 69, 24));
    EXPECT_EQ(layout.Client, (TSize{140 + 2 * 12, 32 + 16 + 24 + 2 * 13}));
    // Centred by the outer size, 170 x 123, halves rounded down on both sides.
    EXPECT_EQ(layout.Bounds, Bounds(512 - 85, 384 - 61, 170, 123));
}

TEST(MessageDialogLayout, WithoutTheIconTheTextStandsAtTheMarginAndSetsTheBlocksHeight) {
    TMessageDialogInput input = Input({12, 13}, 1);
    input.HasIcon = false;
    const TMessageDialogLayout layout = MessageDialogLayout(input);
    EXPECT_TRUE(layout.Icon.IsEmpty());
    EXPECT_EQ(layout.Text, Bounds(12, 13, 12, 13));
    // One line, not the icon's 32 pixels, above the row.
    ASSERT_EQ(layout.Buttons.size(), 1u);
    EXPECT_EQ(layout.Buttons[0].Top, 13 + 13 + 16);
    EXPECT_EQ(layout.Client, (TSize{69 + 2 * 12, 13 + 16 + 24 + 2 * 13}));
}

TEST(MessageDialogLayout, TheTallerOfIconAndTextSetsTheRowsPlace) {
    // Two lines (26) are lower than the icon; five lines (65) are taller.
    EXPECT_EQ(MessageDialogLayout(Input({100, 26}, 1)).Buttons.at(0).Top, 13 + 32 + 16);
    const TMessageDialogLayout tall = MessageDialogLayout(Input({100, 65}, 1));
    EXPECT_EQ(tall.Text, Bounds(59, 13, 100, 65));
    EXPECT_EQ(tall.Icon, Bounds(12, 13, 32, 32));
    EXPECT_EQ(tall.Buttons.at(0).Top, 13 + 65 + 16);
    EXPECT_EQ(tall.Client.cy, 65 + 16 + 24 + 2 * 13);
}

TEST(MessageDialogLayout, AWideTextWidensTheDialogAndTheButtonsAreCentredRoundedDown) {
    // 12 + 32 + 15 + 480 + 12 = 551 wide; one button at (551 - 69) / 2 = 241.
    const TMessageDialogLayout layout = MessageDialogLayout(Input({480, 26}, 1));
    EXPECT_EQ(layout.Client.cx, 551);
    EXPECT_EQ(layout.Text.Left, 59);
    EXPECT_EQ(layout.Buttons.at(0).Left, 241);
    // Two buttons leave 551 - 140 = 411 beside them: 205 at the left.
    EXPECT_EQ(MessageDialogLayout(Input({480, 26}, 2)).Buttons.at(0).Left, 205);
}

TEST(MessageDialogLayout, ARowOfAllTenButtonsIsWiderThanTheTextAndSpansTheMargins) {
    // 10 * 69 + 9 * 2 = 708: the row sets the width and the text keeps its place by the icon.
    const TMessageDialogLayout layout = MessageDialogLayout(Input({120, 13}, 10));
    EXPECT_EQ(layout.Client.cx, 708 + 2 * 12);
    EXPECT_EQ(layout.Text.Left, 59);
    ASSERT_EQ(layout.Buttons.size(), 10u);
    for (std::size_t i = 0; i < layout.Buttons.size(); ++i) {
        EXPECT_EQ(layout.Buttons[i], Bounds(12 + int(i) * 71, 61, 69, 24)) << "button " << i;
    }
    EXPECT_EQ(layout.Buttons.back().Right, layout.Client.cx - 12);
}

TEST(MessageDialogLayout, NoButtonsStillKeepTheRowsPlace) {
    const TMessageDialogLayout layout = MessageDialogLayout(Input({12, 13}, 0));
    EXPECT_TRUE(layout.Buttons.empty());
    EXPECT_EQ(layout.Client, (TSize{59 + 2 * 12, 32 + 16 + 24 + 2 * 13}));
}

TEST(MessageDialogLayout, MetricsFollowBothFontsAndTheGapRoundingHalvesAwayFromZero) {
    // Button font 7 x 15: buttons 80.5 -> 81 by 28.125 -> 28, a gap of 4 quarters 7 wide.
    // Text font 5 x 11: margins 10 and 11, spacings 12.5 -> 13 and 13.75 -> 14.
    TMessageDialogInput input = Input({12, 11}, 2);
    input.ButtonChar = {7, 15};
    input.TextChar = {5, 11};
    input.ButtonGap = 4;
    const TMessageDialogLayout layout = MessageDialogLayout(input);
    EXPECT_EQ(layout.Icon, Bounds(10, 11, 32, 32));
    EXPECT_EQ(layout.Text, Bounds(10 + 32 + 13, 11, 12, 11));
    ASSERT_EQ(layout.Buttons.size(), 2u);
    EXPECT_EQ(layout.Buttons[0], Bounds(10, 11 + 32 + 14, 81, 28));
    EXPECT_EQ(layout.Buttons[1], Bounds(10 + 81 + 7, 11 + 32 + 14, 81, 28));
    EXPECT_EQ(layout.Client, (TSize{2 * 81 + 7 + 2 * 10, 32 + 14 + 28 + 2 * 11}));
}

TEST(MessageDialogLayout, TheWindowIsCentredOnTheScreenByItsOuterSize) {
    TMessageDialogInput input = Input({12, 13}, 1);
    input.Screen = {800, 600};
    input.Frame = {8, 31};
    const TMessageDialogLayout layout = MessageDialogLayout(input);
    const int width = layout.Client.cx + 8;
    const int height = layout.Client.cy + 31;
    EXPECT_EQ(layout.Bounds, Bounds(400 - width / 2, 300 - height / 2, width, height));
}

} // namespace
