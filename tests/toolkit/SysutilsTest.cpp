// The toolkit's file functions and path helpers, on the operating system's file services.
#include "toolkit/Sysutils.h"

#include "archive/Failingfiles.h"
#include "archive/Testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

const std::string D(1, PathDelim);

TEST(PathHelpers, SplitAtTheLastDelimiter) {
    EXPECT_EQ(ExtractFilePath("games" + D + "duke" + D + "DUKE3D.GRP"), "games" + D + "duke" + D);
    EXPECT_EQ(ExtractFileName("games" + D + "duke" + D + "DUKE3D.GRP"), "DUKE3D.GRP");
    EXPECT_EQ(ExtractFilePath("DUKE3D.GRP"), "");
    EXPECT_EQ(ExtractFileName("DUKE3D.GRP"), "DUKE3D.GRP");
    EXPECT_EQ(ExtractFileName("games" + D), "");
#ifdef _WIN32
    EXPECT_EQ(ExtractFilePath("C:DUKE3D.GRP"), "C:");
    EXPECT_EQ(ExtractFileName("C:DUKE3D.GRP"), "DUKE3D.GRP");
    EXPECT_EQ(ExtractFileName("C:\\games/DUKE3D.GRP"), "games/DUKE3D.GRP");
#else
    EXPECT_EQ(ExtractFileName("C:DUKE3D.GRP"), "C:DUKE3D.GRP");
    EXPECT_EQ(ExtractFileName("dir\\DUKE3D.GRP"), "dir\\DUKE3D.GRP");
#endif
    EXPECT_EQ(IncludeTrailingPathDelimiter("games"), "games" + D);
    EXPECT_EQ(IncludeTrailingPathDelimiter("games" + D), "games" + D);
}

TEST(CaseHelpers, FoldAsciiLettersOnly) {
    EXPECT_EQ(UpperCase("MyGroup.grp"), "MYGROUP.GRP");
    EXPECT_EQ(LowerCase("MyGroup.GRP"), "mygroup.grp");
    EXPECT_EQ(UpperCase("\xE4\xF6z@[`{"), "\xE4\xF6Z@[`{");
    EXPECT_EQ(LowerCase("\xC4\xD6Z@[`{"), "\xC4\xD6z@[`{");
}

TEST(FileServices, ADecoratorTakesOverAndGivesBack) {
    TFileServices* system = &SystemFileServices();
    EXPECT_EQ(&FileServices(), system);
    {
        TFailingFileServices failing;
        EXPECT_EQ(&FileServices(), &failing);
        {
            TFailingFileServices inner;
            EXPECT_EQ(&FileServices(), &inner);
        }
        EXPECT_EQ(&FileServices(), &failing);
    }
    EXPECT_EQ(&FileServices(), system);
}

TEST(FileServices, WriteSeekAndReadBack) {
    TTempFolder folder;
    const std::string path = folder / "F.BIN";
    const TBytes data = Filler(100000, 1);
    {
        TFileHandle file(FileCreate(path));
        ASSERT_TRUE(file.Valid()) << LastErrorText();
        EXPECT_EQ(FileWrite(file.Handle(), data.data(), std::int64_t(data.size())),
                  std::int64_t(data.size()));
        EXPECT_TRUE(FileFlush(file.Handle()));
        EXPECT_TRUE(file.Close());
        EXPECT_FALSE(file.Valid());
    }
    TFileHandle file(FileOpen(path, TFileMode::Read));
    ASSERT_TRUE(file.Valid());
    EXPECT_EQ(FileSeek(file.Handle(), 0, TSeekOrigin::End), std::int64_t(data.size()));
    EXPECT_EQ(FileSeek(file.Handle(), 99990, TSeekOrigin::Beginning), 99990);
    TBytes tail(50);
    EXPECT_EQ(FileRead(file.Handle(), tail.data(), 50), 10); // short at the end of the file
    EXPECT_TRUE(std::equal(tail.begin(), tail.begin() + 10, data.end() - 10));
    EXPECT_EQ(FileRead(file.Handle(), tail.data(), 50), 0);
}

// The system's copy (in the kernel where it can) and the buffered one that decorators get must
// agree: the bytes from each file's position on, both positions advanced, and the end of a
// source that is shorter than asked reported as such.
TEST(FileServices, CopyBetweenOpenFilesInBothWays) {
    TTempFolder folder;
    const TBytes data = Filler(3 * 1048576 + 17, 3);
    const std::string sourcePath = folder / "SOURCE.BIN";
    WriteBytes(sourcePath, data);
    for (bool buffered : {false, true}) {
        SCOPED_TRACE(buffered ? "buffered" : "system");
        std::unique_ptr<TFailingFileServices> decorator;
        if (buffered) {
            decorator = std::make_unique<TFailingFileServices>();
        }
        const std::string targetPath = folder / "TARGET.BIN";
        TFileHandle source(FileOpen(sourcePath, TFileMode::Read));
        TFileHandle target(FileCreate(targetPath));
        ASSERT_TRUE(source.Valid() && target.Valid());
        ASSERT_EQ(FileSeek(source.Handle(), 5, TSeekOrigin::Beginning), 5);
        ASSERT_EQ(FileWrite(target.Handle(), "head", 4), 4);
        EXPECT_EQ(FileCopy(source.Handle(), target.Handle(), 2 * 1048576), TCopyResult::Done);
        EXPECT_EQ(FileSeek(source.Handle(), 0, TSeekOrigin::Current), 5 + 2 * 1048576);
        EXPECT_EQ(FileCopy(source.Handle(), target.Handle(), 2 * 1048576),
                  TCopyResult::SourceEnded);
        ASSERT_TRUE(target.Close());
        TBytes expected(data.begin() + 5, data.end());
        expected.insert(expected.begin(), {'h', 'e', 'a', 'd'});
        EXPECT_TRUE(ReadBytes(targetPath) == expected);
    }
}

