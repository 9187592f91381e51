#include "Headlesstest.h"

#include "toolkit/Buttons.h"
#include "toolkit/Forms.h"
#include "toolkit/Sysutils.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A small question form: "&Yes" (A0, result 6) and "&No" (A1, result 7).
class TQuestion : public TForm {
public:
    explicit TQuestion(TComponent* owner) : TForm(owner) {
        SetCaption("Confirm");
        SetBorderStyle(bsDialog);
        SetClientWidth(160);
        SetClientHeight(60);
        AddButton("A0", "&Yes", mrYes, 10);
        AddButton("A1", "&No", mrNo, 85);
    }

private:
    void AddButton(const std::string& name, const std::string& caption, TModalResult result,
                   int left) {
        auto* button = new TSpeedButton(this);
        button->SetParent(this);
        button->SetName(name);
        button->SetCaption(caption);
        button->SetBounds(left, 30, 69, 24);
        button->OnClick = [this, result](TComponent*) { SetModalResult(result); };
    }
};

class FormsTest : public HeadlessTest {
protected:
    TComponentPtr<TQuestion> Question;
    void SetUp() override {
        HeadlessTest::SetUp();
        Question.reset(new TQuestion(nullptr));
    }
    void TearDown() override {
        Question.reset();
        HeadlessTest::TearDown();
    }
};

} // namespace

TEST_F(FormsTest, ClickingAButtonEndsTheModalLoopWithItsResult) {
    Headless.QueueAnswer(TModalAnswer::ClickControl("A1"));
    EXPECT_EQ(Question->ShowModal(), mrNo);
    EXPECT_FALSE(Question->Visible());
    EXPECT_FALSE(Question->Modal());

    ASSERT_EQ(Headless.Dialogs().size(), 1u);
    const TShownDialog& shown = Headless.Dialogs()[0];
    EXPECT_EQ(shown.Caption, "Confirm");
    EXPECT_EQ(shown.Result, mrNo);
    EXPECT_EQ(shown.ClientWidth, 160);
    EXPECT_EQ(shown.ClientHeight, 60);
    EXPECT_EQ(shown.BorderStyle, bsDialog);
    const TShownControl* no = shown.Find("A1");
    ASSERT_NE(no, nullptr);
    EXPECT_EQ(no->Caption, "&No");
    EXPECT_EQ(no->Bounds, Bounds(85, 30, 69, 24));
    EXPECT_EQ(Headless.Journal(), (std::vector<std::string>{"Dialog Confirm"}));

    // The picture of the client area: the form's colour where no control is.
    ASSERT_EQ(shown.Image.Width(), 160);
    ASSERT_EQ(shown.Image.Height(), 60);
    EXPECT_EQ(shown.Image.Pixel(5, 5), ColorToRGB(clBtnFace));
}

TEST_F(FormsTest, WithoutKeptPicturesEveryFormIsStillPaintedWhenShown) {
    Headless.SetKeepDialogPictures(false);
    std::vector<int> painted;
    Question->OnPaint = [&](TComponent*) { painted.push_back(Question->ClientWidth()); };
    for (const int width : {160, 300, 120}) {
        Question->SetClientWidth(width);
        Headless.QueueAnswer(TModalAnswer::CloseWindow());
        Question->ShowModal();
    }
    EXPECT_EQ(painted, (std::vector<int>{160, 300, 120}));
    ASSERT_EQ(Headless.Dialogs().size(), 3u);
    for (const TShownDialog& shown : Headless.Dialogs()) {
        EXPECT_TRUE(shown.Image.Empty());
    }
}

TEST_F(FormsTest, TheCloseBoxGivesTwo) {
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    EXPECT_EQ(Question->ShowModal(), mrCancel);
    EXPECT_EQ(Headless.Dialogs()[0].Result, mrCancel);
}

TEST_F(FormsTest, AButtonsUnderlinedLetterClicksItWithOrWithoutAlt) {
    Headless.QueueAnswer(TModalAnswer::PressKey('N'));
    EXPECT_EQ(Question->ShowModal(), mrNo);
    Headless.QueueAnswer(TModalAnswer::PressKey('Y', ssAlt));
    EXPECT_EQ(Question->ShowModal(), mrYes);
}

