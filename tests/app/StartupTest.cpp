// Starting, switching modes and ending the program: the start folder from the command line or
// the settings file, the titles, the two layouts, the Create button's colour, the hover texts,
// the settings file written at the end, and errors that reach the program entry.

#include "Mainwindowtest.h"

#include <filesystem>
#include <stdexcept>

namespace {

const std::string delimiter(1, PathDelim);

// The layout of the extracting mode.
void ExpectExtractingLayout(const TfrmMain& form) {
    EXPECT_TRUE(form.extractMode);
    EXPECT_EQ(form.Caption(), "Morvik - v2.0 - Extract a .Grp File");
    EXPECT_TRUE(form.btnExtract->Visible());
    EXPECT_FALSE(form.btnGroup->Visible());
    EXPECT_EQ(form.Label3->Caption(), " Select Directory ");
    EXPECT_EQ(form.Label4->Caption(), " Select .Grp File");
    EXPECT_EQ(form.Label5->Caption(), " Select Files to Extract");
    EXPECT_EQ(form.Label1->Caption(), "Name of Extract Directory");
    for (const TSpeedButton* hidden :
         {form.btnAddAll, form.btnFilesAdd, form.btnFilesSub, form.btnName, form.btnType}) {
        EXPECT_FALSE(hidden->Visible()) << hidden->Name();
    }
    EXPECT_TRUE(form.OrnCheckBox1->Visible());
    EXPECT_EQ(form.OrnCheckBox1->Top(), 224);
    EXPECT_EQ(form.FileListBox1->Mask(), "*.grp");
    EXPECT_EQ(form.ListBox1->Items().Count(), 0);
    EXPECT_EQ(form.EditGrp->Text(), "");
    EXPECT_EQ(form.EditGrp->Hint(), "");
    EXPECT_EQ(form.EditGrp->Width(), 155);
    EXPECT_FALSE(form.EditGrp->ReadOnly());
    EXPECT_TRUE(form.EditGrpFile->Visible());
    EXPECT_EQ(form.EditGrpFile->Top(), 248);
    EXPECT_EQ(form.EditGrpFile->Text(), "");
}

// The layout of the creating mode after a switch to it.
void ExpectCreatingLayout(const TfrmMain& form) {
    EXPECT_FALSE(form.extractMode);
    EXPECT_EQ(form.Caption(), "Morvik - v2.0 - Create a .Grp File");
    EXPECT_TRUE(form.btnGroup->Visible());
    EXPECT_FALSE(form.btnExtract->Visible());
    EXPECT_EQ(form.btnGroup->Caption(), "Create GRP");
    EXPECT_EQ(form.Label3->Caption(), " Select Directory ");
    EXPECT_EQ(form.Label4->Caption(), " Select Files to Group");
    EXPECT_EQ(form.Label5->Caption(), " Files to Group");
    EXPECT_EQ(form.Label1->Caption(), "Enter Name of Group File");
    for (const TSpeedButton* shown :
         {form.btnAddAll, form.btnFilesAdd, form.btnFilesSub, form.btnName, form.btnType}) {
        EXPECT_TRUE(shown->Visible()) << shown->Name();
    }
    EXPECT_FALSE(form.OrnCheckBox1->Visible());
    EXPECT_EQ(form.FileListBox1->Mask(), "*.*");
    EXPECT_EQ(form.ListBox1->Items().Count(), 0);
    EXPECT_EQ(form.EditGrp->Text(), "MyGroup.grp");
    EXPECT_EQ(form.EditGrp->Hint(), "");
    EXPECT_EQ(form.EditGrp->Width(), 155);
    EXPECT_FALSE(form.EditGrp->ReadOnly());
    EXPECT_FALSE(form.EditGrpFile->Visible());
}

TColor CreateColour(const TfrmMain& form) {
    return form.btnGroup->Font().Color;
}

} // namespace

TEST_F(MainWindowTest, FirstStartShowsTheProgramFolderAndCreatesTheSettingsFile) {
    Program.AddFile("readme.txt");
    EXPECT_EQ(Run([&](TfrmMain& form) {
                  EXPECT_EQ(form.Caption(), "Morvik - v2.0 - Manage .Grp File");
                  EXPECT_EQ(form.programFolder, Program.Name() + delimiter);
                  EXPECT_EQ(form.lastFolder, "");
                  EXPECT_EQ(form.commandLineFile, "");
                  EXPECT_EQ(form.DirectoryListBox1->Directory(), Program.Name());
                  EXPECT_EQ(Items(*form.FileListBox1), std::vector<std::string>{"readme.txt"});
                  // The layout of the form description: creating, with " Create GRP".
                  EXPECT_FALSE(form.extractMode);
                  EXPECT_EQ(form.FileListBox1->Mask(), "*.*");
                  EXPECT_TRUE(form.btnGroup->Visible());
                  EXPECT_FALSE(form.btnExtract->Visible());
                  EXPECT_EQ(form.btnGroup->Caption(), " Create GRP");
                  EXPECT_EQ(form.EditGrp->Text(), "MyGroup.grp");
                  EXPECT_FALSE(form.EditGrpFile->Visible());
              }),
              0);
    EXPECT_EQ(ReadSettings(),
              "[Setup]\r\nLastFolder=" + Program.Name() + "\r\nGroupPath=\r\nGroupFile=\r\n");
    EXPECT_TRUE(Headless.Journal().empty());
}

