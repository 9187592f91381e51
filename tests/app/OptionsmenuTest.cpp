// The Options menu on the running window as a user has it: the press on Options, the menu at the
// pointer with its five items measured and painted by the form's draw module, the highlight, and
// each command chosen from the menu.

#include "Mainwindowtest.h"

#include "app/Groupglyphs.h"
#include "widgets/Showndialog.h"

#include <algorithm>

namespace {

using TNames = std::vector<std::string>;

const TColor grey = RGB(128, 128, 128);

class OptionsMenuTest : public MainWindowTest {
protected:
    // The leftmost x of a pixel of color inside r of image, right of the item's picture (at
    // left + 5, 16 wide); -1 when there is none.
    static int FirstColumnOf(const TBitmap& image, const TRect& r, TColor color) {
        for (int x = r.Left + 21; x < r.Right; ++x) {
            for (int y = r.Top; y < r.Bottom; ++y) {
                if (image.Pixel(x, y) == color) {
                    return x;
                }
            }
        }
        return -1;
    }
    // The normal gradient's blue at column x of an item w pixels wide: blue to navy.
    static TColor NormalBlue(int x, int w) { return RGB(0, 0, std::uint8_t(255 - 127 * x / w)); }

    static TColor CreateColour(const TfrmMain& form) { return form.btnGroup->Font().Color; }
    static std::string MenuAt(TPoint p) {
        return "Menu " + std::to_string(p.X) + "," + std::to_string(p.Y);
    }
};

TEST_F(OptionsMenuTest, TheMenuIsBuiltWithTheFormsValuesAndItsItemsHooked) {
    Run([&](TfrmMain& form) {
        TBcBarPopupMenu& menu = *form.MenuPopupOptions;
        EXPECT_EQ(menu.Owner(), &form);
        EXPECT_TRUE(menu.OwnerDraw());
        EXPECT_FALSE(menu.Bar().Visible());
        const TFont& barFont = menu.Bar().BarCaption().Font;
        EXPECT_EQ(barFont.Name, "Tahoma");
        EXPECT_EQ(barFont.Height, -19);
        EXPECT_EQ(barFont.Color, clWhite);
        EXPECT_EQ(barFont.Style, fsBold | fsItalic);
        for (const TFont* font : {&std::as_const(menu.Separators().Font), &menu.GetMenuFont()}) {
            EXPECT_EQ(font->Name, "MS Sans Serif");
            EXPECT_EQ(font->Height, -11);
            EXPECT_EQ(font->Color, clWindowText);
        }
        EXPECT_EQ(menu.GetDrawModule(), form.OrnDrawModule1);
        EXPECT_EQ(form.OrnDrawModule1->GetDrawingMenu(), &menu);

        const TOrnDrawModule& module = *form.OrnDrawModule1;
        EXPECT_EQ(module.Description, "Needs BcBarPopupMenu");
        EXPECT_EQ(module.ColorGradient1, clBlue);
        EXPECT_EQ(module.ColorGradient2, clNavy);
        EXPECT_EQ(module.ColorNormalText, clWhite);
        EXPECT_EQ(module.ColorSelectText, clBlack);
        EXPECT_EQ(module.CursorGradient1, clWhite);
        EXPECT_EQ(module.CursorGradient2, clSilver);
        EXPECT_TRUE(module.TextBold);
        EXPECT_EQ(module.TextHeight, 24);
        EXPECT_EQ(module.TextSpacing, 32);
        EXPECT_EQ(module.Width, 22);

        // The items, in order, were added while the menu loaded and hooked when it had loaded.
        const TMenuItem* items[] = {form.DesktopIcon1, form.AboutMorvik1, form.N1, form.Cancel1,
                                    form.QuitApplication1};
        ASSERT_EQ(menu.Items()->Count(), 5);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(menu.Items()->Items(i), items[i]);
            EXPECT_TRUE(items[i]->OnMeasureItem) << i;
            EXPECT_TRUE(items[i]->OnAdvancedDrawItem) << i;
        }
        EXPECT_EQ(form.N1->Caption(), "-");
        EXPECT_EQ(form.N1->Hint(), "-");
        EXPECT_FALSE(form.N1->OnClick);
    });
}

