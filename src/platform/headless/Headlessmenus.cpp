// The popup menus of the headless platform: menu windows in memory, driven by the test's script.

#include "platform/headless/Headless.h"

#include "platform/headless/Menulayout.h"
#include "platform/headless/Softcanvas.h"

#include "toolkit/Controls.h"
#include "toolkit/Sysutils.h"

#include <algorithm>
#include <cstring>

namespace {

// One message as the loop delivers it: an exception out of a handler goes to the error box.
void Deliver(const std::function<void()>& message) {
    Application().RunGuarded(message);
}

bool SameLibraryName(const std::string& a, const std::string& b) {
    return UpperCase(a) == UpperCase(b);
}

} // namespace

// A popup menu's window: its pixels, its state and what it showed.
class THeadlessMenuWindow {
public:
    THeadlessMenuWindow(TMenuWindow id, int width, int height)
        : Id(id), Surface(std::max(width, 1), std::max(height, 1)) {}

    TMenuWindow Id;
    TSoftCanvas Surface;
    std::vector<TMenuItem*> Items;
    TShownMenu Shown;
    int Highlight = -1;
    std::uint32_t ExStyle = 0;
    std::uintptr_t UserData = 0;

    // The canvas as the system hands it to a draw request: the menu font, the menu colour.
    void ResetCanvas() {
        Surface.Font = TFont();
        Surface.Brush = TBrush{clMenu, TBrushStyle::Solid};
        Surface.Pen = TPen();
    }

    void PaintItem(int index, bool selected) {
        TMenuItem* item = Items[std::size_t(index)];
        const TRect r = Shown.ItemRects[std::size_t(index)];
        const TOwnerDrawState state = item->DrawState(selected);
        Shown.Paints.push_back({index, r, state});
        const int saved = Surface.SaveDC();
        ResetCanvas();
        Deliver([&] { item->DrawItem(Surface, r, state); });
        Surface.RestoreDC(saved);
    }

    void MoveHighlight(int index) {
        if (index == Highlight) {
            return;
        }
        const int old = Highlight;
        Highlight = index;
        if (old >= 0) {
            PaintItem(old, false);
        }
        if (index >= 0) {
            PaintItem(index, true);
        }
    }

    // The next item that is no separator after (or before) the highlighted one, wrapping.
    int Step(int direction) const {
        const int count = int(Items.size());
        int index = Highlight;
        for (int i = 0; i < count; ++i) {
            if (index < 0) {
                index = direction > 0 ? 0 : count - 1;
            } else {
                index = (index + direction + count) % count;
            }
            if (!Items[std::size_t(index)]->IsLine()) {
                return index;
            }
        }
        return Highlight;
    }

    bool Choose(int index) {
        if (index < 0) {
            return false;
        }
        const TMenuItem* item = Items[std::size_t(index)];
        if (item->IsLine() || !item->Enabled()) {
            return false;
        }
        Shown.Chosen = index;
        return true;
    }

    TBitmap Snapshot() const {
        TBitmap image(Surface.Width(), Surface.Height());
        for (int y = 0; y < Surface.Height(); ++y) {
            std::memcpy(image.ScanLine(y), Surface.Bits() + std::size_t(y) * Surface.Width(),
                        std::size_t(Surface.Width()) * sizeof(std::uint32_t));
        }
        return image;
    }
};

namespace {

// A canvas on the whole of a menu window, as WindowCanvas hands it out.
class TMenuWindowCanvas : public TSoftCanvas {
public:
    explicit TMenuWindowCanvas(THeadlessMenuWindow& window)
        : TSoftCanvas(window.Surface.Bits(), window.Surface.Width(), window.Surface.Height()),
          Window(window.Id) {}
    TMenuWindow Window;
};

} // namespace

THeadlessMenuWindow* THeadlessPlatform::FindMenuWindow(TMenuWindow window) {
    for (THeadlessMenuWindow* each : MenuWindows) {
        if (each->Id == window) {
            return each;
        }
    }
    return nullptr;
}

