#pragma once
// The gradient-fill primitive: "GradientFill" of MSIMG32.DLL, loaded with LoadLibraryA and
// GetProcAddress when the platform starts and freed when it ends. A system without the library
// or the entry point has no primitive; every fill then fails and the components paint without
// gradients.

#include "platform/win32/Win.h"

#include "toolkit/Graphics.h"

#include <string>

class TGradientFillEntry {
public:
    // Loads library and looks up "GradientFill" in it.
    explicit TGradientFillEntry(const std::string& library = "MSIMG32.DLL");
    TGradientFillEntry(const TGradientFillEntry&) = delete;
    TGradientFillEntry& operator=(const TGradientFillEntry&) = delete;
    ~TGradientFillEntry();

    bool Available() const { return Entry != nullptr; }
    // One rectangle from upperLeft to lowerRight (logical coordinates of dc); false when the
    // primitive is missing or reports a failure.
    bool Fill(HDC dc, const TTriVertex& upperLeft, const TTriVertex& lowerRight,
              TGradientFillMode mode) const;

private:
    using TGradientFillProc = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

    HMODULE Library = nullptr;
    TGradientFillProc Entry = nullptr;
};
