#include "platform/win32/Win32menus.h"

#include "platform/win32/Gdicanvas.h"
#include "platform/win32/Gdiobjects.h"
#include "platform/win32/Win32platform.h"
#include "platform/win32/Windowpeer.h"

#include "toolkit/Forms.h"
#include "toolkit/Sysutils.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// A menu handle, destroyed with its submenus unless handed on.
class TMenuHandle {
public:
    explicit TMenuHandle(HMENU menu) : Menu(menu) {}
    TMenuHandle(const TMenuHandle&) = delete;
    TMenuHandle& operator=(const TMenuHandle&) = delete;
    ~TMenuHandle() {
        if (Menu) {
            ::DestroyMenu(Menu);
        }
    }
    HMENU Handle() const { return Menu; }
    // The menu now belongs to another (a submenu appended to its parent).
    void Release() { Menu = nullptr; }

private:
    HMENU Menu;
};

// A region handle, deleted unless the system took it (SetWindowRgn owns a region it accepted).
class TRegionHandle {
public:
    explicit TRegionHandle(HRGN region) : Region(region) {}
    TRegionHandle(const TRegionHandle&) = delete;
    TRegionHandle& operator=(const TRegionHandle&) = delete;
    ~TRegionHandle() {
        if (Region) {
            ::DeleteObject(Region);
        }
    }
    HRGN Handle() const { return Region; }
    void Release() { Region = nullptr; }

private:
    HRGN Region;
};

// A canvas on the whole of a window, frame included; the device context is released after the
// canvas has put its own objects back.
struct TWindowDCOwner {
    explicit TWindowDCOwner(HWND window) : WholeWindow(window, true) {}
    TWindowDC WholeWindow;
};
class TWholeWindowCanvas : private TWindowDCOwner, public TGdiCanvas {
public:
    TWholeWindowCanvas(HWND window, const TGradientFillEntry& gradientFill)
        : TWindowDCOwner(window), TGdiCanvas(WholeWindow.Handle(), gradientFill) {}
};

// The popup being tracked: its items, whose position + 1 is their command.
struct TTracking {
    TWin32Platform* Host = nullptr;
    std::vector<TMenuItem*> Items;

    TMenuItem* Find(ULONG_PTR data) const {
        const auto found =
            std::find(Items.begin(), Items.end(), reinterpret_cast<TMenuItem*>(data));
        return found == Items.end() ? nullptr : *found;
    }
};
TTracking* tracking = nullptr;

HWND Window(TMenuWindow window) {
    return reinterpret_cast<HWND>(window);
}

// The native items of parent's visible children, appended to native.
void AppendItems(HMENU native, TMenuItem& parent, std::vector<TMenuItem*>& items) {
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (!item->Visible()) {
            continue;
        }
        UINT flags = MF_OWNERDRAW;
        if (item->IsLine()) {
            flags |= MF_SEPARATOR;
        }
        if (!item->Enabled()) {
            flags |= MF_GRAYED;
        }
        if (item->Checked()) {
            flags |= MF_CHECKED;
        }
        if (item->Break() == mbBreak) {
            flags |= MF_MENUBREAK;
        } else if (item->Break() == mbBarBreak) {
            flags |= MF_MENUBARBREAK;
        }
        items.push_back(item);
        const LPCSTR data = reinterpret_cast<LPCSTR>(item);
        if (item->Count() > 0 && !item->IsLine()) {
            TMenuHandle submenu(::CreatePopupMenu());
            if (!submenu.Handle()) {
                continue;
            }
            AppendItems(submenu.Handle(), *item, items);
            if (::AppendMenuA(native, flags | MF_POPUP,
                              reinterpret_cast<UINT_PTR>(submenu.Handle()), data)) {
                submenu.Release();
            }
            continue;
        }
        ::AppendMenuA(native, flags, items.size(), data);
    }
}

// The owner of popups while no form of the program is active.
constexpr const char* MenuOwnerClassName = "MorvikMenuOwner";

