#include "Headlesstest.h"

#include "toolkit/Filectrl.h"
#include "toolkit/Forms.h"
#include "toolkit/Sysutils.h"

#include <map>
#include <string>
#include <vector>

namespace {

// The system's file services, except for the folders and drives the test makes up.
class TMadeUpFolders : public TFileServices {
public:
    std::map<std::string, std::vector<TSearchRec>> Folders;
    std::vector<std::string> Drives;

    TMadeUpFolders() : System(SystemFileServices()), Previous(SetFileServices(this)) {}
    ~TMadeUpFolders() override { SetFileServices(Previous); }

    bool ListFolder(const std::string& folder, std::vector<TSearchRec>& entries) override {
        const auto found = Folders.find(folder);
        if (found == Folders.end()) {
            return false;
        }
        entries = found->second;
        return true;
    }
    std::vector<std::string> LogicalDrives() override { return Drives; }

    bool FileExists(const std::string& path) override { return System.FileExists(path); }
    bool DirectoryExists(const std::string& path) override { return Folders.count(path) != 0; }
    bool IsSymLink(const std::string& path) override { return System.IsSymLink(path); }
    THandle FileOpen(const std::string& path, TFileMode mode) override {
        return System.FileOpen(path, mode);
    }
    THandle FileCreate(const std::string& path) override { return System.FileCreate(path); }
    THandle FileCreateNew(const std::string& path) override { return System.FileCreateNew(path); }
    std::int64_t FileSeek(THandle handle, std::int64_t offset, TSeekOrigin origin) override {
        return System.FileSeek(handle, offset, origin);
    }
    std::int64_t FileRead(THandle handle, void* buffer, std::int64_t count) override {
        return System.FileRead(handle, buffer, count);
    }
    std::int64_t FileWrite(THandle handle, const void* buffer, std::int64_t count) override {
        return System.FileWrite(handle, buffer, count);
    }
    bool FileFlush(THandle handle) override { return System.FileFlush(handle); }
    bool FileClose(THandle handle) override { return System.FileClose(handle); }
    bool DeleteFile(const std::string& path) override { return System.DeleteFile(path); }
    bool RenameFile(const std::string& from, const std::string& to) override {
        return System.RenameFile(from, to);
    }
    bool CreateDir(const std::string& path) override { return System.CreateDir(path); }
    bool RemoveDir(const std::string& path) override { return System.RemoveDir(path); }
    std::string LastErrorText() override { return System.LastErrorText(); }

private:
    TFileServices& System;
    TFileServices* Previous;
};

const std::uint32_t OrdinaryFiles = faReadOnly | faArchive | faNormal;

} // namespace

TEST(MaskTest, PatternsMatchWholeNamesIgnoringAsciiCase) {
    EXPECT_TRUE(MatchesMask("A.GRP", "*.grp"));
    EXPECT_TRUE(MatchesMask("duke3d.grp", "*.GRP"));
    EXPECT_FALSE(MatchesMask("notes.grpx", "*.grp"));
    EXPECT_FALSE(MatchesMask("grp", "*.grp"));
    EXPECT_TRUE(MatchesMask("E1L1.MAP", "E?L?.*"));
    EXPECT_FALSE(MatchesMask("E1L10.MAP", "E?L?.*"));
    EXPECT_TRUE(MatchesMask("abcbc", "a*bc"));
    EXPECT_TRUE(MatchesMask("a.b.c", "*.c"));
    // Bytes above 127 are not folded.
    EXPECT_FALSE(MatchesMask("\xe9.txt", "\xc9.txt"));
}

TEST(MaskTest, StarDotStarMatchesEveryNameAndSemicolonsSeparatePatterns) {
    EXPECT_TRUE(MatchesMask("README", "*.*"));
    EXPECT_TRUE(MatchesMask("GAME.CON", "*.*"));
    EXPECT_TRUE(MatchesMask("readme", "read*."));
    EXPECT_FALSE(MatchesMask("readme.txt", "read*."));
    EXPECT_TRUE(MatchesMask("GAME.CON", "*.map;*.con"));
    EXPECT_TRUE(MatchesMask("e1l1.MAP", "*.map;*.con"));
    EXPECT_FALSE(MatchesMask("tiles.art", "*.map;*.con"));
    EXPECT_FALSE(MatchesMask("tiles.art", ""));
    EXPECT_FALSE(MatchesMask("tiles.art", ";"));
    EXPECT_TRUE(MatchesMask("tiles.art", ";*.art;"));
}

