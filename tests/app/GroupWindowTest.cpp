// The listing, extraction and creation of group files, driven through the real main window:
// its own mode switches, its lists, edits and check box. What the operations ask of the window
// is recorded in order (beeps, questions, refusals, re-reads of the file list and recolourings of
// the Create button), and questions are answered by the test.

#include "app/Groupmain.h"
#include "archive/Entrytable.h"
#include "archive/Grpcreation.h"
#include "archive/Grpextraction.h"
#include "archive/Grplisting.h"

#include "archive/Failingfiles.h"
#include "archive/Testfiles.h"
#include "widgets/Ornglyphresources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <filesystem>

namespace {

using TEntries = std::vector<std::pair<std::string, TBytes>>;
using TEvents = std::vector<std::string>;

const TEntries ExampleEntries = {{"GAME.CON", BytesOf("ABCDE")}, {"E1L1.MAP", BytesOf("xyz")}};

// An event of a beep of type.
std::string Beep(TSoundType type) {
    return "beep " + std::to_string(type);
}

// The headless platform with the check box's glyphs, in place while it lives.
class TInstalledPlatform {
public:
    THeadlessPlatform Headless;

    TInstalledPlatform() : Previous(InstallPlatform(&Headless)) { AddOrnGlyphResources(Headless); }
    ~TInstalledPlatform() {
        for (const TShownError& error : Headless.Errors()) {
            ADD_FAILURE() << "error box: " << error.Message;
        }
        InstallPlatform(Previous);
    }
    TInstalledPlatform(const TInstalledPlatform&) = delete;
    TInstalledPlatform& operator=(const TInstalledPlatform&) = delete;

private:
    TPlatform* Previous;
};

// The main window, not started, with what the group-file operations ask of it recorded in
// Events. Questions are answered from Answers instead of by the message dialog, whose own
// behaviour the dialog's and the window's tests check.
class TTestWindow : public TfrmMain {
public:
    std::deque<TModalResult> Answers;
    TEvents Events;

    TTestWindow() : TfrmMain(nullptr) {}

    void FileListBox1Update() override {
        Events.push_back("update file list");
        TfrmMain::FileListBox1Update();
    }
    TModalResult ShowMessage(const std::string& msg) override {
        Events.push_back("show " + msg);
        return mrOk;
    }
    TModalResult MessageShow(const std::string& msg, const std::string& caption,
                             const std::string& buttons, int x, int y) override {
        EXPECT_EQ(buttons, "mbYes,mbNo");
        EXPECT_EQ(x, -1);
        EXPECT_EQ(y, -1);
        Events.push_back("ask " + caption + "|" + msg);
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << msg;
            return mrNo;
        }
        const TModalResult answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void MessageBeep(TSoundType type) override {
        Events.push_back(Beep(type));
        TfrmMain::MessageBeep(type);
    }
    void UpdateGroupButton() override {
        Events.push_back("update group button");
        TfrmMain::UpdateGroupButton();
    }

    // The mode switch of the bottom bar's M-Extract or M-Group button; what it recolours is
    // not recorded.
    void SwitchMode(bool extracting) {
        if (extracting) {
            btnMExtractClick(this);
        } else {
            btnMGroupClick(this);
        }
        Events.clear();
    }
    // A mouse click on the file list's item name: the click, then the release.
    void Click(const std::string& name) {
        SelectByKeyboard(name);
        FileListBox1MouseUp(FileListBox1, mbLeft, 0, 10, 10);
    }
    // The current item changed by keyboard, which fires only the click handler.
    void SelectByKeyboard(const std::string& name) {
        const int index = FileListBox1->Items().IndexOf(name);
        ASSERT_GE(index, 0) << name;
        FileListBox1->SetItemIndex(index);
        FileListBox1Click(FileListBox1);
    }
    void Mark(const std::string& name) {
        const int index = ListBox1->Items().IndexOf(name);
        ASSERT_GE(index, 0) << name;
        ListBox1->SetSelected(index, true);
    }
    // ListBox1's names, as "Add Filles" would have put them there.
    void SetItems(const std::vector<std::string>& names) {
        ListBox1->Clear();
        for (const std::string& name : names) {
            ListBox1->Items().Add(name);
        }
    }
    std::vector<std::string> Items() const { return ListBox1->Items().Texts(); }
    std::vector<bool> Marks() const {
        std::vector<bool> marks;
        for (int i = 0; i < ListBox1->Items().Count(); ++i) {
            marks.push_back(ListBox1->Selected(i));
        }
        return marks;
    }
    void SetExtractAll(bool all) { OrnCheckBox1->SetChecked(all); }
};

// File services that also refuse to open a file, or measure one as 4 GiB long.
class TTestFileServices : public TFailingFileServices {
public:
    std::string RefuseOpen; // opening a file whose path contains this fails
    std::string HugeFile;   // a file whose path contains this measures 2^32 bytes

