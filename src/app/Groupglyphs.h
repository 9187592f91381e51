#pragma once
// The pictures of the main window's buttons, of Image1 and of the Options menu's items, drawn
// from pixel maps in the code. Each is 16 pixels high; its bottom-left pixel is magenta, the
// colour a speed button, a transparent picture and a menu item's picture leave out.

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
    // The Options menu's items, 16 x 16 each.
    DesktopIcon,     // a screen with a shortcut arrow in a white box at its lower left
    AboutMorvik,     // a blue disc with a white "i"
    Cancel,          // a light blue arrow that turns back to the left
    QuitApplication, // a door with a green arrow out of it to the right
};

TBitmap GroupGlyph(TGroupGlyph glyph);
