// List boxes on Qt's own list widget, on the offscreen platform: items and marks mirrored both
// ways, the user's clicks and keys reported as the system's list reports them, long lists
// scrolled, items painted by the control's DrawItem.

#include "Qttest.h"

#include "platform/qt/Qtlistbox.h"
#include "platform/qt/Qtplatform.h"
#include "toolkit/Forms.h"
#include "toolkit/Stdctrls.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>

#include <string>
#include <vector>

namespace {

class QtListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallPlatform(&Host);
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsSingle);
        Form->SetClientWidth(200);
        Form->SetClientHeight(120);
        List = new TListBox(Form.get());
        List->SetParent(Form.get());
        List->SetBounds(10, 10, 150, 100); // 96 pixels inside the edge: 7 items of 13
        List->OnClick = [this](TComponent*) { Clicks.push_back(List->ItemIndex()); };
        List->OnMouseUp = [this](TComponent*, TMouseButton, TShiftState, int, int) {
            ReleasedOn.push_back(List->ItemIndex());
        };
        Form->Show();
    }
    void TearDown() override {
        Form.reset();
        InstallPlatform(nullptr);
    }

    QListWidget* Native() const {
        auto* peer = dynamic_cast<TQtPeer*>(List->Peer());
        return peer ? qobject_cast<QListWidget*>(peer->Widget()) : nullptr;
    }
    std::vector<std::string> NativeTexts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < Native()->count(); ++i) {
            texts.push_back(Native()->item(i)->text().toStdString());
        }
        return texts;
    }
    std::vector<bool> NativeMarks() const {
        std::vector<bool> marks;
        for (int i = 0; i < Native()->count(); ++i) {
            marks.push_back(Native()->item(i)->isSelected());
        }
        return marks;
    }
    std::vector<bool> Marks() const {
        std::vector<bool> marks;
        for (int i = 0; i < List->Items().Count(); ++i) {
            marks.push_back(List->Selected(i));
        }
        return marks;
    }
    // A click on item index as the user makes it, on the items' viewport.
    void ClickItem(int index, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QPointF at = QRectF(Native()->visualItemRect(Native()->item(index))).center();
        QWidget* viewport = Native()->viewport();
        QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(viewport, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at),
                            Qt::LeftButton, Qt::NoButton, modifiers);
        QCoreApplication::sendEvent(viewport, &release);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(Native(), &event);
    }
    void Fill(int count) {
        List->Items().BeginUpdate();
        for (int i = 0; i < count; ++i) {
            List->Items().Add("ITEM" + std::to_string(i) + ".MAP");
        }
        List->Items().EndUpdate();
    }

    TQtPlatform Host;
    TComponentPtr<TForm> Form;
    TListBox* List = nullptr;
    std::vector<int> Clicks;
    std::vector<int> ReleasedOn;
};

} // namespace

TEST_F(QtListBoxTest, ItemsAndMarksOfTheProgramAreMirroredWithoutAClick) {
    ASSERT_NE(Native(), nullptr);
    EXPECT_TRUE(List->Peer()->NativeInput());
    List->Items().Add("B.ART");
    List->Items().Add("C.CON");
    List->Items().Insert(0, "A.MAP");
    EXPECT_EQ(NativeTexts(), (std::vector<std::string>{"A.MAP", "B.ART", "C.CON"}));
    List->SetItemIndex(1);
    EXPECT_EQ(Native()->currentRow(), 1);
    EXPECT_EQ(NativeMarks(), (std::vector<bool>{false, true, false}));
    List->Items().Delete(0);
    EXPECT_EQ(NativeTexts(), (std::vector<std::string>{"B.ART", "C.CON"}));
    EXPECT_EQ(NativeMarks(), Marks());

    List->SetMultiSelect(true);
    EXPECT_EQ(Native()->selectionMode(), QAbstractItemView::ExtendedSelection);
    List->SetSelected(0, true);
    List->SetSelected(1, true);
    EXPECT_EQ(NativeMarks(), (std::vector<bool>{true, true}));
    List->Clear();
    EXPECT_EQ(Native()->count(), 0);
    EXPECT_TRUE(Clicks.empty()) << "the program's changes came back as the user's";
}

