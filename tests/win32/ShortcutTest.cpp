// The desktop shortcut through the real shell: "Desktop Icon" on the program's window writes
// Morvik.lnk into the desktop folder (under Wine the test prefix's, whose home is a folder of the
// build), and the link read back through the shell's own link object has the properties given.

#include "Win32test.h"

#include "app/Groupmain.h"
#include "platform/win32/Win32shell.h"
#include "toolkit/Shell.h"
#include "toolkit/Sysutils.h"

#include <objbase.h>
#include <shlobj.h>

#include <filesystem>
#include <random>

namespace {

// A link file read back through IShellLinkA and IPersistFile::Load.
struct TLoadedLink {
    bool Loaded = false;
    TShellLink Link;
};

TLoadedLink LoadLink(const std::string& fileName) {
    TLoadedLink result;
    const HRESULT com = ::CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkA, reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring wide(fileName.begin(), fileName.end());
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
            char text[MAX_PATH] = {};
            WIN32_FIND_DATAA found{};
            link->GetPath(text, MAX_PATH, &found, SLGP_RAWPATH);
            result.Link.Path = text;
            text[0] = 0;
            link->GetArguments(text, MAX_PATH);
            result.Link.Arguments = text;
            text[0] = 0;
            link->GetWorkingDirectory(text, MAX_PATH);
            result.Link.WorkingDirectory = text;
            text[0] = 0;
            link->GetDescription(text, MAX_PATH);
            result.Link.Description = text;
            WORD hotkey = 0;
            link->GetHotkey(&hotkey);
            result.Link.Hotkey = hotkey;
            result.Loaded = true;
        }
    }
    if (file) {
        file->Release();
    }
    if (link) {
        link->Release();
    }
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return result;
}

std::string DesktopFolder() {
    char path[MAX_PATH] = {};
    return ::SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOP, FALSE) ? path : "";
}

class ShortcutTest : public Win32Test {
protected:
    void TearDown() override {
        while (Application().ComponentCount() > 0) {
            TComponent::Free(Application().Components(Application().ComponentCount() - 1));
        }
        DeleteFile(ExtractFilePath(Application().ExeName()) + "Morvik.ini");
        if (!LinkFile.empty()) {
            DeleteFile(LinkFile);
        }
        Win32Test::TearDown();
    }

    // A refusal shown by the window would wait for an answer: this answers it, and fails the
    // test. It captures nothing, as it may run after the test.
    static void AnswerARefusal() {
        if (!frmMain) {
            return;
        }
        TMessageForm* dialog = frmMain->OrnMesg1->ActiveDialog();
        if (!dialog) {
            return;
        }
        ADD_FAILURE() << "the window refused the shortcut";
        if (auto* ok = dynamic_cast<TControl*>(dialog->FindComponent("A0"))) {
            Click(*ok);
        }
    }

    std::string LinkFile;
};

} // namespace

TEST_F(ShortcutTest, DesktopIconWritesMorvikLnkOnTheDesktop) {
    const std::string desktop = DesktopFolder();
    ASSERT_FALSE(desktop.empty());
    LinkFile = desktop + "\\Morvik.lnk";
    DeleteFile(LinkFile);

    Application().CreateForm(frmMain);
    frmMain->Show();
    Pump();
    const std::string folder = ExtractFilePath(Application().ExeName());
    for (int time = 0; time < 2; ++time) {
        Later(&AnswerARefusal, 3000);
        frmMain->DesktopIcon1Click(frmMain);
        ASSERT_TRUE(FileExists(LinkFile)) << LinkFile;
        const TLoadedLink loaded = LoadLink(LinkFile);
        ASSERT_TRUE(loaded.Loaded);
        EXPECT_EQ(UpperCase(loaded.Link.Path), UpperCase(folder + "Morvik.exe"));
        EXPECT_EQ(loaded.Link.Arguments, "");
        EXPECT_EQ(UpperCase(loaded.Link.WorkingDirectory), UpperCase(folder));
        EXPECT_EQ(loaded.Link.Description, "Morvik");
        EXPECT_EQ(loaded.Link.Hotkey, 0);
    }
}

TEST_F(ShortcutTest, TheShellSavesEveryPropertyAndSaysWhyASaveFails) {
    std::random_device random;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("morvik-link-" + std::to_string(random()));
    std::filesystem::create_directories(folder);
    TShellLink link;
    link.Path = (folder / "prog.exe").string();
    link.Arguments = "/s extra";
    link.WorkingDirectory = folder.string() + "\\";
    link.Description = "Prog Link";
    link.Hotkey = 0x0641; // Ctrl+Alt+A
    const std::string file = (folder / "Prog.lnk").string();
    EXPECT_EQ(Host->Shell().SaveShellLink(link, file), "");
    const TLoadedLink loaded = LoadLink(file);
    ASSERT_TRUE(loaded.Loaded);
    EXPECT_EQ(UpperCase(loaded.Link.Path), UpperCase(link.Path));
    EXPECT_EQ(loaded.Link.Arguments, link.Arguments);
    EXPECT_EQ(UpperCase(loaded.Link.WorkingDirectory), UpperCase(link.WorkingDirectory));
    EXPECT_EQ(loaded.Link.Description, link.Description);
    EXPECT_EQ(loaded.Link.Hotkey, link.Hotkey);

    const std::string missing = (folder / "missing" / "Prog.lnk").string();
    const std::string failure = Host->Shell().SaveShellLink(link, missing);
    EXPECT_EQ(failure.rfind("Cannot write " + missing + ": ", 0), 0u) << failure;
    EXPECT_FALSE(FileExists(missing));

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
