// The program's window on real Qt widgets, end to end on the offscreen platform: started through
// its entry with a command line, driven with mouse and key events on its widgets as a user
// drives it, in a home folder of its own. Pictures of both modes and of the open Options menu
// are saved in the test's folder of the build.

#include "Qttest.h"

#include "app/Groupmain.h"
#include "app/Morvik.h"
#include "archive/Grpformat.h"
#include "platform/qt/Qtmenus.h"
#include "platform/qt/Qtpeer.h"
#include "platform/qt/Qtplatform.h"
#include "toolkit/Inifiles.h"
#include "widgets/Ornglyphresources.h"
#include "widgets/Ornmesg.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The Qt platform with the command line and program file of a test's run.
class TRunPlatform : public TQtPlatform {
public:
    std::string Exe;
    std::string Line;
    std::string ExeName() override { return Exe; }
    std::string CommandLine() override { return Line; }
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string GroupBytes(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> image;
    for (const auto& [name, contents] : entries) {
        image.emplace_back(name, std::vector<std::uint8_t>(contents.begin(), contents.end()));
    }
    const std::vector<std::uint8_t> bytes = BuildGrpImage(image);
    return std::string(bytes.begin(), bytes.end());
}

QWidget* WidgetOf(const TWinControl& control) {
    auto* peer = dynamic_cast<TQtPeer*>(control.Peer());
    return peer ? peer->Widget() : nullptr;
}

// A press and release of the left button at p of widget; on a list, on its items' viewport.
void ClickWidget(QWidget* widget, QPoint p, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    ASSERT_NE(widget, nullptr);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) {
        p -= area->viewport()->pos();
        widget = area->viewport();
    }
    const QPointF at(p);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, modifiers);
    QCoreApplication::sendEvent(widget, &release);
}

// A click at (x, y) of control, on the widget of the windowed control it is painted on.
void Click(const TControl& control, int x, int y,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const TControl* on = &control;
    while (!dynamic_cast<const TWinControl*>(on)) {
        x += on->Left();
        y += on->Top();
        on = on->Parent();
        ASSERT_NE(on, nullptr) << control.Name() << " is on no window";
    }
    ClickWidget(WidgetOf(*static_cast<const TWinControl*>(on)), QPoint(x, y), modifiers);
}

void Click(const TControl& control) {
    Click(control, control.Width() / 2, control.Height() / 2);
}

// A click on the item of list that reads name (with Ctrl, to add a mark).
void ClickItem(TListBox& list, const std::string& name, bool ctrl = false) {
    const int index = list.Items().IndexOf(name);
    ASSERT_GE(index, 0) << name << " is not in " << list.Name();
    for (int y = 0; y < list.ClientHeight(); ++y) {
        if (list.ItemAtPos({10, y}) == index) {
            Click(list, 10, y, ctrl ? Qt::ControlModifier : Qt::NoModifier);
            return;
        }
    }
    ADD_FAILURE() << name << " is not shown in " << list.Name();
}

std::vector<std::string> Marked(const TListBox& list) {
    std::vector<std::string> marked;
    for (int i = 0; i < list.Items().Count(); ++i) {
        if (list.Selected(i)) {
            marked.push_back(list.Items()[i]);
        }
    }
    return marked;
}

// The message dialog up in front, if any.
TForm* ModalForm() {
    for (int i = 0; i < Application().ComponentCount(); ++i) {
        auto* form = dynamic_cast<TForm*>(Application().Components(i));
        if (form && form != frmMain && form->Visible() && form->Modal()) {
            return form;
        }
    }
    return nullptr;
}

// The dialog's label text and its button of caption (such as "&Yes").
std::string DialogText(const TForm& dialog) {
    std::string text;
    for (int i = 0; i < dialog.ComponentCount(); ++i) {
        if (auto* label = dynamic_cast<TLabel*>(dialog.Components(i))) {
            text += label->Caption();
        }
    }
    return text;
}

TControl* DialogButton(const TForm& dialog, const std::string& caption) {
    for (int i = 0; i < dialog.ComponentCount(); ++i) {
        auto* button = dynamic_cast<TOrnButt*>(dialog.Components(i));
        if (button && button->Caption() == caption) {
            return button;
        }
    }
    return nullptr;
}

// A picture of widget as the user sees it, saved into the test's folder of the build.
void SavePicture(QWidget* widget, const std::string& name) {
    ASSERT_NE(widget, nullptr);
    const QImage picture = widget->grab().toImage();
    EXPECT_TRUE(picture.save(QString::fromStdString(name))) << name;
}

class QtMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Home.isValid());
        Program = fs::path(Home.path().toStdString()) / "bin";
        Work = fs::path(Home.path().toStdString()) / "games";
        Config = fs::path(Home.path().toStdString()) / "config";
        Desktop = fs::path(Home.path().toStdString()) / "Schreibtisch";
        for (const fs::path& folder : {Program, Work, Config, Desktop}) {
            fs::create_directories(folder);
        }
        // The desktop under a name of the user's language, as the XDG user directories give it.
        WriteFile(Config / "user-dirs.dirs", "XDG_DESKTOP_DIR=\"" + Desktop.string() + "\"\n");
        SaveVariable("HOME", Home.path().toStdString());
        SaveVariable("XDG_CONFIG_HOME", Config.string());
        Host.Exe = (Program / "morvik").string();
        InstallPlatform(&Host);
        for (const TOrnGlyph& glyph : OrnGlyphs()) {
            Host.AddBitmapResource(glyph.Name, OrnGlyphBitmap(glyph));
        }
    }
    void TearDown() override {
        // The application object is the program's one; the next test finds it as it was.
        Application().Initialize();
        InstallPlatform(nullptr);
        for (const auto& [name, value] : SavedVariables) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }

    void SaveVariable(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        SavedVariables.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name.c_str(), value.c_str(), 1);
    }

    // Starts the program with argument (none when empty), runs session on its window once the
    // message loop runs, then clicks "Quit". Whatever dialog or menu is still up after ten
    // seconds is closed, so that a failing test ends.
    void Run(const std::string& argument, const std::function<void(TfrmMain&)>& session) {
        Host.Line = "\"" + Host.Exe + "\"" + (argument.empty() ? "" : " \"" + argument + "\"");
        QTimer::singleShot(0, [&] {
            ASSERT_NE(frmMain, nullptr);
            ASSERT_TRUE(frmMain->Visible());
            session(*frmMain);
            if (frmMain) {
                Click(*frmMain->btnQuit);
            }
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            ADD_FAILURE() << "the run did not end";
            if (QWidget* popup = QApplication::activePopupWidget()) {
                popup->close();
            }
            if (TForm* dialog = ModalForm()) {
                dialog->SetModalResult(mrCancel);
            }
            Application().Terminate();
        });
        watchdog.start(10000);
        EXPECT_EQ(MorvikMain(), 0);
        EXPECT_EQ(frmMain, nullptr) << "the main window outlived the program";
    }

    // Once a dialog is up, answer runs on it; it should then have closed it. The dialog must
    // come within five seconds.
    void WhenDialog(std::function<void(TForm&)> answer) {
        auto* poll = new QTimer;
        auto waited = std::make_shared<QElapsedTimer>();
        waited->start();
        QObject::connect(poll, &QTimer::timeout, [poll, waited, answer = std::move(answer)] {
            if (TForm* dialog = ModalForm()) {
                poll->deleteLater();
                poll->stop();
                answer(*dialog);
            } else if (waited->elapsed() > 5000) {
                poll->deleteLater();
                poll->stop();
                ADD_FAILURE() << "no dialog came";
            }
        });
        poll->start(5);
    }

    // Answers the next dialog with its button of caption, keeping its text in text.
    void AnswerDialog(const std::string& caption, std::string* text = nullptr) {
        WhenDialog([caption, text](TForm& dialog) {
            if (text) {
                *text = DialogText(dialog);
            }
            TControl* button = DialogButton(dialog, caption);
            ASSERT_NE(button, nullptr) << "no button " << caption;
            Click(*button);
        });
    }

    // Opens the Options menu with a click on its button; once it is up, user runs on it.
    void OpenOptionsMenu(TfrmMain& window, const std::function<void(TQtMenuWindow&)>& user) {
        QTimer::singleShot(0, [user] {
            auto* menu = dynamic_cast<TQtMenuWindow*>(QApplication::activePopupWidget());
            if (!menu) {
                ADD_FAILURE() << "the Options menu is not up";
                return;
            }
            user(*menu);
        });
        Click(*window.btnOptions);
    }

    static void Key(QWidget& widget, Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &event);
    }

    TRunPlatform Host;
    QTemporaryDir Home;
    fs::path Program;
    fs::path Work;
    fs::path Config;
    fs::path Desktop;
    std::vector<std::pair<std::string, std::optional<std::string>>> SavedVariables;
};

