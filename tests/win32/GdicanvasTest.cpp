// The GDI canvas against the software canvas of the headless platform: for the simple cases
// both must paint the same pixels. A failed comparison saves both pictures as PNG files in the
// test's working folder.

#include "Win32test.h"

#include "menus/Drawgradient.h"
#include "platform/headless/Pngwriter.h"
#include "platform/headless/Softcanvas.h"
#include "platform/win32/Gdicanvas.h"
#include "platform/win32/Msimg32.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::string TestName() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(test->test_suite_name()) + "." + test->name();
}

int Channel(TColor c, int shift) {
    return int((c >> shift) & 0xFF);
}

// Every pixel of gdi against soft, each channel within tolerance.
::testing::AssertionResult SamePictures(const TBitmap& gdi, const TSoftCanvas& soft,
                                        int tolerance = 0) {
    for (int y = 0; y < soft.Height(); ++y) {
        for (int x = 0; x < soft.Width(); ++x) {
            const TColor a = gdi.Pixel(x, y);
            const TColor b = soft.Pixel(x, y);
            bool same = true;
            for (int shift = 0; shift < 24; shift += 8) {
                same = same && std::abs(Channel(a, shift) - Channel(b, shift)) <= tolerance;
            }
            if (same) {
                continue;
            }
            WritePng(TestName() + ".gdi.png", gdi);
            WritePng(TestName() + ".soft.png", soft);
            char text[128];
            std::snprintf(text, sizeof text, "pixel (%d, %d): GDI %06X, software %06X", x, y,
                          unsigned(a), unsigned(b));
            return ::testing::AssertionFailure()
                   << text << "; the pictures are in " << TestName() << ".*.png";
        }
    }
    return ::testing::AssertionSuccess();
}

// The same drawing on a GDI bitmap and a software canvas of one size.
struct TTwoCanvases {
    TTwoCanvases(int width, int height) : Gdi(width, height), Soft(width, height) {}
    template <class Paint>
    void Both(Paint paint) {
        paint(Gdi.Canvas());
        paint(static_cast<TCanvas&>(Soft));
    }
    TBitmap Gdi;
    TSoftCanvas Soft;
};

class GdiCanvasTest : public Win32Test {};

} // namespace

TEST_F(GdiCanvasTest, FillsFramesAndRectanglesLikeTheSoftwareCanvas) {
    TTwoCanvases canvases(16, 12);
    canvases.Both([](TCanvas& canvas) {
        canvas.Brush.Color = clBtnFace; // a system colour, resolved by both the same way
        canvas.FillRect(Rect(0, 0, 16, 12));
        canvas.Brush.Color = clBlue;
        canvas.FillRect(Rect(1, 1, 7, 5));
        canvas.Brush.Color = clRed;
        canvas.FrameRect(Rect(8, 1, 15, 6));
        canvas.Brush.Color = clYellow;
        canvas.Pen.Color = clNavy;
        canvas.Rectangle(Rect(1, 6, 9, 11));
        canvas.Pen.Style = TPenStyle::Clear;
        canvas.Rectangle(Rect(10, 7, 14, 11));
        // A clear brush paints nothing.
        canvas.Brush.Style = TBrushStyle::Clear;
        canvas.FillRect(Rect(0, 0, 16, 12));
        canvas.FrameRect(Rect(0, 0, 16, 12));
    });
    EXPECT_TRUE(SamePictures(canvases.Gdi, canvases.Soft));
}

TEST_F(GdiCanvasTest, GradientsRunFromTheStartColourToNearlyTheEndColour) {
    ASSERT_TRUE(Host->GradientFillAvailable());
    for (const TGradientFillMode mode : {TGradientFillMode::RectH, TGradientFillMode::RectV}) {
        TTwoCanvases canvases(40, 40);
        bool filled = true;
        canvases.Both([&](TCanvas& canvas) {
            const TTriVertex start{0, 0, 0x0000, 0x8000, 0xFF00, 0};
            const TTriVertex end{40, 40, 0xFF00, 0x0000, 0x8000, 0};
            filled = canvas.GradientFill(start, end, mode) && filled;
        });
        EXPECT_TRUE(filled);
        // The system rounds the steps its own way; the ends and the run agree within one.
        EXPECT_EQ(canvases.Gdi.Pixel(0, 0), RGB(0, 128, 255));
        EXPECT_TRUE(SamePictures(canvases.Gdi, canvases.Soft, 1));
    }
}

