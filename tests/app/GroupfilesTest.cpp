// The window's file list and action buttons wired to the group-file operations: clicking a
// group file lists it (extracting) or adopts its name (creating), a refused file keeps the
// previous listing, and marked entries are extracted.

#include "Mainwindowtest.h"

#include "widgets/Showndialog.h"

#include <filesystem>

namespace {

using TNames = std::vector<std::string>;

// GAME.CON of 5 bytes and E1L1.MAP of 3, in that order: 56 bytes.
std::string TwoEntryGroup() {
    return GroupFileBytes({{"GAME.CON", "game!"}, {"E1L1.MAP", "\x01\x02\x03"}});
}

class GroupFilesTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Work.AddFile("MyGroup.grp", TwoEntryGroup());
        StartWith(Work / "MyGroup.grp");
    }

    void ClickFile(TfrmMain& form, const std::string& name) {
        const int index = form.FileListBox1->Items().IndexOf(name);
        ASSERT_GE(index, 0) << name;
        ClickItem(*form.FileListBox1, index);
    }
};

} // namespace

TEST_F(GroupFilesTest, ClickingAGroupFileListsItsEntriesInDirectoryOrder) {
    Run([&](TfrmMain& form) {
        ClickFile(form, "MyGroup.grp");
        EXPECT_EQ(form.EditGrpFile->Text(), "MyGroup.grp");
        EXPECT_EQ(form.EditGrp->Text(), "MyGroup_Extract");
        EXPECT_EQ(form.EditGrp->Hint(),
                  "Extract to: " + Work.Name() + PathDelim + "MyGroup_Extract");
        EXPECT_EQ(Items(*form.ListBox1), (TNames{"GAME.CON", "E1L1.MAP"}));
        EXPECT_EQ(form.Session().Table().EntrySize(0), 5u);
    });
    EXPECT_TRUE(Headless.Journal().empty());
}

TEST_F(GroupFilesTest, RefusedFileKeepsThePreviousListing) {
    Work.AddFile("bad.grp", std::string("kensilverman\0\0\0\0", 16));
    // Shorter than its header; a header claiming three entries and no directory; a file gone
    // from the disk since the folder was read.
    Work.AddFile("short.grp", "KenSilverman\x01");
    Work.AddFile("count.grp", std::string("KenSilverman\x03\0\0\0", 16));
    Work.AddFile("gone.grp", TwoEntryGroup());
    const TNames refused{"bad.grp", "short.grp", "count.grp", "gone.grp"};
    for (std::size_t i = 0; i < refused.size(); ++i) {
        Headless.QueueAnswer(TModalAnswer::PressKey('O'));
    }
    Run([&](TfrmMain& form) {
        ClickFile(form, "MyGroup.grp");
        std::filesystem::remove(Work / "gone.grp");
        for (const std::string& name : refused) {
            SCOPED_TRACE(name);
            ClickFile(form, name);
            EXPECT_EQ(Items(*form.ListBox1), (TNames{"GAME.CON", "E1L1.MAP"}));
            EXPECT_EQ(form.EditGrpFile->Text(), name);
        }
        EXPECT_EQ(form.Session().Table().EntryName(0), "GAME.CON");
    });
    TNames journal;
    for (std::size_t i = 0; i < refused.size(); ++i) {
        journal.push_back("Beep 0");
        journal.push_back("Dialog Information");
    }
    EXPECT_EQ(Headless.Journal(), journal);
    for (const TShownDialog& dialog : Headless.Dialogs()) {
        EXPECT_EQ(MessageOf(dialog), "Unknown GRP File!!!\nAborting...");
        ASSERT_NE(dialog.Find("A0"), nullptr);
        EXPECT_EQ(dialog.Find("A0")->Caption, "&OK");
        EXPECT_EQ(dialog.Find("A1"), nullptr);
    }
}

TEST_F(GroupFilesTest, ModeSwitchEmptiesTheEntryTable) {
    Run([&](TfrmMain& form) {
        ClickFile(form, "MyGroup.grp");
        const TEntryTable& table = form.Session().Table();
        ASSERT_EQ(table.Used(), 2u);
        Headless.UserClick(*form.btnMGroup);
        EXPECT_EQ(table.Used(), 0u);
        EXPECT_EQ(table.EntryName(0), "");
        // The count and data start stay.
        EXPECT_EQ(table.EntryCount, 2u);
    });
}

