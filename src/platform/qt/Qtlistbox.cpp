#include "platform/qt/Qtlistbox.h"

#include "platform/qt/Qtcanvas.h"
#include "platform/qt/Qtfont.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <functional>

namespace {

// The classic sunken edge around the items, as the toolkit's own list paints it.
constexpr int edgeWidth = 2;

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QColor Native(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

// Paints each item with the control's DrawItem, at the control's item height.
class TItemDelegate : public QStyledItemDelegate {
public:
    TItemDelegate(const TListBox& list, QObject* parent)
        : QStyledItemDelegate(parent), List(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int row = index.row();
        const bool marked = row < List.Items().Count() ? List.Selected(row)
                                                       : (option.state & QStyle::State_Selected);
        QImage image(option.rect.size(), QImage::Format_RGB32);
        {
            TQtCanvas canvas(image);
            Application().RunGuarded([&] {
                List.DrawItem(canvas, row, Rect(0, 0, image.width(), image.height()), marked,
                              option.state & QStyle::State_HasFocus);
            });
        }
        painter->drawImage(option.rect.topLeft(), image);
    }
    QSize sizeHint(const QStyleOptionViewItem& /*option*/,
                   const QModelIndex& /*index*/) const override {
        return {1, List.ItemHeight()};
    }

private:
    const TListBox& List;
};

class TListWidget : public QListWidget {
public:
    TListWidget(TListBox& list, QWidget* parent) : QListWidget(parent), List(list) {
        setFrameShape(QFrame::NoFrame);
        setViewportMargins(edgeWidth, edgeWidth, edgeWidth, edgeWidth);
        setUniformItemSizes(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setFocusPolicy(Qt::ClickFocus);
        setMouseTracking(true);
        viewport()->setMouseTracking(true);
        setItemDelegate(new TItemDelegate(list, this));
    }

    // Set by the peer: the marks the user changed go back to the control.
    std::function<void()> UserMarks;
    // Whether Qt changed the marks or the current item while it handled an event.
    bool MarksMoved = false;

protected:
    // The frame is the classic sunken edge.
    bool event(QEvent* event) override {
        if (event->type() != QEvent::Paint) {
            return QListWidget::event(event);
        }
        TQtCanvas canvas(*this);
        TRect r = Rect(0, 0, width(), height());
        canvas.DrawEdge(r, edgeSunken, bfRect);
        return true;
    }
    bool viewportEvent(QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            auto* help = static_cast<QHelpEvent*>(event);
            if (List.ShowHint() && !List.Hint().empty()) {
                QToolTip::showText(help->globalPos(), Latin1(List.Hint()), this);
            } else {
                QToolTip::hideText();
                event->ignore();
            }
            return true;
        }
        if (event->type() == QEvent::Leave) {
            Application().RunGuarded([&] { List.WindowMouseLeave(); });
        }
        return QListWidget::viewportEvent(event);
    }
    // Qt handles the mouse first, then the control hears of it, in its client coordinates.
    void mousePressEvent(QMouseEvent* event) override {
        QListWidget::mousePressEvent(event);
        Forward(*event, [&](TMouseButton button, TShiftState shift, QPoint p) {
            List.WindowMouseDown(button, shift, p.x(), p.y());
        });
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QListWidget::mouseReleaseEvent(event);
        Forward(*event, [&](TMouseButton button, TShiftState shift, QPoint p) {
            List.WindowMouseUp(button, shift, p.x(), p.y());
        });
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QListWidget::mouseDoubleClickEvent(event);
        if (event->button() == Qt::LeftButton) {
            Forward(*event, [&](TMouseButton, TShiftState shift, QPoint p) {
                List.WindowDoubleClick(shift, p.x(), p.y());
            });
        }
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        QListWidget::mouseMoveEvent(event);
        const QPoint p = event->position().toPoint() + viewport()->pos();
        const TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
        Application().RunGuarded([&] { List.WindowMouseMove(shift, p.x(), p.y()); });
    }
    void keyPressEvent(QKeyEvent* event) override {
        DeliverKeyPress(List, *this, *event, [this, event] {
            QListWidget::keyPressEvent(event);
            TakeMarks();
        });
    }
    void keyReleaseEvent(QKeyEvent* event) override { DeliverKeyRelease(List, *event); }
    void focusInEvent(QFocusEvent* event) override {
        QListWidget::focusInEvent(event);
        Application().RunGuarded([&] { List.WindowFocused(); });
    }
    // Tab is the toolkit's: the form moves the focus (TForm::DialogKey), not Qt.
    bool focusNextPrevChild(bool /*next*/) override { return false; }

private:
    // Hands the marks Qt changed to the control, once, when Qt has settled them.
    void TakeMarks() {
        if (MarksMoved && UserMarks) {
            MarksMoved = false;
            UserMarks();
        }
    }
    // The marks first, then the mouse event at its place in the control's client area. A
    // handler may free the control, and with it this widget.
    void Forward(QMouseEvent& event,
                 const std::function<void(TMouseButton, TShiftState, QPoint)>& deliver) {
        const QPointer<QWidget> alive(this);
        TakeMarks();
        TMouseButton button;
        if (!alive || !ButtonOf(event.button(), button)) {
            return;
        }
        const QPoint p = event.position().toPoint() + viewport()->pos();
        const TShiftState shift = ShiftOf(event.modifiers(), event.buttons());
        Application().RunGuarded([&] { deliver(button, shift, p); });
    }

    TListBox& List;
};

} // namespace

TQtListBoxPeer::TQtListBoxPeer(TListBox& listBox, QWidget* parent)
    : TQtPeer(listBox, new TListWidget(listBox, parent), true), ListBox(listBox) {
    auto* list = static_cast<TListWidget*>(Widget());
    list->UserMarks = [this] { ReadMarks(); };
    const auto moved = [list] { list->MarksMoved = true; };
    QObject::connect(list, &QListWidget::itemSelectionChanged, list, moved);
    QObject::connect(list, &QListWidget::currentRowChanged, list, moved);
    ApplyLooks();
    ApplyItems();
}

QListWidget* TQtListBoxPeer::List() const {
    return static_cast<QListWidget*>(Widget());
}

void TQtListBoxPeer::Changed(TPeerChange change) {
    if (!List()) {
        return;
    }
    switch (change) {
    case TPeerChange::Items:
        ApplyItems();
        break;
    case TPeerChange::Selection:
        ApplyMarks();
        break;
    case TPeerChange::Font:
    case TPeerChange::Color:
    case TPeerChange::Style:
        ApplyLooks();
        break;
    default:
        TQtPeer::Changed(change);
        break;
    }
}

void TQtListBoxPeer::Invalidate(const TRect& /*r*/) {
    if (QListWidget* list = List()) {
        // The item height may be what changed.
        if (LaidOutHeight != ListBox.ItemHeight()) {
            LaidOutHeight = ListBox.ItemHeight();
            list->doItemsLayout();
        }
        list->viewport()->update();
    }
}

void TQtListBoxPeer::Update() {
    if (QListWidget* list = List()) {
        list->viewport()->repaint();
    }
}

void TQtListBoxPeer::ApplyLooks() {
    QListWidget* list = List();
    list->setFont(QtFont(ListBox.Font()));
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, Native(ListBox.Color()));
    list->setPalette(palette);
    list->setSelectionMode(ListBox.MultiSelect() ? QAbstractItemView::ExtendedSelection
                                                 : QAbstractItemView::SingleSelection);
    ApplyMarks();
    LaidOutHeight = ListBox.ItemHeight();
    list->doItemsLayout();
}