    THandle FileOpen(const std::string& path, TFileMode mode) override {
        if (!RefuseOpen.empty() && path.find(RefuseOpen) != std::string::npos) {
            return InvalidHandle;
        }
        const THandle handle = TFailingFileServices::FileOpen(path, mode);
        if (!HugeFile.empty() && path.find(HugeFile) != std::string::npos) {
            HugeHandle = handle;
        }
        return handle;
    }
    std::int64_t FileSeek(THandle handle, std::int64_t offset, TSeekOrigin origin) override {
        if (handle == HugeHandle && origin == TSeekOrigin::End) {
            return std::int64_t(1) << 32;
        }
        return TFailingFileServices::FileSeek(handle, offset, origin);
    }

private:
    THandle HugeHandle = InvalidHandle;
};

class GroupWindow : public ::testing::Test {
protected:
    TInstalledPlatform Platform;
    TTempFolder Dir;
    TComponentPtr<TTestWindow> Form{new TTestWindow};
    TTestWindow& Window = *Form;

    void SetUp() override {
        Window.DirectoryListBox1->SetDirectory(Dir.Path());
        entryTable.Clear();
        entryTable.EntryCount = 0;
        entryTable.DataStart = 0;
    }

    std::string In(const std::string& name) const { return Dir / name; }
    std::string WorkFolder() const { return Dir.Path() + PathDelim; }

