#include "platform/win32/Windowpeer.h"

#include "platform/win32/Gdicanvas.h"
#include "platform/win32/Win32menus.h"
#include "platform/win32/Win32platform.h"

#include "toolkit/Forms.h"
#include "toolkit/Sysutils.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

// The peer of each window the platform made, from its creation to its WM_NCDESTROY. Kept in
// the program rather than as a window property: every message looks its peer up, and Wine
// answers a property from its server, some tens of microseconds a message (seconds for a
// listing of 20,000 entries). Windows live on the one thread of the loop.
std::unordered_map<HWND, TWin32Peer*>& Peers() {
    static std::unordered_map<HWND, TWin32Peer*> peers;
    return peers;
}

TShiftState KeyShift() {
    TShiftState shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0) {
        shift |= ssShift;
    }
    if (::GetKeyState(VK_CONTROL) < 0) {
        shift |= ssCtrl;
    }
    if (::GetKeyState(VK_MENU) < 0) {
        shift |= ssAlt;
    }
    return shift;
}

TShiftState MouseShift(WPARAM wParam) {
    TShiftState shift = 0;
    if (wParam & MK_SHIFT) {
        shift |= ssShift;
    }
    if (wParam & MK_CONTROL) {
        shift |= ssCtrl;
    }
    if (::GetKeyState(VK_MENU) < 0) {
        shift |= ssAlt;
    }
    if (wParam & MK_LBUTTON) {
        shift |= ssLeft;
    }
    if (wParam & MK_RBUTTON) {
        shift |= ssRight;
    }
    if (wParam & MK_MBUTTON) {
        shift |= ssMiddle;
    }
    return shift;
}

int MouseX(LPARAM lParam) {
    return int(short(LOWORD(lParam)));
}
int MouseY(LPARAM lParam) {
    return int(short(HIWORD(lParam)));
}

// The button of a WM_?BUTTONDOWN or WM_?BUTTONUP message.
TMouseButton MouseButton(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return mbLeft;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return mbRight;
    default:
        return mbMiddle;
    }
}

bool IsMouseMessage(UINT message) {
    return message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK;
}

// Input for a control whose form is going away is not the user's: windows being destroyed move
// the focus about.
bool Dying(TWinControl& control) {
    if (control.Destroying()) {
        return true;
    }
    TForm* form = control.ParentForm();
    return form && form->Destroying();
}

} // namespace

LPCSTR CursorResource(TCursor cursor) {
    switch (cursor) {
    case crArrow:
        return IDC_ARROW;
    case crIBeam:
        return IDC_IBEAM;
    case crHourGlass:
        return IDC_WAIT;
    case crHandPoint:
        return IDC_HAND;
    default:
        return nullptr;
    }
}

// ---- Creation and destruction ------------------------------------------------------------------

TWin32Peer::TWin32Peer(TWin32Platform& host, TWinControl& control, TUninitialised)
    : Host(host), Owner(control) {}

TWin32Peer::TWin32Peer(TWin32Platform& host, TWinControl& control)
    : TWin32Peer(host, control, TUninitialised{}) {
    CreateChildHandle(ControlClassName, 0, WS_CLIPCHILDREN);
}

TWin32Peer::~TWin32Peer() {
    DestroyHandle();
    if (Alive) {
        *Alive = false;
    }
}

void TWin32Peer::CreateHandle(const char* className, DWORD exStyle, DWORD style, HWND parent,
                              const TRect& bounds) {
    const bool own =
        std::string(className) == ControlClassName || std::string(className) == FormClassName;
    // The platform's own windows learn their peer from the creation parameters, in WM_NCCREATE.
    const HWND window = ::CreateWindowExA(
        exStyle, className, Owner.Text().c_str(), style, bounds.Left, bounds.Top, bounds.Width(),
        bounds.Height() + DropDownHeight, parent, nullptr, Host.Instance(), own ? this : nullptr);
    if (!window) {
        throw Exception("Cannot create the window of " +
                        (Owner.Name().empty() ? std::string("a control") : Owner.Name()));
    }
    if (!own) {
        Window = window;
        Peers()[window] = this;
        NativeProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWin32Peer::WindowProcedure)));
    }
}

