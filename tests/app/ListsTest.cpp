// Moving names between the file list and the list to pack, and sorting both: the substring
// rule for group and zip files, the focus, the exchange sort with its keys and byte order, and
// the marks that exchanged positions lose.

#include "Mainwindowtest.h"

namespace {

using TNames = std::vector<std::string>;

} // namespace

TEST_F(MainWindowTest, AddAllLeavesNamesContainingGrpOrZip) {
    for (const char* name : {"DUKE3D.GRP", "MAPS.ZIP", "E1L1.MAP", "GAME.CON", "E1L1.GRP.BAK",
                             "OLD.ZIPPED", "GRP.TXT", "ZIP"}) {
        Program.AddFile(name);
    }
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnAddAll);
        EXPECT_EQ(Items(*form.ListBox1), (TNames{"E1L1.MAP", "GAME.CON", "GRP.TXT", "ZIP"}));
        EXPECT_EQ(Items(*form.FileListBox1),
                  (TNames{"DUKE3D.GRP", "E1L1.GRP.BAK", "MAPS.ZIP", "OLD.ZIPPED"}));
        EXPECT_EQ(form.ActiveControl(), form.ListBox1);
        EXPECT_EQ(form.btnGroup->Font().Color, clYellow);
    });
    EXPECT_TRUE(Headless.Beeps().empty());
}

TEST_F(MainWindowTest, AddFillesMovesTheMarkedNamesAndSkippedOnesKeepTheirMarks) {
    for (const char* name : {"a.txt", "b.txt", "c.txt", "MAPS.ZIP"}) {
        Program.AddFile(name);
    }
    Run([&](TfrmMain& form) {
        MarkItems(*form.FileListBox1, {"MAPS.ZIP", "b.txt"});
        Headless.UserClick(*form.btnFilesAdd);
        EXPECT_EQ(Items(*form.ListBox1), TNames{"b.txt"});
        EXPECT_EQ(Items(*form.FileListBox1), (TNames{"a.txt", "c.txt", "MAPS.ZIP"}));
        EXPECT_EQ(Marked(*form.FileListBox1), TNames{"MAPS.ZIP"});
    });
}

TEST_F(MainWindowTest, AddFillesWithNothingMarkedOnlyFocusesAndRecolours) {
    Program.AddFile("a.txt");
    Program.AddFile("b.txt");
    Run([&](TfrmMain& form) {
        MarkItems(*form.FileListBox1, {"a.txt"});
        Headless.UserClick(*form.btnFilesAdd);
        form.FileListBox1->SetFocus();
        form.EditGrp->SetText("");
        Headless.UserClick(*form.btnFilesAdd);
        EXPECT_EQ(Items(*form.ListBox1), TNames{"a.txt"});
        EXPECT_EQ(Items(*form.FileListBox1), TNames{"b.txt"});
        EXPECT_EQ(form.ActiveControl(), form.ListBox1);
        EXPECT_EQ(form.btnGroup->Font().Color, clBlack);
    });
    EXPECT_TRUE(Headless.Beeps().empty());
}

TEST_F(MainWindowTest, MovingFromAnEmptyListOnlyBeeps) {
    Run([&](TfrmMain& form) {
        form.DirectoryListBox1->SetFocus();
        Headless.UserClick(*form.btnFilesAdd);
        // The press opens the Options menu, which the user closes.
        Headless.QueueAnswer(TModalAnswer::CloseWindow());
        Headless.UserClick(*form.btnOptions);
        Headless.UserClick(*form.btnFilesSub);
        Headless.UserClick(*form.btnAddAll);
        EXPECT_EQ(form.ActiveControl(), form.DirectoryListBox1);
    });
    EXPECT_EQ(Headless.Beeps(),
              (std::vector<TSoundType>{sndDefault, sndExclamation, sndDefault, sndDefault}));
}

TEST_F(MainWindowTest, RemovedNamesReturnInTheFileListsNameOrder) {
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) {
        Program.AddFile(name);
    }
    Run([&](TfrmMain& form) {
        // Added one at a time, the list to pack holds d.txt, c.txt, b.txt.
        for (const char* name : {"d.txt", "c.txt", "b.txt"}) {
            MarkItems(*form.FileListBox1, {name});
            Headless.UserClick(*form.btnFilesAdd);
        }
        ASSERT_EQ(Items(*form.ListBox1), (TNames{"d.txt", "c.txt", "b.txt"}));
        MarkItems(*form.ListBox1, {"d.txt", "b.txt"});
        Headless.UserClick(*form.btnFilesSub);
        EXPECT_EQ(Items(*form.ListBox1), TNames{"c.txt"});
        EXPECT_EQ(Items(*form.FileListBox1), (TNames{"a.txt", "b.txt", "d.txt"}));
        EXPECT_EQ(form.ActiveControl(), form.FileListBox1);
    });
}

