#include "toolkit/Sysmath.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr std::int32_t maxInt = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t minInt = std::numeric_limits<std::int32_t>::min();

TEST(MulDiv, RoundsToTheNearest) {
    EXPECT_EQ(MulDiv(46, 6, 4), 69);  // 69 exactly
    EXPECT_EQ(MulDiv(15, 13, 8), 24); // 24.375
    EXPECT_EQ(MulDiv(10, 13, 8), 16); // 16.25
    EXPECT_EQ(MulDiv(2, 5, 3), 3);    // 3.33
    EXPECT_EQ(MulDiv(5, 5, 3), 8);    // 8.33
    EXPECT_EQ(MulDiv(7, 5, 3), 12);   // 11.67
}

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(1, 6, 4), 2);   // 1.5
    EXPECT_EQ(MulDiv(5, 1, 2), 3);   // 2.5, not to even
    EXPECT_EQ(MulDiv(-1, 6, 4), -2); // -1.5
    EXPECT_EQ(MulDiv(1, -6, 4), -2);
    EXPECT_EQ(MulDiv(1, 6, -4), -2);
    EXPECT_EQ(MulDiv(-1, -6, -4), -2);
    EXPECT_EQ(MulDiv(-1, -6, 4), 2);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
}

TEST(MulDiv, UsesSixtyFourBitsInBetween) {
    EXPECT_EQ(MulDiv(maxInt, maxInt, maxInt), maxInt);
    EXPECT_EQ(MulDiv(minInt, 3, 4), -1610612736);
    EXPECT_EQ(MulDiv(100000, 100000, 1000000), 10000);
}

TEST(MulDiv, AnswersMinusOneForADivisionByZeroOrAnOverflow) {
    EXPECT_EQ(MulDiv(5, 7, 0), -1);
    EXPECT_EQ(MulDiv(maxInt, 2, 1), -1);
    EXPECT_EQ(MulDiv(minInt, -1, 1), -1);
    EXPECT_EQ(MulDiv(minInt, 1, 1), minInt);
}

TEST(CheckedArithmetic, GivesExactResultsUpToTheLimits) {
    EXPECT_EQ(CheckedAdd(maxInt - 1, 1), maxInt);
    EXPECT_EQ(CheckedAdd(minInt, maxInt), -1);
    EXPECT_EQ(CheckedSub(minInt + 1, 1), minInt);
    EXPECT_EQ(CheckedSub(-1, maxInt), minInt);
    EXPECT_EQ(CheckedMul(-65536, 32768), minInt);
    EXPECT_EQ(CheckedMul(46341, -46340), -2147441940);
}

TEST(CheckedArithmetic, RaisesIntegerOverflowInsteadOfWrapping) {
    EXPECT_THROW(CheckedAdd(maxInt, 1), EIntOverflow);
    EXPECT_THROW(CheckedAdd(minInt, -1), EIntOverflow);
    EXPECT_THROW(CheckedSub(minInt, 1), EIntOverflow);
    EXPECT_THROW(CheckedSub(0, minInt), EIntOverflow);
    EXPECT_THROW(CheckedMul(65536, 32768), EIntOverflow);
    EXPECT_THROW(CheckedMul(minInt, -1), EIntOverflow);
    try {
        CheckedMul(46341, 46341);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Integer overflow");
    }
}

} // namespace
