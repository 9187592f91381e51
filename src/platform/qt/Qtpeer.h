#pragma once
// TQtPeer: the Qt widget of a windowed control.
//
// A form is a top-level widget of the form's client size, placed where its client area is (the
// desktop's window manager adds its own frame around it), fixed in size unless its border is
// sizeable, titled with its caption, application-modal while it is shown modally; when the
// window is moved or resized, the form's bounds follow it. Every other
// windowed control is a child widget of its parent's at the control's place, and paints itself: the
// widget's paint event paints TWinControl::PaintWindow through a Qt canvas on the widget, and mouse
// input goes to the control's Window... entry points. Whatever a handler throws is shown by the
// application object and never passes through Qt. The close box closes the form through
// TForm::Close; the window's activation activates the form (ActivateForm).
//
// TQtEditPeer puts an edit box on Qt's own line edit, which reports the user's typing back; the
// list boxes are Qt's own lists (Qtlistbox.h), the drive list Qt's own combo box
// (Qtcombobox.h).

#include "toolkit/Controls.h"
#include "toolkit/Forms.h"
#include "toolkit/Stdctrls.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QKeyEvent;

// The Qt pointer shape of a toolkit cursor.
Qt::CursorShape QtCursorShape(TCursor cursor);

// The toolkit's shift state of Qt's modifiers and buttons.
TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
// The toolkit's button for a Qt button; false for the buttons the toolkit has no name for.
bool ButtonOf(Qt::MouseButton qtButton, TMouseButton& button);

// A key pressed on widget, the window of control, delivered as a Win32 window takes it: the
// form's dialog keys first, then KeyDown, then native (the Qt widget's own handling, if any),
// then the character to KeyPress and, when the control does not take it as text, to the form's
// accelerators; with Alt the character goes to the accelerators alone. A handler may free the
// control, and with it the widget, so each step looks whether it is still there.
void DeliverKeyPress(TWinControl& control, QWidget& widget, QKeyEvent& event,
                     const std::function<void()>& native);
void DeliverKeyRelease(TWinControl& control, QKeyEvent& event);

// What a form's window becoming the active one does: the form's activation, then the focus
// back where it was on the form, or to the first control that takes it. Qt's activation of the
// window calls it; so do the message loops for the main form at start and for a modal form,
// since without a window manager (a virtual display, the offscreen platform) no window is ever
// activated, and the program's start-up runs on its main form's activation.
void ActivateForm(TForm& form);

class TQtPeer : public TWindowPeer {
public:
    // The widget of control, a child of parent's widget; a top-level widget for no parent.
    TQtPeer(TWinControl& control, QWidget* parent);
    ~TQtPeer() override;
    TQtPeer(const TQtPeer&) = delete;
    TQtPeer& operator=(const TQtPeer&) = delete;

    // The control's widget; nullptr once Qt deleted it with its parent.
    QWidget* Widget() const { return WidgetValue.data(); }

    void Changed(TPeerChange change) override;
    void Invalidate(const TRect& r) override;
    void Update() override;
    void SetFocus() override;
    bool NativeInput() const override { return IsNative; }

protected:
    // For a control on a Qt widget of its own: widget, made with the parent's widget as its
    // parent, is the control's from now on.
    TQtPeer(TWinControl& control, QWidget* widget, bool nativeInput);

private:
    void ApplyBounds();
    void ApplyStyle();

    TWinControl& Control;
    QPointer<QWidget> WidgetValue;
    bool IsNative;
};

// An edit box on a QLineEdit. Text typed by the user goes back to the control, so its OnChange
// follows every keystroke; text set by the program is put into the line edit only when it
// differs, which keeps the two from echoing each other. Text is Latin-1 both ways.
class TQtEditPeer : public TQtPeer {
public:
    TQtEditPeer(TEdit& edit, QWidget* parent);

    void Changed(TPeerChange change) override;

private:
    TEdit& Edit;
};
