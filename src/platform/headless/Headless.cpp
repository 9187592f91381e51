#include "platform/headless/Headless.h"

#include "platform/headless/Softbitmap.h"
#include "platform/headless/Syscolors.h"
#include "platform/headless/Sysicons.h"

#include <algorithm>

namespace {

TShiftState ButtonState(TMouseButton button) {
    switch (button) {
    case mbRight:
        return ssRight;
    case mbMiddle:
        return ssMiddle;
    default:
        return ssLeft;
    }
}

// The character a key types, or 0.
char KeyChar(std::uint16_t key, TShiftState shift) {
    if (shift & ssCtrl) {
        return 0;
    }
    if (key >= 'A' && key <= 'Z') {
        return shift & ssShift ? char(key) : char(key - 'A' + 'a');
    }
    if (key >= '0' && key <= '9') {
        return char(key);
    }
    switch (key) {
    case vkSpace:
        return ' ';
    case vkReturn:
        return '\r';
    case vkEscape:
        return 27;
    case vkBack:
        return 8;
    default:
        return 0;
    }
}

TControl* FindControl(TWinControl& parent, const std::string& name) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        if (control->Name() == name) {
            return control;
        }
        if (auto* window = dynamic_cast<TWinControl*>(control)) {
            if (TControl* found = FindControl(*window, name)) {
                return found;
            }
        }
    }
    return nullptr;
}

void RecordControls(TWinControl& parent, TPoint offset, std::vector<TShownControl>& controls) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        TRect bounds = control->BoundsRect();
        OffsetRect(bounds, offset.X, offset.Y);
        controls.push_back(
            {control->Name(), control->Caption(), parent.Name(), bounds, control->Visible()});
        if (auto* window = dynamic_cast<TWinControl*>(control)) {
            RecordControls(*window, {bounds.Left, bounds.Top}, controls);
        }
    }
}

// One message as the loop delivers it: an exception out of a handler goes to the error box.
void Deliver(const std::function<void()>& message) {
    Application().RunGuarded(message);
}

} // namespace

// ---- Script and records ------------------------------------------------------------------------

TModalAnswer TModalAnswer::ClickControl(const std::string& name) {
    TModalAnswer answer;
    answer.Kind = TKind::Click;
    answer.ControlName = name;
    return answer;
}

TModalAnswer TModalAnswer::PressKey(std::uint16_t key, TShiftState shift) {
    TModalAnswer answer;
    answer.Kind = TKind::Key;
    answer.Key = key;
    answer.Shift = shift;
    return answer;
}

TModalAnswer TModalAnswer::CloseWindow() {
    return TModalAnswer{};
}

const TShownControl* TShownDialog::Find(const std::string& name) const {
    for (const TShownControl& control : Controls) {
        if (control.Name == name) {
            return &control;
        }
    }
    return nullptr;
}

// ---- THeadlessPeer -----------------------------------------------------------------------------

THeadlessPeer::THeadlessPeer(THeadlessPlatform& platform, TWinControl& control)
    : Control(control), Owner(&platform) {
    platform.Peers.insert(this);
}

THeadlessPeer::~THeadlessPeer() {
    if (Owner) {
        Owner->PeerGone(this);
    }
}

// ---- THeadlessPlatform -------------------------------------------------------------------------

THeadlessPlatform::THeadlessPlatform() = default;

THeadlessPlatform::~THeadlessPlatform() {
    // Controls may outlive the platform; their peers then have no one left to tell.
    for (THeadlessPeer* peer : Peers) {
        peer->Owner = nullptr;
    }
}

void THeadlessPlatform::PeerGone(THeadlessPeer* peer) {
    Peers.erase(peer);
    if (HoverWindow == &peer->Control) {
        HoverWindow = nullptr;
    }
}

THeadlessPeer* THeadlessPlatform::PeerOf(const TWinControl& control) {
    return dynamic_cast<THeadlessPeer*>(control.Peer());
}

void THeadlessPlatform::AddBitmapResource(const std::string& name, const TBitmap& bitmap) {
    Resources[name] = bitmap;
}

void THeadlessPlatform::ClearRecords() {
    BeepLog.clear();
    ErrorLog.clear();
    DialogLog.clear();
    JournalLog.clear();
    MenuLog.clear();
    RebuildLog.clear();
    MenuBarLog.clear();
}

TColor THeadlessPlatform::SysColor(int index) {
    const auto found = ColorOverrides.find(index);
    return found != ColorOverrides.end() ? found->second : ClassicSysColor(index);
}

std::unique_ptr<TBitmapImage> THeadlessPlatform::CreateBitmapImage(int width, int height) {
    return std::make_unique<TSoftBitmapImage>(width, height);
}

