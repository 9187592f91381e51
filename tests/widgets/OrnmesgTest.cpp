// The message dialog on the headless platform: its properties, its layout with the fixed-metric
// font ("MS Sans Serif" -11: average character 6 x 13), its buttons and its state across calls.

#include "toolkit/Headlesstest.h"
#include "toolkit/Pixelcheck.h"
#include "widgets/Showndialog.h"

#include "toolkit/Stdctrls.h"
#include "widgets/Orngradient.h"
#include "widgets/Ornmesg.h"

#include <string>
#include <vector>

namespace {

// Words of nine letters joined by blanks: 9 + 1 characters of 6 pixels each per word.
std::string Words(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += i == 0 ? "abcdefghi" : " abcdefghi";
    }
    return text;
}

class OrnMesg : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        ComponentsBefore = Application().ComponentCount();
        Mesg.reset(new TOrnMesg(nullptr));
    }
    void TearDown() override {
        Mesg.reset();
        EXPECT_EQ(Application().ComponentCount(), ComponentsBefore) << "a dialog was left over";
        HeadlessTest::TearDown();
    }

    void Click(const std::string& name) { Headless.QueueAnswer(TModalAnswer::ClickControl(name)); }
    void CloseBox() { Headless.QueueAnswer(TModalAnswer::CloseWindow()); }
    const TShownDialog& Shown(std::size_t index = 0) const { return Headless.Dialogs().at(index); }
    const TShownDialog& LastShown() const { return Headless.Dialogs().back(); }

    // A control of the dialog that must be there.
    static const TShownControl& Control(const TShownDialog& dialog, const std::string& name) {
        const TShownControl* control = dialog.Find(name);
        if (!control) {
            throw std::runtime_error("the dialog has no control " + name);
        }
        return *control;
    }

    TComponentPtr<TOrnMesg> Mesg;
    int ComponentsBefore = 0;
};

// ---- Properties --------------------------------------------------------------------------------

TEST_F(OrnMesg, ConstructorValues) {
    EXPECT_EQ(Mesg->About_Help(), TAbout::None);
    EXPECT_TRUE(Mesg->ClearButtons());
    EXPECT_EQ(Mesg->Color(), clBtnFace);
    EXPECT_EQ(Mesg->ColorGradient1(), clBtnFace);
    EXPECT_EQ(Mesg->ColorGradient2(), clGray);
    EXPECT_EQ(Mesg->FontButton(), TFont{});
    EXPECT_EQ(Mesg->FontText(), TFont{});
    EXPECT_EQ(Mesg->SoundNum(), -1);
    EXPECT_EQ(Mesg->Symbol(), dgWarning);
    EXPECT_EQ(Mesg->TextAlign(), taLeftJustify);
    EXPECT_FALSE(Mesg->VerticalGradient());
    EXPECT_EQ(Mesg->Xpos(), -1);
    EXPECT_EQ(Mesg->Ypos(), -1);
    EXPECT_EQ(Mesg->CaptionText(), "");
    EXPECT_EQ(Mesg->ButtonSet(), MsgDlgButton(mbOK));
    EXPECT_EQ(Mesg->ButtonGap(), 1);
    EXPECT_EQ(Mesg->DialogStyle(), dsStayOnTop);
    EXPECT_EQ(Mesg->ActiveDialog(), nullptr);

    const TComponentPtr<TOrnButt> button(new TOrnButt(nullptr));
    EXPECT_EQ(button->Cursor(), crHandPoint);
    EXPECT_FALSE(button->ParentFont());
    EXPECT_TRUE(button->Flat());
    EXPECT_EQ(button->Spacing(), 0);
    EXPECT_EQ(button->Width(), 75);
    EXPECT_TRUE(button->Transparent());
}

TEST_F(OrnMesg, ClearButtonsSelectsTheGapAndFontsAreCopied) {
    Mesg->SetClearButtons(false);
    EXPECT_EQ(Mesg->ButtonGap(), 4);
    Mesg->SetClearButtons(true);
    EXPECT_EQ(Mesg->ButtonGap(), 1);

    TFont font;
    font.Style = fsBold;
    Mesg->SetFontText(font);
    Mesg->SetFontButton(font);
    font.Height = -20;
    EXPECT_EQ(Mesg->FontText().Style, fsBold);
    EXPECT_EQ(Mesg->FontText().Height, -11);
    EXPECT_EQ(Mesg->FontButton().Height, -11);
}

