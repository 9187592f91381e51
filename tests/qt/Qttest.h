#pragma once
// What the Qt tests share: a QApplication on the offscreen platform (no display needed), made
// once for the whole program, and the comparison of a Qt picture with the software canvas's.

#include "platform/headless/Headless.h"
#include "platform/headless/Pngwriter.h"
#include "platform/headless/Softcanvas.h"
#include "platform/qt/Qtcanvas.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdio>
#include <memory>
#include <string>

inline std::string TestName() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(test->test_suite_name()) + "." + test->name();
}

// The image's pixels as a software canvas holds them, for the PNG writer and comparisons.
inline std::unique_ptr<TSoftCanvas> SoftCopy(const QImage& image) {
    auto copy = std::make_unique<TSoftCanvas>(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            copy->Bits()[y * image.width() + x] = row[x] & 0xFFFFFF;
        }
    }
    return copy;
}

// Every pixel of the Qt image against the software canvas; a failure saves both pictures.
inline ::testing::AssertionResult SamePictures(const QImage& qt, const TSoftCanvas& soft) {
    const std::unique_ptr<TSoftCanvas> copy = SoftCopy(qt);
    for (int y = 0; y < soft.Height(); ++y) {
        for (int x = 0; x < soft.Width(); ++x) {
            if (copy->Pixel(x, y) == soft.Pixel(x, y)) {
                continue;
            }
            WritePng(TestName() + ".qt.png", *copy);
            WritePng(TestName() + ".soft.png", soft);
            char text[128];
            std::snprintf(text, sizeof text, "pixel (%d, %d): Qt %06X, software %06X", x, y,
                          unsigned(copy->Pixel(x, y)), unsigned(soft.Pixel(x, y)));
            return ::testing::AssertionFailure()
                   << text << "; the pictures are in " << TestName() << ".*.png";
        }
    }
    return ::testing::AssertionSuccess();
}

// The same drawing on a Qt canvas over an image and on a software canvas of one size.
struct TTwoCanvases {
    TTwoCanvases(int width, int height)
        : Image(width, height, QImage::Format_RGB32), Soft(width, height) {
        Image.fill(0);
        Qt = std::make_unique<TQtCanvas>(Image);
    }
    template <class Paint>
    void Both(Paint paint) {
        paint(static_cast<TCanvas&>(*Qt));
        paint(static_cast<TCanvas&>(Soft));
    }
    ::testing::AssertionResult Same() const { return SamePictures(Image, Soft); }

    QImage Image;
    std::unique_ptr<TQtCanvas> Qt;
    TSoftCanvas Soft;
};

// The headless platform for the system colours and bitmaps, with a QApplication beside it.
class QtCanvasTest : public ::testing::Test {
protected:
    void SetUp() override { InstallPlatform(&Host); }
    void TearDown() override { InstallPlatform(nullptr); }
    THeadlessPlatform Host;
};