TEST_F(MainWindowTest, RemoveFillesWithNothingMarkedOnlyFocusesAndRecolours) {
    Program.AddFile("a.txt");
    Program.AddFile("b.txt");
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnAddAll);
        ASSERT_EQ(Marked(*form.ListBox1), TNames{});
        ASSERT_EQ(form.btnGroup->Font().Color, clYellow);
        // The user empties the name; ListBox1 losing the focus recolours nothing then.
        Headless.UserClick(*form.EditGrp);
        form.EditGrp->SetText("");
        ASSERT_EQ(form.btnGroup->Font().Color, clYellow);
        Headless.UserClick(*form.btnFilesSub);
        EXPECT_EQ(Items(*form.ListBox1), (TNames{"a.txt", "b.txt"}));
        EXPECT_EQ(Items(*form.FileListBox1), TNames{});
        EXPECT_EQ(form.ActiveControl(), form.FileListBox1);
        EXPECT_EQ(form.btnGroup->Font().Color, clBlack);
    });
    EXPECT_TRUE(Headless.Beeps().empty());
}

TEST_F(MainWindowTest, SortByNameComparesUpperCaseBytes) {
    for (const char* name : {"b.art", "_a.art", "A1.map"}) {
        Program.AddFile(name);
    }
    Run([&](TfrmMain& form) {
        // Sorting by extension first takes the file list out of its own name order.
        Headless.UserClick(*form.btnType);
        ASSERT_EQ(Items(*form.FileListBox1), (TNames{"b.art", "_a.art", "A1.map"}));
        Headless.UserClick(*form.btnName);
        EXPECT_EQ(Items(*form.FileListBox1), (TNames{"A1.map", "b.art", "_a.art"}));

        Headless.UserClick(*form.btnType);
        Headless.UserClick(*form.btnAddAll);
        ASSERT_EQ(Items(*form.ListBox1), (TNames{"b.art", "_a.art", "A1.map"}));
        Headless.UserClick(*form.btnName);
        EXPECT_EQ(Items(*form.ListBox1), (TNames{"A1.map", "b.art", "_a.art"}));
    });
}

TEST_F(MainWindowTest, SortComparesBytesAboveAsciiAsUnsigned) {
    Run([&](TfrmMain& form) {
        for (const char* name : {"\xE9t\xE9.txt", "_x.txt", "z.txt", "9.txt"}) {
            form.ListBox1->Items().Add(name);
        }
        Headless.UserClick(*form.btnName);
        EXPECT_EQ(Items(*form.ListBox1), (TNames{"9.txt", "z.txt", "_x.txt", "\xE9t\xE9.txt"}));
    });
}

TEST_F(MainWindowTest, SortByExtensionReversesEqualKeysExchangedAcrossAnother) {
    for (const char* name : {"a.txt", "b.txt", "c.dat"}) {
        Program.AddFile(name);
    }
    Run([&](TfrmMain& form) {
        MarkItems(*form.FileListBox1, {"a.txt", "b.txt", "c.dat"});
        ASSERT_EQ(form.FileListBox1->ItemIndex(), 2);
        Headless.UserClick(*form.btnType);
        EXPECT_EQ(Items(*form.FileListBox1), (TNames{"c.dat", "b.txt", "a.txt"}));
        // Positions 0 and 2 were exchanged and lost their marks; the caret stays at 2.
        EXPECT_EQ(Marked(*form.FileListBox1), TNames{"b.txt"});
        EXPECT_EQ(form.FileListBox1->ItemIndex(), 2);
        Headless.UserClick(*form.btnFilesAdd);
        EXPECT_EQ(Items(*form.ListBox1), TNames{"b.txt"});
        EXPECT_EQ(Items(*form.FileListBox1), (TNames{"c.dat", "a.txt"}));
    });
}

TEST_F(MainWindowTest, ExtensionKeyIsEverythingAfterTheFirstDot) {
    for (const char* name : {"readme", "x.map", "e1l1.map.bak", "b.mapz"}) {
        Program.AddFile(name);
    }
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnType);
        // Keys MAP, MAP.BAK, MAPZ, README.
        EXPECT_EQ(Items(*form.FileListBox1), (TNames{"x.map", "e1l1.map.bak", "b.mapz", "readme"}));
    });
}

TEST_F(MainWindowTest, SortingOneNameChangesNothingButRecolours) {
    Program.AddFile("a.txt");
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnAddAll);
        ASSERT_EQ(form.btnGroup->Font().Color, clYellow);
        form.EditGrp->SetText("");
        Headless.UserClick(*form.btnName);
        EXPECT_EQ(Items(*form.ListBox1), TNames{"a.txt"});
        EXPECT_EQ(Items(*form.FileListBox1), TNames{});
        EXPECT_EQ(form.btnGroup->Font().Color, clBlack);
    });
}

TEST_F(MainWindowTest, FolderDoubleClickEmptiesTheListToPackAndOpensTheFolder) {
    Program.AddFile("a.txt");
    Program.AddFolder("maps");
    std::ofstream(Program / "maps" + PathDelim + "e1l1.map") << "x";
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnAddAll);
        ASSERT_EQ(form.btnGroup->Font().Color, clYellow);
        TDirectoryListBox& folders = *form.DirectoryListBox1;
        const int index = folders.Items().IndexOf("maps");
        ASSERT_GE(index, 0);
        for (int y = 0; y < folders.ClientHeight(); ++y) {
            if (folders.ItemAtPos({10, y}) == index) {
                Headless.UserDoubleClickAt(folders, 10, y);
                break;
            }
        }
        EXPECT_EQ(Items(*form.ListBox1), TNames{});
        EXPECT_EQ(form.btnGroup->Font().Color, clBlack);
        EXPECT_EQ(folders.Directory(), Program / "maps");
        EXPECT_EQ(Items(*form.FileListBox1), TNames{"e1l1.map"});
    });
}
