#pragma once
// The popup menu's window of the Qt platform: a Qt popup widget over pixels of its own.
//
// The menu is laid out as on the headless platform (Menulayout.h) and painted into the
// window's pixels through the items' draw requests, on a Qt canvas: the frame first, then each
// item, and an item again whenever the highlight enters or leaves it. The widget shows those
// pixels. Draw requests and a canvas on the whole window (TMenuPlatform::WindowCanvas) may paint
// at any time, not only in a paint event, which is why the pixels are the window's own: each
// canvas is a QImage over the same memory, so that two may be painting at once.
//
// A menu behaves as the system's: the up and down keys move the highlight over the items that
// are no separators, wrapping around; Enter chooses the highlighted item, the accelerator letter
// its item; the pointer highlights the item under it and a click chooses it; Escape, or a click
// outside the window (Qt closes a popup then), closes the menu without a choice. Disabled items
// and separators are never chosen. The layered alpha is the window's opacity, the region its
// mask.

#include "platform/headless/Menulayout.h"
#include "platform/qt/Qtcanvas.h"

#include <QEventLoop>
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// The image a canvas paints on, made before the canvas and gone after it.
struct TQtImageHolder {
    QImage Image;
};

// A canvas on the whole of a menu window, as TMenuPlatform::WindowCanvas hands it out.
class TQtMenuWindowCanvas : private TQtImageHolder, public TQtCanvas {
public:
    TQtMenuWindowCanvas(TMenuWindow window, QImage image)
        : TQtImageHolder{std::move(image)}, TQtCanvas(TQtImageHolder::Image), Window(window) {}
    const TMenuWindow Window;
};

class TQtMenuWindow : public QWidget {
public:
    // The window id, the layout and the window's place on the screen.
    TQtMenuWindow(TMenuWindow id, TMenuLayout layout, TPoint place);
    ~TQtMenuWindow() override;

    // Paints the frame and every item, shows the window and runs until the menu closes; the
    // chosen item, or nullptr.
    TMenuItem* Track();

    TMenuWindow Id() const { return WindowId; }
    TRect Bounds() const { return WindowBounds; }
    // A canvas over all of the window's pixels; ItemCanvas is the one of the draw requests.
    std::unique_ptr<TQtMenuWindowCanvas> WholeCanvas();
    TQtCanvas& ItemCanvas() { return *Items; }
    QImage Picture() const;

    std::uint32_t ExStyle = 0;
    std::uintptr_t UserData = 0;
    // The rectangle given by SetWindowRegion, if one was.
    std::optional<TRect> Region;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void PaintItem(int index, bool selected);
    void MoveHighlight(int index);
    // The next item that is no separator after (or before) the highlighted one, wrapping.
    int Step(int direction) const;
    // Chooses item index, when it can be chosen, and closes the menu.
    void Choose(int index);
    int ItemAt(QPoint p) const;
    // A 32-bit image over the window's pixels.
    QImage Alias();

    TMenuWindow WindowId;
    TMenuLayout Layout;
    TRect WindowBounds;
    std::vector<std::uint32_t> Pixels;
    QImage ItemImage;
    std::unique_ptr<TQtCanvas> Items;
    QEventLoop Loop;
    int Highlight = -1;
    int Chosen = -1;
};
