// The window's group-file flow, listing, extraction and creation, driven through a recording
// fake of the window (TGroupView) with no form and no platform: what the session asks of the
// window is recorded in order (beeps, questions, refusals and re-reads of the file list), and
// questions are answered by the test. The files are real, in a temporary folder.

#include "app/Groupsession.h"

#include "archive/Failingfiles.h"
#include "archive/Grpformat.h"
#include "archive/Testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <filesystem>

namespace {

using TEntries = std::vector<std::pair<std::string, TBytes>>;
using TEvents = std::vector<std::string>;
using TNames = std::vector<std::string>;

const TEntries ExampleEntries = {{"GAME.CON", BytesOf("ABCDE")}, {"E1L1.MAP", BytesOf("xyz")}};

// An event of a beep of type.
std::string Beep(TSoundType type) {
    return "beep " + std::to_string(type);
}

// The window as the session sees it: its mode, folder, current file, the list beside the file
// list with its marks, the tick of "Extract All Files", the two names and the name's hint.
class TRecordingView : public TGroupView {
public:
    bool ExtractingValue = false;
    std::string FolderValue;
    std::optional<std::string> Chosen;
    TNames List;
    std::vector<bool> Marks;
    int Current = -1;
    bool All = false;
    std::string Group;
    std::string Target;
    std::string TargetHint;

    std::deque<TModalResult> Answers;
    TEvents Events;

    bool Extracting() const override { return ExtractingValue; }
    std::string Folder() const override { return FolderValue; }
    std::optional<std::string> ChosenFile() const override { return Chosen; }
    TNames ListNames() const override { return List; }
    TNames MarkedNames() const override {
        TNames marked;
        for (std::size_t i = 0; i < List.size(); ++i) {
            if (Marks[i]) {
                marked.push_back(List[i]);
            }
        }
        return marked;
    }
    bool ExtractAll() const override { return All; }
    void ShowEntries(const TNames& names, int current) override {
        List = names;
        Marks.assign(names.size(), false);
        Current = current;
    }
    std::string GroupName() const override { return Group; }
    void SetGroupName(const std::string& name) override { Group = name; }
    std::string TargetName() const override { return Target; }
    void SetTargetName(const std::string& name) override { Target = name; }
    void SetTargetHint(const std::string& hint) override { TargetHint = hint; }
    TModalResult Ask(const std::string& text, const std::string& caption) override {
        Events.push_back("ask " + caption + "|" + text);
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return mrNo;
        }
        const TModalResult answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void Refuse(const std::string& text) override { Events.push_back("show " + text); }
    void Sound(TSoundType type) override { Events.push_back(Beep(type)); }
    void FolderFilesChanged() override { Events.push_back("update file list"); }
    // What the window's hidden file list counts: anything but a folder, a hidden name excepted.
    bool FolderHoldsFiles(const std::string& folder) override {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (!entry.is_directory() && entry.path().filename().string()[0] != '.') {
                return true;
            }
        }
        return false;
    }

    // ListBox1's names, unmarked, as "Add Filles" would have put them there.
    void SetItems(const TNames& names) { ShowEntries(names, -1); }
    void Mark(const std::string& name) {
        const auto at = std::find(List.begin(), List.end(), name);
        ASSERT_NE(at, List.end()) << name;
        Marks[std::size_t(at - List.begin())] = true;
    }
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

class GroupSession : public ::testing::Test {
protected:
    TTempFolder Dir;
    TRecordingView View;
    TGroupSession Session{View};
    const TEntryTable& Table = Session.Table();

    void SetUp() override { View.FolderValue = Dir.Path(); }

