#include "app/Groupglyphs.h"

#include <cassert>
#include <cstddef>
#include <string_view>

namespace {

using TPixelMap = std::string_view[16];

// One letter per pixel; "." is the transparent magenta.
TColor PaletteColor(char letter) {
    switch (letter) {
    case 'K':
        return clBlack;
    case 'W':
        return clWhite;
    case 'S':
        return clSilver;
    case 'D':
        return clGray;
    case 'g':
        return RGB(96, 224, 64);
    case 'G':
        return RGB(0, 128, 0);
    case 'r':
        return RGB(232, 48, 32);
    case 'R':
        return RGB(144, 0, 0);
    case 'c':
        return RGB(96, 208, 255);
    case 'C':
        return RGB(0, 112, 224);
    case 'Y':
        return RGB(255, 224, 64);
    case 'y':
        return RGB(208, 160, 0);
    case 'O':
        return RGB(232, 168, 80);
    case 'b':
        return RGB(160, 96, 32);
    case 'p':
        return RGB(255, 144, 160);
    default:
        return clFuchsia;
    }
}

constexpr TPixelMap addAll = {
    "................", "................", ".K......K.......", ".KK.....KK......",
    ".KgK....KgK.....", ".KggK...KggK....", ".KgggK..KgggK...", ".KggggK.KggggK..",
    ".KGGGGK.KGGGGK..", ".KGGGK..KGGGK...", ".KGGK...KGGK....", ".KGK....KGK.....",
    ".KK.....KK......", ".K......K.......", "................", "................",
};

constexpr TPixelMap filesAdd = {
    "................", "................", "........K.......", "........KK......",
    "........KgK.....", ".KKKKKKKKggK....", ".KggggggggggK...", ".KgggggggggggK..",
    ".KGGGGGGGGGGGK..", ".KGGGGGGGGGGK...", ".KKKKKKKKGGK....", "........KGK.....",
    "........KK......", "........K.......", "................", "................",
};

constexpr TPixelMap filesSub = {
    "................", "................", ".......K........", "......KK........",
    ".....KrK........", "....KrrKKKKKKKK.", "...KrrrrrrrrrrK.", "..KrrrrrrrrrrrK.",
    "..KRRRRRRRRRRRK.", "...KRRRRRRRRRRK.", "....KRRKKKKKKKK.", ".....KRK........",
    "......KK........", ".......K........", "................", "................",
};

constexpr TPixelMap createGroup = {
    ".KKKKKKKK.......", ".KWWWWWWKK......", ".KWWWWWWKSK.....", ".KWWWWWWKSSK....",
    ".KWDDDDWKKKKK...", ".KWWWWWWWWWWK...", ".KWDDDDDDDDWK...", ".KWWWWWWWWWWK...",
    ".KWDDDDDDDDWK...", ".KWWWWWWWWKKK...", ".KWWWWWWWWKgK...", ".KWWWWWKKKKgKKKK",
    ".KWWWWWKgggggggK", ".KWWWWWKKKKgKKKK", ".KWWWWWWWWKgK...", ".KKKKKKKKKKKK...",
};

constexpr TPixelMap extract = {
    "..........KKK...", "..........KCK...", ".KKKKK....KCK...", "KYYYYYK.KKKCKKK.",
    "KYYYYYYKKKCCCKK.", "KYYYYYYYYYKCKYK.", "KYYYYYYYYYYKYYK.", "KYYYYYYYYYYYYYK.",
    "KYYYYYYYYYYYYYK.", "KYYYYYYYYYYYYYK.", "KYYYYYYYYYYYYYK.", "KYYYYYYYYYYYYYK.",
    "KyyyyyyyyyyyyyK.", "KKKKKKKKKKKKKKK.", "................", "................",
};

constexpr TPixelMap modeExtract = {
    ".......KK.......", "......KccK......", ".....KccccK.....", "....KccccccK....",
    "...KKKKcCKKKK...", "......KcCK......", "......KcCK......", "......KcCK......",
    "......KcCK......", ".KKKKKKKKKKKKKK.", ".KOOOOOOOOOOOOK.", ".KOOOKKKKKKOOOK.",
    ".KOOOOOOOOOOOOK.", ".KbbbbbbbbbbbbK.", ".KKKKKKKKKKKKKK.", "................",
};

constexpr TPixelMap modeGroup = {
    "................", "......KKKK......", "......KgGK......", "......KgGK......",
    "......KgGK......", "...KKKKgGKKKK...", "....KgggGGGK....", ".....KggGGK.....",
    "......KGGK......", ".KKKKKKKKKKKKKK.", ".KOOOOOOOOOOOOK.", ".KOOOKKKKKKOOOK.",
    ".KOOOOOOOOOOOOK.", ".KbbbbbbbbbbbbK.", ".KKKKKKKKKKKKKK.", "................",
};

constexpr TPixelMap quit = {
    "................", ".....KKKKK......", "...KKrrrrrKK....", "..KrrrrrrrrrK...",
    "..KrWrrrrrWrK...", ".KrrrWrrrWrrrK..", ".KrrrrWrWrrrrK..", ".KrrrrrWrrrrrK..",
    ".KrrrrWrWrrrrK..", ".KrrrWrrrWrrrK..", "..KrWrrrrrWrK...", "..KrrrrrrrrrK...",
    "...KKrrrrrKK....", ".....KKKKK......", "................", "................",
};

constexpr TPixelMap editName = {
    ".................", "............KK...", "...........KppK..", "..........KSpppK.",
    ".........KYSSppK.", "........KYYOSSK..", ".......KYYOOyK...", "......KYYOOyK....",
    ".....KYYOOyK.....", "....KYYOOyK......", "...KYYOOyK.......", "..KYYOOyK........",
    "..KbbOyK.........", "..KKbbK..........", "..KKK............", ".................",
};

constexpr TPixelMap desktopIcon = {
    "................", "..KKKKKKKKKKKKK.", "..KSSSSSSSSSSSK.", "..KSCCCCCCCCCSK.",
    "..KSCcccccccWSK.", "..KSCccccccWcSK.", "..KSCcccccWccSK.", "KKKKKKKKccccCSK.",
    "KWWWWWWKccccCSK.", "KWWKKKWKSSSSSSK.", "KWWWKKWKKKKKKKK.", "KWWKWKWKKSSK....",
    "KWKWWWWKKSSK....", "KWWWWWWKSSSSSK..", "KKKKKKKKKKKKKK..", "................",
};

constexpr TPixelMap aboutMorvik = {
    "................", ".....KKKKKK.....", "...KKCCCCCCKK...", "..KCCCCWWCCCCK..",
    ".KCCCCCWWCCCCCK.", ".KCCCCCCCCCCCCK.", "KCCCCCWWWCCCCCCK", "KCCCCCCWWCCCCCCK",
    "KCCCCCCWWCCCCCCK", "KCCCCCCWWCCCCCCK", ".KCCCCCWWCCCCCK.", ".KCCCCWWWWCCCCK.",
    "..KCCCCCCCCCCK..", "...KKCCCCCCKK...", ".....KKKKKK.....", "................",
};

constexpr TPixelMap cancel = {
    "................", "................", "....KK..........", "...KcK..........",
    "..KccKKKKKKKK...", ".KccccccccccCK..", "KcccccccccccCCK.", ".KcCCCCCCCCCcCCK",
    "..KcCKKKKKKKKcCK", "...KCK......KcCK", "....KK......KcCK", "............KcCK",
    "........KKKKKcCK", "........KcccccCK", "........KKKKKKKK", "................",
};

constexpr TPixelMap quitApplication = {
    "................", ".KKKKKKKKK......", ".KDDDDDDDK......", ".KDbbbbbDK......",
    ".KDbOOObDK..K...", ".KDbOOObDK..KK..", ".KDbOOObDKKKKgK.", ".KDbOOYbDKgggggK",
    ".KDbOOObDKGGGGGK", ".KDbOOObDKKKKGK.", ".KDbOOObDK..KK..", ".KDbOOObDK..K...",
    ".KDbbbbbDK......", ".KDDDDDDDK......", ".KKKKKKKKK......", "................",
};

const TPixelMap& PixelMap(TGroupGlyph glyph) {
    switch (glyph) {
    case TGroupGlyph::AddAll:
        return addAll;
    case TGroupGlyph::FilesAdd:
        return filesAdd;
    case TGroupGlyph::FilesSub:
        return filesSub;
    case TGroupGlyph::CreateGroup:
        return createGroup;
    case TGroupGlyph::Extract:
        return extract;
    case TGroupGlyph::ModeExtract:
        return modeExtract;
    case TGroupGlyph::ModeGroup:
        return modeGroup;
    case TGroupGlyph::Quit:
        return quit;
    case TGroupGlyph::DesktopIcon:
        return desktopIcon;
    case TGroupGlyph::AboutMorvik:
        return aboutMorvik;
    case TGroupGlyph::Cancel:
        return cancel;
    case TGroupGlyph::QuitApplication:
        return quitApplication;
    case TGroupGlyph::EditName:
        break;
    }
    return editName;
}

} // namespace

TBitmap GroupGlyph(TGroupGlyph glyph) {
    const TPixelMap& map = PixelMap(glyph);
    const int width = int(map[0].size());
    TBitmap bitmap(width, 16);
    for (int y = 0; y < 16; ++y) {
        assert(int(map[y].size()) == width);
        for (int x = 0; x < width; ++x) {
            bitmap.SetPixel(x, y, PaletteColor(map[y][std::size_t(x)]));
        }
    }
    return bitmap;
}
