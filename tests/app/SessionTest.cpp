// A whole working session on the window, as a user has it: pack the files of a folder into a
// group file, answer the questions with Yes, No and the close box, switch to extracting, list
// the new file, extract some and then all of its entries. What is checked is what the user
// sees and gets: the bytes on disk, the dialogs with their texts and icons, the beeps in
// order and the lists.

#include "Mainwindowtest.h"

#include "widgets/Showndialog.h"

namespace {

using TNames = std::vector<std::string>;

class SessionTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Work.AddFile("GAME.CON", "ABCDE");
        Work.AddFile("E1L1.MAP", "xyz");
        Work.AddFile("EMPTY.DAT", "");
        // Only the program's exact name is left out of a group file.
        Work.AddFile("morvik.exe", "MZ!!");
        WriteSettings("[Setup]\r\nLastFolder=" + Work.Name() + "\r\n");
    }

    void Answer(TModalAnswer answer) { Headless.QueueAnswer(answer); }
    static TModalAnswer Yes() { return TModalAnswer::PressKey('Y'); }
    static TModalAnswer No() { return TModalAnswer::PressKey('N'); }
    static TModalAnswer Ok() { return TModalAnswer::PressKey('O'); }
    static TModalAnswer CloseBox() { return TModalAnswer::CloseWindow(); }

    // The dialog shown last, which must show message under caption with icon.
    void ExpectDialog(const std::string& caption, const std::string& message, TSystemIcon icon) {
        ASSERT_FALSE(Headless.Dialogs().empty());
        const TShownDialog& dialog = Headless.Dialogs().back();
        EXPECT_EQ(dialog.Caption, caption);
        EXPECT_EQ(MessageOf(dialog), message);
        EXPECT_TRUE(ShowsIcon(dialog, icon)) << caption;
    }
    // The journal since the last call: dialogs and beeps in order.
    TNames Happened() {
        TNames happened(Headless.Journal().begin() + long(Seen), Headless.Journal().end());
        Seen = Headless.Journal().size();
        return happened;
    }

    std::string Extracted(const std::string& name) const {
        return ReadFile(Work / "MyGroup_Extract" + PathDelim + name);
    }

    std::size_t Seen = 0;
};

} // namespace