TEST(FileServices, CreateTruncatesAndCreateNewRefusesAnExistingFile) {
    TTempFolder folder;
    const std::string path = folder / "F";
    WriteBytes(path, BytesOf("old contents"));
    {
        TFileHandle file(FileCreate(path));
        ASSERT_TRUE(file.Valid());
    }
    EXPECT_TRUE(ReadBytes(path).empty());
    EXPECT_EQ(FileCreateNew(path), InvalidHandle);
    EXPECT_FALSE(LastErrorText().empty());
    TFileHandle fresh(FileCreateNew(folder / "NEW"));
    EXPECT_TRUE(fresh.Valid());
}

TEST(FileServices, CreateNeverWritesThroughASymbolicLink) {
    TTempFolder folder;
    const std::string target = folder / "target.txt";
    WriteBytes(target, BytesOf("precious"));
    if (!MakeSymLink(target, folder / "link")) {
        GTEST_SKIP() << "no symbolic links here";
    }
    EXPECT_TRUE(IsSymLink(folder / "link"));
    EXPECT_FALSE(IsSymLink(target));
    EXPECT_EQ(FileCreate(folder / "link"), InvalidHandle);
    EXPECT_EQ(FileCreateNew(folder / "link"), InvalidHandle);
    EXPECT_EQ(ReadBytes(target), BytesOf("precious"));

    ASSERT_TRUE(MakeSymLink(folder / "nowhere", folder / "dangling"));
    EXPECT_EQ(FileCreate(folder / "dangling"), InvalidHandle);
    EXPECT_FALSE(PathExists(folder / "nowhere"));
}

TEST(FileServices, RenameReplacesTheTarget) {
    TTempFolder folder;
    WriteBytes(folder / "A", BytesOf("new"));
    WriteBytes(folder / "B", BytesOf("old"));
    ASSERT_TRUE(RenameFile(folder / "A", folder / "B")) << LastErrorText();
    EXPECT_EQ(ReadBytes(folder / "B"), BytesOf("new"));
    EXPECT_FALSE(PathExists(folder / "A"));
    EXPECT_FALSE(RenameFile(folder / "A", folder / "C"));
}

TEST(FileServices, FailuresCarryTheSystemsReason) {
    TTempFolder folder;
    EXPECT_EQ(FileOpen(folder / "MISSING", TFileMode::Read), InvalidHandle);
    const std::string reason = LastErrorText();
    EXPECT_FALSE(reason.empty());
    EXPECT_NE(reason.back(), '\n');
    EXPECT_FALSE(CreateDir(folder / "MISSING" + PathDelim + "SUB"));
    EXPECT_FALSE(DeleteFile(folder / "MISSING"));
}

TEST(FileServices, FilesFoldersAndListing) {
    TTempFolder folder;
    WriteBytes(folder / "FILE.TXT", BytesOf("12345"));
    ASSERT_TRUE(CreateDir(folder / "SUB"));
    EXPECT_TRUE(FileExists(folder / "FILE.TXT"));
    EXPECT_FALSE(FileExists(folder / "SUB"));
    EXPECT_TRUE(DirectoryExists(folder / "SUB"));
    EXPECT_FALSE(DirectoryExists(folder / "FILE.TXT"));
    EXPECT_FALSE(DirectoryExists(""));

    std::vector<TSearchRec> entries;
    ASSERT_TRUE(FileServices().ListFolder(folder.Path(), entries));
    std::sort(entries.begin(), entries.end(),
              [](const TSearchRec& a, const TSearchRec& b) { return a.Name < b.Name; });
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Name, "FILE.TXT");
    EXPECT_EQ(entries[0].Size, 5);
    EXPECT_EQ(entries[0].Attr & faDirectory, 0u);
    EXPECT_EQ(entries[1].Name, "SUB");
    EXPECT_NE(entries[1].Attr & faDirectory, 0u);
    EXPECT_FALSE(FileServices().ListFolder(folder / "MISSING", entries));

    EXPECT_TRUE(FileServices().RemoveDir(folder / "SUB"));
    EXPECT_TRUE(DeleteFile(folder / "FILE.TXT"));
    EXPECT_TRUE(folder.Names().empty());
}

TEST(FileServices, TheRootsOfTheFileSystem) {
    const std::vector<std::string> drives = FileServices().LogicalDrives();
    ASSERT_FALSE(drives.empty());
#ifdef _WIN32
    EXPECT_NE(std::find(drives.begin(), drives.end(), "C:\\"), drives.end());
#else
    EXPECT_EQ(drives, std::vector<std::string>{"/"});
#endif
}

TEST(FileHandle, ClosesOnceWhenItGoes) {
    TTempFolder folder;
    TFailingFileServices files;
    {
        TFileHandle first(FileCreate(folder / "F"));
        EXPECT_EQ(files.OpenFiles, 1);
        TFileHandle second(std::move(first));
        EXPECT_FALSE(first.Valid());
        EXPECT_TRUE(second.Valid());
        TFileHandle third;
        third = std::move(second);
        EXPECT_EQ(files.OpenFiles, 1);
    }
    EXPECT_EQ(files.OpenFiles, 0);
    TFileHandle none;
    EXPECT_TRUE(none.Close());
}

} // namespace
