#pragma once
// The bitmap image of the Qt platform: a 32-bit RGB QImage with a Qt canvas on it. Drawing and
// direct pixel access share the image's memory. The painter draws at once, but writes 0xFF into
// the top byte that the toolkit's pixels keep 0 (TBitmapImage::Bits); Flush clears those bytes
// again after the canvas painted.

#include "platform/qt/Qtcanvas.h"

#include <QImage>

#include <memory>

class TQtBitmapImage : public TBitmapImage {
public:
    // width x height black pixels.
    TQtBitmapImage(int width, int height);

    std::uint32_t* Bits() override { return reinterpret_cast<std::uint32_t*>(Image.bits()); }
    int Width() const override { return Image.width(); }
    int Height() const override { return Image.height(); }
    TCanvas& Canvas() override { return *ImageCanvas; }
    void Flush() override;

private:
    QImage Image;
    // After the image, so that the painter ends before the image goes.
    std::unique_ptr<TQtCanvas> ImageCanvas;
};
