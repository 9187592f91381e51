// Shapes, pixels, copies, edges and the drawing state of the software canvas.

#include "Headlesstest.h"
#include "Pixelcheck.h"

namespace {

class SoftCanvas : public HeadlessTest {
protected:
    TSoftCanvas Canvas{6, 6};
    void SetUp() override {
        HeadlessTest::SetUp();
        Canvas.Brush.Color = clWhite;
        Canvas.FillRect(Rect(0, 0, 6, 6));
    }
    // A bitmap from rows of letters: r red, g lime, b blue, k black, w white, m fuchsia.
    TBitmap Picture(const std::vector<std::string>& rows) {
        const std::map<char, TColor> colors{{'r', clRed},   {'g', clLime},  {'b', clBlue},
                                            {'k', clBlack}, {'w', clWhite}, {'m', clFuchsia}};
        TBitmap bitmap(int(rows[0].size()), int(rows.size()));
        for (int y = 0; y < bitmap.Height(); ++y) {
            for (int x = 0; x < bitmap.Width(); ++x) {
                bitmap.SetPixel(x, y, colors.at(rows[std::size_t(y)][std::size_t(x)]));
            }
        }
        return bitmap;
    }
    const std::map<char, TColor> Palette{{'.', clWhite}, {'r', clRed},   {'g', clLime},
                                         {'b', clBlue},  {'k', clBlack}, {'m', clFuchsia}};
};

TEST_F(SoftCanvas, FillFrameAndRectangle) {
    Canvas.Brush.Color = clRed;
    Canvas.FrameRect(Rect(0, 0, 4, 3));
    Canvas.Pen.Color = clBlue;
    Canvas.Brush.Color = clLime;
    Canvas.Rectangle(Rect(2, 2, 6, 6));
    EXPECT_TRUE(
        ImageIs(Canvas, {"rrrr..", "r..r..", "rrbbbb", "..bggb", "..bggb", "..bbbb"}, Palette));
}

TEST_F(SoftCanvas, ClearBrushAndPenPaintNothing) {
    Canvas.Brush.Color = clRed;
    Canvas.Brush.Style = TBrushStyle::Clear;
    Canvas.FillRect(Rect(0, 0, 6, 6));
    Canvas.FrameRect(Rect(0, 0, 6, 6));
    Canvas.Pen.Style = TPenStyle::Clear;
    Canvas.Rectangle(Rect(0, 0, 6, 6));
    Canvas.LineTo(5, 5);
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 0, 6, 6), clWhite));
}

TEST_F(SoftCanvas, WidePenOutlinesInsideTheRectangle) {
    Canvas.Pen.Width = 2;
    Canvas.Brush.Color = clLime;
    Canvas.Rectangle(Rect(0, 0, 5, 6));
    EXPECT_TRUE(
        ImageIs(Canvas, {"kkkkk.", "kkkkk.", "kkgkk.", "kkgkk.", "kkkkk.", "kkkkk."}, Palette));
}

TEST_F(SoftCanvas, LinesLeaveOutTheirEndPoint) {
    Canvas.MoveTo(0, 0);
    Canvas.LineTo(4, 0);
    Canvas.LineTo(4, 4);
    Canvas.Pen.Color = clRed;
    Canvas.MoveTo(0, 5);
    Canvas.LineTo(5, 0); // diagonal, up and to the right
    Canvas.Pen.Color = clBlue;
    Canvas.Pen.Style = TPenStyle::Dot;
    Canvas.MoveTo(0, 2);
    Canvas.LineTo(4, 2);
    EXPECT_TRUE(
        ImageIs(Canvas, {"kkkkk.", "....r.", "b.brk.", "..r.k.", ".r....", "r....."}, Palette));
}