TEST_F(QtListBoxTest, ClicksMarkAsTheSystemsListAndReachTheControlOnceSettled) {
    List->SetMultiSelect(true);
    Fill(5);
    ClickItem(1);
    ClickItem(3, Qt::ControlModifier);
    EXPECT_EQ(Marks(), (std::vector<bool>{false, true, false, true, false}));
    // One OnClick a click, and OnMouseUp finds the item the press made current.
    EXPECT_EQ(Clicks, (std::vector<int>{1, 3}));
    EXPECT_EQ(ReleasedOn, (std::vector<int>{1, 3}));
    // A plain click starts again; Shift marks the range from it.
    ClickItem(0);
    ClickItem(2, Qt::ShiftModifier);
    EXPECT_EQ(Marks(), (std::vector<bool>{true, true, true, false, false}));
    ClickItem(1, Qt::ControlModifier);
    EXPECT_EQ(Marks(), (std::vector<bool>{true, false, true, false, false}));
    EXPECT_EQ(List->ItemIndex(), 1);
}

TEST_F(QtListBoxTest, KeysMoveTheCurrentItemAndTheControlHearsTheNewOne) {
    Fill(5);
    List->SetItemIndex(0);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(Marks(), (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(Clicks, (std::vector<int>{1, 2}));
    Key(Qt::Key_End);
    EXPECT_EQ(List->ItemIndex(), 4);
}

// The self-painted list had no scrolling: items below its bottom could not be reached.
TEST_F(QtListBoxTest, ALongListScrollsToItsCurrentItemAndByTheUser) {
    Fill(100);
    EXPECT_GT(Native()->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(Native()->verticalScrollBar()->value(), 0);
    List->SetItemIndex(99);
    EXPECT_GT(Native()->verticalScrollBar()->value(), 0);
    const QRect last = Native()->visualItemRect(Native()->item(99));
    EXPECT_TRUE(Native()->viewport()->rect().contains(last)) << "the current item is out of view";
    // The user scrolls back up and picks an item there.
    Native()->verticalScrollBar()->setValue(0);
    ClickItem(2);
    EXPECT_EQ(List->ItemIndex(), 2);
}

TEST_F(QtListBoxTest, ItemsArePaintedByTheControlsDrawItemInsideTheSunkenEdge) {
    Fill(3);
    List->SetItemIndex(1);
    const QImage shown = Native()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(150, 100));
    const auto rgb = [](TColor color) {
        const TColor c = ColorToRGB(color);
        return std::uint32_t((c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF));
    };
    // The sunken edge: the button shadow at the left, the button highlight at the right.
    EXPECT_EQ(shown.pixel(0, 50) & 0xFFFFFF, rgb(clBtnShadow));
    EXPECT_EQ(shown.pixel(149, 50) & 0xFFFFFF, rgb(clBtnHighlight));
    // Item 1 at its place: 2 + 13 pixels down, 13 high, in the highlight colour left of its text;
    // the items around it on the window colour.
    EXPECT_EQ(shown.pixel(3, 2 + 13 + 6) & 0xFFFFFF, rgb(clHighlight));
    EXPECT_EQ(shown.pixel(3, 2 + 6) & 0xFFFFFF, rgb(clWindow));
    EXPECT_EQ(shown.pixel(3, 2 + 26 + 6) & 0xFFFFFF, rgb(clWindow));
    EXPECT_EQ(shown.pixel(3, 2 + 13) & 0xFFFFFF, rgb(clHighlight));
    EXPECT_EQ(shown.pixel(3, 2 + 12) & 0xFFFFFF, rgb(clWindow));
}
