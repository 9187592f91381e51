#pragma once
// The system colours of the headless platform: the classic Windows scheme ("Windows Standard"),
// fixed so that pictures are the same everywhere. By Win32 COLOR_ index:
//
//   0 scroll bar        192 192 192    13 highlight            0   0 128
//   1 background          0 128 128    14 highlight text     255 255 255
//   2 active caption      0   0 128    15 button face        192 192 192
//   3 inactive caption  128 128 128    16 button shadow      128 128 128
//   4 menu              192 192 192    17 gray text          128 128 128
//   5 window            255 255 255    18 button text          0   0   0
//   6 window frame        0   0   0    19 inactive cap. text 192 192 192
//   7 menu text           0   0   0    20 button highlight   255 255 255
//   8 window text         0   0   0    21 3D dark shadow       0   0   0
//   9 caption text      255 255 255    22 3D light           223 223 223
//  10 active border     192 192 192    23 info text            0   0   0
//  11 inactive border   192 192 192    24 info background    255 255 225
//  12 app workspace     128 128 128    26 hot light            0   0 255
//  27, 28 caption gradients 16 132 208 and 181 181 181; 29 menu highlight 0 0 128; 30 menu bar
//  192 192 192. Index 25 and indexes beyond 30 are black, as the system answers them.
//
// 3D light is lighter than button face here (the system's schemes differ on it) so that
// pictures show which of the two was used.

#include "toolkit/Graphics.h"

TColor ClassicSysColor(int index);
