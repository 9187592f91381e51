// Forms as top-level Qt widgets and a self-painting control painting through the Qt canvas, on
// the offscreen platform.

#include "Qttest.h"

#include "platform/qt/Qtpeer.h"
#include "platform/qt/Qtplatform.h"
#include "toolkit/Buttons.h"
#include "toolkit/Forms.h"
#include "toolkit/Stdctrls.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>
#include <QToolTip>
#include <QUrl>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// A control that paints a raised edge on a yellow face with a navy mark, and records clicks.
class TPanelControl : public TCustomControl {
public:
    explicit TPanelControl(TComponent* owner) : TCustomControl(owner) {
        OnMouseDown = [this](TComponent*, TMouseButton button, TShiftState shift, int x, int y) {
            Presses.push_back({button, shift, x, y});
        };
    }
    struct TPress {
        TMouseButton Button;
        TShiftState Shift;
        int X;
        int Y;
    };
    std::vector<TPress> Presses;

protected:
    void Paint() override {
        TRect r = ClientRect();
        Canvas().Brush.Color = clYellow;
        Canvas().FillRect(r);
        Canvas().DrawEdge(r, edgeRaised, bfRect | bfAdjust);
        Canvas().Brush.Color = clNavy;
        Canvas().FillRect(Rect(r.Left + 2, r.Top + 2, r.Left + 6, r.Top + 5));
    }
};

class TPanelForm : public TForm {
public:
    explicit TPanelForm(TComponent* owner) : TForm(owner) {
        SetCaption("Morvik panel");
        SetBorderStyle(bsSingle);
        SetBounds(100, 50, 10, 10);
        SetClientWidth(60);
        SetClientHeight(40);
        SetColor(clBtnFace);
        Panel = new TPanelControl(this);
        Panel->SetParent(this);
        Panel->SetBounds(10, 8, 30, 20);
    }
    TPanelControl* Panel;
};

class QtPeerTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallPlatform(&Host);
        Form.reset(new TPanelForm(nullptr));
    }
    void TearDown() override {
        Form.reset();
        InstallPlatform(nullptr);
    }
    QWidget* WidgetOf(TWinControl& control) {
        auto* peer = dynamic_cast<TQtPeer*>(control.Peer());
        return peer ? peer->Widget() : nullptr;
    }
    TQtPlatform Host;
    TComponentPtr<TPanelForm> Form;
};

} // namespace

TEST_F(QtPeerTest, AShownFormIsATopLevelWidgetOfItsClientArea) {
    Form->Show();
    QWidget* window = WidgetOf(*Form);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isWindow());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle().toStdString(), "Morvik panel");
    // Inside the classic single frame: 3 pixels and a 19-pixel caption bar.
    EXPECT_EQ(window->geometry(), QRect(103, 72, 60, 40));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "a single border is not sizeable";

    QWidget* panel = WidgetOf(*Form->Panel);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->parentWidget(), window);
    EXPECT_EQ(panel->geometry(), QRect(10, 8, 30, 20));
    Form->Panel->SetBounds(12, 9, 30, 20);
    EXPECT_EQ(panel->geometry(), QRect(12, 9, 30, 20));

    Form->SetCaption("Renamed");
    EXPECT_EQ(window->windowTitle().toStdString(), "Renamed");
    Form->Hide();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(QtPeerTest, FilesDroppedOnAFormThatAcceptsThemReachItWithTheirPaths) {
    std::vector<std::string> dropped;
    Form->OnDropFiles = [&](TComponent*, const std::vector<std::string>& paths) {
        dropped = paths;
    };
    Form->Show();
    QWidget* window = WidgetOf(*Form);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->acceptDrops());
    Form->SetAcceptFiles(true);
    EXPECT_TRUE(window->acceptDrops());

    // Local files only, in the drag's order; a web address is no file.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/games/DUKE3D.GRP"), QUrl("https://example.org/A.GRP"),
                  QUrl::fromLocalFile("/games/caf\u00e9 s/B.MAP")});
    const QPoint p(10, 10);
    QDragEnterEvent enter(p, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(p), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &drop);
    EXPECT_EQ(dropped,
              (std::vector<std::string>{
                  "/games/DUKE3D.GRP",
                  QFile::encodeName(QString::fromUtf8("/games/caf\u00e9 s/B.MAP")).toStdString()}));

    // A drag of text alone is not taken.
    QMimeData text;
    text.setText("DUKE3D.GRP");
    QDragEnterEvent textEnter(p, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    textEnter.setAccepted(false);
    QCoreApplication::sendEvent(window, &textEnter);
    EXPECT_FALSE(textEnter.isAccepted());
}