TEST_F(SoftCanvas, PixelsOutsideTheSurfaceOrTheClipAreNone) {
    Canvas.SetPixel(1, 1, clRed);
    EXPECT_EQ(Canvas.GetPixel(1, 1), clRed);
    EXPECT_EQ(Canvas.GetPixel(-1, 0), clNone);
    EXPECT_EQ(Canvas.GetPixel(6, 0), clNone);
    Canvas.SetPixel(6, 0, clRed); // ignored
    Canvas.IntersectClipRect(Rect(2, 2, 6, 6));
    EXPECT_EQ(Canvas.GetPixel(1, 1), clNone);
    Canvas.SetPixel(0, 0, clRed);
    EXPECT_EQ(Canvas.Pixel(0, 0), clWhite);
    Canvas.SetPixel(2, 2, clBtnShadow); // system colours are resolved
    EXPECT_EQ(Canvas.Pixel(2, 2), clGray);
}

TEST_F(SoftCanvas, PatternRepeatsFromTheDeviceOrigin) {
    const TBitmap pattern = Picture({"rb", "bg"});
    Canvas.MoveOrigin(1, 0);
    Canvas.PatternFill(Rect(0, 0, 4, 3), pattern);
    EXPECT_TRUE(
        ImageIs(Canvas, {".brbr.", ".gbgb.", ".brbr.", "......", "......", "......"}, Palette));
}

TEST_F(SoftCanvas, CopyRectStretchesByNearestNeighbour) {
    TSoftCanvas source(2, 2);
    source.SetPixel(0, 0, clRed);
    source.SetPixel(1, 0, clLime);
    source.SetPixel(0, 1, clBlue);
    source.SetPixel(1, 1, clBlack);
    Canvas.CopyRect(Rect(0, 0, 4, 4), source, Rect(0, 0, 2, 2));
    Canvas.CopyRect(Rect(4, 0, 5, 2), source, Rect(0, 0, 2, 2)); // shrunk: the pixel centres
    EXPECT_TRUE(
        ImageIs(Canvas, {"rrggg.", "rrggk.", "bbkk..", "bbkk..", "......", "......"}, Palette));
}

TEST_F(SoftCanvas, CopyRectWithinOneCanvasReadsBeforeWriting) {
    // The stretch of a one-pixel strip over the rows below it, as gradients are spread.
    Canvas.SetPixel(0, 0, clRed);
    Canvas.SetPixel(1, 0, clLime);
    Canvas.SetPixel(2, 0, clBlue);
    Canvas.CopyRect(Rect(0, 1, 3, 4), Canvas, Rect(0, 0, 3, 1));
    Canvas.CopyRect(Rect(1, 0, 4, 1), Canvas, Rect(0, 0, 3, 1)); // overlapping, shifted right
    EXPECT_TRUE(
        ImageIs(Canvas, {"rrgb..", "rgb...", "rgb...", "rgb...", "......", "......"}, Palette));
}

TEST_F(SoftCanvas, CopyRectLeavesPixelsFromOutsideTheSourceAlone) {
    TSoftCanvas source(2, 2);
    Canvas.CopyRect(Rect(0, 0, 4, 2), source, Rect(0, 0, 4, 2));
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 0, 2, 2), clBlack));
    EXPECT_TRUE(AreaIs(Canvas, Rect(2, 0, 6, 2), clWhite));
}

TEST_F(SoftCanvas, DrawLeavesOutTheTransparentColour) {
    TBitmap glyph = Picture({"rmr", "mgm", "mmm"});
    Canvas.Draw(0, 0, glyph); // not transparent: all of it
    glyph.Transparent = true; // automatic: the bottom-left pixel's colour, fuchsia
    Canvas.Draw(3, 0, glyph);
    glyph.TransparentMode = TTransparentMode::Fixed;
    glyph.TransparentColorValue = clRed;
    Canvas.Draw(3, 3, glyph);
    Canvas.Draw(-2, 4, glyph); // partly outside
    EXPECT_TRUE(
        ImageIs(Canvas, {"rmrr.r", "mgm.g.", "mmm...", "....m.", "...mgm", "m..mmm"}, Palette));
}

