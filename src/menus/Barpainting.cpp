#include "menus/Barpainting.h"

// FIXME: the gradient of the bar (DrawGradient into the buffer with the bar's colours and
// style, nothing when an opaque tiled or stretched back picture covers the bar) is not painted
// yet.
void DrawBarGradient(IBarMenusIntf& /*menu*/, const TRect& /*r*/) {}

// FIXME: the back picture (normal, tiled from the alignment's start, or stretched) and the
// bar's border are not painted yet.
void DrawBarBackPicture(IBarMenusIntf& /*menu*/) {}

// FIXME: the bar picture at its aligned, offset position is not painted yet.
void DrawBarPicture(IBarMenusIntf& /*menu*/) {}

// FIXME: the rotated caption with its highlight and shadow copies is not painted yet.
void DrawBarCaption(IBarMenusIntf& /*menu*/, const TRect& /*r*/) {}

// FIXME: the slice of the buffer is not copied onto the menu window yet.
void DrawDoubleBuffer(IBarMenusIntf& /*menu*/, TCanvas& /*canvas*/, const TRect& /*dest*/,
                      const TRect& /*source*/) {}