// ---- Building ----------------------------------------------------------------------------------

TEST_F(OrnMesg, TheDialogIsBuiltFromTheSettings) {
    TFont textFont;
    textFont.Style = fsItalic;
    TFont buttonFont;
    buttonFont.Color = clRed;
    Mesg->SetFontText(textFont);
    Mesg->SetFontButton(buttonFont);
    Mesg->SetClearButtons(false);
    Mesg->SetTextAlign(taCenter);
    Mesg->SetColorGradient1(clWhite);
    Mesg->SetVerticalGradient(true);
    const TComponentPtr<TMessageForm> dialog(Mesg->CreateMessageDialog(
        "Text", mtConfirmation, MsgDlgButton(mbCancel) | MsgDlgButton(mbOK)));

    EXPECT_EQ(dialog->Owner(), &Application());
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(dialog->Caption(), "Confirm");
    EXPECT_EQ(dialog->BorderStyle(), bsDialog);
    EXPECT_EQ(dialog->BorderIcons(), biSystemMenu);
    EXPECT_EQ(dialog->FormStyle(), fsStayOnTop);

    ASSERT_EQ(dialog->ControlCount(), 5);
    std::vector<std::string> names;
    for (int i = 0; i < dialog->ControlCount(); ++i) {
        names.push_back(dialog->Controls(i)->Name());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Gradient", "Image", "Message", "A0", "A1"}));

    auto* gradient = dynamic_cast<TOrnGradient*>(dialog->Controls(0));
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->ColorBegin(), clWhite);
    EXPECT_EQ(gradient->ColorEnd(), clGray);
    EXPECT_EQ(gradient->Gradient(), TOrnGradient::gdVertical);
    EXPECT_EQ(gradient->BoundsRect(), dialog->ClientRect());

    auto* label = dynamic_cast<TLabel*>(dialog->Controls(2));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Caption(), "Text");
    EXPECT_TRUE(label->WordWrap());
    EXPECT_FALSE(label->AutoSize());
    EXPECT_TRUE(label->Transparent());
    EXPECT_EQ(label->Alignment(), taCenter);
    EXPECT_EQ(label->Font(), textFont);

    auto* ok = dynamic_cast<TOrnButt*>(dialog->Controls(3));
    auto* cancel = dynamic_cast<TOrnButt*>(dialog->Controls(4));
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(ok->Caption(), "&OK");
    EXPECT_EQ(ok->ButtonResult, mrOk);
    EXPECT_EQ(cancel->Caption(), "&Cancel");
    EXPECT_EQ(cancel->ButtonResult, mrCancel);
    EXPECT_FALSE(ok->Flat());
    EXPECT_TRUE(ok->Transparent());
    EXPECT_EQ(ok->Font(), buttonFont);
    EXPECT_EQ(ok->Cursor(), crHandPoint);
}

// ---- Layout ------------------------------------------------------------------------------------

TEST_F(OrnMesg, ANarrowMessageGetsTheWorkedMetricsAndTheButtonRowsWidth) {
    // Button 69 x 24, gap 2, margins 12 and 13, spacings 15 and 16. "Hi" is 12 x 13; with the
    // icon its block is 12 + 32 + 15 = 59 wide and 32 high, narrower than the row of two
    // buttons (2 * 69 + 2 = 140): the client area is 140 + 2 * 12 wide and
    // 32 + 24 + 16 + 2 * 13 high.
    Click("A0");
    EXPECT_EQ(Mesg->MessageShow("Hi", "Question", "mbYes,mbNo", -1, -1), mrYes);
    const TShownDialog& dialog = Shown();
    EXPECT_EQ(dialog.Caption, "Question");
    EXPECT_EQ(dialog.ClientWidth, 164);
    EXPECT_EQ(dialog.ClientHeight, 98);
    // Centred by the outer size: the frame adds 3 + 3 across and 22 + 3 down.
    EXPECT_EQ(dialog.Bounds, Bounds(512 - 170 / 2, 384 - 123 / 2, 170, 123));
    EXPECT_EQ(Control(dialog, "Gradient").Bounds, Rect(0, 0, 164, 98));
    EXPECT_EQ(Control(dialog, "Image").Bounds, Bounds(12, 13, 32, 32));
    EXPECT_EQ(Control(dialog, "Message").Bounds, Bounds(59, 13, 12, 13));
    EXPECT_EQ(Control(dialog, "A0").Bounds, Bounds(12, 61, 69, 24));
    EXPECT_EQ(Control(dialog, "A0").Caption, "&Yes");
    EXPECT_EQ(Control(dialog, "A1").Bounds, Bounds(83, 61, 69, 24));
    EXPECT_EQ(Control(dialog, "A1").Caption, "&No");
    EXPECT_EQ(dialog.Find("A2"), nullptr);
}

