#include "archive/Grpcheck.h"

#include "archive/Testfiles.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Check(const TBytes& image) {
    const auto directory = ParseGrpDirectory(image, image.size());
    EXPECT_TRUE(directory.Ok()) << directory.Reason();
    return CheckGrpDirectory(directory.Value());
}

TEST(GrpCheck, AGoodGroupFileHasNothingToReport) {
    EXPECT_TRUE(Check(BuildGrpImage({})).empty());
    EXPECT_TRUE(
        Check(BuildGrpImage({{"GAME.CON", BytesOf("c")}, {"GAME.CO", {}}, {"E1L1.MAP", {}}}))
            .empty());
}

TEST(GrpCheck, EachProblemIsOneLineInOrder) {
    TBytes image = BuildGrpImage({{"GAME.CON", BytesOf("1")},
                                  {"CON", BytesOf("2")},
                                  {"game.con", BytesOf("3")},
                                  {"GAME.CON", BytesOf("4")},
                                  {"..", {}},
                                  {"Game.Con", {}},
                                  {"game.con", {}}});
    image.push_back(0);
    image.push_back(0);
    EXPECT_EQ(
        Check(image),
        (std::vector<std::string>{
            "entry 2: entry name \"CON\" is a Windows device name; it cannot be extracted on "
            "Windows",
            "entry 5: entry name \"..\" names the parent folder; it cannot be extracted on Windows",
            "entry 4 \"GAME.CON\" has the name of entry 1; the games never read it",
            "entry 7 \"game.con\" has the name of entry 3; the games never read it",
            "entry 3 \"game.con\" differs from entry 1 \"GAME.CON\" only in letter case; a port "
            "that looks names up in either case sees only one of them",
            "entry 6 \"Game.Con\" differs from entry 1 \"GAME.CON\" only in letter case; a port "
            "that looks names up in either case sees only one of them",
            "2 bytes after the last entry, which nothing reads"}));
}

TEST(GrpCheck, TheInvertedVariantIsReported) {
    TBytes image = BuildGrpImage({{"A", BytesOf("a")}});
    std::copy(GrpInvertedMagic.begin(), GrpInvertedMagic.end(), image.begin());
    for (std::size_t i = 16; i < 32; ++i) {
        image[i] = static_cast<std::uint8_t>(~image[i]);
    }
    const std::vector<std::string> findings = Check(image);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_NE(findings[0].find("stored inverted"), std::string::npos);
}

} // namespace