TEST_F(HeadlessTest, AFileListShowsTheMatchingFilesOfItsFolderInNameOrder) {
    TTempFolder folder;
    for (const char* name : {"b.art", "_a.art", "A1.map", "DUKE3D.GRP", "game.con"}) {
        folder.AddFile(name);
    }
    folder.AddFolder("maps");

    TComponentPtr<TFileListBox> list(new TFileListBox(nullptr));
    list->SetFileType(OrdinaryFiles);
    list->SetDirectory(folder.Name());
    EXPECT_EQ(list->Items().Texts(),
              (std::vector<std::string>{"A1.map", "b.art", "DUKE3D.GRP", "game.con", "_a.art"}));
    list->SetMask("*.grp");
    EXPECT_EQ(list->Items().Texts(), (std::vector<std::string>{"DUKE3D.GRP"}));
    list->SetMask("*.con;*.MAP");
    EXPECT_EQ(list->Items().Texts(), (std::vector<std::string>{"A1.map", "game.con"}));

    // The same mask again reads nothing; Update does.
    folder.AddFile("E1L1.MAP");
    list->SetMask("*.con;*.MAP");
    EXPECT_EQ(list->Items().Count(), 2);
    list->Update();
    EXPECT_EQ(list->Items().Texts(), (std::vector<std::string>{"A1.map", "E1L1.MAP", "game.con"}));

    list->SetFileType(OrdinaryFiles | faDirectory);
    list->SetMask("*.*");
    EXPECT_EQ(list->Items().Count(), 7);
    // "[" (91) sorts after the letters, "_" (95) after it.
    EXPECT_EQ(list->Items().IndexOf("[maps]"), 5);
}

TEST_F(HeadlessTest, AddedNamesTakeTheirPlaceAndReplacedOnesStayPut) {
    TTempFolder folder;
    for (const char* name : {"b.art", "d.art"}) {
        folder.AddFile(name);
    }
    TComponentPtr<TFileListBox> list(new TFileListBox(nullptr));
    list->SetMultiSelect(true);
    list->SetDirectory(folder.Name());
    list->SetSelected(1, true);
    EXPECT_EQ(list->Items().Add("C.ART"), 1);
    EXPECT_EQ(list->Items().Texts(), (std::vector<std::string>{"b.art", "C.ART", "d.art"}));
    EXPECT_TRUE(list->Selected(2)); // d.art kept its mark
    EXPECT_FALSE(list->Selected(1));
    list->Items().Put(0, "z.art");
    EXPECT_EQ(list->Items().Texts(), (std::vector<std::string>{"z.art", "C.ART", "d.art"}));
}

TEST_F(HeadlessTest, TheAttributeFilterChoosesEntriesByTheirAttributes) {
    TMadeUpFolders services;
    services.Folders["work"] = {{"plain.map", faNormal, 1},
                                {"locked.map", faReadOnly, 1},
                                {"saved.map", faArchive, 1},
                                {"hidden.map", faHidden, 1},
                                {"system.map", faSysFile, 1},
                                {"maps", faDirectory, 0},
                                {"hidro.map", faHidden | faReadOnly, 1}};
    TComponentPtr<TFileListBox> list(new TFileListBox(nullptr));
    list->SetDirectory("work");
    EXPECT_EQ(list->Items().Texts(),
              (std::vector<std::string>{"locked.map", "plain.map", "saved.map"}));
    list->SetFileType(faReadOnly);
    EXPECT_EQ(list->Items().Texts(), (std::vector<std::string>{"locked.map"}));
    list->SetFileType(faReadOnly | faHidden);
    EXPECT_EQ(list->Items().Texts(),
              (std::vector<std::string>{"hidden.map", "hidro.map", "locked.map"}));
    list->SetFileType(faNormal | faDirectory | faSysFile);
    EXPECT_EQ(
        list->Items().Texts(),
        (std::vector<std::string>{"locked.map", "plain.map", "saved.map", "system.map", "[maps]"}));
    list->SetDirectory("missing");
    EXPECT_EQ(list->Items().Count(), 0);
}