TEST_F(MainWindowTest, SettingsAreReadWithoutRegardToCaseAndRewrittenInPlace) {
    Work.AddFile("a.txt");
    Work.AddFolder("maps");
    // No blank lines: the private-profile functions of Windows drop them when they write.
    WriteSettings("; mine\r\n[setup]\r\nlastfolder=" + Work.Name() +
                  "\r\nOther=1\r\n[More]\r\nKey=2\r\n");
    Run([&](TfrmMain& form) {
        EXPECT_EQ(form.lastFolder, Work.Name());
        EXPECT_EQ(form.DirectoryListBox1->Directory(), Work.Name());
        EXPECT_EQ(Items(*form.FileListBox1), std::vector<std::string>{"a.txt"});
        form.DirectoryListBox1->SetDirectory(Work / "maps");
    });
    EXPECT_EQ(ReadSettings(), "; mine\r\n[setup]\r\nlastfolder=" + (Work / "maps") +
                                  "\r\nOther=1\r\nGroupPath=" + Work.Name() +
                                  "\r\nGroupFile=\r\n[More]\r\nKey=2\r\n");
}

TEST_F(MainWindowTest, DeletedLastFolderFallsBackToTheProgramFolder) {
    const std::string gone = Work / "gone";
    WriteSettings("[Setup]\r\nLastFolder=" + gone + "\r\nGroupPath=\r\nGroupFile=\r\n");
    Run([&](TfrmMain& form) {
        EXPECT_EQ(form.lastFolder, gone);
        EXPECT_EQ(form.DirectoryListBox1->Directory(), Program.Name());
        EXPECT_EQ(form.Caption(), "Morvik - v2.0 - Manage .Grp File");
    });
    EXPECT_EQ(ReadSettings(), "[Setup]\r\nLastFolder=" + Program.Name() + "\r\nGroupPath=" + gone +
                                  "\r\nGroupFile=\r\n");
}

TEST_F(MainWindowTest, GroupFileOnTheCommandLineStartsExtractingInItsFolder) {
    Work.AddFile("DUKE3D.GRP", std::string("KenSilverman\0\0\0\0", 16));
    Work.AddFile("notes.txt");
    WriteSettings("[Setup]\r\nLastFolder=" + Program.Name() + "\r\nGroupPath=\r\nGroupFile=\r\n");
    StartWith(Work / "DUKE3D.GRP");
    Run([&](TfrmMain& form) {
        EXPECT_EQ(form.lastFolder, Work.Name() + delimiter);
        EXPECT_EQ(form.commandLineFile, "DUKE3D.GRP");
        EXPECT_EQ(form.DirectoryListBox1->Directory(), Work.Name());
        ExpectExtractingLayout(form);
        // The named file is shown, not listed.
        EXPECT_EQ(Items(*form.FileListBox1), std::vector<std::string>{"DUKE3D.GRP"});
    });
    EXPECT_EQ(ReadSettings(), "[Setup]\r\nLastFolder=" + Work.Name() + "\r\nGroupPath=" +
                                  Work.Name() + delimiter + "\r\nGroupFile=DUKE3D.GRP\r\n");
    EXPECT_TRUE(Headless.Dialogs().empty());
}

TEST_F(MainWindowTest, GroupFileWithoutAFolderShowsTheProgramFolder) {
    StartWith("DUKE3D.GRP");
    Run([&](TfrmMain& form) {
        EXPECT_EQ(form.lastFolder, "");
        EXPECT_EQ(form.commandLineFile, "DUKE3D.GRP");
        EXPECT_EQ(form.DirectoryListBox1->Directory(), Program.Name());
        EXPECT_TRUE(form.extractMode);
    });
}

TEST_F(MainWindowTest, GroupFileInAMissingFolderStillStartsExtracting) {
    StartWith(Work / "gone" + delimiter + "E1.GRP");
    Run([&](TfrmMain& form) {
        EXPECT_EQ(form.DirectoryListBox1->Directory(), Program.Name());
        ExpectExtractingLayout(form);
    });
}

TEST_F(MainWindowTest, ModeSwitchesSetTheirLayoutsInFull) {
    Program.AddFile("a.txt");
    Program.AddFile("b.grp");
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnMExtract);
        ExpectExtractingLayout(form);
        EXPECT_EQ(Items(*form.FileListBox1), std::vector<std::string>{"b.grp"});
        Headless.UserClick(*form.btnMGroup);
        ExpectCreatingLayout(form);
        EXPECT_EQ(Items(*form.FileListBox1), (std::vector<std::string>{"a.txt", "b.grp"}));
    });
}

