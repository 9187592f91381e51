// Runs of the program started on a group file in a folder whose name holds a blank: listing it,
// building a list to pack, sorting and removing, quitting; then the next start without an
// argument, in the folder the first run ended in.

#include "Mainwindowtest.h"

namespace {

using TNames = std::vector<std::string>;

class CommandLineSession : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Games = Work / "My Games";
        Work.AddFolder("My Games");
        AddFile("DUKE3D.GRP", GroupFileBytes({{"GAME.CON", "con"}, {"E1L1.MAP", "\x01"}}));
        for (const char* name : {"b.art", "_a.art", "A1.map", "MAPS.ZIP", "E1L1.GRP.BAK"}) {
            AddFile(name, "x");
        }
    }

    void AddFile(const std::string& name, const std::string& contents) const {
        std::ofstream(Games + PathDelim + name, std::ios::binary) << contents;
    }
    void ClickFile(TfrmMain& form, const std::string& name) {
        const int index = form.FileListBox1->Items().IndexOf(name);
        ASSERT_GE(index, 0) << name;
        ClickItem(*form.FileListBox1, index);
    }

    // A folder whose name holds a blank: the command line quotes it.
    std::string Games;
};

} // namespace

TEST_F(CommandLineSession, ListPackSortRemoveQuitAndStartAgainWhereTheRunEnded) {
    StartWith(Games + PathDelim + "DUKE3D.GRP");
    EXPECT_EQ(Run([&](TfrmMain& form) {
                  EXPECT_EQ(form.Caption(), "Morvik - v2.0 - Extract a .Grp File");
                  EXPECT_EQ(form.DirectoryListBox1->Directory(), Games);
                  EXPECT_EQ(Items(*form.FileListBox1), TNames{"DUKE3D.GRP"});
                  EXPECT_EQ(Items(*form.ListBox1), TNames{});

                  ClickFile(form, "DUKE3D.GRP");
                  EXPECT_EQ(form.EditGrpFile->Text(), "DUKE3D.GRP");
                  EXPECT_EQ(form.EditGrp->Text(), "DUKE3D_Extract");
                  EXPECT_EQ(Items(*form.ListBox1), (TNames{"GAME.CON", "E1L1.MAP"}));
                  EXPECT_EQ(form.Session().Table().EntrySize(0), 3u);

                  Headless.UserClick(*form.btnMGroup);
                  EXPECT_EQ(form.Caption(), "Morvik - v2.0 - Create a .Grp File");
                  EXPECT_EQ(form.btnGroup->Caption(), "Create GRP");
                  EXPECT_EQ(Items(*form.ListBox1), TNames{});
                  EXPECT_EQ(form.Session().Table().EntryName(0), "");
                  // The file list's own order folds case; the underscore sorts after letters.
                  EXPECT_EQ(Items(*form.FileListBox1),
                            (TNames{"A1.map", "b.art", "DUKE3D.GRP", "E1L1.GRP.BAK", "MAPS.ZIP",
                                    "_a.art"}));

                  ClickFile(form, "DUKE3D.GRP");
                  EXPECT_EQ(form.EditGrp->Text(), "DUKE3D.GRP");
                  Headless.UserClick(*form.btnAddAll);
                  EXPECT_EQ(Items(*form.ListBox1), (TNames{"A1.map", "b.art", "_a.art"}));
                  EXPECT_EQ(Items(*form.FileListBox1),
                            (TNames{"DUKE3D.GRP", "E1L1.GRP.BAK", "MAPS.ZIP"}));
                  EXPECT_EQ(form.btnGroup->Font().Color, clYellow);

                  // Keys MAP, ART, ART: two exchanges; the file list is already in key order.
                  Headless.UserClick(*form.btnType);
                  EXPECT_EQ(Items(*form.ListBox1), (TNames{"b.art", "_a.art", "A1.map"}));
                  EXPECT_EQ(Items(*form.FileListBox1),
                            (TNames{"DUKE3D.GRP", "E1L1.GRP.BAK", "MAPS.ZIP"}));

                  MarkItems(*form.ListBox1, {"A1.map", "b.art"});
                  Headless.UserClick(*form.btnFilesSub);
                  EXPECT_EQ(Items(*form.ListBox1), TNames{"_a.art"});
                  EXPECT_EQ(Items(*form.FileListBox1),
                            (TNames{"A1.map", "b.art", "DUKE3D.GRP", "E1L1.GRP.BAK", "MAPS.ZIP"}));

                  // The press opens the Options menu, which the user closes.

                  Headless.QueueAnswer(TModalAnswer::CloseWindow());

                  Headless.UserClick(*form.btnOptions);
                  MarkItems(*form.ListBox1, {"_a.art"});
                  Headless.UserClick(*form.btnFilesSub);
                  EXPECT_EQ(form.btnGroup->Font().Color, clBlack);
                  Headless.UserClick(*form.btnFilesSub);
              }),
              0);
    EXPECT_EQ(Headless.Beeps(), (std::vector<TSoundType>{sndExclamation, sndDefault}));
    EXPECT_TRUE(Headless.Dialogs().empty());
    EXPECT_EQ(ReadSettings(), "[Setup]\r\nLastFolder=" + Games + "\r\nGroupPath=" + Games +
                                  PathDelim + "\r\nGroupFile=DUKE3D.GRP\r\n");

    // The next start, without an argument, reads the folder back.
    StartWith("");
    Run([&](TfrmMain& form) {
        EXPECT_EQ(form.Caption(), "Morvik - v2.0 - Manage .Grp File");
        EXPECT_FALSE(form.extractMode);
        EXPECT_EQ(form.lastFolder, Games);
        EXPECT_EQ(form.commandLineFile, "");
        EXPECT_EQ(form.DirectoryListBox1->Directory(), Games);
        EXPECT_EQ(form.FileListBox1->Items().Count(), 6);
        EXPECT_EQ(form.btnGroup->Caption(), " Create GRP");
    });
    EXPECT_EQ(ReadSettings(),
              "[Setup]\r\nLastFolder=" + Games + "\r\nGroupPath=" + Games + "\r\nGroupFile=\r\n");
}
