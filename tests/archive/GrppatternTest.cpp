#include "archive/Grppattern.h"

#include "archive/Testfiles.h"

#include <gtest/gtest.h>

namespace {

TGrpDirectory DirectoryOf(const std::vector<std::string>& names) {
    std::vector<std::pair<std::string, TBytes>> entries;
    for (const std::string& name : names) {
        entries.emplace_back(name, BytesOf("x"));
    }
    const TBytes image = BuildGrpImage(entries);
    return ParseGrpDirectory(image, image.size()).Value();
}

TEST(GrpPattern, WildcardsMatchTheWholeNameInEitherLetterCase) {
    const std::vector<std::tuple<std::string, std::string, bool>> cases = {
        {"E1L1.MAP", "*.MAP", true},
        {"e1l1.map", "*.MAP", true},
        {"E1L1.MAP", "*.map", true},
        {"E1L1.MAPX", "*.MAP", false},
        {"E1L1.MAP", "E?L?.MAP", true},
        {"E1L10.MAP", "E?L?.MAP", false},
        {"GAME.CON", "*", true},
        {"", "*", true},
        {"GAME.CON", "G*E*N", true},
        {"GAME.CON", "*A*A*", false},
        {"AAAAAAAAAAAB", "*A*A*A*C", false},
        {"GAME", "*.*", true},
        {"GAME", "GAME.*", true},
        {"GAME", "GA?E.", true},
        {"GAME.", "GAME.", true},
        {"GAME.CON", "GAME.", false},
        {"\xC4RGER", "\xE4*", false}, // only ASCII letters fold
        {"A?B", "A?B", true},
        {"AxB", "A?B", true},
    };
    for (const auto& [name, pattern, matches] : cases) {
        EXPECT_EQ(MatchesGrpPattern(name, pattern), matches) << name << " " << pattern;
    }
    EXPECT_TRUE(IsGrpPattern("*.MAP"));
    EXPECT_TRUE(IsGrpPattern("E?L1"));
    EXPECT_FALSE(IsGrpPattern("GAME.CON"));
}

TEST(GrpPattern, SelectionIsInDirectoryOrderWithEachEntryOnce) {
    const TGrpDirectory directory =
        DirectoryOf({"GAME.CON", "E1L1.MAP", "game.con", "E1L2.map", "GAME.CON", "LOGO.ANM"});
    const TGrpSelection selection = SelectGrpEntries(directory, {"*.MAP", "GAME.CON", "E1L1.MAP"});
    EXPECT_EQ(selection.Entries, (std::vector<std::size_t>{0, 1, 3, 4}));
    EXPECT_TRUE(selection.Unmatched.empty());
}

TEST(GrpPattern, ExactNamesAreByteForByteAndUnmatchedArgumentsAreNamed) {
    const TGrpDirectory directory = DirectoryOf({"GAME.CON", "E1L1.MAP"});
    const TGrpSelection selection =
        SelectGrpEntries(directory, {"game.con", "*.VOC", "E1L1.MAP", "GAME.CO?"});
    EXPECT_EQ(selection.Entries, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(selection.Unmatched, (std::vector<std::string>{"game.con", "*.VOC"}));
}

} // namespace
