// DrawGradient to the pixel, in its bitmap form and its canvas form.

#include "toolkit/Headlesstest.h"
#include "toolkit/Pixelcheck.h"

#include "menus/Drawgradient.h"
#include "toolkit/Sysmath.h"

#include <climits>
#include <cstring>

namespace {

const TColor grey31 = RGB(31, 31, 31);
const TColor grey63 = RGB(63, 63, 63);
const TColor grey95 = RGB(95, 95, 95);
const TColor grey127 = RGB(127, 127, 127);
const TColor grey159 = RGB(159, 159, 159);
const TColor grey191 = RGB(191, 191, 191);

const std::map<char, TColor> palette = {
    {'.', clFuchsia},
    {'K', clBlack},
    {'W', clWhite},
    {'a', grey31},
    {'b', grey63},
    {'c', grey95},
    {'d', grey127},
    {'e', grey159},
    {'f', grey191},
    {'R', clRed},
    {'g', RGB(192, 192, 192)},
    {'h', RGB(128, 128, 128)},
};

const TGradientStyle allStyles[] = {gsHorizontal, gsVertical, gsDiagonalLeftRight,
                                    gsDiagonalRightLeft};

class DrawGradientTest : public HeadlessTest {
protected:
    // Paints the gradient with both forms on fuchsia surfaces of the expected picture's size
    // and checks both against it.
    ::testing::AssertionResult BothFormsGive(const std::vector<std::string>& rows, const TRect& r,
                                             TColor start, TColor end, TGradientStyle style) {
        const int width = int(rows.front().size());
        const int height = int(rows.size());
        TSoftCanvas canvas(width, height);
        canvas.Brush.Color = clFuchsia;
        canvas.FillRect(Rect(0, 0, width, height));
        DrawGradient(nullptr, &canvas, r, start, end, style);
        ::testing::AssertionResult onCanvas = ImageIs(canvas, rows, palette);
        if (!onCanvas) {
            return onCanvas << " (canvas form)";
        }

        TBitmap bitmap(width, height);
        bitmap.Canvas().Brush.Color = clFuchsia;
        bitmap.Canvas().FillRect(Rect(0, 0, width, height));
        DrawGradient(&bitmap, nullptr, r, start, end, style);
        TSoftCanvas rowsOfBitmap(bitmap.ScanLine(0), width, height);
        ::testing::AssertionResult inBitmap = ImageIs(rowsOfBitmap, rows, palette);
        if (!inBitmap) {
            return inBitmap << " (bitmap form)";
        }
        return ::testing::AssertionSuccess();
    }
};

TEST_F(DrawGradientTest, HorizontalStepsTowardTheEndWithoutReachingIt) {
    // Two pixels from black to white: 255 * 1 div 2 = 127 at the second; the first row is
    // stretched over the second.
    EXPECT_TRUE(BothFormsGive({"....", ".Kd.", ".Kd.", "...."}, Rect(1, 1, 3, 3), clBlack, clWhite,
                              gsHorizontal));
    // Downward steps truncate toward zero: -255 * 1 div 4 is -63, not -64.
    TSoftCanvas canvas(4, 1);
    DrawGradient(nullptr, &canvas, Rect(0, 0, 4, 1), clWhite, clBlack, gsHorizontal);
    EXPECT_TRUE(RowIs(
        canvas, 0, {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128), RGB(64, 64, 64)}));
}

TEST_F(DrawGradientTest, VerticalPaintsOneColourPerRow) {
    EXPECT_TRUE(BothFormsGive({"...", ".K.", ".b.", ".d.", ".f.", "..."}, Rect(1, 1, 2, 5), clBlack,
                              clWhite, gsVertical));
    EXPECT_TRUE(BothFormsGive({"......", ".KKKK.", ".dddd.", "......"}, Rect(1, 1, 5, 3), clBlack,
                              clWhite, gsVertical));
}

