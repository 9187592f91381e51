#include "menus/Bcrectutilities.h"

#include "toolkit/Sysmath.h"

std::int32_t RectWidth(const TRect& r) {
    return CheckedSub(r.Right, r.Left);
}

std::int32_t RectHeight(const TRect& r) {
    return CheckedSub(r.Bottom, r.Top);
}

TRect BitmapRect(const TBitmap* bitmap) {
    if (bitmap == nullptr) {
        return NilRect;
    }
    return Rect(0, 0, bitmap->Width(), bitmap->Height());
}
