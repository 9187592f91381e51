// Text on the software canvas: the fixed-metric font, measurement and drawing with DrawText.

#include "Headlesstest.h"
#include "Pixelcheck.h"

namespace {

class Text : public HeadlessTest {
protected:
    TSoftCanvas Canvas{64, 40};
    void SetUp() override {
        HeadlessTest::SetUp();
        Canvas.Brush.Color = clWhite;
        Canvas.FillRect(Rect(0, 0, 64, 40));
        Canvas.Font.Color = clBlack;
    }
    // The rectangle DrawText calculates for text in a rectangle width pixels wide at (10, 20).
    TRect Measure(const std::string& text, int width, std::uint32_t format = dtWordBreak) {
        TRect r = Bounds(10, 20, width, 0);
        Canvas.DrawText(text, r, format | dtCalcRect);
        return r;
    }
    // The size of the calculated rectangle in characters and lines of the -11 font (6 x 13).
    std::pair<double, double> CellsOf(const std::string& text, int widthInChars,
                                      std::uint32_t format = dtWordBreak) {
        const TRect r = Measure(text, widthInChars * 6, format);
        return {(r.Right - r.Left) / 6.0, (r.Bottom - r.Top) / 13.0};
    }
    bool InkIn(const TRect& r) {
        for (int y = r.Top; y < r.Bottom; ++y) {
            for (int x = r.Left; x < r.Right; ++x) {
                if (Canvas.Pixel(x, y) == clBlack) {
                    return true;
                }
            }
        }
        return false;
    }
};

using TCells = std::pair<double, double>;

TEST_F(Text, FontMetricsFollowTheHeight) {
    EXPECT_EQ(Canvas.TextExtent("Morvik"), (TSize{36, 13}));
    EXPECT_EQ(Canvas.TextExtent(""), (TSize{0, 13}));
    EXPECT_EQ(Canvas.TextExtent("  "), (TSize{12, 13}));
    Canvas.Font.Height = -13;
    EXPECT_EQ(Canvas.TextExtent("ab"), (TSize{14, 15}));
    Canvas.Font.Height = 20; // a cell height
    EXPECT_EQ(Canvas.TextExtent("ab"), (TSize{20, 20}));
    Canvas.Font.Height = 1;
    EXPECT_EQ(Canvas.TextExtent("ab"), (TSize{2, 1}));
    // Name and style leave the metrics alone.
    Canvas.Font.Height = -11;
    Canvas.Font.Name = "Tahoma";
    Canvas.Font.Style = fsBold | fsItalic;
    EXPECT_EQ(Canvas.TextExtent("ab"), (TSize{12, 13}));
}

TEST_F(Text, AverageCharacterSizeOfTheDialogFont) {
    EXPECT_EQ(GetAveCharSize(Canvas), (TSize{6, 13}));
    Canvas.Font.Height = -13;
    EXPECT_EQ(GetAveCharSize(Canvas), (TSize{7, 15}));
    Canvas.Font.Height = -19;
    EXPECT_EQ(GetAveCharSize(Canvas), (TSize{10, 21}));
}

TEST_F(Text, GlyphsSitInTheirCells) {
    TSoftCanvas cell(8, 13);
    cell.Brush.Color = clWhite;
    cell.FillRect(Rect(0, 0, 8, 13));
    cell.Font.Color = clBlack;
    cell.TextOut(1, 0, "L");
    EXPECT_TRUE(
        ImageIs(cell,
                {"........", "........", ".#......", ".#......", ".#......", ".#......", ".#......",
                 ".#......", ".#####..", "........", "........", "........", "........"},
                {{'.', clWhite}, {'#', clBlack}}));
    cell.FillRect(Rect(0, 0, 8, 13));
    cell.Font.Style = fsBold | fsUnderline;
    cell.TextOut(1, 0, "L");
    EXPECT_TRUE(
        ImageIs(cell,
                {"........", "........", ".##.....", ".##.....", ".##.....", ".##.....", ".##.....",
                 ".##.....", ".######.", "........", "........", ".######.", "........"},
                {{'.', clWhite}, {'#', clBlack}}));
}

TEST_F(Text, BackgroundIsOpaqueWithASolidBrushOnly) {
    Canvas.Brush.Color = clYellow;
    Canvas.TextOut(2, 3, "ab");
    EXPECT_TRUE(AreaIs(Canvas, Rect(2, 3, 14, 5), clYellow)); // the leading above the glyphs
    EXPECT_EQ(Canvas.Pixel(14, 3), clWhite);
    Canvas.Brush.Color = clWhite;
    Canvas.FillRect(Rect(0, 0, 64, 40));
    Canvas.Brush.Color = clYellow;
    Canvas.Brush.Style = TBrushStyle::Clear;
    Canvas.TextOut(2, 3, "ab");
    EXPECT_TRUE(AreaIs(Canvas, Rect(2, 3, 14, 5), clWhite));
    EXPECT_TRUE(InkIn(Rect(2, 3, 14, 16)));
}

TEST_F(Text, StrikeOutCrossesTheWholeRun) {
    Canvas.Font.Style = fsStrikeOut;
    Canvas.TextOut(0, 0, "  ");
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 6, 12, 7), clBlack));
    EXPECT_FALSE(InkIn(Rect(0, 0, 12, 6)));
    EXPECT_FALSE(InkIn(Rect(0, 7, 12, 13)));
}

