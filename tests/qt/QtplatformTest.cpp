// The Qt platform's services that need no windows, on the offscreen platform.

#include "Qttest.h"

#include "platform/qt/Qtplatform.h"
#include "toolkit/Forms.h"
#include "widgets/Ornglyphs.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPalette>
#include <QTimer>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

class QtPlatformTest : public ::testing::Test {
protected:
    void SetUp() override { InstallPlatform(&Host); }
    void TearDown() override {
        InstallPlatform(nullptr);
        QApplication::setPalette(QPalette());
    }
    TQtPlatform Host;
};

} // namespace

TEST_F(QtPlatformTest, SystemColoursFollowTheApplicationsPalette) {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(200, 100, 0));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(99, 98, 97));
    QApplication::setPalette(palette);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(10, 20, 30));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(200, 100, 0));
    EXPECT_EQ(ColorToRGB(clGrayText), RGB(99, 98, 97));
    // A colour the palette has no role for keeps the classic scheme's.
    EXPECT_EQ(ColorToRGB(clBackground), RGB(0, 128, 128));
    EXPECT_EQ(Host.SysColor(25), clBlack);
}

TEST_F(QtPlatformTest, BitmapsAreImagesWithAQtCanvas) {
    TBitmap bitmap(5, 4);
    EXPECT_NE(dynamic_cast<TQtCanvas*>(&bitmap.Canvas()), nullptr);
    EXPECT_EQ(bitmap.Pixel(4, 3), clBlack);
    // Drawing and direct pixel access share the pixels, both ways.
    bitmap.Canvas().Brush.Color = clRed;
    bitmap.Canvas().FillRect(Rect(1, 1, 3, 3));
    EXPECT_EQ(bitmap.Pixel(2, 2), clRed);
    EXPECT_EQ(bitmap.ScanLine(1)[1], 0xFF0000u);
    bitmap.SetPixel(0, 0, clLime);
    EXPECT_EQ(bitmap.Canvas().GetPixel(0, 0), clLime);
    const TBitmap copy = bitmap;
    EXPECT_EQ(copy.Pixel(2, 2), clRed);
    EXPECT_EQ(copy.Pixel(0, 0), clLime);
    // A bitmap drawn on another, transparently: its bottom-left colour left out.
    TBitmap target(5, 4);
    target.Canvas().Brush.Color = clWhite;
    target.Canvas().FillRect(Rect(0, 0, 5, 4));
    TBitmap glyph = bitmap;
    glyph.Transparent = true;
    target.Canvas().Draw(0, 0, glyph);
    EXPECT_EQ(target.Pixel(2, 2), clRed);
    EXPECT_EQ(target.Pixel(4, 0), clWhite);
}

TEST_F(QtPlatformTest, SystemIconsAre32By32OnFuchsia) {
    for (const TSystemIcon id : {siHand, siQuestion, siExclamation, siAsterisk}) {
        SCOPED_TRACE(int(id));
        const TBitmap icon = Host.SystemIcon(id);
        ASSERT_EQ(icon.Width(), 32);
        ASSERT_EQ(icon.Height(), 32);
        EXPECT_EQ(icon.Pixel(0, 0), clFuchsia);
        int opaque = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                opaque += icon.Pixel(x, y) != clFuchsia;
            }
        }
        EXPECT_GT(opaque, 100);
    }
    EXPECT_TRUE(Host.SystemIcon(TSystemIcon(12345)).Empty());
}

TEST_F(QtPlatformTest, BitmapResourcesAreTheOnesAddedAtStart) {
    for (const TOrnGlyph& glyph : OrnGlyphs()) {
        TBitmap bitmap(OrnGlyphSize, OrnGlyphSize);
        for (int y = 0; y < OrnGlyphSize; ++y) {
            for (int x = 0; x < OrnGlyphSize; ++x) {
                bitmap.SetPixel(x, y, OrnGlyphColor(glyph.Rows[std::size_t(y)][x]));
            }
        }
        Host.AddBitmapResource(glyph.Name, bitmap);
    }
    TBitmap loaded;
    ASSERT_TRUE(loaded.LoadFromResourceName("CheckOk"));
    ASSERT_EQ(loaded.Width(), OrnGlyphSize);
    const TOrnGlyph& checkOk = OrnGlyphs()[4];
    for (int y = 0; y < OrnGlyphSize; ++y) {
        for (int x = 0; x < OrnGlyphSize; ++x) {
            ASSERT_EQ(loaded.Pixel(x, y), OrnGlyphColor(checkOk.Rows[std::size_t(y)][x]));
        }
    }
    TBitmap kept(2, 2);
    EXPECT_FALSE(Host.LoadBitmapResource("NoSuchBitmap", kept));
    EXPECT_EQ(kept.Width(), 2);
}

TEST_F(QtPlatformTest, TheScreenTheProgramAndTheFrames) {
    const TSize screen = Host.ScreenSize();
    EXPECT_GT(screen.cx, 0);
    EXPECT_GT(screen.cy, 0);
    EXPECT_EQ(Host.PixelsPerInch(), 96);
    EXPECT_NE(Host.ExeName().find("qt_tests"), std::string::npos);
    EXPECT_EQ(Host.CommandLine().rfind(QCoreApplication::arguments().front().toStdString(), 0), 0u);
    EXPECT_TRUE(Host.GradientFillAvailable());
    EXPECT_EQ(Host.OsVersion().Major, 5);
}

