#pragma once
// The check box's glyphs (Ornglyphs.h) as bitmap resources of the headless platform, as the
// Windows program has them in its resources. Tests that paint a check box add them first.

#include "platform/headless/Headless.h"
#include "widgets/Ornglyphs.h"

inline TBitmap OrnGlyphBitmap(const TOrnGlyph& glyph) {
    TBitmap bitmap(OrnGlyphSize, OrnGlyphSize);
    for (int y = 0; y < OrnGlyphSize; ++y) {
        for (int x = 0; x < OrnGlyphSize; ++x) {
            bitmap.SetPixel(x, y, OrnGlyphColor(glyph.Rows[std::size_t(y)][x]));
        }
    }
    return bitmap;
}

inline void AddOrnGlyphResources(THeadlessPlatform& platform) {
    for (const TOrnGlyph& glyph : OrnGlyphs()) {
        platform.AddBitmapResource(glyph.Name, OrnGlyphBitmap(glyph));
    }
}