TEST_F(SoftCanvas, ABitmapDrawnOntoItselfIsReadFirst) {
    TBitmap strip = Picture({"rgbk"});
    strip.Canvas().Draw(1, 0, strip);
    EXPECT_EQ(strip.Pixel(0, 0), clRed);
    EXPECT_EQ(strip.Pixel(1, 0), clRed);
    EXPECT_EQ(strip.Pixel(2, 0), clLime);
    EXPECT_EQ(strip.Pixel(3, 0), clBlue);
}

TEST_F(SoftCanvas, StretchDrawKeepsTransparency) {
    TBitmap glyph = Picture({"rm", "mm"});
    glyph.Transparent = true;
    Canvas.StretchDraw(Rect(0, 0, 4, 4), glyph);
    EXPECT_TRUE(
        ImageIs(Canvas, {"rr....", "rr....", "......", "......", "......", "......"}, Palette));
}

TEST_F(SoftCanvas, ClippingAndOriginAreSavedAndRestored) {
    const int outer = Canvas.SaveDC();
    Canvas.MoveOrigin(2, 2);
    Canvas.IntersectClipRect(Rect(0, 0, 3, 3));
    EXPECT_EQ(Canvas.ClipRect(), Rect(0, 0, 3, 3));
    Canvas.Brush.Color = clRed;
    const int inner = Canvas.SaveDC();
    Canvas.IntersectClipRect(Rect(1, 1, 9, 9));
    Canvas.Brush.Color = clBlue;
    EXPECT_EQ(Canvas.ClipRect(), Rect(1, 1, 3, 3));
    Canvas.FillRect(Rect(-9, -9, 9, 9));
    Canvas.RestoreDC(inner);
    EXPECT_EQ(Canvas.Brush.Color, clRed);
    Canvas.FillRect(Rect(0, 0, 1, 1));
    Canvas.RestoreDC(outer);
    EXPECT_EQ(Canvas.ClipRect(), Rect(0, 0, 6, 6));
    EXPECT_EQ(Canvas.Brush.Color, clWhite);
    Canvas.Brush.Color = clLime;
    Canvas.FillRect(Rect(5, 5, 6, 6));
    EXPECT_TRUE(
        ImageIs(Canvas, {"......", "......", "..r...", "...bb.", "...bb.", ".....g"}, Palette));
}

TEST_F(SoftCanvas, RestoreDCCountsBackFromTheLatestWithNegativeNumbers) {
    Canvas.SaveDC();
    Canvas.Font.Height = -13;
    Canvas.SaveDC();
    Canvas.Font.Height = -19;
    Canvas.SaveDC();
    Canvas.Font.Height = -8;
    Canvas.RestoreDC(-2);
    EXPECT_EQ(Canvas.Font.Height, -13);
    Canvas.RestoreDC(5); // no such state: nothing happens
    EXPECT_EQ(Canvas.Font.Height, -13);
    Canvas.RestoreDC(-1);
    EXPECT_EQ(Canvas.Font.Height, -11);
    EXPECT_EQ(Canvas.SaveDC(), 1); // all states were used up
}

TEST_F(SoftCanvas, AnEmptyClipShowsNothing) {
    Canvas.IntersectClipRect(Rect(0, 0, 2, 2));
    Canvas.IntersectClipRect(Rect(3, 3, 6, 6));
    EXPECT_EQ(Canvas.ClipRect(), Rect(0, 0, 0, 0));
    Canvas.Brush.Color = clRed;
    Canvas.FillRect(Rect(0, 0, 6, 6));
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 0, 6, 6), clWhite));
}

