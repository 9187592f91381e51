// morvik-cli, run in-process on real temporary folders.
#include "cli/Morvikcli.h"

#include "archive/Crc32.h"
#include "archive/Failingfiles.h"
#include "archive/Grpformat.h"
#include "archive/Testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>

namespace {

using TEntries = std::vector<std::pair<std::string, TBytes>>;

const TEntries ExampleEntries = {{"GAME.CON", BytesOf("ABCDE")}, {"E1L1.MAP", BytesOf("xyz")}};

struct TRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

TRun Invoke(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    TRun run;
    run.Status = RunMorvikCli(args, in, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

class Cli : public ::testing::Test {
protected:
    TTempFolder Folder;

    std::string Group(const std::string& name, const TEntries& entries) {
        WriteBytes(Folder / name, BuildGrpImage(entries));
        return Folder / name;
    }
    std::string Sub(const std::string& folder, const std::string& name) {
        return Folder / folder + PathDelim + name;
    }
};

TEST_F(Cli, HelpVersionAndUsageErrors) {
    const TRun version = Invoke({"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, "morvik-cli 2.0\n");

    const TRun help = Invoke({"--help"});
    EXPECT_EQ(help.Status, 0);
    for (const char* text :
         {"list", "extract", "create", "--names", "--from", "--force", "Exit status",
          "2  usage error", "3  a bad", "4  a read", "add [--replace]", "delete GROUP",
          "rename GROUP OLD NEW", "check GROUP", "1  check", "grpinfo GROUP --name TEXT",
          "identify GROUP DIR", "cat GROUP NAME...", "A modder's build script"}) {
        EXPECT_NE(help.Out.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(Invoke({"extract", "--help"}).Status, 0);

    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"frobnicate"},
                                               {"list"},
                                               {"list", "--bogus", "A.GRP"},
                                               {"extract"},
                                               {"extract", "A.GRP", "-d"},
                                               {"extract", "A.GRP", "-d", ""},
                                               {"create", "A.GRP", "--directory=", "X"},
                                               {"list", "--force", "A.GRP"},
                                               {"extract", "--names", "A.GRP"},
                                               {"create", "A.GRP"},
                                               {"create", "A.GRP", "X", "--from", "L"},
                                               {"add", "A.GRP"},
                                               {"add", "--force", "A.GRP", "X"},
                                               {"delete", "A.GRP"},
                                               {"rename", "A.GRP", "X"},
                                               {"rename", "A.GRP", "X", "Y", "Z"},
                                               {"extract", "--replace", "A.GRP"},
                                               {"check"},
                                               {"cat", "A.GRP"},
                                               {"cat", "-d", "X", "A.GRP", "N"},
                                               {"check", "A.GRP", "B.GRP"}}) {
        const TRun run = Invoke(args);
        EXPECT_EQ(run.Status, ExitUsage) << (args.empty() ? "" : args[0]);
        EXPECT_TRUE(run.Out.empty());
        EXPECT_NE(run.Err.find("morvik-cli: "), std::string::npos);
        EXPECT_NE(run.Err.find("--help"), std::string::npos);
    }
}

TEST_F(Cli, ListShowsTheFileSizeCrcAndEveryEntry) {
    const std::string group = Group("MyGroup.grp", ExampleEntries);
    const TBytes image = ReadBytes(group);
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08X", Crc32(0, image.data(), image.size()));

    const TRun run = Invoke({"list", group});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, group + ": 56 bytes, CRC-32 " + crc + ", 2 entries\n" +
                           "GAME.CON              5\n"
                           "E1L1.MAP              3\n");
    EXPECT_TRUE(run.Err.empty());
}

TEST_F(Cli, ListNamesGivesBareNamesInDirectoryOrder) {
    const std::string group =
        Group("G.GRP", {{"Z.TXT", BytesOf("z")}, {"A.TXT", {}}, {"ABCDEFGH.IJK", BytesOf("1")}});
    const TRun run = Invoke({"list", "--names", group});
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "Z.TXT\nA.TXT\nABCDEFGH.IJK\n");
}

TEST_F(Cli, BadGroupFilesExitWithThreeAndAMessageNamingTheFile) {
    WriteBytes(Folder / "BAD.GRP", BytesOf(std::string("kensilverman\0\0\0\0", 16)));
    for (const char* command : {"list", "extract"}) {
        const TRun run = Invoke({command, Folder / "BAD.GRP"});
        EXPECT_EQ(run.Status, ExitBadData);
        EXPECT_EQ(run.Err,
                  "morvik-cli: " + (Folder / "BAD.GRP") + ": not a group file (unknown magic)\n");
    }
    const TRun missing = Invoke({"list", Folder / "MISSING.GRP"});
    EXPECT_EQ(missing.Status, ExitIo);
    EXPECT_NE(missing.Err.find("MISSING.GRP: cannot open: "), std::string::npos);
    EXPECT_EQ(Folder.Names(), std::vector<std::string>{"BAD.GRP"});
}

TEST_F(Cli, ExtractDefaultsToTheNameBeforeGrpPlusExtractBesideTheGroupFile) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"MyGroup.grp", "MyGroup_Extract"},
        {"duke3d.Grp.bak", "duke3d_Extract"},
        {"a.grp.grp", "a_Extract"},
        {"data.bin", "data.bin_Extract"},
        {".grp", "_Extract"}};
    for (const auto& [name, folder] : cases) {
        const TRun run = Invoke({"extract", Group(name, ExampleEntries)});
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(ReadBytes(Sub(folder, "GAME.CON")), BytesOf("ABCDE")) << name;
        EXPECT_EQ(ReadBytes(Sub(folder, "E1L1.MAP")), BytesOf("xyz")) << name;
    }
}

