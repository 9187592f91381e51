// The bar menus painted with the real routines: the side bar rendered once per popup and copied
// slice by slice into the menu window, the short-line strip, the bar on the right and the
// main-menu twin's bar.

#include "menus/Barmenus.h"
#include "menus/Barpainting.h"
#include "menus/Menuwindow.h"
#include "menus/Showcasemenu.h"

#include "toolkit/Headlesstest.h"
#include "toolkit/Pixelcheck.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

const TColor Menu_ = RGB(192, 192, 192);
const TColor Shadow = RGB(128, 128, 128);

// A headless menu window's picture as a canvas, for the pixel checks.
std::unique_ptr<TSoftCanvas> CanvasOf(const TBitmap& image) {
    auto canvas = std::make_unique<TSoftCanvas>(image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            canvas->SetPixel(x, y, image.Pixel(x, y));
        }
    }
    return canvas;
}

// canvas against the approved picture tests/data/<name>. The picture is written by the same PNG
// writer, so equal files are equal pixels; when they differ, the actual picture is left in the
// working folder (the test's build folder) under that name, to be looked at and, once right,
// approved by copying it over the old one.
::testing::AssertionResult LooksAsApproved(const TSoftCanvas& canvas, const std::string& name) {
    auto bytes = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    if (!WritePng(name, canvas)) {
        return ::testing::AssertionFailure() << "could not write " << name;
    }
    const std::string approved = std::string(MORVIK_TEST_DATA) + "/" + name;
    if (bytes(name) == bytes(approved)) {
        std::filesystem::remove(name);
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "the picture differs from " << approved << "; it is in " << name;
}

class BarDrawingTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        StartBarMenus();
        StartLayeredWindows();
        ResetBarPaintRoutines();
        Menu.reset(new TBcBarPopupMenu(nullptr));
        Menu->SetMenuStyle(msStandard);
        for (const char* caption : {"Open", "Save", "-", "Quit"}) {
            auto* item = new TMenuItem(Menu.get());
            item->SetCaption(caption);
            Menu->Items()->Add(item);
        }
        Menu->OnBeforeDrawBar = [this](TComponent*, TCanvas&, const TRect&, bool&) { ++BarEvents; };
    }
    void TearDown() override {
        Menu.reset();
        HeadlessTest::TearDown();
    }

    TShownMenu Open() {
        Headless.QueueAnswer(TModalAnswer::CloseWindow());
        Menu->Popup(0, 0);
        return Headless.Menus().back();
    }
    TBitmap& Buffer() { return Menu->GetBarProtected().GetBarDoubleBuffer(); }

    // The window's columns left .. left + 32 show the buffer in the rows of every item.
    ::testing::AssertionResult BarShownAt(const TShownMenu& shown, int left) {
        for (const TRect& item : shown.ItemRects) {
            for (int y = item.Top; y < item.Bottom; ++y) {
                for (int x = 0; x < 32; ++x) {
                    if (shown.OpenImage.Pixel(left + x, y) != Buffer().Pixel(x, y)) {
                        return SavedFailure(*CanvasOf(shown.OpenImage),
                                            "bar pixel (" + std::to_string(x) + ", " +
                                                std::to_string(y) + ") differs");
                    }
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    TComponentPtr<TBcBarPopupMenu> Menu;
    int BarEvents = 0;
};

TEST_F(BarDrawingTest, TheBarIsRenderedOnceAndLaterPopupsCopyItsSlices) {
    const TShownMenu first = Open();
    // Items 19, 19, 12 and 19 high from (3, 3): the window is 75 high, and so is the bar.
    ASSERT_EQ(first.ItemRects.size(), 4u);
    EXPECT_EQ(first.Bounds.Height(), 75);
    EXPECT_EQ(Buffer().Height(), 75);
    EXPECT_EQ(BarEvents, 1);
    // The default gradient from (175, 189, 216) at the top toward black.
    EXPECT_EQ(Buffer().Pixel(0, 0), RGB(0xAF, 0xBD, 0xD8));
    EXPECT_EQ(Buffer().Pixel(31, 74), RGB(3, 3, 3));
    EXPECT_TRUE(BarShownAt(first, 3));
    // The bar's space, then the items.
    EXPECT_EQ(first.OpenImage.Pixel(35, 10), Menu_);
    EXPECT_EQ(first.ItemRects[0].Left, 3);

    // A mark in the buffer shows that the second popup copies it and renders nothing.
    Buffer().SetPixel(5, 10, clRed);
    const TShownMenu second = Open();
    EXPECT_EQ(BarEvents, 1);
    EXPECT_EQ(second.OpenImage.Pixel(8, 10), clRed);
    EXPECT_TRUE(BarShownAt(second, 3));
    for (int y = 3; y < 72; ++y) {
        for (int x = 36; x < second.Bounds.Width(); ++x) {
            ASSERT_EQ(second.OpenImage.Pixel(x, y), first.OpenImage.Pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(BarDrawingTest, ABarOnTheRight) {
    Menu->Bar().SetSide(sRight);
    const TShownMenu shown = Open();
    const int right = shown.ItemRects[0].Right;
    EXPECT_TRUE(BarShownAt(shown, right - 32));
    EXPECT_EQ(shown.OpenImage.Pixel(right - 33, 10), Menu_);
    // The items' captions begin at the left: "Open" in black from 14 on.
    bool ink = false;
    for (int x = 3; x < 30; ++x) {
        ink = ink || shown.OpenImage.Pixel(x, 10) == clBlack;
    }
    EXPECT_TRUE(ink);
}

TEST_F(BarDrawingTest, TheShortLineStyle) {
    Menu->Bar().SetVisible(false);
    Menu->Separators().SeparatorStyle = ssShortLine;
    const TShownMenu shown = Open();
    // The separator's line leaves 12 pixels on each side of the whole item; the other items
    // give up 10 pixels on the right, which stay in the menu's colour.
    const TRect line = shown.ItemRects[2];
    const auto canvas = CanvasOf(shown.OpenImage);
    std::vector<TColor> row;
    for (int x = line.Left; x < line.Right; ++x) {
        row.push_back(canvas->Pixel(x, line.Top + 5));
    }
    for (int i = 0; i < int(row.size()); ++i) {
        EXPECT_EQ(row[std::size_t(i)], i < 12 || i >= int(row.size()) - 12 ? Menu_ : Shadow) << i;
    }
    const TRect open = shown.ItemRects[0];
    EXPECT_TRUE(AreaIs(*canvas, Rect(open.Right - 10, open.Top, open.Right, open.Bottom), Menu_));
    // Selected, the strip stays out of the highlight.
    Headless.QueueAnswer(TModalAnswer::PressKey(vkDown));
    const TShownMenu selected = Open();
    EXPECT_EQ(selected.Image.Pixel(open.Right - 11, open.Top + 1), RGB(0, 0, 128));
    EXPECT_EQ(selected.Image.Pixel(open.Right - 10, open.Top + 1), Menu_);
}

TEST_F(BarDrawingTest, TheMainMenusBarIsBesideTheFirstDropDownOnly) {
    TBcBarMainMenu main(nullptr);
    main.SetMenuStyle(msStandard);
    auto add = [&main](TMenuItem* parent, const std::string& caption) {
        auto* item = new TMenuItem(&main);
        item->SetCaption(caption);
        (parent ? parent : main.Items())->Add(item);
        return item;
    };
    TMenuItem* file = add(nullptr, "File");
    TMenuItem* edit = add(nullptr, "Edit");
    TMenuItem* open = add(file, "Open");
    TMenuItem* copy = add(edit, "Copy");
    main.Bar().SetGradientStart(clRed);
    main.Bar().SetGradientEnd(clRed);
    TSoftCanvas measure(1, 1);
    int width = 0;
    int height = 0;
    open->MeasureItem(measure, width, height);
    ASSERT_EQ(main.GetBarProtected().PopupHeight(), 19);

    TSoftCanvas canvas(width, height);
    open->DrawItem(canvas, Rect(0, 0, width, height), 0);
    EXPECT_TRUE(AreaIs(canvas, Rect(0, 0, 32, 19), clRed));
    EXPECT_EQ(canvas.Pixel(33, 1), Menu_) << "the item after the bar and its space";
    TSoftCanvas other(width, height);
    copy->DrawItem(other, Rect(0, 0, width, height), 0);
    EXPECT_EQ(other.Pixel(0, 5), Menu_);
    EXPECT_EQ(other.Pixel(20, 5), Menu_);
}

} // namespace

namespace {

// The popup of the menus' showcase: a bar with caption and picture, default, checked, radio,
// disabled and shortcut items, and separators with and without text.
class ShowcaseTest : public BarDrawingTest {
protected:
    void SetUp() override {
        BarDrawingTest::SetUp();
        Menu.reset(new TBcBarPopupMenu(nullptr));
        Menu->SetMenuStyle(msStandard);
        Menu->OnBeforeDrawBar = [this](TComponent*, TCanvas&, const TRect&, bool&) { ++BarEvents; };
        TBarPaintRoutines& routines = BarPaintRoutines();
        routines.DrawDoubleBuffer = [this](IBarMenusIntf& menu, TCanvas& canvas, const TRect& dest,
                                           const TRect& source) {
            ++Slices;
            DrawDoubleBuffer(menu, canvas, dest, source);
        };
        BuildShowcaseMenu(*Menu);
    }
    // The menu's window when it closes, with the highlight moved down downs times.
    TShownMenu OpenWith(int downs) {
        for (int i = 0; i < downs; ++i) {
            Headless.QueueAnswer(TModalAnswer::PressKey(vkDown));
        }
        return Open();
    }

    int Slices = 0;
};

TEST_F(ShowcaseTest, TheBarPopupMenuLooksAsApproved) {
    // Three separator styles side by side: etched lines with the first item highlighted, short
    // fading lines with the second, and a caption separator over flat lines.
    std::vector<TBitmap> windows;
    windows.push_back(OpenWith(1).Image);
    EXPECT_EQ(BarEvents, 1);
    const int slicesAfterFirst = Slices;
    Menu->Separators().SeparatorStyle = ssShortLine;
    Menu->Separators().Fade = true;
    Menu->Separators().FadeWidth = 16;
    windows.push_back(OpenWith(2).Image);
    Menu->Separators().SeparatorStyle = ssCaption;
    Menu->Separators().Fade = false;
    Menu->Separators().FlatLines = true;
    windows.push_back(OpenWith(0).Image);

    // Only the first popup rendered the bar; the others copied a slice for each painting of an
    // item: the ten items, then Open selected and Open and Save painted again.
    EXPECT_EQ(BarEvents, 1);
    EXPECT_EQ(Slices - slicesAfterFirst, (10 + 1 + 2) + 10);

    int width = 0;
    int height = 0;
    for (const TBitmap& window : windows) {
        width += window.Width() + 8;
        height = std::max(height, window.Height());
    }
    TSoftCanvas sheet(width - 8, height);
    sheet.Brush.Color = clWhite;
    sheet.FillRect(Rect(0, 0, sheet.Width(), height));
    int left = 0;
    for (const TBitmap& window : windows) {
        sheet.Draw(left, 0, window);
        left += window.Width() + 8;
    }
    EXPECT_TRUE(LooksAsApproved(sheet, "Barpopupmenu.png"));
}

} // namespace
