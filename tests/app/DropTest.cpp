// Files dropped on the main window from the shell, through the platform's drop entry point: a
// group file opens as a click on it in the file list opens it, files of one folder join the
// list to pack as "Add Filles" moves them, and anything else is refused with a reason. Also the
// busy cursor of the operations the window runs.

#include "Mainwindowtest.h"

#include "archive/Failingfiles.h"
#include "widgets/Showndialog.h"

#include <filesystem>

namespace {

using TNames = std::vector<std::string>;

class DropTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Work.AddFolder("Games");
        Work.AddFolder("Games" + std::string(1, PathDelim) + "Maps");
        Work.AddFolder("Other");
        Games = Work / "Games";
        AddFile("DUKE3D.GRP", GroupFileBytes({{"GAME.CON", "con"}, {"E1L1.MAP", "\x01"}}));
        AddFile("SECOND.GRP", GroupFileBytes({{"ONE.TXT", "1"}}));
        for (const char* name : {"b.art", "A1.map", "MAPS.ZIP", "c.con"}) {
            AddFile(name, "x");
        }
        Work.AddFile("Other" + std::string(1, PathDelim) + "d.con", "x");
    }

    void AddFile(const std::string& name, const std::string& contents) const {
        std::ofstream(In(name), std::ios::binary) << contents;
    }
    std::string In(const std::string& name) const { return Games + PathDelim + name; }
    void Drop(TfrmMain& form, const TNames& paths) { Headless.UserDropFiles(form, paths); }
    // The text of the last message shown.
    std::string LastMessage() const {
        return Headless.Dialogs().empty() ? "" : MessageOf(Headless.Dialogs().back());
    }

    std::string Games;
};

} // namespace

TEST_F(DropTest, AGroupFileOpensListedAndNamedAsAClickOnItInItsFolderDoes) {
    Run([&](TfrmMain& form) {
        // The window starts in the creating layout in the program's folder; the drop holds no
        // file to pack, so the first of its group files opens.
        ASSERT_FALSE(form.extractMode);
        Drop(form, {In("Maps"), In("DUKE3D.GRP"), In("SECOND.GRP"), In("MAPS.ZIP")});
        EXPECT_TRUE(form.extractMode);
        EXPECT_EQ(form.Caption(), "Morvik - v2.0 - Extract a .Grp File");
        EXPECT_EQ(form.DirectoryListBox1->Directory(), Games);
        const int current = form.FileListBox1->ItemIndex();
        ASSERT_GE(current, 0);
        EXPECT_EQ(form.FileListBox1->Items()[current], "DUKE3D.GRP");
        EXPECT_EQ(form.EditGrpFile->Text(), "DUKE3D.GRP");
        EXPECT_EQ(form.EditGrp->Text(), "DUKE3D_Extract");
        EXPECT_EQ(form.EditGrp->Hint(), "Extract to: " + In("DUKE3D_Extract"));
        EXPECT_EQ(Items(*form.ListBox1), (TNames{"GAME.CON", "E1L1.MAP"}));

        // In extracting mode another group file replaces the listing.
        Drop(form, {In("b.art"), In("SECOND.GRP")});
        EXPECT_EQ(form.EditGrpFile->Text(), "SECOND.GRP");
        EXPECT_EQ(Items(*form.ListBox1), TNames{"ONE.TXT"});
        EXPECT_EQ(form.Session().Table().EntryName(0), "ONE.TXT");
    });
    EXPECT_TRUE(Headless.Journal().empty());
}

TEST_F(DropTest, InCreatingModeFilesOfOneFolderJoinTheListToPackByTheRulesOfAddFilles) {
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnMGroup);
        form.ListBox1->Items().Add("KEPT.TXT");
        // Group and zip files stay behind, marked; the folder is ignored.
        Drop(form, {In("MAPS.ZIP"), In("c.con"), In("Maps"), In("DUKE3D.GRP"), In("A1.map")});
        EXPECT_FALSE(form.extractMode);
        EXPECT_EQ(form.DirectoryListBox1->Directory(), Games);
        // In the file list's order, after what the list held.
        EXPECT_EQ(Items(*form.ListBox1), (TNames{"KEPT.TXT", "A1.map", "c.con"}));
        EXPECT_EQ(Items(*form.FileListBox1),
                  (TNames{"b.art", "DUKE3D.GRP", "MAPS.ZIP", "SECOND.GRP"}));
        EXPECT_EQ(Marked(*form.FileListBox1), (TNames{"DUKE3D.GRP", "MAPS.ZIP"}));
        EXPECT_EQ(form.btnGroup->Font().Color, clYellow);

        // Dropped again: the names are in the list to pack already, not in the file list.
        Drop(form, {In("c.con"), In("b.art")});
        EXPECT_EQ(Items(*form.ListBox1), (TNames{"KEPT.TXT", "A1.map", "c.con", "b.art"}));
    });
    EXPECT_TRUE(Headless.Journal().empty());
}

