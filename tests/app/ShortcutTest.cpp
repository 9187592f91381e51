// The desktop shortcut: msLink's folder names, link properties, argument split and hot-key rule
// on the headless shell, and the window's "Desktop Icon" command with its sounds and refusals.

#include "Mainwindowtest.h"

#include "app/Mslink.h"
#include "toolkit/Shell.h"
#include "widgets/Showndialog.h"

#include <filesystem>

namespace {

using TNames = std::vector<std::string>;

class MsLinkTest : public HeadlessTest {
protected:
    std::string Folder(int csidl) { return Headless.Shell().SpecialFolderPath(csidl); }
    const std::vector<TRecordedLink>& Links() { return Headless.Shell().Links(); }
    // The link msLink asked the shell for last.
    TShellLink LastLink() {
        EXPECT_FALSE(Links().empty());
        return Links().empty() ? TShellLink{} : Links().back().Link;
    }

    TTempFolder Tools;
    msLink Link;
};

} // namespace

TEST_F(MsLinkTest, FolderNamesAreFoundInAnyCaseAndOnlyWhole) {
    // Each name of the table with the shell folder it stands for, written in three cases.
    const std::pair<const char*, int> names[] = {{"Desktop", 0},       {"MyDocuments", 5},
                                                 {"ProgramGroups", 2}, {"SendTo", 9},
                                                 {"StartMenu", 11},    {"Startup", 7}};
    for (const auto& [name, csidl] : names) {
        for (const std::string& written : {std::string(name), UpperCase(name), LowerCase(name)}) {
            SCOPED_TRACE(written);
            const TShortcutResult result =
                Link.CreateShortcut(Tools.Name(), "prog.exe", written, "Prog");
            EXPECT_TRUE(result) << result.Reason;
            EXPECT_EQ(Links().back().FileName, Folder(csidl) + PathDelim + "Prog.lnk");
            EXPECT_TRUE(FileExists(Folder(csidl) + PathDelim + "Prog.lnk"));
        }
    }
    // "startmenu" and "startup" share five letters but are different folders.
    EXPECT_NE(Folder(11), Folder(7));

    // Parts of names, names with more, and no name: the shell is never asked.
    const std::size_t asked = Links().size();
    for (const char* name : {"Desk", "", "desktops", "startmen", "start", "my documents"}) {
        const TShortcutResult result = Link.CreateShortcut(Tools.Name(), "prog.exe", name, "Prog");
        EXPECT_FALSE(result) << name;
        EXPECT_EQ(result.Reason, std::string("There is no special folder named \"") + name + "\".");
    }
    EXPECT_EQ(Links().size(), asked);
}

TEST_F(MsLinkTest, LinkPropertiesAndTheArgumentSplit) {
    const std::string withDelimiter = Tools.Name() + PathDelim;
    ASSERT_TRUE(Link.CreateShortcut(withDelimiter, "prog.exe /s", "desktop", "Prog Link"));
    TShellLink expected;
    expected.Path = Tools / "prog.exe";
    expected.Arguments = "s";
    expected.WorkingDirectory = withDelimiter;
    expected.Description = "Prog Link";
    EXPECT_EQ(LastLink(), expected);
    EXPECT_EQ(Links().back().FileName, Folder(0) + PathDelim + "Prog Link.lnk");

    // Without the folder's delimiter the target is the same; the working folder is as given.
    ASSERT_TRUE(Link.CreateShortcut(Tools.Name(), "prog.exe /s", "desktop", "Prog Link"));
    expected.WorkingDirectory = Tools.Name();
    EXPECT_EQ(LastLink(), expected);

    // Only the first "/" splits; a name without one has no arguments.
    ASSERT_TRUE(Link.CreateShortcut(withDelimiter, "prog.exe /a /b", "desktop", "Prog"));
    EXPECT_EQ(LastLink().Path, Tools / "prog.exe");
    EXPECT_EQ(LastLink().Arguments, "a /b");
    ASSERT_TRUE(Link.CreateShortcut(withDelimiter, "prog.exe", "desktop", "Prog"));
    EXPECT_EQ(LastLink().Path, Tools / "prog.exe");
    EXPECT_EQ(LastLink().Arguments, "");
}

TEST_F(MsLinkTest, LinkFolderWithAndWithoutItsDelimiterNameTheSameFile) {
    const std::string folder = Tools / "links";
    Tools.AddFolder("links");
    ASSERT_TRUE(Link.CreateLink(Tools.Name(), "prog.exe", folder, "Prog", 0));
    ASSERT_TRUE(Link.CreateLink(Tools.Name(), "prog.exe", folder + PathDelim, "Prog", 0));
    ASSERT_EQ(Links().size(), 2u);
    EXPECT_EQ(Links()[0].FileName, folder + PathDelim + "Prog.lnk");
    EXPECT_EQ(Links()[1].FileName, folder + PathDelim + "Prog.lnk");
}

TEST_F(MsLinkTest, OnlyCtrlAltWithAPrintableKeyIsAHotKey) {
    const std::pair<std::uint16_t, std::uint16_t> cases[] = {
        {0x0641, 0x0641},                           // Ctrl+Alt+A
        {0x0620, 0x0620},                           // Ctrl+Alt+Space, the lowest
        {0x067E, 0x067E},                           // the highest
        {0x061F, 0},      {0x067F, 0}, {0x0241, 0}, // Ctrl+A
        {0x0441, 0},                                // Alt+A
        {0x0741, 0},                                // Shift+Ctrl+Alt+A
        {0, 0},
    };
    for (const auto& [asked, kept] : cases) {
        ASSERT_TRUE(Link.CreateLink(Tools.Name(), "prog.exe", Tools.Name(), "Prog", asked));
        EXPECT_EQ(LastLink().Hotkey, kept) << std::hex << asked;
    }
}