TEST_F(OrnMesg, WithoutClearButtonsTheGapIsSix) {
    Mesg->SetClearButtons(false);
    Click("A1");
    EXPECT_EQ(Mesg->MessageShow("Hi", "Question", "mbYes,mbNo", -1, -1), mrNo);
    EXPECT_EQ(Shown().ClientWidth, 2 * 69 + 6 + 24);
    EXPECT_EQ(Control(Shown(), "A0").Bounds, Bounds(12, 61, 69, 24));
    EXPECT_EQ(Control(Shown(), "A1").Bounds, Bounds(87, 61, 69, 24));
}

TEST_F(OrnMesg, MetricsFollowTheFontsAndRoundHalvesAwayFromZero) {
    // -13 gives an average character of 7 x 15: button 46 * 7 / 4 = 80.5 -> 81 wide,
    // 15 * 15 / 8 = 28.1 -> 28 high, gap 1.75 -> 2; margins 14 and 15, spacings 17.5 -> 18
    // and 18.75 -> 19.
    TFont font;
    font.Height = -13;
    Mesg->SetFontButton(font);
    Mesg->SetFontText(font);
    Click("A0");
    Mesg->MessageShow("Hi", "", "mbYes,mbNo", -1, -1);
    const TShownDialog& dialog = Shown();
    EXPECT_EQ(Control(dialog, "Image").Bounds, Bounds(14, 15, 32, 32));
    EXPECT_EQ(Control(dialog, "Message").Bounds, Bounds(14 + 32 + 18, 15, 14, 15));
    EXPECT_EQ(Control(dialog, "A0").Bounds, Bounds(14, 32 + 15 + 19, 81, 28));
    EXPECT_EQ(Control(dialog, "A1").Bounds, Bounds(14 + 81 + 2, 32 + 15 + 19, 81, 28));
    EXPECT_EQ(dialog.ClientWidth, 2 * 81 + 2 + 2 * 14);
    EXPECT_EQ(dialog.ClientHeight, 32 + 28 + 19 + 2 * 15);
}

TEST_F(OrnMesg, AWideLineWidensTheDialogAndCentresTheButtons) {
    Click("A0");
    Mesg->MessageShow(std::string(30, 'x'), "", "mbOK", -1, -1);
    // 180 + 32 + 15 + 2 * 12 = 251; one button centred: (251 - 69) / 2 = 91.
    EXPECT_EQ(Shown().ClientWidth, 251);
    EXPECT_EQ(Control(Shown(), "A0").Bounds.Left, 91);
}

TEST_F(OrnMesg, ALongLineWrapsAtHalfTheScreenWidth) {
    // Half of 1024 is 512 pixels, 85 characters: eight words and their blanks (80) fit on a
    // line, a ninth word would not.
    Click("A0");
    Mesg->MessageShow(Words(12), "", "mbOK", -1, -1);
    EXPECT_EQ(Control(Shown(), "Message").Bounds, Bounds(59, 13, 480, 26));
    EXPECT_EQ(Shown().ClientWidth, 12 + 32 + 15 + 480 + 12);

    // Half of 800 is 400 pixels, 66 characters: six words and their blanks.
    Headless.SetScreenSize({800, 600});
    Click("A0");
    Mesg->MessageShow(Words(12), "", "mbOK", -1, -1);
    EXPECT_EQ(Control(LastShown(), "Message").Bounds, Bounds(59, 13, 360, 26));
    EXPECT_EQ(LastShown().Bounds.Left, 400 - LastShown().Bounds.Width() / 2);
    EXPECT_EQ(LastShown().Bounds.Top, 300 - LastShown().Bounds.Height() / 2);
}

