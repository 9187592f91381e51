// Forms with toolkit controls on real windows: the native controls mirror the controls, and
// window messages sent as the user's input come back as the controls' events.

#include "Win32test.h"

#include "platform/headless/Pngwriter.h"
#include "platform/win32/Gdicanvas.h"
#include "platform/win32/Gdiobjects.h"

#include "toolkit/Buttons.h"
#include "toolkit/Extctrls.h"
#include "toolkit/Filectrl.h"
#include "toolkit/Stdctrls.h"
#include "toolkit/Sysutils.h"
#include "widgets/Wdgradient.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

// A form like the program's: a gradient header with a button, a panel with a list, an edit
// and two speed buttons.
class TTestForm : public TForm {
public:
    explicit TTestForm(TComponent* owner) : TForm(owner) {
        SetCaption("Peers");
        SetBorderStyle(bsSingle);
        SetBorderIcons(biSystemMenu | biMinimize);
        SetPosition(poScreenCenter);
        SetClientWidth(300);
        SetClientHeight(200);
        Header = new TWDGradientPanel(this);
        Header->SetParent(this);
        Header->SetAlign(alTop);
        Header->SetHeight(25);
        Header->SetColor2(clNavy);
        Panel = new TPanel(this);
        Panel->SetParent(this);
        Panel->SetAlign(alClient);
        List = new TListBox(this);
        List->SetParent(Panel);
        List->SetBounds(8, 8, 120, 100);
        List->SetMultiSelect(true);
        Edit = new TEdit(this);
        Edit->SetParent(Panel);
        Edit->SetBounds(8, 120, 120, 21);
        Button = new TSpeedButton(this);
        Button->SetParent(Panel);
        Button->SetBounds(150, 8, 80, 25);
        Button->SetCaption("Add");
        Button->SetFlat(true);
        Button->SetCursor(crHandPoint);
        Quit = new TSpeedButton(this);
        Quit->SetParent(Header);
        Quit->SetBounds(200, 1, 80, 22);
        Quit->SetCaption("&Quit");
    }

    TWDGradientPanel* Header;
    TPanel* Panel;
    TListBox* List;
    TEdit* Edit;
    TSpeedButton* Button;
    TSpeedButton* Quit;
};

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// The texts of the tools of a tooltip window.
std::vector<std::string> ToolTexts(HWND tooltip) {
    std::vector<std::string> texts;
    const int count = int(::SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        TOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.lpszText = text;
        if (::SendMessageA(tooltip, TTM_ENUMTOOLSA, WPARAM(i), reinterpret_cast<LPARAM>(&info))) {
            texts.push_back(text);
        }
    }
    return texts;
}

struct TTooltipSearch {
    HWND Owner = nullptr;
    HWND Found = nullptr;
};

BOOL CALLBACK FindTooltip(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TTooltipSearch*>(data);
    if (ClassOf(window) == TOOLTIPS_CLASSA && ::GetWindow(window, GW_OWNER) == search->Owner) {
        search->Found = window;
    }
    return TRUE;
}