void TWin32Peer::CreateChildHandle(const char* className, DWORD exStyle, DWORD style) {
    TWinControl* parent = Owner.Parent();
    auto* parentPeer = parent ? dynamic_cast<TWin32Peer*>(parent->Peer()) : nullptr;
    if (!parentPeer || !parentPeer->Window) {
        throw Exception("The parent of " + Owner.Name() + " has no window");
    }
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (Owner.Visible()) {
        style |= WS_VISIBLE;
    }
    if (!Owner.Enabled()) {
        style |= WS_DISABLED;
    }
    CreateHandle(className, exStyle, style, parentPeer->Window, Owner.BoundsRect());
    ApplyZOrder();
    SyncHints();
}

void TWin32Peer::DestroyHandle() {
    if (!Window) {
        return;
    }
    RemoveHints();
    Destroying = true;
    ::DestroyWindow(Window);
    Window = nullptr;
    Destroying = false;
    NativeProc = nullptr;
    TrackingLeave = false;
}

TWin32Peer* TWin32Peer::FromHandle(HWND window) {
    const auto found = Peers().find(window);
    return found != Peers().end() ? found->second : nullptr;
}

// ---- The window procedure ----------------------------------------------------------------------

LRESULT CALLBACK TWin32Peer::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (auto* peer = static_cast<TWin32Peer*>(create->lpCreateParams)) {
            peer->Window = window;
            Peers()[window] = peer;
        }
    }
    TWin32Peer* peer = FromHandle(window);
    if (!peer) {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        return peer->LastMessage(message, wParam, lParam);
    }
    if (peer->Destroying || Dying(peer->Owner)) {
        return peer->DefaultProc(message, wParam, lParam);
    }
    return peer->GuardedWindowProc(message, wParam, lParam);
}

LRESULT TWin32Peer::LastMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultProc(message, wParam, lParam);
    Peers().erase(Window);
    if (NativeProc) {
        ::SetWindowLongPtrA(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NativeProc));
    }
    Window = nullptr;
    NativeProc = nullptr;
    return result;
}

LRESULT TWin32Peer::GuardedWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A handler may destroy the control, and the peer with it; alive then turns false, here
    // and in every call of this procedure for the peer further out.
    bool alive = true;
    bool* const outer = Alive;
    Alive = &alive;
    LRESULT result = 0;
    try {
        if (IsMouseMessage(message)) {
            RelayToTooltip(message, wParam, lParam);
        }
        result = WindowProc(message, wParam, lParam);
        if (alive && IsMouseMessage(message)) {
            SyncHints();
        }
    } catch (...) {
        Application().HandleException();
    }
    if (alive) {
        Alive = outer;
    } else if (outer) {
        *outer = false;
    }
    return result;
}

LRESULT TWin32Peer::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (NativeProc) {
        return ::CallWindowProcA(NativeProc, Window, message, wParam, lParam);
    }
    return ::DefWindowProcA(Window, message, wParam, lParam);
}

LRESULT TWin32Peer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Owner-drawn menu items come first: their hwndItem is a menu, not a child to reflect to.
    // Each kind of message has its handler; what none of them answers gets the system's
    // handling.
    if (LRESULT result = 0; Win32MenuMessage(message, wParam, lParam, result) ||
                            PaintMessage(message, result) ||
                            MouseButtonMessage(message, wParam, lParam, result) ||
                            PointerMessage(message, wParam, lParam, result) ||
                            KeyMessage(message, wParam, lParam, result) ||
                            CharMessage(message, wParam, lParam, result) ||
                            ReflectToChild(message, wParam, lParam, result)) {
        return result;
    }
    return DefaultProc(message, wParam, lParam);
}

bool TWin32Peer::PaintMessage(UINT message, LRESULT& result) {
    // A system control paints itself.
    if (NativeInput()) {
        return false;
    }
    switch (message) {
    case WM_PAINT:
        PaintWindow();
        result = 0;
        return true;
    case WM_ERASEBKGND:
        // The paint fills the background itself.
        result = 1;
        return true;
    default:
        return false;
    }
}