TEST_F(Text, EscapementTurnsTheRun) {
    // "L" turned a quarter counter-clockwise: its stem becomes the bottom row of the run, which
    // runs upwards from the reference point, the tops of the letters to the left.
    TSoftCanvas up(13, 8);
    up.Brush.Style = TBrushStyle::Clear;
    up.Font.Color = clWhite;
    up.Font.Escapement = 900;
    up.TextOut(0, 7, "L");
    EXPECT_TRUE(ImageIs(up,
                        {".............", ".............", "........#....", "........#....",
                         "........#....", "........#....", "..#######....", "............."},
                        {{'.', clBlack}, {'#', clWhite}}));
    // A quarter clockwise: downwards from the reference point, tops to the right.
    TSoftCanvas down(13, 8);
    down.Brush.Style = TBrushStyle::Clear;
    down.Font.Color = clWhite;
    down.Font.Escapement = -900;
    down.TextOut(13, 0, "L");
    EXPECT_TRUE(ImageIs(down,
                        {"....#######..", "....#........", "....#........", "....#........",
                         "....#........", ".............", ".............", "............."},
                        {{'.', clBlack}, {'#', clWhite}}));
}

TEST_F(Text, SingleLineMeasurement) {
    EXPECT_EQ(Measure("Warning", 0, dtSingleLine), Rect(10, 20, 52, 33));
    EXPECT_EQ(CellsOf("ab\ncd", 0, dtSingleLine), (TCells{5, 1})); // the break is a character
    EXPECT_EQ(Measure("", 100, dtSingleLine), Rect(10, 20, 10, 33));
    EXPECT_EQ(Measure("", 100, dtWordBreak), Rect(10, 20, 10, 20));
}

TEST_F(Text, AmpersandMarksTheUnderlinedLetter) {
    EXPECT_EQ(CellsOf("&Yes", 0, 0), (TCells{3, 1}));
    EXPECT_EQ(CellsOf("Ye&sToAll", 0, 0), (TCells{8, 1}));
    EXPECT_EQ(CellsOf("A&&B", 0, 0), (TCells{3, 1}));
    EXPECT_EQ(CellsOf("&a&b", 0, 0), (TCells{2, 1}));
    EXPECT_EQ(CellsOf("abc&", 0, 0), (TCells{4, 1})); // a lone "&" at the end is shown
    EXPECT_EQ(CellsOf("&Yes", 0, dtNoPrefix), (TCells{4, 1}));
    EXPECT_EQ(CellsOf("&Yes", 0, dtHidePrefix), (TCells{3, 1}));

    TRect r = Rect(0, 0, 64, 13);
    Canvas.DrawText("&Yes", r, 0);
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 11, 6, 12), clBlack)); // under "Y"
    EXPECT_TRUE(AreaIs(Canvas, Rect(6, 11, 18, 12), clWhite));
    r = Rect(30, 0, 64, 13);
    Canvas.DrawText("&a&b", r, 0); // of two marks on a line the last
    EXPECT_TRUE(AreaIs(Canvas, Rect(30, 11, 36, 12), clWhite));
    EXPECT_TRUE(AreaIs(Canvas, Rect(36, 11, 42, 12), clBlack));
    r = Rect(0, 13, 64, 26);
    Canvas.DrawText("&Yes", r, dtHidePrefix);
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 24, 18, 25), clWhite));
    r = Rect(0, 26, 64, 39);
    Canvas.DrawText("&Yes", r, dtNoPrefix);
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 37, 24, 38), clWhite));
    EXPECT_TRUE(InkIn(Rect(0, 26, 6, 39))); // the "&" itself
}

