#pragma once
// The Qt font for a toolkit font.
//
// The window's font is "MS Sans Serif", a Windows face most Linux systems lack; layouts were
// made for its metrics. When the system has no family of that name, Wine's own outline version
// (ms_sans_serif.ttf of the package fonts-wine) is loaded into the program once and used. That
// face is a bitmap face with a few sizes only; at other sizes, and when it is missing, the
// system's general sans serif face of the size asked for stands in. A negative height is the pixel
// size of the em (GDI's character height), a positive one the cell height (ascent plus descent), 0
// the default -11. Kerning is off, as in GDI, so that a line's width is the sum of its characters'
// advances.

#include "toolkit/Graphics.h"

#include <QFont>

QFont QtFont(const TFont& font);

// Whether face, made by QtFont for font, is bold only in name: font asks for bold and face's
// family has no bold style (Wine's "MS Sans Serif"), which Qt then draws plain. GDI makes such a
// face bold itself, each glyph drawn twice a pixel apart and advancing a pixel further; the Qt
// canvas does the same.
bool SyntheticBold(const TFont& font, const QFont& face);

// The family that stands for the toolkit's face name: the name itself, or the family of the
// font loaded for it.
QString QtFontFamily(const std::string& name);
