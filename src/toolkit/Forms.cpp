#include "toolkit/Forms.h"

#include "toolkit/Sysutils.h"

#include <cstdio>
#include <exception>
#include <vector>

// ---- TForm -------------------------------------------------------------------------------------

TForm::TForm(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    SetParentFont(false);
    SetParentColor(false);
    SetBounds(0, 0, 320, 240);
}

void TForm::SetBorderStyle(TFormBorderStyle borderStyle) {
    if (borderStyle == BorderStyleValue) {
        return;
    }
    const int width = ClientWidth();
    const int height = ClientHeight();
    BorderStyleValue = borderStyle;
    SetClientSize(width, height);
    PeerChanged(TPeerChange::Style);
}

void TForm::SetBorderIcons(TBorderIcons borderIcons) {
    if (borderIcons == BorderIconsValue) {
        return;
    }
    const int width = ClientWidth();
    const int height = ClientHeight();
    BorderIconsValue = borderIcons;
    SetClientSize(width, height);
    PeerChanged(TPeerChange::Style);
}

void TForm::SetFormStyle(TFormStyle formStyle) {
    if (formStyle == FormStyleValue) {
        return;
    }
    FormStyleValue = formStyle;
    PeerChanged(TPeerChange::Style);
}

int TForm::ClientWidth() const {
    const TRect frame = Platform().FrameInsets(*this);
    return Width() - frame.Left - frame.Right;
}

int TForm::ClientHeight() const {
    const TRect frame = Platform().FrameInsets(*this);
    return Height() - frame.Top - frame.Bottom;
}

void TForm::SetClientSize(int width, int height) {
    const TRect frame = Platform().FrameInsets(*this);
    SetBounds(Left(), Top(), width + frame.Left + frame.Right, height + frame.Top + frame.Bottom);
}

void TForm::SetAcceptFiles(bool acceptFiles) {
    if (acceptFiles != IsAcceptingFiles) {
        IsAcceptingFiles = acceptFiles;
        PeerChanged(TPeerChange::AcceptFiles);
    }
}

void TForm::WindowDropFiles(const std::vector<std::string>& paths) {
    if (IsAcceptingFiles) {
        OnDropFiles(this, paths);
    }
}

TModalResult TForm::ShowModal() {
    if (Visible() || IsModal) {
        throw Exception("Cannot make a visible window modal");
    }
    IsModal = true;
    ModalResultValue = mrNone;
    const TScreenCursor normal(crDefault);
    try {
        Show();
        for (;;) {
            Platform().RunModal(*this);
            if (CloseModal()) {
                break;
            }
            ModalResultValue = mrNone;
        }
    } catch (...) {
        IsModal = false;
        Hide();
        throw;
    }
    IsModal = false;
    Hide();
    return ModalResultValue;
}

