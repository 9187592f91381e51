// The Qt canvas against the software canvas of the headless platform: shapes, edges,
// gradients, copies and bitmaps must paint the same pixels; text is checked by its layout.

#include "Qttest.h"

#include "platform/qt/Qtfont.h"

#include <QFontDatabase>

#include <algorithm>

namespace {

// A bitmap of width x height filled by colour(x, y).
template <class Colour>
TBitmap MakeBitmap(int width, int height, Colour colour) {
    TBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.SetPixel(x, y, colour(x, y));
        }
    }
    return bitmap;
}

// The bounding box of the pixels of image that are not white.
TRect InkBounds(const QImage& image, const TRect& within) {
    TRect box{within.Right, within.Bottom, within.Left - 1, within.Top - 1};
    for (int y = within.Top; y < within.Bottom; ++y) {
        for (int x = within.Left; x < within.Right; ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
        }
    }
    return box;
}

TRect InkBounds(const QImage& image) {
    return InkBounds(image, Rect(0, 0, image.width(), image.height()));
}

// A white image with a Qt canvas on it, drawing black text on a clear brush.
struct TTextImage {
    TTextImage(int width, int height) : Image(width, height, QImage::Format_RGB32) {
        Image.fill(0xFFFFFFFF);
        Canvas = std::make_unique<TQtCanvas>(Image);
        Canvas->Brush.Style = TBrushStyle::Clear;
        Canvas->Font.Color = clBlack;
    }
    QImage Image;
    std::unique_ptr<TQtCanvas> Canvas;
};

} // namespace

TEST_F(QtCanvasTest, FillsFramesRectanglesAndLinesLikeTheSoftwareCanvas) {
    TTwoCanvases canvases(24, 16);
    canvases.Both([](TCanvas& canvas) {
        canvas.Brush.Color = clBtnFace; // a system colour, resolved by both the same way
        canvas.FillRect(Rect(0, 0, 24, 16));
        canvas.Brush.Color = clBlue;
        canvas.FillRect(Rect(1, 1, 7, 5));
        canvas.Brush.Color = clRed;
        canvas.FrameRect(Rect(8, 1, 15, 6));
        canvas.Brush.Color = clYellow;
        canvas.Pen.Color = clNavy;
        canvas.Rectangle(Rect(1, 6, 9, 11));
        canvas.Pen.Width = 2;
        canvas.Rectangle(Rect(16, 1, 23, 8));
        canvas.Pen.Width = 1;
        canvas.Pen.Style = TPenStyle::Dot;
        canvas.Rectangle(Rect(16, 9, 23, 15));
        canvas.MoveTo(1, 15);
        canvas.LineTo(14, 12);
        canvas.Pen.Style = TPenStyle::Clear;
        canvas.Rectangle(Rect(10, 7, 14, 11));
        canvas.Pen.Style = TPenStyle::Solid;
        canvas.Pen.Width = 3;
        canvas.Pen.Color = clGreen;
        canvas.MoveTo(9, 1);
        canvas.LineTo(14, 5);
        canvas.SetPixel(0, 0, clFuchsia);
        // A clear brush paints nothing.
        canvas.Brush.Style = TBrushStyle::Clear;
        canvas.FillRect(Rect(0, 0, 24, 16));
        canvas.FrameRect(Rect(0, 0, 24, 16));
    });
    EXPECT_TRUE(canvases.Same());
    EXPECT_EQ(canvases.Qt->GetPixel(0, 0), clFuchsia);
    EXPECT_EQ(canvases.Qt->GetPixel(24, 0), clNone);
}

