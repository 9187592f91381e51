// The message dialog on real windows: the nested modal loop runs until a button (clicked, or
// its letter typed) or the close box ends it; the program's other forms wait disabled and the
// one it came from gets the activation back without being activated again.

#include "Win32test.h"

#include "platform/headless/Pngwriter.h"
#include "platform/win32/Gdicanvas.h"
#include "platform/win32/Gdiobjects.h"

#include "widgets/Ornmesg.h"

namespace {

class OrnmesgTest : public Win32Test {
protected:
    void SetUp() override {
        Win32Test::SetUp();
        Owner.reset(new TForm(nullptr));
        Owner->SetCaption("Owner");
        Owner->OnActivate = [this](TComponent*) { ++Activations; };
        Owner->Show();
        Pump();
        Mesg.reset(new TOrnMesg(nullptr));
        Mesg->SetColorGradient1(clWhite);
    }
    void TearDown() override {
        Mesg.reset();
        Owner.reset();
        Win32Test::TearDown();
    }

    // The dialog being shown and its window.
    TMessageForm& Dialog() { return *Mesg->ActiveDialog(); }
    HWND DialogWindow() { return HandleOf(Dialog()); }

    // A click on the dialog's button of that name, as the user makes it.
    void ClickButton(const std::string& name) {
        auto* button = dynamic_cast<TControl*>(Dialog().FindComponent(name));
        ASSERT_TRUE(button) << name;
        Click(*button);
    }

    TComponentPtr<TForm> Owner;
    TComponentPtr<TOrnMesg> Mesg;
    int Activations = 0;
};

} // namespace

TEST_F(OrnmesgTest, AClickedButtonEndsTheLoopWithItsResult) {
    bool ownerDisabled = false;
    std::string caption;
    Later([&] {
        ownerDisabled = !::IsWindowEnabled(HandleOf(*Owner));
        char text[64] = {};
        ::GetWindowTextA(DialogWindow(), text, sizeof text);
        caption = text;
        ClickButton("A1");
    });
    EXPECT_EQ(Mesg->MessageShow("Files will be extracted to:\nC:\\GAMES\nContinue ?", "Extract",
                                "mbYes,mbNo", -1, -1),
              mrNo);
    EXPECT_EQ(caption, "Extract");
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(HandleOf(*Owner)));
    EXPECT_EQ(::GetActiveWindow(), HandleOf(*Owner));
    // The owner got the focus back without its activation running again.
    EXPECT_EQ(Activations, 1);
    EXPECT_TRUE(Owner->Active());
}

TEST_F(OrnmesgTest, AButtonsLetterClicksItWithOrWithoutAlt) {
    Later([&] { ::SendMessageA(DialogWindow(), WM_CHAR, 'y', 1); });
    EXPECT_EQ(Mesg->MessageShow("Overwrite ?", "Confirm", "mbYes,mbNo", -1, -1), mrYes);
    Later([&] { ::SendMessageA(DialogWindow(), WM_SYSCHAR, 'n', 1 << 29); });
    EXPECT_EQ(Mesg->MessageShow("Overwrite ?", "Confirm", "mbYes,mbNo", -1, -1), mrNo);
}

TEST_F(OrnmesgTest, EnterAndEscapeDoNothingAndTheCloseBoxGivesCancel) {
    Later([&] {
        const HWND window = DialogWindow();
        ::SendMessageA(window, WM_KEYDOWN, VK_RETURN, 1);
        ::SendMessageA(window, WM_CHAR, '\r', 1);
        ::SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1);
        ::SendMessageA(window, WM_CHAR, 27, 1);
        // Still open: closed with the close box a moment later.
        Later([this] { ::SendMessageA(DialogWindow(), WM_SYSCOMMAND, SC_CLOSE, 0); });
    });
    EXPECT_EQ(Mesg->ShowMessage("No files selected to group!"), mrCancel);
}

TEST_F(OrnmesgTest, TheDialogIsPlacedAndPaintedAsBuilt) {
    bool topmost = false;
    RECT bounds{};
    TColor background = clNone;
    Later([&] {
        const HWND window = DialogWindow();
        topmost = (::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        ::GetWindowRect(window, &bounds);
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        TBitmap shot(bounds.right - bounds.left, bounds.bottom - bounds.top);
        {
            TWindowDC dc(window, true);
            ::BitBlt(BitmapCanvas(shot).Handle(), 0, 0, shot.Width(), shot.Height(), dc.Handle(), 0,
                     0, SRCCOPY);
        }
        WritePng("win32_tests_dialog.png", shot);
        const TRect frame = Host->FrameInsets(Dialog());
        background = shot.Pixel(frame.Left, shot.Height() - frame.Bottom - 1);
        ClickButton("A0");
    });
    EXPECT_EQ(Mesg->MessageShow("Xpos 10", "Placed", "mbOK", 10, -1), mrOk);
    EXPECT_TRUE(topmost);
    EXPECT_EQ(bounds.left, 10);
    const int height = bounds.bottom - bounds.top;
    EXPECT_EQ(bounds.top, ::GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2);
    // The gradient starts white at the left edge.
    EXPECT_EQ(background, clWhite);
}