const std::vector<std::pair<std::string, std::string>> dukeEntries = {
    {"GAME.CON", "define 1"}, {"E1L1.MAP", "map bytes"}, {"LOGO.ANM", "anim"}};

} // namespace

TEST_F(QtMainWindowTest, StartsOnTheGroupFileOfItsCommandLineAndExtractsTheMarkedEntries) {
    WriteFile(Work / "DUKE3D.GRP", GroupBytes(dukeEntries));
    WriteFile(Work / "readme.txt", "not a group file");
    fs::create_directories(Work / ".hidden");
    fs::create_directories(Work / "maps");
    std::string question;
    Run((Work / "DUKE3D.GRP").string(), [&](TfrmMain& window) {
        // The start-up ran: extracting mode in the file's folder, which the folder list shows
        // as a Unix tree from "/", its hidden folder left out.
        EXPECT_TRUE(window.extractMode);
        EXPECT_EQ(window.DirectoryListBox1->Directory(), Work.string());
        const std::vector<std::string> folders = window.DirectoryListBox1->Items().Texts();
        ASSERT_FALSE(folders.empty());
        EXPECT_EQ(folders.front(), "/");
        EXPECT_EQ(folders.back(), "maps");
        EXPECT_EQ(window.DriveComboBox1->Items().Texts(), std::vector<std::string>{"/"});
        EXPECT_EQ(window.FileListBox1->Items().Texts(), std::vector<std::string>{"DUKE3D.GRP"});
        EXPECT_TRUE(WidgetOf(window)->isVisible());

        ClickItem(*window.FileListBox1, "DUKE3D.GRP");
        EXPECT_EQ(window.ListBox1->Items().Texts(),
                  (std::vector<std::string>{"GAME.CON", "E1L1.MAP", "LOGO.ANM"}));
        EXPECT_EQ(window.EditGrp->Text(), "DUKE3D_Extract");
        auto* target = qobject_cast<QLineEdit*>(WidgetOf(*window.EditGrp));
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(target->text().toStdString(), "DUKE3D_Extract");
        ClickItem(*window.ListBox1, "GAME.CON");
        ClickItem(*window.ListBox1, "LOGO.ANM", true);
        EXPECT_EQ(Marked(*window.ListBox1), (std::vector<std::string>{"GAME.CON", "LOGO.ANM"}));
        SavePicture(WidgetOf(window), "morvik-extract.png");

        AnswerDialog("&Yes", &question);
        Click(*window.btnExtract);
    });
    EXPECT_EQ(question, "Files will be extracted to:\n" + (Work / "DUKE3D_Extract").string() +
                            "\nContinue ?");
    EXPECT_EQ(ReadFile(Work / "DUKE3D_Extract" / "GAME.CON"), "define 1");
    EXPECT_EQ(ReadFile(Work / "DUKE3D_Extract" / "LOGO.ANM"), "anim");
    EXPECT_FALSE(fs::exists(Work / "DUKE3D_Extract" / "E1L1.MAP"));
}

TEST_F(QtMainWindowTest, CreatesAGroupFileOfTheChosenFilesInListOrder) {
    WriteFile(Work / "B.MAP", "map b");
    WriteFile(Work / "A.CON", "con a");
    WriteFile(Work / "C.ART", "art c");
    WriteFile(Work / ".secret", "hidden");
    // The folder the window showed when it was last closed, as the settings file keeps it.
    fs::create_directories(Config / "morvik");
    WriteFile(Config / "morvik" / "Morvik.ini", "[Setup]\nLastFolder=" + Work.string() + "\n");
    std::string question;
    Run("", [&](TfrmMain& window) {
        EXPECT_EQ(window.DirectoryListBox1->Directory(), Work.string());
        Click(*window.btnMGroup);
        EXPECT_FALSE(window.extractMode);
        EXPECT_EQ(window.FileListBox1->Items().Texts(),
                  (std::vector<std::string>{"A.CON", "B.MAP", "C.ART"}));
        ClickItem(*window.FileListBox1, "C.ART");
        ClickItem(*window.FileListBox1, "A.CON", true);
        Click(*window.btnFilesAdd);
        EXPECT_EQ(window.ListBox1->Items().Texts(), (std::vector<std::string>{"A.CON", "C.ART"}));
        EXPECT_EQ(window.FileListBox1->Items().Texts(), std::vector<std::string>{"B.MAP"});
        // The group file's name as the user types it.
        EXPECT_EQ(window.EditGrp->Text(), "MyGroup.grp");
        auto* name = qobject_cast<QLineEdit*>(WidgetOf(*window.EditGrp));
        ASSERT_NE(name, nullptr);
        name->selectAll();
        for (const char c : std::string("MOD.GRP")) {
            // Qt's key codes of printable ASCII are the upper-case characters.
            QKeyEvent key(QEvent::KeyPress, UpCase(c), Qt::NoModifier, QString(QChar(c)));
            QCoreApplication::sendEvent(name, &key);
        }
        EXPECT_EQ(window.EditGrp->Text(), "MOD.GRP");
        SavePicture(WidgetOf(window), "morvik-create.png");

        AnswerDialog("&Yes", &question);
        Click(*window.btnGroup);
    });
    EXPECT_EQ(question,
              "Files will be grouped to:\n" + (Work / "MOD.GRP").string() + "\nContinue ?");
    EXPECT_EQ(ReadFile(Work / "MOD.GRP"), GroupBytes({{"A.CON", "con a"}, {"C.ART", "art c"}}));
}