// The tooltip window of a form's window.
HWND TooltipOf(HWND form) {
    TTooltipSearch search{form, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindTooltip, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

class PeersTest : public Win32Test {
protected:
    void SetUp() override {
        Win32Test::SetUp();
        Form.reset(new TTestForm(nullptr));
        Form->OnActivate = [this](TComponent*) { ++Activations; };
        Form->Show();
        Pump();
    }
    void TearDown() override {
        Form.reset();
        Win32Test::TearDown();
    }

    TComponentPtr<TTestForm> Form;
    int Activations = 0;
};

} // namespace

TEST_F(PeersTest, ControlsHaveTheirNativeWindowsInPlace) {
    const HWND form = HandleOf(*Form);
    ASSERT_TRUE(form);
    EXPECT_TRUE(::IsWindowVisible(form));
    EXPECT_EQ(TextOf(form), "Peers");
    EXPECT_EQ(ClassOf(HandleOf(*Form->List)), "ListBox");
    EXPECT_EQ(ClassOf(HandleOf(*Form->Edit)), "Edit");
    EXPECT_EQ(ClassOf(HandleOf(*Form->Panel)), ControlClassName);
    EXPECT_EQ(::GetParent(HandleOf(*Form->Edit)), HandleOf(*Form->Panel));

    RECT client{};
    ::GetClientRect(form, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    RECT outer{};
    ::GetWindowRect(form, &outer);
    EXPECT_EQ(TRect(Rect(outer.left, outer.top, outer.right, outer.bottom)), Form->BoundsRect());
    // Centred on the screen by the toolkit.
    EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - Form->Width()) / 2);

    RECT edit{};
    ::GetWindowRect(HandleOf(*Form->Edit), &edit);
    ::MapWindowPoints(nullptr, HandleOf(*Form->Panel), reinterpret_cast<POINT*>(&edit), 2);
    EXPECT_EQ(TRect(Rect(edit.left, edit.top, edit.right, edit.bottom)), Form->Edit->BoundsRect());

    // Hidden controls hide their windows; moved ones move them.
    Form->Edit->Hide();
    EXPECT_FALSE(::IsWindowVisible(HandleOf(*Form->Edit)));
    Form->List->SetTop(30);
    RECT list{};
    ::GetWindowRect(HandleOf(*Form->List), &list);
    ::MapWindowPoints(nullptr, HandleOf(*Form->Panel), reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.top, 30);
}