TEST_F(Cli, ExtractOnlyTheNamedEntriesIntoTheFolderGiven) {
    const std::string group = Group("G.GRP", ExampleEntries);
    const TRun run = Invoke({"extract", group, "E1L1.MAP", "-d", Folder / "out"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(TTempFolder::NamesIn(Folder / "out"), std::vector<std::string>{"E1L1.MAP"});

    const TRun unknown =
        Invoke({"extract", group, "GAME.CON", "game.con", "--directory=" + Folder / "x"});
    EXPECT_EQ(unknown.Status, ExitUsage);
    EXPECT_NE(unknown.Err.find("no entry named \"game.con\""), std::string::npos);
    EXPECT_FALSE(PathExists(Folder / "x"));
}

TEST_F(Cli, ExtractIntoTheGroupFilesOwnFolderLeavesTheGroupFileWhole) {
    const std::vector<std::pair<std::string, TBytes>> entries = {{"SELF.GRP", BytesOf("1234")},
                                                                 {"AFTER.TXT", BytesOf("after")}};
    const std::string group = Group("SELF.GRP", entries);
    const TRun run = Invoke({"extract", group, "-d", Folder.Path()});
    EXPECT_EQ(run.Status, ExitIo);
    EXPECT_NE(run.Err.find("is the group file being extracted; nothing was extracted"),
              std::string::npos)
        << run.Err;
    EXPECT_EQ(ReadBytes(group), BuildGrpImage(entries));
    EXPECT_EQ(Folder.Names(), std::vector<std::string>{"SELF.GRP"});
}

TEST_F(Cli, PatternsChooseEntriesInEitherCaseAndExactNamesByteForByte) {
    const std::string group = Group("G.GRP", {{"GAME.CON", BytesOf("c")},
                                              {"E1L1.MAP", BytesOf("m1")},
                                              {"e1l2.map", BytesOf("m2")},
                                              {"LOGO.ANM", BytesOf("a")}});
    const TRun extract = Invoke({"extract", group, "*.MAP", "GAME.CON", "-d", Folder / "out"});
    EXPECT_EQ(extract.Status, 0) << extract.Err;
    EXPECT_EQ(TTempFolder::NamesIn(Folder / "out"),
              (std::vector<std::string>{"E1L1.MAP", "GAME.CON", "e1l2.map"}));

    const TRun list = Invoke({"list", "--names", group, "E?L*", "LOGO.ANM"});
    EXPECT_EQ(list.Status, 0) << list.Err;
    EXPECT_EQ(list.Out, "E1L1.MAP\ne1l2.map\nLOGO.ANM\n");
    const TRun sizes = Invoke({"list", group, "*.anm"});
    EXPECT_EQ(sizes.Status, 0) << sizes.Err;
    EXPECT_NE(sizes.Out.find(", 4 entries\nLOGO.ANM              1\n"), std::string::npos)
        << sizes.Out;
}

TEST_F(Cli, ANameOrPatternThatChoosesNothingIsAnErrorAndNothingIsDone) {
    const std::string group = Group("G.GRP", ExampleEntries);
    const TRun run =
        Invoke({"extract", group, "GAME.CON", "*.VOC", "game.con", "-d", Folder / "out"});
    EXPECT_EQ(run.Status, ExitUsage);
    EXPECT_EQ(run.Err, "morvik-cli: " + group +
                           ": no entry matches \"*.VOC\"; nothing was extracted\n"
                           "morvik-cli: " +
                           group + ": no entry named \"game.con\"; nothing was extracted\n");
    EXPECT_FALSE(PathExists(Folder / "out"));

    const TRun list = Invoke({"list", group, "*.VOC"});
    EXPECT_EQ(list.Status, ExitUsage);
    EXPECT_TRUE(list.Out.empty());
    EXPECT_NE(list.Err.find("no entry matches \"*.VOC\"; nothing was listed"), std::string::npos);
}

TEST_F(Cli, HostileEntryNamesWriteNothingAnywhere) {
    for (const std::string& name : std::vector<std::string>{
             "../EVIL", "..\\EVIL", "/tmp/EVIL", "..", "C:EVIL", "C:\\EVIL", "CON", "nul.txt",
             "LPT1.DAT", "EVIL.", "EVIL ", "A:B", std::string("A\x01", 2), ""}) {
        TTempFolder root;
        WriteBytes(root / "H.GRP",
                   BuildGrpImage({{"GOOD.TXT", BytesOf("good")}, {name, BytesOf("evil")}}));
        const TRun run = Invoke({"extract", root / "H.GRP"});
        EXPECT_EQ(run.Status, ExitBadData) << PrintableName(name);
        EXPECT_NE(run.Err.find(name.empty() ? "empty name" : "\"" + PrintableName(name) + "\""),
                  std::string::npos)
            << run.Err;
        EXPECT_NE(run.Err.find("nothing was extracted"), std::string::npos);
        EXPECT_EQ(root.Names(), std::vector<std::string>{"H.GRP"}) << PrintableName(name);
    }
}

TEST_F(Cli, CountsAndSizesBeyondTheFileWriteNothing) {
    TBytes count = BuildGrpImage(ExampleEntries);
    count[12] = 0xFF;
    TBytes size = BuildGrpImage(ExampleEntries);
    size[44] = 0x04; // E1L1.MAP claims 4 bytes, the file holds 3
    for (const TBytes& image : {count, size}) {
        WriteBytes(Folder / "H.GRP", image);
        const TRun run = Invoke({"extract", Folder / "H.GRP"});
        EXPECT_EQ(run.Status, ExitBadData);
        EXPECT_NE(run.Err.find("H.GRP: "), std::string::npos);
        EXPECT_EQ(Folder.Names(), std::vector<std::string>{"H.GRP"});
    }
}

// An output that remembers the largest piece written to it at once.
class TPieceCountingBuffer : public std::stringbuf {
public:
    std::streamsize Largest = 0;

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        Largest = std::max(Largest, n);
        return std::stringbuf::xsputn(s, n);
    }
};

TEST_F(Cli, CatWritesTheEntriesInTheOrderNamedAndAPatternsMatchesInDirectoryOrder) {
    const std::string group = Group("G.GRP", {{"A.MAP", BytesOf("a")},
                                              {"GAME.CON", BytesOf("con")},
                                              {"B.MAP", BytesOf("bb")},
                                              {"EMPTY.MAP", {}},
                                              {"a.map", BytesOf("lower")}});
    const TRun run = Invoke({"cat", group, "GAME.CON", "*.map", "A.MAP"});
    EXPECT_EQ(run.Status, ExitOk) << run.Err;
    EXPECT_EQ(run.Out, "con"
                       "a"
                       "bb"
                       "lower"
                       "a");
    EXPECT_TRUE(run.Err.empty());
}

TEST_F(Cli, CatOfEveryEntryIsTheDataAreaByteForByte) {
    TBytes binary = BytesOf(std::string("\r\n\x1A\0\xFF\r\r\n\n\x1A", 10));
    const TBytes large = Filler(300000, 7); // several times the copy's buffer
    const std::string group = Group(
        "BIN.GRP",
        {{"BIN.DAT", binary}, {"NONE", {}}, {"LARGE.DAT", large}, {"BIN.DAT", BytesOf("again")}});
    const TBytes image = ReadBytes(group);
    const std::string dataArea(image.begin() + 16 + 16 * 4, image.end());

    TPieceCountingBuffer buffer;
    std::ostream out(&buffer);
    std::istringstream in;
    std::ostringstream err;
    EXPECT_EQ(RunMorvikCli({"cat", group, "*"}, in, out, err), ExitOk) << err.str();
    EXPECT_EQ(buffer.str(), dataArea);
    // Streamed through a bounded buffer, never the whole entry at once.
    EXPECT_LE(buffer.Largest, 1 << 16);

    // A name chooses every entry of that name.
    EXPECT_EQ(Invoke({"cat", group, "BIN.DAT"}).Out,
              std::string(binary.begin(), binary.end()) + "again");
}

TEST_F(Cli, CatWritesNothingWhenANameMatchesNothingOrTheGroupFileIsBad) {
    const std::string group = Group("G.GRP", ExampleEntries);
    const TRun unmatched = Invoke({"cat", group, "GAME.CON", "*.VOC", "e1l1.MAP"});
    EXPECT_EQ(unmatched.Status, ExitUsage);
    EXPECT_TRUE(unmatched.Out.empty());
    EXPECT_EQ(unmatched.Err, "morvik-cli: " + group +
                                 ": no entry matches \"*.VOC\"; nothing was written\n"
                                 "morvik-cli: " +
                                 group + ": no entry named \"e1l1.MAP\"; nothing was written\n");

    TBytes count = BuildGrpImage(ExampleEntries);
    count[12] = 0xFF; // a directory larger than the file
    TBytes lying = BuildGrpImage(ExampleEntries);
    lying[44] = 0x04; // E1L1.MAP claims 4 bytes, the file holds 3
    TBytes magic = BuildGrpImage(ExampleEntries);
    magic[0] = 'k';
    for (const TBytes& image : {count, lying, magic}) {
        WriteBytes(Folder / "H.GRP", image);
        const TRun run = Invoke({"cat", Folder / "H.GRP", "GAME.CON"});
        EXPECT_EQ(run.Status, ExitBadData);
        EXPECT_TRUE(run.Out.empty());
        EXPECT_NE(run.Err.find("H.GRP: "), std::string::npos);
    }

    const TRun missing = Invoke({"cat", Folder / "NONE.GRP", "GAME.CON"});
    EXPECT_EQ(missing.Status, ExitIo);
    EXPECT_TRUE(missing.Out.empty());
}

TEST_F(Cli, CatOfAGroupFileThatShrinksWhileReadStopsWithFour) {
    const std::string group = Group("G.GRP", {{"BIG.DAT", Filler(200000, 3)}});
    TFailingFileServices files;
    // The second opening is cat's own, after the directory was checked: the file shrinks
    // before its first read of entry data.
    int opens = 0;
    files.BeforeOpen = [&](const std::string&) { ++opens; };
    files.BeforeRead = [&](const std::string& path) {
        if (path == group && opens == 2 && std::filesystem::file_size(group) > 1000) {
            std::filesystem::resize_file(group, 1000);
        }
    };
    const TRun run = Invoke({"cat", group, "BIG.DAT"});
    EXPECT_EQ(run.Status, ExitIo);
    EXPECT_NE(run.Err.find("became shorter while being read"), std::string::npos) << run.Err;
    EXPECT_LT(run.Out.size(), 200000u);
}

TEST_F(Cli, ExtractThenCreateFromTheNameListReproducesTheFileByteForByte) {
    const std::string group = Group("ORIG.GRP", {{"b.dat", Filler(3000, 1)},
                                                 {"EMPTY", {}},
                                                 {"ABCDEFGH.IJK", Filler(17, 2)},
                                                 {"a.DAT", Filler(1, 3)}});
    const TRun names = Invoke({"list", "--names", group});
    ASSERT_EQ(names.Status, 0);
    WriteBytes(Folder / "order.txt", BytesOf(names.Out));
    ASSERT_EQ(Invoke({"extract", group, "-d", Folder / "files"}).Status, 0);

    const TRun fromFile = Invoke(
        {"create", Folder / "COPY.GRP", "--from", Folder / "order.txt", "-d", Folder / "files"});
    EXPECT_EQ(fromFile.Status, 0) << fromFile.Err;
    EXPECT_EQ(ReadBytes(Folder / "COPY.GRP"), ReadBytes(group));

    // The same from standard input, with the line ends of Windows.
    std::string crlf;
    for (const char c : names.Out) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    const TRun fromInput =
        Invoke({"create", "-d", Folder / "files", Folder / "COPY2.GRP", "--from", "-"}, crlf);
    EXPECT_EQ(fromInput.Status, 0) << fromInput.Err;
    EXPECT_EQ(ReadBytes(Folder / "COPY2.GRP"), ReadBytes(group));
}

TEST_F(Cli, CreatePacksTheFilesInTheOrderGivenNamedAsOnDisk) {
    WriteBytes(Folder / "GAME.CON", BytesOf("ABCDE"));
    WriteBytes(Folder / "E1L1.MAP", BytesOf("xyz"));
    const TRun run =
        Invoke({"create", Folder / "MyGroup.grp", Folder / "GAME.CON", Folder / "E1L1.MAP"});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(run.Out.empty());
    EXPECT_EQ(ReadBytes(Folder / "MyGroup.grp"), BuildGrpImage(ExampleEntries));

    const TRun empty = Invoke({"create", Folder / "EMPTY.GRP", "--from", "-"}, "");
    EXPECT_EQ(empty.Status, 0) << empty.Err;
    EXPECT_EQ(ReadBytes(Folder / "EMPTY.GRP"), BuildGrpImage({}));
}

TEST_F(Cli, CreateReplacesAnExistingGroupFileOnlyWithForce) {
    WriteBytes(Folder / "A", BytesOf("a"));
    const TBytes old = BytesOf("not touched");
    WriteBytes(Folder / "G.GRP", old);
    const TRun refused = Invoke({"create", Folder / "G.GRP", Folder / "A"});
    EXPECT_EQ(refused.Status, ExitUsage);
    EXPECT_NE(refused.Err.find("G.GRP: already exists"), std::string::npos);
    EXPECT_EQ(ReadBytes(Folder / "G.GRP"), old);

    const TRun forced = Invoke({"create", "--force", Folder / "G.GRP", Folder / "A"});
    EXPECT_EQ(forced.Status, 0) << forced.Err;
    EXPECT_EQ(ReadBytes(Folder / "G.GRP"), BuildGrpImage({{"A", BytesOf("a")}}));
}

TEST_F(Cli, CreateRefusesALongNameNamingIt) {
    WriteBytes(Folder / "ABCDEFGHI.JKL", BytesOf("x"));
    WriteBytes(Folder / "OK", BytesOf("y"));
    const TRun run = Invoke({"create", Folder / "G.GRP", Folder / "OK", Folder / "ABCDEFGHI.JKL"});
    EXPECT_EQ(run.Status, ExitBadData);
    EXPECT_NE(run.Err.find("ABCDEFGHI.JKL is longer than 12 characters"), std::string::npos);
    EXPECT_FALSE(PathExists(Folder / "G.GRP"));
}

TEST_F(Cli, CreateReportsUnreadableInputWithFour) {
    WriteBytes(Folder / "A", Filler(10000, 4));
    const TRun missing = Invoke({"create", Folder / "G.GRP", Folder / "A", Folder / "MISSING"});
    EXPECT_EQ(missing.Status, ExitIo);
    EXPECT_NE(missing.Err.find("MISSING: cannot open: "), std::string::npos);
    EXPECT_FALSE(PathExists(Folder / "G.GRP"));

    const TRun list = Invoke({"create", Folder / "H.GRP", "--from", Folder / "NO-LIST"});
    EXPECT_EQ(list.Status, ExitIo);
    EXPECT_NE(list.Err.find("NO-LIST: cannot read"), std::string::npos);
}

TEST_F(Cli, ExtractReportsAWriteFailureWithFour) {
    const std::string group = Group("G.GRP", ExampleEntries);
    TFailingFileServices files;
    files.RefuseCreate = "GAME.CON";
    const TRun run = Invoke({"extract", group});
    EXPECT_EQ(run.Status, ExitIo);
    EXPECT_NE(run.Err.find("GAME.CON: cannot create: Permission denied"), std::string::npos);
}

TEST_F(Cli, CheckReportsOneLineEachWithItsOwnExitStatus) {
    const std::string good = Group("GOOD.GRP", ExampleEntries);
    const TRun clean = Invoke({"check", good});
    EXPECT_EQ(clean.Status, ExitOk);
    EXPECT_EQ(clean.Out, good + ": nothing to report\n");

    const std::string bad =
        Group("BAD.GRP", {{"A.TXT", BytesOf("a")}, {"a.txt", BytesOf("b")}, {"NUL", {}}});
    const TRun findings = Invoke({"check", bad});
    EXPECT_EQ(findings.Status, ExitFindings);
    EXPECT_EQ(findings.Out, bad +
                                ": entry 3: entry name \"NUL\" is a Windows device name; it "
                                "cannot be extracted on Windows\n" +
                                bad +
                                ": entry 2 \"a.txt\" differs from entry 1 \"A.TXT\" only in "
                                "letter case; a port that looks names up in either case sees "
                                "only one of them\n");
    EXPECT_TRUE(findings.Err.empty());

    WriteBytes(Folder / "LIE.GRP", BytesOf(std::string("KenSilverman\x05\0\0\0", 16)));
    EXPECT_EQ(Invoke({"check", Folder / "LIE.GRP"}).Status, ExitBadData);
    EXPECT_EQ(Invoke({"check", Folder / "NONE.GRP"}).Status, ExitIo);
}

TEST_F(Cli, GrpinfoDescribesTheGroupFileAndIdentifyFindsItByItsDefinition) {
    const std::string group = Group("MOD.GRP", ExampleEntries);
    const TBytes image = ReadBytes(group);
    char crc[11];
    std::snprintf(crc, sizeof crc, "0x%08X", Crc32(0, image.data(), image.size()));
    const TRun info = Invoke(
        {"grpinfo", group, "--name", "My Mod", "--flags", "0x10", "--dependency", "982afe4a"});
    EXPECT_EQ(info.Status, 0) << info.Err;
    EXPECT_EQ(info.Out, "grpinfo\n{\n    name \"My Mod\"\n    size 56\n    crc " +
                            std::string(crc) + "\n    flags 16\n    dependency 0x982AFE4A\n}\n");

    std::filesystem::create_directory(Folder / "defs");
    WriteBytes(Sub("defs", "mod.grpinfo"), BytesOf(info.Out));
    WriteBytes(Sub("defs", "A-BROKEN.GRPINFO"), BytesOf("grpinfo {\n  name \"x\"\n  size\n}\n"));
    WriteBytes(Sub("defs", "other.grpinfo"), BytesOf("grpinfo { name \"Other\" size 56 crc 0x1 }\n"
                                                     "grpinfo { name \"Same\" size 56 crc " +
                                                     std::string(crc) + " }\n"));
    WriteBytes(Sub("defs", "notes.txt"), BytesOf("grpinfo {"));
    WriteBytes(Sub("defs", "z-huge.grpinfo"), TBytes((1 << 20) + 1, ' '));
    const TRun found = Invoke({"identify", group, Folder / "defs"});
    EXPECT_EQ(found.Status, 0) << found.Err;
    EXPECT_EQ(found.Out, group + ": \"My Mod\" (" + Sub("defs", "mod.grpinfo") + ", line 1)\n" +
                             group + ": \"Same\" (" + Sub("defs", "other.grpinfo") + ", line 2)\n");
    EXPECT_EQ(found.Err, "morvik-cli: " + Sub("defs", "A-BROKEN.GRPINFO") +
                             ": line 4: expected a value; skipped\nmorvik-cli: " +
                             Sub("defs", "z-huge.grpinfo") +
                             ": larger than 1 MiB, too large to be definitions; skipped\n");

    const std::string other = Group("OTHER.GRP", {{"A", BytesOf("a")}});
    const TRun none = Invoke({"identify", other, Folder / "defs"});
    EXPECT_EQ(none.Status, ExitNoMatch);
    EXPECT_NE(none.Out.find(other + ": no definition matches its size 33 and CRC-32 0x"),
              std::string::npos)
        << none.Out;
    EXPECT_EQ(Invoke({"identify", other, Folder / "nowhere"}).Status, ExitIo);
}

TEST_F(Cli, GrpinfoRefusesBadOptionsAndBadGroupFiles) {
    const std::string group = Group("MOD.GRP", ExampleEntries);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"grpinfo", group},
             {"grpinfo", group, "--name", ""},
             {"grpinfo", group, "--name", "A\nB"},
             {"grpinfo", group, "--name", "A", "--flags", "x"},
             {"grpinfo", group, "--name", "A", "--flags", "4294967296"},
             {"grpinfo", group, "--name", "A", "--dependency", "1234567890"},
             {"grpinfo", group, "--name", "A", "--dependency", "0xZZ"},
             {"list", group, "--name", "A"},
             {"identify", group}}) {
        const TRun run = Invoke(args);
        EXPECT_EQ(run.Status, ExitUsage) << args.back();
        EXPECT_TRUE(run.Out.empty());
    }
    WriteBytes(Folder / "BAD.GRP", BytesOf("not a group file"));
    EXPECT_EQ(Invoke({"grpinfo", Folder / "BAD.GRP", "--name", "A"}).Status, ExitBadData);
}