// The switch runs in full in its own mode too: the listing is forgotten, and there is nothing to
// extract until a file is listed again.
TEST_F(GroupFilesTest, SwitchingToExtractingAgainForgetsTheListing) {
    Headless.QueueAnswer(TModalAnswer::PressKey('O'));
    Run([&](TfrmMain& form) {
        ClickFile(form, "MyGroup.grp");
        ASSERT_EQ(form.ListBox1->Items().Count(), 2);
        Headless.UserClick(*form.btnMExtract);
        EXPECT_EQ(Items(*form.ListBox1), TNames{});
        EXPECT_EQ(form.EditGrp->Text(), "");
        EXPECT_EQ(form.EditGrp->Hint(), "");
        EXPECT_EQ(form.EditGrpFile->Text(), "");
        EXPECT_EQ(Items(*form.FileListBox1), TNames{"MyGroup.grp"});
        Headless.UserClick(*form.OrnCheckBox1);
        Headless.UserClick(*form.btnExtract);
        EXPECT_EQ(form.Session().Table().EntryName(0), "");
    });
    EXPECT_EQ(Headless.Journal(), (TNames{"Beep 0", "Dialog Information"}));
    EXPECT_FALSE(DirectoryExists(Work / "MyGroup_Extract"));
    EXPECT_FALSE(DirectoryExists(Work / "_Extract"));
}

// A change of the current item by keyboard names the new file but lists nothing: the entries
// shown are still the old file's, and extracting them from the new one is refused.
TEST_F(GroupFilesTest, KeyboardChoiceNamesTheFileButExtractsNothingUntilItIsListed) {
    Work.AddFile("OTHER.GRP", GroupFileBytes({{"TILES.ART", "\x07\x07"}}));
    Headless.QueueAnswer(TModalAnswer::PressKey('Y'));
    Headless.QueueAnswer(TModalAnswer::PressKey('O'));
    Headless.QueueAnswer(TModalAnswer::PressKey('Y'));
    Run([&](TfrmMain& form) {
        ClickFile(form, "MyGroup.grp");
        Headless.UserPressKey(form, vkDown);
        ASSERT_EQ(form.FileListBox1->Items()[form.FileListBox1->ItemIndex()], "OTHER.GRP");
        EXPECT_EQ(form.EditGrpFile->Text(), "OTHER.GRP");
        EXPECT_EQ(form.EditGrp->Text(), "OTHER_Extract");
        EXPECT_EQ(Items(*form.ListBox1), (TNames{"GAME.CON", "E1L1.MAP"}));
        Headless.UserClick(*form.OrnCheckBox1);
        Headless.UserClick(*form.btnExtract);
        EXPECT_FALSE(DirectoryExists(Work / "OTHER_Extract"));

        // Listed by the mouse, it extracts.
        ClickFile(form, "OTHER.GRP");
        EXPECT_EQ(Items(*form.ListBox1), TNames{"TILES.ART"});
        Headless.UserClick(*form.btnExtract);
    });
    EXPECT_EQ(ReadFile(Work / "OTHER_Extract" + PathDelim + "TILES.ART"), "\x07\x07");
    EXPECT_FALSE(DirectoryExists(Work / "MyGroup_Extract"));
    EXPECT_EQ(Headless.Journal(),
              (TNames{"Beep 48", "Dialog Extract: OTHER.GRP", "Beep 0", "Dialog Information",
                      "Beep 48", "Dialog Extract: OTHER.GRP", "Beep 64"}));
}

// Creating mode takes any name holding ".grp" in any case, and every release over the file
// list recolours the Create button, a group file or not.
TEST_F(GroupFilesTest, CreatingModeAdoptsAnyNameHoldingGrpAndAlwaysRecolours) {
    Work.AddFile("NOTES.GRPX");
    Work.AddFile("a.txt");
    Work.AddFile("readme.txt");
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnMGroup);
        MarkItems(*form.FileListBox1, {"a.txt"});
        Headless.UserClick(*form.btnFilesAdd);
        ASSERT_EQ(form.btnGroup->Font().Color, clYellow);
        // The user empties the name; ListBox1 losing the focus recolours nothing then.
        Headless.UserClick(*form.EditGrp);
        form.EditGrp->SetText("");
        ASSERT_EQ(form.btnGroup->Font().Color, clYellow);
        ClickFile(form, "readme.txt");
        EXPECT_EQ(form.EditGrp->Text(), "");
        EXPECT_EQ(form.btnGroup->Font().Color, clBlack);
        ClickFile(form, "NOTES.GRPX");
        EXPECT_EQ(form.EditGrp->Text(), "NOTES.GRPX");
        EXPECT_EQ(form.EditGrp->Hint(), "Group to: " + Work.Name() + PathDelim + "NOTES.GRPX ");
        EXPECT_EQ(form.btnGroup->Font().Color, clYellow);
        EXPECT_EQ(Items(*form.ListBox1), TNames{"a.txt"});
    });
}

TEST_F(GroupFilesTest, MarkedEntriesAreExtractedIntoTheGroupsFolder) {
    Headless.QueueAnswer(TModalAnswer::PressKey('Y'));
    Run([&](TfrmMain& form) {
        ClickFile(form, "MyGroup.grp");
        MarkItems(*form.ListBox1, {"GAME.CON"});
        Headless.UserClick(*form.btnExtract);
        // Listed again in directory order, without marks.
        EXPECT_EQ(Items(*form.ListBox1), (TNames{"GAME.CON", "E1L1.MAP"}));
        EXPECT_EQ(Marked(*form.ListBox1), TNames{});
    });
    const std::string folder = Work / "MyGroup_Extract";
    EXPECT_EQ(ReadFile(folder + PathDelim + "GAME.CON"), "game!");
    EXPECT_FALSE(FileExists(folder + PathDelim + "E1L1.MAP"));
    EXPECT_EQ(Headless.Journal(), (TNames{"Beep 48", "Dialog Extract: MyGroup.grp", "Beep 64"}));
}

