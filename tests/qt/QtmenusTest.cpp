// Popup menus of the Qt platform: Qt popups measured and painted through the items' requests,
// driven with keys and the mouse as a user drives a menu, on the offscreen platform.

#include "Qttest.h"

#include "platform/qt/Qtmenus.h"
#include "platform/qt/Qtplatform.h"
#include "toolkit/Menus.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace {

TColor StateColor(TOwnerDrawState state) {
    if (state & odSelected) {
        return clRed;
    }
    return (state & odGrayed) ? clGray : clLime;
}

class QtMenusTest : public ::testing::Test {
protected:
    // Open, Save, a separator, a disabled Print and Quit; owner-drawn, each item 50 x 20 (the
    // separator 50 x 6) painted in a colour of its state.
    void SetUp() override {
        InstallPlatform(&Host);
        Menu.reset(new TPopupMenu(nullptr));
        Menu->SetOwnerDraw(true);
        for (const char* caption : {"&Open", "&Save", "-", "&Print", "&Quit"}) {
            auto* item = new TMenuItem(Menu.get());
            item->SetCaption(caption);
            item->OnMeasureItem = [](TComponent* sender, TCanvas&, int& width, int& height) {
                width = 50;
                height = static_cast<TMenuItem*>(sender)->IsLine() ? 6 : 20;
            };
            item->OnAdvancedDrawItem = [](TComponent*, TCanvas& canvas, const TRect& r,
                                          TOwnerDrawState state) {
                canvas.Brush.Color = StateColor(state);
                canvas.FillRect(r);
            };
            Menu->Items()->Add(item);
        }
        Menu->Items()->Items(3)->SetEnabled(false);
    }
    void TearDown() override {
        Menu.reset();
        InstallPlatform(nullptr);
    }

    // Opens the menu at p; once it is up, user runs with its window.
    TMenuItem* Track(TPoint p, const std::function<void(TQtMenuWindow&)>& user) {
        QTimer::singleShot(0, [&] {
            auto* window = dynamic_cast<TQtMenuWindow*>(QApplication::activePopupWidget());
            if (!window) {
                ADD_FAILURE() << "no popup is up";
                return;
            }
            user(*window);
            // A menu the user left open is closed, so that the test ends.
            window->close();
        });
        return Host.TrackPopupMenu(*Menu, p);
    }

    static void Key(QWidget& window, Qt::Key key, const QString& text = {}) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(&window, &event);
    }

    static void Mouse(QWidget& window, QEvent::Type type, QPoint p) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(p), window.mapToGlobal(QPointF(p)), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &event);
    }

    TMenuItem* Item(int index) const { return Menu->Items()->Items(index); }

    TQtPlatform Host;
    TComponentPtr<TPopupMenu> Menu;
};

} // namespace

TEST_F(QtMenusTest, TheWindowIsLaidOutAndPaintedThroughTheItemsRequests) {
    QImage open;
    TRect bounds;
    TMenuItem* chosen = Track({100, 80}, [&](TQtMenuWindow& window) {
        open = window.Picture();
        bounds = window.Bounds();
    });
    EXPECT_EQ(chosen, nullptr);
    // Four items of 20 and a separator of 6 inside a 3-pixel frame, each item 50 wide as it
    // asks and 12 more (twice the menu font's average character width), as Windows widens it.
    EXPECT_EQ(bounds, Bounds(100, 80, 68, 92));

    // The same painting on the software canvas: the frame, then each item in its state.
    TSoftCanvas expected(68, 92);
    expected.Brush.Color = clMenu;
    TRect frame = Rect(0, 0, 68, 92);
    expected.FillRect(frame);
    expected.DrawEdge(frame, edgeRaised, bfRect);
    const int tops[] = {3, 23, 43, 49, 69};
    for (int i = 0; i < 5; ++i) {
        expected.Brush.Color = StateColor(Item(i)->DrawState(false));
        expected.FillRect(Rect(3, tops[i], 65, tops[i] + (i == 2 ? 6 : 20)));
    }
    EXPECT_TRUE(SamePictures(open, expected));
}

TEST_F(QtMenusTest, TheKeysMoveTheHighlightPastSeparatorsAndEnterChooses) {
    QImage highlighted;
    TMenuItem* chosen = Track({0, 0}, [&](TQtMenuWindow& window) {
        Key(window, Qt::Key_Down); // Open
        Key(window, Qt::Key_Down); // Save
        Key(window, Qt::Key_Down); // past the separator: Print, disabled but highlighted
        highlighted = window.Picture();
        Key(window, Qt::Key_Return); // a disabled item is not chosen
        Key(window, Qt::Key_Up);     // Save
        Key(window, Qt::Key_Return);
    });
    EXPECT_EQ(chosen, Item(1));
    ASSERT_FALSE(highlighted.isNull());
    EXPECT_EQ(highlighted.pixel(10, 55) & 0xFFFFFF, 0xFF0000u) << "Print is highlighted";
    EXPECT_EQ(highlighted.pixel(10, 30) & 0xFFFFFF, 0x00FF00u) << "Save is painted again plain";
}

