#include "platform/qt/Qtplatform.h"

#include "platform/headless/Syscolors.h"
#include "platform/headless/Sysicons.h"
#include "platform/qt/Qtbitmap.h"
#include "platform/qt/Qtcombobox.h"
#include "platform/qt/Qtlistbox.h"
#include "platform/qt/Qtpeer.h"
#include "toolkit/Forms.h"
#include "toolkit/Sysutils.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QPainter>
#include <QPalette>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>

namespace {

TColor FromQt(const QColor& color) {
    return RGB(std::uint8_t(color.red()), std::uint8_t(color.green()), std::uint8_t(color.blue()));
}

std::string ToLocal(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// The palette role that stands for a system colour index (a Win32 COLOR_ index), with its
// group; false for the indexes a palette has no role for.
bool PaletteRole(int index, QPalette::ColorGroup& group, QPalette::ColorRole& role) {
    group = QPalette::Active;
    switch (index) {
    case 4:  // menu
    case 15: // button face
    case 30: // menu bar
        role = index == 15 ? QPalette::Button : QPalette::Window;
        return true;
    case 5: // window
        role = QPalette::Base;
        return true;
    case 7: // menu text
        role = QPalette::WindowText;
        return true;
    case 8: // window text
        role = QPalette::Text;
        return true;
    case 13: // highlight
    case 29: // menu highlight
        role = QPalette::Highlight;
        return true;
    case 14: // highlight text
        role = QPalette::HighlightedText;
        return true;
    case 16: // button shadow
        role = QPalette::Dark;
        return true;
    case 17: // grey text
        group = QPalette::Disabled;
        role = QPalette::Text;
        return true;
    case 18: // button text
        role = QPalette::ButtonText;
        return true;
    case 20: // button highlight
        role = QPalette::Light;
        return true;
    case 21: // 3D dark shadow
        role = QPalette::Shadow;
        return true;
    case 22: // 3D light
        role = QPalette::Midlight;
        return true;
    case 23: // info text
        role = QPalette::ToolTipText;
        return true;
    case 24: // info background
        role = QPalette::ToolTipBase;
        return true;
    default:
        return false;
    }
}

QStyle::StandardPixmap StandardIcon(TSystemIcon icon) {
    switch (icon) {
    case siHand:
        return QStyle::SP_MessageBoxCritical;
    case siQuestion:
        return QStyle::SP_MessageBoxQuestion;
    case siExclamation:
        return QStyle::SP_MessageBoxWarning;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}

} // namespace

std::string DesktopEntryText(const TShellLink& link, const std::string& name) {
    // The program is quoted in Exec, where ", `, $ and \ take a backslash; every backslash of
    // the line is then doubled again, as the file's string values are escaped.
    std::string quoted = "\"";
    for (const char c : link.Path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    quoted += "\"";
    std::string exec;
    for (const char c : link.Arguments.empty() ? quoted : quoted + " " + link.Arguments) {
        exec += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    std::string text = "[Desktop Entry]\nType=Application\n";
    text += "Name=" + (link.Description.empty() ? name : link.Description) + "\n";
    text += "Exec=" + exec + "\n";
    // The name without folder and extension: an icon name never has either.
    const std::string program = ToLocal(QFileInfo(QString::fromLocal8Bit(link.Path)).baseName());
    if (!program.empty()) {
        text += "Icon=" + program + "\n";
    }
    if (!link.WorkingDirectory.empty()) {
        text += "Path=" + link.WorkingDirectory + "\n";
    }
    text += "Terminal=false\n";
    return text;
}

void TQtPlatform::AddBitmapResource(const std::string& name, const TBitmap& bitmap) {
    Resources[name] = bitmap;
}

TColor TQtPlatform::SysColor(int index) {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    if (!PaletteRole(index, group, role)) {
        return ClassicSysColor(index);
    }
    return FromQt(QApplication::palette().color(group, role));
}

std::unique_ptr<TBitmapImage> TQtPlatform::CreateBitmapImage(int width, int height) {
    return std::make_unique<TQtBitmapImage>(width, height);
}

TBitmap TQtPlatform::SystemIcon(TSystemIcon icon) {
    if (icon != siHand && icon != siQuestion && icon != siExclamation && icon != siAsterisk) {
        return {};
    }
    const QIcon standard = QApplication::style()->standardIcon(StandardIcon(icon));
    if (standard.isNull()) {
        return ClassicSystemIcon(icon);
    }
    // The icon over fuchsia, its half-transparent edge pixels taken as wholly one or the other.
    const QImage picture = standard.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    TBitmap bitmap(32, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel =
                x < picture.width() && y < picture.height() ? picture.pixel(x, y) : 0;
            bitmap.SetPixel(x, y,
                            qAlpha(pixel) < 128
                                ? clFuchsia
                                : RGB(std::uint8_t(qRed(pixel)), std::uint8_t(qGreen(pixel)),
                                      std::uint8_t(qBlue(pixel))));
        }
    }
    return bitmap;
}

bool TQtPlatform::LoadBitmapResource(const std::string& name, TBitmap& bitmap) {
    const auto found = Resources.find(name);
    if (found == Resources.end()) {
        return false;
    }
    bitmap = found->second;
    return true;
}

TSize TQtPlatform::ScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? TSize{screen->size().width(), screen->size().height()} : TSize{};
}

TPoint TQtPlatform::CursorPos() {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

void TQtPlatform::SetScreenCursor(int cursor) {
    // The toolkit keeps the nesting of busy cursors itself: one override at a time.
    if (ScreenCursorShown) {
        QGuiApplication::restoreOverrideCursor();
        ScreenCursorShown = false;
    }
    if (cursor != crDefault) {
        QGuiApplication::setOverrideCursor(QCursor(QtCursorShape(TCursor(cursor))));
        ScreenCursorShown = true;
    }
}

int TQtPlatform::PixelsPerInch() {
    // The layouts are made in pixels at 96 dots per inch; fonts are given in pixels too.
    return 96;
}

void TQtPlatform::MessageBeep(TSoundType /*type*/) {
    // The desktop has one bell for every kind of sound.
    QApplication::beep();
}

std::unique_ptr<TWindowPeer> TQtPlatform::CreatePeer(TWinControl& control) {
    if (dynamic_cast<TForm*>(&control)) {
        return std::make_unique<TQtPeer>(control, nullptr);
    }
    // Every other window is a child of its parent's window.
    TWinControl* parent = control.Parent();
    auto* parentPeer = parent ? dynamic_cast<TQtPeer*>(parent->Peer()) : nullptr;
    if (!parentPeer || !parentPeer->Widget()) {
        return nullptr;
    }
    if (auto* edit = dynamic_cast<TEdit*>(&control)) {
        return std::make_unique<TQtEditPeer>(*edit, parentPeer->Widget());
    }
    if (auto* drives = dynamic_cast<TDriveComboBox*>(&control)) {
        return std::make_unique<TQtComboBoxPeer>(*drives, parentPeer->Widget());
    }
    if (auto* list = dynamic_cast<TListBox*>(&control)) {
        return std::make_unique<TQtListBoxPeer>(*list, parentPeer->Widget());
    }
    return std::make_unique<TQtPeer>(control, parentPeer->Widget());
}

TRect TQtPlatform::FrameInsets(const TForm& form) {
    // The desktop's window manager draws the frame outside the widget, so the form's client
    // area keeps the size it has in the Windows program: the classic frame's metrics.
    switch (form.BorderStyle()) {
    case bsNone:
        return {};
    case bsSizeable:
        return {4, 4 + 19, 4, 4};
    default:
        return {3, 3 + 19, 3, 3};
    }
}

void TQtPlatform::RunModal(TForm& form) {
    ActivateForm(form);
    while (form.ModalResult() == mrNone) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void TQtPlatform::RunMessageLoop() {
    if (TForm* main = Application().MainForm(); main && main->Visible()) {
        ActivateForm(*main);
    }
    while (!Application().Terminated()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void TQtPlatform::QuitMessageLoop() {
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        dispatcher->wakeUp();
    }
}

void TQtPlatform::ShowErrorBox(const std::string& title, const std::string& message) {
    QMessageBox::critical(nullptr, QString::fromLocal8Bit(title.data(), qsizetype(title.size())),
                          QString::fromLocal8Bit(message.data(), qsizetype(message.size())));
}

std::string TQtPlatform::ExeName() {
    return ToLocal(QCoreApplication::applicationFilePath());
}

std::string TQtPlatform::CommandLine() {
    // As the system would write it: arguments with blanks in double quotes.
    std::string line;
    for (const QString& argument : QCoreApplication::arguments()) {
        const std::string text = ToLocal(argument);
        line += line.empty() ? "" : " ";
        line += text.find(' ') != std::string::npos ? "\"" + text + "\"" : text;
    }
    return line;
}

std::string TQtPlatform::TQtShell::SpecialFolderPath(int csidl) {
    QStandardPaths::StandardLocation location;
    switch (csidl) {
    case 0x0000: // the desktop
    case 0x0010: // the desktop folder
        location = QStandardPaths::DesktopLocation;
        break;
    case 0x0005: // the documents
        location = QStandardPaths::DocumentsLocation;
        break;
    default:
        return {};
    }
    // Qt names $HOME/Desktop even when the user has no such folder.
    const QString path = QStandardPaths::writableLocation(location);
    return QFileInfo(path).isDir() ? ToLocal(path) : std::string();
}

std::string TQtPlatform::TQtShell::LinkFileName(const std::string& linkName) {
    return LowerCase(linkName) + ".desktop";
}

std::string TQtPlatform::TQtShell::ProgramFileName(const std::string& programName) {
    return LowerCase(programName);
}

std::string TQtPlatform::TQtShell::SettingsFolder(const std::string& programName) {
    // $XDG_CONFIG_HOME, or ~/.config without it.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           "/" + QString::fromLocal8Bit(LowerCase(programName));
    // A folder that cannot be made shows in the message of the settings file that cannot be
    // written.
    QDir().mkpath(folder);
    return ToLocal(folder) + "/";
}

std::string TQtPlatform::TQtShell::SaveShellLink(const TShellLink& link,
                                                 const std::string& fileName) {
    const QString name = QString::fromLocal8Bit(fileName.data(), qsizetype(fileName.size()));
    QSaveFile file(name);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        return "Unable to write to " + fileName + ": " + ToLocal(file.errorString());
    }
    const std::string text = DesktopEntryText(link, ToLocal(QFileInfo(name).completeBaseName()));
    file.write(text.data(), qint64(text.size()));
    // The desktop starts only launchers that may be executed.
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    if (!file.commit()) {
        return "Unable to write to " + fileName + ": " + ToLocal(file.errorString());
    }
    return {};
}