    // What a mode switch of the window does to what the session sees; what it recolours is not
    // recorded.
    void SwitchMode(bool extracting) {
        View.ExtractingValue = extracting;
        View.SetItems({});
        Session.ClearEntries();
        View.Target = extracting ? "" : "MyGroup.grp";
        View.TargetHint.clear();
        View.Group.clear();
        View.Chosen.reset();
        View.Events.clear();
    }
    // The current item of the file list changed by keyboard, which fires only the click.
    void SelectByKeyboard(const std::string& name) {
        View.Chosen = name;
        Session.FileChosen();
    }
    // A mouse click on the file list's item name: the click, then the release.
    void Click(const std::string& name) {
        SelectByKeyboard(name);
        Session.FileReleased();
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
        SwitchMode(true);
        Click(name);
        View.Events.clear();
    }
    // Extracting mode with ExampleEntries listed from MyGroup.grp, Extract All ticked.
    void ListExample() {
        WriteGroup("MyGroup.grp", ExampleEntries);
        ListGroup("MyGroup.grp");
        View.All = true;
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
        SwitchMode(false);
        View.SetItems(names);
        View.Answers = std::move(answers);
        Session.CreateGroupFile();
    }
    // The refusal at the end of Events: a default beep, then the message.
    std::string LastMessage() const {
        const TEvents& events = View.Events;
        EXPECT_GE(events.size(), 2u);
        if (events.size() < 2) {
            return "";
        }
        EXPECT_EQ(events[events.size() - 2], Beep(sndDefault));
        return events.back();
    }
    bool Beeped(TSoundType type) const {
        return std::find(View.Events.begin(), View.Events.end(), Beep(type)) != View.Events.end();
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

TEST_F(GroupSession, ClickingAGroupFileNamesTheFolderAndListsItsEntries) {
    WriteGroup("MyGroup.grp", ExampleEntries);
    WriteGroup(".grp", {});
    SwitchMode(true);
    Click("MyGroup.grp");
    EXPECT_EQ(View.Group, "MyGroup.grp");
    EXPECT_EQ(View.Target, "MyGroup_Extract");
    EXPECT_EQ(View.TargetHint, "Extract to: " + In("MyGroup_Extract"));
    EXPECT_EQ(View.List, (std::vector<std::string>{"GAME.CON", "E1L1.MAP"}));
    EXPECT_TRUE(View.Events.empty());
    EXPECT_EQ(Table.EntryCount, 2u);
    EXPECT_EQ(Table.DataStart, 48u);
    EXPECT_EQ(Table.EntryName(1), "E1L1.MAP");
    EXPECT_EQ(Table.EntrySize(0), 5u);
    EXPECT_EQ(Table.EntryName(2), "");
    EXPECT_EQ(Table.EntrySize(2), 0u);

    // Nothing before ".grp" leaves the folder's name empty; the file, holding no entries, is
    // still listed.
    Click(".grp");
    EXPECT_EQ(View.Target, "");
    EXPECT_EQ(View.Group, ".grp");
    EXPECT_TRUE(View.List.empty());
    EXPECT_EQ(Table.EntryCount, 0u);
    EXPECT_EQ(Table.DataStart, 16u);
}

TEST_F(GroupSession, TheInvertedVariantListsTheSameEntries) {
    TBytes image = BuildGrpImage(ExampleEntries);
    std::memcpy(image.data(), "Tembrel - QK", 12);
    for (std::size_t i = 16; i < 48; ++i) {
        image[i] = std::uint8_t(~image[i]);
    }
    WriteBytes(In("SW.GRP"), image);
    ListGroup("SW.GRP");
    EXPECT_EQ(View.List, (std::vector<std::string>{"GAME.CON", "E1L1.MAP"}));
    EXPECT_EQ(Table.EntrySize(1), 3u);
}

TEST_F(GroupSession, CreatingModeAdoptsTheNameOfAClickedGroupFile) {
    WriteBytes(In("OLD.GRP"), {});
    WriteBytes(In("NOTES.GRPX"), {});
    WriteBytes(In("readme.txt"), {});
    SwitchMode(false);
    Click("OLD.GRP");
    EXPECT_EQ(View.Target, "OLD.GRP");
    EXPECT_EQ(View.TargetHint, "Group to: " + In("OLD.GRP") + " ");
    Click("NOTES.GRPX");
    EXPECT_EQ(View.Target, "NOTES.GRPX");
    Click("readme.txt");
    EXPECT_EQ(View.Target, "NOTES.GRPX");
    EXPECT_TRUE(View.List.empty()); // nothing is listed in creating mode
    EXPECT_TRUE(View.Group.empty());
    EXPECT_TRUE(View.Events.empty());
}

TEST_F(GroupSession, WithoutACurrentItemNothingHappens) {
    SwitchMode(true);
    View.Target = "kept";
    Session.FileChosen();
    Session.FileReleased();
    EXPECT_EQ(View.Target, "kept");
    EXPECT_TRUE(View.Events.empty());
}

TEST_F(GroupSession, AnUnreadableOrInconsistentFileIsRefusedAndThePreviousListingKept) {
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
        View.Events.clear();
        Click(name);
        EXPECT_EQ(View.Events,
                  (TEvents{Beep(sndDefault), "show Unknown GRP File!!!\nAborting..."}));
        EXPECT_EQ(View.List, (std::vector<std::string>{"GAME.CON", "E1L1.MAP"}));
        EXPECT_EQ(Table.EntryName(0), "GAME.CON");
        EXPECT_EQ(Table.EntryCount, 2u);
    }
}

// --- Creation ------------------------------------------------------------------------------

TEST_F(GroupSession, TheWorkedExampleBothWays) {
    WriteSources(ExampleEntries);
    CreateWith({"GAME.CON", "E1L1.MAP"}, {mrYes});
    EXPECT_EQ(View.Events, (TEvents{Beep(sndExclamation), AskGroup("MyGroup.grp"),
                                    "update file list", Beep(sndAsterisk)}));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), ExampleBytes());
    EXPECT_EQ(Dir.Names(), (std::vector<std::string>{"E1L1.MAP", "GAME.CON", "MyGroup.grp"}));
    EXPECT_EQ(Table.EntryName(0), "GAME.CON");
    EXPECT_EQ(Table.EntrySize(1), 3u);
    EXPECT_EQ(View.List.size(), 2u); // the list keeps its names

