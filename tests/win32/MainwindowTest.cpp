// The program's real main window in process: created as the program entry creates it, driven
// with window messages as the user would, read back from the native controls and the settings
// file.

#include "Win32test.h"

#include <shlobj.h> // DROPFILES

#include "app/Groupmain.h"
#include "archive/Grpformat.h"
#include "toolkit/Inifiles.h"
#include "toolkit/Sysutils.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

// The Win32 platform with the command line of a program started with arguments.
class TStartedPlatform : public TWin32Platform {
public:
    explicit TStartedPlatform(std::string arguments) : Arguments(std::move(arguments)) {}
    std::string CommandLine() override { return "Morvik.exe " + Arguments; }

private:
    std::string Arguments;
};

std::string TextOf(HWND window) {
    char text[512] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<std::string> ItemsOf(HWND list) {
    std::vector<std::string> items;
    const int count = int(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[512] = {};
        ::SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::string Extension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

class MainWindowTest : public Win32Test {
protected:
    MainWindowTest() {
        std::random_device random;
        Folder =
            std::filesystem::temp_directory_path() / ("morvik-main-" + std::to_string(random()));
        std::filesystem::create_directories(Folder);
        for (const char* name : {"DUKE3D.GRP", "README.TXT", "GAME.CON", "TILES.ART", "E1L1.MAP"}) {
            std::ofstream(Folder / name) << "x";
        }
    }
    ~MainWindowTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(Folder, ignored);
    }

    std::unique_ptr<TWin32Platform> MakePlatform() override {
        return std::make_unique<TStartedPlatform>(Arguments);
    }

    void SetUp() override {
        Win32Test::SetUp();
        Settings = ExtractFilePath(Application().ExeName()) + "Morvik.ini";
    }
    void TearDown() override {
        // The program's end, as the entry has it: the window goes, its settings are saved.
        while (Application().ComponentCount() > 0) {
            TComponent::Free(Application().Components(Application().ComponentCount() - 1));
        }
        DeleteFile(Settings);
        Win32Test::TearDown();
    }

    // The program starts: the main window is created and shown, which activates it.
    void Start() {
        Application().Initialize();
        Application().CreateForm(frmMain);
        frmMain->Show();
        Pump();
    }

    void ClickButton(TSpeedButton& button) {
        Click(button);
        Pump();
    }

    std::filesystem::path Folder;
    std::string Arguments;
    std::string Settings;
};

// Started with a group file of the folder on the command line.
class MainWindowStartedTest : public MainWindowTest {
protected:
    MainWindowStartedTest() { Arguments = "\"" + (Folder / "DUKE3D.GRP").string() + "\""; }
};

} // namespace

TEST_F(MainWindowStartedTest, AGroupFileOnTheCommandLineStartsExtractingInItsFolder) {
    Start();

    const HWND window = HandleOf(*frmMain);
    EXPECT_EQ(TextOf(window), "Morvik - v2.0 - Extract a .Grp File");
    EXPECT_EQ(frmMain->DirectoryListBox1->Directory(), Folder.string());
    EXPECT_EQ(ItemsOf(HandleOf(*frmMain->FileListBox1)), std::vector<std::string>{"DUKE3D.GRP"});
    EXPECT_TRUE(ItemsOf(HandleOf(*frmMain->ListBox1)).empty());
    EXPECT_TRUE(::IsWindowVisible(HandleOf(*frmMain->EditGrpFile)));
    EXPECT_EQ(TextOf(HandleOf(*frmMain->EditGrp)), "");
    // The window of the layout: client 499 x 328 with a fixed single border, centred.
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 499);
    EXPECT_EQ(client.bottom, 328);
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    RECT outer{};
    ::GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
}

TEST_F(MainWindowTest, TheUserSwitchesModesAddsSortsAndQuitsAndTheFolderIsRemembered) {
    Start();
    // Without arguments and settings: the program's own folder; the user opens the test's.
    frmMain->DirectoryListBox1->SetDirectory(Folder.string());
    Pump();

    ClickButton(*frmMain->btnMExtract);
    EXPECT_EQ(TextOf(HandleOf(*frmMain)), "Morvik - v2.0 - Extract a .Grp File");
    EXPECT_EQ(ItemsOf(HandleOf(*frmMain->FileListBox1)), std::vector<std::string>{"DUKE3D.GRP"});
    EXPECT_EQ(TextOf(HandleOf(*frmMain->EditGrp)), "");

    ClickButton(*frmMain->btnMGroup);
    EXPECT_EQ(TextOf(HandleOf(*frmMain)), "Morvik - v2.0 - Create a .Grp File");
    EXPECT_EQ(TextOf(HandleOf(*frmMain->EditGrp)), "MyGroup.grp");
    const HWND files = HandleOf(*frmMain->FileListBox1);
    EXPECT_EQ(ItemsOf(files).size(), 5u);

    // Add All takes every file but the group file into the list to pack.
    ClickButton(*frmMain->btnAddAll);
    const HWND toPack = HandleOf(*frmMain->ListBox1);
    std::vector<std::string> packed = ItemsOf(toPack);
    EXPECT_EQ(packed, frmMain->ListBox1->Items().Texts());
    EXPECT_EQ(packed.size(), 4u);
    EXPECT_EQ(std::count(packed.begin(), packed.end(), "DUKE3D.GRP"), 0);
    EXPECT_EQ(ItemsOf(files), frmMain->FileListBox1->Items().Texts());
    // Ready to create: the caption turns yellow.
    EXPECT_EQ(frmMain->btnGroup->Font().Color, clYellow);

    ClickButton(*frmMain->btnType);
    packed = ItemsOf(toPack);
    EXPECT_EQ(packed, frmMain->ListBox1->Items().Texts());
    for (std::size_t i = 1; i < packed.size(); ++i) {
        EXPECT_LE(UpperCase(Extension(packed[i - 1])), UpperCase(Extension(packed[i])));
    }

    // Two names marked in the native list and taken back out.
    const int height = int(::SendMessageA(toPack, LB_GETITEMHEIGHT, 0, 0));
    Click(toPack, 10, height / 2);
    Click(toPack, 10, height + height / 2, MK_CONTROL);
    EXPECT_EQ(frmMain->ListBox1->SelCount(), 2);
    ClickButton(*frmMain->btnFilesSub);
    EXPECT_EQ(ItemsOf(toPack).size(), 2u);
    EXPECT_EQ(ItemsOf(files), frmMain->FileListBox1->Items().Texts());

    // Alt+Q quits: the loop would end; the window goes and saves the folder shown.
    ::SendMessageA(HandleOf(*frmMain), WM_SYSCHAR, 'q', 1 << 29);
    EXPECT_TRUE(Application().Terminated());
    TComponent::Free(frmMain);
    EXPECT_EQ(TIniFile(Settings).ReadString("Setup", "LastFolder", ""), Folder.string());

    // The next start shows that folder again.
    Start();
    EXPECT_EQ(frmMain->DirectoryListBox1->Directory(), Folder.string());
    EXPECT_EQ(TextOf(HandleOf(*frmMain)), "Morvik - v2.0 - Manage .Grp File");
}

