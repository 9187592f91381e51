#pragma once
// The bitmap image of the Win32 platform: a top-down 32-bit DIB section selected into a memory
// device context, with a GDI canvas on it. GDI drawing and direct pixel access share the same
// memory; Flush (GdiFlush) makes queued drawing visible in Bits().

#include "platform/win32/Gdicanvas.h"

#include <memory>

class TGdiBitmapImage : public TBitmapImage {
public:
    // width x height black pixels; raises an Exception when the system refuses the bitmap.
    TGdiBitmapImage(int width, int height, const TGradientFillEntry& gradientFill);
    TGdiBitmapImage(const TGdiBitmapImage&) = delete;
    TGdiBitmapImage& operator=(const TGdiBitmapImage&) = delete;

    std::uint32_t* Bits() override { return Pixels; }
    int Width() const override { return ImageWidth; }
    int Height() const override { return ImageHeight; }
    TCanvas& Canvas() override { return *ImageCanvas; }
    void Flush() override { ::GdiFlush(); }

private:
    int ImageWidth;
    int ImageHeight;
    std::uint32_t* Pixels = nullptr;
    // Destroyed in reverse order: the canvas, the selection, the context, the bitmap.
    TGdiObject Bitmap;
    TMemoryDC DC;
    std::unique_ptr<TSelection> Selected;
    std::unique_ptr<TGdiCanvas> ImageCanvas;
};
