#include "platform/qt/Qtpeer.h"

#include "platform/qt/Qtcanvas.h"
#include "platform/qt/Qtfont.h"
#include "toolkit/Forms.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QToolTip>
#include <QUrl>

#include <vector>

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift = 0;
    shift |= modifiers & Qt::ShiftModifier ? ssShift : 0;
    shift |= modifiers & Qt::AltModifier ? ssAlt : 0;
    shift |= modifiers & Qt::ControlModifier ? ssCtrl : 0;
    shift |= buttons & Qt::LeftButton ? ssLeft : 0;
    shift |= buttons & Qt::RightButton ? ssRight : 0;
    shift |= buttons & Qt::MiddleButton ? ssMiddle : 0;
    return shift;
}

bool ButtonOf(Qt::MouseButton qtButton, TMouseButton& button) {
    switch (qtButton) {
    case Qt::LeftButton:
        button = mbLeft;
        return true;
    case Qt::RightButton:
        button = mbRight;
        return true;
    case Qt::MiddleButton:
        button = mbMiddle;
        return true;
    default:
        return false;
    }
}

namespace {

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

std::string FromLatin1(const QString& text) {
    return text.toLatin1().toStdString();
}

// The virtual key code (the Win32 value) of a Qt key; 0 for a key without one.
std::uint16_t VirtualKey(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return std::uint16_t(key); // the upper-case ASCII codes, as in Win32
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return std::uint16_t(0x70 + (key - Qt::Key_F1));
    }
    switch (key) {
    case Qt::Key_Backspace:
        return vkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vkReturn;
    case Qt::Key_Escape:
        return vkEscape;
    case Qt::Key_Space:
        return vkSpace;
    case Qt::Key_End:
        return vkEnd;
    case Qt::Key_Home:
        return vkHome;
    case Qt::Key_Left:
        return vkLeft;
    case Qt::Key_Up:
        return vkUp;
    case Qt::Key_Right:
        return vkRight;
    case Qt::Key_Down:
        return vkDown;
    case Qt::Key_Delete:
        return vkDelete;
    default:
        return 0;
    }
}

} // namespace

void DeliverKeyPress(TWinControl& control, QWidget& widget, QKeyEvent& event,
                     const std::function<void()>& native) {
    const QPointer<QWidget> alive(&widget);
    const TShiftState shift = ShiftOf(event.modifiers(), Qt::NoButton);
    TForm* form = control.ParentForm();
    const QString text = event.text();
    const bool hasChar = text.size() == 1 && text[0].unicode() <= 0xFF;
    const char typed = hasChar ? char(text[0].unicode()) : 0;
    if (std::uint16_t key = VirtualKey(event.key())) {
        bool taken = false;
        Application().RunGuarded([&] { taken = form && form->DialogKey(key, shift); });
        if (taken || !alive) {
            return;
        }
        Application().RunGuarded([&] { control.KeyDown(key, shift); });
        if (!alive || key == 0) {
            return;
        }
    }
    if (native) {
        native();
        if (!alive) {
            return;
        }
    }
    if (!hasChar || (typed == '\t' && !(shift & (ssAlt | ssCtrl)) && form)) {
        return;
    }
    if (shift & ssAlt) {
        Application().RunGuarded([&] {
            if (form) {
                form->DialogChar(typed, shift);
            }
        });
        return;
    }
    char key = typed;
    Application().RunGuarded([&] { control.KeyPress(key); });
    if (alive && key != 0 && !control.WantsChars() && form) {
        Application().RunGuarded([&] { form->DialogChar(key, shift); });
    }
}

void DeliverKeyRelease(TWinControl& control, QKeyEvent& event) {
    if (std::uint16_t key = VirtualKey(event.key())) {
        const TShiftState shift = ShiftOf(event.modifiers(), Qt::NoButton);
        Application().RunGuarded([&] { control.KeyUp(key, shift); });
    }
}

