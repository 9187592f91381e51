#include "toolkit/Inifiles.h"
#include "toolkit/Sysutils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace {

namespace fs = std::filesystem;

// The system's file services with one kind of call made to fail.
class TFailingFileServices : public TFileServices {
public:
    enum TFailure { Open, Create, Write, Flush, Close, Rename };
    explicit TFailingFileServices(TFailure failure) : Failure(failure) {}

    bool FileExists(const std::string& path) override { return System.FileExists(path); }
    bool DirectoryExists(const std::string& path) override { return System.DirectoryExists(path); }
    bool IsSymLink(const std::string& path) override { return System.IsSymLink(path); }
    bool IsSameFile(THandle handle, const std::string& path) override {
        return System.IsSameFile(handle, path);
    }
    THandle FileOpen(const std::string& path, TFileMode mode) override {
        return Failure == Open ? InvalidHandle : System.FileOpen(path, mode);
    }
    THandle FileCreate(const std::string& path) override {
        return Failure == Create ? InvalidHandle : System.FileCreate(path);
    }
    THandle FileCreateNew(const std::string& path) override {
        return Failure == Create ? InvalidHandle : System.FileCreateNew(path);
    }
    std::int64_t FileSeek(THandle handle, std::int64_t offset, TSeekOrigin origin) override {
        return System.FileSeek(handle, offset, origin);
    }
    std::int64_t FileRead(THandle handle, void* buffer, std::int64_t count) override {
        return System.FileRead(handle, buffer, count);
    }
    std::int64_t FileWrite(THandle handle, const void* buffer, std::int64_t count) override {
        // A full disk: part of the data is written.
        return System.FileWrite(handle, buffer, Failure == Write ? count / 2 : count);
    }
    bool FileFlush(THandle handle) override { return Failure != Flush && System.FileFlush(handle); }
    bool FileClose(THandle handle) override {
        const bool closed = System.FileClose(handle);
        return Failure != Close && closed;
    }
    bool DeleteFile(const std::string& path) override { return System.DeleteFile(path); }
    bool RenameFile(const std::string& from, const std::string& to) override {
        return Failure != Rename && System.RenameFile(from, to);
    }
    bool CreateDir(const std::string& path) override { return System.CreateDir(path); }
    bool RemoveDir(const std::string& path) override { return System.RemoveDir(path); }
    bool ListFolder(const std::string& folder, std::vector<TSearchRec>& entries) override {
        return System.ListFolder(folder, entries);
    }
    std::vector<std::string> LogicalDrives() override { return System.LogicalDrives(); }
    std::string LastErrorText() override { return System.LastErrorText(); }

private:
    TFileServices& System = SystemFileServices();
    TFailure Failure;
};

// A temporary folder holding the settings file, for the engine TEngine.
template <class TEngine>
class IniFileTest : public testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        Folder = fs::temp_directory_path() / ("morvik-settings-" + std::to_string(random()));
        fs::create_directory(Folder);
        FileName = (Folder / "Morvik.ini").string();
    }
    void TearDown() override {
        SetFileServices(nullptr);
        fs::permissions(Folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(Folder);
    }

    void Store(const std::string& bytes) { std::ofstream(FileName, std::ios::binary) << bytes; }
    std::string Stored() const {
        std::ifstream file(FileName, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    // The message of the error the write raises; empty when it raises none.
    std::string WriteError(const std::string& key, const std::string& value) {
        try {
            TEngine(FileName).WriteString("Setup", key, value);
        } catch (const Exception& error) {
            return error.what();
        }
        return {};
    }
    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(Folder), {}));
    }

    fs::path Folder;
    std::string FileName;
};

// The file-level rules run against the settings file of the build; on Windows, where that is the
// private-profile functions, against the portable engine as well.
#ifdef _WIN32
using TEngines = testing::Types<TIniFile, TPortableIniFile>;
#else
using TEngines = testing::Types<TIniFile>;
#endif
TYPED_TEST_SUITE(IniFileTest, TEngines);

