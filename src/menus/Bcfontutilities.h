#pragma once
// Fonts for the menu drawing routines.

#include "toolkit/Graphics.h"

#include <memory>

// A new font, owned by the caller, that writes like font turned angle degrees counter-clockwise
// (90: text running upwards, -90: downwards): the same face name, height, bold, italic,
// underline, strike-out and pitch, with an escapement of angle * 10 tenths of a degree. Its
// colour stays that of font, as selecting a logical font leaves the text colour alone. An angle
// whose escapement does not fit in 32 bits raises EIntOverflow.
std::unique_ptr<TFont> CreateRotatedFont(const TFont& font, int angle);