TEST_F(SessionTest, PackThenExtractAsAUserDoes) {
    const std::string group = Work / "MyGroup.grp";
    // Sorted by extension in upper case: CON, DAT, EXE, MAP.
    const TNames sorted = {"GAME.CON", "EMPTY.DAT", "morvik.exe", "E1L1.MAP"};
    const std::string packed = GroupFileBytes(
        {{"GAME.CON", "ABCDE"}, {"EMPTY.DAT", ""}, {"morvik.exe", "MZ!!"}, {"E1L1.MAP", "xyz"}});
    Run([&](TfrmMain& form) {
        ASSERT_EQ(form.DirectoryListBox1->Directory(), Work.Name());

        // Creating: every file of the folder goes to the list, sorted by extension.
        Headless.UserClick(*form.btnAddAll);
        Headless.UserClick(*form.btnType);
        EXPECT_EQ(Items(*form.ListBox1), sorted);
        form.EditGrp->SetText("MyGroup.grp");

        // The first question of the run warns; the close box answers it like Yes.
        Answer(CloseBox());
        Headless.UserClick(*form.btnGroup);
        ExpectDialog("Create .Grp File",
                     "Files will be grouped to:\n" + Work.Name() + PathDelim +
                         "MyGroup.grp\nContinue ?",
                     siExclamation);
        EXPECT_EQ(Happened(), (TNames{"Beep 48", "Dialog Create .Grp File", "Beep 64"}));
        EXPECT_EQ(ReadFile(group), packed);
        EXPECT_GE(form.FileListBox1->Items().IndexOf("MyGroup.grp"), 0);

        // Again: the file exists, and No to the overwrite question ends it there.
        Answer(No());
        Headless.UserClick(*form.btnGroup);
        ExpectDialog("Warning!", "Group file: MyGroup.grp already exists!\nOverwrite ?",
                     siExclamation);
        EXPECT_EQ(Happened(), (TNames{"Beep 0", "Dialog Warning!", "Beep 0"}));
        EXPECT_EQ(ReadFile(group), packed);

        // Extracting: the new file lists its entries in directory order.
        Headless.UserClick(*form.btnMExtract);
        ClickItem(*form.FileListBox1, form.FileListBox1->Items().IndexOf("MyGroup.grp"));
        EXPECT_EQ(Items(*form.ListBox1), sorted);
        EXPECT_EQ(form.EditGrp->Text(), "MyGroup_Extract");

        // Two marked entries; the empty one gives no file.
        MarkItems(*form.ListBox1, {"GAME.CON", "EMPTY.DAT"});
        Answer(Yes());
        Headless.UserClick(*form.btnExtract);
        ExpectDialog("Extract: MyGroup.grp",
                     "Files will be extracted to:\n" + Work.Name() + PathDelim +
                         "MyGroup_Extract\nContinue ?",
                     siExclamation);
        EXPECT_EQ(Happened(), (TNames{"Beep 48", "Dialog Extract: MyGroup.grp", "Beep 64"}));
        EXPECT_EQ(Extracted("GAME.CON"), "ABCDE");
        EXPECT_FALSE(FileExists(Work / "MyGroup_Extract" + PathDelim + "EMPTY.DAT"));
        EXPECT_FALSE(FileExists(Work / "MyGroup_Extract" + PathDelim + "E1L1.MAP"));
        EXPECT_EQ(Marked(*form.ListBox1), TNames{});

        // Nothing marked now: a refusal, in the information dialog.
        Answer(Ok());
        Headless.UserClick(*form.btnExtract);
        ExpectDialog("Information", "No files selected to extract!", siAsterisk);
        EXPECT_EQ(Happened(), (TNames{"Beep 0", "Dialog Information"}));

        // All of them, into a folder that now holds a file: after the refusal the questions
        // show the information icon. No to the second question writes nothing and keeps the
        // list as it was.
        Headless.UserClick(*form.OrnCheckBox1);
        ASSERT_TRUE(form.OrnCheckBox1->Checked());
        MarkItems(*form.ListBox1, {"E1L1.MAP"});
        Answer(Yes());
        Answer(No());
        Headless.UserClick(*form.btnExtract);
        ExpectDialog("Directory not empty!",
                     Work / "MyGroup_Extract" + "\nThe directory is not empty!\nContinue ?",
                     siAsterisk);
        EXPECT_TRUE(ShowsIcon(Headless.Dialogs().end()[-2], siAsterisk));
        EXPECT_EQ(Happened(), (TNames{"Beep 48", "Dialog Extract: MyGroup.grp",
                                      "Dialog Directory not empty!", "Beep 0"}));
        EXPECT_FALSE(FileExists(Work / "MyGroup_Extract" + PathDelim + "E1L1.MAP"));
        EXPECT_EQ(Marked(*form.ListBox1), TNames{"E1L1.MAP"});

        // Yes to both: every entry but the empty one, over the file already there.
        Answer(Yes());
        Answer(Yes());
        Headless.UserClick(*form.btnExtract);
        EXPECT_EQ(Happened(), (TNames{"Beep 48", "Dialog Extract: MyGroup.grp",
                                      "Dialog Directory not empty!", "Beep 64"}));
        EXPECT_EQ(Extracted("GAME.CON"), "ABCDE");
        EXPECT_EQ(Extracted("E1L1.MAP"), "xyz");
        EXPECT_EQ(Extracted("morvik.exe"), "MZ!!");
        EXPECT_FALSE(FileExists(Work / "MyGroup_Extract" + PathDelim + "EMPTY.DAT"));
        EXPECT_EQ(Items(*form.ListBox1), sorted);
    });
    EXPECT_EQ(Headless.PendingAnswers(), 0u);
    EXPECT_EQ(ReadSettings(), "[Setup]\r\nLastFolder=" + Work.Name() +
                                  "\r\nGroupPath=" + Work.Name() + "\r\nGroupFile=\r\n");
}