bool TWin32Peer::MouseButtonMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // The system control does its part (marks, caret, focus) before the control hears of it.
        result = DefaultProc(message, wParam, lParam);
        if (!NativeInput()) {
            ::SetCapture(Window);
        }
        Owner.WindowMouseDown(MouseButton(message), MouseShift(wParam), MouseX(lParam),
                              MouseY(lParam));
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        result = DefaultProc(message, wParam, lParam);
        if (!NativeInput() && ::GetCapture() == Window) {
            ::ReleaseCapture();
        }
        Owner.WindowMouseUp(MouseButton(message), MouseShift(wParam), MouseX(lParam),
                            MouseY(lParam));
        return true;
    case WM_LBUTTONDBLCLK:
        result = DefaultProc(message, wParam, lParam);
        if (!NativeInput()) {
            ::SetCapture(Window);
        }
        Owner.WindowDoubleClick(MouseShift(wParam), MouseX(lParam), MouseY(lParam));
        return true;
    default:
        return false;
    }
}

bool TWin32Peer::PointerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == Window && LOWORD(lParam) == HTCLIENT &&
            SetCursorShape()) {
            result = TRUE;
            return true;
        }
        return false;
    case WM_MOUSEMOVE:
        result = DefaultProc(message, wParam, lParam);
        if (!TrackingLeave) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Window, 0};
            TrackingLeave = ::TrackMouseEvent(&track) != FALSE;
        }
        Owner.WindowMouseMove(MouseShift(wParam), MouseX(lParam), MouseY(lParam));
        return true;
    case WM_MOUSELEAVE:
        TrackingLeave = false;
        result = DefaultProc(message, wParam, lParam);
        Owner.WindowMouseLeave();
        return true;
    default:
        return false;
    }
}

bool TWin32Peer::KeyMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const bool* const alive = Alive;
    switch (message) {
    case WM_SETFOCUS:
        result = DefaultProc(message, wParam, lParam);
        Owner.WindowFocused();
        return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        std::uint16_t key = std::uint16_t(wParam);
        const TShiftState shift = KeyShift();
        result = 0;
        if (TForm* form = Owner.ParentForm(); form && form->DialogKey(key, shift)) {
            return true;
        }
        if (!*alive) {
            return true;
        }
        Owner.KeyDown(key, shift);
        if (*alive && key != 0) {
            result = DefaultProc(message, key, lParam);
        }
        return true;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        std::uint16_t key = std::uint16_t(wParam);
        Owner.KeyUp(key, KeyShift());
        result = 0;
        if (*alive && key != 0) {
            result = DefaultProc(message, key, lParam);
        }
        return true;
    }
    default:
        return false;
    }
}

bool TWin32Peer::CharMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const bool* const alive = Alive;
    result = 0;
    switch (message) {
    case WM_CHAR: {
        const TShiftState shift = KeyShift();
        // The form moved the focus on the key; its character is spent.
        if (wParam == '\t' && !(shift & (ssAlt | ssCtrl)) && Owner.ParentForm()) {
            return true;
        }
        char key = char(wParam);
        Owner.KeyPress(key);
        if (!*alive || key == 0) {
            return true;
        }
        // A character the control does not take as text may be an accelerator of the form.
        if (!Owner.WantsChars()) {
            if (TForm* form = Owner.ParentForm(); form && form->DialogChar(key, shift)) {
                return true;
            }
            if (!*alive) {
                return true;
            }
        }
        result = DefaultProc(message, WPARAM(static_cast<unsigned char>(key)), lParam);
        return true;
    }
    case WM_SYSCHAR: {
        // Alt and a letter: an accelerator of the form, whatever has the focus.
        if (TForm* form = Owner.ParentForm();
            form && form->DialogChar(char(wParam), TShiftState(KeyShift() | ssAlt))) {
            return true;
        }
        // Otherwise the system's handling, while the control is still there.
        return !*alive;
    }
    default:
        return false;
    }
}

bool TWin32Peer::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = nullptr;
    switch (message) {
    case WM_NOTIFY:
        child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
        break;
    case WM_DRAWITEM:
        child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
        break;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        child = reinterpret_cast<HWND>(lParam);
        break;
    default:
        return false;
    }
    TWin32Peer* peer = child != Window ? FromHandle(child) : nullptr;
    return peer && peer->Reflected(message, wParam, lParam, result);
}

bool TWin32Peer::Reflected(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                           LRESULT& /*result*/) {
    return false;
}

