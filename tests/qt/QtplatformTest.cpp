// The Qt platform's services that need no windows, on the offscreen platform.

#include "Qttest.h"

#include "platform/qt/Qtplatform.h"
#include "toolkit/Forms.h"
#include "widgets/Ornglyphs.h"

#include <QApplication>
#include <QPalette>
#include <QTimer>

namespace {

class QtPlatformTest : public ::testing::Test {
protected:
    void SetUp() override { InstallPlatform(&Host); }
    void TearDown() override {
        InstallPlatform(nullptr);
        QApplication::setPalette(QPalette());
    }
    TQtPlatform Host;
};

} // namespace

TEST_F(QtPlatformTest, SystemColoursFollowTheApplicationsPalette) {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(200, 100, 0));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(99, 98, 97));
    QApplication::setPalette(palette);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(10, 20, 30));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(200, 100, 0));
    EXPECT_EQ(ColorToRGB(clGrayText), RGB(99, 98, 97));
    // A colour the palette has no role for keeps the classic scheme's.
    EXPECT_EQ(ColorToRGB(clBackground), RGB(0, 128, 128));
    EXPECT_EQ(Host.SysColor(25), clBlack);
}

TEST_F(QtPlatformTest, BitmapsAreImagesWithAQtCanvas) {
    TBitmap bitmap(5, 4);
    EXPECT_NE(dynamic_cast<TQtCanvas*>(&bitmap.Canvas()), nullptr);
    EXPECT_EQ(bitmap.Pixel(4, 3), clBlack);
    // Drawing and direct pixel access share the pixels, both ways.
    bitmap.Canvas().Brush.Color = clRed;
    bitmap.Canvas().FillRect(Rect(1, 1, 3, 3));
    EXPECT_EQ(bitmap.Pixel(2, 2), clRed);
    EXPECT_EQ(bitmap.ScanLine(1)[1], 0xFF0000u);
    bitmap.SetPixel(0, 0, clLime);
    EXPECT_EQ(bitmap.Canvas().GetPixel(0, 0), clLime);
    const TBitmap copy = bitmap;
    EXPECT_EQ(copy.Pixel(2, 2), clRed);
    EXPECT_EQ(copy.Pixel(0, 0), clLime);
    // A bitmap drawn on another, transparently: its bottom-left colour left out.
    TBitmap target(5, 4);
    target.Canvas().Brush.Color = clWhite;
    target.Canvas().FillRect(Rect(0, 0, 5, 4));
    TBitmap glyph = bitmap;
    glyph.Transparent = true;
    target.Canvas().Draw(0, 0, glyph);
    EXPECT_EQ(target.Pixel(2, 2), clRed);
    EXPECT_EQ(target.Pixel(4, 0), clWhite);
}

TEST_F(QtPlatformTest, SystemIconsAre32By32OnFuchsia) {
    for (const TSystemIcon id : {siHand, siQuestion, siExclamation, siAsterisk}) {
        SCOPED_TRACE(int(id));
        const TBitmap icon = Host.SystemIcon(id);
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
    }
    EXPECT_TRUE(Host.SystemIcon(TSystemIcon(12345)).Empty());
}

TEST_F(QtPlatformTest, BitmapResourcesAreTheOnesAddedAtStart) {
    for (const TOrnGlyph& glyph : OrnGlyphs()) {
        TBitmap bitmap(OrnGlyphSize, OrnGlyphSize);
        for (int y = 0; y < OrnGlyphSize; ++y) {
            for (int x = 0; x < OrnGlyphSize; ++x) {
                bitmap.SetPixel(x, y, OrnGlyphColor(glyph.Rows[std::size_t(y)][x]));
            }
        }
        Host.AddBitmapResource(glyph.Name, bitmap);
    }
    TBitmap loaded;
    ASSERT_TRUE(loaded.LoadFromResourceName("CheckOk"));
    ASSERT_EQ(loaded.Width(), OrnGlyphSize);
    const TOrnGlyph& checkOk = OrnGlyphs()[4];
    for (int y = 0; y < OrnGlyphSize; ++y) {
        for (int x = 0; x < OrnGlyphSize; ++x) {
            ASSERT_EQ(loaded.Pixel(x, y), OrnGlyphColor(checkOk.Rows[std::size_t(y)][x]));
        }
    }
    TBitmap kept(2, 2);
    EXPECT_FALSE(Host.LoadBitmapResource("NoSuchBitmap", kept));
    EXPECT_EQ(kept.Width(), 2);
}

TEST_F(QtPlatformTest, TheScreenTheProgramAndTheFrames) {
    const TSize screen = Host.ScreenSize();
    EXPECT_GT(screen.cx, 0);
    EXPECT_GT(screen.cy, 0);
    EXPECT_EQ(Host.PixelsPerInch(), 96);
    EXPECT_NE(Host.ExeName().find("qt_tests"), std::string::npos);
    EXPECT_EQ(Host.CommandLine().rfind(QCoreApplication::arguments().front().toStdString(), 0), 0u);
    EXPECT_TRUE(Host.GradientFillAvailable());
    EXPECT_EQ(Host.OsVersion().Major, 5);
}

TEST_F(QtPlatformTest, TheMessageLoopRunsQtsEventsUntilTheApplicationEnds) {
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (++ticks == 3) {
            Application().Terminate();
        }
    });
    timer.start(1);
    Host.RunMessageLoop();
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(Application().Terminated());
}
