#include "archive/Grpfiles.h"
#include "archive/Crc32.h"

#include "archive/Failingfiles.h"
#include "archive/Testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using TEntries = std::vector<std::pair<std::string, TBytes>>;

const TEntries ExampleEntries = {{"GAME.CON", BytesOf("ABCDE")}, {"E1L1.MAP", BytesOf("xyz")}};

class GrpFiles : public ::testing::Test {
protected:
    TTempFolder Folder;

    std::string WriteGroup(const std::string& name, const TEntries& entries) {
        const std::string path = Folder / name;
        WriteBytes(path, BuildGrpImage(entries));
        return path;
    }

    // Writes the entries' data as files into the folder; the (path, name) pairs to pack them.
    std::vector<std::pair<std::string, std::string>> WriteSources(const TEntries& entries) {
        std::vector<std::pair<std::string, std::string>> files;
        for (const auto& [name, data] : entries) {
            WriteBytes(Folder / name, data);
            files.emplace_back(Folder / name, name);
        }
        return files;
    }

    TStatus Extract(const std::string& group, const std::string& folder) {
        const TResult<TGrpDirectory> directory = ReadGrpDirectory(group);
        EXPECT_TRUE(directory.Ok()) << directory.Reason();
        const auto plan = PlanGrpExtraction(directory.Value(), GrpEntryNames(directory.Value()));
        EXPECT_TRUE(plan.Ok()) << plan.Reason();
        return ExtractGrpEntries(group, plan.Value(), folder);
    }

    TStatus Create(const std::string& target,
                   const std::vector<std::pair<std::string, std::string>>& files) {
        const auto sources = MeasureGrpSources(files);
        if (!sources.Ok()) {
            return sources.Status();
        }
        return WriteGrpFile(target, sources.Value());
    }
};

TEST_F(GrpFiles, ReadingADirectoryReadsOnlyTheHeaderAndDirectory) {
    const std::string group = WriteGroup("MyGroup.grp", ExampleEntries);
    TFailingFileServices files;
    const TResult<TGrpDirectory> directory = ReadGrpDirectory(group);
    ASSERT_TRUE(directory.Ok()) << directory.Reason();
    EXPECT_EQ(directory.Value().Entries.size(), 2u);
    EXPECT_EQ(files.BytesRead, 48);
    EXPECT_EQ(files.OpenFiles, 0);
}

TEST_F(GrpFiles, BadFilesAreRefusedNamingTheFile) {
    TBytes shortImage = BuildGrpImage(ExampleEntries);
    shortImage.resize(40);
    const std::vector<std::pair<TBytes, std::string>> cases = {
        {{}, "shorter than the 16-byte header"},
        {BytesOf("KenSilverman"), "shorter than the 16-byte header"},
        {BytesOf(std::string("kensilverman\0\0\0\0", 16)), "unknown magic"},
        {shortImage, "larger than the file"},
        {BytesOf(std::string("KenSilverman\xFF\xFF\xFF\xFF", 16)), "larger than the file"},
    };
    for (const auto& [bytes, reason] : cases) {
        WriteBytes(Folder / "BAD.GRP", bytes);
        const TResult<TGrpDirectory> directory = ReadGrpDirectory(Folder / "BAD.GRP");
        ASSERT_FALSE(directory.Ok()) << reason;
        EXPECT_EQ(directory.Status().Fault(), TFault::BadData);
        EXPECT_NE(directory.Reason().find(Folder / "BAD.GRP"), std::string::npos);
        EXPECT_NE(directory.Reason().find(reason), std::string::npos) << directory.Reason();
    }
    const TResult<TGrpDirectory> missing = ReadGrpDirectory(Folder / "MISSING.GRP");
    ASSERT_FALSE(missing.Ok());
    EXPECT_EQ(missing.Status().Fault(), TFault::Io);
    EXPECT_NE(missing.Reason().find("cannot open"), std::string::npos);
}

TEST_F(GrpFiles, ExtractAllWritesEachEntryFromItsOffset) {
    const TBytes image = BuildGrpImage(ExampleEntries);
    WriteBytes(Folder / "MyGroup.grp", image);
    ASSERT_TRUE(Extract(Folder / "MyGroup.grp", Folder / "MyGroup_Extract").Ok());
    EXPECT_EQ(ReadBytes(Folder / "MyGroup_Extract" + PathDelim + "GAME.CON"),
              TBytes(image.begin() + 48, image.begin() + 53));
    EXPECT_EQ(ReadBytes(Folder / "MyGroup_Extract" + PathDelim + "E1L1.MAP"),
              TBytes(image.begin() + 53, image.end()));
}