    void WriteSources(const TEntries& entries) {
        for (const auto& [name, data] : entries) {
            WriteBytes(In(name), data);
        }
    }
    void WriteGroup(const std::string& name, const TEntries& entries) {
        WriteBytes(In(name), BuildGrpImage(entries));
    }
    // Extracting mode with the group file name listed by a mouse click.
    void ListGroup(const std::string& name) {
        Window.SwitchMode(true);
        Window.Click(name);
        Window.Events.clear();
    }
    // Extracting mode with ExampleEntries listed from MyGroup.grp, Extract All ticked.
    void ListExample() {
        WriteGroup("MyGroup.grp", ExampleEntries);
        ListGroup("MyGroup.grp");
        Window.SetExtractAll(true);
    }
    std::string AskExtract(const std::string& group, const std::string& folder) const {
        return "ask Extract: " + group + "|Files will be extracted to:\n" + WorkFolder() + folder +
               "\nContinue ?";
    }
    std::string AskGroup(const std::string& group) const {
        return "ask Create .Grp File|Files will be grouped to:\n" + WorkFolder() + group +
               "\nContinue ?";
    }
    // Creating mode with these names in ListBox1.
    void CreateWith(const std::vector<std::string>& names, std::deque<TModalResult> answers) {
        Window.SwitchMode(false);
        Window.SetItems(names);
        Window.Answers = std::move(answers);
        Window.Events.clear();
        btnGroupClick(Window);
    }
    // The refusal at the end of Events: a default beep, then the message.
    std::string LastMessage() const {
        const TEvents& events = Window.Events;
        EXPECT_GE(events.size(), 2u);
        if (events.size() < 2) {
            return "";
        }
        EXPECT_EQ(events[events.size() - 2], Beep(sndDefault));
        return events.back();
    }
    bool Beeped(TSoundType type) const {
        return std::find(Window.Events.begin(), Window.Events.end(), Beep(type)) !=
               Window.Events.end();
    }
};

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// The 56 bytes of the two-entry example.
TBytes ExampleBytes() {
    TBytes bytes = BytesOf("KenSilverman");
    const auto record = [&bytes](const std::string& name, std::uint8_t size) {
        TBytes field(12, 0);
        std::memcpy(field.data(), name.data(), name.size());
        bytes.insert(bytes.end(), field.begin(), field.end());
        bytes.insert(bytes.end(), {size, 0, 0, 0});
    };
    bytes.insert(bytes.end(), {2, 0, 0, 0});
    record("GAME.CON", 5);
    record("E1L1.MAP", 3);
    for (const char c : std::string("ABCDExyz")) {
        bytes.push_back(std::uint8_t(c));
    }
    return bytes;
}

// --- Listing -------------------------------------------------------------------------------

TEST_F(GroupWindow, ClickingAGroupFileNamesTheFolderAndListsItsEntries) {
    WriteGroup("MyGroup.grp", ExampleEntries);
    WriteGroup(".grp", {});
    Window.SwitchMode(true);
    Window.Click("MyGroup.grp");
    EXPECT_EQ(Window.EditGrpFile->Text(), "MyGroup.grp");
    EXPECT_EQ(Window.EditGrp->Text(), "MyGroup_Extract");
    EXPECT_EQ(Window.EditGrp->Hint(), "Extract to: " + In("MyGroup_Extract"));
    EXPECT_EQ(Window.Items(), (std::vector<std::string>{"GAME.CON", "E1L1.MAP"}));
    EXPECT_EQ(Window.Events, TEvents{"update group button"});
    EXPECT_EQ(entryTable.EntryCount, 2u);
    EXPECT_EQ(entryTable.DataStart, 48u);
    EXPECT_EQ(entryTable.EntryName(1), "E1L1.MAP");
    EXPECT_EQ(entryTable.EntrySize(0), 5u);
    EXPECT_EQ(entryTable.EntryName(2), "");
    EXPECT_EQ(entryTable.EntrySize(2), 0u);

    // Nothing before ".grp" leaves EditGrp empty; the file, holding no entries, is still listed.
    // Windows shows a file of that name; where a leading dot hides a file, the test puts it in
    // the list as Windows shows it.
    if (Window.FileListBox1->Items().IndexOf(".grp") < 0) {
        Window.FileListBox1->Items().Add(".grp");
    }
    Window.Click(".grp");
    EXPECT_EQ(Window.EditGrp->Text(), "");
    EXPECT_EQ(Window.EditGrpFile->Text(), ".grp");
    EXPECT_TRUE(Window.Items().empty());
    EXPECT_EQ(entryTable.EntryCount, 0u);
    EXPECT_EQ(entryTable.DataStart, 16u);
}

TEST_F(GroupWindow, TheInvertedVariantListsTheSameEntries) {
    TBytes image = BuildGrpImage(ExampleEntries);
    std::memcpy(image.data(), "Tembrel - QK", 12);
    for (std::size_t i = 16; i < 48; ++i) {
        image[i] = std::uint8_t(~image[i]);
    }
    WriteBytes(In("SW.GRP"), image);
    ListGroup("SW.GRP");
    EXPECT_EQ(Window.Items(), (std::vector<std::string>{"GAME.CON", "E1L1.MAP"}));
    EXPECT_EQ(entryTable.EntrySize(1), 3u);
}

TEST_F(GroupWindow, CreatingModeAdoptsTheNameOfAClickedGroupFile) {
    WriteBytes(In("OLD.GRP"), {});
    WriteBytes(In("NOTES.GRPX"), {});
    WriteBytes(In("readme.txt"), {});
    Window.SwitchMode(false);
    Window.Click("OLD.GRP");
    EXPECT_EQ(Window.EditGrp->Text(), "OLD.GRP");
    EXPECT_EQ(Window.EditGrp->Hint(), "Group to: " + In("OLD.GRP") + " ");
    Window.Click("NOTES.GRPX");
    EXPECT_EQ(Window.EditGrp->Text(), "NOTES.GRPX");
    Window.Click("readme.txt");
    EXPECT_EQ(Window.EditGrp->Text(), "NOTES.GRPX");
    EXPECT_TRUE(Window.Items().empty()); // nothing is listed in creating mode
    EXPECT_TRUE(Window.EditGrpFile->Text().empty());
    EXPECT_EQ(Window.Events, TEvents(3, "update group button"));
}

TEST_F(GroupWindow, WithoutACurrentItemOnlyTheButtonIsRecoloured) {
    Window.SwitchMode(true);
    Window.EditGrp->SetText("kept");
    FileListBox1Click(Window);
    FileListBox1MouseUp(Window);
    EXPECT_EQ(Window.EditGrp->Text(), "kept");
    EXPECT_EQ(Window.Events, TEvents{"update group button"});
}

TEST_F(GroupWindow, AnUnreadableOrInconsistentFileIsRefusedAndThePreviousListingKept) {
    TBytes lowerMagic = BuildGrpImage(ExampleEntries);
    std::memcpy(lowerMagic.data(), "kensilverman", 12);
    TBytes shortDirectory = BuildGrpImage({});
    shortDirectory[12] = 5; // five entries claimed, none there
    TBytes dataPastEnd = BuildGrpImage(ExampleEntries);
    dataPastEnd.pop_back();
    WriteBytes(In("lower.grp"), lowerMagic);
    WriteBytes(In("short.grp"), BytesOf("KenSilverma"));
    WriteBytes(In("count.grp"), shortDirectory);
    WriteBytes(In("cut.grp"), dataPastEnd);
    WriteBytes(In("gone.grp"), {});
    ListExample();
    std::filesystem::remove(In("gone.grp"));
    for (const std::string name : {"lower.grp", "short.grp", "count.grp", "cut.grp", "gone.grp"}) {
        SCOPED_TRACE(name);
        Window.Events.clear();
        Window.Click(name);
        EXPECT_EQ(Window.Events, (TEvents{Beep(sndDefault), "show Unknown GRP File!!!\nAborting...",
                                          "update group button"}));
        EXPECT_EQ(Window.Items(), (std::vector<std::string>{"GAME.CON", "E1L1.MAP"}));
        EXPECT_EQ(entryTable.EntryName(0), "GAME.CON");
        EXPECT_EQ(entryTable.EntryCount, 2u);
    }
}

// --- Creation ------------------------------------------------------------------------------

TEST_F(GroupWindow, TheWorkedExampleBothWays) {
    WriteSources(ExampleEntries);
    CreateWith({"GAME.CON", "E1L1.MAP"}, {mrYes});
    EXPECT_EQ(Window.Events, (TEvents{Beep(sndExclamation), AskGroup("MyGroup.grp"),
                                      "update file list", Beep(sndAsterisk)}));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), ExampleBytes());
    EXPECT_EQ(Dir.Names(), (std::vector<std::string>{"E1L1.MAP", "GAME.CON", "MyGroup.grp"}));
    EXPECT_EQ(entryTable.EntryName(0), "GAME.CON");
    EXPECT_EQ(entryTable.EntrySize(1), 3u);
    EXPECT_EQ(Window.Items().size(), 2u); // the list keeps its names

    ListGroup("MyGroup.grp");
    Window.SetExtractAll(true);
    Window.Answers = {mrYes};
    btnExtractClick(Window);
    EXPECT_EQ(Window.Events,
              (TEvents{Beep(sndExclamation), AskExtract("MyGroup.grp", "MyGroup_Extract"),
                       Beep(sndAsterisk)}));
    EXPECT_EQ(ReadBytes(In("MyGroup_Extract") + PathDelim + "GAME.CON"), BytesOf("ABCDE"));
    EXPECT_EQ(ReadBytes(In("MyGroup_Extract") + PathDelim + "E1L1.MAP"), BytesOf("xyz"));
    EXPECT_EQ(Window.Items(), (std::vector<std::string>{"GAME.CON", "E1L1.MAP"}));
    EXPECT_EQ(Window.Marks(), (std::vector<bool>{false, false}));
    EXPECT_EQ(Window.ListBox1->ItemIndex(), 0);
}

