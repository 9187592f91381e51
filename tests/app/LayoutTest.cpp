// The window as the form description builds it: every control's place, size, texts, fonts and
// visibility, the tab order, the message dialog's values, and a picture of the whole window.

#include "Mainwindowtest.h"

#include "app/Groupglyphs.h"
#include "platform/headless/Pngwriter.h"

namespace {

struct TPlace {
    const char* Name;
    const char* Parent;
    TRect Bounds; // width and height -1: sized by the control itself
    const char* Caption;
    const char* Hint;
    bool ShowHint;
    bool Visible;
};

const TPlace places[] = {
    {"PanelHeader", "frmMain", Bounds(0, 0, 499, 25), "", "", false, true},
    {"btnOptions", "PanelHeader", Bounds(8, 1, 81, 22), "Options", "", true, true},
    {"PanelMain", "frmMain", Bounds(0, 25, 499, 278), "", "", false, true},
    {"OrnGradient1", "PanelMain", Bounds(1, 1, 497, 276), "", "", false, true},
    {"Label3", "PanelMain", Bounds(6, 4, -1, -1), " Select Directory ", "", false, true},
    {"Label4", "PanelMain", Bounds(170, 4, -1, -1), " Select Files to Group", "", false, true},
    {"Label5", "PanelMain", Bounds(334, 4, -1, -1), " Files to Group", "", false, true},
    {"DriveComboBox1", "PanelMain", Bounds(4, 20, 160, 22), "", "", false, true},
    {"DirectoryListBox1", "PanelMain", Bounds(4, 44, 160, 173), "", "", false, true},
    {"FileListBox1", "PanelMain", Bounds(168, 20, 160, 197), "", "Select files to add", true, true},
    {"ListBox1", "PanelMain", Bounds(332, 20, 160, 197), "", "", false, true},
    {"OrnCheckBox1", "PanelMain", Bounds(372, 188, 109, 19), " Extract All Files",
     "Extract all files", true, false},
    {"btnAddAll", "PanelMain", Bounds(168, 220, 78, 25), "Add All", "Add all files to group", true,
     true},
    {"btnFilesAdd", "PanelMain", Bounds(248, 220, 78, 25), "Add Filles",
     "Add selected files to group", true, true},
    {"btnFilesSub", "PanelMain", Bounds(336, 220, 155, 25), "  Remove Filles",
     "Remove selected files", true, true},
    {"Image1", "PanelMain", Bounds(10, 225, 17, 16), "", "", false, true},
    {"Label1", "PanelMain", Bounds(32, 226, -1, -1), "Enter Name of Group File", "", false, true},
    {"EditGrp", "PanelMain", Bounds(8, 248, 155, 21), "MyGroup.grp", "", true, true},
    {"btnName", "PanelMain", Bounds(168, 248, 78, 25), "Sort Name", "Sort lists by name", true,
     true},
    {"btnType", "PanelMain", Bounds(248, 248, 78, 25), "Sort Extn", "Sort lists by extension", true,
     true},
    {"EditGrpFile", "PanelMain", Bounds(172, 248, 145, 21), "", "", true, false},
    {"btnGroup", "PanelMain", Bounds(336, 248, 155, 25), " Create GRP", "", true, true},
    {"btnExtract", "PanelMain", Bounds(336, 248, 155, 25), " Extract GRP", "", true, false},
    {"FileListBox2", "PanelMain", Bounds(84, 140, 69, 69), "", "", false, false},
    {"PanelBottom", "frmMain", Bounds(0, 303, 499, 25), "", "", false, true},
    {"btnMExtract", "PanelBottom", Bounds(12, 1, 110, 22), " M-Extract  ", "", true, true},
    {"btnMGroup", "PanelBottom", Bounds(140, 1, 110, 22), " M-Group ", "", true, true},
    {"btnQuit", "PanelBottom", Bounds(382, 2, 110, 21), "&Quit", "", false, true},
};

class MainWindowLayout : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Form.reset(new TfrmMain(nullptr));
    }
    void TearDown() override {
        Form.reset();
        // Never started, the window knows no folder to write its settings to.
        EXPECT_FALSE(FileExists("Morvik.ini"));
        MainWindowTest::TearDown();
    }

    TControl& Control(const std::string& name) {
        auto* control = dynamic_cast<TControl*>(Form->FindComponent(name));
        if (!control) {
            throw std::runtime_error("the window has no control " + name);
        }
        return *control;
    }

    TComponentPtr<TfrmMain> Form;
};

} // namespace

