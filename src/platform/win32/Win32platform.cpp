#include "platform/win32/Win32platform.h"

#include "platform/win32/Comboboxpeer.h"
#include "platform/win32/Editpeer.h"
#include "platform/win32/Formpeer.h"
#include "platform/win32/Gdibitmap.h"
#include "platform/win32/Listboxpeer.h"
#include "platform/win32/Windowpeer.h"

#include "toolkit/Filectrl.h"
#include "toolkit/Forms.h"
#include "toolkit/Stdctrls.h"
#include "toolkit/Sysutils.h"

#include <algorithm>
#include <vector>

namespace {

// The icon resource of the program's windows.
constexpr const char* ProgramIcon = "MAINICON";

void RegisterWindowClass(HINSTANCE instance, const char* name, HICON icon) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &TWin32Peer::WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.lpszClassName = name;
    if (!::RegisterClassExA(&windowClass)) {
        throw Exception(std::string("Cannot register the window class ") + name);
    }
}

// The program's other forms, disabled for the time of a modal loop and enabled again after it.
class TDisabledForms {
public:
    explicit TDisabledForms(HWND modal) : Modal(modal) {
        ::EnumThreadWindows(::GetCurrentThreadId(), &TDisabledForms::Visit,
                            reinterpret_cast<LPARAM>(this));
    }
    TDisabledForms(const TDisabledForms&) = delete;
    TDisabledForms& operator=(const TDisabledForms&) = delete;
    ~TDisabledForms() {
        for (auto it = Windows.rbegin(); it != Windows.rend(); ++it) {
            if (::IsWindow(*it)) {
                ::EnableWindow(*it, TRUE);
            }
        }
    }

private:
    static BOOL CALLBACK Visit(HWND window, LPARAM data) {
        auto* self = reinterpret_cast<TDisabledForms*>(data);
        TWin32Peer* peer = TWin32Peer::FromHandle(window);
        if (window != self->Modal && peer && dynamic_cast<TForm*>(&peer->Control()) &&
            ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
            ::EnableWindow(window, FALSE);
            self->Windows.push_back(window);
        }
        return TRUE;
    }

    HWND Modal;
    std::vector<HWND> Windows;
};

// Dispatches one message; false when the loop is to end. A nested loop puts WM_QUIT back for
// the loop outside it.
bool DispatchOne(bool nested) {
    MSG message{};
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
        if (nested) {
            ::PostQuitMessage(int(message.wParam));
        }
        return false;
    }
    if (got == -1) {
        return false;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
    return true;
}

} // namespace

TWin32Platform::TWin32Platform() : ModuleInstance(::GetModuleHandleA(nullptr)) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    HICON icon = ::LoadIconA(ModuleInstance, ProgramIcon);
    if (!icon) {
        icon = ::LoadIconA(nullptr, IDI_APPLICATION);
    }
    RegisterWindowClass(ModuleInstance, ControlClassName, nullptr);
    RegisterWindowClass(ModuleInstance, FormClassName, icon);
}

TWin32Platform::~TWin32Platform() {
    ::UnregisterClassA(FormClassName, ModuleInstance);
    ::UnregisterClassA(ControlClassName, ModuleInstance);
}

// ---- Drawing -----------------------------------------------------------------------------------

TColor TWin32Platform::SysColor(int index) {
    return TColor(::GetSysColor(index));
}

std::unique_ptr<TBitmapImage> TWin32Platform::CreateBitmapImage(int width, int height) {
    return std::make_unique<TGdiBitmapImage>(width, height, Gradient);
}

TBitmap TWin32Platform::SystemIcon(TSystemIcon icon) {
    HICON handle = ::LoadIconA(nullptr, MAKEINTRESOURCEA(int(icon)));
    if (!handle) {
        return TBitmap();
    }
    constexpr int size = 32;
    // Drawn once on black and once on white: a pixel that comes out the same on both is
    // opaque; where they differ the icon is partly transparent, by as much as they differ.
    TBitmap onBlack(size, size);
    TBitmap onWhite(size, size);
    for (TBitmap* picture : {&onBlack, &onWhite}) {
        TCanvas& canvas = picture->Canvas();
        canvas.Brush.Color = picture == &onBlack ? clBlack : clWhite;
        canvas.FillRect(Rect(0, 0, size, size));
        ::DrawIconEx(BitmapCanvas(*picture).Handle(), 0, 0, handle, size, size, 0, nullptr,
                     DI_NORMAL);
    }
    TBitmap result(size, size);
    for (int y = 0; y < size; ++y) {
        const std::uint32_t* black = onBlack.ScanLine(y);
        const std::uint32_t* white = onWhite.ScanLine(y);
        std::uint32_t* row = result.ScanLine(y);
        for (int x = 0; x < size; ++x) {
            int transparency = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                transparency = std::max(transparency, int((white[x] >> shift) & 0xFF) -
                                                          int((black[x] >> shift) & 0xFF));
            }
            const int opacity = 255 - transparency;
            if (opacity < 128) {
                row[x] = ColorToPixel(clFuchsia);
                continue;
            }
            std::uint32_t pixel = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const int value = int((black[x] >> shift) & 0xFF) * 255 / opacity;
                pixel |= std::uint32_t(std::min(value, 255)) << shift;
            }
            row[x] = pixel;
        }
    }
    return result;
}