TEST_F(FormsTest, EnterEscapeAndOtherLettersDoNothing) {
    Headless.QueueAnswer(TModalAnswer::PressKey(vkReturn));
    Headless.QueueAnswer(TModalAnswer::PressKey(vkEscape));
    Headless.QueueAnswer(TModalAnswer::PressKey('Q', ssAlt));
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    EXPECT_EQ(Question->ShowModal(), mrCancel);
}

TEST_F(FormsTest, AModalFormWithoutAnswerFailsAtOnceAndIsHiddenAgain) {
    EXPECT_THROW(Question->ShowModal(), THeadlessScriptError);
    EXPECT_FALSE(Question->Visible());
    EXPECT_FALSE(Question->Modal());
    Headless.QueueAnswer(TModalAnswer::ClickControl("A7"));
    EXPECT_THROW(Question->ShowModal(), THeadlessScriptError);
}

TEST_F(FormsTest, OnCloseCanKeepAModalFormOpen) {
    int refusals = 1;
    Question->OnClose = [&refusals](TComponent*, TCloseAction& action) {
        if (refusals-- > 0) {
            action = caNone;
        }
    };
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Headless.QueueAnswer(TModalAnswer::ClickControl("A0"));
    EXPECT_EQ(Question->ShowModal(), mrYes);
    EXPECT_EQ(Headless.Dialogs().size(), 2u);
}

TEST_F(FormsTest, ACentredFormIsPlacedByItsOuterSizeWhenShown) {
    // A dialog frame adds 3 pixels on each side and a 19-pixel caption bar.
    EXPECT_EQ(Question->Width(), 166);
    EXPECT_EQ(Question->Height(), 85);
    Question->SetPosition(poScreenCenter);
    Headless.QueueAnswer(TModalAnswer::CloseWindow());
    Question->ShowModal();
    EXPECT_EQ(Headless.Dialogs()[0].Bounds, Bounds((1024 - 166) / 2, (768 - 85) / 2, 166, 85));

    Headless.SetScreenSize({801, 600});
    Question->SetPosition(poDesktopCenter);
    Question->SetBorderStyle(bsNone); // the client size stays
    EXPECT_EQ(Question->ClientWidth(), 160);
    EXPECT_EQ(Question->Width(), 160);
    Question->Show();
    EXPECT_EQ(Question->Left(), 320);
    EXPECT_EQ(Question->Top(), 270);
}

TEST_F(HeadlessTest, ParamStrSplitsAtBlanksAndDoubleQuotesGroupThem) {
    Headless.SetExeName("C:\\Program Files\\Morvik\\Morvik.exe");
    Headless.SetCommandLine(
        "\"C:\\Program Files\\Morvik\\Morvik.exe\"  \"C:\\My Games\\DUKE3D.GRP\" second");
    EXPECT_EQ(ParamCount(), 2);
    EXPECT_EQ(ParamStr(0), "C:\\Program Files\\Morvik\\Morvik.exe");
    EXPECT_EQ(ParamStr(1), "C:\\My Games\\DUKE3D.GRP");
    EXPECT_EQ(ParamStr(2), "second");
    EXPECT_EQ(ParamStr(3), "");

    Headless.SetCommandLine("Morvik.exe a\"b c\"d\t\"\" \"\"e");
    EXPECT_EQ(ParamStr(1), "ab cd");
    EXPECT_EQ(ParamStr(2), "e");
    EXPECT_EQ(ParamCount(), 2);

    Headless.SetCommandLine("Morvik.exe");
    EXPECT_EQ(ParamCount(), 0);
    EXPECT_EQ(ParamStr(1), "");
    Headless.SetCommandLine("Morvik.exe \"unfinished quote");
    EXPECT_EQ(ParamStr(1), "unfinished quote");
}