TBitmap THeadlessPlatform::SystemIcon(TSystemIcon icon) {
    return ClassicSystemIcon(icon);
}

bool THeadlessPlatform::LoadBitmapResource(const std::string& name, TBitmap& bitmap) {
    const auto found = Resources.find(name);
    if (found == Resources.end()) {
        return false;
    }
    bitmap = found->second;
    return true;
}

void THeadlessPlatform::MessageBeep(TSoundType type) {
    BeepLog.push_back(type);
    JournalLog.push_back("Beep " + std::to_string(type));
}

std::unique_ptr<TWindowPeer> THeadlessPlatform::CreatePeer(TWinControl& control) {
    return std::make_unique<THeadlessPeer>(*this, control);
}

TRect THeadlessPlatform::FrameInsets(const TForm& form) {
    switch (form.BorderStyle()) {
    case bsNone:
        return {};
    case bsSizeable:
        return {4, 4 + 19, 4, 4};
    default:
        return {3, 3 + 19, 3, 3};
    }
}

void THeadlessPlatform::ShowErrorBox(const std::string& title, const std::string& message) {
    ErrorLog.push_back({title, message});
    JournalLog.push_back("Error " + message);
}

// ---- Loops

void THeadlessPlatform::RunModal(TForm& form) {
    Deliver([&form] { form.Activate(); });
    Record(form);
    const std::size_t record = DialogLog.size() - 1;
    while (form.ModalResult() == mrNone) {
        if (Answers.empty()) {
            throw THeadlessScriptError("no answer queued for the modal form \"" + form.Caption() +
                                       "\"");
        }
        const TModalAnswer answer = Answers.front();
        Answers.pop_front();
        Apply(form, answer);
    }
    DialogLog[record].Result = form.ModalResult();
    Deliver([&form] { form.Deactivate(); });
}

void THeadlessPlatform::Record(TForm& form) {
    TShownDialog shown;
    shown.Caption = form.Caption();
    shown.Bounds = form.BoundsRect();
    shown.ClientWidth = form.ClientWidth();
    shown.ClientHeight = form.ClientHeight();
    shown.Position = form.Position();
    shown.BorderStyle = form.BorderStyle();
    shown.BorderIcons = form.BorderIcons();
    shown.FormStyle = form.FormStyle();
    shown.Color = form.Color();
    shown.Cursor = ScreenCursorValue;
    RecordControls(form, {}, shown.Controls);
    const int width = std::max(shown.ClientWidth, 0);
    const int height = std::max(shown.ClientHeight, 0);
    TBitmap& picture = KeepDialogPictures ? shown.Image : PaintedDialog;
    if (KeepDialogPictures) {
        picture.SetSize(width, height);
    } else {
        // Only grows: a form paints its client area and nothing beyond it.
        picture.SetSize(std::max(picture.Width(), width), std::max(picture.Height(), height));
    }
    if (width > 0 && height > 0) {
        Deliver([&] { form.PaintTo(picture.Canvas(), 0, 0); });
    }
    JournalLog.push_back("Dialog " + shown.Caption);
    DialogLog.push_back(std::move(shown));
}

void THeadlessPlatform::Apply(TForm& form, const TModalAnswer& answer) {
    switch (answer.Kind) {
    case TModalAnswer::TKind::Click: {
        TControl* control = FindControl(form, answer.ControlName);
        if (!control) {
            throw THeadlessScriptError("the modal form \"" + form.Caption() +
                                       "\" has no control named \"" + answer.ControlName + "\"");
        }
        UserClick(*control, answer.Shift);
        break;
    }
    case TModalAnswer::TKind::Key:
        UserPressKey(form, answer.Key, answer.Shift);
        break;
    case TModalAnswer::TKind::Close:
        Deliver([&form] { form.Close(); });
        break;
    }
}

void THeadlessPlatform::RunMessageLoop() {
    // The main form becomes the focused window when it is first shown.
    if (TForm* main = Application().MainForm(); main && main->Visible()) {
        Deliver([main] { main->Activate(); });
    }
    while (!Application().Terminated() && !LoopActions.empty()) {
        const std::function<void()> action = std::move(LoopActions.front());
        LoopActions.pop_front();
        action();
    }
}

// ---- The user's input

TWinControl& THeadlessPlatform::InputWindow(TControl& control, TPoint& p) {
    if (!control.Showing()) {
        throw THeadlessScriptError("the control \"" + control.Name() + "\" is not showing");
    }
    if (auto* window = dynamic_cast<TWinControl*>(&control)) {
        return *window;
    }
    TWinControl* parent = control.Parent();
    if (!parent) {
        throw THeadlessScriptError("the control \"" + control.Name() + "\" has no parent");
    }
    p.X += control.Left();
    p.Y += control.Top();
    return *parent;
}

