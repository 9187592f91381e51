// Colours, geometry, fonts and bitmaps of the toolkit on the headless platform.

#include "Headlesstest.h"
#include "Pixelcheck.h"

#include "toolkit/Sysutils.h"

#include <cstdint>
#include <type_traits>
#include <utility>

namespace {

class Graphics : public HeadlessTest {};

TEST_F(Graphics, SystemColoursAreResolvedThroughThePlatform) {
    EXPECT_EQ(ColorToRGB(clBtnFace), clSilver);
    EXPECT_EQ(ColorToRGB(clBtnShadow), clGray);
    EXPECT_EQ(ColorToRGB(clHighlight), clNavy);
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
    EXPECT_EQ(ColorToRGB(clSystemColor + 25), clBlack); // no such colour
    EXPECT_EQ(ColorToRGB(clSystemColor + 200), clBlack);
    EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    // The system's current value, not a remembered one.
    Headless.SetSysColor(15, RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
}

TEST_F(Graphics, IntersectRect) {
    EXPECT_EQ(IntersectRect(Rect(0, 0, 10, 10), Rect(5, -5, 20, 6)), Rect(5, 0, 10, 6));
    EXPECT_EQ(IntersectRect(Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)), Rect(0, 0, 0, 0));
    EXPECT_EQ(IntersectRect(Rect(0, 0, 10, 10), Rect(20, 20, 30, 30)), Rect(0, 0, 0, 0));
    EXPECT_EQ(IntersectRect(Rect(3, 3, 3, 9), Rect(0, 0, 10, 10)), Rect(0, 0, 0, 0));
}

TEST_F(Graphics, FontSizeInPointsAtNinetySixDotsPerInch) {
    TFont font;
    EXPECT_EQ(font.Size(), 8); // -11 is 8.25 points
    font.SetSize(8);
    EXPECT_EQ(font.Height, -11); // 10.67 pixels
    font.SetSize(10);
    EXPECT_EQ(font.Height, -13);
    font.SetSize(14);
    EXPECT_EQ(font.Height, -19);
    EXPECT_EQ(font.Size(), 14);
}

TEST_F(Graphics, NoPlatformIsAnError) {
    TPlatform* installed = InstallPlatform(nullptr);
    EXPECT_THROW(ColorToRGB(clBtnFace), Exception);
    InstallPlatform(installed);
}

TEST_F(Graphics, NewBitmapPixelsAreBlack) {
    TBitmap bitmap(3, 2);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.Pixel(2, 1), clBlack);
    bitmap.SetPixel(2, 1, clRed);
    EXPECT_EQ(bitmap.ScanLine(1)[2], 0xFF0000u);
    bitmap.SetSize(3, 2); // the same size keeps the pixels
    EXPECT_EQ(bitmap.Pixel(2, 1), clRed);
    bitmap.SetWidth(4);
    EXPECT_EQ(bitmap.Pixel(2, 1), clBlack);
    EXPECT_EQ(bitmap.Pixel(4, 0), clNone);
    bitmap.SetHeight(0);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_THROW(bitmap.Canvas(), Exception);
}

TEST_F(Graphics, ACopiedBitmapHasPixelsOfItsOwnAndAMovedOneHandsThemOver) {
    TBitmap original(2, 2);
    original.SetPixel(1, 1, clRed);
    const std::uint32_t* pixels = original.ScanLine(0);
    TBitmap copy = original;
    copy.SetPixel(1, 1, clLime);
    EXPECT_EQ(original.Pixel(1, 1), clRed);
    EXPECT_NE(copy.ScanLine(0), pixels);

    TBitmap moved = std::move(original);
    EXPECT_EQ(moved.ScanLine(0), pixels);
    EXPECT_EQ(moved.Pixel(1, 1), clRed);
    EXPECT_TRUE(original.Empty()); // NOLINT(bugprone-use-after-move): what a move leaves
    static_assert(std::is_nothrow_move_constructible_v<TBitmap>,
                  "a vector of bitmaps moves them when it grows");
}

TEST_F(Graphics, BitmapCanvasDrawsIntoItsPixels) {
    TBitmap bitmap(4, 4);
    bitmap.Canvas().Brush.Color = clBtnHighlight;
    bitmap.Canvas().FillRect(Rect(1, 1, 3, 3));
    EXPECT_EQ(bitmap.Pixel(0, 0), clBlack);
    EXPECT_EQ(bitmap.Pixel(1, 1), clWhite);
    EXPECT_EQ(bitmap.ScanLine(2)[2], 0xFFFFFFu);
}

TEST_F(Graphics, AssignCopiesThePixelsAndTheTransparency) {
    TBitmap original(2, 2);
    original.SetPixel(0, 1, clLime);
    original.Transparent = true;
    original.TransparentMode = TTransparentMode::Fixed;
    original.TransparentColorValue = clLime;
    TBitmap copy = original;
    EXPECT_EQ(copy.Pixel(0, 1), clLime);
    EXPECT_TRUE(copy.Transparent);
    EXPECT_EQ(copy.TransparentColor(), clLime);
    copy.SetPixel(0, 1, clBlue); // the copy has pixels of its own
    EXPECT_EQ(original.Pixel(0, 1), clLime);
    copy = TBitmap();
    EXPECT_TRUE(copy.Empty());
    copy = copy;
    EXPECT_TRUE(copy.Empty());
}

TEST_F(Graphics, AutomaticTransparentColourIsTheBottomLeftPixel) {
    TBitmap bitmap(3, 3);
    bitmap.SetPixel(0, 2, clFuchsia);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
    bitmap.TransparentColorValue = clRed; // not used in the automatic mode
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
    EXPECT_EQ(TBitmap().TransparentColor(), clNone);
}

TEST_F(Graphics, BitmapsLoadFromThePlatformsResources) {
    TBitmap stored(2, 1);
    stored.SetPixel(1, 0, clYellow);
    Headless.AddBitmapResource("CheckOk", stored);
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.LoadFromResourceName("CheckOk"));
    EXPECT_EQ(bitmap.Pixel(1, 0), clYellow);
    EXPECT_FALSE(bitmap.LoadFromResourceName("BCRADIOITEM"));
}

} // namespace
