#pragma once
// The bitmap image of the headless platform: pixels in memory and a software canvas on them.

#include "platform/headless/Softcanvas.h"

#include <cstdint>
#include <vector>

class TSoftBitmapImage : public TBitmapImage {
public:
    // width x height black pixels.
    TSoftBitmapImage(int width, int height);

    std::uint32_t* Bits() override { return Pixels.data(); }
    int Width() const override { return ImageCanvas.Width(); }
    int Height() const override { return ImageCanvas.Height(); }
    TCanvas& Canvas() override { return ImageCanvas; }

private:
    std::vector<std::uint32_t> Pixels;
    TSoftCanvas ImageCanvas;
};