// The busy cursor of the group-file operations is the application's override cursor while it
// is up, and gone again after, however often it is set.
TEST_F(QtPlatformTest, TheScreenCursorOverridesEveryWindowsPointerUntilItIsTheDefault) {
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    Host.SetScreenCursor(crHourGlass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Host.SetScreenCursor(crDefault);
    Host.SetScreenCursor(crHourGlass);
    Host.SetScreenCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(QtPlatformTest, TheMessageLoopRunsQtsEventsUntilTheApplicationEnds) {
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (++ticks == 3) {
            Application().Terminate();
        }
    });
    timer.start(1);
    Host.RunMessageLoop();
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(Application().Terminated());
    // The application object is the program's one; the next test finds it as it was.
    Application().Initialize();
}

TEST(DesktopEntryTextTest, QuotesTheProgramAndEscapesWhatTheFormatReserves) {
    TShellLink link;
    link.Path = "/opt/my games/mor\"vik$";
    link.Arguments = "--group a\\b.grp";
    link.WorkingDirectory = "/opt/my games";
    link.Description = "Morvik";
    EXPECT_EQ(DesktopEntryText(link, "ignored"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Morvik\n"
              "Exec=\"/opt/my games/mor\\\\\"vik\\\\$\" --group a\\\\b.grp\n"
              "Icon=mor\"vik$\n"
              "Path=/opt/my games\n"
              "Terminal=false\n");
    // Without a description the file's name names it; no working folder, no Path.
    link.Description.clear();
    link.WorkingDirectory.clear();
    link.Arguments.clear();
    link.Path = "/usr/bin/morvik";
    EXPECT_EQ(DesktopEntryText(link, "morvik"), "[Desktop Entry]\n"
                                                "Type=Application\n"
                                                "Name=morvik\n"
                                                "Exec=\"/usr/bin/morvik\"\n"
                                                "Icon=morvik\n"
                                                "Terminal=false\n");
}

TEST_F(QtPlatformTest, TheShellWritesAnExecutableLauncherOrSaysWhyNot) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("morvik-qt-shell-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    TShellLink link;
    link.Path = "/usr/bin/morvik";
    const std::string file = (folder / "morvik.desktop").string();
    EXPECT_EQ(Host.Shell().SaveShellLink(link, file), "");
    std::ifstream in(file);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, DesktopEntryText(link, "morvik"));
    const auto permissions = std::filesystem::status(file).permissions();
    EXPECT_NE(permissions & std::filesystem::perms::owner_exec, std::filesystem::perms::none);

    const std::string missing = (folder / "no such folder" / "morvik.desktop").string();
    const std::string reason = Host.Shell().SaveShellLink(link, missing);
    EXPECT_EQ(reason.rfind("Unable to write to " + missing + ": ", 0), 0u) << reason;
    std::filesystem::remove_all(folder);
}

TEST_F(QtPlatformTest, SpecialFoldersAreTheXdgUserDirectoriesThatAreThere) {
    const std::filesystem::path config =
        std::filesystem::temp_directory_path() / ("morvik-qt-xdg-" + std::to_string(getpid()));
    const std::string desk = (config / "desk").string();
    const std::string docs = (config / "docs").string();
    std::filesystem::create_directories(desk);
    std::ofstream(config / "user-dirs.dirs")
        << "XDG_DESKTOP_DIR=\"" << desk << "\"\nXDG_DOCUMENTS_DIR=\"" << docs << "\"\n";
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string savedValue = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    EXPECT_EQ(Host.Shell().SpecialFolderPath(0x0010), desk);
    EXPECT_EQ(Host.Shell().SpecialFolderPath(0x0000), desk);
    // Named, but not made: the shell has no such folder.
    EXPECT_EQ(Host.Shell().SpecialFolderPath(0x0005), "");
    std::filesystem::create_directories(docs);
    EXPECT_EQ(Host.Shell().SpecialFolderPath(0x0005), docs);
    EXPECT_EQ(Host.Shell().SpecialFolderPath(0x0002), ""); // the start menu's programs

    // A program's settings live in a folder of its own under $XDG_CONFIG_HOME, made when asked.
    EXPECT_EQ(Host.Shell().SettingsFolder("Morvik"), (config / "morvik").string() + "/");
    EXPECT_TRUE(std::filesystem::is_directory(config / "morvik"));
    // Launchers and programs take the lower-case name, without Windows' extensions.
    EXPECT_EQ(Host.Shell().LinkFileName("Morvik"), "morvik.desktop");
    EXPECT_EQ(Host.Shell().ProgramFileName("Morvik"), "morvik");
    if (saved) {
        setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
    std::filesystem::remove_all(config);
}

TEST_F(QtPlatformTest, TheErrorBoxShowsTitleAndMessageUntilItIsClosed) {
    std::string title;
    std::string text;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle().toStdString();
            text = box->text().toStdString();
            box->accept();
        }
    });
    // Should the box not be found, it is closed all the same, so that the test ends.
    QTimer::singleShot(2000, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
    Host.ShowErrorBox("Morvik", "Unable to write to x.grp");
    EXPECT_EQ(title, "Morvik");
    EXPECT_EQ(text, "Unable to write to x.grp");
}