TEST_F(OptionsMenuTest, PressOptionsSeeTheMenuAtThePointerAndChooseAbout) {
    Program.AddFile("a.txt");
    TPoint pointer;
    Run([&](TfrmMain& form) {
        Headless.UserClick(*form.btnAddAll);
        // Typing does not recolour the Create button; the press on Options does.
        form.EditGrp->SetText("");
        ASSERT_EQ(CreateColour(form), clYellow);
        // The pointer over the middle of Options, where the click is made.
        Headless.UserMouseMove(*form.btnOptions, form.btnOptions->Width() / 2,
                               form.btnOptions->Height() / 2);
        pointer = Headless.CursorPos();
        Headless.ClearRecords();
        Headless.QueueAnswer(TModalAnswer::PressKey(vkDown));
        Headless.QueueAnswer(TModalAnswer::PressKey(vkDown));
        Headless.QueueAnswer(TModalAnswer::PressKey(vkReturn));
        Headless.QueueAnswer(TModalAnswer::ClickControl("A0"));
        Headless.UserClick(*form.btnOptions);
        EXPECT_EQ(CreateColour(form), clBlack);
    });

    EXPECT_EQ(Headless.Journal(),
              (TNames{"Beep 48", MenuAt(pointer), "Beep 64", "Dialog Information"}));
    ASSERT_EQ(Headless.Menus().size(), 1u);
    const TShownMenu& shown = Headless.Menus()[0];
    EXPECT_EQ(shown.Point, pointer);
    EXPECT_EQ(shown.Names,
              (TNames{"DesktopIcon1", "AboutMorvik1", "N1", "Cancel1", "QuitApplication1"}));
    EXPECT_EQ(shown.Captions,
              (TNames{"Desktop Icon", "About Morvik", "-", "Cancel", "Quit Application"}));
    const int heights[] = {24, 24, 14, 24, 24};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(shown.Sizes[i].cy, heights[i]) << i;
        EXPECT_EQ(shown.ItemRects[i].Height(), heights[i]) << i;
    }

    // Open: every item blue to navy; the captions white and bold 32 pixels in; the separator a
    // plain strip of the gradient.
    for (std::size_t i = 0; i < 5; ++i) {
        const TRect r = shown.ItemRects[i];
        const int w = r.Width();
        EXPECT_EQ(shown.OpenImage.Pixel(r.Left, r.Top), clBlue) << i;
        EXPECT_EQ(shown.OpenImage.Pixel(r.Right - 1, r.Bottom - 1), NormalBlue(w - 1, w)) << i;
        if (i == 2) {
            for (int x = r.Left; x < r.Right; ++x) {
                for (int y = r.Top; y < r.Bottom; ++y) {
                    ASSERT_EQ(shown.OpenImage.Pixel(x, y), NormalBlue(x - r.Left, w)) << x << y;
                }
            }
        } else {
            EXPECT_EQ(FirstColumnOf(shown.OpenImage, r, clWhite), r.Left + 32) << i;
        }
    }

    // Each item's picture at left + 5, at the item's top, its magenta background left out; the
    // separator has none.
    const TGroupGlyph pictures[] = {TGroupGlyph::DesktopIcon, TGroupGlyph::AboutMorvik,
                                    TGroupGlyph::Cancel, TGroupGlyph::QuitApplication};
    const std::size_t pictured[] = {0, 1, 3, 4};
    for (std::size_t n = 0; n < 4; ++n) {
        const TRect r = shown.ItemRects[pictured[n]];
        const TBitmap picture = GroupGlyph(pictures[n]);
        ASSERT_EQ(picture.Width(), 16);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const TColor p = picture.Pixel(x, y);
                const TColor under = p == clFuchsia ? NormalBlue(5 + x, r.Width()) : p;
                ASSERT_EQ(shown.OpenImage.Pixel(r.Left + 5 + x, r.Top + y), under)
                    << "item " << pictured[n] << " at " << x << "," << y;
            }
        }
    }

    // At the close, "About Morvik" has the highlight: white to silver in a grey frame, with a
    // black caption; "Desktop Icon" has its normal look again.
    const TRect about = shown.ItemRects[1];
    EXPECT_EQ(shown.Chosen, 1);
    EXPECT_EQ(shown.Image.Pixel(about.Left, about.Top), grey);
    EXPECT_EQ(shown.Image.Pixel(about.Right - 1, about.Bottom - 1), grey);
    EXPECT_EQ(shown.Image.Pixel(about.Left + 1, about.Top + 1), RGB(254, 254, 254));
    const TColor nearCorner = shown.Image.Pixel(about.Right - 2, about.Bottom - 2);
    EXPECT_GE(GetRValue(nearCorner), 192);
    EXPECT_LT(GetRValue(nearCorner), 200);
    EXPECT_EQ(FirstColumnOf(shown.Image, about, clBlack), about.Left + 32);
    EXPECT_EQ(FirstColumnOf(shown.Image, about, clWhite), -1);
    const TRect desktop = shown.ItemRects[0];
    EXPECT_EQ(shown.Image.Pixel(desktop.Left + 1, desktop.Top + 1), NormalBlue(1, desktop.Width()));
    EXPECT_EQ(FirstColumnOf(shown.Image, desktop, clWhite), desktop.Left + 32);
    ASSERT_FALSE(shown.Paints.empty());
    EXPECT_EQ(shown.Paints.back().Index, 1);
    EXPECT_TRUE(shown.Paints.back().State & odSelected);

    ASSERT_EQ(Headless.Dialogs().size(), 1u);
    const TShownDialog& dialog = Headless.Dialogs()[0];
    EXPECT_EQ(MessageOf(dialog).rfind("Morvik - v2.0\nWritten for Duke3d and Shadow Warrior\n", 0),
              0u);
    EXPECT_TRUE(ShowsIcon(dialog, siAsterisk));
}