TYPED_TEST(IniFileTest, NewFileHoldsTheKeysInTheOrderWritten) {
    {
        TypeParam ini(this->FileName);
        ini.WriteString("Setup", "LastFolder", "C:\\GAMES\\DUKE3D");
        ini.WriteString("Setup", "GroupPath", "");
        ini.WriteString("Setup", "GroupFile", "");
        EXPECT_EQ(ini.ReadString("Setup", "LastFolder", "x"), "C:\\GAMES\\DUKE3D");
        EXPECT_EQ(ini.ReadString("Setup", "GroupPath", "x"), ""); // an empty value is no default
    }
    EXPECT_EQ(this->Stored(),
              "[Setup]\r\nLastFolder=C:\\GAMES\\DUKE3D\r\nGroupPath=\r\nGroupFile=\r\n");
    EXPECT_EQ(this->FilesInFolder(), 1u); // nothing left beside it
}

TYPED_TEST(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    TypeParam ini(this->FileName);
    EXPECT_EQ(ini.ReadString("Setup", "LastFolder", "none"), "none");
    EXPECT_FALSE(fs::exists(this->FileName)); // reading creates nothing
    this->Store("[Other]\r\nLastFolder=C:\\A\r\n");
    EXPECT_EQ(ini.ReadString("Setup", "LastFolder", "none"), "none");
    this->Store("[Setup]\r\nGroupPath=C:\\A\r\nLastFolderX=C:\\B\r\nLastFolder\r\n[Other]\r\n"
                "LastFolder=C:\\C\r\n");
    EXPECT_EQ(ini.ReadString("Setup", "LastFolder", "none"), "none");
    // The default passes the same buffer: trailing spaces dropped, cut at 2047.
    EXPECT_EQ(ini.ReadString("Setup", "LastFolder", " a b  "), " a b");
    EXPECT_EQ(ini.ReadString("Setup", "LastFolder", std::string(3000, 'd')).size(), 2047u);
}

TYPED_TEST(IniFileTest, WriteReplacesInPlaceAndKeepsTheOtherSectionsAndKeys) {
    const std::string before = "; settings\r\nTop=1\r\n[Other]\r\nLastFolder=C:\\OTHER\r\n";
    const std::string after = "[Last]\r\nKey=1\r\n";
    this->Store(before + "[SETUP]\r\nGroupPath=C:\\G\\\r\n\tlastFolder = C:\\OLD \r\n; note\r\n" +
                after);
    TypeParam(this->FileName).WriteString("Setup", "LastFolder", "D:\\NEW");
    EXPECT_EQ(this->Stored(),
              before + "[SETUP]\r\nGroupPath=C:\\G\\\r\nlastFolder=D:\\NEW\r\n; note\r\n" + after);
}

TYPED_TEST(IniFileTest, MissingKeyGoesAtTheEndOfItsSection) {
    this->Store("[Setup]\r\nLastFolder=C:\\A\r\n[Other]\r\nKey=1\r\n");
    TypeParam ini(this->FileName);
    ini.WriteString("Setup", "GroupPath", "C:\\B\\");
    ini.WriteString("Other", "GroupFile", "X.GRP");
    EXPECT_EQ(this->Stored(), "[Setup]\r\nLastFolder=C:\\A\r\nGroupPath=C:\\B\\\r\n"
                              "[Other]\r\nKey=1\r\nGroupFile=X.GRP\r\n");
    this->Store("[Setup]\r\n[Other]\r\n");
    ini.WriteString("Setup", "GroupPath", "");
    EXPECT_EQ(this->Stored(), "[Setup]\r\nGroupPath=\r\n[Other]\r\n");
}

TYPED_TEST(IniFileTest, LineNamingTheKeyWithoutEqualsIsThatKey) {
    this->Store("[Setup]\r\n GroupPath \r\nGroupFile=X.GRP\r\n");
    TypeParam ini(this->FileName);
    EXPECT_EQ(ini.ReadString("Setup", "GroupPath", "none"), "none");
    ini.WriteString("Setup", "GroupPath", "");
    EXPECT_EQ(this->Stored(), "[Setup]\r\nGroupPath=\r\nGroupFile=X.GRP\r\n");
    EXPECT_EQ(ini.ReadString("Setup", "GroupPath", "none"), "");
}