TEST_F(MainWindowLayout, FormIsAFixedWindowOfTheDesignedSize) {
    EXPECT_EQ(Form->ClientWidth(), 499);
    EXPECT_EQ(Form->ClientHeight(), 328);
    EXPECT_EQ(Form->BorderStyle(), bsSingle);
    EXPECT_EQ(Form->BorderIcons(), biSystemMenu | biMinimize);
    EXPECT_EQ(Form->Position(), poScreenCenter);
    EXPECT_EQ(Form->Color(), clBtnFace);
    EXPECT_EQ(Form->Font(), TFont{}); // "MS Sans Serif" -11 in the window-text colour
    EXPECT_EQ(Form->Caption(), "Morvik - Create .Grp Files for DN or SW");
}

TEST_F(MainWindowLayout, EveryControlHasItsPlaceTextsAndVisibility) {
    for (const TPlace& place : places) {
        SCOPED_TRACE(place.Name);
        const TControl& control = Control(place.Name);
        ASSERT_NE(control.Parent(), nullptr);
        EXPECT_EQ(control.Parent()->Name(), place.Parent);
        EXPECT_EQ(control.Left(), place.Bounds.Left);
        EXPECT_EQ(control.Top(), place.Bounds.Top);
        if (place.Bounds.Width() >= 0) {
            EXPECT_EQ(control.Width(), place.Bounds.Width());
            EXPECT_EQ(control.Height(), place.Bounds.Height());
        }
        EXPECT_EQ(control.Caption(), place.Caption);
        EXPECT_EQ(control.Hint(), place.Hint);
        EXPECT_EQ(control.ShowHint(), place.ShowHint);
        EXPECT_EQ(control.Visible(), place.Visible);
    }
}

TEST_F(MainWindowLayout, FontsAndColoursOfTheForm) {
    const TFont arial = [] {
        TFont font;
        font.Name = "Arial";
        return font;
    }();
    for (const TLabel* label : {Form->Label3, Form->Label4, Form->Label5}) {
        EXPECT_EQ(label->Font(), arial) << label->Name();
        EXPECT_TRUE(label->Transparent());
    }
    EXPECT_EQ(Form->Label1->Font(), TFont{});
    EXPECT_TRUE(Form->Label1->Transparent());
    EXPECT_EQ(Form->DriveComboBox1->Font().Height, -13);
    for (const TEdit* edit : {Form->EditGrp, Form->EditGrpFile}) {
        EXPECT_EQ(edit->Font().Style, fsBold) << edit->Name();
    }
    EXPECT_TRUE(Form->EditGrpFile->ReadOnly());
    EXPECT_FALSE(Form->EditGrp->ReadOnly());

    TFont whiteBold;
    whiteBold.Style = fsBold;
    whiteBold.Color = clWhite;
    for (const TControl* control :
         {static_cast<TControl*>(Form->PanelHeader), static_cast<TControl*>(Form->btnOptions),
          static_cast<TControl*>(Form->btnMExtract), static_cast<TControl*>(Form->btnMGroup),
          static_cast<TControl*>(Form->btnQuit)}) {
        EXPECT_EQ(control->Font(), whiteBold) << control->Name();
    }
    TFont white;
    white.Color = clWhite;
    EXPECT_EQ(Form->PanelBottom->Font(), white);

    EXPECT_EQ(Form->PanelHeader->Color(), clNavy);
    EXPECT_EQ(Form->PanelBottom->Color(), clSilver);
    for (const TWDGradientPanel* bar : {Form->PanelHeader, Form->PanelBottom}) {
        EXPECT_EQ(bar->Color1(), clBlue);
        EXPECT_EQ(bar->Color2(), clNavy);
        EXPECT_EQ(bar->GradientDirection(), TWDGradientPanel::gdHorizontal);
    }
    EXPECT_EQ(Form->OrnGradient1->ColorBegin(), clWhite);
    EXPECT_EQ(Form->OrnGradient1->ColorEnd(), clGray);
    EXPECT_EQ(Form->OrnGradient1->Align(), alClient);
    EXPECT_EQ(Form->OrnCheckBox1->HotTrackColor(), clYellow);
    EXPECT_TRUE(Form->OrnCheckBox1->Transparent());
}