TEST_F(OptionsMenuTest, CancelAndAClickOutsideChangeNothingButThePress) {
    Program.AddFile("a.txt");
    Program.AddFile("b.map");
    Run([&](TfrmMain& form) {
        MarkItems(*form.FileListBox1, {"a.txt"});
        Headless.UserClick(*form.btnFilesAdd);
        form.EditGrp->SetText("");
        const std::string caption = form.Caption();
        const TNames files = Items(*form.FileListBox1);
        const TNames toPack = Items(*form.ListBox1);
        const std::string groupName = form.EditGrp->Text();
        for (const TModalAnswer& answer :
             {TModalAnswer::ClickControl("Cancel1"), TModalAnswer::CloseWindow()}) {
            form.btnGroup->SetFont([&] {
                TFont font = form.btnGroup->Font();
                font.Color = clYellow;
                return font;
            }());
            Headless.ClearRecords();
            Headless.QueueAnswer(answer);
            Headless.UserClick(*form.btnOptions);
            EXPECT_EQ(Headless.Journal(), (TNames{"Beep 48", MenuAt(Headless.CursorPos())}));
            EXPECT_EQ(CreateColour(form), clBlack);
            EXPECT_EQ(form.Caption(), caption);
            EXPECT_EQ(Items(*form.FileListBox1), files);
            EXPECT_EQ(Items(*form.ListBox1), toPack);
            EXPECT_EQ(form.EditGrp->Text(), groupName);
            EXPECT_FALSE(Application().Terminated());
        }
        ASSERT_EQ(Headless.Menus().size(), 1u);
    });
    EXPECT_TRUE(Headless.Shell().Links().empty());
}

TEST_F(OptionsMenuTest, QuitApplicationEndsTheProgramAndWritesTheSettings) {
    bool loopWentOn = false;
    EXPECT_EQ(Run(
                  [&](TfrmMain& form) {
                      Headless.QueueLoopAction([&] { loopWentOn = true; });
                      Headless.QueueAnswer(TModalAnswer::ClickControl("QuitApplication1"));
                      Headless.UserClick(*form.btnOptions);
                  },
                  false),
              0);
    EXPECT_FALSE(loopWentOn);
    EXPECT_EQ(ReadSettings(),
              "[Setup]\r\nLastFolder=" + Program.Name() + "\r\nGroupPath=\r\nGroupFile=\r\n");
}

TEST_F(OptionsMenuTest, DesktopIconTwiceWritesTheSameLinkTwice) {
    Run([&](TfrmMain& form) {
        for (int i = 0; i < 2; ++i) {
            Headless.QueueAnswer(TModalAnswer::ClickControl("DesktopIcon1"));
            Headless.UserClick(*form.btnOptions);
        }
    });
    const std::vector<TRecordedLink>& links = Headless.Shell().Links();
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].FileName, links[1].FileName);
    EXPECT_TRUE(links[0].Failure.empty());
    EXPECT_EQ(links[1].Link.Path, Program / "Morvik.exe");
    EXPECT_EQ(Headless.Beeps(),
              (std::vector<TSoundType>{sndExclamation, sndAsterisk, sndExclamation, sndAsterisk}));
}

} // namespace