TEST_F(GdiCanvasTest, WithoutTheGradientLibraryEveryFillFails) {
    const TGradientFillEntry missing("NOSUCHLIBRARY.DLL");
    EXPECT_FALSE(missing.Available());
    TBitmap bitmap(4, 4);
    TGdiCanvas canvas(BitmapCanvas(bitmap).Handle(), missing);
    EXPECT_FALSE(canvas.GradientFill(TTriVertex{0, 0, 0xFF00, 0xFF00, 0xFF00, 0},
                                     TTriVertex{4, 4, 0xFF00, 0xFF00, 0xFF00, 0},
                                     TGradientFillMode::RectH));
    EXPECT_EQ(bitmap.Pixel(1, 1), clBlack);
}

TEST_F(GdiCanvasTest, RestoringASavedStateBringsBackObjectsClippingAndOrigin) {
    TBitmap bitmap(10, 10);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = clRed;
    canvas.Font.Height = -13;
    const int saved = canvas.SaveDC();
    canvas.Brush.Color = clLime;
    canvas.Font.Height = -20;
    canvas.MoveOrigin(2, 3);
    canvas.IntersectClipRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 2, 2));
    canvas.FillRect(Rect(-5, -5, 20, 20));
    canvas.RestoreDC(saved);

    EXPECT_EQ(canvas.Brush.Color, clRed);
    EXPECT_EQ(canvas.Font.Height, -13);
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 10, 10));
    EXPECT_EQ(bitmap.Pixel(2, 3), clLime);
    EXPECT_EQ(bitmap.Pixel(3, 4), clLime);
    EXPECT_EQ(bitmap.Pixel(4, 4), clBlack);
    EXPECT_EQ(bitmap.Pixel(1, 3), clBlack);
    canvas.FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(bitmap.Pixel(0, 0), clRed);
}

TEST_F(GdiCanvasTest, TransparentBitmapsLeaveTheirBottomLeftColourOut) {
    TBitmap glyph(3, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            glyph.SetPixel(x, y, x == y ? clNavy : clFuchsia);
        }
    }
    glyph.Transparent = true;
    TTwoCanvases canvases(8, 6);
    canvases.Both([&](TCanvas& canvas) {
        canvas.Brush.Color = clWhite;
        canvas.FillRect(Rect(0, 0, 8, 6));
        canvas.Draw(1, 1, glyph);
        canvas.StretchDraw(Rect(4, 0, 7, 6), glyph);
    });
    EXPECT_TRUE(SamePictures(canvases.Gdi, canvases.Soft));
    EXPECT_EQ(canvases.Gdi.Pixel(2, 2), clNavy);
    EXPECT_EQ(canvases.Gdi.Pixel(3, 1), clWhite);
}

TEST_F(GdiCanvasTest, PatternsAndCopiesMatchTheSoftwareCanvas) {
    TBitmap pattern(8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            pattern.SetPixel(x, y, (x + y) % 2 ? clWhite : clGray);
        }
    }
    TTwoCanvases canvases(12, 12);
    canvases.Both([&](TCanvas& canvas) {
        canvas.Brush.Color = clBlue;
        canvas.FillRect(Rect(0, 0, 12, 12));
        // The pattern keeps to the device's grid, wherever the origin is.
        const int saved = canvas.SaveDC();
        canvas.MoveOrigin(3, 0);
        canvas.PatternFill(Rect(0, 0, 5, 5), pattern);
        canvas.RestoreDC(saved);
    });
    // A 2 x 2 corner of each, stretched to 4 x 4 at the bottom right.
    canvases.Gdi.Canvas().CopyRect(Rect(8, 8, 12, 12), canvases.Gdi.Canvas(), Rect(3, 0, 5, 2));
    canvases.Soft.CopyRect(Rect(8, 8, 12, 12), canvases.Soft, Rect(3, 0, 5, 2));
    EXPECT_TRUE(SamePictures(canvases.Gdi, canvases.Soft));
}

TEST_F(GdiCanvasTest, DrawTextMeasuresAndWrapsInTheFont) {
    TBitmap bitmap(200, 100);
    TCanvas& canvas = bitmap.Canvas();
    const TSize line = canvas.TextExtent("Files will be extracted");
    EXPECT_GT(line.cx, 0);
    EXPECT_GT(line.cy, 0);
    EXPECT_EQ(canvas.TextExtent("").cx, 0);

    TRect one = Rect(0, 0, 1000, 0);
    canvas.DrawText("Files will be extracted", one, dtCalcRect | dtWordBreak);
    EXPECT_EQ(one.Right, line.cx);
    EXPECT_EQ(one.Bottom, line.cy);

    TRect narrow = Rect(0, 0, line.cx / 2, 0);
    const int height = canvas.DrawText("Files will be extracted", narrow, dtCalcRect | dtWordBreak);
    EXPECT_GE(narrow.Bottom, 2 * line.cy);
    EXPECT_EQ(height, narrow.Bottom);
    EXPECT_LE(narrow.Right, line.cx / 2);

    // "&" marks an underlined letter and takes no room of its own.
    TRect accel = Rect(0, 0, 1000, 0);
    canvas.DrawText("&Quit", accel, dtCalcRect | dtSingleLine);
    EXPECT_EQ(accel.Right, canvas.TextWidth("Quit"));
}

