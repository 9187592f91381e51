// The pictures of the Options menu's items, checked for what each is meant to show, and written
// beside the test program as MenuPictures.png for anyone to look at.

#include "app/Groupglyphs.h"
#include "platform/headless/Pngwriter.h"
#include "toolkit/Headlesstest.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace {

// Pictures are bitmaps of the platform in use.
class MenuPictures : public HeadlessTest {};

const TGroupGlyph menuPictures[] = {TGroupGlyph::DesktopIcon, TGroupGlyph::AboutMorvik,
                                    TGroupGlyph::Cancel, TGroupGlyph::QuitApplication};

bool Opaque(const TBitmap& picture, int x, int y) {
    return picture.Pixel(x, y) != clFuchsia;
}

// The number of opaque pixels that can be reached from the first one, stepping to the eight
// neighbours.
int ConnectedSize(const TBitmap& picture) {
    std::set<std::pair<int, int>> seen;
    std::vector<std::pair<int, int>> todo;
    for (int y = 0; y < 16 && todo.empty(); ++y) {
        for (int x = 0; x < 16 && todo.empty(); ++x) {
            if (Opaque(picture, x, y)) {
                todo.push_back({x, y});
            }
        }
    }
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        if (x < 0 || y < 0 || x > 15 || y > 15 || !Opaque(picture, x, y) ||
            !seen.insert({x, y}).second) {
            continue;
        }
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                todo.push_back({x + dx, y + dy});
            }
        }
    }
    return int(seen.size());
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

int OpaqueCount(const TBitmap& picture) {
    int count = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            count += Opaque(picture, x, y);
        }
    }
    return count;
}

std::set<int> OpaqueRows(const TBitmap& picture, int x) {
    std::set<int> rows;
    for (int y = 0; y < 16; ++y) {
        if (Opaque(picture, x, y)) {
            rows.insert(y);
        }
    }
    return rows;
}

} // namespace

TEST_F(MenuPictures, EachIsOneSolidShapeOnATransparentSquare) {
    TBitmap sheet(4 * 20, 20);
    sheet.Canvas().Brush.Color = clWhite;
    sheet.Canvas().FillRect(Rect(0, 0, sheet.Width(), sheet.Height()));
    std::vector<TBitmap> pictures;
    for (TGroupGlyph glyph : menuPictures) {
        const TBitmap picture = GroupGlyph(glyph);
        SCOPED_TRACE(int(glyph));
        ASSERT_EQ(picture.Width(), 16);
        ASSERT_EQ(picture.Height(), 16);
        // The menu leaves out the colour of the bottom-left pixel.
        EXPECT_EQ(picture.Pixel(0, 15), clFuchsia);
        // No stray pixels, and big enough to be seen in a 24-pixel menu row.
        EXPECT_EQ(ConnectedSize(picture), OpaqueCount(picture));
        EXPECT_GE(OpaqueCount(picture), 100);
        for (const TBitmap& other : pictures) {
            EXPECT_FALSE(SamePixels(other, picture));
        }
        pictures.push_back(picture);
        const int left = 2 + 20 * (int(pictures.size()) - 1);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (Opaque(picture, x, y)) {
                    sheet.SetPixel(left + x, 2 + y, picture.Pixel(x, y));
                }
            }
        }
    }
    EXPECT_TRUE(WritePng(MORVIK_PICTURE_FOLDER "/MenuPictures.png", sheet));
}

TEST_F(MenuPictures, DesktopIconIsAScreenWithAShortcutArrow) {
    const TBitmap picture = GroupGlyph(TGroupGlyph::DesktopIcon);
    // The shortcut box, 8 x 8 at the lower left: a black frame around white, and in it a black
    // arrow that climbs from the lower left to the upper right.
    for (int y = 7; y <= 14; ++y) {
        for (int x = 0; x <= 7; ++x) {
            const bool frame = x == 0 || x == 7 || y == 7 || y == 14;
            const bool arrow = (x == 2 && y == 12) || (x == 3 && y == 11) || (x == 4 && y == 10) ||
                               (x == 5 && y == 9);
            const TColor color = picture.Pixel(x, y);
            if (frame || arrow) {
                EXPECT_EQ(color, clBlack) << x << ", " << y;
            } else {
                EXPECT_TRUE(color == clWhite || color == clBlack) << x << ", " << y;
            }
        }
    }
    // The screen above and right of it is blue.
    int blue = 0;
    for (int y = 4; y <= 8; ++y) {
        for (int x = 8; x <= 12; ++x) {
            blue += GetBValue(picture.Pixel(x, y)) > 200 && GetRValue(picture.Pixel(x, y)) < 128;
        }
    }
    EXPECT_GE(blue, 20);
}

TEST_F(MenuPictures, AboutIsABlueDiscWithAWhiteI) {
    const TBitmap picture = GroupGlyph(TGroupGlyph::AboutMorvik);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            // The disc's outline is the same mirrored.
            EXPECT_EQ(picture.Pixel(x, y) == clBlack, picture.Pixel(15 - x, y) == clBlack)
                << x << ", " << y;
            // The white letter stands in the middle four columns.
            if (picture.Pixel(x, y) == clWhite) {
                EXPECT_TRUE(x >= 6 && x <= 9) << x << ", " << y;
            }
        }
    }
    // The dot, a gap, the stem.
    EXPECT_EQ(picture.Pixel(7, 3), clWhite);
    EXPECT_EQ(picture.Pixel(8, 4), clWhite);
    EXPECT_NE(picture.Pixel(7, 5), clWhite);
    for (int y = 7; y <= 11; ++y) {
        EXPECT_EQ(picture.Pixel(8, y), clWhite) << y;
    }
    // Blue around it.
    EXPECT_GT(GetBValue(picture.Pixel(4, 8)), 200);
    EXPECT_LT(GetRValue(picture.Pixel(4, 8)), 128);
}

TEST_F(MenuPictures, CancelTurnsBackToTheLeftAndQuitLeavesToTheRight) {
    const TBitmap cancel = GroupGlyph(TGroupGlyph::Cancel);
    // The arrowhead's point is the only pixel of the leftmost column; the shaft comes down on
    // the right.
    EXPECT_EQ(OpaqueRows(cancel, 0), std::set<int>{6});
    EXPECT_EQ(OpaqueRows(cancel, 14), (std::set<int>{6, 7, 8, 9, 10, 11, 12, 13, 14}));

    const TBitmap quit = GroupGlyph(TGroupGlyph::QuitApplication);
    // A green arrow whose point is the rightmost column, out of a closed brown door on the left.
    EXPECT_EQ(OpaqueRows(quit, 15), (std::set<int>{7, 8}));
    EXPECT_GT(GetGValue(quit.Pixel(12, 7)), 100);
    EXPECT_LT(GetRValue(quit.Pixel(12, 8)), 100);
    for (int y = 3; y <= 12; ++y) {
        EXPECT_EQ(quit.Pixel(3, y), RGB(160, 96, 32)) << y;
    }
    EXPECT_EQ(OpaqueRows(quit, 0), std::set<int>{});
}