TEST_F(DrawGradientTest, DiagonalsStartInTheirCornerAndMirrorEachOther) {
    // One pixel: the start colour, in either direction.
    EXPECT_TRUE(BothFormsGive({"...", ".R.", "..."}, Rect(1, 1, 2, 2), clRed, clWhite,
                              gsDiagonalLeftRight));
    EXPECT_TRUE(BothFormsGive({"...", ".R.", "..."}, Rect(1, 1, 2, 2), clRed, clWhite,
                              gsDiagonalRightLeft));
    // 4 x 2: F = (y / 2 + x / 4) * 512, the channel 255 * F div 1024.
    EXPECT_TRUE(BothFormsGive({"......", ".Kabc.", ".bcde.", "......"}, Rect(1, 1, 5, 3), clBlack,
                              clWhite, gsDiagonalLeftRight));
    EXPECT_TRUE(BothFormsGive({"......", ".cbaK.", ".edcb.", "......"}, Rect(1, 1, 5, 3), clBlack,
                              clWhite, gsDiagonalRightLeft));
}

TEST_F(DrawGradientTest, EqualColoursFillPlainlyInEveryStyle) {
    for (const TGradientStyle style : allStyles) {
        SCOPED_TRACE(style);
        EXPECT_TRUE(BothFormsGive({".....", ".RRR.", ".RRR.", "....."}, Rect(1, 1, 4, 3), clRed,
                                  clRed, style));
        // A system colour is compared as it is and then resolved.
        EXPECT_TRUE(
            BothFormsGive({"....", ".gg.", "...."}, Rect(1, 1, 3, 2), clBtnFace, clBtnFace, style));
    }
}

TEST_F(DrawGradientTest, NothingIsPaintedWithoutHeightOrWidth) {
    for (const TGradientStyle style : allStyles) {
        SCOPED_TRACE(style);
        for (const TColor end : {clWhite, clBlack}) {
            EXPECT_TRUE(
                BothFormsGive({"....", "....", "...."}, Rect(1, 1, 3, 1), clBlack, end, style));
            EXPECT_TRUE(
                BothFormsGive({"....", "....", "...."}, Rect(1, 2, 3, 1), clBlack, end, style));
            EXPECT_TRUE(
                BothFormsGive({"....", "....", "...."}, Rect(2, 0, 2, 3), clBlack, end, style));
        }
    }
}

TEST_F(DrawGradientTest, SystemColoursAreResolvedWhenPainting) {
    EXPECT_TRUE(BothFormsGive({"hf"}, Rect(0, 0, 2, 1), clBtnShadow, clWhite, gsHorizontal));
    // The platform's current colour counts, not a fixed table.
    Headless.SetSysColor(16, RGB(10, 20, 30));
    TSoftCanvas canvas(2, 1);
    DrawGradient(nullptr, &canvas, Rect(0, 0, 2, 1), clBtnShadow, clBtnHighlight, gsHorizontal);
    EXPECT_TRUE(RowIs(canvas, 0, {RGB(10, 20, 30), RGB(132, 137, 142)}));
}