TEST_F(PeersTest, FormStylesFollowBorderStyleIconsAndFormStyle) {
    const HWND form = HandleOf(*Form);
    const LONG_PTR style = ::GetWindowLongPtrA(form, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    TComponentPtr<TForm> dialog(new TForm(nullptr));
    dialog->SetBorderStyle(bsDialog);
    dialog->SetFormStyle(fsStayOnTop);
    dialog->SetClientWidth(120);
    dialog->SetClientHeight(60);
    dialog->Show();
    const HWND window = HandleOf(*dialog);
    EXPECT_TRUE(::GetWindowLongPtrA(window, GWL_STYLE) & WS_POPUP);
    EXPECT_FALSE(::GetWindowLongPtrA(window, GWL_STYLE) & WS_MINIMIZEBOX);
    const LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 120);
    EXPECT_EQ(client.bottom, 60);

    dialog->SetFormStyle(fsNormal);
    EXPECT_FALSE(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(PeersTest, SpeedButtonsTrackThePointerAndClickOnRelease) {
    int clicks = 0;
    Form->Button->OnClick = [&](TComponent*) { ++clicks; };
    const HWND panel = HandleOf(*Form->Panel);
    ::SendMessageA(panel, WM_MOUSEMOVE, 0, Point(160, 15));
    EXPECT_TRUE(Form->Button->Hot());
    ::SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, Point(160, 15));
    EXPECT_TRUE(Form->Button->Pressed());
    EXPECT_EQ(::GetCapture(), panel);
    // Dragged off and back: pressed only while over it.
    ::SendMessageA(panel, WM_MOUSEMOVE, MK_LBUTTON, Point(250, 100));
    EXPECT_FALSE(Form->Button->Pressed());
    ::SendMessageA(panel, WM_MOUSEMOVE, MK_LBUTTON, Point(161, 16));
    EXPECT_TRUE(Form->Button->Pressed());
    ::SendMessageA(panel, WM_LBUTTONUP, 0, Point(161, 16));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(Form->Button->Pressed());
    EXPECT_NE(::GetCapture(), panel);

    // Released elsewhere: no click.
    ::SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, Point(160, 15));
    ::SendMessageA(panel, WM_LBUTTONUP, 0, Point(250, 100));
    EXPECT_EQ(clicks, 1);

    ::SendMessageA(panel, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(Form->Button->Hot());
}

TEST_F(PeersTest, TheCursorIsTheOneOfTheControlUnderThePointer) {
    const HWND panel = HandleOf(*Form->Panel);
    POINT onButton{160, 15};
    ::ClientToScreen(panel, &onButton);
    ::SetCursorPos(onButton.x, onButton.y);
    ::SendMessageA(panel, WM_SETCURSOR, WPARAM(panel), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_HAND));

    POINT offButton{250, 150};
    ::ClientToScreen(panel, &offButton);
    ::SetCursorPos(offButton.x, offButton.y);
    ::SendMessageA(panel, WM_SETCURSOR, WPARAM(panel), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(PeersTest, ListItemsAndMarksAreMirroredBothWays) {
    TListBox& list = *Form->List;
    const HWND window = HandleOf(list);
    for (const char* name : {"A.ART", "B.CON", "C.MAP", "D.VOC"}) {
        list.Items().Add(name);
    }
    EXPECT_EQ(::SendMessageA(window, LB_GETCOUNT, 0, 0), 4);
    char text[32] = {};
    ::SendMessageA(window, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "C.MAP");

    list.SetSelected(1, true);
    list.SetSelected(3, true);
    EXPECT_GT(::SendMessageA(window, LB_GETSEL, 1, 0), 0);
    EXPECT_EQ(::SendMessageA(window, LB_GETSEL, 2, 0), 0);
    EXPECT_GT(::SendMessageA(window, LB_GETSEL, 3, 0), 0);

    // Marks belong to positions: deleting an item moves the later marks up.
    list.Items().Delete(0);
    EXPECT_EQ(::SendMessageA(window, LB_GETCOUNT, 0, 0), 3);
    EXPECT_GT(::SendMessageA(window, LB_GETSEL, 0, 0), 0);
    EXPECT_GT(::SendMessageA(window, LB_GETSEL, 2, 0), 0);
    list.Items().Put(2, "E.GRP");
    EXPECT_EQ(::SendMessageA(window, LB_GETSEL, 2, 0), 0);
    ::SendMessageA(window, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "E.GRP");

    // The user's clicks: one item alone, then Ctrl+click adds another.
    int clicks = 0;
    list.OnClick = [&](TComponent*) { ++clicks; };
    const int height = int(::SendMessageA(window, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(height, list.ItemHeight());
    Click(window, 10, height + height / 2);
    EXPECT_FALSE(list.Selected(0));
    EXPECT_TRUE(list.Selected(1));
    EXPECT_FALSE(list.Selected(2));
    EXPECT_EQ(list.ItemIndex(), 1);
    Click(window, 10, 2 * height + height / 2, MK_CONTROL);
    EXPECT_TRUE(list.Selected(1));
    EXPECT_TRUE(list.Selected(2));
    EXPECT_EQ(list.SelCount(), 2);
    EXPECT_GE(clicks, 2);
    EXPECT_TRUE(list.Focused());
}

TEST_F(PeersTest, TypedTextReachesTheEditAndTheProgramsTextTheWindow) {
    TEdit& edit = *Form->Edit;
    const HWND window = HandleOf(edit);
    std::vector<std::string> changes;
    edit.OnChange = [&](TComponent*) { changes.push_back(edit.Text()); };
    edit.SetText("MyGroup.grp");
    EXPECT_EQ(TextOf(window), "MyGroup.grp");
    EXPECT_EQ(changes, std::vector<std::string>{"MyGroup.grp"});

    ::SendMessageA(window, EM_SETSEL, 0, -1);
    ::SendMessageA(window, WM_CHAR, 'x', 1);
    ::SendMessageA(window, WM_CHAR, 'y', 1);
    EXPECT_EQ(edit.Text(), "xy");
    EXPECT_EQ(changes.back(), "xy");
    EXPECT_EQ(changes.size(), 3u);

    edit.SetReadOnly(true);
    EXPECT_TRUE(::GetWindowLongPtrA(window, GWL_STYLE) & ES_READONLY);
    ::SendMessageA(window, WM_CHAR, 'z', 1);
    EXPECT_EQ(edit.Text(), "xy");
}

TEST_F(PeersTest, AcceleratorsClickTheirButtonButNotFromInsideAnEdit) {
    int quits = 0;
    Form->Quit->OnClick = [&](TComponent*) { ++quits; };
    const HWND form = HandleOf(*Form);
    ::SendMessageA(form, WM_CHAR, 'q', 1);
    EXPECT_EQ(quits, 1);
    ::SendMessageA(form, WM_SYSCHAR, 'Q', 1 << 29);
    EXPECT_EQ(quits, 2);
    // Typed into an edit, a letter is text; with Alt it is the accelerator.
    const HWND edit = HandleOf(*Form->Edit);
    ::SendMessageA(edit, WM_CHAR, 'q', 1);
    EXPECT_EQ(quits, 2);
    EXPECT_EQ(Form->Edit->Text(), "q");
    ::SendMessageA(edit, WM_SYSCHAR, 'q', 1 << 29);
    EXPECT_EQ(quits, 3);
}

TEST_F(PeersTest, TabMovesTheFocusAlongTheTabOrder) {
    Form->List->SetFocus();
    EXPECT_EQ(::GetFocus(), HandleOf(*Form->List));
    ::SendMessageA(HandleOf(*Form->List), WM_KEYDOWN, VK_TAB, 1);
    EXPECT_EQ(::GetFocus(), HandleOf(*Form->Edit));
    EXPECT_EQ(Form->ActiveControl(), Form->Edit);
    // The tab character that follows the key is spent, not typed.
    ::SendMessageA(HandleOf(*Form->Edit), WM_CHAR, '\t', 1);
    EXPECT_EQ(Form->Edit->Text(), "");
}

TEST_F(PeersTest, HintsShowInTheFormsTooltipAndFollowChanges) {
    const HWND tooltip = TooltipOf(HandleOf(*Form));
    ASSERT_TRUE(tooltip);
    EXPECT_TRUE(ToolTexts(tooltip).empty());
    Form->Button->SetHint("Add selected files to group");
    Form->Edit->SetHint("Name of the group file");
    Form->Edit->SetShowHint(true);
    // The button's hint shows only once its ShowHint is on; a hint set on the move shows
    // what the handler set.
    Form->Button->OnMouseMove = [this](TComponent*, TShiftState, int, int) {
        Form->Button->SetHint("Create " + Form->Edit->Text());
    };
    Form->Button->SetShowHint(true);
    ::SendMessageA(HandleOf(*Form->Panel), WM_MOUSEMOVE, 0, Point(160, 15));
    std::vector<std::string> texts = ToolTexts(tooltip);
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::string>{"Create ", "Name of the group file"}));

    Form->Edit->SetShowHint(false);
    Form->Button->Hide();
    ::SendMessageA(HandleOf(*Form->Panel), WM_MOUSEMOVE, 0, Point(20, 150));
    EXPECT_TRUE(ToolTexts(tooltip).empty());
}

TEST_F(PeersTest, TheFormIsActivatedOnceAndClosingHidesIt) {
    EXPECT_EQ(Activations, 1);
    EXPECT_TRUE(Form->Active());
    EXPECT_EQ(::GetActiveWindow(), HandleOf(*Form));
    // The first control of the tab order took the focus.
    EXPECT_EQ(Form->ActiveControl(), Form->List);
    ::SendMessageA(HandleOf(*Form), WM_CLOSE, 0, 0);
    EXPECT_FALSE(Form->Visible());
    EXPECT_FALSE(::IsWindowVisible(HandleOf(*Form)));
}

TEST_F(PeersTest, TheFolderAndFileListsBrowseRealFolders) {
    std::random_device random;
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("morvik-win32-" + std::to_string(random()));
    std::filesystem::create_directories(root / "GAMES");
    std::ofstream(root / "GAMES" / "DUKE3D.GRP") << "x";
    std::ofstream(root / "GAMES" / "README.TXT") << "x";

    TDirectoryListBox* folders = new TDirectoryListBox(Form.get());
    folders->SetParent(Form->Panel);
    folders->SetBounds(150, 40, 140, 100);
    TFileListBox* files = new TFileListBox(Form.get());
    files->SetParent(Form->Panel);
    files->SetBounds(150, 140, 140, 50);
    files->SetMask("*.grp");
    folders->SetFileList(files);
    folders->SetDirectory(root.string());
    int doubleClicks = 0;
    folders->OnDblClick = [&](TComponent*) { ++doubleClicks; };

    const HWND folderWindow = HandleOf(*folders);
    const int count = int(::SendMessageA(folderWindow, LB_GETCOUNT, 0, 0));
    ASSERT_EQ(count, folders->Items().Count());
    const int games = folders->Items().IndexOf("GAMES");
    ASSERT_GE(games, 0);
    const int height = int(::SendMessageA(folderWindow, LB_GETITEMHEIGHT, 0, 0));
    const int y = games * height + height / 2;
    Click(folderWindow, 20, y);
    ::SendMessageA(folderWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(20, y));
    ::SendMessageA(folderWindow, WM_LBUTTONUP, 0, Point(20, y));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(folders->Directory(), (root / "GAMES").string());
    EXPECT_EQ(::SendMessageA(HandleOf(*files), LB_GETCOUNT, 0, 0), 1);
    char text[64] = {};
    ::SendMessageA(HandleOf(*files), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "DUKE3D.GRP");

    TComponent::Free(files);
    TComponent::Free(folders);
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

TEST_F(PeersTest, TheDriveListShowsTheDrives) {
    TDriveComboBox* drives = new TDriveComboBox(Form.get());
    drives->SetParent(Form->Panel);
    drives->SetBounds(150, 40, 140, 22);
    const HWND window = HandleOf(*drives);
    EXPECT_EQ(ClassOf(window), "ComboBox");
    EXPECT_EQ(::SendMessageA(window, CB_GETCOUNT, 0, 0), drives->Items().Count());
    EXPECT_EQ(::SendMessageA(window, CB_GETCURSEL, 0, 0), drives->ItemIndex());
}

TEST_F(PeersTest, AnExceptionOutOfAHandlerIsShownInTheErrorBoxAndInputGoesOn) {
    Form->Button->OnClick = [](TComponent*) { throw Exception("Unable to write to C:\\x.ini"); };
    std::string shown;
    std::string title;
    Later([&] {
        HWND box = ::GetActiveWindow();
        title = TextOf(box);
        char text[256] = {};
        ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        shown = text;
        ::SendMessageA(box, WM_COMMAND, IDOK, 0);
    });
    Click(*Form->Button);
    EXPECT_EQ(shown, "Unable to write to C:\\x.ini");
    EXPECT_EQ(title, Application().Title);
    // The window still answers.
    int clicks = 0;
    Form->Button->OnClick = [&](TComponent*) { ++clicks; };
    Click(*Form->Button);
    EXPECT_EQ(clicks, 1);
}

TEST_F(PeersTest, TheWindowShowsWhatThePaintDraws) {
    Form->Header->Invalidate();
    ::UpdateWindow(HandleOf(*Form));
    ::RedrawWindow(HandleOf(*Form), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    TBitmap shot(Form->Width(), Form->Height());
    {
        TWindowDC window(HandleOf(*Form), true);
        ::BitBlt(BitmapCanvas(shot).Handle(), 0, 0, shot.Width(), shot.Height(), window.Handle(), 0,
                 0, SRCCOPY);
    }
    EXPECT_TRUE(WritePng("win32_tests_form.png", shot));
    const TRect frame = Host->FrameInsets(*Form);
    // The header's gradient: blue just inside its bevel at the left, near navy at the right.
    const TColor left = shot.Pixel(frame.Left + 1, frame.Top + 12);
    const TColor right = shot.Pixel(frame.Left + 298, frame.Top + 12);
    EXPECT_EQ(left, clBlue);
    EXPECT_EQ(GetRValue(right), 0);
    EXPECT_LE(GetBValue(right), 130);
    EXPECT_GE(GetBValue(right), 126);
}