    ListGroup("MyGroup.grp");
    View.All = true;
    View.Answers = {mrYes};
    Session.ExtractGroupFiles();
    EXPECT_EQ(View.Events,
              (TEvents{Beep(sndExclamation), AskExtract("MyGroup.grp", "MyGroup_Extract"),
                       Beep(sndAsterisk)}));
    EXPECT_EQ(ReadBytes(In("MyGroup_Extract") + PathDelim + "GAME.CON"), BytesOf("ABCDE"));
    EXPECT_EQ(ReadBytes(In("MyGroup_Extract") + PathDelim + "E1L1.MAP"), BytesOf("xyz"));
    EXPECT_EQ(View.List, (std::vector<std::string>{"GAME.CON", "E1L1.MAP"}));
    EXPECT_EQ(View.Marks, (std::vector<bool>{false, false}));
    EXPECT_EQ(View.Current, 0);
}

TEST_F(GroupSession, ZeroSizeFilesAndDuplicateNames) {
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
    View.All = true;
    View.Answers = {mrYes};
    Session.ExtractGroupFiles();
    EXPECT_TRUE(Beeped(sndAsterisk));
    EXPECT_EQ(TTempFolder::NamesIn(In("dup_Extract")), std::vector<std::string>{"A.DAT"});
    EXPECT_EQ(ReadBytes(In("dup_Extract") + PathDelim + "A.DAT"), BytesOf("first"));
}

TEST_F(GroupSession, TheGroupFileNameNeedsGrpAnywhereAndTheListANames) {
    WriteSources(ExampleEntries);
    for (const std::string name : {"mygroup.GRP", "MyGroup.grp.old"}) {
        SwitchMode(false);
        View.Target = name;
        View.SetItems({"GAME.CON"});
        View.Answers = {mrYes};
        Session.CreateGroupFile();
        EXPECT_TRUE(Beeped(sndAsterisk)) << name;
        EXPECT_EQ(ReadBytes(In(name)), BuildGrpImage({ExampleEntries[0]})) << name;
    }
    View.Events.clear();
    View.Target = "mygroup.dat";
    Session.CreateGroupFile();
    EXPECT_EQ(View.Events, (TEvents{Beep(sndDefault), "show Incorrect Group filename!"}));
    View.Events.clear();
    View.Target = "MyGroup.grp";
    View.SetItems({});
    Session.CreateGroupFile();
    EXPECT_EQ(View.Events, (TEvents{Beep(sndDefault), "show No files selected to group!"}));
    EXPECT_FALSE(PathExists(In("mygroup.dat")));
}