TEST_F(QtCanvasTest, GradientsAreExactInBothDirectionsAndWithinTheClip) {
    for (const TGradientFillMode mode : {TGradientFillMode::RectH, TGradientFillMode::RectV}) {
        SCOPED_TRACE(int(mode));
        TTwoCanvases canvases(40, 30);
        bool filled = true;
        canvases.Both([&](TCanvas& canvas) {
            const TTriVertex start{0, 0, 0x0000, 0x8000, 0xFF00, 0};
            const TTriVertex end{40, 20, 0xFF00, 0x0000, 0x8000, 0};
            filled = canvas.GradientFill(start, end, mode) && filled;
            // Vertices the wrong way round, clipped to a part.
            canvas.SaveDC();
            canvas.IntersectClipRect(Rect(5, 22, 30, 28));
            filled = canvas.GradientFill(TTriVertex{38, 29, 0xFF00, 0xFF00, 0, 0},
                                         TTriVertex{2, 21, 0, 0x4000, 0xFF00, 0}, mode) &&
                     filled;
            canvas.RestoreDC(-1);
            // An empty rectangle paints nothing and succeeds.
            filled = canvas.GradientFill(TTriVertex{3, 3, 0, 0, 0, 0},
                                         TTriVertex{3, 9, 0xFF00, 0, 0, 0}, mode) &&
                     filled;
        });
        EXPECT_TRUE(filled);
        EXPECT_EQ(canvases.Qt->GetPixel(0, 0), RGB(0, 128, 255));
        EXPECT_TRUE(canvases.Same());
    }
}

TEST_F(QtCanvasTest, EdgesOfEveryKindMatchTheSoftwareCanvas) {
    const std::uint32_t edges[] = {edgeRaised,
                                   edgeSunken,
                                   edgeEtched,
                                   edgeBump,
                                   bdrRaisedInner,
                                   bdrSunkenOuter,
                                   bdrRaisedOuter | bdrSunkenOuter};
    const std::uint32_t flagSets[] = {bfRect, bfRect | bfMiddle, bfRect | bfFlat,
                                      bfLeft | bfBottom | bfMiddle, bfTop | bfRight | bfAdjust};
    TTwoCanvases canvases(8 * 8, 8 * 5);
    std::vector<TRect> qtRects;
    std::vector<TRect> softRects;
    int canvasIndex = 0;
    canvases.Both([&](TCanvas& canvas) {
        canvas.Brush.Color = clBlue;
        canvas.FillRect(Rect(0, 0, 64, 40));
        for (std::size_t e = 0; e < std::size(edges); ++e) {
            for (std::size_t f = 0; f < std::size(flagSets); ++f) {
                TRect r = Bounds(int(e) * 8 + 1, int(f) * 8 + 1, 7, 7);
                canvas.DrawEdge(r, edges[e], flagSets[f]);
                (canvasIndex == 0 ? qtRects : softRects).push_back(r);
            }
        }
        ++canvasIndex;
    });
    EXPECT_TRUE(canvases.Same());
    EXPECT_EQ(qtRects, softRects);
    // bfAdjust moves the named sides in past both lines of a two-line edge.
    EXPECT_EQ(qtRects[4], Rect(1, 35, 6, 40));
}

TEST_F(QtCanvasTest, FocusRectanglesInvertEveryOtherPixelAndUndoThemselves) {
    TTwoCanvases canvases(12, 9);
    canvases.Both([](TCanvas& canvas) {
        canvas.Brush.Color = RGB(0, 128, 128);
        canvas.FillRect(Rect(0, 0, 12, 9));
        canvas.DrawFocusRect(Rect(1, 1, 11, 8));
        canvas.MoveOrigin(1, 0);
        canvas.DrawFocusRect(Rect(3, 3, 6, 6));
        canvas.DrawFocusRect(Rect(3, 3, 6, 6));
    });
    EXPECT_TRUE(canvases.Same());
    EXPECT_EQ(canvases.Image.pixel(1, 2) & 0xFFFFFF, 0xFF7F7Fu);
    EXPECT_EQ(canvases.Image.pixel(1, 1) & 0xFFFFFF, 0x008080u);
}