// The raw pixels of both forms, the fourth byte included, against each other; on a difference
// both pictures are saved as <suite>.<test>.bitmap.png and .canvas.png.
::testing::AssertionResult SameSurfaces(const TBitmap& bitmap, const TSoftCanvas& canvas) {
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const std::uint32_t a = bitmap.ScanLine(y)[x];
            const std::uint32_t b = canvas.Bits()[y * canvas.Width() + x];
            if (a == b) {
                continue;
            }
            const ::testing::TestInfo* test =
                ::testing::UnitTest::GetInstance()->current_test_info();
            const std::string name = std::string(test->test_suite_name()) + "." + test->name();
            WritePng(name + ".bitmap.png", bitmap);
            WritePng(name + ".canvas.png", canvas);
            char text[96];
            std::snprintf(text, sizeof text, "pixel (%d, %d): bitmap %08X, canvas %08X", x, y,
                          unsigned(a), unsigned(b));
            return ::testing::AssertionFailure()
                   << text << "; the pictures are in " << name << ".*.png";
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(DrawGradientTest, BitmapAndCanvasFormsPaintTheSamePixels) {
    const TRect rects[] = {Rect(2, 1, 9, 6), Rect(0, 0, 11, 8),
                           // Sticking out on the left, right and bottom: only what lies on the
                           // surface is painted.
                           Rect(-3, 2, 14, 12)};
    for (const TGradientStyle style : allStyles) {
        for (const TRect& r : rects) {
            SCOPED_TRACE(::testing::Message() << "style " << style << ", left " << r.Left);
            // Untouched pixels keep a fourth byte of 0xFF; painted ones have 0 there.
            TBitmap bitmap(11, 8);
            TSoftCanvas canvas(11, 8);
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 11; ++x) {
                    bitmap.ScanLine(y)[x] = canvas.Bits()[y * 11 + x] = 0xFF123456;
                }
            }
            DrawGradient(&bitmap, nullptr, r, RGB(200, 30, 90), RGB(10, 250, 140), style);
            DrawGradient(nullptr, &canvas, r, RGB(200, 30, 90), RGB(10, 250, 140), style);
            EXPECT_TRUE(SameSurfaces(bitmap, canvas));
            if (r.Left >= 0) {
                const int startX = style == gsDiagonalRightLeft ? r.Right - 1 : r.Left;
                EXPECT_EQ(canvas.Bits()[r.Top * 11 + startX], 0x00C81E5Au);
            }
        }
    }
}

// A canvas on which painting fails after a number of pixels or fills.
class TFailingCanvas : public TSoftCanvas {
public:
    using TSoftCanvas::TSoftCanvas;
    int PaintsLeft = 0;

    void SetPixel(int x, int y, TColor color) override {
        Use();
        TSoftCanvas::SetPixel(x, y, color);
    }
    void FillRect(const TRect& r) override {
        Use();
        TSoftCanvas::FillRect(r);
    }

private:
    void Use() {
        if (PaintsLeft-- == 0) {
            throw Exception("the surface is gone");
        }
    }
};

TEST_F(DrawGradientTest, AFailingPaintEndsTheGradientQuietly) {
    TFailingCanvas pixels(4, 2);
    pixels.PaintsLeft = 3;
    EXPECT_NO_THROW(
        DrawGradient(nullptr, &pixels, Rect(0, 0, 4, 2), clWhite, clBlack, gsDiagonalLeftRight));
    EXPECT_TRUE(ImageIs(
        pixels, {"WzyK", "KKKK"},
        {{'W', clWhite}, {'z', RGB(224, 224, 224)}, {'y', RGB(192, 192, 192)}, {'K', clBlack}}));

    TFailingCanvas rows(1, 4);
    rows.PaintsLeft = 2;
    EXPECT_NO_THROW(DrawGradient(nullptr, &rows, Rect(0, 0, 1, 4), clWhite, clBlack, gsVertical));
    EXPECT_TRUE(ImageIs(rows, {"W", "g", "K", "K"},
                        {{'W', clWhite}, {'g', RGB(192, 192, 192)}, {'K', clBlack}}));
}

TEST_F(DrawGradientTest, SizesThatDoNotFitRaiseTheOverflowError) {
    TSoftCanvas canvas(2, 2);
    EXPECT_THROW(
        DrawGradient(nullptr, &canvas, Rect(INT_MIN, 0, 1, 1), clBlack, clWhite, gsHorizontal),
        EIntOverflow);
    EXPECT_THROW(DrawGradient(nullptr, &canvas, Rect(0, -2, 1, INT_MAX), clRed, clRed, gsVertical),
                 EIntOverflow);
    EXPECT_TRUE(AreaIs(canvas, Rect(0, 0, 2, 2), clBlack));
}

} // namespace
