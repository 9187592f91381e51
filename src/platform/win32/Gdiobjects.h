#pragma once
// Owners of GDI objects and device contexts: each handle is released by the object that got it,
// never by hand at the end of a function.

#include "platform/win32/Win.h"

#include "toolkit/Graphics.h"

#include <utility>

// A pen, brush, font, bitmap or region, deleted when the owner goes. A stock object is held
// without being owned.
class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(HGDIOBJ object, bool owned = true) : Object(object), Owned(owned) {}
    TGdiObject(TGdiObject&& other) noexcept
        : Object(std::exchange(other.Object, nullptr)), Owned(other.Owned) {}
    TGdiObject& operator=(TGdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            Object = std::exchange(other.Object, nullptr);
            Owned = other.Owned;
        }
        return *this;
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    ~TGdiObject() { Reset(); }

    HGDIOBJ Handle() const { return Object; }
    explicit operator bool() const { return Object != nullptr; }
    void Reset() {
        if (Object && Owned) {
            ::DeleteObject(Object);
        }
        Object = nullptr;
    }

private:
    HGDIOBJ Object = nullptr;
    bool Owned = true;
};

// A memory device context compatible with the screen.
class TMemoryDC {
public:
    TMemoryDC() : DC(::CreateCompatibleDC(nullptr)) {}
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    ~TMemoryDC() {
        if (DC) {
            ::DeleteDC(DC);
        }
    }
    HDC Handle() const { return DC; }

private:
    HDC DC;
};

// The device context of a window (its client area, or with whole the entire window).
class TWindowDC {
public:
    explicit TWindowDC(HWND window, bool whole = false)
        : Window(window), DC(whole ? ::GetWindowDC(window) : ::GetDC(window)) {}
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    ~TWindowDC() {
        if (DC) {
            ::ReleaseDC(Window, DC);
        }
    }
    HDC Handle() const { return DC; }

private:
    HWND Window;
    HDC DC;
};

// BeginPaint and EndPaint of a WM_PAINT.
class TPaintDC {
public:
    explicit TPaintDC(HWND window) : Window(window), DC(::BeginPaint(window, &Paint)) {}
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    ~TPaintDC() { ::EndPaint(Window, &Paint); }
    HDC Handle() const { return DC; }
    // The part of the client area to paint.
    const RECT& Area() const { return Paint.rcPaint; }

private:
    HWND Window;
    PAINTSTRUCT Paint{};
    HDC DC;
};

// An object selected into a device context, the previous one selected again at the end.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : DC(dc), Previous(::SelectObject(dc, object)) {}
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;
    ~TSelection() {
        if (Previous) {
            ::SelectObject(DC, Previous);
        }
    }

private:
    HDC DC;
    HGDIOBJ Previous;
};

// A GDI font for font; nullptr-holding when the system refuses it.
TGdiObject CreateGdiFont(const TFont& font);
