// CreateRotatedFont: the values of the rotated font, and its text on the software canvas.

#include "toolkit/Headlesstest.h"
#include "toolkit/Pixelcheck.h"

#include "menus/Bcfontutilities.h"
#include "toolkit/Sysmath.h"

#include <climits>

namespace {

TEST(CreateRotatedFont, KeepsTheFontAndTurnsItsEscapement) {
    TFont font;
    font.Name = "Tahoma";
    font.Height = -13;
    font.Style = fsBold | fsItalic | fsUnderline | fsStrikeOut;
    font.Pitch = TFontPitch::Fixed;
    font.Color = clRed;
    font.Escapement = 450; // the given font's own turn is not added

    const std::unique_ptr<TFont> up = CreateRotatedFont(font, 90);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->Name, "Tahoma");
    EXPECT_EQ(up->Height, -13);
    EXPECT_EQ(up->Style, fsBold | fsItalic | fsUnderline | fsStrikeOut);
    EXPECT_EQ(up->Pitch, TFontPitch::Fixed);
    EXPECT_EQ(up->Color, clRed);
    EXPECT_EQ(up->Escapement, 900);
    EXPECT_EQ(font.Escapement, 450);

    TFont plain;
    plain.Pitch = TFontPitch::Variable;
    const std::unique_ptr<TFont> down = CreateRotatedFont(plain, -90);
    EXPECT_EQ(down->Escapement, -900);
    EXPECT_EQ(down->Style, 0);
    EXPECT_EQ(down->Pitch, TFontPitch::Variable);
    EXPECT_EQ(down->Height, plain.Height);
    EXPECT_EQ(CreateRotatedFont(TFont(), 0)->Pitch, TFontPitch::Default);
}

TEST(CreateRotatedFont, AnEscapementThatDoesNotFitRaisesTheOverflowError) {
    EXPECT_THROW(CreateRotatedFont(TFont(), INT_MAX / 5), EIntOverflow);
    EXPECT_THROW(CreateRotatedFont(TFont(), INT_MIN / 9), EIntOverflow);
    EXPECT_EQ(CreateRotatedFont(TFont(), INT_MAX / 10)->Escapement, INT_MAX / 10 * 10);
}

class RotatedText : public HeadlessTest {};

// A bold "L" of the -11 font: its stem two pixels thick, its foot six pixels long.
TEST_F(RotatedText, RunsUpwardsAt90AndDownwardsAtMinus90) {
    TFont font;
    font.Style = fsBold;
    font.Color = clWhite;
    const std::map<char, TColor> palette = {{'.', clBlack}, {'#', clWhite}};

    // Upwards from the reference point, the tops of the letters to the left.
    TSoftCanvas up(13, 8);
    up.Brush.Style = TBrushStyle::Clear;
    up.Font = *CreateRotatedFont(font, 90);
    up.TextOut(0, 7, "L");
    EXPECT_TRUE(ImageIs(up,
                        {".............", "........#....", "........#....", "........#....",
                         "........#....", "..#######....", "..#######....", "............."},
                        palette));

    // Downwards, the tops to the right.
    TSoftCanvas down(13, 8);
    down.Brush.Style = TBrushStyle::Clear;
    down.Font = *CreateRotatedFont(font, -90);
    down.TextOut(13, 0, "L");
    EXPECT_TRUE(ImageIs(down,
                        {"....#######..", "....#######..", "....#........", "....#........",
                         "....#........", "....#........", ".............", "............."},
                        palette));
    // The extent is the unturned one: along the text, then its height.
    EXPECT_EQ(down.TextExtent("Lx"), (TSize{12, 13}));
}

} // namespace