TYPED_TEST(IniFileTest, MissingSectionIsAppendedAtTheEnd) {
    TypeParam ini(this->FileName);
    this->Store("[Other]\r\nKey=1\r\n");
    ini.WriteString("Setup", "LastFolder", "C:\\A");
    EXPECT_EQ(this->Stored(), "[Other]\r\nKey=1\r\n[Setup]\r\nLastFolder=C:\\A\r\n");
    this->Store("[Other]\r\nKey=1"); // a last line without its end
    ini.WriteString("Setup", "LastFolder", "C:\\A");
    EXPECT_EQ(this->Stored(), "[Other]\r\nKey=1\r\n[Setup]\r\nLastFolder=C:\\A\r\n");
    this->Store("");
    ini.WriteString("Setup", "LastFolder", "C:\\A");
    EXPECT_EQ(this->Stored(), "[Setup]\r\nLastFolder=C:\\A\r\n");
}

TYPED_TEST(IniFileTest, NamesMatchWithoutRegardToAsciiCase) {
    this->Store("[setup]\r\nlastfolder=C:\\A\r\n");
    TypeParam ini(this->FileName);
    EXPECT_EQ(ini.ReadString("Setup", "LastFolder", ""), "C:\\A");
    EXPECT_EQ(ini.ReadString("SETUP", "LASTFOLDER", ""), "C:\\A");
    ini.WriteString("Setup", "LastFolder", "C:\\B");
    EXPECT_EQ(this->Stored(), "[setup]\r\nlastfolder=C:\\B\r\n");
    // Only a to z fold: bytes above 127 are compared as they are.
    this->Store("[Setup]\r\n\xe9t\xe9=1\r\n");
    EXPECT_EQ(ini.ReadString("Setup", "\xc9T\xc9", "none"), "none");
    EXPECT_EQ(ini.ReadString("Setup", "\xe9T\xe9", "none"), "1");
}

TYPED_TEST(IniFileTest, BlanksAroundNamesAndValuesAreTrimmed) {
    this->Store("  [ Setup ]  \r\n \t LastFolder \t=  C:\\My Games  \t\r\nGroupPath=   \r\n");
    TypeParam ini(this->FileName);
    EXPECT_EQ(ini.ReadString("Setup", "LastFolder", ""), "C:\\My Games");
    EXPECT_EQ(ini.ReadString(" Setup", "LastFolder ", ""), "C:\\My Games");
    EXPECT_EQ(ini.ReadString("Setup", "GroupPath", "none"), "");
}

TYPED_TEST(IniFileTest, ValueIsCutTo2047CharactersOnRead) {
    TypeParam ini(this->FileName);
    for (std::size_t length : {2046u, 2047u, 2048u, 5000u}) {
        const std::string value(length, 'v');
        ini.WriteString("Setup", "LastFolder", value);
        EXPECT_EQ(this->Stored(), "[Setup]\r\nLastFolder=" + value + "\r\n"); // stored whole
        EXPECT_EQ(ini.ReadString("Setup", "LastFolder", ""), value.substr(0, 2047));
    }
}

TYPED_TEST(IniFileTest, LfLinesAreReadAndRewrittenWithCrLf) {
    this->Store("[Setup]\nLastFolder=C:\\A\nGroupPath=C:\\B\\\n[Other]\nKey=1\n");
    TypeParam ini(this->FileName);
    EXPECT_EQ(ini.ReadString("Setup", "LastFolder", ""), "C:\\A");
    EXPECT_EQ(ini.ReadString("Setup", "GroupPath", ""), "C:\\B\\");
    EXPECT_EQ(ini.ReadString("Other", "Key", ""), "1");
    ini.WriteString("Setup", "GroupFile", "");
    EXPECT_EQ(this->Stored(), "[Setup]\r\nLastFolder=C:\\A\r\nGroupPath=C:\\B\\\r\nGroupFile=\r\n"
                              "[Other]\r\nKey=1\r\n");
}

TYPED_TEST(IniFileTest, ValuesAreWrittenAsTheyAre) {
    TypeParam ini(this->FileName);
    ini.WriteString("Setup", "LastFolder", "a=b;c\\\"d\"");
    ini.WriteString("Setup", "GroupFile", "\"X.GRP\"");
    EXPECT_EQ(this->Stored(), "[Setup]\r\nLastFolder=a=b;c\\\"d\"\r\nGroupFile=\"X.GRP\"\r\n");
    EXPECT_EQ(ini.ReadString("Setup", "LastFolder", ""), "a=b;c\\\"d\"");
    // A pair of enclosing quotes is dropped on read, as the private-profile functions do.
    EXPECT_EQ(ini.ReadString("Setup", "GroupFile", ""), "X.GRP");
    this->Store("[Setup]\r\nA='x'\r\nB=\"\r\nC='x\"\r\n");
    EXPECT_EQ(ini.ReadString("Setup", "A", ""), "x");
    EXPECT_EQ(ini.ReadString("Setup", "B", ""), "\"");
    EXPECT_EQ(ini.ReadString("Setup", "C", ""), "'x\"");
}