namespace {

// The widget of a windowed control: its events reach the control as the toolkit's input.
class TControlWidget : public QWidget {
public:
    TControlWidget(TWinControl& control, QWidget* parent) : QWidget(parent), Control(control) {
        // PaintWindow paints the whole client area, background included.
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setFocusPolicy(Qt::ClickFocus);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        TQtCanvas canvas(*this);
        const QRect r = event->rect();
        canvas.IntersectClipRect(Bounds(r.x(), r.y(), r.width(), r.height()));
        Application().RunGuarded([&] { Control.PaintWindow(canvas); });
    }
    void mousePressEvent(QMouseEvent* event) override {
        TMouseButton button;
        if (ButtonOf(event->button(), button)) {
            const QPoint p = event->position().toPoint();
            const TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
            Application().RunGuarded([&] { Control.WindowMouseDown(button, shift, p.x(), p.y()); });
        }
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) {
            return;
        }
        const QPoint p = event->position().toPoint();
        const TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
        Application().RunGuarded([&] { Control.WindowDoubleClick(shift, p.x(), p.y()); });
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint p = event->position().toPoint();
        // The pointer takes the shape of the control under it, a windowless child's included.
        setCursor(QtCursorShape(ControlAt(p).Cursor()));
        const TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
        Application().RunGuarded([&] { Control.WindowMouseMove(shift, p.x(), p.y()); });
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        TMouseButton button;
        if (ButtonOf(event->button(), button)) {
            const QPoint p = event->position().toPoint();
            const TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
            Application().RunGuarded([&] { Control.WindowMouseUp(button, shift, p.x(), p.y()); });
        }
    }
    void leaveEvent(QEvent* /*event*/) override {
        Application().RunGuarded([&] { Control.WindowMouseLeave(); });
    }
    // Hints are tool tips: that of the control under the pointer, when it shows its hint.
    bool event(QEvent* event) override {
        if (event->type() == QEvent::WindowActivate && isWindow()) {
            if (auto* form = dynamic_cast<TForm*>(&Control)) {
                ActivateForm(*form);
            }
            return QWidget::event(event);
        }
        if (event->type() != QEvent::ToolTip) {
            return QWidget::event(event);
        }
        auto* help = static_cast<QHelpEvent*>(event);
        const TControl& target = ControlAt(help->pos());
        if (target.ShowHint() && !target.Hint().empty()) {
            QToolTip::showText(help->globalPos(), Latin1(target.Hint()), this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    // Files dragged from the desktop: a form that accepts them takes a drag of local files and
    // hears of the drop with their paths, in the file system's own bytes. A drop on a child
    // control comes here, as the children take none.
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (!DroppedPaths(*event->mimeData()).empty()) {
            event->acceptProposedAction();
        }
    }
    void dropEvent(QDropEvent* event) override {
        const std::vector<std::string> paths = DroppedPaths(*event->mimeData());
        auto* form = dynamic_cast<TForm*>(&Control);
        if (paths.empty() || !form) {
            return;
        }
        event->acceptProposedAction();
        Application().RunGuarded([&] { form->WindowDropFiles(paths); });
    }
    // Tab is the toolkit's: the form moves the focus (TForm::DialogKey), not Qt.
    bool focusNextPrevChild(bool /*next*/) override { return false; }
    void focusInEvent(QFocusEvent* /*event*/) override {
        Application().RunGuarded([&] { Control.WindowFocused(); });
    }
    void keyPressEvent(QKeyEvent* event) override { DeliverKeyPress(Control, *this, *event, {}); }
    void keyReleaseEvent(QKeyEvent* event) override { DeliverKeyRelease(Control, *event); }
    // A form follows its window when the user (or the window manager) moves or resizes it;
    // the bounds it already has come back unchanged, so nothing echoes.
    void moveEvent(QMoveEvent* /*event*/) override { TakeWindowBounds(); }
    void resizeEvent(QResizeEvent* /*event*/) override { TakeWindowBounds(); }
    void closeEvent(QCloseEvent* event) override {
        // The form decides: it hides itself (which hides this widget) or stays.
        event->ignore();
        if (auto* form = dynamic_cast<TForm*>(&Control)) {
            Application().RunGuarded([form] { form->Close(); });
        }
    }

private:
    // The windowless child at p, or the control itself.
    const TControl& ControlAt(QPoint p) const {
        const TControl* child = Control.WindowlessControlAt({p.x(), p.y()}, true);
        return child ? *child : Control;
    }
    static std::vector<std::string> DroppedPaths(const QMimeData& data) {
        std::vector<std::string> paths;
        for (const QUrl& url : data.urls()) {
            if (url.isLocalFile()) {
                paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
            }
        }
        return paths;
    }
    void TakeWindowBounds() {
        auto* form = dynamic_cast<TForm*>(&Control);
        if (!form || !isWindow()) {
            return;
        }
        const TRect insets = Platform().FrameInsets(*form);
        const QRect client = geometry();
        const TRect bounds{client.left() - insets.Left, client.top() - insets.Top,
                           client.left() + client.width() + insets.Right,
                           client.top() + client.height() + insets.Bottom};
        if (bounds != form->BoundsRect()) {
            Application().RunGuarded(
                [&] { form->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height()); });
        }
    }

    TWinControl& Control;
};

} // namespace

Qt::CursorShape QtCursorShape(TCursor cursor) {
    switch (cursor) {
    case crIBeam:
        return Qt::IBeamCursor;
    case crHourGlass:
        return Qt::WaitCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    default:
        return Qt::ArrowCursor;
    }
}

void ActivateForm(TForm& form) {
    // A handler may free the form, and its window with it.
    auto* peer = dynamic_cast<TQtPeer*>(form.Peer());
    const QPointer<QWidget> alive(peer ? peer->Widget() : nullptr);
    Application().RunGuarded([&] { form.Activate(); });
    if (!alive) {
        return;
    }
    Application().RunGuarded([&] {
        TWinControl* active = form.ActiveControl();
        if (active && active->CanFocus()) {
            active->SetFocus();
        } else if (!active) {
            form.SelectNext(nullptr, true);
        }
    });
}

