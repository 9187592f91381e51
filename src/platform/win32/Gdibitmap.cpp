#include "platform/win32/Gdibitmap.h"

#include "toolkit/Sysutils.h"

#include <string>

TGdiBitmapImage::TGdiBitmapImage(int width, int height, const TGradientFillEntry& gradientFill)
    : ImageWidth(width), ImageHeight(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    // A negative height makes the rows run from the top down, as TBitmapImage stores them.
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap = TGdiObject(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!Bitmap || !bits || !DC.Handle()) {
        throw Exception("Out of system resources for a bitmap of " + std::to_string(width) + " x " +
                        std::to_string(height));
    }
    Pixels = static_cast<std::uint32_t*>(bits);
    Selected = std::make_unique<TSelection>(DC.Handle(), Bitmap.Handle());
    ImageCanvas = std::make_unique<TGdiCanvas>(DC.Handle(), gradientFill);
}
