#include "platform/win32/Msimg32.h"

namespace {

TRIVERTEX NativeVertex(const TTriVertex& vertex) {
    TRIVERTEX native{};
    native.x = vertex.X;
    native.y = vertex.Y;
    native.Red = vertex.Red;
    native.Green = vertex.Green;
    native.Blue = vertex.Blue;
    native.Alpha = vertex.Alpha;
    return native;
}

} // namespace

TGradientFillEntry::TGradientFillEntry(const std::string& library)
    : Library(::LoadLibraryA(library.c_str())) {
    if (Library) {
        // GetProcAddress gives a generic function pointer; the entry's real type is known.
        Entry = reinterpret_cast<TGradientFillProc>(
            reinterpret_cast<void*>(::GetProcAddress(Library, "GradientFill")));
    }
}

TGradientFillEntry::~TGradientFillEntry() {
    if (Library) {
        ::FreeLibrary(Library);
    }
}

bool TGradientFillEntry::Fill(HDC dc, const TTriVertex& upperLeft, const TTriVertex& lowerRight,
                              TGradientFillMode mode) const {
    if (!Entry) {
        return false;
    }
    TRIVERTEX vertices[2] = {NativeVertex(upperLeft), NativeVertex(lowerRight)};
    GRADIENT_RECT rect{0, 1};
    const ULONG nativeMode =
        mode == TGradientFillMode::RectV ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H;
    return Entry(dc, vertices, 2, &rect, 1, nativeMode) != FALSE;
}