TEST_F(QtCanvasTest, ClippingOriginAndSavedStatesWorkAsOnTheSoftwareCanvas) {
    TTwoCanvases canvases(10, 10);
    std::vector<TRect> clips;
    canvases.Both([&](TCanvas& canvas) {
        canvas.Brush.Color = clRed;
        canvas.Font.Height = -13;
        const int saved = canvas.SaveDC();
        canvas.Brush.Color = clLime;
        canvas.Font.Height = -20;
        canvas.MoveOrigin(2, 3);
        canvas.IntersectClipRect(Rect(0, 0, 2, 2));
        clips.push_back(canvas.ClipRect());
        canvas.FillRect(Rect(-5, -5, 20, 20));
        EXPECT_EQ(canvas.GetPixel(2, 0), clNone) << "outside the clip rectangle";
        EXPECT_EQ(canvas.GetPixel(1, 1), clLime);
        canvas.RestoreDC(saved);
        clips.push_back(canvas.ClipRect());
        EXPECT_EQ(canvas.Brush.Color, clRed);
        EXPECT_EQ(canvas.Font.Height, -13);
        canvas.FillRect(Rect(0, 0, 1, 1));
        // Clipped away entirely: nothing is painted.
        canvas.IntersectClipRect(Rect(20, 20, 30, 30));
        clips.push_back(canvas.ClipRect());
        canvas.FillRect(Rect(0, 0, 10, 10));
    });
    EXPECT_TRUE(canvases.Same());
    const std::vector<TRect> expected = {Rect(0, 0, 2, 2), Rect(0, 0, 10, 10), TRect{}};
    EXPECT_EQ(std::vector<TRect>(clips.begin(), clips.begin() + 3), expected);
    EXPECT_EQ(std::vector<TRect>(clips.begin() + 3, clips.end()), expected);
    EXPECT_EQ(canvases.Image.pixel(3, 4) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(canvases.Image.pixel(4, 4) & 0xFFFFFF, 0u);
}

TEST_F(QtCanvasTest, BitmapsPatternsAndCopiesMatchTheSoftwareCanvas) {
    const TBitmap glyph =
        MakeBitmap(3, 3, [](int x, int y) { return x == y ? clNavy : clFuchsia; });
    TBitmap transparent = glyph;
    transparent.Transparent = true;
    const TBitmap pattern =
        MakeBitmap(8, 8, [](int x, int y) { return (x + y) % 2 ? clWhite : clGray; });
    TTwoCanvases canvases(24, 16);
    canvases.Both([&](TCanvas& canvas) {
        canvas.Brush.Color = clBlue;
        canvas.FillRect(Rect(0, 0, 24, 16));
        canvas.Draw(1, 1, transparent);
        canvas.StretchDraw(Rect(4, 0, 7, 6), transparent);
        canvas.StretchDraw(Rect(8, 0, 15, 5), glyph);
        // The pattern keeps to the device's grid, wherever the origin is.
        const int saved = canvas.SaveDC();
        canvas.MoveOrigin(3, 6);
        canvas.PatternFill(Rect(0, 0, 5, 5), pattern);
        canvas.RestoreDC(saved);
        // A stretched copy within the canvas, and one that reaches past the source's edge: the
        // pixels the source lacks stay as they were.
        canvas.CopyRect(Rect(16, 8, 24, 16), canvas, Rect(3, 6, 7, 10));
        canvas.CopyRect(Rect(16, 0, 24, 4), canvas, Rect(20, 12, 28, 16));
        // A clipped draw.
        canvas.IntersectClipRect(Rect(9, 9, 11, 16));
        canvas.StretchDraw(Rect(8, 8, 14, 14), glyph);
    });
    EXPECT_TRUE(canvases.Same());
    EXPECT_EQ(canvases.Image.pixel(2, 2) & 0xFFFFFF, 0x000080u);
    EXPECT_EQ(canvases.Image.pixel(3, 1) & 0xFFFFFF, 0x0000FFu);
}

TEST_F(QtCanvasTest, CopiesReadOtherCanvasesThroughTheirPixels) {
    TSoftCanvas source(4, 4);
    source.Brush.Color = clYellow;
    source.FillRect(Rect(1, 1, 3, 3));
    TTwoCanvases canvases(8, 8);
    canvases.Both(
        [&](TCanvas& canvas) { canvas.CopyRect(Rect(0, 0, 8, 8), source, Rect(0, 0, 4, 4)); });
    EXPECT_TRUE(canvases.Same());
    EXPECT_EQ(canvases.Image.pixel(3, 3) & 0xFFFFFF, 0xFFFF00u);
}

// ---- Text

TEST_F(QtCanvasTest, MsSansSerifHasTheMetricsTheLayoutsWereMadeFor) {
    // The system's family, or Wine's font loaded for it: a family Qt knows either way.
    const QString family = QtFontFamily("MS Sans Serif");
    EXPECT_TRUE(QFontDatabase::hasFamily(family)) << family.toStdString();
    TTextImage text(10, 10);
    // 8 points at 96 dots per inch: the message dialog's numbers rest on these.
    EXPECT_EQ(GetAveCharSize(*text.Canvas), (TSize{6, 13}));
    EXPECT_EQ(text.Canvas->TextHeight("Morvik"), 13);
    EXPECT_EQ(text.Canvas->TextExtent("").cx, 0);
    // A bigger font is bigger.
    text.Canvas->Font.Height = -16;
    EXPECT_GT(text.Canvas->TextHeight("Morvik"), 13);
    // A positive height is the cell's.
    text.Canvas->Font.Height = 20;
    EXPECT_LE(text.Canvas->TextHeight("Morvik"), 20);
    EXPECT_GE(text.Canvas->TextHeight("Morvik"), 18);
}

// Wine's "MS Sans Serif" has no bold face: bold is made as GDI makes it, each glyph twice a
// pixel apart and a pixel wider, so that bold captions take the room they take on Windows.
TEST_F(QtCanvasTest, BoldWithoutABoldFaceIsDrawnTwiceAPixelApartAndAPixelWider) {
    TTextImage plain(60, 20);
    TTextImage bold(60, 20);
    bold.Canvas->Font.Style = fsBold;
    const QFont face = QtFont(bold.Canvas->Font);
    if (!SyntheticBold(bold.Canvas->Font, face)) {
        GTEST_SKIP() << face.family().toStdString() << " has a bold face of its own";
    }
    EXPECT_FALSE(SyntheticBold(plain.Canvas->Font, QtFont(plain.Canvas->Font)));
    EXPECT_EQ(bold.Canvas->TextWidth("Quit"), plain.Canvas->TextWidth("Quit") + 4);
    EXPECT_EQ(GetAveCharSize(*bold.Canvas).cx, GetAveCharSize(*plain.Canvas).cx + 1);

    plain.Canvas->TextOut(2, 2, "l");
    bold.Canvas->TextOut(2, 2, "l");
    const TRect thin = InkBounds(plain.Image);
    const TRect thick = InkBounds(bold.Image);
    EXPECT_EQ(thick, Rect(thin.Left, thin.Top, thin.Right + 1, thin.Bottom));
    // Every pixel of the plain glyph is inked in the bold one, and so is its right neighbour.
    for (int y = thin.Top; y < thin.Bottom; ++y) {
        for (int x = thin.Left; x < thin.Right; ++x) {
            if ((plain.Image.pixel(x, y) & 0xFFFFFF) == 0) {
                EXPECT_EQ(bold.Image.pixel(x, y) & 0xFFFFFF, 0u) << x << ", " << y;
                EXPECT_EQ(bold.Image.pixel(x + 1, y) & 0xFFFFFF, 0u) << x + 1 << ", " << y;
            }
        }
    }
}

TEST_F(QtCanvasTest, DrawTextMeasuresWrapsAndAlignsInTheFont) {
    TTextImage text(200, 100);
    TQtCanvas& canvas = *text.Canvas;
    const std::string sentence = "Files will be extracted";
    const TSize line = canvas.TextExtent(sentence);
    ASSERT_GT(line.cx, 0);

    TRect one = Rect(0, 0, 1000, 0);
    EXPECT_EQ(canvas.DrawText(sentence, one, dtCalcRect | dtWordBreak), line.cy);
    EXPECT_EQ(one, Rect(0, 0, line.cx, line.cy));

    // Broken before the word that would pass the right edge; the blank that does not fit is
    // dropped.
    const int box = canvas.TextWidth("Files will be");
    TRect narrow = Rect(0, 0, box, 0);
    const int height = canvas.DrawText(sentence, narrow, dtCalcRect | dtWordBreak);
    EXPECT_EQ(height, 2 * line.cy);
    EXPECT_EQ(narrow, Rect(0, 0, box, height));
    // A word wider than the box makes a line of its own and widens the rectangle.
    TRect tight = Rect(0, 0, canvas.TextWidth("Files") - 1, 0);
    canvas.DrawText(sentence, tight, dtCalcRect | dtWordBreak);
    EXPECT_EQ(tight, Rect(0, 0, canvas.TextWidth("extracted"), 4 * line.cy));

    // Line breaks, and with dtSingleLine none.
    TRect lines = Rect(0, 0, 1000, 0);
    canvas.DrawText("a\r\nbb\nccc", lines, dtCalcRect);
    EXPECT_EQ(lines, Rect(0, 0, canvas.TextWidth("ccc"), 3 * line.cy));

    // "&" marks an underlined letter and takes no room of its own; "&&" is one "&".
    TRect accel = Rect(0, 0, 1000, 0);
    canvas.DrawText("&Quit", accel, dtCalcRect | dtSingleLine);
    EXPECT_EQ(accel.Right, canvas.TextWidth("Quit"));
    TRect ampersand = Rect(0, 0, 1000, 0);
    canvas.DrawText("R&&D", ampersand, dtCalcRect | dtSingleLine);
    EXPECT_EQ(ampersand.Right, canvas.TextWidth("R&D"));
    TRect plain = Rect(0, 0, 1000, 0);
    canvas.DrawText("&Quit", plain, dtCalcRect | dtSingleLine | dtNoPrefix);
    EXPECT_EQ(plain.Right, canvas.TextWidth("&Quit"));

    // Tabs stop every eight average widths.
    TRect tabbed = Rect(0, 0, 1000, 0);
    canvas.DrawText("a\tb", tabbed, dtCalcRect | dtSingleLine | dtExpandTabs);
    EXPECT_EQ(tabbed.Right, 8 * GetAveCharSize(canvas).cx + canvas.TextWidth("b"));
}

TEST_F(QtCanvasTest, DrawnTextLandsWhereItsLayoutSays) {
    TTextImage text(200, 60);
    TQtCanvas& canvas = *text.Canvas;
    const TSize word = canvas.TextExtent("Morvik");
    // Left, centred and right in one row each, vertically centred in 20-pixel rows.
    const std::uint32_t aligns[] = {dtLeft, dtCenter, dtRight};
    for (int i = 0; i < 3; ++i) {
        TRect r = Rect(10, 20 * i, 190, 20 * i + 20);
        canvas.DrawText("Morvik", r, aligns[i] | dtSingleLine | dtVCenter);
        const int left = i == 0 ? 10 : i == 1 ? (200 - word.cx) / 2 : 190 - word.cx;
        const int top = 20 * i + (20 - word.cy) / 2;
        const TRect ink = InkBounds(text.Image, Rect(0, 20 * i, 200, 20 * i + 20));
        SCOPED_TRACE(i);
        EXPECT_GE(ink.Left, left);
        EXPECT_LE(ink.Left, left + 2);
        EXPECT_LE(ink.Right, left + word.cx);
        EXPECT_GE(ink.Right, left + word.cx - 3);
        EXPECT_GE(ink.Top, top);
        EXPECT_LE(ink.Bottom, top + word.cy);
    }
    if (HasFailure()) {
        WritePng(TestName() + ".png", *SoftCopy(text.Image));
    }
}

TEST_F(QtCanvasTest, TextIsClippedToItsRectangleAndDrawnOverTheBrush) {
    TTextImage text(100, 30);
    TQtCanvas& canvas = *text.Canvas;
    // Clipped to a box half as wide as the word.
    const int half = canvas.TextWidth("Morvik") / 2;
    TRect r = Rect(0, 0, half, 15);
    canvas.DrawText("Morvik", r, dtSingleLine);
    EXPECT_LE(InkBounds(text.Image).Right, half);
    EXPECT_GT(InkBounds(text.Image).Right, 0);
    // dtNoClip lets it run on.
    TRect free = Rect(0, 15, half, 30);
    canvas.DrawText("Morvik", free, dtSingleLine | dtNoClip);
    EXPECT_GT(InkBounds(text.Image, Rect(0, 15, 100, 30)).Right, half + 2);

    // A solid brush fills the text's cells first.
    TTextImage filled(100, 20);
    filled.Canvas->Brush.Style = TBrushStyle::Solid;
    filled.Canvas->Brush.Color = clYellow;
    filled.Canvas->TextOut(5, 2, "Morvik");
    const TSize word = filled.Canvas->TextExtent("Morvik");
    EXPECT_EQ(filled.Image.pixel(5, 2) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(filled.Image.pixel(5 + word.cx - 1, 2 + word.cy - 1) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(filled.Image.pixel(5 + word.cx, 2) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(filled.Image.pixel(5, 2 + word.cy) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(QtCanvasTest, TheMarkedLetterIsUnderlined) {
    // "&Quit" and "Quit" differ only in the line under the Q.
    TTextImage marked(60, 20);
    TTextImage plain(60, 20);
    TRect r = Rect(2, 2, 60, 20);
    marked.Canvas->DrawText("&Quit", r, dtSingleLine);
    r = Rect(2, 2, 60, 20);
    plain.Canvas->DrawText("Quit", r, dtSingleLine);
    const int q = marked.Canvas->TextWidth("Q");
    TRect changed{60, 20, -1, -1};
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 60; ++x) {
            if (marked.Image.pixel(x, y) != plain.Image.pixel(x, y)) {
                changed.Left = std::min(changed.Left, x);
                changed.Top = std::min(changed.Top, y);
                changed.Right = std::max(changed.Right, x + 1);
                changed.Bottom = std::max(changed.Bottom, y + 1);
            }
        }
    }
    ASSERT_GT(changed.Right, changed.Left) << "no underline";
    EXPECT_GE(changed.Left, 2);
    EXPECT_LE(changed.Right, 2 + q);
    // Below the baseline, within the cell.
    EXPECT_GT(changed.Top, 2 + 13 / 2);
    EXPECT_LE(changed.Bottom, 2 + 13);
}

TEST_F(QtCanvasTest, AFontsEscapementTurnsTheText) {
    for (const int escapement : {900, -900}) {
        SCOPED_TRACE(escapement);
        TTextImage text(120, 120);
        TQtCanvas& canvas = *text.Canvas;
        canvas.Font.Height = -16;
        const TSize extent = canvas.TextExtent("Morvik");
        canvas.Font.Escapement = escapement;
        // The extent is measured along the text, whatever its direction.
        EXPECT_EQ(canvas.TextExtent("Morvik"), extent);
        // Upwards from (20, 110), the tops of the letters to the left; downwards from (100, 10),
        // the tops to the right.
        const TPoint at = escapement > 0 ? TPoint{20, 110} : TPoint{100, 10};
        canvas.TextOut(at.X, at.Y, "Morvik");
        const TRect ink = InkBounds(text.Image);
        const TRect cell = escapement > 0 ? Rect(at.X, at.Y - extent.cx, at.X + extent.cy, at.Y)
                                          : Rect(at.X - extent.cy, at.Y, at.X, at.Y + extent.cx);
        EXPECT_GT(ink.Height(), extent.cx / 2);
        EXPECT_GT(ink.Height(), 2 * ink.Width()) << "the text does not run vertically";
        EXPECT_GE(ink.Left, cell.Left - 1);
        EXPECT_GE(ink.Top, cell.Top - 1);
        EXPECT_LE(ink.Right, cell.Right + 1);
        EXPECT_LE(ink.Bottom, cell.Bottom + 1);
        if (HasFailure()) {
            WritePng(TestName() + ".png", *SoftCopy(text.Image));
        }
    }
}