TEST_F(Text, LineBreaks) {
    EXPECT_EQ(CellsOf("ab\ncde", 100), (TCells{3, 2}));
    EXPECT_EQ(CellsOf("ab\ncde", 100, 0), (TCells{3, 2})); // breaks need no word wrapping
    EXPECT_EQ(CellsOf("abc\n", 100), (TCells{3, 1}));      // no empty line after the last break
    EXPECT_EQ(CellsOf("abc\n\n", 100), (TCells{3, 2}));
    EXPECT_EQ(CellsOf("\n", 100), (TCells{0, 1}));
    EXPECT_EQ(CellsOf("a\r\nb", 100), (TCells{1, 2}));
    EXPECT_EQ(CellsOf("a\n\rb", 100), (TCells{1, 2}));
    EXPECT_EQ(CellsOf("a\rb", 100), (TCells{1, 2}));
    EXPECT_EQ(CellsOf("a\n\nb", 100), (TCells{1, 3}));
    EXPECT_EQ(CellsOf("abc   \nd", 100), (TCells{6, 2})); // blanks before a break count
}

TEST_F(Text, WordBreaksAtBlanks) {
    EXPECT_EQ(CellsOf("aaa bbb", 7), (TCells{7, 1}));
    EXPECT_EQ(CellsOf("aaa bbb", 6), (TCells{4, 2})); // the blank that fits stays on the line
    EXPECT_EQ(CellsOf("aaa   bbb", 4), (TCells{4, 2}));
    EXPECT_EQ(CellsOf("aaa   bbb", 5), (TCells{5, 2}));
    EXPECT_EQ(CellsOf("aaa bbb ccc", 8), (TCells{8, 2}));
    EXPECT_EQ(CellsOf("aa-bb-cc", 3), (TCells{8, 1})); // only blanks break
    EXPECT_EQ(CellsOf("aaa   \nbbb", 4), (TCells{4, 2}));
}

TEST_F(Text, AWordWiderThanTheRectangleIsNotBroken) {
    EXPECT_EQ(CellsOf("aaaaaaaa bb", 3), (TCells{8, 2}));
    EXPECT_EQ(CellsOf("  aaaaaa", 3), (TCells{6, 2}));
    EXPECT_EQ(CellsOf("aa bb", 0), (TCells{2, 2}));
}

TEST_F(Text, CentredLinesKeepOneBlankFewer) {
    EXPECT_EQ(CellsOf("aaa bbb", 6, dtWordBreak | dtCenter), (TCells{3, 2}));
    EXPECT_EQ(CellsOf("aaa   bbb", 5, dtWordBreak | dtRight), (TCells{4, 2}));
}

TEST_F(Text, MessageMeasuredAtHalfTheScreen) {
    // The message dialog's measurement: 320 pixels hold 53 characters.
    const std::string message = "Files will be extracted to:\nC:\\Games\\Duke3D\\DUKE3D_Extract\\"
                                "\nContinue ? The folder already holds files that will be "
                                "overwritten by the ones of the group file.";
    const TRect r = Measure(message, 320, dtWordBreak | dtCalcRect);
    // The widest line is "Continue ? ... that will " with its blank: "be" would end at 54.
    EXPECT_EQ(r.Right - r.Left, 52 * 6);
    EXPECT_EQ(r.Bottom - r.Top, 4 * 13);
}

TEST_F(Text, ExpandedTabsStopEveryEightCharacters) {
    EXPECT_EQ(CellsOf("a\tb", 0, dtExpandTabs), (TCells{9, 1}));
    EXPECT_EQ(CellsOf("aaaaaaaaa\tb", 0, dtExpandTabs), (TCells{17, 1}));
    EXPECT_EQ(CellsOf("a\tb", 0, 0), (TCells{3, 1}));
    // With dtTabStop bits 8 to 15 give the tab size, here 4 (and are no flags).
    TRect r = Rect(0, 0, 64, 13);
    Canvas.Brush.Color = clYellow;
    Canvas.DrawText("a\tb", r, dtExpandTabs | dtTabStop | (4 << 8));
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 0, 30, 2), clYellow));
    EXPECT_EQ(Canvas.Pixel(30, 0), clWhite);
}