TEST_F(GroupWindow, ZeroSizeFilesAndDuplicateNames) {
    WriteSources({{"EMPTY.TXT", {}}, {"GAME.CON", BytesOf("ABCDE")}});
    CreateWith({"EMPTY.TXT", "GAME.CON", "GAME.CON"}, {mrYes});
    EXPECT_TRUE(Beeped(sndAsterisk));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), BuildGrpImage({{"EMPTY.TXT", {}},
                                                           {"GAME.CON", BytesOf("ABCDE")},
                                                           {"GAME.CON", BytesOf("ABCDE")}}));

    // A duplicate name extracts the first entry's data; an entry of size 0 gives no file.
    WriteGroup("dup.grp",
               {{"EMPTY.TXT", {}}, {"A.DAT", BytesOf("first")}, {"A.DAT", BytesOf("2")}});
    ListGroup("dup.grp");
    Window.SetExtractAll(true);
    Window.Answers = {mrYes};
    btnExtractClick(Window);
    EXPECT_TRUE(Beeped(sndAsterisk));
    EXPECT_EQ(TTempFolder::NamesIn(In("dup_Extract")), std::vector<std::string>{"A.DAT"});
    EXPECT_EQ(ReadBytes(In("dup_Extract") + PathDelim + "A.DAT"), BytesOf("first"));
}

TEST_F(GroupWindow, TheGroupFileNameNeedsGrpAnywhereAndTheListANames) {
    WriteSources(ExampleEntries);
    for (const std::string name : {"mygroup.GRP", "MyGroup.grp.old"}) {
        Window.SwitchMode(false);
        Window.EditGrp->SetText(name);
        Window.SetItems({"GAME.CON"});
        Window.Answers = {mrYes};
        btnGroupClick(Window);
        EXPECT_TRUE(Beeped(sndAsterisk)) << name;
        EXPECT_EQ(ReadBytes(In(name)), BuildGrpImage({ExampleEntries[0]})) << name;
    }
    Window.Events.clear();
    Window.EditGrp->SetText("mygroup.dat");
    CreateGroupFile(Window);
    EXPECT_EQ(Window.Events, (TEvents{Beep(sndDefault), "show Incorrect Group filename!"}));
    Window.Events.clear();
    Window.EditGrp->SetText("MyGroup.grp");
    Window.SetItems({});
    CreateGroupFile(Window);
    EXPECT_EQ(Window.Events, (TEvents{Beep(sndDefault), "show No files selected to group!"}));
    EXPECT_FALSE(PathExists(In("mygroup.dat")));
}

TEST_F(GroupWindow, AnExistingGroupFileIsReplacedOnlyAfterTheUserAgrees) {
    WriteSources(ExampleEntries);
    const TBytes old = BytesOf("old contents");
    WriteBytes(In("MyGroup.grp"), old);
    const std::string overwrite =
        "ask Warning!|Group file: MyGroup.grp already exists!\nOverwrite ?";

    CreateWith({"GAME.CON", "E1L1.MAP"}, {mrNo});
    EXPECT_EQ(Window.Events, (TEvents{Beep(sndDefault), overwrite, Beep(sndDefault)}));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), old);

    CreateWith({"GAME.CON", "E1L1.MAP"}, {mrYes, mrNo});
    EXPECT_EQ(Window.Events, (TEvents{Beep(sndDefault), overwrite, Beep(sndExclamation),
                                      AskGroup("MyGroup.grp"), Beep(sndDefault)}));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), old);

    // Closing a question with its close box goes on like Yes.
    CreateWith({"GAME.CON", "E1L1.MAP"}, {mrCancel, mrCancel});
    EXPECT_EQ(Window.Events,
              (TEvents{Beep(sndDefault), overwrite, Beep(sndExclamation), AskGroup("MyGroup.grp"),
                       "update file list", Beep(sndAsterisk)}));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), ExampleBytes());
    EXPECT_EQ(Dir.Names(), (std::vector<std::string>{"E1L1.MAP", "GAME.CON", "MyGroup.grp"}));
}