TYPED_TEST(IniFileTest, FirstMatchingSectionAndKeyCount) {
    this->Store("[Setup]\r\nKey=1\r\nkey=2\r\n[Setup]\r\nKey=3\r\nOther=4\r\n");
    TypeParam ini(this->FileName);
    EXPECT_EQ(ini.ReadString("Setup", "Key", ""), "1");
    EXPECT_EQ(ini.ReadString("Setup", "Other", "none"), "none");
    ini.WriteString("Setup", "KEY", "5");
    ini.WriteString("Setup", "Other", "6");
    EXPECT_EQ(this->Stored(),
              "[Setup]\r\nKey=5\r\nkey=2\r\nOther=6\r\n[Setup]\r\nKey=3\r\nOther=4\r\n");
}

TYPED_TEST(IniFileTest, LineBreakThatWouldSplitItsLineIsRefused) {
    const std::string old = "[Setup]\r\nLastFolder=C:\\A\r\n";
    this->Store(old);
    const std::string refused = "Unable to write to " + this->FileName;
    EXPECT_EQ(this->WriteError("LastFolder", "C:\\B\r\n[Other]"), refused);
    EXPECT_EQ(this->WriteError("LastFolder", "C:\\B\nC"), refused);
    EXPECT_EQ(this->WriteError("Last\rFolder", "C:\\B"), refused);
    EXPECT_THROW(TypeParam(this->FileName).WriteString("Set\nup", "LastFolder", "C:\\B"),
                 Exception);
    EXPECT_EQ(this->Stored(), old);
}

TYPED_TEST(IniFileTest, WriteIntoAMissingFolderOrOntoAFolderIsRefused) {
    const fs::path missing = this->Folder / "missing";
    this->FileName = (missing / "Morvik.ini").string();
    EXPECT_EQ(this->WriteError("LastFolder", "C:\\A"), "Unable to write to " + this->FileName);
    EXPECT_EQ(TypeParam(this->FileName).ReadString("Setup", "LastFolder", "none"), "none");
    EXPECT_FALSE(fs::exists(missing));

    this->FileName = (this->Folder / "Morvik.ini").string();
    fs::create_directory(this->FileName);
    EXPECT_EQ(this->WriteError("LastFolder", "C:\\A"), "Unable to write to " + this->FileName);
    EXPECT_TRUE(fs::is_directory(this->FileName));
    EXPECT_EQ(this->FilesInFolder(), 1u);
}