TEST_F(OrnMesg, AMessageOver1024CharactersIsShownWhole) {
    // 150 words, 1499 characters, eight to a line: 19 lines of 13 pixels. Measuring only the
    // first 1024 characters would give 13 lines.
    const std::string text = Words(150);
    ASSERT_GT(text.size(), 1024u);
    Click("A0");
    Mesg->MessageShow(text, "", "mbOK", -1, -1);
    const TShownControl& message = Control(Shown(), "Message");
    EXPECT_EQ(message.Caption, text);
    EXPECT_EQ(message.Bounds, Bounds(59, 13, 480, 19 * 13));
    EXPECT_EQ(Shown().ClientHeight, 19 * 13 + 24 + 16 + 2 * 13);
    EXPECT_EQ(Control(Shown(), "A0").Bounds.Top, 19 * 13 + 13 + 16);
}

TEST_F(OrnMesg, TheFifthSymbolHasNoIconAndNoCaption) {
    Mesg->SetSymbol(dgNone);
    Click("A0");
    Mesg->MessageShow("Hi", "", "mbOK", -1, -1);
    EXPECT_EQ(Shown().Caption, "");
    EXPECT_EQ(Shown().Find("Image"), nullptr);
    EXPECT_EQ(Control(Shown(), "Message").Bounds, Bounds(12, 13, 12, 13));
    // The block is the text alone, 13 high.
    EXPECT_EQ(Control(Shown(), "A0").Bounds.Top, 13 + 13 + 16);
}

// ---- Buttons -----------------------------------------------------------------------------------

TEST_F(OrnMesg, NamesAreFoundAsSubstringsInAnyCaseAndLaidOutInTableOrder) {
    Click("A1");
    EXPECT_EQ(Mesg->MessageShow("Hi", "", "mbYesToAll", -1, -1), mrYesToAll);
    EXPECT_EQ(Control(LastShown(), "A0").Caption, "&Yes");
    EXPECT_EQ(Control(LastShown(), "A1").Caption, "Ye&sToAll");
    EXPECT_EQ(LastShown().Find("A2"), nullptr);
    EXPECT_EQ(Mesg->ButtonSet(), MsgDlgButton(mbYes) | MsgDlgButton(mbYesToAll));

    Click("A1");
    EXPECT_EQ(Mesg->MessageShow("Hi", "", "mbNoToAll", -1, -1), mrNoToAll);
    EXPECT_EQ(Control(LastShown(), "A0").Caption, "&No");
    EXPECT_EQ(Control(LastShown(), "A1").Caption, "No&ToAll");

    // The same names in lower case and reverse order give the same dialog.
    Click("A0");
    Mesg->MessageShow("Hi", "", "mbYes,mbNo", -1, -1);
    Click("A0");
    Mesg->MessageShow("Hi", "", "mbno , mbyes", -1, -1);
    const TShownDialog& first = Shown(2);
    const TShownDialog& second = Shown(3);
    ASSERT_EQ(first.Controls.size(), second.Controls.size());
    for (std::size_t i = 0; i < first.Controls.size(); ++i) {
        EXPECT_EQ(first.Controls[i].Name, second.Controls[i].Name);
        EXPECT_EQ(first.Controls[i].Caption, second.Controls[i].Caption);
        EXPECT_EQ(first.Controls[i].Bounds, second.Controls[i].Bounds);
    }
    EXPECT_EQ(first.Bounds, second.Bounds);
}

