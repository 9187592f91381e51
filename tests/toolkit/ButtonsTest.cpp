#include "Headlesstest.h"

#include "toolkit/Buttons.h"
#include "toolkit/Forms.h"

#include <string>
#include <vector>

namespace {

class SpeedButtonTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        Form.reset(new TForm(nullptr));
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 120, 60);
        Form->SetColor(clNavy);
        Button = new TSpeedButton(Form.get());
        Button->SetParent(Form.get());
        Button->SetBounds(0, 0, 78, 25);
        Button->SetFlat(true);
        Button->OnClick = [this](TComponent*) { Log.push_back("click"); };
        Button->OnMouseUp = [this](TComponent*, TMouseButton, TShiftState, int, int) {
            Log.push_back("up");
        };
        Form->Show();
    }
    void TearDown() override {
        Form.reset();
        HeadlessTest::TearDown();
    }
    TBitmap Shot() {
        TBitmap bitmap(Form->Width(), Form->Height());
        Form->PaintTo(bitmap.Canvas(), 0, 0);
        return bitmap;
    }

    TComponentPtr<TForm> Form;
    TSpeedButton* Button = nullptr;
    std::vector<std::string> Log;
};

} // namespace

TEST_F(SpeedButtonTest, AFlatButtonShowsItsFrameOnlyWhileHotOrPressed) {
    EXPECT_EQ(Shot().Pixel(0, 0), clNavy);
    Headless.UserMouseMove(*Button, 10, 10);
    EXPECT_TRUE(Button->Hot());
    TBitmap hot = Shot();
    EXPECT_EQ(hot.Pixel(0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(hot.Pixel(77, 24), ColorToRGB(clBtnShadow));
    EXPECT_EQ(hot.Pixel(5, 5), clNavy); // transparent inside

    Headless.UserMouseDown(*Button, mbLeft, 10, 10);
    EXPECT_TRUE(Button->Pressed());
    TBitmap pressed = Shot();
    EXPECT_EQ(pressed.Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(pressed.Pixel(77, 24), ColorToRGB(clBtnHighlight));

    Headless.UserMouseUp(*Button, mbLeft, 10, 10);
    Headless.UserMouseMove(*Form, 100, 50);
    EXPECT_FALSE(Button->Hot());
    EXPECT_FALSE(Button->Pressed());
    EXPECT_EQ(Shot().Pixel(0, 0), clNavy);

    Button->SetFlat(false);
    EXPECT_EQ(Shot().Pixel(0, 0), ColorToRGB(cl3DLight));
}

TEST_F(SpeedButtonTest, AReleaseInsideClicksAfterOnMouseUp) {
    Headless.UserClick(*Button);
    EXPECT_EQ(Log, (std::vector<std::string>{"up", "click"}));

    Log.clear();
    Headless.UserMouseDown(*Button, mbLeft, 10, 10);
    Headless.UserMouseMove(*Form, 100, 50);
    EXPECT_FALSE(Button->Pressed());
    Headless.UserMouseUp(*Form, mbLeft, 100, 50);
    EXPECT_EQ(Log, (std::vector<std::string>{"up"}));

    Log.clear();
    Headless.UserClickAt(*Button, 10, 10, 0);
    Headless.UserMouseDown(*Button, mbRight, 10, 10);
    Headless.UserMouseUp(*Button, mbRight, 10, 10);
    EXPECT_EQ(Log, (std::vector<std::string>{"up", "click", "up"}));

    Log.clear();
    Button->SetEnabled(false);
    Headless.UserClick(*Button);
    EXPECT_TRUE(Log.empty());
}

TEST_F(SpeedButtonTest, TheCaptionsUnderlinedLetterTypedOnTheFormClicksIt) {
    Button->SetCaption("&Quit");
    EXPECT_TRUE(Form->DialogChar('q', 0));
    EXPECT_TRUE(Form->DialogChar('Q', ssAlt));
    EXPECT_FALSE(Form->DialogChar('u', 0));
    EXPECT_EQ(Log, (std::vector<std::string>{"click", "click"}));

    Button->SetCaption("Save && &Quit");
    EXPECT_FALSE(Form->DialogChar('&', 0));
    EXPECT_FALSE(Form->DialogChar('s', 0));
    EXPECT_TRUE(Form->DialogChar('q', 0));
    Button->Hide();
    EXPECT_FALSE(Form->DialogChar('q', 0));
    Button->Show();
    Button->SetEnabled(false);
    EXPECT_FALSE(Form->DialogChar('q', 0));
}

TEST_F(SpeedButtonTest, TheGlyphAndCaptionAreLaidOutTogetherWithTheirSpacing) {
    Button->SetCaption("Add All"); // 42 x 13 in the headless font
    TBitmap glyph(16, 16);
    glyph.Canvas().Brush.Color = clRed;
    glyph.Canvas().FillRect(Rect(0, 0, 16, 16));
    glyph.SetPixel(0, 15, clFuchsia);
    Button->SetGlyph(glyph);

    TCanvas& canvas = Button->Canvas();
    canvas.Font = Button->Font();
    const TRect area = Rect(1, 1, 77, 24); // inside a flat button's frame
    TPoint glyphPos;
    TRect text;
    Button->CalcLayout(canvas, area, {}, glyphPos, text);
    // Margin (76 - (16 + 4 + 42) + 1) / 2 = 7 before the glyph, spacing 4 after it.
    EXPECT_EQ(glyphPos, (TPoint{8, 5}));
    EXPECT_EQ(text, Bounds(28, 6, 42, 13));

    Button->SetLayout(blGlyphRight);
    Button->CalcLayout(canvas, area, {1, 1}, glyphPos, text);
    EXPECT_EQ(glyphPos, (TPoint{55, 6}));
    EXPECT_EQ(text, Bounds(9, 7, 42, 13));

    Button->SetLayout(blGlyphLeft);
    Button->SetMargin(2);
    Button->SetSpacing(-1);
    Button->CalcLayout(canvas, area, {}, glyphPos, text);
    EXPECT_EQ(glyphPos.X, 3);
    EXPECT_EQ(text.Left, 1 + 2 + 16 + (76 - 18 - 42) / 2);

    // Paint puts them there; the glyph's bottom-left colour is left out.
    Button->SetMargin(-1);
    Button->SetSpacing(4);
    const TBitmap shot = Shot();
    EXPECT_EQ(shot.Pixel(8 + 5, 5 + 5), clRed);
    EXPECT_EQ(shot.Pixel(8, 5 + 15), clNavy);

    Button->SetGlyph(TBitmap());
    Button->CalcLayout(canvas, area, {}, glyphPos, text);
    EXPECT_EQ(text.Left, 1 + (76 - 42 + 1) / 2);
}