TEST_F(GrpFiles, ExtractionReplacesFilesOfTheSameNameAndLeavesOthers) {
    const std::string group = WriteGroup("G.GRP", ExampleEntries);
    std::filesystem::create_directory(Folder / "out");
    WriteBytes(Folder / "out" + PathDelim + "GAME.CON", BytesOf("old contents, longer"));
    WriteBytes(Folder / "out" + PathDelim + "OTHER", BytesOf("keep"));
    ASSERT_TRUE(Extract(group, Folder / "out").Ok());
    EXPECT_EQ(ReadBytes(Folder / "out" + PathDelim + "GAME.CON"), BytesOf("ABCDE"));
    EXPECT_EQ(ReadBytes(Folder / "out" + PathDelim + "OTHER"), BytesOf("keep"));
}

TEST_F(GrpFiles, ExtractionNeverFollowsALinkInTheFolder) {
    const std::string group = WriteGroup("G.GRP", ExampleEntries);
    const std::string outside = Folder / "outside.txt";
    WriteBytes(outside, BytesOf("precious"));
    std::filesystem::create_directory(Folder / "out");
    if (!MakeSymLink(outside, Folder / "out" + PathDelim + "E1L1.MAP")) {
        GTEST_SKIP() << "no symbolic links here";
    }
    const TStatus status = Extract(group, Folder / "out");
    ASSERT_FALSE(status.Ok());
    EXPECT_NE(status.Reason().find("symbolic link"), std::string::npos);
    EXPECT_EQ(ReadBytes(outside), BytesOf("precious"));
    // Refused before anything was written: the entry before the link was not extracted either.
    EXPECT_FALSE(PathExists(Folder / "out" + PathDelim + "GAME.CON"));
}

// Extracting into the group file's own folder: an entry of the group file's name, or a hard
// link to it among the targets, would truncate the file still to be read from.
TEST_F(GrpFiles, ExtractionNeverWritesOverItsOwnGroupFile) {
    const TEntries entries = {{"SELF.GRP", BytesOf("12345678")}, {"AFTER.TXT", BytesOf("after")}};
    const std::string group = WriteGroup("SELF.GRP", entries);
    TStatus status = Extract(group, Folder.Path());
    ASSERT_FALSE(status.Ok());
    EXPECT_NE(status.Reason().find("is the group file being extracted; nothing was extracted"),
              std::string::npos)
        << status.Reason();
    EXPECT_EQ(ReadBytes(group), BuildGrpImage(entries));
    EXPECT_EQ(Folder.Names(), std::vector<std::string>{"SELF.GRP"});

    const std::string other = WriteGroup("G.GRP", ExampleEntries);
    std::filesystem::create_directory(Folder / "out");
    std::error_code error;
    std::filesystem::create_hard_link(other, Folder / "out" + PathDelim + "E1L1.MAP", error);
    if (error) {
        GTEST_SKIP() << "no hard links here";
    }
    status = Extract(other, Folder / "out");
    ASSERT_FALSE(status.Ok());
    EXPECT_EQ(ReadBytes(other), BuildGrpImage(ExampleEntries));
    EXPECT_FALSE(PathExists(Folder / "out" + PathDelim + "GAME.CON"));
}

TEST_F(GrpFiles, EntryOfSizeZeroGivesAnEmptyFile) {
    const std::string group = WriteGroup("G.GRP", {{"EMPTY.TXT", {}}, {"A", BytesOf("a")}});
    ASSERT_TRUE(Extract(group, Folder / "out").Ok());
    EXPECT_TRUE(PathExists(Folder / "out" + PathDelim + "EMPTY.TXT"));
    EXPECT_TRUE(ReadBytes(Folder / "out" + PathDelim + "EMPTY.TXT").empty());
}

