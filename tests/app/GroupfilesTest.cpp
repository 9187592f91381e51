// The window's file list and action buttons wired to the group-file operations: clicking a
// group file lists it (extracting) or adopts its name (creating), a refused file keeps the
// previous listing, and marked entries are extracted.

#include "Mainwindowtest.h"

#include "archive/Entrytable.h"
#include "archive/Grpformat.h"

#include <cstdint>

namespace {

using TNames = std::vector<std::string>;

std::string Bytes(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// GAME.CON of 5 bytes and E1L1.MAP of 3, in that order: 56 bytes.
std::string TwoEntryGroup() {
    return Bytes(BuildGrpImage({{"GAME.CON", {'g', 'a', 'm', 'e', '!'}}, {"E1L1.MAP", {1, 2, 3}}}));
}

class GroupFilesTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // The table is the program's; each run here is a program start.
        entryTable = TEntryTable();
        Work.AddFile("MyGroup.grp", TwoEntryGroup());
        StartWith(Work / "MyGroup.grp");
    }
    void TearDown() override {
        entryTable = TEntryTable();
        MainWindowTest::TearDown();
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
    });
    EXPECT_EQ(entryTable.EntryCount, 2u);
    EXPECT_EQ(entryTable.DataStart, 48u);
    EXPECT_EQ(entryTable.EntryName(1), "E1L1.MAP");
    EXPECT_EQ(entryTable.EntrySize(0), 5u);
    EXPECT_TRUE(Headless.Journal().empty());
}

TEST_F(GroupFilesTest, RefusedFileKeepsThePreviousListing) {
    Work.AddFile("bad.grp", std::string("kensilverman\0\0\0\0", 16));
    Headless.QueueAnswer(TModalAnswer::PressKey('O'));
    Run([&](TfrmMain& form) {
        ClickFile(form, "MyGroup.grp");
        ClickFile(form, "bad.grp");
        EXPECT_EQ(Items(*form.ListBox1), (TNames{"GAME.CON", "E1L1.MAP"}));
        EXPECT_EQ(form.EditGrpFile->Text(), "bad.grp");
    });
    EXPECT_EQ(Headless.Journal(), (TNames{"Beep 0", "Dialog Information"}));
    EXPECT_EQ(entryTable.EntryCount, 2u);
}

TEST_F(GroupFilesTest, ModeSwitchEmptiesTheEntryTable) {
    Run([&](TfrmMain& form) {
        ClickFile(form, "MyGroup.grp");
        ASSERT_EQ(entryTable.Used(), 2u);
        Headless.UserClick(*form.btnMGroup);
        EXPECT_EQ(entryTable.Used(), 0u);
        EXPECT_EQ(entryTable.EntryName(0), "");
        // The count and data start stay.
        EXPECT_EQ(entryTable.EntryCount, 2u);
    });
}

TEST_F(GroupFilesTest, CreatingModeAdoptsAClickedGroupFilesName) {
    Work.AddFile("notes.txt");
    Work.AddFile("OLD.GRP", TwoEntryGroup());
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnMGroup);
        ClickFile(form, "notes.txt");
        EXPECT_EQ(form.EditGrp->Text(), "MyGroup.grp");
        EXPECT_EQ(form.EditGrp->Hint(), "");
        ClickFile(form, "OLD.GRP");
        EXPECT_EQ(form.EditGrp->Text(), "OLD.GRP");
        EXPECT_EQ(form.EditGrp->Hint(), "Group to: " + Work.Name() + PathDelim + "OLD.GRP ");
        // Adopting lists nothing.
        EXPECT_EQ(form.ListBox1->Items().Count(), 0);
        EXPECT_EQ(form.EditGrpFile->Text(), "");
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
    EXPECT_EQ(ReadFile(Work / "NEW.GRP"),
              Bytes(BuildGrpImage({{"b.con", {'b', 'b'}}, {"a.map", {'a'}}})));
    EXPECT_EQ(Headless.Journal(), (TNames{"Beep 48", "Dialog Create .Grp File", "Beep 64"}));
}
