#include "platform/qt/Qtbitmap.h"

#include <cstddef>

TQtBitmapImage::TQtBitmapImage(int width, int height) : Image(width, height, QImage::Format_RGB32) {
    Image.fill(0);
    ImageCanvas = std::make_unique<TQtCanvas>(Image);
}

void TQtBitmapImage::Flush() {
    if (!ImageCanvas->TakePainted()) {
        return;
    }
    std::uint32_t* pixels = Bits();
    const std::size_t count = std::size_t(Width()) * std::size_t(Height());
    for (std::size_t i = 0; i < count; ++i) {
        pixels[i] &= 0x00FFFFFF;
    }
}