TQtPeer::TQtPeer(TWinControl& control, QWidget* parent)
    : TQtPeer(control, new TControlWidget(control, parent), false) {}

TQtPeer::TQtPeer(TWinControl& control, QWidget* widget, bool nativeInput)
    : Control(control), WidgetValue(widget), IsNative(nativeInput) {
    ApplyStyle();
    ApplyBounds();
    Changed(TPeerChange::Text);
    Changed(TPeerChange::AcceptFiles);
    WidgetValue->setEnabled(Control.Enabled());
    WidgetValue->setVisible(Control.Visible());
}

TQtPeer::~TQtPeer() {
    // A child's widget may have gone with its parent's already.
    delete WidgetValue.data();
}

void TQtPeer::ApplyBounds() {
    if (auto* form = dynamic_cast<TForm*>(&Control)) {
        const TRect insets = Platform().FrameInsets(*form);
        WidgetValue->setGeometry(form->Left() + insets.Left, form->Top() + insets.Top,
                                 form->ClientWidth(), form->ClientHeight());
        ApplyStyle();
        return;
    }
    const TRect r = Control.BoundsRect();
    WidgetValue->setGeometry(r.Left, r.Top, r.Width(), r.Height());
}

void TQtPeer::ApplyStyle() {
    auto* form = dynamic_cast<TForm*>(&Control);
    if (!form) {
        return;
    }
    if (form->BorderStyle() == bsSizeable) {
        WidgetValue->setMinimumSize(0, 0);
        WidgetValue->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        WidgetValue->setFixedSize(form->ClientWidth(), form->ClientHeight());
    }
    WidgetValue->setWindowFlag(Qt::WindowStaysOnTopHint, form->FormStyle() == fsStayOnTop);
}

void TQtPeer::Changed(TPeerChange change) {
    if (!WidgetValue) {
        return;
    }
    switch (change) {
    case TPeerChange::Bounds:
        ApplyBounds();
        break;
    case TPeerChange::Visible:
        if (auto* form = dynamic_cast<TForm*>(&Control); form && form->Visible()) {
            // A modal form keeps the input from the program's other windows while it is up.
            WidgetValue->setWindowModality(form->Modal() ? Qt::ApplicationModal : Qt::NonModal);
        }
        WidgetValue->setVisible(Control.Visible());
        break;
    case TPeerChange::Enabled:
        WidgetValue->setEnabled(Control.Enabled());
        break;
    case TPeerChange::Text:
        if (!WidgetValue->parentWidget()) {
            WidgetValue->setWindowTitle(Latin1(Control.Caption()));
        }
        WidgetValue->update();
        break;
    case TPeerChange::Style:
        ApplyStyle();
        break;
    case TPeerChange::AcceptFiles:
        if (auto* form = dynamic_cast<TForm*>(&Control)) {
            WidgetValue->setAcceptDrops(form->AcceptFiles());
        }
        break;
    default:
        WidgetValue->update();
        break;
    }
}

void TQtPeer::Invalidate(const TRect& r) {
    if (WidgetValue) {
        WidgetValue->update(r.Left, r.Top, r.Width(), r.Height());
    }
}

void TQtPeer::Update() {
    if (WidgetValue) {
        WidgetValue->repaint();
    }
}

void TQtPeer::SetFocus() {
    if (WidgetValue) {
        WidgetValue->setFocus();
    }
}

// ---- TQtEditPeer -------------------------------------------------------------------------------

TQtEditPeer::TQtEditPeer(TEdit& edit, QWidget* parent)
    : TQtPeer(edit, new QLineEdit(parent), true), Edit(edit) {
    auto* line = static_cast<QLineEdit*>(Widget());
    // A file dropped on the edit box is the form's drop, as on Windows, not text to insert.
    line->setAcceptDrops(false);
    line->setFont(QtFont(edit.Font()));
    line->setReadOnly(edit.ReadOnly());
    line->setText(Latin1(edit.Text()));
    QObject::connect(line, &QLineEdit::textChanged, line, [this](const QString& text) {
        const std::string typed = FromLatin1(text);
        if (typed != Edit.Text()) {
            Application().RunGuarded([&] { Edit.SetText(typed); });
        }
    });
}

void TQtEditPeer::Changed(TPeerChange change) {
    auto* line = static_cast<QLineEdit*>(Widget());
    if (!line) {
        return;
    }
    switch (change) {
    case TPeerChange::Text:
        if (FromLatin1(line->text()) != Edit.Text()) {
            line->setText(Latin1(Edit.Text()));
        }
        break;
    case TPeerChange::ReadOnly:
        line->setReadOnly(Edit.ReadOnly());
        break;
    case TPeerChange::Font:
        line->setFont(QtFont(Edit.Font()));
        break;
    default:
        TQtPeer::Changed(change);
        break;
    }
}