TEST_F(GrpFiles, ExtractionReportsAFullDiskAndRemovesTheIncompleteFile) {
    const std::string group =
        WriteGroup("G.GRP", {{"FIRST", BytesOf("1234")}, {"SECOND", Filler(3000, 1)}});
    TFailingFileServices files;
    files.WriteBudget = 1000;
    const TStatus status = Extract(group, Folder / "out");
    ASSERT_FALSE(status.Ok());
    EXPECT_EQ(status.Fault(), TFault::Io);
    EXPECT_NE(status.Reason().find("SECOND: cannot write: No space left on device"),
              std::string::npos)
        << status.Reason();
    EXPECT_EQ(ReadBytes(Folder / "out" + PathDelim + "FIRST"), BytesOf("1234"));
    EXPECT_FALSE(PathExists(Folder / "out" + PathDelim + "SECOND"));
    EXPECT_EQ(files.OpenFiles, 0);
}

TEST_F(GrpFiles, ExtractionReportsARefusedCreate) {
    const std::string group = WriteGroup("G.GRP", ExampleEntries);
    TFailingFileServices files;
    files.RefuseCreate = "E1L1.MAP";
    const TStatus status = Extract(group, Folder / "out");
    ASSERT_FALSE(status.Ok());
    EXPECT_NE(status.Reason().find("E1L1.MAP: cannot create: Permission denied"), std::string::npos)
        << status.Reason();
}

TEST_F(GrpFiles, ExtractionNoticesAGroupFileCutShortAfterListing) {
    const std::string group = WriteGroup("G.GRP", ExampleEntries);
    const TResult<TGrpDirectory> directory = ReadGrpDirectory(group);
    ASSERT_TRUE(directory.Ok());
    std::filesystem::resize_file(group, 50);
    const auto plan = PlanGrpExtraction(directory.Value(), GrpEntryNames(directory.Value()));
    const TStatus status = ExtractGrpEntries(group, plan.Value(), Folder / "out");
    ASSERT_FALSE(status.Ok());
    EXPECT_NE(status.Reason().find("changed since its directory was read"), std::string::npos);
    EXPECT_FALSE(PathExists(Folder / "out" + PathDelim + "GAME.CON"));
}

TEST_F(GrpFiles, CreatingTheExampleGivesItsBytes) {
    ASSERT_TRUE(Create(Folder / "MyGroup.grp", WriteSources(ExampleEntries)).Ok());
    EXPECT_EQ(ReadBytes(Folder / "MyGroup.grp"), BuildGrpImage(ExampleEntries));
    EXPECT_EQ(Folder.Names(), (std::vector<std::string>{"E1L1.MAP", "GAME.CON", "MyGroup.grp"}));
}

TEST_F(GrpFiles, ExtractThenCreateReproducesTheGroupFileByteForByte) {
    const TEntries entries = {{"ABCDEFGH.IJK", Filler(70000, 2)}, {"zero.len", {}},
                              {"Mixed.Case", Filler(3, 3)},       {"BIG.DAT", Filler(3 << 20, 4)},
                              {"DUP", BytesOf("same")},           {"DUP", BytesOf("same")}};
    const std::string group = WriteGroup("ORIG.GRP", entries);
    ASSERT_TRUE(Extract(group, Folder / "x").Ok());
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : entries) {
        files.emplace_back(Folder / "x" + PathDelim + entry.first, entry.first);
    }
    ASSERT_TRUE(Create(Folder / "COPY.GRP", files).Ok());
    EXPECT_EQ(ReadBytes(Folder / "COPY.GRP"), ReadBytes(group));
}

TEST_F(GrpFiles, InvertedGroupFileExtractsAndPacksAsItsStandardForm) {
    TBytes image = BuildGrpImage(ExampleEntries);
    std::copy(GrpInvertedMagic.begin(), GrpInvertedMagic.end(), image.begin());
    for (std::size_t i = 16; i < 48; ++i) {
        image[i] = static_cast<std::uint8_t>(~image[i]);
    }
    WriteBytes(Folder / "INV.GRP", image);
    ASSERT_TRUE(Extract(Folder / "INV.GRP", Folder / "x").Ok());
    ASSERT_TRUE(Create(Folder / "STD.GRP", {{Folder / "x" + PathDelim + "GAME.CON", "GAME.CON"},
                                            {Folder / "x" + PathDelim + "E1L1.MAP", "E1L1.MAP"}})
                    .Ok());
    EXPECT_EQ(ReadBytes(Folder / "STD.GRP"), BuildGrpImage(ExampleEntries));
}