TEST_F(DropTest, FilesOfSeveralFoldersAndADropWithoutAGroupFileWhileExtractingAreRefused) {
    Headless.QueueAnswer(TModalAnswer::PressKey('O'));
    Headless.QueueAnswer(TModalAnswer::PressKey('O'));
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnMGroup);
        const std::string folder = form.DirectoryListBox1->Directory();
        Drop(form, {In("c.con"), Work / "Other" + PathDelim + "d.con"});
        EXPECT_EQ(LastMessage(), "Files from several folders cannot be grouped together!\n"
                                 "Drop files of one folder.");
        EXPECT_EQ(Items(*form.ListBox1), TNames{});
        EXPECT_EQ(form.DirectoryListBox1->Directory(), folder);

        // A drop of folders only adds nothing, and says nothing.
        Drop(form, {In("Maps")});
        EXPECT_EQ(Items(*form.ListBox1), TNames{});

        Headless.UserClick(*form.btnMExtract);
        Drop(form, {In("c.con"), In("Maps")});
        EXPECT_EQ(LastMessage(), "No Group file dropped!\nDrop a .grp file to list its entries.");
        EXPECT_TRUE(form.extractMode);
        EXPECT_EQ(form.EditGrpFile->Text(), "");
    });
    EXPECT_EQ(Headless.Journal(),
              (TNames{"Beep 0", "Dialog Information", "Beep 0", "Dialog Information"}));
}

TEST_F(DropTest, AVanishedFileATooLongNameAndAHostileGroupFileAreRefusedAndTheWindowGoesOn) {
    // A count that claims more entries than the file holds.
    AddFile("HOSTILE.GRP", std::string("KenSilverman\xFF\xFF\xFF\x0F", 16));
    const std::string longName = In(std::string(5000, 'a') + ".GRP");
    for (int i = 0; i < 4; ++i) {
        Headless.QueueAnswer(TModalAnswer::PressKey('O'));
    }
    Run([&](TfrmMain& form) {
        Drop(form, {In("GONE.GRP")});
        // The system's words: "No such file or directory", or Windows' own.
        EXPECT_EQ(LastMessage().rfind("Cannot open GONE.GRP\n", 0), 0u) << LastMessage();
        EXPECT_GT(LastMessage().size(), std::string("Cannot open GONE.GRP\n").size());
        EXPECT_FALSE(form.extractMode);

        Drop(form, {longName});
        EXPECT_EQ(LastMessage().rfind("Cannot open " + std::string(57, 'a') + "...\n", 0), 0u)
            << LastMessage().substr(0, 100);

        Headless.UserClick(*form.btnMGroup);
        Drop(form, {In("b.art"), In("VANISHED.MAP")});
        EXPECT_EQ(LastMessage().rfind("Cannot open VANISHED.MAP\n", 0), 0u) << LastMessage();
        EXPECT_EQ(Items(*form.ListBox1), TNames{});

        // Refused as a click on it refuses it; the window still opens the next drop.
        Drop(form, {In("HOSTILE.GRP")});
        EXPECT_EQ(LastMessage(), "Unknown GRP File!!!\nAborting...");
        EXPECT_EQ(Items(*form.ListBox1), TNames{});
        Drop(form, {In("DUKE3D.GRP")});
        EXPECT_EQ(Items(*form.ListBox1), (TNames{"GAME.CON", "E1L1.MAP"}));
    });
    EXPECT_EQ(Headless.Journal().size(), 8u);
    // Nothing was written beside the files.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Games)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (TNames{"A1.map", "DUKE3D.GRP", "HOSTILE.GRP", "MAPS.ZIP", "Maps",
                             "SECOND.GRP", "b.art", "c.con"}));
}

TEST_F(DropTest, ListingExtractingAndCreatingShowTheBusyCursorAndTheNormalOneToTheUser) {
    TFailingFileServices files;
    std::vector<int> cursorsAtWork;
    // Each read of the group file, of an entry or of a file to pack.
    files.BeforeRead = [&](const std::string& path) {
        if (path.rfind(Games, 0) == 0) {
            cursorsAtWork.push_back(Headless.ScreenCursor());
        }
    };
    Headless.QueueAnswer(TModalAnswer::PressKey('Y')); // extract to DUKE3D_Extract
    Headless.QueueAnswer(TModalAnswer::PressKey('Y')); // group to NEW.GRP
    Headless.QueueAnswer(TModalAnswer::PressKey('O')); // no files selected to group
    Run([&](TfrmMain& form) {
        Drop(form, {In("DUKE3D.GRP")});
        Headless.UserClick(*form.OrnCheckBox1);
        Headless.UserClick(*form.btnExtract);
        Headless.UserClick(*form.btnMGroup);
        Drop(form, {In("c.con")});
        form.EditGrp->SetText("NEW.GRP");
        Headless.UserClick(*form.btnGroup);
        Headless.UserClick(*form.btnMGroup);
        Headless.UserClick(*form.btnGroup);
        EXPECT_EQ(Headless.ScreenCursor(), crDefault);
    });
    ASSERT_FALSE(cursorsAtWork.empty());
    for (const int cursor : cursorsAtWork) {
        EXPECT_EQ(cursor, crHourGlass);
    }
    EXPECT_EQ(ReadFile(In("DUKE3D_Extract") + PathDelim + "GAME.CON"), "con");
    EXPECT_TRUE(FileExists(In("NEW.GRP")));
    // The questions and the refusal showed the normal pointer.
    ASSERT_EQ(Headless.Dialogs().size(), 3u);
    for (const TShownDialog& dialog : Headless.Dialogs()) {
        EXPECT_EQ(dialog.Cursor, crDefault) << dialog.Caption;
    }
    EXPECT_EQ(Headless.ScreenCursor(), crDefault);
}