// Edits in place of the group file G.GRP, which holds the example's two entries.
class CliEditing : public Cli {
protected:
    std::string GroupPath;
    TBytes Original;

    void SetUp() override {
        GroupPath = Group("G.GRP", ExampleEntries);
        Original = ReadBytes(GroupPath);
        WriteBytes(Folder / "NEW.TXT", Filler(1000, 1));
    }

    // The group file is as it was, and nothing was left beside it.
    void ExpectUnchanged(const TRun& run, int status, const std::string& reason) {
        EXPECT_EQ(run.Status, status) << run.Err;
        EXPECT_NE(run.Err.find(reason), std::string::npos) << run.Err;
        EXPECT_EQ(ReadBytes(GroupPath), Original);
        EXPECT_EQ(Folder.Names(), (std::vector<std::string>{"G.GRP", "NEW.TXT"}));
    }
};

TEST_F(CliEditing, EditingThenExtractingGivesExactlyTheExpectedFiles) {
    WriteBytes(Folder / "GAME.CON", BytesOf("replaced"));
    EXPECT_EQ(Invoke({"add", GroupPath, Folder / "NEW.TXT"}).Status, 0);
    EXPECT_EQ(Invoke({"add", "--replace", GroupPath, Folder / "GAME.CON"}).Status, 0);
    EXPECT_EQ(Invoke({"rename", GroupPath, "E1L1.MAP", "e1l9.map"}).Status, 0);
    const TRun names = Invoke({"list", "--names", GroupPath});
    EXPECT_EQ(names.Out, "GAME.CON\ne1l9.map\nNEW.TXT\n");

    ASSERT_EQ(Invoke({"extract", GroupPath, "-d", Folder / "out"}).Status, 0);
    EXPECT_EQ(TTempFolder::NamesIn(Folder / "out"),
              (std::vector<std::string>{"GAME.CON", "NEW.TXT", "e1l9.map"}));
    EXPECT_EQ(ReadBytes(Sub("out", "GAME.CON")), BytesOf("replaced"));
    EXPECT_EQ(ReadBytes(Sub("out", "NEW.TXT")), Filler(1000, 1));
    EXPECT_EQ(ReadBytes(Sub("out", "e1l9.map")), BytesOf("xyz"));

    const TRun deleted = Invoke({"delete", GroupPath, "*.txt", "game.con"});
    EXPECT_EQ(deleted.Status, ExitUsage); // game.con is not GAME.CON
    EXPECT_EQ(Invoke({"delete", GroupPath, "*.txt", "GAME.CON"}).Status, 0);
    EXPECT_EQ(ReadBytes(GroupPath), BuildGrpImage({{"e1l9.map", BytesOf("xyz")}}));
}

