#include "platform/headless/Softbitmap.h"

#include <algorithm>
#include <cstddef>

TSoftBitmapImage::TSoftBitmapImage(int width, int height)
    : Pixels(std::size_t(std::max(width, 0)) * std::size_t(std::max(height, 0))),
      ImageCanvas(Pixels.data(), width, height) {}