TEST_F(GrpFiles, NamesAreCheckedBeforeAnythingIsWritten) {
    auto files = WriteSources({{"ABCDEFGH.IJK", BytesOf("12")}, {"ABCDEFGHI.JKL", BytesOf("13")}});
    const TStatus status = Create(Folder / "G.GRP", files);
    ASSERT_FALSE(status.Ok());
    EXPECT_EQ(status.Fault(), TFault::BadData);
    EXPECT_NE(status.Reason().find("ABCDEFGHI.JKL is longer than 12 characters"), std::string::npos)
        << status.Reason();
    EXPECT_FALSE(PathExists(Folder / "G.GRP"));

    const TStatus unsafe = Create(Folder / "G.GRP", {{Folder / "ABCDEFGH.IJK", "NUL"}});
    ASSERT_FALSE(unsafe.Ok());
    EXPECT_NE(unsafe.Reason().find("device name"), std::string::npos);
    EXPECT_FALSE(PathExists(Folder / "G.GRP"));
}

TEST_F(GrpFiles, AFolderIsNotASource) {
    std::filesystem::create_directory(Folder / "SUB");
    const TStatus status = Create(Folder / "G.GRP", {{Folder / "SUB", "SUB"}});
    ASSERT_FALSE(status.Ok());
    EXPECT_NE(status.Reason().find("is a folder"), std::string::npos);
}

// Each failure of a creation must leave the old group file and no new file beside it.
class GrpFilesReplacing : public GrpFiles {
protected:
    const TBytes OldImage = BuildGrpImage({{"OLD", BytesOf("old data")}});
    std::vector<std::pair<std::string, std::string>> Files;

    void SetUp() override {
        WriteBytes(Folder / "G.GRP", OldImage);
        Files = WriteSources({{"A.TXT", Filler(5000, 5)}, {"B.TXT", Filler(10, 6)}});
    }

    void ExpectOldFileKept(const TStatus& status, const std::string& reason) {
        ASSERT_FALSE(status.Ok());
        EXPECT_EQ(status.Fault(), TFault::Io);
        EXPECT_NE(status.Reason().find(reason), std::string::npos) << status.Reason();
        EXPECT_EQ(ReadBytes(Folder / "G.GRP"), OldImage);
        EXPECT_EQ(Folder.Names(), (std::vector<std::string>{"A.TXT", "B.TXT", "G.GRP"}));
    }
};

TEST_F(GrpFilesReplacing, ACompleteNewFileReplacesTheOld) {
    ASSERT_TRUE(Create(Folder / "G.GRP", Files).Ok());
    EXPECT_EQ(ReadBytes(Folder / "G.GRP"),
              BuildGrpImage({{"A.TXT", Filler(5000, 5)}, {"B.TXT", Filler(10, 6)}}));
    EXPECT_EQ(Folder.Names(), (std::vector<std::string>{"A.TXT", "B.TXT", "G.GRP"}));
}

TEST_F(GrpFilesReplacing, ASourceThatVanishedStopsTheCreation) {
    const auto sources = MeasureGrpSources(Files);
    ASSERT_TRUE(sources.Ok());
    std::filesystem::remove(Folder / "B.TXT");
    const TStatus status = WriteGrpFile(Folder / "G.GRP", sources.Value());
    ASSERT_FALSE(status.Ok());
    EXPECT_NE(status.Reason().find("B.TXT: cannot open"), std::string::npos) << status.Reason();
    EXPECT_EQ(ReadBytes(Folder / "G.GRP"), OldImage);
    EXPECT_EQ(Folder.Names(), (std::vector<std::string>{"A.TXT", "G.GRP"}));

    const TStatus missing = Create(Folder / "G.GRP", Files);
    ASSERT_FALSE(missing.Ok());
    EXPECT_EQ(missing.Fault(), TFault::Io);
}

TEST_F(GrpFilesReplacing, ASourceThatShrankSinceMeasuringStopsTheCreation) {
    TFailingFileServices files;
    int opens = 0;
    files.BeforeOpen = [&](const std::string& path) {
        if (path.ends_with("A.TXT") && ++opens == 2) {
            std::filesystem::resize_file(path, 4000);
        }
    };
    ExpectOldFileKept(Create(Folder / "G.GRP", Files), "A.TXT: changed its length");
    EXPECT_EQ(files.OpenFiles, 0);
}