TEST_F(QtMainWindowTest, TheSettingsAreWrittenOnCloseIntoTheConfigFolderAndReadAtTheNextStart) {
    // A first run: no settings folder yet, and the window opens in the program's folder.
    fs::remove_all(Config);
    Run("", [&](TfrmMain& window) {
        EXPECT_EQ(window.DirectoryListBox1->Directory(), Program.string());
        window.DirectoryListBox1->SetDirectory(Work.string());
    });
    const fs::path settings = Config / "morvik" / "Morvik.ini";
    ASSERT_TRUE(fs::exists(settings));
    EXPECT_EQ(TIniFile(settings.string()).ReadString("Setup", "LastFolder", ""), Work.string());
    EXPECT_FALSE(fs::exists(Program / "Morvik.ini")) << "nothing is written beside the program";

    Run("",
        [&](TfrmMain& window) { EXPECT_EQ(window.DirectoryListBox1->Directory(), Work.string()); });
}

TEST_F(QtMainWindowTest, TheOptionsMenuShowsAboutAndWritesTheDesktopLauncher) {
    std::string about;
    std::string refusal;
    Run("", [&](TfrmMain& window) {
        // About Morvik: the second item, chosen with the keys, shows its text until OK.
        OpenOptionsMenu(window, [&](TQtMenuWindow& menu) {
            SavePicture(&menu, "morvik-options-menu.png");
            EXPECT_EQ(menu.Bounds().Width(), menu.width());
            AnswerDialog("&OK", &about);
            Key(menu, Qt::Key_Down);
            Key(menu, Qt::Key_Down);
            Key(menu, Qt::Key_Return);
        });
        EXPECT_EQ(ModalForm(), nullptr);

        // Desktop Icon: the first item writes the launcher into the user's desktop folder.
        OpenOptionsMenu(window, [&](TQtMenuWindow& menu) {
            Key(menu, Qt::Key_Down);
            Key(menu, Qt::Key_Return);
        });
        const fs::path launcher = Desktop / "morvik.desktop";
        ASSERT_TRUE(fs::exists(launcher));
        const std::string text = ReadFile(launcher);
        EXPECT_NE(text.find("Exec=\"" + (Program / "morvik").string() + "\"\n"), std::string::npos)
            << text;
        EXPECT_NE(text.find("Name=Morvik\n"), std::string::npos) << text;
        EXPECT_NE(text.find("Icon=morvik\n"), std::string::npos) << text;
        EXPECT_NE(fs::status(launcher).permissions() & fs::perms::owner_exec, fs::perms::none);

        // Without a desktop folder the command says why it wrote nothing.
        fs::remove_all(Desktop);
        OpenOptionsMenu(window, [&](TQtMenuWindow& menu) {
            AnswerDialog("&OK", &refusal);
            Key(menu, Qt::Key_Down);
            Key(menu, Qt::Key_Return);
        });
    });
    EXPECT_EQ(about.rfind("Morvik - v2.", 0), 0u) << about;
    EXPECT_EQ(refusal, "The desktop shortcut could not be written.\n"
                       "The system has no \"desktop\" folder.");
    EXPECT_FALSE(fs::exists(Desktop));
}