LRESULT CALLBACK MenuOwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (Win32MenuMessage(message, wParam, lParam, result)) {
        return result;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

class TMenuOwnerWindow {
public:
    explicit TMenuOwnerWindow(HINSTANCE instance) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &MenuOwnerProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = MenuOwnerClassName;
        // A second registration fails harmlessly: the class is the same.
        ::RegisterClassExA(&windowClass);
        Window = ::CreateWindowExA(WS_EX_TOOLWINDOW, MenuOwnerClassName, "", WS_POPUP, 0, 0, 0, 0,
                                   nullptr, nullptr, instance, nullptr);
    }
    TMenuOwnerWindow(const TMenuOwnerWindow&) = delete;
    TMenuOwnerWindow& operator=(const TMenuOwnerWindow&) = delete;
    ~TMenuOwnerWindow() {
        if (Window) {
            ::DestroyWindow(Window);
        }
    }
    HWND Handle() const { return Window; }

private:
    HWND Window = nullptr;
};

} // namespace

bool Win32MenuMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam, LRESULT& result) {
    if (!tracking || (message != WM_MEASUREITEM && message != WM_DRAWITEM)) {
        return false;
    }
    if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        TMenuItem* item =
            measure->CtlType == ODT_MENU ? tracking->Find(measure->itemData) : nullptr;
        if (!item) {
            return false;
        }
        try {
            TMemoryDC dc;
            TGdiCanvas canvas(dc.Handle(), tracking->Host->GradientFill());
            canvas.Brush.Color = clMenu;
            int width = 0;
            int height = 0;
            item->MeasureItem(canvas, width, height);
            measure->itemWidth = UINT(std::max(width, 0));
            measure->itemHeight = UINT(std::max(height, 0));
        } catch (...) {
            Application().HandleException();
        }
        result = TRUE;
        return true;
    }
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    TMenuItem* item = draw->CtlType == ODT_MENU ? tracking->Find(draw->itemData) : nullptr;
    if (!item) {
        return false;
    }
    // The system paints the menu window with this context again: its state is put back.
    const int saved = ::SaveDC(draw->hDC);
    try {
        TGdiCanvas canvas(draw->hDC, tracking->Host->GradientFill());
        canvas.Brush.Color = clMenu;
        const RECT& r = draw->rcItem;
        item->DrawItem(canvas, TRect{int(r.left), int(r.top), int(r.right), int(r.bottom)},
                       TOwnerDrawState(draw->itemState & 0xFFFF));
    } catch (...) {
        Application().HandleException();
    }
    ::RestoreDC(draw->hDC, saved);
    result = TRUE;
    return true;
}

// ---- TWin32Platform's menu windows -------------------------------------------------------------

TMenuItem* TWin32Platform::TrackPopupMenu(TPopupMenu& menu, TPoint p) {
    TMenuHandle native(::CreatePopupMenu());
    if (!native.Handle()) {
        throw Exception("Cannot create a popup menu");
    }
    TTracking context;
    context.Host = this;
    AppendItems(native.Handle(), *menu.Items(), context.Items);

    // The active form owns the menu, as a menu opened from it; else a hidden window.
    HWND owner = ::GetActiveWindow();
    std::unique_ptr<TMenuOwnerWindow> hidden;
    if (!owner || !TWin32Peer::FromHandle(owner)) {
        hidden = std::make_unique<TMenuOwnerWindow>(Instance());
        owner = hidden->Handle();
        // The menu closes on a click elsewhere only when its owner is in the foreground.
        ::SetForegroundWindow(owner);
    }
    TTracking* const outer = std::exchange(tracking, &context);
    const int command = ::TrackPopupMenu(
        native.Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, p.X, p.Y,
        0, owner, nullptr);
    tracking = outer;
    ::PostMessageA(owner, WM_NULL, 0, 0);
    if (command <= 0 || std::size_t(command) > context.Items.size()) {
        return nullptr;
    }
    return context.Items[std::size_t(command) - 1];
}

int TWin32Platform::MenuItemHeight() {
    return ::GetSystemMetrics(SM_CYMENUSIZE);
}

void TWin32Platform::RebuildMenu(TMenu& /*menu*/) {
    // Popups are made anew for each TrackPopupMenu; no native items stay between them.
}