class Edges : public HeadlessTest {
protected:
    TSoftCanvas Canvas{6, 6};
    void SetUp() override {
        HeadlessTest::SetUp();
        Canvas.Brush.Color = clRed;
        Canvas.FillRect(Rect(0, 0, 6, 6));
    }
    // The classic scheme: h button highlight, l 3D light, s button shadow, d 3D dark shadow,
    // f button face.
    const std::map<char, TColor> Palette{{'.', clRed},  {'h', clWhite}, {'l', RGB(223, 223, 223)},
                                         {'s', clGray}, {'d', clBlack}, {'f', clSilver}};
};

TEST_F(Edges, RaisedAndSunken) {
    TRect r = Rect(0, 0, 6, 6);
    Canvas.DrawEdge(r, edgeRaised, bfRect | bfAdjust);
    EXPECT_EQ(r, Rect(2, 2, 4, 4));
    EXPECT_TRUE(
        ImageIs(Canvas, {"llllld", "lhhhsd", "lh..sd", "lh..sd", "lssssd", "dddddd"}, Palette));
    r = Rect(0, 0, 6, 6);
    Canvas.DrawEdge(r, edgeSunken, bfRect);
    EXPECT_EQ(r, Rect(0, 0, 6, 6));
    EXPECT_TRUE(
        ImageIs(Canvas, {"sssssh", "sdddlh", "sd..lh", "sd..lh", "sllllh", "hhhhhh"}, Palette));
}

TEST_F(Edges, AnInnerEdgeAloneTakesTheOuterPlace) {
    TRect r = Rect(0, 0, 6, 6);
    Canvas.DrawEdge(r, bdrRaisedInner, bfRect | bfAdjust);
    EXPECT_EQ(r, Rect(1, 1, 5, 5));
    EXPECT_TRUE(
        ImageIs(Canvas, {"hhhhhs", "h....s", "h....s", "h....s", "h....s", "ssssss"}, Palette));
}

TEST_F(Edges, OnlyTheNamedSidesAreDrawnAndAdjusted) {
    TRect r = Rect(0, 0, 6, 6);
    Canvas.DrawEdge(r, edgeEtched, bfTop | bfLeft | bfAdjust);
    EXPECT_EQ(r, Rect(2, 2, 6, 6));
    EXPECT_TRUE(
        ImageIs(Canvas, {"ssssss", "shhhhh", "sh....", "sh....", "sh....", "sh...."}, Palette));
    Canvas.FillRect(Rect(0, 0, 6, 6));
    r = Rect(0, 0, 6, 6);
    Canvas.DrawEdge(r, bdrSunkenOuter, bfBottom);
    Canvas.DrawEdge(r, bdrRaisedOuter | bdrSunkenOuter, bfRect); // raised and sunken at once
    EXPECT_TRUE(
        ImageIs(Canvas, {"......", "......", "......", "......", "......", "hhhhhh"}, Palette));
    r = Rect(0, 0, 6, 6);
    Canvas.DrawEdge(r, edgeRaised, bfBottom | bfRight | bfAdjust);
    EXPECT_EQ(r, Rect(0, 0, 4, 4));
}

TEST_F(Edges, FlatEdgesAndTheMiddle) {
    TRect r = Rect(0, 0, 6, 6);
    Canvas.DrawEdge(r, edgeRaised, bfRect | bfFlat | bfMiddle);
    EXPECT_TRUE(
        ImageIs(Canvas, {"ssssss", "sffffs", "sffffs", "sffffs", "sffffs", "ssssss"}, Palette));
}

TEST_F(SoftCanvas, FocusRectangleInvertsEveryOtherPixel) {
    Canvas.DrawFocusRect(Rect(0, 0, 6, 5));
    EXPECT_TRUE(
        ImageIs(Canvas, {".k.k.k", "k.....", ".....k", "k.....", ".k.k.k", "......"}, Palette));
    Canvas.DrawFocusRect(Rect(0, 0, 6, 5));
    EXPECT_TRUE(AreaIs(Canvas, Rect(0, 0, 6, 6), clWhite));
}

} // namespace