TMenuItem* THeadlessPlatform::TrackPopupMenu(TPopupMenu& menu, TPoint p) {
    TSoftCanvas measure(1, 1);
    const TMenuLayout layout = LayOutMenu(menu, measure);
    const std::vector<TMenuItem*>& items = layout.Items;
    const int width = layout.Size.cx;
    const int height = layout.Size.cy;
    // Kept inside the screen, as the system moves a menu that would leave it.
    TPoint place = p;
    place.X = std::max(0, std::min(place.X, ScreenSizeValue.cx - width));
    place.Y = std::max(0, std::min(place.Y, ScreenSizeValue.cy - height));

    auto window = std::make_unique<THeadlessMenuWindow>(NextMenuWindow++, width, height);
    window->Items = items;
    TShownMenu& shown = window->Shown;
    shown.Point = p;
    shown.Bounds = Bounds(place.X, place.Y, width, height);
    shown.Window = window->Id;
    for (std::size_t i = 0; i < items.size(); ++i) {
        shown.Names.push_back(items[i]->Name());
        shown.Captions.push_back(items[i]->Caption());
    }
    shown.Sizes = layout.Sizes;
    shown.ItemRects = layout.Rects;
    JournalLog.push_back("Menu " + std::to_string(p.X) + "," + std::to_string(p.Y));

    MenuWindows.push_back(window.get());
    struct TClose {
        std::vector<THeadlessMenuWindow*>& Windows;
        THeadlessMenuWindow* Window;
        ~TClose() { Windows.erase(std::find(Windows.begin(), Windows.end(), Window)); }
    } close{MenuWindows, window.get()};

    // The system's frame, then every item.
    window->ResetCanvas();
    window->Surface.FillRect(Rect(0, 0, width, height));
    TRect frame = Rect(0, 0, width, height);
    window->Surface.DrawEdge(frame, edgeRaised, bfRect);
    for (std::size_t i = 0; i < items.size(); ++i) {
        window->PaintItem(int(i), false);
    }
    shown.OpenImage = window->Snapshot();

    bool done = false;
    while (!done) {
        if (Answers.empty()) {
            MenuLog.push_back(shown);
            throw THeadlessScriptError("no answer queued for the popup menu");
        }
        const TModalAnswer answer = Answers.front();
        Answers.pop_front();
        ApplyMenuAnswer(*window, answer, done);
    }

    shown.Image = window->Snapshot();
    shown.ExStyle = window->ExStyle;
    shown.UserData = window->UserData;
    MenuLog.push_back(shown);
    return shown.Chosen >= 0 ? items[std::size_t(shown.Chosen)] : nullptr;
}

void THeadlessPlatform::ApplyMenuAnswer(THeadlessMenuWindow& window, const TModalAnswer& answer,
                                        bool& done) {
    switch (answer.Kind) {
    case TModalAnswer::TKind::Close:
        done = true;
        return;
    case TModalAnswer::TKind::Click: {
        for (std::size_t i = 0; i < window.Items.size(); ++i) {
            const TMenuItem* item = window.Items[i];
            if (item->Name() == answer.ControlName ||
                (item->Name().empty() && item->Caption() == answer.ControlName)) {
                window.MoveHighlight(int(i));
                done = window.Choose(int(i));
                return;
            }
        }
        throw THeadlessScriptError("the popup menu has no item named \"" + answer.ControlName +
                                   "\"");
    }
    case TModalAnswer::TKind::Key:
        break;
    }
    switch (answer.Key) {
    case vkDown:
        window.MoveHighlight(window.Step(1));
        return;
    case vkUp:
        window.MoveHighlight(window.Step(-1));
        return;
    case vkReturn:
        done = window.Choose(window.Highlight);
        return;
    case vkEscape:
        done = true;
        return;
    default:
        break;
    }
    for (std::size_t i = 0; i < window.Items.size(); ++i) {
        if (IsAccel(char(answer.Key), window.Items[i]->Caption())) {
            window.MoveHighlight(int(i));
            done = window.Choose(int(i));
            return;
        }
    }
}