TEST_F(CliEditing, AddThenDeleteGivesTheOriginalBytesBack) {
    const TRun add = Invoke({"add", GroupPath, Folder / "NEW.TXT"});
    EXPECT_EQ(add.Status, 0) << add.Err;
    EXPECT_TRUE(add.Out.empty());
    const TRun del = Invoke({"delete", GroupPath, "NEW.TXT"});
    EXPECT_EQ(del.Status, 0) << del.Err;
    EXPECT_EQ(ReadBytes(GroupPath), Original);
    EXPECT_EQ(Folder.Names(), (std::vector<std::string>{"G.GRP", "NEW.TXT"}));
}

TEST_F(CliEditing, RefusedEditsChangeNothing) {
    TTempFolder other;
    WriteBytes(other / "GAME.CON", BytesOf("new"));
    ExpectUnchanged(Invoke({"add", GroupPath, other / "GAME.CON"}), ExitUsage,
                    "G.GRP: already has an entry named \"GAME.CON\"; --replace");
    ExpectUnchanged(Invoke({"rename", GroupPath, "GAME.CON", "E1L1.MAP"}), ExitUsage,
                    "already has an entry named \"E1L1.MAP\"; nothing was changed");
    ExpectUnchanged(Invoke({"rename", GroupPath, "game.con", "X"}), ExitUsage,
                    "no entry named \"game.con\"");
    ExpectUnchanged(Invoke({"rename", GroupPath, "GAME.CON", "ABCDEFGHI.JKL"}), ExitBadData,
                    "longer than 12 characters");
    ExpectUnchanged(Invoke({"rename", GroupPath, "GAME.CON", "AUX.CON"}), ExitBadData,
                    "device name");
    ExpectUnchanged(Invoke({"delete", GroupPath, "*.VOC"}), ExitUsage,
                    "no entry matches \"*.VOC\"; nothing was changed");
    ExpectUnchanged(Invoke({"add", GroupPath, Folder / "MISSING"}), ExitIo, "MISSING: cannot open");
}

