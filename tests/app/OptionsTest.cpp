// The Options menu's commands on the running window: "About Morvik" with its sound and text,
// "Cancel", and "Quit Application", which ends the program as the Quit button does.

#include "Mainwindowtest.h"

#include "widgets/Showndialog.h"

namespace {

using TNames = std::vector<std::string>;

const char* const aboutText = "Morvik - v2.0\n"
                              "Written for Duke3d and Shadow Warrior\n"
                              "\n"
                              "This program will create/extract the necessary GRP files for "
                              "Duke3d and, SW\n"
                              "\n"
                              "Grouping .Grp Files\n"
                              "In the box type in your .grp filename.\n"
                              "Select the folder where your files are.\n"
                              "Select and Mark those you want to group.\n"
                              "Click on Add until all files need are done.\n"
                              "Click the Create GRP button.\n"
                              "The .grp file will be found in the same folder as all the other "
                              "files.\n"
                              "NB.\n"
                              "Old .Grp files will be deleted before a new one is created.\n"
                              "\n"
                              "Extracting Files.\n"
                              "Select the folder and click on the .Grp file.\n"
                              "A list of files in the .Grp will be listed.\n"
                              "Select and Add what files you want exracted.\n"
                              "You can also select the Extract All Files option.\n"
                              "Click on the Extract GRP button.\n"
                              "NB.\n"
                              "The required files will be extracted to a Subfolder called "
                              "'Grpfile_Extract'\n"
                              "overwriting any previous files.\n";

} // namespace

TEST_F(MainWindowTest, AboutSoundsTheAsteriskAndShowsTheAboutText) {
    Headless.QueueAnswer(TModalAnswer::ClickControl("A0"));
    Run([](TfrmMain& form) { form.AboutMorvik1Click(nullptr); });

    EXPECT_EQ(Headless.Journal(), (TNames{"Beep 64", "Dialog Information"}));
    ASSERT_EQ(Headless.Dialogs().size(), 1u);
    const TShownDialog& dialog = Headless.Dialogs()[0];
    EXPECT_EQ(MessageOf(dialog), aboutText);
    EXPECT_TRUE(ShowsIcon(dialog, siAsterisk));
    // In the centre of the 1024 x 768 screen.
    EXPECT_EQ(dialog.Bounds.Left, 512 - dialog.Bounds.Width() / 2);
    EXPECT_EQ(dialog.Bounds.Top, 384 - dialog.Bounds.Height() / 2);
    ASSERT_NE(dialog.Find("A0"), nullptr);
    EXPECT_EQ(dialog.Find("A0")->Caption, "&OK");
    EXPECT_EQ(dialog.Find("A1"), nullptr);
    EXPECT_EQ(dialog.Result, mrOk);
    // The text has 24 lines, each ended by a line feed.
    const std::string message = MessageOf(dialog);
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 24);
}

TEST_F(MainWindowTest, CancelChangesNothing) {
    Program.AddFile("E1L1.MAP");
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnAddAll);
        const std::string caption = form.Caption();
        const TNames toPack = Items(*form.ListBox1);
        const TColor createColor = form.btnGroup->Font().Color;
        form.Cancel1Click(nullptr);
        EXPECT_EQ(form.Caption(), caption);
        EXPECT_EQ(Items(*form.ListBox1), toPack);
        EXPECT_EQ(form.btnGroup->Font().Color, createColor);
        EXPECT_FALSE(Application().Terminated());
    });
    EXPECT_TRUE(Headless.Journal().empty());
    EXPECT_TRUE(Headless.Shell().Links().empty());
}

// "Quit Application" is the Quit button's handler: the program ends and the settings are
// written as at every orderly end.
TEST_F(MainWindowTest, QuitApplicationEndsTheProgramAndWritesTheSettings) {
    Work.AddFile("E1L1.MAP");
    StartWith(Work / "DUKE3D.GRP");
    int after = 0;
    EXPECT_EQ(Run(
                  [&](TfrmMain& form) {
                      Headless.QueueLoopAction([&] { ++after; });
                      form.btnQuitClick(nullptr);
                  },
                  false),
              0);
    // The loop ended at once: nothing queued after the command ran.
    EXPECT_EQ(after, 0);
    EXPECT_EQ(ReadSettings(), "[Setup]\r\nLastFolder=" + Work.Name() + "\r\nGroupPath=" +
                                  Work.Name() + PathDelim + "\r\nGroupFile=DUKE3D.GRP\r\n");
}