TMenuWindow THeadlessPlatform::WindowOfCanvas(TCanvas& canvas) {
    if (auto* whole = dynamic_cast<TMenuWindowCanvas*>(&canvas)) {
        return FindMenuWindow(whole->Window) ? whole->Window : 0;
    }
    for (THeadlessMenuWindow* window : MenuWindows) {
        if (&window->Surface == &canvas) {
            return window->Id;
        }
    }
    return 0;
}

std::uint32_t THeadlessPlatform::GetExStyle(TMenuWindow window) {
    THeadlessMenuWindow* found = FindMenuWindow(window);
    return found ? found->ExStyle : 0;
}

bool THeadlessPlatform::SetExStyle(TMenuWindow window, std::uint32_t exStyle) {
    THeadlessMenuWindow* found = FindMenuWindow(window);
    if (!found) {
        return false;
    }
    found->ExStyle = exStyle;
    return true;
}

std::uintptr_t THeadlessPlatform::GetUserData(TMenuWindow window) {
    THeadlessMenuWindow* found = FindMenuWindow(window);
    return found ? found->UserData : 0;
}

bool THeadlessPlatform::SetUserData(TMenuWindow window, std::uintptr_t data) {
    THeadlessMenuWindow* found = FindMenuWindow(window);
    if (!found) {
        return false;
    }
    found->UserData = data;
    return true;
}

bool THeadlessPlatform::GetClientRect(TMenuWindow window, TRect& r) {
    THeadlessMenuWindow* found = FindMenuWindow(window);
    if (!found) {
        return false;
    }
    r = Rect(0, 0, found->Surface.Width(), found->Surface.Height());
    return true;
}

bool THeadlessPlatform::GetWindowRect(TMenuWindow window, TRect& r) {
    THeadlessMenuWindow* found = FindMenuWindow(window);
    if (!found) {
        return false;
    }
    r = found->Shown.Bounds;
    return true;
}

bool THeadlessPlatform::SetWindowRegion(TMenuWindow window, const std::optional<TRect>& r,
                                        bool /*redraw*/) {
    THeadlessMenuWindow* found = FindMenuWindow(window);
    if (!found) {
        return false;
    }
    ++found->Shown.RegionCalls;
    if (RegionFail) {
        return false;
    }
    found->Shown.Region = r;
    return true;
}

std::unique_ptr<TCanvas> THeadlessPlatform::WindowCanvas(TMenuWindow window) {
    THeadlessMenuWindow* found = FindMenuWindow(window);
    if (!found) {
        return nullptr;
    }
    return std::make_unique<TMenuWindowCanvas>(*found);
}

TSetLayeredWindowAttributes THeadlessPlatform::FindLayeredFunction(const std::string& library,
                                                                   const std::string& name) {
    if (!LayeredLibrary || !SameLibraryName(library, "user32.dll")) {
        return {};
    }
    if (name == "SetLayeredWindowAttributes" && LayeredSetAttributes) {
        return [this](TMenuWindow window, TColor /*key*/, std::uint8_t alpha, std::uint32_t flags) {
            THeadlessMenuWindow* found = FindMenuWindow(window);
            // As on the system, only a layered window takes attributes.
            if (LayeredAttributesFail || !found || !(found->ExStyle & wsExLayered)) {
                return false;
            }
            ++found->Shown.AlphaCalls;
            if (flags & lwaAlpha) {
                found->Shown.Alpha = alpha;
            }
            return true;
        };
    }
    if (name == "UpdateLayeredWindow" && LayeredUpdate) {
        return [](TMenuWindow, TColor, std::uint8_t, std::uint32_t) { return false; };
    }
    return {};
}