TEST_F(OrnMesg, EveryKindHasItsCaptionPlaceAndResult) {
    const std::vector<std::string> captions = {"&Yes",     "&No",      "&OK",     "&Cancel",
                                               "&Abort",   "&Retry",   "&Ignore", "A&ll",
                                               "No&ToAll", "Ye&sToAll"};
    const std::vector<int> results = {6, 7, 1, 2, 3, 4, 5, 8, 9, 10};
    const std::string reversed =
        "mbYesToAll,mbNoToAll,mbAll,mbIgnore,mbRetry,mbAbort,mbCancel,mbOK,mbNo,mbYes";
    for (std::size_t k = 0; k < captions.size(); ++k) {
        const std::string name = "A" + std::to_string(k);
        Click(name);
        EXPECT_EQ(Mesg->MessageShow("Hi", "", reversed, -1, -1), results[k]) << name;
        const TShownDialog& dialog = LastShown();
        EXPECT_EQ(Control(dialog, name).Caption, captions[k]);
        // Ten buttons, 10 * 69 + 9 * 2 wide, the row centred in its margins.
        EXPECT_EQ(Control(dialog, name).Bounds.Left, 12 + int(k) * (69 + 2));
    }
    EXPECT_EQ(LastShown().ClientWidth, 10 * 69 + 9 * 2 + 2 * 12);
}

TEST_F(OrnMesg, NoKnownNameGivesNoButtonsButKeepsTheRow) {
    CloseBox();
    EXPECT_EQ(Mesg->MessageShow("Hi", "", "mbMaybe, yes, no", -1, -1), mrCancel);
    EXPECT_EQ(Mesg->ButtonSet(), 0);
    EXPECT_EQ(Shown().Find("A0"), nullptr);
    EXPECT_EQ(Shown().ClientWidth, 59 + 2 * 12);
    EXPECT_EQ(Shown().ClientHeight, 32 + 24 + 16 + 2 * 13);
}

TEST_F(OrnMesg, TheCloseBoxGivesTwoWhateverTheButtons) {
    CloseBox();
    EXPECT_EQ(Mesg->MessageShow("Hi", "", "mbYes,mbNo", -1, -1), mrCancel);
    EXPECT_EQ(Shown().BorderStyle, bsDialog);
    EXPECT_EQ(Shown().BorderIcons, biSystemMenu);
    EXPECT_EQ(Shown().FormStyle, fsStayOnTop);
}

TEST_F(OrnMesg, UnderlinedLettersClickTheirButtonsAndEnterAndEscapeDoNothing) {
    Headless.QueueAnswer(TModalAnswer::PressKey('Y'));
    EXPECT_EQ(Mesg->MessageShow("Hi", "", "mbYes,mbNo", -1, -1), mrYes);
    Headless.QueueAnswer(TModalAnswer::PressKey('N', ssAlt));
    EXPECT_EQ(Mesg->MessageShow("Hi", "", "mbYes,mbNo", -1, -1), mrNo);
    Headless.QueueAnswer(TModalAnswer::PressKey('S'));
    EXPECT_EQ(Mesg->MessageShow("Hi", "", "mbYesToAll", -1, -1), mrYesToAll);

    Headless.QueueAnswer(TModalAnswer::PressKey(vkReturn));
    Headless.QueueAnswer(TModalAnswer::PressKey(vkEscape));
    Click("A1");
    EXPECT_EQ(Mesg->MessageShow("Hi", "", "mbYes,mbNo", -1, -1), mrNo);
    EXPECT_EQ(Headless.Dialogs().size(), 4u);
}

// ---- Captions, symbols and the state across calls -------------------------------------------

TEST_F(OrnMesg, CaptionRules) {
    const std::vector<std::string> asked = {"", "None", "none", "NONE", "Extract: A.GRP"};
    const std::vector<std::string> shown = {"Warning", "Warning", "none", "NONE", "Extract: A.GRP"};
    for (const std::string& caption : asked) {
        CloseBox();
        Mesg->MessageShow("Hi", caption, "mbOK", -1, -1);
    }
    for (std::size_t i = 0; i < asked.size(); ++i) {
        EXPECT_EQ(Shown(i).Caption, shown[i]) << "asked for \"" << asked[i] << "\"";
    }

    const std::vector<std::pair<TSymbol, std::string>> defaults = {
        {dgError, "Error"}, {dgInformation, "Information"}, {dgConfirmation, "Confirm"}};
    for (const auto& [symbol, caption] : defaults) {
        Mesg->SetSymbol(symbol);
        CloseBox();
        Mesg->MessageShow("Hi", "None", "mbOK", -1, -1);
        EXPECT_EQ(LastShown().Caption, caption);
    }
}