TEST_F(GroupSession, AnExistingGroupFileIsReplacedOnlyAfterTheUserAgrees) {
    WriteSources(ExampleEntries);
    const TBytes old = BytesOf("old contents");
    WriteBytes(In("MyGroup.grp"), old);
    const std::string overwrite =
        "ask Warning!|Group file: MyGroup.grp already exists!\nOverwrite ?";

    CreateWith({"GAME.CON", "E1L1.MAP"}, {mrNo});
    EXPECT_EQ(View.Events, (TEvents{Beep(sndDefault), overwrite, Beep(sndDefault)}));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), old);

    CreateWith({"GAME.CON", "E1L1.MAP"}, {mrYes, mrNo});
    EXPECT_EQ(View.Events, (TEvents{Beep(sndDefault), overwrite, Beep(sndExclamation),
                                    AskGroup("MyGroup.grp"), Beep(sndDefault)}));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), old);

    // Closing a question with its close box goes on like Yes.
    CreateWith({"GAME.CON", "E1L1.MAP"}, {mrCancel, mrCancel});
    EXPECT_EQ(View.Events,
              (TEvents{Beep(sndDefault), overwrite, Beep(sndExclamation), AskGroup("MyGroup.grp"),
                       "update file list", Beep(sndAsterisk)}));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), ExampleBytes());
    EXPECT_EQ(Dir.Names(), (std::vector<std::string>{"E1L1.MAP", "GAME.CON", "MyGroup.grp"}));
}

TEST_F(GroupSession, TheProgramItselfIsSkippedByItsExactName) {
    WriteSources({{"Morvik.exe", BytesOf("MZ")}, {"morvik.exe", BytesOf("mz!")}});
    CreateWith({"Morvik.exe", "morvik.exe"}, {mrYes});
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), BuildGrpImage({{"morvik.exe", BytesOf("mz!")}}));

    CreateWith({"Morvik.exe"}, {mrYes, mrYes});
    EXPECT_TRUE(Beeped(sndAsterisk));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), BuildGrpImage({}));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")).size(), 16u);

    // Where the program's file is named otherwise (morvik on Linux), that name is skipped.
    TGroupSession linuxSession{View, "morvik"};
    // Written again: on Windows morvik.exe above was the same file.
    WriteSources({{"Morvik.exe", BytesOf("MZ")},
                  {"morvik", BytesOf("\x7f"
                                     "ELF")}});
    SwitchMode(false);
    View.SetItems({"Morvik.exe", "morvik"});
    View.Answers = {mrYes, mrYes};
    linuxSession.CreateGroupFile();
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), BuildGrpImage({{"Morvik.exe", BytesOf("MZ")}}));
}

TEST_F(GroupSession, ANameOfThirteenCharactersStopsBeforeTheOldFileIsTouched) {
    WriteSources({{"TWELVE12.MAP", BytesOf("12")}, {"THIRTEEN.MAPS", BytesOf("13")}});
    CreateWith({"TWELVE12.MAP"}, {mrYes});
    const TBytes twelve = ReadBytes(In("MyGroup.grp"));
    EXPECT_EQ(twelve, BuildGrpImage({{"TWELVE12.MAP", BytesOf("12")}}));

    CreateWith({"TWELVE12.MAP", "THIRTEEN.MAPS"}, {mrYes, mrYes});
    EXPECT_EQ(View.Events.back(),
              "show THIRTEEN.MAPS\nFilename + extension cannot exceed 12 characters!\nAborting.");
    EXPECT_EQ(View.Events[View.Events.size() - 2], Beep(sndNameTooLong));
    EXPECT_FALSE(Beeped(sndAsterisk));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), twelve);
}