TPoint THeadlessPlatform::ClientToScreen(const TWinControl& window, TPoint p) {
    const TControl* control = &window;
    for (; control->Parent(); control = control->Parent()) {
        p.X += control->Left();
        p.Y += control->Top();
    }
    if (auto* form = dynamic_cast<const TForm*>(control)) {
        const TRect frame = FrameInsets(*form);
        p.X += form->Left() + frame.Left;
        p.Y += form->Top() + frame.Top;
    }
    return p;
}

void THeadlessPlatform::MoveTo(TWinControl& window, TPoint p, TShiftState shift) {
    if (HoverWindow != &window) {
        UserMouseLeave();
        // Windows without a peer are never remembered: nothing would say they are gone.
        if (window.Peer()) {
            HoverWindow = &window;
        }
    }
    CursorValue = ClientToScreen(window, p);
    Deliver([&] { window.WindowMouseMove(shift, p.X, p.Y); });
}

void THeadlessPlatform::UserMouseLeave() {
    TWinControl* old = HoverWindow;
    HoverWindow = nullptr;
    if (old) {
        Deliver([old] { old->WindowMouseLeave(); });
    }
}

void THeadlessPlatform::UserMouseMove(TControl& control, int x, int y, TShiftState shift) {
    TPoint p{x, y};
    TWinControl& window = InputWindow(control, p);
    MoveTo(window, p, shift);
}

void THeadlessPlatform::UserMouseDown(TControl& control, TMouseButton button, int x, int y,
                                      TShiftState shift) {
    TPoint p{x, y};
    TWinControl& window = InputWindow(control, p);
    MoveTo(window, p, shift);
    Deliver([&] {
        window.WindowMouseDown(button, TShiftState(shift | ButtonState(button)), p.X, p.Y);
    });
}

void THeadlessPlatform::UserMouseUp(TControl& control, TMouseButton button, int x, int y,
                                    TShiftState shift) {
    TPoint p{x, y};
    TWinControl& window = InputWindow(control, p);
    Deliver([&] { window.WindowMouseUp(button, shift, p.X, p.Y); });
}

void THeadlessPlatform::UserDropFiles(TForm& form, const std::vector<std::string>& paths) {
    Deliver([&] { form.WindowDropFiles(paths); });
}

void THeadlessPlatform::SetScreenCursor(int cursor) {
    ScreenCursorValue = cursor;
    CursorLog.push_back(cursor);
}

void THeadlessPlatform::UserClickAt(TControl& control, int x, int y, TShiftState shift) {
    UserMouseDown(control, mbLeft, x, y, shift);
    UserMouseUp(control, mbLeft, x, y, shift);
}

void THeadlessPlatform::UserClick(TControl& control, TShiftState shift) {
    UserClickAt(control, control.ClientWidth() / 2, control.ClientHeight() / 2, shift);
}

void THeadlessPlatform::UserDoubleClickAt(TControl& control, int x, int y, TShiftState shift) {
    UserClickAt(control, x, y, shift);
    TPoint p{x, y};
    TWinControl& window = InputWindow(control, p);
    Deliver([&] { window.WindowDoubleClick(TShiftState(shift | ssLeft), p.X, p.Y); });
    UserMouseUp(control, mbLeft, x, y, shift);
}

void THeadlessPlatform::UserPressKey(TForm& form, std::uint16_t key, TShiftState shift) {
    if (!form.Visible()) {
        throw THeadlessScriptError("the form \"" + form.Caption() + "\" is not showing");
    }
    // Each message goes to the control that has the focus when it arrives.
    auto focus = [&form]() -> TWinControl& {
        return form.ActiveControl() ? *form.ActiveControl() : form;
    };
    bool taken = false;
    Deliver([&] { taken = form.DialogKey(key, shift); });
    if (taken) {
        return;
    }
    std::uint16_t down = key;
    Deliver([&] { focus().KeyDown(down, shift); });
    char typed = down != 0 ? KeyChar(key, shift) : 0;
    if (typed != 0) {
        Deliver([&] {
            if (shift & ssAlt) {
                form.DialogChar(typed, shift);
                return;
            }
            TWinControl& target = focus();
            target.KeyPress(typed);
            if (typed != 0 && !target.WantsChars()) {
                form.DialogChar(typed, shift);
            }
        });
    }
    std::uint16_t up = key;
    Deliver([&] { focus().KeyUp(up, shift); });
}
