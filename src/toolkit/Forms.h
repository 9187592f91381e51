#pragma once
// Forms, the application object and the screen.
//
// A form is a top-level window: a frame (from the platform's metrics for its border style)
// around its client area. Its Left, Top, Width and Height are the outer window's on the screen;
// ClientWidth and ClientHeight are what is inside the frame. ShowModal runs the platform's modal
// loop until the form's ModalResult is not mrNone; closing a modal form gives mrCancel.

#include "toolkit/Controls.h"
#include "toolkit/Uitypes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TBorderIcon : std::uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
using TBorderIcons = std::uint8_t; // a set of TBorderIcon bits
enum TPosition { poDesigned, poScreenCenter, poDesktopCenter };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TCloseAction { caNone, caHide };

using TCloseEvent = TEvent<TComponent*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TComponent*, bool&>;
// Files dropped on a form: their full paths, in the order the system gives them.
using TDropFilesEvent = TEvent<TComponent*, const std::vector<std::string>&>;

class TForm : public TCustomControl {
public:
    explicit TForm(TComponent* owner);

    // Changing the border style or icons keeps the client size; the outer size follows.
    TFormBorderStyle BorderStyle() const { return BorderStyleValue; }
    void SetBorderStyle(TFormBorderStyle borderStyle);
    TBorderIcons BorderIcons() const { return BorderIconsValue; }
    void SetBorderIcons(TBorderIcons borderIcons);
    // Where the form goes each time it is shown: poDesigned keeps Left and Top; the centred
    // positions put it at ((screen width - Width) / 2, (screen height - Height) / 2).
    TPosition Position() const { return PositionValue; }
    void SetPosition(TPosition position) { PositionValue = position; }
    TFormStyle FormStyle() const { return FormStyleValue; }
    void SetFormStyle(TFormStyle formStyle);

    int ClientWidth() const override;
    int ClientHeight() const override;

    TModalResult ModalResult() const { return ModalResultValue; }
    void SetModalResult(TModalResult modalResult) { ModalResultValue = modalResult; }
    bool Modal() const { return IsModal; }
    // Shows the form and runs the modal loop until ModalResult is not 0 and the form agrees to
    // close (OnCloseQuery, OnClose); hides it again and returns the result.
    TModalResult ShowModal();
    // For a modal form: ModalResult mrCancel. Otherwise OnCloseQuery and OnClose decide; the main
    // form's close terminates the application, any other form hides.
    void Close();

    // The platform's news that the form became, or stopped being, the active window.
    void Activate();
    void Deactivate();
    bool Active() const { return IsActive; }

    // The control with the keyboard focus on this form, or nullptr.
    TWinControl* ActiveControl() const { return ActiveControlValue; }
    // Moves the focus (OnExit of the old control, OnEnter of the new one).
    void SetActiveControl(TWinControl* control);
    // Whether files dragged from the shell may be dropped on the form; they reach OnDropFiles.
    bool AcceptFiles() const { return IsAcceptingFiles; }
    void SetAcceptFiles(bool acceptFiles);
    // The platform's news of files dropped on the form.
    void WindowDropFiles(const std::vector<std::string>& paths);

    // Keys of the form itself: Tab and Shift+Tab move the focus along the tab order. True when
    // the key was taken.
    bool DialogKey(std::uint16_t key, TShiftState shift);
    // Focuses the control after (or before) current in the tab order that has TabStop and can
    // take the focus.
    void SelectNext(TWinControl* current, bool forward);

    // When loading ends (EndLoading).
    TNotifyEvent OnCreate;
    // When the form is freed, while it is still whole.
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TDropFilesEvent OnDropFiles;

protected:
    void Paint() override { OnPaint(this); }
    void Loaded() override;
    void BeforeDestruction() override;
    void VisibleChanged() override;

private:
    friend class TWinControl;
    // control, or the control holding the focus inside it, leaves the form.
    void ControlRemoved(TWinControl* control);
    bool CloseQuery();
    // The closing of a modal form after its loop; false when OnClose refuses.
    bool CloseModal();
    void SetClientSize(int width, int height);
    static void CollectTabOrder(const TWinControl* parent, std::vector<TWinControl*>& order);

    TFormBorderStyle BorderStyleValue = bsSizeable;
    TBorderIcons BorderIconsValue = biSystemMenu | biMinimize | biMaximize;
    TPosition PositionValue = poDesigned;
    TFormStyle FormStyleValue = fsNormal;
    TModalResult ModalResultValue = mrNone;
    bool IsModal = false;
    bool IsActive = false;
    bool IsAcceptingFiles = false;
    TWinControl* ActiveControlValue = nullptr;
};

// The program: its forms, its message loop and the error box of its exceptions.
class TApplication : public TComponent {
public:
    TApplication() : TComponent(nullptr) {}

    // Prepares a run: not terminated, titled after the program's file name.
    void Initialize();
    // Creates a form of class T owned by the application; the first one is the main form.
    template <class T>
    void CreateForm(T*& reference) {
        reference = new T(this);
        if (!MainFormValue) {
            MainFormValue = reference;
        }
    }
    TForm* MainForm() const { return MainFormValue; }
    // Shows the main form, runs the platform's message loop until Terminate, then frees the
    // application's forms (their OnDestroy runs; an exception there is shown).
    void Run();
    void Terminate();
    bool Terminated() const { return IsTerminated; }

    // The message of the exception being handled, in the error box; call it in a catch block.
    // Anything that is not a std::exception shows an empty message.
    void HandleException();
    void ShowException(const std::string& message);
    // Runs handler as the message loop runs an event handler: an exception out of it is shown.
    // True when it ended normally.
    bool RunGuarded(const std::function<void()>& handler);

    // The program's full file name.
    std::string ExeName() const;
    std::string Title;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TForm* MainFormValue = nullptr;
    bool IsTerminated = false;
};

TApplication& Application();

// The screen the forms are placed on.
class TScreen {
public:
    int Width() const;
    int Height() const;
    // The pointer over all of the program's windows: crDefault lets each control show its own,
    // any other shape shows everywhere (the busy cursor while the program works).
    TCursor Cursor() const { return CursorValue; }
    void SetCursor(TCursor cursor);

private:
    TCursor CursorValue = crDefault;
};

TScreen& Screen();

// Shows cursor over the program while it lives (crHourGlass, the busy cursor, by default), then
// the one shown before, also when an exception leaves. A modal form shows the normal pointer
// while it is up, so a question asked during the work is not answered under the busy cursor.
class TScreenCursor {
public:
    explicit TScreenCursor(TCursor cursor = crHourGlass);
    ~TScreenCursor();
    TScreenCursor(const TScreenCursor&) = delete;
    TScreenCursor& operator=(const TScreenCursor&) = delete;

private:
    TCursor Previous;
};

// The program's command-line arguments, 1 to ParamCount(); ParamStr(0) is the program's file
// name and an index past the last gives an empty text. Arguments are separated by blanks (any
// byte from 1 to 32); double quotes group blanks into an argument and are dropped; pairs of
// double quotes before an argument are skipped.
std::string ParamStr(int index);
int ParamCount();