void TQtListBoxPeer::ApplyItems() {
    QListWidget* list = List();
    const QSignalBlocker quiet(list);
    const std::vector<std::string>& items = ListBox.Items().Texts();
    const auto [head, tail] = TextsChange(Shown, items);
    const std::size_t removed = Shown.size() - head - tail;
    const std::size_t added = items.size() - head - tail;
    // A listing of thousands filled at once is laid out and painted once, not item by item.
    list->setUpdatesEnabled(false);
    if (removed == Shown.size()) {
        list->clear();
    } else {
        for (std::size_t i = 0; i < removed; ++i) {
            delete list->takeItem(int(head));
        }
    }
    QStringList texts;
    texts.reserve(qsizetype(added));
    for (std::size_t i = 0; i < added; ++i) {
        texts.append(Latin1(items[head + i]));
    }
    list->insertItems(int(head), texts);
    // Laid out now rather than at Qt's next turn, so that the items can be scrolled to and
    // painted at once.
    list->doItemsLayout();
    list->setUpdatesEnabled(true);
    Shown = items;
    ApplyMarks();
}

void TQtListBoxPeer::ApplyMarks() {
    QListWidget* list = List();
    const int count = ListBox.Items().Count();
    if (int(Shown.size()) != count) {
        return; // the items follow, and the marks with them
    }
    const QSignalBlocker quiet(list);
    for (int i = 0; i < count; ++i) {
        QListWidgetItem* item = list->item(i);
        if (item->isSelected() != ListBox.Selected(i)) {
            item->setSelected(ListBox.Selected(i));
        }
    }
    const int current = ListBox.ItemIndex();
    if (list->currentRow() != current) {
        list->setCurrentRow(current, QItemSelectionModel::NoUpdate);
        // As the system's list, the current item is scrolled into view.
        if (current >= 0) {
            list->scrollToItem(list->item(current));
        }
    }
    list->viewport()->update();
}

void TQtListBoxPeer::ReadMarks() {
    QListWidget* list = List();
    std::vector<bool> marks(Shown.size(), false);
    for (int i = 0; i < list->count() && i < int(marks.size()); ++i) {
        marks[std::size_t(i)] = list->item(i)->isSelected();
    }
    Application().RunGuarded([&] { ListBox.SelectionChangedByUser(marks, list->currentRow()); });
}