TEST_F(GdiCanvasTest, SystemIconsAre32By32OnFuchsia) {
    const TBitmap icon = Host->SystemIcon(siExclamation);
    ASSERT_EQ(icon.Width(), 32);
    ASSERT_EQ(icon.Height(), 32);
    EXPECT_EQ(icon.Pixel(0, 0), clFuchsia);
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            opaque += icon.Pixel(x, y) != clFuchsia;
        }
    }
    EXPECT_GT(opaque, 100);
    EXPECT_TRUE(Host->SystemIcon(TSystemIcon(12345)).Empty());
}

TEST_F(GdiCanvasTest, AMissingBitmapResourceIsNoBitmap) {
    TBitmap bitmap(2, 2);
    EXPECT_FALSE(Host->LoadBitmapResource("NoSuchBitmap", bitmap));
    EXPECT_EQ(bitmap.Width(), 2);
}

// The bounding box of the pixels of bitmap that are not white.
TRect InkBounds(const TBitmap& bitmap) {
    TRect box{bitmap.Width(), bitmap.Height(), -1, -1};
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (bitmap.Pixel(x, y) != clWhite) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
        }
    }
    return box;
}

TEST_F(GdiCanvasTest, AFontsEscapementTurnsTheText) {
    // A TrueType face: the system turns only outline fonts.
    for (const int escapement : {900, -900}) {
        SCOPED_TRACE(escapement);
        TBitmap bitmap(120, 120);
        TCanvas& canvas = bitmap.Canvas();
        canvas.Brush.Color = clWhite;
        canvas.FillRect(Rect(0, 0, 120, 120));
        canvas.Brush.Style = TBrushStyle::Clear;
        canvas.Font.Name = "Tahoma";
        canvas.Font.Height = -16;
        canvas.Font.Color = clBlack;
        const TSize extent = canvas.TextExtent("Morvik");
        canvas.Font.Escapement = escapement;
        // The extent is measured along the text, whatever its direction.
        EXPECT_EQ(canvas.TextExtent("Morvik"), extent);
        // Upwards from (20, 110), the tops of the letters to the left; downwards from (100, 10),
        // the tops to the right.
        const TPoint at = escapement > 0 ? TPoint{20, 110} : TPoint{100, 10};
        canvas.TextOut(at.X, at.Y, "Morvik");
        const TRect ink = InkBounds(bitmap);
        const TRect cell = escapement > 0 ? Rect(at.X, at.Y - extent.cx, at.X + extent.cy, at.Y)
                                          : Rect(at.X - extent.cy, at.Y, at.X, at.Y + extent.cx);
        EXPECT_GT(ink.Width(), 0) << "no text";
        EXPECT_GT(ink.Height(), extent.cx / 2);
        EXPECT_GT(ink.Height(), 2 * ink.Width()) << "the text does not run vertically";
        EXPECT_GE(ink.Left, cell.Left - 1);
        EXPECT_GE(ink.Top, cell.Top - 1);
        EXPECT_LE(ink.Right, cell.Right + 1);
        EXPECT_LE(ink.Bottom, cell.Bottom + 1);
        if (HasFailure()) {
            WritePng(TestName() + ".png", bitmap);
        }
    }
}

TEST_F(GdiCanvasTest, TheMenusGradientPaintsLikeTheSoftwareCanvas) {
    // Plain fills, single pixels and the stretched first row of a GDI surface against the
    // software canvas, to the pixel.
    for (const TGradientStyle style :
         {gsHorizontal, gsVertical, gsDiagonalLeftRight, gsDiagonalRightLeft}) {
        SCOPED_TRACE(style);
        TTwoCanvases canvases(24, 10);
        canvases.Both([&](TCanvas& canvas) {
            canvas.Brush.Color = clBlue;
            canvas.FillRect(Rect(0, 0, 24, 10));
            DrawGradient(nullptr, &canvas, Rect(2, 1, 22, 9), RGB(200, 30, 90), clBtnFace, style);
            DrawGradient(nullptr, &canvas, Rect(0, 9, 24, 10), clRed, clRed, style);
        });
        EXPECT_TRUE(SamePictures(canvases.Gdi, canvases.Soft));
    }
}