void TWin32Platform::DrawMenuBar(TMenuWindow window) {
    ::DrawMenuBar(Window(window));
}

TMenuWindow TWin32Platform::WindowOfCanvas(TCanvas& canvas) {
    auto* gdi = dynamic_cast<TGdiCanvas*>(&canvas);
    return gdi ? reinterpret_cast<TMenuWindow>(::WindowFromDC(gdi->Handle())) : 0;
}

std::uint32_t TWin32Platform::GetExStyle(TMenuWindow window) {
    return std::uint32_t(::GetWindowLongA(Window(window), GWL_EXSTYLE));
}

bool TWin32Platform::SetExStyle(TMenuWindow window, std::uint32_t exStyle) {
    // 0 is also the old value of a window without extended styles: the error code tells.
    ::SetLastError(0);
    return ::SetWindowLongA(Window(window), GWL_EXSTYLE, LONG(exStyle)) != 0 ||
           ::GetLastError() == 0;
}

std::uintptr_t TWin32Platform::GetUserData(TMenuWindow window) {
    return std::uintptr_t(::GetWindowLongPtrA(Window(window), GWLP_USERDATA));
}

bool TWin32Platform::SetUserData(TMenuWindow window, std::uintptr_t data) {
    ::SetLastError(0);
    return ::SetWindowLongPtrA(Window(window), GWLP_USERDATA, LONG_PTR(data)) != 0 ||
           ::GetLastError() == 0;
}

bool TWin32Platform::GetClientRect(TMenuWindow window, TRect& r) {
    RECT native{};
    if (!::GetClientRect(Window(window), &native)) {
        return false;
    }
    r = TRect{int(native.left), int(native.top), int(native.right), int(native.bottom)};
    return true;
}

bool TWin32Platform::GetWindowRect(TMenuWindow window, TRect& r) {
    RECT native{};
    if (!::GetWindowRect(Window(window), &native)) {
        return false;
    }
    r = TRect{int(native.left), int(native.top), int(native.right), int(native.bottom)};
    return true;
}

bool TWin32Platform::SetWindowRegion(TMenuWindow window, const std::optional<TRect>& r,
                                     bool redraw) {
    if (!r) {
        return ::SetWindowRgn(Window(window), nullptr, redraw) != 0;
    }
    TRegionHandle region(::CreateRectRgn(r->Left, r->Top, r->Right, r->Bottom));
    if (!region.Handle() || !::SetWindowRgn(Window(window), region.Handle(), redraw)) {
        return false;
    }
    region.Release();
    return true;
}

std::unique_ptr<TCanvas> TWin32Platform::WindowCanvas(TMenuWindow window) {
    auto canvas = std::make_unique<TWholeWindowCanvas>(Window(window), GradientFill());
    if (!canvas->Handle()) {
        return nullptr;
    }
    return canvas;
}

TSetLayeredWindowAttributes TWin32Platform::FindLayeredFunction(const std::string& library,
                                                                const std::string& name) {
    HMODULE module = ::LoadLibraryA(library.c_str());
    if (!module) {
        return {};
    }
    const FARPROC found = ::GetProcAddress(module, name.c_str());
    // The library is user32, which every program with windows keeps loaded: its functions stay
    // valid after this reference goes.
    ::FreeLibrary(module);
    if (!found) {
        return {};
    }
    if (name != "SetLayeredWindowAttributes") {
        return [](TMenuWindow, TColor, std::uint8_t, std::uint32_t) { return false; };
    }
    using TSetLayeredProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    // GetProcAddress gives a generic function pointer; the entry's real type is known.
    const auto entry = reinterpret_cast<TSetLayeredProc>(reinterpret_cast<void*>(found));
    return [entry](TMenuWindow window, TColor key, std::uint8_t alpha, std::uint32_t flags) {
        return entry(Window(window), COLORREF(key & 0x00FFFFFF), alpha, flags) != FALSE;
    };
}

TOsVersion TWin32Platform::OsVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info)) {
        return {};
    }
    return {info.dwPlatformId == VER_PLATFORM_WIN32_NT, int(info.dwMajorVersion),
            int(info.dwMinorVersion)};
}