TEST_F(OrnMesg, EachSymbolShowsItsSystemIcon) {
    const std::vector<std::pair<TSymbol, TSystemIcon>> icons = {{dgWarning, siExclamation},
                                                                {dgError, siHand},
                                                                {dgInformation, siAsterisk},
                                                                {dgConfirmation, siQuestion}};
    for (const auto& [symbol, icon] : icons) {
        Mesg->SetSymbol(symbol);
        CloseBox();
        Mesg->MessageShow("Hi", "", "mbOK", -1, -1);
        EXPECT_TRUE(ShowsIcon(LastShown(), icon));
    }
}

TEST_F(OrnMesg, ShowMessageLeavesTheInformationSymbolForLaterQuestions) {
    Click("A0");
    Mesg->MessageShow("Continue ?", "Extract: A.GRP", "mbYes,mbNo", -1, -1);
    EXPECT_TRUE(ShowsIcon(LastShown(), siExclamation)) << "the first question warns";
    EXPECT_EQ(Mesg->CaptionText(), "Extract: A.GRP");

    // A symbol set just before ShowMessage has no effect.
    Mesg->SetSymbol(dgError);
    Mesg->SetSoundNum(sndAsterisk);
    Mesg->SetXpos(5);
    Mesg->SetYpos(6);
    Click("A0");
    EXPECT_EQ(Mesg->ShowMessage("No files selected to group!"), mrOk);
    EXPECT_EQ(LastShown().Caption, "Information");
    EXPECT_TRUE(ShowsIcon(LastShown(), siAsterisk));
    EXPECT_EQ(Control(LastShown(), "A0").Caption, "&OK");
    EXPECT_EQ(LastShown().Find("A1"), nullptr);
    EXPECT_EQ(LastShown().Bounds.Left, 512 - LastShown().Bounds.Width() / 2);
    EXPECT_EQ(Mesg->Symbol(), dgInformation);
    EXPECT_EQ(Mesg->CaptionText(), "");
    EXPECT_EQ(Mesg->SoundNum(), -1);
    EXPECT_EQ(Mesg->Xpos(), -1);
    EXPECT_EQ(Mesg->Ypos(), -1);
    EXPECT_EQ(Mesg->ButtonSet(), MsgDlgButton(mbOK));

    Click("A0");
    Mesg->MessageShow("Continue ?", "Extract: A.GRP", "mbYes,mbNo", -1, -1);
    EXPECT_TRUE(ShowsIcon(LastShown(), siAsterisk)) << "later questions inform";
    EXPECT_TRUE(Headless.Beeps().empty());
}

TEST_F(OrnMesg, MessageShowKeepsItsPositionAndSilencesTheSound) {
    Mesg->SetSoundNum(sndExclamation);
    Click("A0");
    Mesg->MessageShow("Hi", "Here", "mbOK", 10, -1);
    EXPECT_EQ(LastShown().Bounds.Left, 10);
    EXPECT_EQ(LastShown().Bounds.Top, 384 - LastShown().Bounds.Height() / 2);
    EXPECT_EQ(Mesg->Xpos(), 10);
    EXPECT_EQ(Mesg->Ypos(), -1);
    EXPECT_EQ(Mesg->SoundNum(), -1);
    EXPECT_EQ(Mesg->CaptionText(), "Here");

    Click("A0");
    Mesg->MessageShow("Hi", "Here", "mbOK", -1, 20);
    EXPECT_EQ(LastShown().Bounds.Left, 512 - LastShown().Bounds.Width() / 2);
    EXPECT_EQ(LastShown().Bounds.Top, 20);
    EXPECT_TRUE(Headless.Beeps().empty());
}

