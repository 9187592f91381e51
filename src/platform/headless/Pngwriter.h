#pragma once
// Writes pictures as PNG files (8-bit RGB, stored without compression), so that a test can
// save the image it actually got when a pixel comparison fails.

#include "platform/headless/Softcanvas.h"

#include <cstdint>
#include <string>

// width x height pixels of 0x00RRGGBB, row by row from the top; false when the file could not
// be written.
bool WritePng(const std::string& path, int width, int height, const std::uint32_t* pixels);
bool WritePng(const std::string& path, const TSoftCanvas& canvas);
bool WritePng(const std::string& path, const TBitmap& bitmap);