TEST_F(HeadlessTest, TheApplicationShowsTheMessageOfAnExceptionInItsErrorBox) {
    Headless.SetExeName(std::string("Games") + PathDelim + "Morvik.exe");
    Application().Initialize();
    EXPECT_EQ(Application().Title, "Morvik");
    EXPECT_FALSE(
        Application().RunGuarded([] { throw Exception("Unable to write to C:\\Morvik.ini"); }));
    EXPECT_FALSE(Application().RunGuarded([] { throw 42; }));
    EXPECT_TRUE(Application().RunGuarded([] {}));
    ASSERT_EQ(Headless.Errors().size(), 2u);
    EXPECT_EQ(Headless.Errors()[0].Title, "Morvik");
    EXPECT_EQ(Headless.Errors()[0].Message, "Unable to write to C:\\Morvik.ini");
    EXPECT_EQ(Headless.Errors()[1].Message, "");
}

TEST_F(HeadlessTest, RunActivatesTheMainFormAndFreesItWhenTheLoopEnds) {
    std::vector<std::string> log;
    Application().Initialize();
    TQuestion* main = nullptr;
    Application().CreateForm(main);
    EXPECT_EQ(Application().MainForm(), main);
    main->OnActivate = [&log](TComponent*) { log.push_back("activate"); };
    main->OnDestroy = [&log](TComponent*) {
        log.push_back("destroy");
        throw Exception("Unable to write to Morvik.ini");
    };
    Headless.QueueLoopAction([&] {
        log.push_back(main->Visible() ? "shown" : "hidden");
        main->Close(); // the main form's close ends the program
    });
    Headless.QueueLoopAction([&log] { log.push_back("never"); });
    Application().Run();

    EXPECT_TRUE(Application().Terminated());
    EXPECT_EQ(log, (std::vector<std::string>{"activate", "shown", "destroy"}));
    EXPECT_EQ(Application().MainForm(), nullptr);
    EXPECT_EQ(Application().ComponentCount(), 0);
    ASSERT_EQ(Headless.Errors().size(), 1u);
    EXPECT_EQ(Headless.Errors()[0].Message, "Unable to write to Morvik.ini");
    Application().Initialize();
}

TEST_F(HeadlessTest, AnExceptionInAClickHandlerGoesToTheErrorBoxAndTheLoopGoesOn) {
    TComponentPtr<TQuestion> question(new TQuestion(nullptr));
    auto* yes = dynamic_cast<TSpeedButton*>(question->FindComponent("A0"));
    ASSERT_NE(yes, nullptr);
    yes->OnClick = [](TComponent*) { throw std::runtime_error("GradientFill failed"); };
    Headless.QueueAnswer(TModalAnswer::ClickControl("A0"));
    Headless.QueueAnswer(TModalAnswer::ClickControl("A1"));
    EXPECT_EQ(question->ShowModal(), mrNo);
    EXPECT_EQ(Headless.Journal(),
              (std::vector<std::string>{"Dialog Confirm", "Error GradientFill failed"}));
}

TEST_F(FormsTest, TheScreenCursorShowsWhileItsScopeLastsAndAModalFormShowsTheNormalOne) {
    EXPECT_EQ(Screen().Cursor(), crDefault);
    Question->OnShow = [this](TComponent*) { EXPECT_EQ(Headless.ScreenCursor(), crDefault); };
    try {
        const TScreenCursor busy;
        EXPECT_EQ(Screen().Cursor(), crHourGlass);
        EXPECT_EQ(Headless.ScreenCursor(), crHourGlass);
        {
            const TScreenCursor hand(crHandPoint);
            EXPECT_EQ(Headless.ScreenCursor(), crHandPoint);
        }
        EXPECT_EQ(Headless.ScreenCursor(), crHourGlass);
        Headless.QueueAnswer(TModalAnswer::ClickControl("A0"));
        EXPECT_EQ(Question->ShowModal(), mrYes);
        // The question showed the normal pointer; the work goes on under the busy one.
        EXPECT_EQ(Headless.Dialogs().back().Cursor, crDefault);
        EXPECT_EQ(Headless.ScreenCursor(), crHourGlass);
        throw Exception("the work failed");
    } catch (const Exception&) {
    }
    EXPECT_EQ(Screen().Cursor(), crDefault);
    EXPECT_EQ(Headless.ScreenCursors(), (std::vector<int>{crHourGlass, crHandPoint, crHourGlass,
                                                          crDefault, crHourGlass, crDefault}));
}