TEST_F(QtPeerTest, TheCloseBoxClosesTheFormThroughTheToolkit) {
    bool asked = false;
    Form->OnCloseQuery = [&](TComponent*, bool& canClose) {
        asked = true;
        canClose = true;
    };
    Form->Show();
    QWidget* window = WidgetOf(*Form);
    ASSERT_NE(window, nullptr);
    window->close();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(Form->Visible());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(QtPeerTest, TheWindowPaintsWhatTheFormPaintsOnTheSoftwareCanvas) {
    Form->Show();
    QWidget* window = WidgetOf(*Form);
    ASSERT_NE(window, nullptr);
    const QImage shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(60, 40));
    TSoftCanvas expected(60, 40);
    Form->PaintTo(expected, 0, 0);
    EXPECT_TRUE(SamePictures(shown, expected));
    // The panel's mark inside its two-pixel edge, in the form's coordinates.
    EXPECT_EQ(shown.pixel(14, 12) & 0xFFFFFF, 0x000080u);
    EXPECT_EQ(shown.pixel(13, 11) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(shown.pixel(30, 20) & 0xFFFFFF, 0xFFFF00u);
}

TEST_F(QtPeerTest, MousePressesReachTheControlInItsCoordinates) {
    Form->Show();
    QWidget* panel = WidgetOf(*Form->Panel);
    ASSERT_NE(panel, nullptr);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 7), panel->mapToGlobal(QPointF(5, 7)),
                      Qt::RightButton, Qt::RightButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(panel, &press);
    ASSERT_EQ(Form->Panel->Presses.size(), 1u);
    const TPanelControl::TPress& got = Form->Panel->Presses[0];
    EXPECT_EQ(got.Button, mbRight);
    EXPECT_EQ(got.Shift & (ssShift | ssRight), ssShift | ssRight);
    EXPECT_EQ(got.X, 5);
    EXPECT_EQ(got.Y, 7);
}

TEST_F(QtPeerTest, AModalFormRunsQtsEventsUntilItHasAResult) {
    bool shownModally = false;
    QTimer::singleShot(0, [&] {
        QWidget* window = WidgetOf(*Form);
        shownModally = window && window->isVisible() && window->isModal();
        Form->SetModalResult(mrOk);
    });
    EXPECT_EQ(Form->ShowModal(), mrOk);
    EXPECT_TRUE(shownModally);
    ASSERT_NE(WidgetOf(*Form), nullptr);
    EXPECT_FALSE(WidgetOf(*Form)->isVisible());
}

TEST_F(QtPeerTest, AnEditIsAQtLineEditThatReportsTheUsersTyping) {
    auto* edit = new TEdit(Form.get());
    edit->SetParent(Form.get());
    edit->SetBounds(5, 30, 50, 8);
    edit->SetText("a.grp");
    int changes = 0;
    edit->OnChange = [&](TComponent*) { ++changes; };
    Form->Show();
    auto* line = qobject_cast<QLineEdit*>(WidgetOf(*edit));
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(edit->Peer()->NativeInput());
    EXPECT_EQ(line->text().toStdString(), "a.grp");
    EXPECT_EQ(line->geometry(), QRect(5, 30, 50, 8));

    // The user types at the end: each keystroke reaches the control.
    line->end(false);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    QCoreApplication::sendEvent(line, &key);
    EXPECT_EQ(edit->Text(), "a.grpx");
    EXPECT_EQ(changes, 1);

    // The program's text goes into the line edit without coming back as a second change; its
    // bytes are Latin-1 characters.
    edit->SetText("caf\xE9.grp");
    EXPECT_EQ(line->text(), QString::fromUtf8("caf\u00E9.grp"));
    EXPECT_EQ(edit->Text(), "caf\xE9.grp");
    EXPECT_EQ(changes, 2);

    edit->SetReadOnly(true);
    EXPECT_TRUE(line->isReadOnly());
}

