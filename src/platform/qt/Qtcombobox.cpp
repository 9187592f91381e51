#include "platform/qt/Qtcombobox.h"

#include "platform/qt/Qtfont.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QSignalBlocker>

namespace {

class TComboWidget : public QComboBox {
public:
    TComboWidget(TWinControl& control, QWidget* parent) : QComboBox(parent), Control(control) {
        setFocusPolicy(Qt::ClickFocus);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        DeliverKeyPress(Control, *this, *event, [this, event] { QComboBox::keyPressEvent(event); });
    }
    void keyReleaseEvent(QKeyEvent* event) override { DeliverKeyRelease(Control, *event); }
    void focusInEvent(QFocusEvent* event) override {
        QComboBox::focusInEvent(event);
        Application().RunGuarded([&] { Control.WindowFocused(); });
    }
    // Tab is the toolkit's: the form moves the focus (TForm::DialogKey), not Qt.
    bool focusNextPrevChild(bool /*next*/) override { return false; }

private:
    TWinControl& Control;
};

} // namespace

TQtComboBoxPeer::TQtComboBoxPeer(TDriveComboBox& comboBox, QWidget* parent)
    : TQtPeer(comboBox, new TComboWidget(comboBox, parent), true), Combo(comboBox) {
    auto* combo = static_cast<QComboBox*>(Widget());
    combo->setFont(QtFont(comboBox.Font()));
    QObject::connect(combo, &QComboBox::activated, combo, [this](int index) {
        if (index != Combo.ItemIndex()) {
            Application().RunGuarded([&] { Combo.SetItemIndex(index); });
        }
    });
    ApplyItems();
}

void TQtComboBoxPeer::Changed(TPeerChange change) {
    auto* combo = static_cast<QComboBox*>(Widget());
    if (!combo) {
        return;
    }
    switch (change) {
    case TPeerChange::Items:
        ApplyItems();
        break;
    case TPeerChange::Selection:
        ApplyChoice();
        break;
    case TPeerChange::Font:
        combo->setFont(QtFont(Combo.Font()));
        break;
    default:
        TQtPeer::Changed(change);
        break;
    }
}

void TQtComboBoxPeer::ApplyItems() {
    auto* combo = static_cast<QComboBox*>(Widget());
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (const std::string& drive : Combo.Items().Texts()) {
        combo->addItem(QString::fromLatin1(drive.data(), qsizetype(drive.size())));
    }
    ApplyChoice();
}

void TQtComboBoxPeer::ApplyChoice() {
    auto* combo = static_cast<QComboBox*>(Widget());
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(Combo.ItemIndex());
}