TEST_F(OrnMesg, MyMessageDlgSoundsSoundNumBeforeShowing) {
    Mesg->SetSoundNum(sndExclamation);
    Click("A0");
    EXPECT_EQ(Mesg->MyMessageDlg("Hi", mtError, MsgDlgButton(mbRetry), 30, 40), mrRetry);
    EXPECT_EQ(Headless.Journal(), (std::vector<std::string>{"Beep 48", "Dialog Error"}));
    EXPECT_EQ(LastShown().Bounds.Left, 30);
    EXPECT_EQ(LastShown().Bounds.Top, 40);
    EXPECT_EQ(Mesg->SoundNum(), 48);

    Mesg->SetSoundNum(-1);
    Click("A0");
    Mesg->MyMessageDlg("Hi", mtError, MsgDlgButton(mbRetry), -1, -1);
    EXPECT_EQ(Headless.Beeps().size(), 1u);
}

// ---- Background --------------------------------------------------------------------------------

TEST_F(OrnMesg, TheBackgroundIsAGradientUnlessBothColoursAreEqual) {
    // The main form's settings: white to grey.
    Mesg->SetColorGradient1(clWhite);
    Click("A0");
    Mesg->MessageShow("Hi", "", "mbOK", -1, -1);
    const TShownDialog& horizontal = LastShown();
    const int w = horizontal.ClientWidth;
    const int h = horizontal.ClientHeight;
    for (int y = 0; y < h; ++y) {
        EXPECT_EQ(horizontal.Image.Pixel(0, y), clWhite) << "left edge, row " << y;
    }
    // The primitive approaches the end colour: its last step is within two units of grey.
    EXPECT_NEAR(GetRValue(horizontal.Image.Pixel(w - 1, 0)), 128, 2);
    EXPECT_NEAR(GetRValue(horizontal.Image.Pixel(w - 1, h - 1)), 128, 2);
    EXPECT_EQ(horizontal.Image.Pixel(w - 1, 0), horizontal.Image.Pixel(w - 1, h - 1));

    Mesg->SetVerticalGradient(true);
    Click("A0");
    Mesg->MessageShow("Hi", "", "mbOK", -1, -1);
    const TShownDialog& vertical = LastShown();
    for (int x = 0; x < vertical.ClientWidth; ++x) {
        EXPECT_EQ(vertical.Image.Pixel(x, 0), clWhite) << "top edge, column " << x;
    }
    EXPECT_NEAR(GetRValue(vertical.Image.Pixel(0, vertical.ClientHeight - 1)), 128, 2);

    Mesg->SetColorGradient2(clWhite);
    Mesg->SetColor(RGB(1, 2, 3));
    Click("A0");
    Mesg->MessageShow("Hi", "", "mbOK", -1, -1);
    EXPECT_EQ(LastShown().Find("Gradient"), nullptr);
    EXPECT_EQ(LastShown().Color, RGB(1, 2, 3));
    EXPECT_EQ(LastShown().Image.Pixel(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(LastShown().Image.Pixel(LastShown().ClientWidth - 1, 0), RGB(1, 2, 3));
}

// ---- Failures and the design-time text ------------------------------------------------------

TEST_F(OrnMesg, TheDialogIsDestroyedWhenShowingFails) {
    // No answer for the modal loop: the headless loop raises, as any error while showing would.
    EXPECT_THROW(Mesg->MessageShow("Hi", "", "mbOK", -1, -1), THeadlessScriptError);
    EXPECT_EQ(Application().ComponentCount(), ComponentsBefore);
    EXPECT_EQ(Mesg->ActiveDialog(), nullptr);
}

TEST_F(OrnMesg, AboutHelpShowsTheUsageText) {
    Click("A0");
    Mesg->SetAbout_Help(TAbout::Help);
    EXPECT_EQ(Mesg->About_Help(), TAbout::None);
    EXPECT_EQ(Headless.Journal(), (std::vector<std::string>{"Beep 48", "Dialog Information"}));
    const std::string& text = Control(LastShown(), "Message").Caption;
    for (const char* name : {"mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry", "mbIgnore",
                             "mbAll", "mbNoToAll", "mbYesToAll", "\"mbYes,mbNo\", -1, -1",
                             "SoundNum", "Xpos", "Ypos", "ShowMessage"}) {
        EXPECT_NE(text.find(name), std::string::npos) << name;
    }
}

} // namespace