TEST_F(Text, AlignmentPlacesEachLine) {
    TRect r = Rect(0, 0, 64, 40);
    Canvas.Brush.Color = clYellow;
    EXPECT_EQ(Canvas.DrawText("ab\ncdef", r, dtCenter), 26);
    EXPECT_TRUE(AreaIs(Canvas, Rect(26, 0, 38, 1), clYellow)); // (64 - 12) / 2 = 26
    EXPECT_EQ(Canvas.Pixel(25, 0), clWhite);
    EXPECT_TRUE(AreaIs(Canvas, Rect(20, 13, 44, 14), clYellow));
    EXPECT_EQ(Canvas.Pixel(44, 13), clWhite);
    Canvas.DrawText(" ", r, dtRight | dtBottom | dtSingleLine);
    EXPECT_TRUE(AreaIs(Canvas, Rect(58, 27, 64, 40), clYellow));
    EXPECT_EQ(Canvas.Pixel(57, 39), clWhite);
}

TEST_F(Text, VerticalPlacementNeedsASingleLine) {
    TRect r = Rect(0, 5, 20, 35);
    Canvas.Brush.Color = clYellow;
    EXPECT_EQ(Canvas.DrawText(" ", r, dtSingleLine | dtVCenter), 21); // (5 + 35 - 13) / 2 = 13
    EXPECT_EQ(Canvas.Pixel(0, 12), clWhite);
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 13, 6, 26), clYellow));
    EXPECT_EQ(Canvas.Pixel(0, 26), clWhite);
    TRect tight = Rect(40, 5, 50, 15); // (5 + 15 - 13) / 2 = 3, above the rectangle
    EXPECT_EQ(Canvas.DrawText(" ", tight, dtSingleLine | dtVCenter), 11);
    TRect multi = Rect(30, 5, 50, 35);
    EXPECT_EQ(Canvas.DrawText(" ", multi, dtVCenter), 13);
    EXPECT_TRUE(AreaIs(Canvas, Rect(30, 5, 36, 18), clYellow));
}

TEST_F(Text, DrawingIsClippedToTheRectangleUnlessNoClip) {
    TRect r = Rect(2, 2, 8, 8);
    Canvas.Brush.Color = clYellow;
    Canvas.DrawText("WWW", r, dtSingleLine);
    EXPECT_TRUE(AreaIs(Canvas, Rect(2, 2, 8, 4), clYellow)); // the leading above the glyphs
    EXPECT_TRUE(InkIn(Rect(2, 4, 8, 8)));
    EXPECT_TRUE(AreaIs(Canvas, Rect(8, 0, 64, 40), clWhite));
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 8, 64, 40), clWhite));
    TRect free = Rect(2, 20, 8, 26);
    Canvas.DrawText("WWW", free, dtSingleLine | dtNoClip);
    EXPECT_TRUE(AreaIs(Canvas, Rect(2, 20, 20, 22), clYellow));
    EXPECT_TRUE(InkIn(Rect(2, 26, 20, 33)));
    EXPECT_EQ(Canvas.Pixel(20, 20), clWhite);
    TRect none = Rect(40, 0, 40, 40); // an empty rectangle shows nothing
    Canvas.DrawText("-", none, 0);
    EXPECT_TRUE(AreaIs(Canvas, Rect(34, 0, 64, 13), clWhite));
}

TEST_F(Text, ClippedDrawingStopsAfterTheLineThatReachesBelow) {
    TRect r = Rect(0, 0, 64, 10);
    EXPECT_EQ(Canvas.DrawText("a\nb\nc", r, 0), 13);
    TRect unclipped = Rect(0, 0, 64, 10);
    EXPECT_EQ(Canvas.DrawText("a\nb\nc", unclipped, dtNoClip), 39);
    EXPECT_TRUE(InkIn(Rect(0, 26, 6, 39)));
}

TEST_F(Text, CalculationDrawsNothingAndKeepsTheLeftAndTop) {
    TRect r = Rect(5, 7, 5, 7);
    EXPECT_EQ(Canvas.DrawText("abc", r, dtRight | dtCalcRect | dtSingleLine), 13);
    EXPECT_EQ(r, Rect(5, 7, 23, 20));
    EXPECT_FALSE(InkIn(Rect(0, 0, 64, 40)));
}

} // namespace