TEST_F(GroupSession, MoreThanAThousandEntriesBothWays) {
    std::vector<std::string> names;
    TEntries entries;
    for (int i = 0; i < 1200; ++i) {
        names.push_back(std::string("F").append(std::to_string(i)).append(".DAT"));
        entries.emplace_back(names.back(), BytesOf(std::to_string(i)));
    }
    WriteSources(entries);
    CreateWith(names, {mrYes});
    EXPECT_TRUE(Beeped(sndAsterisk));
    EXPECT_EQ(ReadBytes(In("MyGroup.grp")), BuildGrpImage(entries));
    EXPECT_EQ(Table.EntryName(1199), "F1199.DAT");

    ListGroup("MyGroup.grp");
    EXPECT_EQ(View.List, names);
    EXPECT_EQ(Table.EntryCount, 1200u);
    View.Mark("F1100.DAT");
    View.Answers = {mrYes};
    Session.ExtractGroupFiles();
    EXPECT_TRUE(Beeped(sndAsterisk));
    EXPECT_EQ(ReadBytes(In("MyGroup_Extract") + PathDelim + "F1100.DAT"), BytesOf("1100"));
    EXPECT_EQ(View.List, names);
}

// A creation that fails leaves the old group file whole, says why, and does not beep success.
TEST_F(GroupSession, AFailedCreationLeavesTheOldGroupFile) {
    WriteSources(ExampleEntries);
    const TBytes old = BytesOf("old contents");
    const auto create = [&] {
        WriteBytes(In("MyGroup.grp"), old);
        CreateWith({"GAME.CON", "E1L1.MAP"}, {mrYes, mrYes});
        EXPECT_FALSE(Beeped(sndAsterisk));
        EXPECT_EQ(std::count(View.Events.begin(), View.Events.end(), "update file list"), 0);
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

TEST_F(GroupSession, AVanishedSourceStopsTheCreationBeforeAnythingIsWritten) {
    WriteSources({ExampleEntries[0]});
    CreateWith({"GAME.CON", "E1L1.MAP"}, {mrYes});
    const std::string message = LastMessage();
    EXPECT_TRUE(StartsWith(message, "show Cannot group file: E1L1.MAP\n" + In("E1L1.MAP")))
        << message;
    EXPECT_TRUE(message.ends_with("\nNo Group file was written.")) << message;
    EXPECT_EQ(Dir.Names(), std::vector<std::string>{"GAME.CON"});
}

// --- Extraction ----------------------------------------------------------------------------

TEST_F(GroupSession, RefusalsBeforeTheQuestions) {
    WriteGroup("MyGroup.grp", ExampleEntries);
    SwitchMode(true);
    View.All = true;
    Session.ExtractGroupFiles(); // nothing listed: EditGrpFile is empty
    EXPECT_EQ(View.Events, (TEvents{Beep(sndDefault), "show Incorrect Group filename!"}));

    ListGroup("MyGroup.grp");
    View.All = false;
    Session.ExtractGroupFiles();
    EXPECT_EQ(View.Events, (TEvents{Beep(sndDefault), "show No files selected to extract!"}));
    EXPECT_FALSE(PathExists(In("MyGroup_Extract")));
}

TEST_F(GroupSession, NoToEitherQuestionKeepsTheMarksAndWritesNothing) {
    ListExample();
    View.All = false;
    View.Mark("E1L1.MAP");
    View.Answers = {mrNo};
    Session.ExtractGroupFiles();
    EXPECT_EQ(View.Events,
              (TEvents{Beep(sndExclamation), AskExtract("MyGroup.grp", "MyGroup_Extract"),
                       Beep(sndDefault)}));
    EXPECT_EQ(View.Marks, (std::vector<bool>{false, true}));
    EXPECT_FALSE(PathExists(In("MyGroup_Extract")));

    std::filesystem::create_directory(In("MyGroup_Extract"));
    WriteBytes(In("MyGroup_Extract") + PathDelim + "E1L1.MAP", BytesOf("mine"));
    View.Events.clear();
    View.Answers = {mrYes, mrNo};
    Session.ExtractGroupFiles();
    EXPECT_EQ(View.Events,
              (TEvents{Beep(sndExclamation), AskExtract("MyGroup.grp", "MyGroup_Extract"),
                       "ask Directory not empty!|" + In("MyGroup_Extract") +
                           "\nThe directory is not empty!\nContinue ?",
                       Beep(sndDefault)}));
    EXPECT_EQ(View.Marks, (std::vector<bool>{false, true}));
    EXPECT_EQ(ReadBytes(In("MyGroup_Extract") + PathDelim + "E1L1.MAP"), BytesOf("mine"));
}

TEST_F(GroupSession, AFolderWithFilesAsksAgainAndYesOverwritesOnlyTheSameNames) {
    ListExample();
    const std::string folder = In("MyGroup_Extract");
    std::filesystem::create_directories(folder + PathDelim + "sub");
    View.Answers = {mrYes};
    Session.ExtractGroupFiles(); // sub-folders do not count: one question
    EXPECT_EQ(View.Events,
              (TEvents{Beep(sndExclamation), AskExtract("MyGroup.grp", "MyGroup_Extract"),
                       Beep(sndAsterisk)}));

    WriteBytes(folder + PathDelim + "GAME.CON", BytesOf("older"));
    WriteBytes(folder + PathDelim + "OTHER.TXT", BytesOf("other"));
    View.All = false;
    View.Mark("GAME.CON");
    View.Events.clear();
    View.Answers = {mrYes, mrYes};
    Session.ExtractGroupFiles();
    EXPECT_EQ(View.Events.size(), 4u);
    EXPECT_EQ(View.Events.back(), Beep(sndAsterisk));
    EXPECT_EQ(ReadBytes(folder + PathDelim + "GAME.CON"), BytesOf("ABCDE"));
    EXPECT_EQ(ReadBytes(folder + PathDelim + "OTHER.TXT"), BytesOf("other"));
    EXPECT_EQ(View.Marks, (std::vector<bool>{false, false}));
}

TEST_F(GroupSession, ExtractAllWithAnEmptyListCreatesTheFolderOnly) {
    WriteGroup("Empty.grp", {});
    ListGroup("Empty.grp");
    View.All = true;
    View.Answers = {mrYes};
    Session.ExtractGroupFiles();
    EXPECT_EQ(View.Events, (TEvents{Beep(sndExclamation), AskExtract("Empty.grp", "Empty_Extract"),
                                    Beep(sndAsterisk)}));
    EXPECT_TRUE(std::filesystem::is_directory(In("Empty_Extract")));
    EXPECT_TRUE(TTempFolder::NamesIn(In("Empty_Extract")).empty());
    EXPECT_EQ(View.Current, -1);
}

TEST_F(GroupSession, AnEmptiedFolderNameExtractsIntoTheFolderItself) {
    ListExample();
    View.Target = "";
    View.Answers = {mrYes, mrYes}; // the folder holds the group file
    Session.ExtractGroupFiles();
    EXPECT_EQ(View.Events, (TEvents{Beep(sndExclamation), AskExtract("MyGroup.grp", ""),
                                    "ask Directory not empty!|" + WorkFolder() +
                                        "\nThe directory is not empty!\nContinue ?",
                                    Beep(sndAsterisk)}));
    EXPECT_EQ(ReadBytes(In("GAME.CON")), BytesOf("ABCDE"));
    EXPECT_EQ(ReadBytes(In("E1L1.MAP")), BytesOf("xyz"));
}

TEST_F(GroupSession, AHostileEntryNameStopsBeforeAnythingIsWritten) {
    WriteGroup("Evil.grp", {{"GAME.CON", BytesOf("ABCDE")}, {"../EVIL.TXT", BytesOf("x")}});
    ListGroup("Evil.grp");
    View.All = true;
    View.Answers = {mrYes};
    Session.ExtractGroupFiles();
    EXPECT_EQ(LastMessage(), "show Cannot extract from Group file: Evil.grp\nentry name "
                             "\"../EVIL.TXT\" contains a path separator\nNothing was extracted.");
    EXPECT_FALSE(Beeped(sndAsterisk));
    EXPECT_FALSE(PathExists(In("Evil_Extract")));
    EXPECT_FALSE(PathExists(Dir.Path() + PathDelim + ".." + PathDelim + "EVIL.TXT"));
    EXPECT_EQ(View.List, (std::vector<std::string>{"GAME.CON", "../EVIL.TXT"}));
}

TEST_F(GroupSession, AGroupFileThatIsNotTheListedOneIsRefused) {
    WriteGroup("A.grp", ExampleEntries);
    WriteGroup("B.grp", {{"B.DAT", BytesOf("b")}});
    WriteBytes(In("C.grp"), BytesOf("not a group file"));
    const std::string notListed = "\nClick it in the file list to list its entries.";

    // The current item changed by keyboard: nothing was listed.
    ListGroup("A.grp");
    SelectByKeyboard("B.grp");
    View.All = true;
    View.Answers = {mrYes};
    Session.ExtractGroupFiles();
    EXPECT_EQ(LastMessage(), "show Group file not listed: B.grp" + notListed);
    EXPECT_EQ(View.List, (std::vector<std::string>{"GAME.CON", "E1L1.MAP"}));

    // The listing was refused.
    View.Events.clear();
    Click("C.grp");
    View.Answers = {mrYes};
    Session.ExtractGroupFiles();
    EXPECT_EQ(LastMessage(), "show Group file not listed: C.grp" + notListed);
    EXPECT_EQ(Dir.Names(), (std::vector<std::string>{"A.grp", "B.grp", "C.grp"}));
}

TEST_F(GroupSession, AGroupFileChangedSinceItWasListedIsRefused) {
    const std::string changed = "show Group file changed since it was listed: MyGroup.grp\n"
                                "Click it in the file list to list it again.";
    const auto extract = [&] {
        View.Events.clear();
        View.Answers = {mrYes};
        Session.ExtractGroupFiles();
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
    EXPECT_EQ(View.List, (std::vector<std::string>{"GAME.CON", "E1L1.MAP"}));
}

TEST_F(GroupSession, AnUnreadableGroupFileIsReported) {
    ListExample();
    TTestFileServices files;
    files.RefuseOpen = "MyGroup.grp";
    View.Answers = {mrYes};
    Session.ExtractGroupFiles();
    const std::string message = LastMessage();
    EXPECT_TRUE(StartsWith(message, "show Cannot read Group file: MyGroup.grp\n")) << message;
    EXPECT_NE(message.find("cannot open"), std::string::npos) << message;
    EXPECT_FALSE(PathExists(In("MyGroup_Extract")));
}

// A write that fails says how far the extraction got; the files written before stay.
TEST_F(GroupSession, AFailedExtractionSaysHowFarItGot) {
    const std::string folder = In("MyGroup_Extract");
    const auto extract = [&] {
        View.Events.clear();
        View.Answers = {mrYes};
        Session.ExtractGroupFiles();
        EXPECT_FALSE(Beeped(sndAsterisk));
        EXPECT_EQ(View.List, (std::vector<std::string>{"GAME.CON", "E1L1.MAP"}));
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

TEST_F(GroupSession, ExtractionNeverFollowsALinkInItsFolder) {
    ListExample();
    const std::string folder = In("MyGroup_Extract");
    std::filesystem::create_directory(folder);
    if (!MakeSymLink(In("outside.txt"), folder + PathDelim + "E1L1.MAP")) {
        GTEST_SKIP() << "no symbolic links here";
    }
    View.Answers = {mrYes, mrYes}; // the link counts as a file of the folder
    Session.ExtractGroupFiles();
    EXPECT_NE(LastMessage().find("symbolic link"), std::string::npos);
    EXPECT_FALSE(PathExists(In("outside.txt")));
    EXPECT_FALSE(PathExists(folder + PathDelim + "GAME.CON"));
}

} // namespace