TEST_F(MsLinkTest, FailuresSayWhy) {
    // No desktop folder: the shell is not asked for a link.
    Headless.Shell().RemoveSpecialFolder(0);
    TShortcutResult result = Link.CreateShortcut(Tools.Name(), "prog.exe", "Desktop", "Prog");
    EXPECT_FALSE(result);
    EXPECT_EQ(result.Reason, "The system has no \"desktop\" folder.");
    EXPECT_TRUE(Links().empty());

    // A shell that makes no link objects.
    Headless.Shell().RefuseLinks("The system cannot make shell links.");
    result = Link.CreateShortcut(Tools.Name(), "prog.exe", "startup", "Prog");
    EXPECT_FALSE(result);
    EXPECT_EQ(result.Reason, "The system cannot make shell links.");
    EXPECT_FALSE(FileExists(Folder(7) + PathDelim + "Prog.lnk"));
    Headless.Shell().RefuseLinks("");

    // A folder that cannot hold the file.
    result = Link.CreateLink(Tools.Name(), "prog.exe", Tools / "missing", "Prog", 0);
    EXPECT_FALSE(result);
    EXPECT_EQ(
        result.Reason.rfind("Cannot create " + Tools / "missing" + PathDelim + "Prog.lnk: ", 0), 0u)
        << result.Reason;
}

// ---- The window's command --------------------------------------------------------------------

namespace {

class DesktopIconTest : public MainWindowTest {
protected:
    THeadlessShell& Shell() { return Headless.Shell(); }
    std::string DesktopLink() { return Shell().SpecialFolderPath(0) + PathDelim + "Morvik.lnk"; }
    TShellLink MorvikLink() const {
        TShellLink link;
        link.Path = Program / "Morvik.exe";
        link.WorkingDirectory = Program.Name() + PathDelim;
        link.Description = "Morvik";
        return link;
    }
    // Runs the command on the window; a refusal's message dialog is answered with OK.
    void ChooseDesktopIcon(bool refused) {
        if (refused) {
            Headless.QueueAnswer(TModalAnswer::ClickControl("A0"));
        }
        Run([](TfrmMain& form) { form.DesktopIcon1Click(nullptr); });
    }
    // A refusal: the default beep and one message saying why, and no link on the desktop.
    void ExpectRefusal(const std::string& reason) {
        EXPECT_EQ(Headless.Journal(), (TNames{"Beep 0", "Dialog Information"}));
        ASSERT_EQ(Headless.Dialogs().size(), 1u);
        EXPECT_EQ(MessageOf(Headless.Dialogs()[0]),
                  "The desktop shortcut could not be written.\n" + reason);
        EXPECT_FALSE(FileExists(DesktopLink()));
    }
};

} // namespace

TEST_F(DesktopIconTest, ChosenTwiceWritesTheSameLinkTwice) {
    Run([&](TfrmMain& form) {
        form.DesktopIcon1Click(nullptr);
        ASSERT_TRUE(FileExists(DesktopLink()));
        // The second save replaces the first file.
        std::filesystem::resize_file(DesktopLink(), 1);
        form.DesktopIcon1Click(nullptr);
    });
    EXPECT_EQ(Headless.Journal(), (TNames{"Beep 64", "Beep 64"}));
    ASSERT_EQ(Shell().Links().size(), 2u);
    for (const TRecordedLink& written : Shell().Links()) {
        EXPECT_EQ(written.FileName, DesktopLink());
        EXPECT_EQ(written.Link, MorvikLink());
        EXPECT_EQ(written.Failure, "");
    }
    EXPECT_EQ(ReadFile(DesktopLink()), THeadlessShell::LinkFileText(MorvikLink()));
}

TEST_F(DesktopIconTest, AProgramUnderAnotherNameStillLinksToMorvikExe) {
    Headless.SetExeName(Program / "grouper.exe");
    ChooseDesktopIcon(false);
    ASSERT_EQ(Shell().Links().size(), 1u);
    EXPECT_EQ(Shell().Links()[0].Link, MorvikLink());
}

TEST_F(DesktopIconTest, NoDesktopFolderIsRefused) {
    Shell().RemoveSpecialFolder(0);
    ChooseDesktopIcon(true);
    ExpectRefusal("The system has no \"desktop\" folder.");
    EXPECT_TRUE(Shell().Links().empty());
}

TEST_F(DesktopIconTest, AShellWithoutLinksIsRefused) {
    Shell().RefuseLinks("The shell link cannot be saved to a file.");
    ChooseDesktopIcon(true);
    ExpectRefusal("The shell link cannot be saved to a file.");
}

TEST_F(DesktopIconTest, AFailedSaveIsRefused) {
    std::filesystem::remove_all(Shell().SpecialFolderPath(0));
    ChooseDesktopIcon(true);
    ASSERT_EQ(Shell().Links().size(), 1u);
    const std::string reason = Shell().Links()[0].Failure;
    EXPECT_EQ(reason.rfind("Cannot create " + DesktopLink() + ": ", 0), 0u) << reason;
    ExpectRefusal(reason);
}
