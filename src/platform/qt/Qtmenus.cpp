#include "platform/qt/Qtmenus.h"

#include "platform/qt/Qtplatform.h"
#include "toolkit/Controls.h"
#include "toolkit/Forms.h"
#include "toolkit/Sysutils.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>

TQtMenuWindow::TQtMenuWindow(TMenuWindow id, TMenuLayout layout, TPoint place)
    : QWidget(nullptr, Qt::Popup), WindowId(id), Layout(std::move(layout)),
      WindowBounds(
          ::Bounds(place.X, place.Y, std::max(Layout.Size.cx, 1), std::max(Layout.Size.cy, 1))),
      Pixels(std::size_t(WindowBounds.Width()) * std::size_t(WindowBounds.Height())) {
    ItemImage = Alias();
    Items = std::make_unique<TQtCanvas>(ItemImage);
    setGeometry(WindowBounds.Left, WindowBounds.Top, WindowBounds.Width(), WindowBounds.Height());
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TQtMenuWindow::~TQtMenuWindow() = default;

QImage TQtMenuWindow::Alias() {
    return QImage(reinterpret_cast<uchar*>(Pixels.data()), WindowBounds.Width(),
                  WindowBounds.Height(), WindowBounds.Width() * 4, QImage::Format_RGB32);
}

std::unique_ptr<TQtMenuWindowCanvas> TQtMenuWindow::WholeCanvas() {
    update();
    return std::make_unique<TQtMenuWindowCanvas>(WindowId, Alias());
}

QImage TQtMenuWindow::Picture() const {
    return QImage(reinterpret_cast<const uchar*>(Pixels.data()), WindowBounds.Width(),
                  WindowBounds.Height(), WindowBounds.Width() * 4, QImage::Format_RGB32)
        .copy();
}

TMenuItem* TQtMenuWindow::Track() {
    // The system's frame, then every item.
    TQtCanvas& canvas = *Items;
    canvas.Font = TFont();
    canvas.Brush = TBrush{clMenu, TBrushStyle::Solid};
    TRect frame = Rect(0, 0, WindowBounds.Width(), WindowBounds.Height());
    canvas.FillRect(frame);
    canvas.DrawEdge(frame, edgeRaised, bfRect);
    for (std::size_t i = 0; i < Layout.Items.size(); ++i) {
        PaintItem(int(i), false);
    }
    show();
    Loop.exec();
    return Chosen >= 0 ? Layout.Items[std::size_t(Chosen)] : nullptr;
}

void TQtMenuWindow::PaintItem(int index, bool selected) {
    TMenuItem* item = Layout.Items[std::size_t(index)];
    const TRect r = Layout.Rects[std::size_t(index)];
    const TOwnerDrawState state = item->DrawState(selected);
    TQtCanvas& canvas = *Items;
    const int saved = canvas.SaveDC();
    // The canvas as the system hands it to a draw request: the menu font, the menu colour.
    canvas.Font = TFont();
    canvas.Brush = TBrush{clMenu, TBrushStyle::Solid};
    canvas.Pen = TPen();
    Application().RunGuarded([&] { item->DrawItem(canvas, r, state); });
    canvas.RestoreDC(saved);
    update(r.Left, r.Top, r.Width(), r.Height());
}

void TQtMenuWindow::MoveHighlight(int index) {
    if (index == Highlight) {
        return;
    }
    const int old = Highlight;
    Highlight = index;
    if (old >= 0) {
        PaintItem(old, false);
    }
    if (index >= 0) {
        PaintItem(index, true);
    }
}

int TQtMenuWindow::Step(int direction) const {
    const int count = int(Layout.Items.size());
    int index = Highlight;
    for (int i = 0; i < count; ++i) {
        index = index < 0 ? (direction > 0 ? 0 : count - 1) : (index + direction + count) % count;
        if (!Layout.Items[std::size_t(index)]->IsLine()) {
            return index;
        }
    }
    return Highlight;
}

void TQtMenuWindow::Choose(int index) {
    if (index < 0) {
        return;
    }
    const TMenuItem* item = Layout.Items[std::size_t(index)];
    if (item->IsLine() || !item->Enabled()) {
        return;
    }
    Chosen = index;
    close();
}

int TQtMenuWindow::ItemAt(QPoint p) const {
    for (std::size_t i = 0; i < Layout.Rects.size(); ++i) {
        if (Layout.Rects[i].Contains({p.x(), p.y()})) {
            return int(i);
        }
    }
    return -1;
}

void TQtMenuWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(0, 0, Alias());
}

void TQtMenuWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Down:
        MoveHighlight(Step(1));
        return;
    case Qt::Key_Up:
        MoveHighlight(Step(-1));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Choose(Highlight);
        return;
    case Qt::Key_Escape:
        close();
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() != 1 || text[0].unicode() > 0xFF) {
        return;
    }
    for (std::size_t i = 0; i < Layout.Items.size(); ++i) {
        if (IsAccel(char(text[0].unicode()), Layout.Items[i]->Caption())) {
            MoveHighlight(int(i));
            Choose(int(i));
            return;
        }
    }
}

void TQtMenuWindow::mouseMoveEvent(QMouseEvent* event) {
    const int index = ItemAt(event->position().toPoint());
    if (index >= 0 && !Layout.Items[std::size_t(index)]->IsLine()) {
        MoveHighlight(index);
    }
}