TEST_F(GroupFilesTest, ExtractAllFilesTakesEveryEntry) {
    Headless.QueueAnswer(TModalAnswer::PressKey('Y'));
    Run([&](TfrmMain& form) {
        ClickFile(form, "MyGroup.grp");
        Headless.UserClick(*form.OrnCheckBox1);
        ASSERT_TRUE(form.OrnCheckBox1->Checked());
        Headless.UserClick(*form.btnExtract);
    });
    const std::string folder = Work / "MyGroup_Extract";
    EXPECT_EQ(ReadFile(folder + PathDelim + "GAME.CON"), "game!");
    EXPECT_EQ(ReadFile(folder + PathDelim + "E1L1.MAP"), "\x01\x02\x03");
}

TEST_F(GroupFilesTest, ListedNamesArePackedInListOrderByCreateGrp) {
    Work.AddFile("b.con", "bb");
    Work.AddFile("a.map", "a");
    Headless.QueueAnswer(TModalAnswer::PressKey('Y'));
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnMGroup);
        MarkItems(*form.FileListBox1, {"b.con"});
        Headless.UserClick(*form.btnFilesAdd);
        MarkItems(*form.FileListBox1, {"a.map"});
        Headless.UserClick(*form.btnFilesAdd);
        form.EditGrp->SetText("NEW.GRP");
        Headless.UserClick(*form.btnGroup);
        // The file list is read again and shows the new group file.
        EXPECT_GE(form.FileListBox1->Items().IndexOf("NEW.GRP"), 0);
    });
    EXPECT_EQ(ReadFile(Work / "NEW.GRP"), GroupFileBytes({{"b.con", "bb"}, {"a.map", "a"}}));
    EXPECT_EQ(Headless.Journal(), (TNames{"Beep 48", "Dialog Create .Grp File", "Beep 64"}));
}

// "Create GRP" and "Extract GRP" share one place on the window; a click that reaches the hidden
// one does nothing in the other's mode.
TEST_F(GroupFilesTest, TheActionButtonsActOnlyInTheirOwnMode) {
    Run([&](TfrmMain& form) {
        ClickFile(form, "MyGroup.grp");
        form.btnGroupClick(form.btnGroup);
        Headless.UserClick(*form.btnMGroup);
        form.btnExtractClick(form.btnExtract);
    });
    EXPECT_TRUE(Headless.Journal().empty());
    EXPECT_FALSE(DirectoryExists(Work / "MyGroup_Extract"));
}

// Found by the window_session fuzz target (fuzz/corpus/window_session/create_over_dangling_link):
// "Create GRP" renamed the new file over a symbolic link of the group file's name.
TEST_F(GroupFilesTest, CreateGrpRefusesASymbolicLinkOfTheGroupsName) {
    Work.AddFile("a.txt", "a");
    const std::string linked = Work / "LINK.GRP";
    const std::string dangling = Work / "DANGLING.GRP";
    std::error_code error;
    std::filesystem::create_symlink(Work / "MyGroup.grp", linked, error);
    if (!error) {
        std::filesystem::create_symlink(Work / "nowhere.grp", dangling, error);
    }
    if (error) {
        GTEST_SKIP() << "no symbolic links here";
    }
    // To a group file: overwrite it, continue; to nothing: continue. Each ends in a refusal.
    for (const char key : {'Y', 'Y', 'O', 'Y', 'O'}) {
        Headless.QueueAnswer(TModalAnswer::PressKey(std::uint16_t(key)));
    }
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnMGroup);
        MarkItems(*form.FileListBox1, {"a.txt"});
        Headless.UserClick(*form.btnFilesAdd);
        for (const std::string name : {"LINK.GRP", "DANGLING.GRP"}) {
            form.EditGrp->SetText(name);
            Headless.UserClick(*form.btnGroup);
            EXPECT_NE(MessageOf(Headless.Dialogs().back()).find("is a symbolic link"),
                      std::string::npos)
                << name;
        }
    });
    EXPECT_EQ(Headless.Journal(),
              (TNames{"Beep 0", "Dialog Warning!", "Beep 48", "Dialog Create .Grp File", "Beep 0",
                      "Dialog Information", "Beep 48", "Dialog Create .Grp File", "Beep 0",
                      "Dialog Information"}));
    EXPECT_TRUE(std::filesystem::is_symlink(linked));
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_EQ(ReadFile(Work / "MyGroup.grp"), TwoEntryGroup());
    EXPECT_FALSE(FileExists(Work / "nowhere.grp"));
}