TEST_F(GroupWindow, TheProgramItselfIsSkippedByItsExactName) {
    WriteSources({{"Morvik.exe", BytesOf("MZ")}, {"morvik.exe", BytesOf("mz!")}});
    CreateWith({"Morvik.exe", "morvik.exe"}, {mrYes});
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), BuildGrpImage({{"morvik.exe", BytesOf("mz!")}}));

    CreateWith({"Morvik.exe"}, {mrYes, mrYes});
    EXPECT_TRUE(Beeped(sndAsterisk));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), BuildGrpImage({}));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")).size(), 16u);
}

TEST_F(GroupWindow, ANameOfThirteenCharactersStopsBeforeTheOldFileIsTouched) {
    WriteSources({{"TWELVE12.MAP", BytesOf("12")}, {"THIRTEEN.MAPS", BytesOf("13")}});
    CreateWith({"TWELVE12.MAP"}, {mrYes});
    const TBytes twelve = ReadBytes(In("MyGroup.grp"));
    EXPECT_EQ(twelve, BuildGrpImage({{"TWELVE12.MAP", BytesOf("12")}}));

    CreateWith({"TWELVE12.MAP", "THIRTEEN.MAPS"}, {mrYes, mrYes});
    EXPECT_EQ(Window.Events.back(),
              "show THIRTEEN.MAPS\nFilename + extension cannot exceed 12 characters!\nAborting.");
    EXPECT_EQ(Window.Events[Window.Events.size() - 2], Beep(sndNameTooLong));
    EXPECT_FALSE(Beeped(sndAsterisk));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), twelve);
}

TEST_F(GroupWindow, MoreThanAThousandEntriesBothWays) {
    std::vector<std::string> names;
    TEntries entries;
    for (int i = 0; i < 1200; ++i) {
        names.push_back("F" + std::to_string(i) + ".DAT");
        entries.emplace_back(names.back(), BytesOf(std::to_string(i)));
    }
    WriteSources(entries);
    CreateWith(names, {mrYes});
    EXPECT_TRUE(Beeped(sndAsterisk));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), BuildGrpImage(entries));
    EXPECT_EQ(entryTable.EntryName(1199), "F1199.DAT");

    ListGroup("MyGroup.grp");
    EXPECT_EQ(Window.Items(), names);
    EXPECT_EQ(entryTable.EntryCount, 1200u);
    Window.Mark("F1100.DAT");
    Window.Answers = {mrYes};
    btnExtractClick(Window);
    EXPECT_TRUE(Beeped(sndAsterisk));
    EXPECT_EQ(ReadBytes(In("MyGroup_Extract") + PathDelim + "F1100.DAT"), BytesOf("1100"));
    EXPECT_EQ(Window.Items(), names);
}

// A creation that fails leaves the old group file whole, says why, and does not beep success.
TEST_F(GroupWindow, AFailedCreationLeavesTheOldGroupFile) {
    WriteSources(ExampleEntries);
    const TBytes old = BytesOf("old contents");
    const auto create = [&] {
        WriteBytes(In("MyGroup.grp"), old);
        CreateWith({"GAME.CON", "E1L1.MAP"}, {mrYes, mrYes});
        EXPECT_FALSE(Beeped(sndAsterisk));
        EXPECT_EQ(std::count(Window.Events.begin(), Window.Events.end(), "update file list"), 0);
        EXPECT_EQ(ReadBytes(In("MyGroup.grp")), old);
        EXPECT_EQ(Dir.Names(), (std::vector<std::string>{"E1L1.MAP", "GAME.CON", "MyGroup.grp"}));
        return LastMessage();
    };
    const std::string unchanged = "\nThe existing Group file was not changed.";
    {
        SCOPED_TRACE("full disk");
        TTestFileServices files;
        files.WriteBudget = 20;
        const std::string message = create();
        EXPECT_TRUE(StartsWith(message, "show Cannot create Group file: MyGroup.grp\n")) << message;
        EXPECT_NE(message.find("No space left on device" + unchanged), std::string::npos)
            << message;
    }
    {
        SCOPED_TRACE("refused create");
        TTestFileServices files;
        files.RefuseCreate = "MyGroup.grp";
        EXPECT_TRUE(StartsWith(create(), "show Cannot create Group file: MyGroup.grp\n"));
    }
    {
        SCOPED_TRACE("rename fails");
        TTestFileServices files;
        files.FailRename = true;
        const std::string message = create();
        EXPECT_TRUE(StartsWith(message, "show Cannot create Group file: MyGroup.grp\n")) << message;
        EXPECT_NE(message.find("Permission denied"), std::string::npos) << message;
    }
    {
        SCOPED_TRACE("a source shrinks before it is read");
        TTestFileServices files;
        files.BeforeRead = [&](const std::string& path) {
            if (path == In("GAME.CON")) {
                std::filesystem::resize_file(path, 2);
            }
        };
        const std::string message = create();
        EXPECT_TRUE(StartsWith(message, "show Cannot create Group file: MyGroup.grp\n")) << message;
        EXPECT_NE(message.find("changed its length"), std::string::npos) << message;
        WriteSources(ExampleEntries);
    }
    {
        SCOPED_TRACE("a source cannot be opened");
        TTestFileServices files;
        files.RefuseOpen = "E1L1.MAP";
        EXPECT_TRUE(StartsWith(create(), "show Cannot group file: E1L1.MAP\n"));
    }
    {
        SCOPED_TRACE("a source is too large for an entry");
        TTestFileServices files;
        files.HugeFile = "GAME.CON";
        const std::string message = create();
        EXPECT_TRUE(StartsWith(message, "show Cannot group file: GAME.CON\n")) << message;
        EXPECT_NE(message.find("4 GiB"), std::string::npos) << message;
    }
}