bool TWin32Platform::LoadBitmapResource(const std::string& name, TBitmap& bitmap) {
    TGdiObject loaded(
        ::LoadImageA(ModuleInstance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!loaded) {
        return false;
    }
    BITMAP info{};
    if (!::GetObjectA(loaded.Handle(), sizeof info, &info) || info.bmWidth <= 0 ||
        info.bmHeight == 0) {
        return false;
    }
    TBitmap picture(info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
    TMemoryDC source;
    {
        TSelection selected(source.Handle(), loaded.Handle());
        ::BitBlt(BitmapCanvas(picture).Handle(), 0, 0, picture.Width(), picture.Height(),
                 source.Handle(), 0, 0, SRCCOPY);
    }
    bitmap = picture;
    return true;
}

// ---- Screen, input, sound ----------------------------------------------------------------------

TSize TWin32Platform::ScreenSize() {
    return TSize{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

TPoint TWin32Platform::CursorPos() {
    POINT p{};
    ::GetCursorPos(&p);
    return TPoint{int(p.x), int(p.y)};
}

void TWin32Platform::SetScreenCursor(int cursor) {
    ScreenCursorValue = cursor;
    if (const LPCSTR shape = CursorResource(cursor)) {
        // Set now: no WM_SETCURSOR comes while the program works without reading messages.
        ::SetCursor(::LoadCursorA(nullptr, shape));
        return;
    }
    // Back to each window's own: putting the pointer where it is makes the window under it
    // choose its cursor again (WM_SETCURSOR).
    POINT p{};
    if (::GetCursorPos(&p)) {
        ::SetCursorPos(p.x, p.y);
    }
}

int TWin32Platform::PixelsPerInch() {
    TWindowDC screen(nullptr);
    return screen.Handle() ? ::GetDeviceCaps(screen.Handle(), LOGPIXELSY) : 96;
}

void TWin32Platform::MessageBeep(TSoundType type) {
    ::MessageBeep(type);
}

// ---- Windows -----------------------------------------------------------------------------------

std::unique_ptr<TWindowPeer> TWin32Platform::CreatePeer(TWinControl& control) {
    if (auto* form = dynamic_cast<TForm*>(&control)) {
        return std::make_unique<TFormPeer>(*this, *form);
    }
    // Every other window is a child of its parent's window.
    TWinControl* parent = control.Parent();
    if (!parent || !dynamic_cast<TWin32Peer*>(parent->Peer())) {
        return nullptr;
    }
    if (auto* edit = dynamic_cast<TEdit*>(&control)) {
        return std::make_unique<TEditPeer>(*this, *edit);
    }
    if (auto* list = dynamic_cast<TListBox*>(&control)) {
        return std::make_unique<TListBoxPeer>(*this, *list);
    }
    if (auto* combo = dynamic_cast<TDriveComboBox*>(&control)) {
        return std::make_unique<TComboBoxPeer>(*this, *combo);
    }
    return std::make_unique<TWin32Peer>(*this, control);
}

TRect TWin32Platform::FrameInsets(const TForm& form) {
    DWORD style = 0;
    DWORD exStyle = 0;
    TFormPeer::FormStyles(form, style, exStyle);
    RECT r{0, 0, 0, 0};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return TRect{int(-r.left), int(-r.top), int(r.right), int(r.bottom)};
}

void TWin32Platform::RunModal(TForm& form) {
    auto* peer = dynamic_cast<TWin32Peer*>(form.Peer());
    if (!peer || !peer->Handle()) {
        throw Exception("A modal form needs a window");
    }
    const HWND window = peer->Handle();
    const HWND owner = ::GetWindow(window, GW_OWNER);
    {
        const TDisabledForms others(window);
        if (::GetActiveWindow() != window) {
            ::SetActiveWindow(window);
        }
        while (form.ModalResult() == mrNone && !Application().Terminated() && DispatchOne(true)) {
        }
    }
    // Back to the window it came from, while this one is still shown: the system would
    // otherwise activate whatever window comes next when it hides.
    if (owner && ::IsWindowEnabled(owner)) {
        ::SetActiveWindow(owner);
    }
}

void TWin32Platform::RunMessageLoop() {
    while (!Application().Terminated() && DispatchOne(false)) {
    }
    // A quit message still waiting would close the next message box at once.
    MSG quit{};
    ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

void TWin32Platform::QuitMessageLoop() {
    ::PostQuitMessage(0);
}

// ---- Program -----------------------------------------------------------------------------------

void TWin32Platform::ShowErrorBox(const std::string& title, const std::string& message) {
    ::MessageBoxA(::GetActiveWindow(), message.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

std::string TWin32Platform::ExeName() {
    std::string name(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, name.data(), DWORD(name.size()));
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

std::string TWin32Platform::CommandLine() {
    return ::GetCommandLineA();
}