void TWin32Peer::PaintWindow() {
    TPaintDC paint(Window);
    const RECT& area = paint.Area();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    // Painted off the screen and copied in one go: the background, the gradients and the
    // controls on them would otherwise show one after the other.
    TMemoryDC memory;
    TGdiObject bitmap(::CreateCompatibleBitmap(paint.Handle(), width, height));
    if (!memory.Handle() || !bitmap) {
        TGdiCanvas canvas(paint.Handle(), Host.GradientFill());
        Owner.PaintWindow(canvas);
        return;
    }
    TSelection selected(memory.Handle(), bitmap.Handle());
    ::SetWindowOrgEx(memory.Handle(), area.left, area.top, nullptr);
    {
        TGdiCanvas canvas(memory.Handle(), Host.GradientFill());
        canvas.IntersectClipRect(TRect{area.left, area.top, area.right, area.bottom});
        Owner.PaintWindow(canvas);
    }
    ::BitBlt(paint.Handle(), area.left, area.top, width, height, memory.Handle(), area.left,
             area.top, SRCCOPY);
}

bool TWin32Peer::SetCursorShape() {
    POINT p{};
    ::GetCursorPos(&p);
    ::ScreenToClient(Window, &p);
    TControl* target = Owner.WindowlessControlAt({int(p.x), int(p.y)}, true);
    if (!target) {
        target = &Owner;
    }
    // The screen's cursor (the busy one while the program works) shows over every window.
    const TCursor screenCursor = Host.ScreenCursor();
    LPCSTR shape = CursorResource(screenCursor != crDefault ? screenCursor : target->Cursor());
    // A system control keeps its own pointer (the edit's I-beam); the others show the arrow.
    if (!shape && NativeInput()) {
        return false;
    }
    ::SetCursor(::LoadCursorA(nullptr, shape ? shape : IDC_ARROW));
    return true;
}

// ---- Changes from the control ------------------------------------------------------------------

void TWin32Peer::Changed(TPeerChange change) {
    if (!Window) {
        return;
    }
    switch (change) {
    case TPeerChange::Bounds:
        ApplyBounds();
        SyncHints();
        break;
    case TPeerChange::Visible:
        ::ShowWindow(Window, Owner.Visible() ? SW_SHOWNA : SW_HIDE);
        break;
    case TPeerChange::Enabled:
        ::EnableWindow(Window, Owner.Enabled());
        break;
    case TPeerChange::Font:
        if (NativeInput()) {
            ApplyFont();
        }
        break;
    case TPeerChange::Color:
        ::InvalidateRect(Window, nullptr, TRUE);
        break;
    case TPeerChange::Hint:
        SyncHints();
        break;
    case TPeerChange::ZOrder:
        ApplyZOrder();
        break;
    default:
        // Self-drawn controls paint their text and state; the cursor is read at WM_SETCURSOR.
        break;
    }
}

void TWin32Peer::Invalidate(const TRect& r) {
    if (!Window) {
        return;
    }
    const RECT rc = NativeRect(r);
    ::InvalidateRect(Window, &rc, FALSE);
}

void TWin32Peer::Update() {
    if (Window) {
        ::UpdateWindow(Window);
    }
}

void TWin32Peer::SetFocus() {
    if (Window && ::GetFocus() != Window) {
        ::SetFocus(Window);
    }
}