TEST_F(GroupWindow, AVanishedSourceStopsTheCreationBeforeAnythingIsWritten) {
    WriteSources({ExampleEntries[0]});
    CreateWith({"GAME.CON", "E1L1.MAP"}, {mrYes});
    const std::string message = LastMessage();
    EXPECT_TRUE(StartsWith(message, "show Cannot group file: E1L1.MAP\n" + In("E1L1.MAP")))
        << message;
    EXPECT_TRUE(message.ends_with("\nNo Group file was written.")) << message;
    EXPECT_EQ(Dir.Names(), std::vector<std::string>{"GAME.CON"});
}

// --- Extraction ----------------------------------------------------------------------------

TEST_F(GroupWindow, RefusalsBeforeTheQuestions) {
    WriteGroup("MyGroup.grp", ExampleEntries);
    Window.SwitchMode(true);
    Window.SetExtractAll(true);
    btnExtractClick(Window); // nothing listed: EditGrpFile is empty
    EXPECT_EQ(Window.Events, (TEvents{Beep(sndDefault), "show Incorrect Group filename!"}));

    ListGroup("MyGroup.grp");
    Window.SetExtractAll(false);
    btnExtractClick(Window);
    EXPECT_EQ(Window.Events, (TEvents{Beep(sndDefault), "show No files selected to extract!"}));

    // The buttons act only in their own mode.
    Window.Events.clear();
    Window.extractMode = false;
    Window.SetExtractAll(true);
    btnExtractClick(Window);
    Window.extractMode = true;
    btnGroupClick(Window);
    EXPECT_TRUE(Window.Events.empty());
    EXPECT_FALSE(PathExists(In("MyGroup_Extract")));
}

TEST_F(GroupWindow, NoToEitherQuestionKeepsTheMarksAndWritesNothing) {
    ListExample();
    Window.SetExtractAll(false);
    Window.Mark("E1L1.MAP");
    Window.Answers = {mrNo};
    btnExtractClick(Window);
    EXPECT_EQ(Window.Events,
              (TEvents{Beep(sndExclamation), AskExtract("MyGroup.grp", "MyGroup_Extract"),
                       Beep(sndDefault)}));
    EXPECT_EQ(Window.Marks(), (std::vector<bool>{false, true}));
    EXPECT_FALSE(PathExists(In("MyGroup_Extract")));

    std::filesystem::create_directory(In("MyGroup_Extract"));
    WriteBytes(In("MyGroup_Extract") + PathDelim + "E1L1.MAP", BytesOf("mine"));
    Window.Events.clear();
    Window.Answers = {mrYes, mrNo};
    btnExtractClick(Window);
    EXPECT_EQ(Window.Events,
              (TEvents{Beep(sndExclamation), AskExtract("MyGroup.grp", "MyGroup_Extract"),
                       "ask Directory not empty!|" + In("MyGroup_Extract") +
                           "\nThe directory is not empty!\nContinue ?",
                       Beep(sndDefault)}));
    EXPECT_EQ(Window.Marks(), (std::vector<bool>{false, true}));
    EXPECT_EQ(ReadBytes(In("MyGroup_Extract") + PathDelim + "E1L1.MAP"), BytesOf("mine"));
}

