#include "menus/Bcfontutilities.h"

#include "toolkit/Sysmath.h"

std::unique_ptr<TFont> CreateRotatedFont(const TFont& font, int angle) {
    auto rotated = std::make_unique<TFont>();
    rotated->Name = font.Name;
    rotated->Height = font.Height;
    rotated->Style = font.Style & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    rotated->Pitch = font.Pitch;
    rotated->Color = font.Color;
    rotated->Escapement = CheckedMul(angle, 10);
    return rotated;
}