TEST_F(GrpFilesReplacing, ASourceThatShrinksWhileReadStopsTheCreation) {
    TFailingFileServices files;
    files.BeforeRead = [&](const std::string& path) {
        if (path.ends_with("A.TXT")) {
            std::filesystem::resize_file(path, 100);
        }
    };
    ExpectOldFileKept(Create(Folder / "G.GRP", Files), "A.TXT: changed its length");
}

TEST_F(GrpFilesReplacing, ASourceThatGrowsWhileReadStopsTheCreation) {
    TFailingFileServices files;
    files.BeforeRead = [&](const std::string& path) {
        if (path.ends_with("B.TXT")) {
            std::filesystem::resize_file(path, 11);
        }
    };
    ExpectOldFileKept(Create(Folder / "G.GRP", Files), "B.TXT: changed its length");
}

TEST_F(GrpFilesReplacing, AFullDiskLeavesTheOldFile) {
    TFailingFileServices files;
    files.WriteBudget = 3000;
    ExpectOldFileKept(Create(Folder / "G.GRP", Files), "cannot write: No space left on device");
}

TEST_F(GrpFilesReplacing, AFailedFlushLeavesTheOldFile) {
    TFailingFileServices files;
    files.FailFlush = true;
    ExpectOldFileKept(Create(Folder / "G.GRP", Files), "cannot write: Input/output error");
}

TEST_F(GrpFilesReplacing, AFailedRenameLeavesTheOldFile) {
    TFailingFileServices files;
    files.FailRename = true;
    ExpectOldFileKept(Create(Folder / "G.GRP", Files), "cannot replace it");
}

TEST_F(GrpFilesReplacing, ARefusedCreateLeavesTheOldFile) {
    TFailingFileServices files;
    files.RefuseCreate = "G.GRP";
    ExpectOldFileKept(Create(Folder / "G.GRP", Files), "cannot create: Permission denied");
}

TEST_F(GrpFilesReplacing, AFileInTheWayOfTheNewNameIsLeftAlone) {
    WriteBytes(Folder / "G.GRP.new", BytesOf("someone else's"));
    ASSERT_TRUE(Create(Folder / "G.GRP", Files).Ok());
    EXPECT_EQ(ReadBytes(Folder / "G.GRP.new"), BytesOf("someone else's"));
    EXPECT_EQ(Folder.Names(), (std::vector<std::string>{"A.TXT", "B.TXT", "G.GRP", "G.GRP.new"}));
}

// Edits in place, on the group file G.GRP.
class GrpFilesEditing : public GrpFiles {
protected:
    TStatus Add(const std::vector<std::pair<std::string, std::string>>& files, bool replace) {
        const auto directory = ReadGrpDirectory(Folder / "G.GRP");
        const auto sources = MeasureGrpSources(files);
        EXPECT_TRUE(directory.Ok() && sources.Ok());
        std::vector<TGrpRecord> added;
        for (const TGrpSource& source : sources.Value()) {
            added.push_back({source.Name, source.Size});
        }
        const auto plan = PlanGrpAdd(directory.Value(), added, replace);
        EXPECT_TRUE(plan.Ok()) << plan.Reason();
        return WriteGrpEdit(Folder / "G.GRP", directory.Value(), plan.Value(), sources.Value());
    }
    TStatus Delete(const std::string& name) {
        const auto directory = ReadGrpDirectory(Folder / "G.GRP");
        const auto plan =
            PlanGrpDelete(directory.Value(), {*FindGrpEntry(directory.Value(), name)});
        return WriteGrpEdit(Folder / "G.GRP", directory.Value(), plan.Value(), {});
    }
};

