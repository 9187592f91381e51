#include "archive/Grpextract.h"

#include "archive/Testfiles.h"

#include <gtest/gtest.h>

namespace {

TGrpDirectory DirectoryOf(const std::vector<std::pair<std::string, TBytes>>& entries) {
    const TBytes image = BuildGrpImage(entries);
    return ParseGrpDirectory(image, image.size()).Value();
}

TEST(ExtractName, HostileNamesAreRefusedWithTheNameAndReason) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"../EVIL.EXE", "path separator"},
        {"..\\EVIL.EXE", "path separator"},
        {"/etc/passwd", "path separator"},
        {"\\WINDOWS", "path separator"},
        {"SUB/GAME.CON", "path separator"},
        {"..", "parent folder"},
        {".", "extraction folder itself"},
        {"C:EVIL.EXE", "drive prefix"},
        {"c:", "drive prefix"},
        {"GAME:STREAM", "contains ':'"},
        {"GAME.CON.", "ends in a dot"},
        {"GAME.CON ", "ends in a dot or a blank"},
        {"A\tB", "control byte"},
        {std::string("A\nB"), "control byte"},
        {"A\x7F", "control byte"},
        {"A?B", "Windows does not allow"},
        {"A*", "Windows does not allow"},
        {"A<B>C", "Windows does not allow"},
        {"A|B", "Windows does not allow"},
        {"A\"B", "Windows does not allow"},
        {"CON", "device name"},
        {"con", "device name"},
        {"Nul.txt", "device name"},
        {"PRN.GRP", "device name"},
        {"AUX", "device name"},
        {"COM1", "device name"},
        {"com9.dat", "device name"},
        {"LPT1", "device name"},
        {"lpt9.MAP", "device name"},
        {"COM0", "device name"},
        {"LPT\xB9", "device name"},
        {"NUL .TXT", "device name"},
        {"CON.A.B", "device name"},
        {"CONIN$", "device name"},
        {"conout$.x", "device name"},
    };
    for (const auto& [name, reason] : cases) {
        const TStatus status = CheckExtractName(name);
        ASSERT_FALSE(status.Ok()) << PrintableName(name);
        EXPECT_EQ(status.Fault(), TFault::BadData);
        EXPECT_NE(status.Reason().find(reason), std::string::npos) << status.Reason();
        const std::string quoted = std::string("\"").append(PrintableName(name)).append("\"");
        EXPECT_NE(status.Reason().find(quoted), std::string::npos) << status.Reason();
    }
    EXPECT_FALSE(CheckExtractName("").Ok());
}

TEST(ExtractName, OrdinaryNamesPass) {
    for (const char* name :
         {"GAME.CON", "E1L1.MAP", "a", "ABCDEFGH.IJK", "CONFIG.SYS", "COM10", "LPT", "NULL.TXT",
          "AUXX.DAT", ".HIDDEN", "A B.TXT", "D-1_2.VOC", "\xC4RGER.TXT", "CON_.TXT"}) {
        EXPECT_TRUE(CheckExtractName(name).Ok()) << name << ": " << CheckExtractName(name).Reason();
    }
}

TEST(ExtractPlan, TakesTheFirstEntryOfEachNameOnceInTheOrderGiven) {
    const TGrpDirectory directory = DirectoryOf({{"A.TXT", BytesOf("a1")},
                                                 {"B.TXT", BytesOf("b")},
                                                 {"A.TXT", BytesOf("a2-longer")},
                                                 {"EMPTY", {}}});
    const auto plan =
        PlanGrpExtraction(directory, {"B.TXT", "A.TXT", "MISSING", "A.TXT", "EMPTY", "a.txt"});
    ASSERT_TRUE(plan.Ok()) << plan.Reason();
    ASSERT_EQ(plan.Value().size(), 3u);
    EXPECT_EQ(plan.Value()[0].Name, "B.TXT");
    EXPECT_EQ(plan.Value()[0].Offset, 16u + 64 + 2);
    EXPECT_EQ(plan.Value()[1].Name, "A.TXT");
    EXPECT_EQ(plan.Value()[1].Offset, 80u);
    EXPECT_EQ(plan.Value()[1].Size, 2u);
    EXPECT_EQ(plan.Value()[2].Name, "EMPTY");
    EXPECT_EQ(plan.Value()[2].Size, 0u);
}

TEST(ExtractPlan, AnyHostileChosenNameRefusesThePlan) {
    const TGrpDirectory directory = DirectoryOf(
        {{"GOOD.TXT", BytesOf("g")}, {"../BAD", BytesOf("b")}, {"ALSO.TXT", BytesOf("a")}});
    const auto all = PlanGrpExtraction(directory, GrpEntryNames(directory));
    ASSERT_FALSE(all.Ok());
    EXPECT_NE(all.Reason().find("\"../BAD\""), std::string::npos);
    // A hostile entry that is not chosen does not stand in the way of the others.
    EXPECT_TRUE(PlanGrpExtraction(directory, {"GOOD.TXT", "ALSO.TXT"}).Ok());
}

TEST(ExtractPlan, AllNamesInDirectoryOrder) {
    const TGrpDirectory directory =
        DirectoryOf({{"Z", BytesOf("z")}, {"A", BytesOf("a")}, {"M", {}}});
    EXPECT_EQ(GrpEntryNames(directory), (std::vector<std::string>{"Z", "A", "M"}));
}

} // namespace