TEST_F(MainWindowTest, SwitchingToTheSameModeEmptiesTheListsAndReadsTheFolderAgain) {
    Program.AddFile("a.txt");
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnAddAll);
        ASSERT_EQ(Items(*form.ListBox1), std::vector<std::string>{"a.txt"});
        form.EditGrp->SetText("Other.grp");
        Program.AddFile("new.txt");
        Headless.UserClick(*form.btnMGroup);
        ExpectCreatingLayout(form);
        EXPECT_EQ(Items(*form.FileListBox1), (std::vector<std::string>{"a.txt", "new.txt"}));
    });
}

TEST_F(MainWindowTest, StartUpRunsOnTheFirstActivationOnly) {
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnMGroup);
        form.Deactivate();
        form.Activate();
        EXPECT_EQ(form.Caption(), "Morvik - v2.0 - Create a .Grp File");
    });
}

TEST_F(MainWindowTest, CreateCaptionIsYellowWhenThereAreNamesAndAGroupName) {
    Program.AddFile("a.txt");
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnAddAll);
        EXPECT_EQ(CreateColour(form), clYellow);
        // Typing does not recolour; the next recolouring event does.
        form.EditGrp->SetText("");
        EXPECT_EQ(CreateColour(form), clYellow);
        ClickItem(*form.ListBox1, 0);
        EXPECT_EQ(CreateColour(form), clBlack);
        form.EditGrp->SetText("x.grp");
        // The press opens the Options menu, which the user closes.
        Headless.QueueAnswer(TModalAnswer::CloseWindow());
        Headless.UserClick(*form.btnOptions);
        EXPECT_EQ(CreateColour(form), clYellow);
        Headless.UserClick(*form.btnMExtract);
        EXPECT_EQ(CreateColour(form), clBlack);
    });
    // The press on Options sounds the exclamation beep.
    EXPECT_EQ(Headless.Beeps(), std::vector<TSoundType>{sndExclamation});
}

TEST_F(MainWindowTest, HoverTextsNameTheGroupFileAndTheExtractionFolder) {
    Run([&](TfrmMain& form) {
        Headless.UserMouseMove(*form.btnGroup, 5, 5);
        EXPECT_EQ(form.btnGroup->Hint(), "Create MyGroup.grp");
        Headless.UserClick(*form.btnMExtract);
        form.EditGrp->SetText("DUKE3D_Extract");
        Headless.UserMouseMove(*form.btnExtract, 5, 5);
        EXPECT_EQ(form.btnExtract->Hint(), "Extract from: DUKE3D_Extract");
    });
}

TEST_F(MainWindowTest, ClosingTheWindowSavesTheSettings) {
    Run([&](TfrmMain& form) { form.Close(); }, false);
    EXPECT_EQ(ReadSettings(),
              "[Setup]\r\nLastFolder=" + Program.Name() + "\r\nGroupPath=\r\nGroupFile=\r\n");
}

TEST_F(MainWindowTest, AltQQuits) {
    bool loopWentOn = false;
    Headless.QueueLoopAction([&] { Headless.UserPressKey(*frmMain, 'Q', ssAlt); });
    Headless.QueueLoopAction([&] { loopWentOn = true; });
    MorvikMain();
    EXPECT_FALSE(loopWentOn);
    EXPECT_TRUE(FileExists(SettingsPath()));
}

TEST_F(MainWindowTest, RefusedSettingsWriteIsShownAndTheProgramStillEnds) {
    // A folder in the settings file's place: nothing can be written there.
    std::filesystem::create_directory(SettingsPath());
    EXPECT_EQ(Run([](TfrmMain&) {}), 0);
    ASSERT_EQ(Headless.Errors().size(), 1u);
    EXPECT_EQ(Headless.Errors()[0].Message, "Unable to write to " + SettingsPath());
    EXPECT_EQ(Headless.Errors()[0].Title, "Morvik");
}

TEST_F(MainWindowTest, ErrorOutOfTheLoopIsShownAndTheProgramEndsInOrder) {
    EXPECT_EQ(Run([](TfrmMain&) { throw std::runtime_error("the loop broke"); }, false), 0);
    ASSERT_EQ(Headless.Errors().size(), 1u);
    EXPECT_EQ(Headless.Errors()[0].Message, "the loop broke");
    EXPECT_TRUE(FileExists(SettingsPath()));
}

TEST_F(MainWindowTest, ThrownObjectThatIsNoExceptionIsShownWithAnEmptyMessage) {
    EXPECT_EQ(Run([](TfrmMain&) { throw 42; }, false), 0);
    ASSERT_EQ(Headless.Errors().size(), 1u);
    EXPECT_EQ(Headless.Errors()[0].Message, "");
    // The window is still destroyed in order, and its settings saved.
    EXPECT_TRUE(FileExists(SettingsPath()));
}