TEST_F(GroupWindow, AFolderWithFilesAsksAgainAndYesOverwritesOnlyTheSameNames) {
    ListExample();
    const std::string folder = In("MyGroup_Extract");
    std::filesystem::create_directories(folder + PathDelim + "sub");
    Window.Answers = {mrYes};
    btnExtractClick(Window); // sub-folders do not count: one question
    EXPECT_EQ(Window.Events,
              (TEvents{Beep(sndExclamation), AskExtract("MyGroup.grp", "MyGroup_Extract"),
                       Beep(sndAsterisk)}));

    WriteBytes(folder + PathDelim + "GAME.CON", BytesOf("older"));
    WriteBytes(folder + PathDelim + "OTHER.TXT", BytesOf("other"));
    Window.SetExtractAll(false);
    Window.Mark("GAME.CON");
    Window.Events.clear();
    Window.Answers = {mrYes, mrYes};
    btnExtractClick(Window);
    EXPECT_EQ(Window.Events.size(), 4u);
    EXPECT_EQ(Window.Events.back(), Beep(sndAsterisk));
    EXPECT_EQ(ReadBytes(folder + PathDelim + "GAME.CON"), BytesOf("ABCDE"));
    EXPECT_EQ(ReadBytes(folder + PathDelim + "OTHER.TXT"), BytesOf("other"));
    EXPECT_EQ(Window.Marks(), (std::vector<bool>{false, false}));
}

TEST_F(GroupWindow, ExtractAllWithAnEmptyListCreatesTheFolderOnly) {
    WriteGroup("Empty.grp", {});
    ListGroup("Empty.grp");
    Window.SetExtractAll(true);
    Window.Answers = {mrYes};
    btnExtractClick(Window);
    EXPECT_EQ(Window.Events,
              (TEvents{Beep(sndExclamation), AskExtract("Empty.grp", "Empty_Extract"),
                       Beep(sndAsterisk)}));
    EXPECT_TRUE(std::filesystem::is_directory(In("Empty_Extract")));
    EXPECT_TRUE(TTempFolder::NamesIn(In("Empty_Extract")).empty());
    EXPECT_EQ(Window.ListBox1->ItemIndex(), -1);
}

TEST_F(GroupWindow, AnEmptiedFolderNameExtractsIntoTheFolderItself) {
    ListExample();
    Window.EditGrp->SetText("");
    Window.Answers = {mrYes, mrYes}; // the folder holds the group file
    btnExtractClick(Window);
    EXPECT_EQ(Window.Events, (TEvents{Beep(sndExclamation), AskExtract("MyGroup.grp", ""),
                                      "ask Directory not empty!|" + WorkFolder() +
                                          "\nThe directory is not empty!\nContinue ?",
                                      Beep(sndAsterisk)}));
    EXPECT_EQ(ReadBytes(In("GAME.CON")), BytesOf("ABCDE"));
    EXPECT_EQ(ReadBytes(In("E1L1.MAP")), BytesOf("xyz"));
}

TEST_F(GroupWindow, AHostileEntryNameStopsBeforeAnythingIsWritten) {
    WriteGroup("Evil.grp", {{"GAME.CON", BytesOf("ABCDE")}, {"../EVIL.TXT", BytesOf("x")}});
    ListGroup("Evil.grp");
    Window.SetExtractAll(true);
    Window.Answers = {mrYes};
    btnExtractClick(Window);
    EXPECT_EQ(LastMessage(), "show Cannot extract from Group file: Evil.grp\nentry name "
                             "\"../EVIL.TXT\" contains a path separator\nNothing was extracted.");
    EXPECT_FALSE(Beeped(sndAsterisk));
    EXPECT_FALSE(PathExists(In("Evil_Extract")));
    EXPECT_FALSE(PathExists(Dir.Path() + PathDelim + ".." + PathDelim + "EVIL.TXT"));
    EXPECT_EQ(Window.Items(), (std::vector<std::string>{"GAME.CON", "../EVIL.TXT"}));
}

TEST_F(GroupWindow, AGroupFileThatIsNotTheListedOneIsRefused) {
    WriteGroup("A.grp", ExampleEntries);
    WriteGroup("B.grp", {{"B.DAT", BytesOf("b")}});
    WriteBytes(In("C.grp"), BytesOf("not a group file"));
    const std::string notListed = "\nClick it in the file list to list its entries.";

    // The current item changed by keyboard: nothing was listed.
    ListGroup("A.grp");
    Window.SelectByKeyboard("B.grp");
    Window.SetExtractAll(true);
    Window.Answers = {mrYes};
    btnExtractClick(Window);
    EXPECT_EQ(LastMessage(), "show Group file not listed: B.grp" + notListed);
    EXPECT_EQ(Window.Items(), (std::vector<std::string>{"GAME.CON", "E1L1.MAP"}));

    // The listing was refused.
    Window.Events.clear();
    Window.Click("C.grp");
    Window.Answers = {mrYes};
    btnExtractClick(Window);
    EXPECT_EQ(LastMessage(), "show Group file not listed: C.grp" + notListed);
    EXPECT_EQ(Dir.Names(), (std::vector<std::string>{"A.grp", "B.grp", "C.grp"}));
}

