// The small helpers of the menu drawing routines: colours with a fourth byte, Min and Max, and
// the rectangle sizes in checked arithmetic.

#include "toolkit/Headlesstest.h"

#include "menus/Bcrectutilities.h"
#include "menus/Bcutilities.h"
#include "toolkit/Sysmath.h"

#include <climits>

namespace {

TEST(Bcutilities, RgbPutsRedLowAndTheFourthByteHigh) {
    EXPECT_EQ(RGB(0x11, 0x22, 0x33, 0x44), 0x44332211u);
    EXPECT_EQ(RGB(0x11, 0x22, 0x33, 0), RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(RGB(0, 0, 0, 0xFF), 0xFF000000u);
}

TEST(Bcutilities, MinAndMaxWithNegativesAndEquals) {
    EXPECT_EQ(Min(-3, 2), -3);
    EXPECT_EQ(Max(-3, 2), 2);
    EXPECT_EQ(Min(INT_MIN, INT_MAX), INT_MIN);
    EXPECT_EQ(Max(INT_MIN, INT_MAX), INT_MAX);
    EXPECT_EQ(Min(5, 5), 5);
}

TEST(Bcrectutilities, SizesAreSignedDifferences) {
    EXPECT_EQ(RectWidth(Rect(3, 4, 10, 20)), 7);
    EXPECT_EQ(RectHeight(Rect(3, 4, 10, 20)), 16);
    EXPECT_EQ(RectWidth(Rect(10, 0, 3, 0)), -7);
    EXPECT_EQ(RectHeight(NilRect), 0);
    EXPECT_EQ(RectWidth(Rect(-2147483647 - 1, 0, -1, 0)), INT_MAX);
}

TEST(Bcrectutilities, SizesThatDoNotFitRaiseTheOverflowError) {
    EXPECT_THROW(RectWidth(Rect(-1, 0, INT_MAX, 0)), EIntOverflow);
    EXPECT_THROW(RectHeight(Rect(0, INT_MIN, 0, 0)), EIntOverflow);
    EXPECT_THROW(RectWidth(Rect(1, 0, INT_MIN, 0)), EIntOverflow);
}

class BitmapRectTest : public HeadlessTest {};

TEST_F(BitmapRectTest, IsTheBitmapsSizeOrNilWithoutOne) {
    EXPECT_EQ(BitmapRect(nullptr), NilRect);
    TBitmap empty;
    EXPECT_EQ(BitmapRect(&empty), NilRect);
    TBitmap bitmap(7, 3);
    EXPECT_EQ(BitmapRect(&bitmap), Rect(0, 0, 7, 3));
}

} // namespace
