#include "archive/Grpedit.h"

#include "archive/Testfiles.h"

#include <gtest/gtest.h>

namespace {

using TEntries = std::vector<std::pair<std::string, TBytes>>;

TGrpDirectory DirectoryOf(const TEntries& entries, std::size_t trailing = 0) {
    TBytes image = BuildGrpImage(entries);
    image.resize(image.size() + trailing, 0xEE);
    return ParseGrpDirectory(image, image.size()).Value();
}

// Each planned entry as "name size old@offset" or "name size added#index".
std::vector<std::string> Describe(const TGrpEditPlan& plan) {
    std::vector<std::string> lines;
    for (const TGrpEditEntry& entry : plan.Entries) {
        lines.push_back(entry.Name + " " + std::to_string(entry.Size) +
                        (entry.From == TGrpDataFrom::OldFile
                             ? " old@" + std::to_string(entry.Offset)
                             : " added#" + std::to_string(entry.Added)));
    }
    return lines;
}

const TEntries Example = {{"GAME.CON", BytesOf("ABCDE")}, {"E1L1.MAP", BytesOf("xyz")}};

TEST(GrpEdit, AddAppendsAndKeepsTheOldDataWhereItIs) {
    const auto plan = PlanGrpAdd(DirectoryOf(Example), {{"NEW.TXT", 7}, {"game.con", 2}}, false);
    ASSERT_TRUE(plan.Ok()) << plan.Reason();
    EXPECT_EQ(Describe(plan.Value()),
              (std::vector<std::string>{"GAME.CON 5 old@48", "E1L1.MAP 3 old@53",
                                        "NEW.TXT 7 added#0", "game.con 2 added#1"}));
    EXPECT_EQ(plan.Value().TrailingOffset, 56u);
    EXPECT_EQ(plan.Value().TrailingSize, 0u);
    EXPECT_EQ(
        BuildGrpEditDirectory(plan.Value()),
        BuildGrpDirectory({{"GAME.CON", 5}, {"E1L1.MAP", 3}, {"NEW.TXT", 7}, {"game.con", 2}}));
}

TEST(GrpEdit, AddRefusesANameTakenUnlessReplaceWhichKeepsThePosition) {
    const TGrpDirectory directory =
        DirectoryOf({{"A", BytesOf("1")}, {"B", BytesOf("22")}, {"A", BytesOf("333")}});
    const auto refused = PlanGrpAdd(directory, {{"B", 9}}, false);
    ASSERT_FALSE(refused.Ok());
    EXPECT_EQ(refused.Status().Fault(), TFault::Conflict);
    EXPECT_NE(refused.Reason().find("already has an entry named \"B\""), std::string::npos);

    // The first entry of a name is the one the games read, so that is the one replaced.
    const auto replaced = PlanGrpAdd(directory, {{"A", 4}, {"C", 1}, {"B", 0}}, true);
    ASSERT_TRUE(replaced.Ok()) << replaced.Reason();
    EXPECT_EQ(Describe(replaced.Value()), (std::vector<std::string>{"A 4 added#0", "B 0 added#2",
                                                                    "A 3 old@67", "C 1 added#1"}));

    for (const bool replace : {false, true}) {
        const auto twice = PlanGrpAdd(directory, {{"D", 1}, {"D", 2}}, replace);
        ASSERT_FALSE(twice.Ok());
        EXPECT_EQ(twice.Status().Fault(), TFault::Conflict);
        EXPECT_NE(twice.Reason().find("\"D\" is given twice"), std::string::npos);
    }
}

TEST(GrpEdit, NewNamesMeetTheRulesOfCreate) {
    const TGrpDirectory directory = DirectoryOf(Example);
    EXPECT_TRUE(PlanGrpAdd(directory, {{"ABCDEFGH.IJK", 1}}, false).Ok());
    EXPECT_TRUE(PlanGrpRename(directory, "GAME.CON", "ABCDEFGH.IJK").Ok());
    for (const std::string& name : {std::string("ABCDEFGHI.JKL"), std::string("../X"),
                                    std::string("CON"), std::string("A:B"), std::string()}) {
        const auto add = PlanGrpAdd(directory, {{name, 1}}, false);
        ASSERT_FALSE(add.Ok()) << name;
        EXPECT_EQ(add.Status().Fault(), TFault::BadData);
        const auto rename = PlanGrpRename(directory, "GAME.CON", name);
        ASSERT_FALSE(rename.Ok()) << name;
        EXPECT_EQ(rename.Status().Fault(), TFault::BadData);
    }
    EXPECT_NE(PlanGrpRename(directory, "GAME.CON", "ABCDEFGHI.JKL")
                  .Reason()
                  .find("longer than 12 characters"),
              std::string::npos);
}

TEST(GrpEdit, AHostileNameInTheOldFileStopsEveryEdit) {
    const TGrpDirectory directory =
        DirectoryOf({{"GOOD", BytesOf("g")}, {"..\\EVIL", BytesOf("e")}});
    const std::vector<TResult<TGrpEditPlan>> plans = {PlanGrpAdd(directory, {{"NEW", 1}}, false),
                                                      PlanGrpDelete(directory, {1}),
                                                      PlanGrpRename(directory, "..\\EVIL", "FINE")};
    for (const auto& plan : plans) {
        ASSERT_FALSE(plan.Ok());
        EXPECT_EQ(plan.Status().Fault(), TFault::BadData);
        EXPECT_NE(plan.Reason().find("\"..\\EVIL\""), std::string::npos) << plan.Reason();
    }
}

TEST(GrpEdit, DeleteLeavesOutTheChosenEntriesAndKeepsTrailingBytes) {
    const TGrpDirectory directory =
        DirectoryOf({{"A", BytesOf("1")}, {"B", BytesOf("22")}, {"C", BytesOf("333")}}, 5);
    const auto plan = PlanGrpDelete(directory, {2, 0, 2});
    ASSERT_TRUE(plan.Ok()) << plan.Reason();
    EXPECT_EQ(Describe(plan.Value()), std::vector<std::string>{"B 2 old@65"});
    EXPECT_EQ(plan.Value().TrailingOffset, 70u);
    EXPECT_EQ(plan.Value().TrailingSize, 5u);

    const auto outside = PlanGrpDelete(directory, {3});
    ASSERT_FALSE(outside.Ok());
    EXPECT_EQ(outside.Status().Fault(), TFault::Conflict);
}

TEST(GrpEdit, RenameTakesTheFirstEntryOfTheNameAndRefusesClashes) {
    const TGrpDirectory directory =
        DirectoryOf({{"A", BytesOf("1")}, {"B", BytesOf("22")}, {"A", BytesOf("333")}});
    const auto plan = PlanGrpRename(directory, "A", "a");
    ASSERT_TRUE(plan.Ok()) << plan.Reason();
    EXPECT_EQ(Describe(plan.Value()),
              (std::vector<std::string>{"a 1 old@64", "B 2 old@65", "A 3 old@67"}));

    const std::vector<std::tuple<std::string, std::string, std::string>> refused = {
        {"A", "B", "already has an entry named \"B\""},
        {"B", "B", "already has an entry named \"B\""},
        {"b", "X", "no entry named \"b\""}};
    for (const auto& [from, to, reason] : refused) {
        const auto clash = PlanGrpRename(directory, from, to);
        ASSERT_FALSE(clash.Ok()) << from << " " << to;
        EXPECT_EQ(clash.Status().Fault(), TFault::Conflict);
        EXPECT_NE(clash.Reason().find(reason), std::string::npos) << clash.Reason();
    }
}

} // namespace