bool TForm::CloseQuery() {
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

bool TForm::CloseModal() {
    if (!CloseQuery()) {
        return false;
    }
    TCloseAction action = caHide;
    OnClose(this, action);
    return action != caNone;
}

void TForm::Close() {
    if (IsModal) {
        ModalResultValue = mrCancel;
        return;
    }
    if (!CloseQuery()) {
        return;
    }
    TCloseAction action = caHide;
    OnClose(this, action);
    if (action == caNone) {
        return;
    }
    if (Application().MainForm() == this) {
        Application().Terminate();
    } else {
        Hide();
    }
}

void TForm::Activate() {
    if (IsActive) {
        return;
    }
    IsActive = true;
    OnActivate(this);
}

void TForm::Deactivate() {
    if (!IsActive) {
        return;
    }
    IsActive = false;
    OnDeactivate(this);
}

void TForm::SetActiveControl(TWinControl* control) {
    if (control == ActiveControlValue) {
        return;
    }
    TWinControl* old = ActiveControlValue;
    ActiveControlValue = control;
    if (old) {
        old->DoExit();
    }
    if (control && ActiveControlValue == control) {
        control->DoEnter();
    }
}

void TForm::ControlRemoved(TWinControl* control) {
    for (TControl* c = ActiveControlValue; c; c = c->Parent()) {
        if (c == control) {
            ActiveControlValue = nullptr;
            return;
        }
    }
}

void TForm::CollectTabOrder(const TWinControl* parent, std::vector<TWinControl*>& order) {
    for (TWinControl* control : parent->TabList) {
        order.push_back(control);
        CollectTabOrder(control, order);
    }
}

void TForm::SelectNext(TWinControl* current, bool forward) {
    std::vector<TWinControl*> order;
    CollectTabOrder(this, order);
    const int n = int(order.size());
    int start = forward ? -1 : n;
    for (int i = 0; i < n; ++i) {
        if (order[std::size_t(i)] == current) {
            start = i;
        }
    }
    for (int step = 1; step <= n; ++step) {
        const int i = ((forward ? start + step : start - step) % n + n) % n;
        TWinControl* control = order[std::size_t(i)];
        if (control->TabStop() && control->CanFocus()) {
            control->SetFocus();
            return;
        }
    }
}

bool TForm::DialogKey(std::uint16_t key, TShiftState shift) {
    if (key == vkTab && !(shift & (ssAlt | ssCtrl))) {
        SelectNext(ActiveControlValue, !(shift & ssShift));
        return true;
    }
    return false;
}

void TForm::Loaded() {
    TCustomControl::Loaded();
    OnCreate(this);
}

void TForm::BeforeDestruction() {
    Application().RunGuarded([this] { OnDestroy(this); });
}

void TForm::VisibleChanged() {
    if (Visible()) {
        if (PositionValue != poDesigned) {
            const TSize screen = Platform().ScreenSize();
            SetBounds((screen.cx - Width()) / 2, (screen.cy - Height()) / 2, Width(), Height());
        }
        HandleNeeded();
    }
    TCustomControl::VisibleChanged();
    if (Visible()) {
        OnShow(this);
    } else {
        OnHide(this);
    }
}

// ---- TApplication ------------------------------------------------------------------------------

TApplication& Application() {
    // Never destroyed: forms left at the program's end must not outlive the platform's objects
    // in an order nobody controls. Run frees the forms in good time.
    static TApplication* application = new TApplication;
    return *application;
}

void TApplication::Initialize() {
    IsTerminated = false;
    std::string name = ExtractFileName(ExeName());
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    Title = name;
}

void TApplication::Run() {
    if (MainFormValue) {
        RunGuarded([this] { MainFormValue->Show(); });
    }
    if (!IsTerminated) {
        Platform().RunMessageLoop();
    }
    // The main window is destroyed when the loop ends; its OnDestroy still runs in good order.
    while (ComponentCount() > 0) {
        Free(Components(ComponentCount() - 1));
    }
}

void TApplication::Terminate() {
    IsTerminated = true;
    Platform().QuitMessageLoop();
}

void TApplication::HandleException() {
    std::string message;
    try {
        throw;
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
    }
    try {
        ShowException(message);
    } catch (...) {
        // The error box itself failed (no platform left): the message still goes somewhere.
        std::fprintf(stderr, "%s\n", message.c_str());
    }
}

void TApplication::ShowException(const std::string& message) {
    Platform().ShowErrorBox(Title, message);
}

bool TApplication::RunGuarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (...) {
        HandleException();
        return false;
    }
}

std::string TApplication::ExeName() const {
    return Platform().ExeName();
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == MainFormValue) {
        MainFormValue = nullptr;
    }
    TComponent::Notification(component, operation);
}

// ---- TScreen -----------------------------------------------------------------------------------

int TScreen::Width() const {
    return Platform().ScreenSize().cx;
}
int TScreen::Height() const {
    return Platform().ScreenSize().cy;
}

void TScreen::SetCursor(TCursor cursor) {
    if (cursor == CursorValue) {
        return;
    }
    CursorValue = cursor;
    Platform().SetScreenCursor(cursor);
}

TScreenCursor::TScreenCursor(TCursor cursor) : Previous(Screen().Cursor()) {
    Screen().SetCursor(cursor);
}

TScreenCursor::~TScreenCursor() {
    Screen().SetCursor(Previous);
}

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

// ---- Command line ------------------------------------------------------------------------------

namespace {

std::vector<std::string> SplitCommandLine(const std::string& line) {
    auto blank = [](char c) { return c >= 1 && c <= ' '; };
    const std::size_t end = line.find('\0') == std::string::npos ? line.size() : line.find('\0');
    std::vector<std::string> arguments;
    std::size_t i = 0;
    for (;;) {
        for (;;) {
            while (i < end && blank(line[i])) {
                ++i;
            }
            if (i + 1 < end && line[i] == '"' && line[i + 1] == '"') {
                i += 2;
            } else {
                break;
            }
        }
        if (i >= end) {
            break;
        }
        std::string argument;
        bool quoted = false;
        for (; i < end && (quoted || !blank(line[i])); ++i) {
            if (line[i] == '"') {
                quoted = !quoted;
            } else {
                argument += line[i];
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

} // namespace

std::string ParamStr(int index) {
    if (index == 0) {
        return Platform().ExeName();
    }
    const std::vector<std::string> arguments = SplitCommandLine(Platform().CommandLine());
    if (index < 0 || std::size_t(index) >= arguments.size()) {
        return std::string();
    }
    return arguments[std::size_t(index)];
}

int ParamCount() {
    const std::vector<std::string> arguments = SplitCommandLine(Platform().CommandLine());
    return arguments.empty() ? 0 : int(arguments.size()) - 1;
}