TEST_F(QtMenusTest, AnAcceleratorOrAClickChoosesAndEscapeCloses) {
    EXPECT_EQ(Track({0, 0}, [](TQtMenuWindow& window) { Key(window, Qt::Key_Q, "q"); }), Item(4));
    EXPECT_EQ(Track({0, 0},
                    [](TQtMenuWindow& window) {
                        Mouse(window, QEvent::MouseMove, QPoint(20, 30));
                        Mouse(window, QEvent::MouseButtonPress, QPoint(20, 30));
                        Mouse(window, QEvent::MouseButtonRelease, QPoint(20, 30));
                    }),
              Item(1));
    // The disabled item and the separator take no click; Escape closes without a choice.
    EXPECT_EQ(Track({0, 0},
                    [](TQtMenuWindow& window) {
                        Mouse(window, QEvent::MouseButtonRelease, QPoint(20, 55));
                        Mouse(window, QEvent::MouseButtonRelease, QPoint(20, 45));
                        Key(window, Qt::Key_Escape);
                        EXPECT_FALSE(window.isVisible());
                    }),
              nullptr);
}

TEST_F(QtMenusTest, AMenuNearTheScreenEdgeIsMovedInside) {
    const TSize screen = Host.ScreenSize();
    TRect bounds;
    Track({screen.cx - 10, screen.cy - 10},
          [&](TQtMenuWindow& window) { bounds = window.Bounds(); });
    EXPECT_EQ(bounds, Bounds(screen.cx - 68, screen.cy - 92, 68, 92));
}

TEST_F(QtMenusTest, TheMenusReachTheirWindowThroughItsCanvas) {
    Track({10, 20}, [&](TQtMenuWindow& window) {
        const TMenuWindow id = Host.WindowOfCanvas(window.ItemCanvas());
        ASSERT_EQ(id, window.Id());
        TRect r;
        ASSERT_TRUE(Host.GetWindowRect(id, r));
        EXPECT_EQ(r, Bounds(10, 20, 68, 92));
        ASSERT_TRUE(Host.GetClientRect(id, r));
        EXPECT_EQ(r, Rect(0, 0, 68, 92));
        EXPECT_TRUE(Host.SetUserData(id, 0x1234));
        EXPECT_EQ(Host.GetUserData(id), 0x1234u);

        // The layered alpha is the window's opacity, for a layered window only.
        const TSetLayeredWindowAttributes setAlpha =
            Host.FindLayeredFunction("USER32.DLL", "SetLayeredWindowAttributes");
        ASSERT_TRUE(setAlpha);
        EXPECT_FALSE(setAlpha(id, 0, 128, lwaAlpha));
        EXPECT_TRUE(Host.SetExStyle(id, Host.GetExStyle(id) | wsExLayered));
        EXPECT_TRUE(setAlpha(id, 0, 128, lwaAlpha));
        EXPECT_NEAR(window.windowOpacity(), 128 / 255.0, 0.01);

        // The region is the window's mask.
        EXPECT_TRUE(Host.SetWindowRegion(id, Rect(0, 0, 40, 50), true));
        EXPECT_EQ(window.mask().boundingRect(), QRect(0, 0, 40, 50));
        EXPECT_TRUE(Host.SetWindowRegion(id, std::nullopt, true));
        EXPECT_TRUE(window.mask().isEmpty());

        // A canvas on the whole window paints its pixels, beside the items' canvas.
        const std::unique_ptr<TCanvas> whole = Host.WindowCanvas(id);
        ASSERT_NE(whole, nullptr);
        EXPECT_EQ(Host.WindowOfCanvas(*whole), id);
        whole->Brush.Color = clBlue;
        whole->FillRect(Rect(0, 0, 2, 2));
        EXPECT_EQ(window.Picture().pixel(1, 1) & 0xFFFFFF, 0x0000FFu);
    });
    // Once the menu is gone, so is its window.
    TRect r;
    EXPECT_FALSE(Host.GetWindowRect(0x1000, r));
    EXPECT_FALSE(Host.FindLayeredFunction("gdi32.dll", "SetLayeredWindowAttributes"));
}
