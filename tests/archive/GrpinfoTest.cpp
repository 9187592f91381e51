#include "archive/Grpinfo.h"

#include <gtest/gtest.h>

namespace {

TEST(GrpInfo, WrittenDefinitionsReadBack) {
    TGrpInfo info;
    info.Name = "A \"quoted\" \\ name";
    info.Size = 5000000000;
    info.Crc = 0x0BADF00D;
    info.Flags = "16";
    info.Dependency = "0x982AFE4A";
    const std::string text = FormatGrpInfo(info);
    EXPECT_EQ(text, "grpinfo\n{\n"
                    "    name \"A \\\"quoted\\\" \\\\ name\"\n"
                    "    size 5000000000\n"
                    "    crc 0x0BADF00D\n"
                    "    flags 16\n"
                    "    dependency 0x982AFE4A\n"
                    "}\n");
    const auto read = ParseGrpInfo(text + text);
    ASSERT_TRUE(read.Ok()) << read.Reason();
    ASSERT_EQ(read.Value().size(), 2u);
    for (const TGrpInfo& back : read.Value()) {
        EXPECT_EQ(back.Name, info.Name);
        EXPECT_EQ(back.Size, info.Size);
        EXPECT_EQ(back.Crc, info.Crc);
        EXPECT_EQ(back.Flags, info.Flags);
        EXPECT_EQ(back.Dependency, info.Dependency);
    }
    EXPECT_EQ(read.Value()[0].Line, 1);
    EXPECT_EQ(read.Value()[1].Line, 9);
}

TEST(GrpInfo, CommentsFlagNamesAndUnknownKeysAreRead) {
    const auto read =
        ParseGrpInfo("// a mod\r\n"
                     "/* two\n lines */ grpinfo { name \"X\" size 0x10 crc 4294967295\n"
                     "  flags GAMEFLAG_A|GAMEFLAG_B | 4 dependency BASE_CRC\n"
                     "  scriptname \"X.CON\" loaddirectory x // ignored\n"
                     "}\n\n");
    ASSERT_TRUE(read.Ok()) << read.Reason();
    ASSERT_EQ(read.Value().size(), 1u);
    const TGrpInfo& info = read.Value()[0];
    EXPECT_EQ(info.Line, 3);
    EXPECT_EQ(info.Size, 16u);
    EXPECT_EQ(info.Crc, 0xFFFFFFFFu);
    EXPECT_EQ(info.Flags, "GAMEFLAG_A|GAMEFLAG_B|4");
    EXPECT_EQ(info.Dependency, "BASE_CRC");
    EXPECT_TRUE(ParseGrpInfo("").Ok());
    EXPECT_TRUE(ParseGrpInfo(" // nothing\n").Value().empty());
}

TEST(GrpInfo, AFaultIsReportedWithItsLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"grpinfo {\n name \"X\" size 1 crc 2 }\ngrpinf { }", "line 3: expected \"grpinfo\""},
        {"\n\ngrpinfo\n name", "line 4: expected \"{\" after \"grpinfo\""},
        {"grpinfo {\n name \"X\n\" size 1 crc 2 }", "line 2: the quoted text does not end"},
        {"grpinfo {\n name \"X\" size 1\n crc 2 ", "line 3: the definition of line 1 does not end"},
        {"grpinfo { name \"X\"\n size \"1\" crc 2 }", "line 2: the size is not a number"},
        {"grpinfo { name \"X\"\n size A|B crc 2 }", "line 2: the size is not a number"},
        {"grpinfo { name \"X\"\n size 18446744073709551616 crc 2 }",
         "line 2: the size is not a number"},
        {"grpinfo { name \"X\" size 1\n crc 0x100000000 }", "line 2: the crc is not a 32-bit"},
        {"grpinfo { name \"X\" size 1\n crc 12abc }", "line 2: the crc is not a 32-bit"},
        {"\ngrpinfo { name \"X\" crc 2 }", "line 2: the definition has no size"},
        {"grpinfo { size 1 crc 2 }", "line 1: the definition has no name"},
        {"grpinfo { name \"X\" size 1 }", "line 1: the definition has no crc"},
        {"grpinfo { name \"X\"\n size }", "line 2: expected a value"},
        {"grpinfo { name \"X\"\n flags A| }", "line 2: expected a value"},
        {"grpinfo { name \"X\" size 1 crc 2 }\n/* open", "line 2: the comment that begins here"},
        {"grpinfo {\n name = \"X\" }", "line 2: unexpected character \"=\""},
        {"grpinfo { name \"X\" size 1 crc 2 \"text\" }", "line 1: expected a key or \"}\""},
    };
    for (const auto& [text, reason] : cases) {
        const auto read = ParseGrpInfo(text);
        ASSERT_FALSE(read.Ok()) << text;
        EXPECT_EQ(read.Status().Fault(), TFault::BadData);
        EXPECT_TRUE(read.Reason().starts_with(reason)) << read.Reason();
    }
}

TEST(GrpInfo, NumbersAreDecimalOrHexadecimalAfter0x) {
    EXPECT_EQ(ParseGrpInfoNumber("0"), 0u);
    EXPECT_EQ(ParseGrpInfoNumber("1234"), 1234u);
    EXPECT_EQ(ParseGrpInfoNumber("0x1aF"), 0x1AFu);
    EXPECT_EQ(ParseGrpInfoNumber("0XFFFFFFFFFFFFFFFF"), 0xFFFFFFFFFFFFFFFFu);
    for (const char* bad : {"", "0x", "x1", "12a", "-1", "0x1G", "0x10000000000000000", "1 2"}) {
        EXPECT_FALSE(ParseGrpInfoNumber(bad)) << bad;
    }
}

} // namespace