TEST_F(GrpFilesEditing, UnchangedEntryDataIsCopiedByTheSystemsCopyNotRead) {
    // Large enough to be copied in more than one piece.
    const std::size_t big = (std::size_t(32) << 20) + 5;
    WriteGroup("G.GRP", {{"BIG.DAT", Filler(big, 1)}, {"SMALL", BytesOf("s")}});
    WriteBytes(Folder / "NEW.DAT", Filler(1024, 2));
    TFailingFileServices files;
    ASSERT_TRUE(Add({{Folder / "NEW.DAT", "NEW.DAT"}}, false).Ok());
    EXPECT_EQ(ReadBytes(Folder / "G.GRP"), BuildGrpImage({{"BIG.DAT", Filler(big, 1)},
                                                          {"SMALL", BytesOf("s")},
                                                          {"NEW.DAT", Filler(1024, 2)}}));
    EXPECT_EQ(files.BytesCopied, std::int64_t(big) + 1 + 1024);
    EXPECT_GE(files.StartedFlushes, 2);
    // Only the header and the directory went through this program's memory.
    EXPECT_EQ(files.BytesRead, 48);
    EXPECT_EQ(files.OpenFiles, 0);
    EXPECT_EQ(Folder.Names(), (std::vector<std::string>{"G.GRP", "NEW.DAT"}));
}

TEST_F(GrpFilesEditing, AddThenDeleteGivesTheOriginalBytesBackTrailingBytesIncluded) {
    TBytes original = BuildGrpImage({{"A", Filler(3000, 3)}, {"EMPTY", {}}, {"B", BytesOf("b")}});
    original.insert(original.end(), {'t', 'a', 'i', 'l'});
    WriteBytes(Folder / "G.GRP", original);
    WriteBytes(Folder / "C.TXT", Filler(77, 4));
    ASSERT_TRUE(Add({{Folder / "C.TXT", "C.TXT"}}, false).Ok());
    EXPECT_NE(ReadBytes(Folder / "G.GRP"), original);
    ASSERT_TRUE(Delete("C.TXT").Ok());
    EXPECT_EQ(ReadBytes(Folder / "G.GRP"), original);
}

TEST_F(GrpFilesEditing, ReplaceWritesTheNewDataInTheOldEntrysPlace) {
    WriteGroup("G.GRP", {{"A", BytesOf("aaa")}, {"B", BytesOf("b")}});
    WriteBytes(Folder / "A", BytesOf("new a"));
    ASSERT_TRUE(Add({{Folder / "A", "A"}}, true).Ok());
    EXPECT_EQ(ReadBytes(Folder / "G.GRP"),
              BuildGrpImage({{"A", BytesOf("new a")}, {"B", BytesOf("b")}}));
}

TEST_F(GrpFilesEditing, AGroupFileChangedSinceItsDirectoryWasReadIsLeftAlone) {
    WriteGroup("G.GRP", ExampleEntries);
    const auto directory = ReadGrpDirectory(Folder / "G.GRP");
    const auto plan = PlanGrpDelete(directory.Value(), {0});
    const TBytes changed = BuildGrpImage({{"GAME.CON", BytesOf("ABCDEF")}, {"E1L1.MAP", {}}});
    WriteBytes(Folder / "G.GRP", changed);
    const TStatus status = WriteGrpEdit(Folder / "G.GRP", directory.Value(), plan.Value(), {});
    ASSERT_FALSE(status.Ok());
    EXPECT_EQ(status.Fault(), TFault::Io);
    EXPECT_NE(status.Reason().find("changed since its directory was read"), std::string::npos);
    EXPECT_EQ(ReadBytes(Folder / "G.GRP"), changed);
    EXPECT_EQ(Folder.Names(), std::vector<std::string>{"G.GRP"});
}

TEST_F(GrpFilesEditing, ALinkToAGroupFileIsNotReplacedByAFile) {
    const std::string target = WriteGroup("REAL.GRP", ExampleEntries);
    if (!MakeSymLink(target, Folder / "G.GRP")) {
        GTEST_SKIP() << "no symbolic links here";
    }
    const TStatus status = Delete("GAME.CON");
    ASSERT_FALSE(status.Ok());
    EXPECT_NE(status.Reason().find("is a symbolic link"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_symlink(Folder / "G.GRP"));
    EXPECT_EQ(ReadBytes(target), BuildGrpImage(ExampleEntries));
}

TEST_F(GrpFiles, DigestIsTheSizeAndCrcOfTheWholeFile) {
    const TBytes data = Filler(2500000, 7); // more than one buffer
    WriteBytes(Folder / "F", data);
    const TResult<TFileDigest> digest = DigestFile(Folder / "F");
    ASSERT_TRUE(digest.Ok());
    EXPECT_EQ(digest.Value().Size, data.size());
    EXPECT_EQ(digest.Value().Crc, Crc32(0, data.data(), data.size()));
}

} // namespace