TEST_F(MainWindowLayout, ListsAndButtonsBehaveAsDesigned) {
    EXPECT_TRUE(Form->FileListBox1->MultiSelect());
    EXPECT_EQ(Form->FileListBox1->FileType(), std::uint32_t(faReadOnly | faArchive | faNormal));
    EXPECT_EQ(Form->FileListBox1->Mask(), "*.*");
    EXPECT_TRUE(Form->ListBox1->MultiSelect());
    EXPECT_FALSE(Form->ListBox1->Sorted());
    EXPECT_EQ(Form->ListBox1->ItemHeight(), 13);
    EXPECT_EQ(Form->DirectoryListBox1->ItemHeight(), 16);
    EXPECT_EQ(Form->DirectoryListBox1->FileList(), Form->FileListBox1);
    EXPECT_EQ(Form->DriveComboBox1->DirList(), Form->DirectoryListBox1);
    EXPECT_TRUE(Form->Image1->Stretch());
    EXPECT_TRUE(Form->Image1->Transparent());
    EXPECT_EQ(Form->Image1->Picture().Width(), 17);

    const TSpeedButton* right[] = {Form->btnAddAll, Form->btnFilesAdd, Form->btnMExtract};
    const TSpeedButton* left[] = {Form->btnFilesSub, Form->btnGroup, Form->btnExtract,
                                  Form->btnMGroup, Form->btnQuit};
    for (const TSpeedButton* button : right) {
        EXPECT_EQ(button->Layout(), blGlyphRight) << button->Name();
    }
    for (const TSpeedButton* button : left) {
        EXPECT_EQ(button->Layout(), blGlyphLeft) << button->Name();
    }
    for (const auto& group : {std::vector<const TSpeedButton*>(std::begin(right), std::end(right)),
                              std::vector<const TSpeedButton*>(std::begin(left), std::end(left))}) {
        for (const TSpeedButton* button : group) {
            ASSERT_EQ(button->Glyph().Height(), 16) << button->Name();
            // The bottom-left pixel is the colour a speed button leaves out.
            EXPECT_EQ(button->Glyph().Pixel(0, 15), clFuchsia) << button->Name();
        }
    }
    for (const TSpeedButton* button : {Form->btnName, Form->btnType, Form->btnOptions}) {
        EXPECT_TRUE(button->Glyph().Empty()) << button->Name();
    }
    for (const TSpeedButton* button :
         {Form->btnOptions, Form->btnAddAll, Form->btnFilesAdd, Form->btnFilesSub, Form->btnName,
          Form->btnType, Form->btnGroup, Form->btnExtract, Form->btnMExtract, Form->btnMGroup,
          Form->btnQuit}) {
        EXPECT_TRUE(button->Flat()) << button->Name();
        EXPECT_EQ(button->Cursor(), crHandPoint) << button->Name();
    }
}

TEST_F(MainWindowLayout, MessageDialogValuesOfTheForm) {
    const TOrnMesg& mesg = *Form->OrnMesg1;
    EXPECT_EQ(mesg.Owner(), Form.get());
    EXPECT_EQ(mesg.ColorGradient1(), clWhite);
    EXPECT_EQ(mesg.ColorGradient2(), clGray);
    // "MS Sans Serif" -11 in the window-text colour, no style, for the text and the buttons.
    EXPECT_EQ(mesg.FontText(), TFont{});
    EXPECT_EQ(mesg.FontButton(), TFont{});
    EXPECT_EQ(mesg.SoundNum(), -1);
    EXPECT_EQ(mesg.Symbol(), dgWarning);
    EXPECT_FALSE(mesg.VerticalGradient());
}

TEST_F(MainWindowLayout, TabOrderOfTheMainArea) {
    const TWinControl* order[] = {Form->DirectoryListBox1, Form->FileListBox1, Form->ListBox1,
                                  Form->EditGrp,           Form->OrnCheckBox1, Form->DriveComboBox1,
                                  Form->FileListBox2,      Form->EditGrpFile};
    for (int i = 0; i < int(std::size(order)); ++i) {
        EXPECT_EQ(order[i]->TabOrder(), i) << order[i]->Name();
        EXPECT_TRUE(order[i]->TabStop()) << order[i]->Name();
    }
}

TEST_F(MainWindowTest, WindowIsShownInTheScreensCentre) {
    Run([&](TfrmMain& form) {
        EXPECT_EQ(form.Left(), (1024 - form.Width()) / 2);
        EXPECT_EQ(form.Top(), (768 - form.Height()) / 2);
    });
}

// Pictures of the window in both modes, written beside the test program for anyone to look at
// (MainWindow-creating.png, MainWindow-extracting.png).
TEST_F(MainWindowTest, PictureOfTheWindow) {
    for (const char* name : {"DUKE3D.GRP", "E1L1.MAP", "GAME.CON", "readme.txt"}) {
        Program.AddFile(name);
    }
    Run([&](TfrmMain& form) {
        MarkItems(*form.FileListBox1, {"E1L1.MAP", "GAME.CON"});
        Headless.UserClick(*form.btnFilesAdd);
        TBitmap picture(form.ClientWidth(), form.ClientHeight());
        form.PaintTo(picture.Canvas(), 0, 0);
        EXPECT_TRUE(WritePng(MORVIK_PICTURE_FOLDER "/MainWindow-creating.png", picture));
        // The bars start blue inside their bevel; the main area starts white.
        EXPECT_EQ(picture.Pixel(1, 12), clBlue);
        EXPECT_EQ(picture.Pixel(1, 315), clBlue);
        EXPECT_EQ(picture.Pixel(1, 298), clWhite);

        Headless.UserClick(*form.btnMExtract);
        form.PaintTo(picture.Canvas(), 0, 0);
        EXPECT_TRUE(WritePng(MORVIK_PICTURE_FOLDER "/MainWindow-extracting.png", picture));
    });
}