TEST_F(MainWindowTest, AMessageDialogOverTheMainWindowAnswersAndHandsTheFocusBack) {
    int activations = 0;
    Start();
    frmMain->OnActivate = [&](TComponent*) { ++activations; };
    Later([&] {
        TMessageForm* dialog = frmMain->OrnMesg1->ActiveDialog();
        ASSERT_TRUE(dialog);
        EXPECT_FALSE(::IsWindowEnabled(HandleOf(*frmMain)));
        auto* ok = dynamic_cast<TControl*>(dialog->FindComponent("A0"));
        ASSERT_TRUE(ok);
        Click(*ok);
    });
    EXPECT_EQ(frmMain->OrnMesg1->ShowMessage("No files selected to group!"), mrOk);
    EXPECT_TRUE(::IsWindowEnabled(HandleOf(*frmMain)));
    EXPECT_EQ(::GetActiveWindow(), HandleOf(*frmMain));
    EXPECT_EQ(activations, 0);
}

namespace {

// A drop as the shell makes it: a DROPFILES block in movable global memory with the paths after
// it, each ended by a zero byte and the list by another; the window that gets it frees it.
HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& path : paths) {
        list += path + '\0';
    }
    list += '\0';
    const HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
    ::GlobalUnlock(memory);
    return memory;
}

// A group file of count entries of one byte each, E0000000.DAT and on.
std::vector<std::uint8_t> ManyEntries(int count) {
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> entries;
    for (int i = 0; i < count; ++i) {
        entries.emplace_back("E" + std::to_string(10000000 + i).substr(1) + ".DAT",
                             std::vector<std::uint8_t>{std::uint8_t(i)});
    }
    return BuildGrpImage(entries);
}

} // namespace

TEST_F(MainWindowTest, FilesDroppedFromTheShellOpenAGroupFileOrJoinTheListToPack) {
    const std::vector<std::uint8_t> large = ManyEntries(20000);
    std::ofstream(Folder / "LARGE.GRP", std::ios::binary)
        .write(reinterpret_cast<const char*>(large.data()), std::streamsize(large.size()));
    Start();
    const HWND window = HandleOf(*frmMain);
    EXPECT_TRUE(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    // A group file opens in extracting mode in its folder, listed in the native list; the
    // folder dropped with it is ignored.
    ::SendMessageA(window, WM_DROPFILES,
                   WPARAM(MakeDrop({Folder.string(), (Folder / "LARGE.GRP").string()})), 0);
    EXPECT_EQ(TextOf(window), "Morvik - v2.0 - Extract a .Grp File");
    EXPECT_EQ(frmMain->DirectoryListBox1->Directory(), Folder.string());
    EXPECT_EQ(TextOf(HandleOf(*frmMain->EditGrpFile)), "LARGE.GRP");
    EXPECT_EQ(TextOf(HandleOf(*frmMain->EditGrp)), "LARGE_Extract");
    const HWND entries = HandleOf(*frmMain->ListBox1);
    const std::vector<std::string> listed = ItemsOf(entries);
    ASSERT_EQ(listed.size(), 20000u);
    EXPECT_EQ(listed.front(), "E0000000.DAT");
    EXPECT_EQ(listed.back(), "E0019999.DAT");
    EXPECT_EQ(::SendMessageA(HandleOf(*frmMain->FileListBox1), LB_GETCARETINDEX, 0, 0),
              frmMain->FileListBox1->Items().IndexOf("LARGE.GRP"));

    // In creating mode the files join the list to pack; the group file stays behind.
    ClickButton(*frmMain->btnMGroup);
    ::SendMessageA(
        window, WM_DROPFILES,
        WPARAM(MakeDrop({(Folder / "TILES.ART").string(), (Folder / "DUKE3D.GRP").string(),
                         (Folder / "GAME.CON").string()})),
        0);
    EXPECT_EQ(ItemsOf(entries), (std::vector<std::string>{"GAME.CON", "TILES.ART"}));
    EXPECT_EQ(frmMain->btnGroup->Font().Color, clYellow);
}

TEST_F(MainWindowTest, TheBusyCursorIsTheSystemsWaitCursor) {
    Start();
    {
        const TScreenCursor busy;
        EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_WAIT));
    }
    EXPECT_EQ(Host->ScreenCursor(), crDefault);
}
