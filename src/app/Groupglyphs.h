#pragma once
// The pictures of the main window's buttons and of Image1, drawn from pixel maps in the code.
// Each is 16 pixels high; its bottom-left pixel is magenta, the colour a speed button and a
// transparent picture leave out.

#include "toolkit/Graphics.h"

enum class TGroupGlyph {
    AddAll,      // two green arrowheads to the right
    FilesAdd,    // a green arrow to the right
    FilesSub,    // a red arrow to the left
    CreateGroup, // a page with a green plus
    Extract,     // a folder with a blue arrow into it
    ModeExtract, // a box with a light blue arrow out of it
    ModeGroup,   // a box with a green arrow into it
    Quit,        // a red disc with a white cross
    EditName,    // a pencil, 17 pixels wide
};

TBitmap GroupGlyph(TGroupGlyph glyph);