TEST_F(CliEditing, AHostileGroupFileStopsTheEditBeforeAnythingIsWritten) {
    TBytes lying = Original;
    lying[44] = 0x09; // E1L1.MAP claims more than the file holds
    const TBytes hostile = BuildGrpImage({{"GOOD", BytesOf("g")}, {"../EVIL", BytesOf("e")}});
    for (const TBytes& image : {lying, hostile}) {
        WriteBytes(GroupPath, image);
        Original = image;
        for (const std::vector<std::string>& args :
             std::vector<std::vector<std::string>>{{"add", GroupPath, Folder / "NEW.TXT"},
                                                   {"delete", GroupPath, "*"},
                                                   {"rename", GroupPath, "GOOD", "BETTER"}}) {
            ExpectUnchanged(Invoke(args), ExitBadData, "G.GRP: ");
        }
    }
}

TEST_F(CliEditing, InjectedFailuresLeaveTheOldFileAndNothingBeside) {
    const auto vanish = [](TFailingFileServices& files) {
        // The second open of NEW.TXT is the copy's, after the measuring.
        files.BeforeOpen = [opens = 0](const std::string& path) mutable {
            if (path.ends_with("NEW.TXT") && ++opens == 2) {
                std::filesystem::rename(path, path + ".gone");
            }
        };
    };
    const auto grow = [](TFailingFileServices& files) {
        files.BeforeRead = [](const std::string& path) {
            if (path.ends_with("NEW.TXT")) {
                std::filesystem::resize_file(path, 1001);
            }
        };
    };
    const std::vector<std::pair<std::function<void(TFailingFileServices&)>, std::string>> cases = {
        {vanish, "NEW.TXT: cannot open"},
        {grow, "NEW.TXT: changed its length since it was measured"},
        {[](TFailingFileServices& files) { files.WriteBudget = 500; },
         "G.GRP.new: cannot write: No space left on device"},
        {[](TFailingFileServices& files) { files.FailFlush = true; },
         "cannot write: Input/output error"},
        {[](TFailingFileServices& files) { files.FailRename = true; },
         "G.GRP: cannot replace it with"},
        {[](TFailingFileServices& files) { files.RefuseCreate = "G.GRP.new"; },
         "cannot create: Permission denied"},
    };
    for (const auto& [inject, reason] : cases) {
        WriteBytes(Folder / "NEW.TXT", Filler(1000, 1));
        TFailingFileServices files;
        inject(files);
        const TRun run = Invoke({"add", GroupPath, Folder / "NEW.TXT"});
        if (PathExists(Folder / "NEW.TXT.gone")) {
            std::filesystem::rename(Folder / "NEW.TXT.gone", Folder / "NEW.TXT");
        }
        ExpectUnchanged(run, ExitIo, reason);
        EXPECT_NE(run.Err.find("; " + GroupPath + " was not changed"), std::string::npos);
        EXPECT_EQ(files.OpenFiles, 0) << reason;
    }
}

} // namespace