TYPED_TEST(IniFileTest, WriteIntoAFolderWithoutWriteAccessIsRefused) {
    fs::permissions(this->Folder,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    if (std::ofstream(this->Folder / "probe")) {
        fs::remove(this->Folder / "probe");
        GTEST_SKIP() << "the folder stays writable for this user";
    }
    EXPECT_EQ(this->WriteError("LastFolder", "C:\\A"), "Unable to write to " + this->FileName);
    EXPECT_EQ(this->FilesInFolder(), 0u);
}

TYPED_TEST(IniFileTest, NameWithoutAFolderIsInTheCurrentFolder) {
    const fs::path current = fs::current_path();
    fs::current_path(this->Folder);
    {
        TypeParam ini("Morvik.ini");
        ini.WriteString("Setup", "LastFolder", "C:\\A");
        EXPECT_EQ(ini.ReadString("Setup", "LastFolder", ""), "C:\\A");
    }
    fs::current_path(current);
    EXPECT_EQ(this->Stored(), "[Setup]\r\nLastFolder=C:\\A\r\n");
}

// How the portable engine writes back the rest of a file, and how it fails; the private-profile
// functions do both in their own way.
using PortableIniFileTest = IniFileTest<TPortableIniFile>;

TEST_F(PortableIniFileTest, WriteKeepsEveryOtherLineExactly) {
    const std::string before =
        "; settings\r\n\r\nTop=1\r\n[Other] ; old\r\n  LastFolder = C:\\OTHER  \r\n\r\n";
    const std::string after = "\r\n[Last]\r\n  Key = spaced  \r\njunk\r\n";
    Store(before + "[SETUP]\r\nGroupPath=C:\\G\\\r\n\tlastFolder = C:\\OLD \r\n; note\r\n" + after);
    TPortableIniFile(FileName).WriteString("Setup", "LastFolder", " D:\\NEW ");
    EXPECT_EQ(Stored(), before +
                            "[SETUP]\r\nGroupPath=C:\\G\\\r\nlastFolder= D:\\NEW \r\n; note\r\n" +
                            after);
}

TEST_F(PortableIniFileTest, MissingKeyGoesAfterTheLastLineOfItsSectionThatIsNotBlank) {
    Store("[Setup]\r\nLastFolder=C:\\A\r\n\r\n\r\n[Other]\r\nKey=1\r\n");
    TPortableIniFile ini(FileName);
    ini.WriteString("Setup", "GroupPath", "C:\\B\\");
    ini.WriteString("Other", "GroupFile", "X.GRP");
    EXPECT_EQ(Stored(), "[Setup]\r\nLastFolder=C:\\A\r\nGroupPath=C:\\B\\\r\n\r\n\r\n"
                        "[Other]\r\nKey=1\r\nGroupFile=X.GRP\r\n");
    Store("[Setup]\r\n\r\n[Other]\r\n");
    ini.WriteString("Setup", "GroupPath", "");
    EXPECT_EQ(Stored(), "[Setup]\r\nGroupPath=\r\n\r\n[Other]\r\n");
    Store("[Other]\nKey=1\n\n"); // a missing section goes after the blank lines
    ini.WriteString("Setup", "LastFolder", "C:\\A");
    EXPECT_EQ(Stored(), "[Other]\r\nKey=1\r\n\r\n[Setup]\r\nLastFolder=C:\\A\r\n");
}

TEST_F(PortableIniFileTest, NewNamesAreWrittenWithoutTheirBlanks) {
    TPortableIniFile ini(FileName);
    ini.WriteString(" Setup ", "\tLastFolder ", "C:\\A");
    ini.WriteString("Setup", " GroupPath", "");
    EXPECT_EQ(Stored(), "[Setup]\r\nLastFolder=C:\\A\r\nGroupPath=\r\n");
}

TEST_F(PortableIniFileTest, RefusedWriteRaisesAndKeepsTheFile) {
    const std::string old = "[Setup]\nLastFolder=C:\\OLD\n";
    using F = TFailingFileServices;
    for (F::TFailure failure : {F::Create, F::Write, F::Flush, F::Close, F::Rename}) {
        SCOPED_TRACE(failure);
        Store(old);
        F services(failure);
        SetFileServices(&services);
        EXPECT_EQ(WriteError("LastFolder", "C:\\NEW"), "Unable to write to " + FileName);
        EXPECT_EQ(WriteError("GroupPath", ""), "Unable to write to " + FileName);
        SetFileServices(nullptr);
        EXPECT_EQ(Stored(), old);
        EXPECT_EQ(FilesInFolder(), 1u);
    }
}

TEST_F(PortableIniFileTest, UnchangedValueWritesNothing) {
    const std::string old = "[Setup]\nLastFolder =  C:\\A \n";
    Store(old);
    TFailingFileServices services(TFailingFileServices::Create);
    SetFileServices(&services);
    EXPECT_EQ(WriteError("lastfolder", "C:\\A"), "");
    EXPECT_EQ(WriteError("LastFolder", " C:\\A"), "Unable to write to " + FileName);
    EXPECT_EQ(Stored(), old);
}

TEST_F(PortableIniFileTest, FileThatCannotBeReadIsNeverOverwritten) {
    const std::string old = "[Setup]\r\nLastFolder=C:\\A\r\n[Other]\r\nKey=1\r\n";
    Store(old);
    TFailingFileServices services(TFailingFileServices::Open);
    SetFileServices(&services);
    EXPECT_EQ(TPortableIniFile(FileName).ReadString("Setup", "LastFolder", "none"), "none");
    EXPECT_EQ(WriteError("LastFolder", "C:\\B"), "Unable to write to " + FileName);
    EXPECT_EQ(Stored(), old);
}

} // namespace