void TQtMenuWindow::mouseReleaseEvent(QMouseEvent* event) {
    Choose(ItemAt(event->position().toPoint()));
}

void TQtMenuWindow::hideEvent(QHideEvent* /*event*/) {
    Loop.quit();
}

// ---- The platform's menu windows ---------------------------------------------------------------

TMenuItem* TQtPlatform::TrackPopupMenu(TPopupMenu& menu, TPoint p) {
    QImage probe(1, 1, QImage::Format_RGB32);
    TMenuLayout layout;
    {
        TQtCanvas measure(probe);
        // The room the Windows menu gives an owner-drawn item beyond the width it asks for,
        // which the draw module's layouts were made with.
        measure.Font = TFont();
        layout = LayOutMenu(menu, measure, 2 * GetAveCharSize(measure).cx);
    }
    // Kept inside the screen, as the system moves a menu that would leave it.
    const TSize screen = ScreenSize();
    const TPoint place{std::max(0, std::min(p.X, screen.cx - layout.Size.cx)),
                       std::max(0, std::min(p.Y, screen.cy - layout.Size.cy))};
    TQtMenuWindow window(NextMenuWindow++, std::move(layout), place);
    MenuWindows.push_back(&window);
    struct TClose {
        std::vector<TQtMenuWindow*>& Windows;
        ~TClose() { Windows.pop_back(); }
    } close{MenuWindows};
    return window.Track();
}

int TQtPlatform::MenuItemHeight() {
    // The classic scheme's menu height: the menu font's cell and five pixels (18 for the
    // 13-pixel "MS Sans Serif").
    QImage probe(1, 1, QImage::Format_RGB32);
    TQtCanvas canvas(probe);
    return canvas.TextHeight("M") + 5;
}

TQtMenuWindow* TQtPlatform::FindMenuWindow(TMenuWindow window) const {
    for (TQtMenuWindow* each : MenuWindows) {
        if (each->Id() == window) {
            return each;
        }
    }
    return nullptr;
}

TMenuWindow TQtPlatform::WindowOfCanvas(TCanvas& canvas) {
    if (auto* whole = dynamic_cast<TQtMenuWindowCanvas*>(&canvas)) {
        return FindMenuWindow(whole->Window) ? whole->Window : 0;
    }
    for (TQtMenuWindow* window : MenuWindows) {
        if (&window->ItemCanvas() == &canvas) {
            return window->Id();
        }
    }
    return 0;
}

std::uint32_t TQtPlatform::GetExStyle(TMenuWindow window) {
    const TQtMenuWindow* found = FindMenuWindow(window);
    return found ? found->ExStyle : 0;
}

bool TQtPlatform::SetExStyle(TMenuWindow window, std::uint32_t exStyle) {
    TQtMenuWindow* found = FindMenuWindow(window);
    if (found) {
        found->ExStyle = exStyle;
    }
    return found != nullptr;
}

std::uintptr_t TQtPlatform::GetUserData(TMenuWindow window) {
    const TQtMenuWindow* found = FindMenuWindow(window);
    return found ? found->UserData : 0;
}

bool TQtPlatform::SetUserData(TMenuWindow window, std::uintptr_t data) {
    TQtMenuWindow* found = FindMenuWindow(window);
    if (found) {
        found->UserData = data;
    }
    return found != nullptr;
}

bool TQtPlatform::GetClientRect(TMenuWindow window, TRect& r) {
    const TQtMenuWindow* found = FindMenuWindow(window);
    if (found) {
        r = Rect(0, 0, found->Bounds().Width(), found->Bounds().Height());
    }
    return found != nullptr;
}

bool TQtPlatform::GetWindowRect(TMenuWindow window, TRect& r) {
    const TQtMenuWindow* found = FindMenuWindow(window);
    if (found) {
        r = found->Bounds();
    }
    return found != nullptr;
}

bool TQtPlatform::SetWindowRegion(TMenuWindow window, const std::optional<TRect>& r, bool redraw) {
    TQtMenuWindow* found = FindMenuWindow(window);
    if (!found) {
        return false;
    }
    found->Region = r;
    if (r) {
        found->setMask(QRegion(r->Left, r->Top, r->Width(), r->Height()));
    } else {
        found->clearMask();
    }
    if (redraw) {
        found->update();
    }
    return true;
}

std::unique_ptr<TCanvas> TQtPlatform::WindowCanvas(TMenuWindow window) {
    TQtMenuWindow* found = FindMenuWindow(window);
    if (!found) {
        return nullptr;
    }
    return found->WholeCanvas();
}

TSetLayeredWindowAttributes TQtPlatform::FindLayeredFunction(const std::string& library,
                                                             const std::string& name) {
    if (UpperCase(library) != "USER32.DLL") {
        return {};
    }
    if (name == "SetLayeredWindowAttributes") {
        return [this](TMenuWindow window, TColor /*key*/, std::uint8_t alpha, std::uint32_t flags) {
            TQtMenuWindow* found = FindMenuWindow(window);
            // As on Windows, only a layered window takes attributes.
            if (!found || !(found->ExStyle & wsExLayered)) {
                return false;
            }
            if (flags & lwaAlpha) {
                found->setWindowOpacity(alpha / 255.0);
            }
            return true;
        };
    }
    if (name == "UpdateLayeredWindow") {
        return [](TMenuWindow, TColor, std::uint8_t, std::uint32_t) { return false; };
    }
    return {};
}
