#pragma once
// The four system icons of the headless platform, drawn in code as 32 x 32 pictures whose
// transparent pixels are clFuchsia: the exclamation mark in a yellow triangle, a white cross on
// a red disc (stop), a blue "i" and a blue "?" on white discs (information, question).

#include "toolkit/Graphics.h"
#include "toolkit/Platform.h"

// An empty bitmap for any other identifier.
TBitmap ClassicSystemIcon(TSystemIcon icon);