void TWin32Peer::ApplyBounds() {
    ::SetWindowPos(Window, nullptr, Owner.Left(), Owner.Top(), Owner.Width(),
                   Owner.Height() + DropDownHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWin32Peer::ApplyZOrder() {
    TWinControl* parent = Owner.Parent();
    if (!parent || !Window) {
        return;
    }
    // Directly beneath the nearest windowed sibling above it that has a window; on top when
    // there is none.
    HWND above = HWND_TOP;
    for (int i = parent->ControlCount() - 1; i >= 0; --i) {
        TControl* sibling = parent->Controls(i);
        if (sibling == &Owner) {
            break;
        }
        auto* window = dynamic_cast<TWinControl*>(sibling);
        auto* peer = window ? dynamic_cast<TWin32Peer*>(window->Peer()) : nullptr;
        if (peer && peer->Window) {
            above = peer->Window;
        }
    }
    ::SetWindowPos(Window, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWin32Peer::ApplyFont() {
    TGdiObject font = CreateGdiFont(Owner.Font());
    ::SendMessageA(Window, WM_SETFONT, reinterpret_cast<WPARAM>(font.Handle()), TRUE);
    // The old font goes only once the window uses the new one.
    FontHandle = std::move(font);
}

LRESULT TWin32Peer::ControlColors(HDC dc) {
    const TColor color = ColorToRGB(Owner.Color());
    if (!BackgroundBrush || color != BackgroundColor) {
        BackgroundBrush = TGdiObject(::CreateSolidBrush(color));
        BackgroundColor = color;
    }
    ::SetTextColor(dc, ColorToRGB(Owner.Enabled() ? Owner.Font().Color : clGrayText));
    ::SetBkColor(dc, color);
    return reinterpret_cast<LRESULT>(BackgroundBrush.Handle());
}

std::string TWin32Peer::WindowText() const {
    std::string text(std::size_t(::GetWindowTextLengthA(Window)) + 1, '\0');
    text.resize(std::size_t(::GetWindowTextA(Window, text.data(), int(text.size()))));
    return text;
}

// ---- Hints -------------------------------------------------------------------------------------

HWND TWin32Peer::TooltipWindow() const {
    if (HWND own = OwnTooltip()) {
        return own;
    }
    TForm* form = Owner.ParentForm();
    auto* formPeer = form ? dynamic_cast<TWin32Peer*>(form->Peer()) : nullptr;
    return formPeer ? formPeer->OwnTooltip() : nullptr;
}

void TWin32Peer::SendTool(HWND tooltip, UINT message, const THintTool& tool) const {
    TOOLINFOA info{};
    // The size every version of the common controls takes.
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = tool.IsWindow ? TTF_IDISHWND : 0;
    info.hwnd = Window;
    info.uId = tool.Id;
    info.rect = NativeRect(tool.Rect);
    info.lpszText = const_cast<char*>(tool.Text.c_str());
    ::SendMessageA(tooltip, message, 0, reinterpret_cast<LPARAM>(&info));
}

void TWin32Peer::SyncHints() {
    HWND tooltip = TooltipWindow();
    if (!tooltip || !Window) {
        return;
    }
    auto shows = [](const TControl& control) {
        return control.ShowHint() && !control.Hint().empty();
    };
    std::vector<THintTool> wanted;
    for (int i = 0; i < Owner.ControlCount(); ++i) {
        TControl* child = Owner.Controls(i);
        if (dynamic_cast<TWinControl*>(child) || !child->Visible() || !shows(*child)) {
            continue;
        }
        wanted.push_back(
            {reinterpret_cast<UINT_PTR>(child), false, child->BoundsRect(), child->Hint()});
    }
    // Window tools come after the rectangles of the children, which the tooltip looks at first.
    if (shows(Owner)) {
        wanted.push_back(
            {reinterpret_cast<UINT_PTR>(Window), true, Owner.ClientRect(), Owner.Hint()});
    }

    for (const THintTool& tool : Tools) {
        const bool kept = std::any_of(wanted.begin(), wanted.end(),
                                      [&](const THintTool& w) { return w.Id == tool.Id; });
        if (!kept) {
            SendTool(tooltip, TTM_DELTOOLA, tool);
        }
    }
    for (const THintTool& tool : wanted) {
        const auto old = std::find_if(Tools.begin(), Tools.end(),
                                      [&](const THintTool& t) { return t.Id == tool.Id; });
        if (old == Tools.end()) {
            SendTool(tooltip, TTM_ADDTOOLA, tool);
            continue;
        }
        if (!tool.IsWindow && !(old->Rect == tool.Rect)) {
            SendTool(tooltip, TTM_NEWTOOLRECTA, tool);
        }
        if (old->Text != tool.Text) {
            SendTool(tooltip, TTM_UPDATETIPTEXTA, tool);
        }
    }
    Tools = std::move(wanted);
}

void TWin32Peer::RemoveHints() {
    HWND tooltip = TooltipWindow();
    if (tooltip && ::IsWindow(tooltip)) {
        for (const THintTool& tool : Tools) {
            SendTool(tooltip, TTM_DELTOOLA, tool);
        }
    }
    Tools.clear();
}

void TWin32Peer::RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
    // Also from windows without tools: the tooltip then learns that the pointer left its tool.
    HWND tooltip = TooltipWindow();
    if (!tooltip) {
        return;
    }
    MSG relayed{};
    relayed.hwnd = Window;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    relayed.time = DWORD(::GetMessageTime());
    ::GetCursorPos(&relayed.pt);
    ::SendMessageA(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}