TEST_F(HeadlessTest, TheFolderListShowsAncestorsAndSubFoldersAndDrivesTheFileList) {
    TTempFolder root;
    root.AddFolder("GAMES");
    root.AddFolder("GAMES" + std::string(1, PathDelim) + "duke3d");
    root.AddFolder("GAMES" + std::string(1, PathDelim) + "Blood");
    root.AddFile("GAMES" + std::string(1, PathDelim) + "DUKE3D.GRP");
    const std::string games = root / "GAMES";

    TComponentPtr<TForm> form(new TForm(nullptr));
    auto* files = new TFileListBox(form.get());
    files->SetMask("*.grp");
    auto* folders = new TDirectoryListBox(form.get());
    folders->SetFileList(files);
    folders->SetDirectory(games + PathDelim);
    EXPECT_EQ(folders->Directory(), games);
    EXPECT_EQ(files->Directory(), games);
    EXPECT_EQ(files->Items().Texts(), (std::vector<std::string>{"DUKE3D.GRP"}));

    const int current = folders->ItemIndex();
    ASSERT_GE(current, 1);
    EXPECT_EQ(folders->Items()[current], "GAMES");
    EXPECT_EQ(folders->ItemPath(current), games);
    EXPECT_EQ(folders->ItemPath(current - 1), root.Name());
    EXPECT_EQ(folders->ItemPath(0), ExtractDriveRoot(games));
    ASSERT_EQ(folders->Items().Count(), current + 3);
    EXPECT_EQ(folders->Items()[current + 1], "Blood");
    EXPECT_EQ(folders->Items()[current + 2], "duke3d");

    // An empty text changes nothing; Update reads the file list again.
    folders->SetDirectory("");
    EXPECT_EQ(folders->Directory(), games);
    root.AddFile("GAMES" + std::string(1, PathDelim) + "SW.GRP");
    folders->Update();
    EXPECT_EQ(files->Items().Texts(), (std::vector<std::string>{"DUKE3D.GRP", "SW.GRP"}));
}

TEST_F(HeadlessTest, ADoubleClickRunsTheHandlerThenOpensTheFolder) {
    TTempFolder root;
    root.AddFolder("maps");
    root.AddFile("maps" + std::string(1, PathDelim) + "E1L1.MAP");
    root.AddFile("top.map");

    TComponentPtr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 300, 300);
    auto* files = new TFileListBox(form.get());
    files->SetParent(form.get());
    files->SetBounds(170, 0, 100, 200);
    auto* folders = new TDirectoryListBox(form.get());
    folders->SetParent(form.get());
    folders->SetBounds(0, 0, 160, 250);
    folders->SetItemHeight(16);
    folders->SetFileList(files);
    folders->SetDirectory(root.Name());
    std::string seen;
    folders->OnDblClick = [&](TComponent*) { seen = folders->Directory(); };
    form->Show();

    const int maps = folders->Items().IndexOf("maps");
    ASSERT_GT(maps, 0);
    Headless.UserDoubleClickAt(*folders, 20, 2 + 16 * maps + 8);
    EXPECT_EQ(seen, root.Name());
    EXPECT_EQ(folders->Directory(), root / "maps");
    EXPECT_EQ(files->Items().Texts(), (std::vector<std::string>{"E1L1.MAP"}));

    // Enter on the current item opens its folder: the parent here.
    folders->SetFocus();
    folders->SetItemIndex(folders->ItemIndex() - 1);
    Headless.UserPressKey(*form, vkReturn);
    EXPECT_EQ(folders->Directory(), root.Name());
}

TEST_F(HeadlessTest, TheDriveListFollowsTheFolderListAndMovesIt) {
    if (PathDelim != '\\') {
        GTEST_SKIP() << "drive letters exist on Windows only";
    }
    TMadeUpFolders services;
    services.Drives = {"C:\\", "D:\\"};
    services.Folders["C:\\GAMES"] = {};
    services.Folders["D:\\"] = {{"MAPS", faDirectory, 0}};
    TComponentPtr<TForm> form(new TForm(nullptr));
    auto* drives = new TDriveComboBox(form.get());
    auto* folders = new TDirectoryListBox(form.get());
    int changes = 0;
    drives->OnChange = [&changes](TComponent*) { ++changes; };
    EXPECT_EQ(drives->Items().Texts(), (std::vector<std::string>{"C:\\", "D:\\"}));
    drives->SetDirList(folders);

    folders->SetDirectory("d:\\MAPS");
    EXPECT_EQ(drives->Drive(), "D:\\");
    drives->SetDrive("C:\\");
    EXPECT_EQ(folders->Directory(), "C:\\");
    EXPECT_EQ(changes, 2);
    drives->SetDrive("Q:\\");
    EXPECT_EQ(drives->Drive(), "C:\\");

    TComponent::Free(folders);
    EXPECT_EQ(drives->DirList(), nullptr);
    drives->SetItemIndex(1);
    EXPECT_EQ(drives->Drive(), "D:\\");
}
