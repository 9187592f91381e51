// Morvik.exe itself, started with a group file on its command line: it must open in extracting
// mode in that file's folder. Its window is photographed into Morvik.png in the test's working
// folder (the build folder), switched to creating mode by a click on "M-Group" and photographed
// again into Morvik-creating.png, then closed, which writes the settings beside the program.

#include "Win32test.h"

#include "platform/headless/Pngwriter.h"
#include "platform/win32/Gdicanvas.h"
#include "platform/win32/Gdiobjects.h"

#include "toolkit/Inifiles.h"

#include <filesystem>
#include <fstream>
#include <random>

namespace {

struct TWindowSearch {
    DWORD Process = 0;
    HWND Found = nullptr;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TWindowSearch*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (process == search->Process && std::string(name) == FormClassName &&
        ::IsWindowVisible(window)) {
        search->Found = window;
    }
    return TRUE;
}

BOOL CALLBACK CollectLists(HWND window, LPARAM data) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "ListBox") {
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    }
    return TRUE;
}

// Read through the wide message: Wine hands the text of another process's list to the narrow
// one in wide characters.
std::string ItemText(HWND list, int index) {
    wchar_t wide[512] = {};
    ::SendMessageW(list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(wide));
    char text[512] = {};
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

// A path of the build as the Windows side takes it: under Wine a Unix path names the root
// drive Z:.
std::filesystem::path WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
    }
    return std::filesystem::path(path).make_preferred();
}

TBitmap Photograph(HWND window) {
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    TBitmap shot(bounds.right - bounds.left, bounds.bottom - bounds.top);
    TWindowDC screen(nullptr);
    ::BitBlt(BitmapCanvas(shot).Handle(), 0, 0, shot.Width(), shot.Height(), screen.Handle(),
             bounds.left, bounds.top, SRCCOPY);
    return shot;
}

std::string Title(HWND window) {
    char title[256] = {};
    ::GetWindowTextA(window, title, sizeof title);
    return title;
}

// A click of the left button at a point of the window's client area, delivered to the child
// window there as the pointer would deliver it.
void ClickAt(HWND window, POINT point) {
    const HWND child = ::ChildWindowFromPoint(window, point);
    ::MapWindowPoints(window, child, &point, 1);
    const LPARAM at = MAKELPARAM(point.x, point.y);
    ::SendMessageA(child, WM_MOUSEMOVE, 0, at);
    ::SendMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(child, WM_LBUTTONUP, 0, at);
}

class MorvikExeTest : public Win32Test {};

} // namespace

TEST_F(MorvikExeTest, StartedWithAGroupFileItOpensExtractingInItsFolder) {
    std::random_device random;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("morvik-exe-" + std::to_string(random()));
    std::filesystem::create_directories(folder / "GAMES");
    std::filesystem::copy_file(WindowsPath(MORVIK_EXE), folder / "Morvik.exe");
    std::ofstream(folder / "GAMES" / "DUKE3D.GRP", std::ios::binary)
        << std::string("KenSilverman\0\0\0\0", 16);
    std::ofstream(folder / "GAMES" / "README.TXT") << "x";

    std::string commandLine = "\"" + (folder / "Morvik.exe").string() + "\" \"" +
                              (folder / "GAMES" / "DUKE3D.GRP").string() + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 folder.string().c_str(), &startup, &process));
    TWindowSearch search{process.dwProcessId, nullptr};
    for (int i = 0; i < 200 && !search.Found; ++i) {
        ::Sleep(50);
        ::EnumWindows(&FindMainWindow, reinterpret_cast<LPARAM>(&search));
    }
    ASSERT_TRUE(search.Found) << "Morvik.exe showed no window";
    const HWND window = search.Found;
    // Settled and painted, the pointer out of the way of tooltips.
    ::SetCursorPos(0, 0);
    ::Sleep(500);

    EXPECT_EQ(Title(window), "Morvik - v2.0 - Extract a .Grp File");
    std::vector<HWND> lists;
    ::EnumChildWindows(window, &CollectLists, reinterpret_cast<LPARAM>(&lists));
    bool groupFilesOnly = false;
    bool folderCurrent = false;
    for (HWND list : lists) {
        const int count = int(::SendMessageA(list, LB_GETCOUNT, 0, 0));
        if (count == 1 && ItemText(list, 0) == "DUKE3D.GRP") {
            groupFilesOnly = true;
        }
        const int current = int(::SendMessageA(list, LB_GETCURSEL, 0, 0));
        if (current >= 0 && ItemText(list, current) == "GAMES") {
            folderCurrent = true;
        }
    }
    EXPECT_TRUE(groupFilesOnly) << "the file list does not show the group file alone";
    EXPECT_TRUE(folderCurrent) << "the folder list is not at the file's folder";

    EXPECT_TRUE(WritePng("Morvik.png", Photograph(window)));
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 499);
    EXPECT_EQ(client.bottom, 328);

    // " M-Group " stands in the footer bar at x 140 to 250, y 304 to 326 of the client area.
    ClickAt(window, POINT{195, 315});
    for (int i = 0; i < 100 && Title(window) != "Morvik - v2.0 - Create a .Grp File"; ++i) {
        ::Sleep(50);
    }
    EXPECT_EQ(Title(window), "Morvik - v2.0 - Create a .Grp File");
    ::Sleep(300);
    EXPECT_TRUE(WritePng("Morvik-creating.png", Photograph(window)));

    ::PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    // Closing saved the settings beside the program.
    const TIniFile settings((folder / "Morvik.ini").string());
    EXPECT_EQ(settings.ReadString("Setup", "LastFolder", ""), (folder / "GAMES").string());
    EXPECT_EQ(settings.ReadString("Setup", "GroupFile", ""), "DUKE3D.GRP");

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
