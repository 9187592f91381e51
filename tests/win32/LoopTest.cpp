// The application's message loop on the Win32 platform: it runs until the main form closes,
// shows the exceptions of event handlers and goes on, and leaves no quit message behind.

#include "Win32test.h"

#include "toolkit/Buttons.h"
#include "toolkit/Sysutils.h"

namespace {

class TMainForm : public TForm {
public:
    explicit TMainForm(TComponent* owner) : TForm(owner) {
        SetCaption("Main");
        SetClientWidth(200);
        SetClientHeight(100);
        Button = new TSpeedButton(this);
        Button->SetParent(this);
        Button->SetBounds(10, 10, 80, 25);
        Button->SetCaption("&Go");
    }
    TSpeedButton* Button;
};

class LoopTest : public Win32Test {};

std::string BoxText(HWND box) {
    char text[256] = {};
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

} // namespace

TEST_F(LoopTest, TheLoopShowsHandlerErrorsAndEndsWhenTheMainFormCloses) {
    TMainForm* form = nullptr;
    Application().CreateForm(form);
    int activations = 0;
    int destroyed = 0;
    int goes = 0;
    form->OnActivate = [&](TComponent*) { ++activations; };
    form->OnDestroy = [&](TComponent*) { ++destroyed; };
    form->Button->OnClick = [&](TComponent*) {
        if (++goes == 1) {
            throw Exception("GradientFill failed");
        }
    };
    std::string shown;
    Later([&] {
        const HWND window = HandleOf(*form);
        // Alt+G: the handler throws; the error box opens inside this message.
        Later([&] {
            shown = BoxText(::GetActiveWindow());
            ::SendMessageA(::GetActiveWindow(), WM_COMMAND, IDOK, 0);
        });
        ::PostMessageA(window, WM_SYSCHAR, 'g', 1 << 29);
        // The loop went on: the second click works, then the close box ends the program.
        Later(
            [window] {
                ::PostMessageA(window, WM_SYSCHAR, 'g', 1 << 29);
                ::PostMessageA(window, WM_CLOSE, 0, 0);
            },
            200);
    });
    Application().Run();

    EXPECT_EQ(shown, "GradientFill failed");
    EXPECT_EQ(goes, 2);
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(Application().Terminated());
    EXPECT_EQ(Application().MainForm(), nullptr);
    MSG quit{};
    EXPECT_FALSE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}