TEST_F(GroupWindow, AGroupFileChangedSinceItWasListedIsRefused) {
    const std::string changed = "show Group file changed since it was listed: MyGroup.grp\n"
                                "Click it in the file list to list it again.";
    const auto extract = [&] {
        Window.Events.clear();
        Window.Answers = {mrYes};
        btnExtractClick(Window);
        EXPECT_FALSE(Beeped(sndAsterisk));
        EXPECT_FALSE(PathExists(In("MyGroup_Extract")));
        return LastMessage();
    };
    ListExample();
    // Same length, another directory.
    WriteGroup("MyGroup.grp", {{"GAME.CO2", BytesOf("ABCDE")}, {"E1L1.MAP", BytesOf("xyz")}});
    EXPECT_EQ(extract(), changed);
    // Same directory, another length.
    WriteGroup("MyGroup.grp", {{"GAME.CON", BytesOf("ABCDE")}, {"E1L1.MAP", BytesOf("xyz")}});
    TBytes longer = ReadBytes(In("MyGroup.grp"));
    longer.push_back(0);
    WriteBytes(In("MyGroup.grp"), longer);
    EXPECT_EQ(extract(), changed);
    // Cut short: an entry's data would reach past the end.
    longer.resize(54);
    WriteBytes(In("MyGroup.grp"), longer);
    const std::string cut = extract();
    EXPECT_TRUE(StartsWith(cut, "show Cannot read Group file: MyGroup.grp\n" + In("MyGroup.grp")))
        << cut;
    // Gone.
    std::filesystem::remove(In("MyGroup.grp"));
    EXPECT_EQ(extract(),
              "show Cannot find Group file: MyGroup.grp\nIt is no longer in the folder.");
    EXPECT_EQ(Window.Items(), (std::vector<std::string>{"GAME.CON", "E1L1.MAP"}));
}

TEST_F(GroupWindow, AnUnreadableGroupFileIsReported) {
    ListExample();
    TTestFileServices files;
    files.RefuseOpen = "MyGroup.grp";
    Window.Answers = {mrYes};
    btnExtractClick(Window);
    const std::string message = LastMessage();
    EXPECT_TRUE(StartsWith(message, "show Cannot read Group file: MyGroup.grp\n")) << message;
    EXPECT_NE(message.find("cannot open"), std::string::npos) << message;
    EXPECT_FALSE(PathExists(In("MyGroup_Extract")));
}

// A write that fails says how far the extraction got; the files written before stay.
TEST_F(GroupWindow, AFailedExtractionSaysHowFarItGot) {
    const std::string folder = In("MyGroup_Extract");
    const auto extract = [&] {
        Window.Events.clear();
        Window.Answers = {mrYes};
        btnExtractClick(Window);
        EXPECT_FALSE(Beeped(sndAsterisk));
        EXPECT_EQ(Window.Items(), (std::vector<std::string>{"GAME.CON", "E1L1.MAP"}));
        const std::string message = LastMessage();
        EXPECT_TRUE(StartsWith(message, "show Cannot extract from Group file: MyGroup.grp\n"))
            << message;
        return message;
    };
    ListExample();
    {
        SCOPED_TRACE("the folder cannot be created");
        WriteBytes(folder, BytesOf("a file in the way"));
        const std::string message = extract();
        EXPECT_NE(message.find("cannot create the folder"), std::string::npos) << message;
        EXPECT_TRUE(message.ends_with("\nNothing was extracted.")) << message;
        std::filesystem::remove(folder);
    }
    {
        SCOPED_TRACE("an output file cannot be created");
        TTestFileServices files;
        files.RefuseCreate = "E1L1.MAP";
        const std::string message = extract();
        EXPECT_NE(message.find("cannot create"), std::string::npos) << message;
        EXPECT_TRUE(message.ends_with("\n1 of 2 files were extracted.")) << message;
        EXPECT_EQ(TTempFolder::NamesIn(folder), std::vector<std::string>{"GAME.CON"});
        std::filesystem::remove_all(folder);
    }
    {
        SCOPED_TRACE("the disk is full");
        TTestFileServices files;
        files.WriteBudget = 2;
        const std::string message = extract();
        EXPECT_NE(message.find("No space left on device"), std::string::npos) << message;
        EXPECT_TRUE(message.ends_with("\nNothing was extracted.")) << message;
        EXPECT_TRUE(TTempFolder::NamesIn(folder).empty()); // the incomplete file is removed
    }
}

TEST_F(GroupWindow, ExtractionNeverFollowsALinkInItsFolder) {
    ListExample();
    const std::string folder = In("MyGroup_Extract");
    std::filesystem::create_directory(folder);
    if (!MakeSymLink(In("outside.txt"), folder + PathDelim + "E1L1.MAP")) {
        GTEST_SKIP() << "no symbolic links here";
    }
    Window.Answers = {mrYes, mrYes}; // the link counts as a file of the folder
    btnExtractClick(Window);
    EXPECT_NE(LastMessage().find("symbolic link"), std::string::npos);
    EXPECT_FALSE(PathExists(In("outside.txt")));
    EXPECT_FALSE(PathExists(folder + PathDelim + "GAME.CON"));
}

} // namespace