TEST_F(QtPeerTest, KeysReachTheControlAndAltLettersTheFormsAccelerators) {
    std::vector<std::uint16_t> downs;
    std::string typed;
    Form->Panel->OnKeyDown = [&](TComponent*, std::uint16_t& key, TShiftState) {
        downs.push_back(key);
    };
    Form->Panel->OnKeyPress = [&](TComponent*, char& key) { typed += key; };
    auto* yes = new TSpeedButton(Form.get());
    yes->SetParent(Form.get());
    yes->SetCaption("&Yes");
    yes->SetBounds(42, 2, 16, 16);
    int clicks = 0;
    yes->OnClick = [&](TComponent*) { ++clicks; };
    Form->Show();
    QWidget* panel = WidgetOf(*Form->Panel);
    ASSERT_NE(panel, nullptr);

    QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(panel, &a);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(panel, &down);
    EXPECT_EQ(downs, (std::vector<std::uint16_t>{'A', vkDown}));
    EXPECT_EQ(typed, "a");
    EXPECT_EQ(clicks, 0);

    // A plain "y" is the panel's, which takes no text, so the form's accelerator answers it too;
    // Alt+Y goes to the accelerators alone.
    QKeyEvent y(QEvent::KeyPress, Qt::Key_Y, Qt::NoModifier, "y");
    QCoreApplication::sendEvent(panel, &y);
    EXPECT_EQ(typed, "ay");
    EXPECT_EQ(clicks, 1);
    QKeyEvent altY(QEvent::KeyPress, Qt::Key_Y, Qt::AltModifier, "y");
    QCoreApplication::sendEvent(panel, &altY);
    EXPECT_EQ(typed, "ay");
    EXPECT_EQ(clicks, 2);
}

TEST_F(QtPeerTest, AFormFollowsItsWindowWhenItIsMovedOrResized) {
    Form->SetBorderStyle(bsSizeable);
    Form->Show();
    QWidget* window = WidgetOf(*Form);
    ASSERT_NE(window, nullptr);
    EXPECT_LT(window->minimumSize().width(), window->maximumSize().width());
    window->setGeometry(200, 120, 90, 70);
    // Outside the client area, the classic sizeable frame: 4 pixels and a 19-pixel caption bar.
    EXPECT_EQ(Form->BoundsRect(), Rect(196, 97, 294, 194));
    EXPECT_EQ(Form->ClientWidth(), 90);
    EXPECT_EQ(Form->ClientHeight(), 70);
    EXPECT_EQ(window->geometry(), QRect(200, 120, 90, 70)) << "the form's bounds echoed back";
}

TEST_F(QtPeerTest, ThePointerAndTheHintAreThoseOfTheControlUnderIt) {
    auto* button = new TSpeedButton(Form.get());
    button->SetParent(Form.get());
    button->SetBounds(42, 2, 16, 16);
    button->SetCursor(crHandPoint);
    button->SetHint("Extract the marked files");
    button->SetShowHint(true);
    Form->Panel->SetCursor(crIBeam);
    Form->Panel->SetHint("not shown");
    Form->Show();
    QWidget* window = WidgetOf(*Form);
    QWidget* panel = WidgetOf(*Form->Panel);
    ASSERT_NE(window, nullptr);
    ASSERT_NE(panel, nullptr);

    auto move = [](QWidget* widget, QPoint p) {
        QMouseEvent event(QEvent::MouseMove, QPointF(p), widget->mapToGlobal(QPointF(p)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    };
    move(panel, QPoint(3, 3));
    EXPECT_EQ(panel->cursor().shape(), Qt::IBeamCursor);
    move(window, QPoint(50, 10));
    EXPECT_EQ(window->cursor().shape(), Qt::PointingHandCursor);
    move(window, QPoint(5, 35));
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);

    QHelpEvent over(QEvent::ToolTip, QPoint(50, 10), window->mapToGlobal(QPoint(50, 10)));
    QCoreApplication::sendEvent(window, &over);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text().toStdString(), "Extract the marked files");
    // The panel does not show its hint.
    QHelpEvent panelHelp(QEvent::ToolTip, QPoint(3, 3), panel->mapToGlobal(QPoint(3, 3)));
    QCoreApplication::sendEvent(panel, &panelHelp);
    // Qt lets a tool tip go after a short delay.
    QElapsedTimer waited;
    waited.start();
    while (QToolTip::isVisible() && waited.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_FALSE(QToolTip::isVisible());
}

// With no window manager (the offscreen platform, a bare virtual display) Qt activates no window:
// the modal loop activates its form itself, as the system does on Windows, and a window that Qt
// does activate activates its form once.
TEST_F(QtPeerTest, AFormIsActivatedByItsModalLoopOrByItsWindowsActivation) {
    int activations = 0;
    Form->OnActivate = [&](TComponent*) { ++activations; };
    QTimer::singleShot(0, [&] { Form->SetModalResult(mrOk); });
    EXPECT_EQ(Form->ShowModal(), mrOk);
    EXPECT_EQ(activations, 1);

    TPanelForm other(nullptr);
    other.OnActivate = [&](TComponent*) { ++activations; };
    other.Show();
    QWidget* window = WidgetOf(other);
    ASSERT_NE(window, nullptr);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(window, &activate);
    QCoreApplication::sendEvent(window, &activate);
    EXPECT_EQ(activations, 2);
}
