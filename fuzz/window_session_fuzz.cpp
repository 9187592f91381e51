// Fuzz target: a whole session of the main window. Each input starts the program through its
// entry on the headless platform, in a session folder made afresh in the sandbox beside a
// sentinel file and two files that planted links point to. The session folder holds the
// program's folder with its settings file, the shell's special folders (the desktop among them)
// and a work folder of generated files: ordinary ones, group files valid, truncated, lying about
// their sizes, with hostile names, empty and with a large listing, and symbolic links planted
// among the group files and in an extraction folder. The input decodes into the user's actions
// (see Perform) with the answers to the menus and questions each one raises.
//
// The target aborts when anything beside the session folder changes or a planted link is
// followed or replaced; when a group file the window reports as created does not hold the files
// of its list in order, or one it does not report created was changed; when an extraction
// reported as done did not write every entry it named, byte for byte; when an operation sounds
// success and also shows a refusal; when the settings file written at the close does not read
// back; or when an error box shows an exception that a handler let through.

#include "Sandbox.h"

#include "app/Groupmain.h"
#include "app/Morvik.h"
#include "archive/Grpformat.h"
#include "platform/headless/Headless.h"
#include "toolkit/Inifiles.h"
#include "toolkit/Sysutils.h"
#include "widgets/Ornglyphresources.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using TBytes = std::vector<std::uint8_t>;
using TEntries = std::vector<std::pair<std::string, TBytes>>;

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

TBytes BytesOf(const std::string& text) {
    return TBytes(text.begin(), text.end());
}

void WriteWhole(const std::string& path, const TBytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    Check(bool(out.flush()));
}

// The bytes of the file at path, through links; nothing when it is no readable regular file.
std::optional<TBytes> ReadRegular(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Whether path, taken as written, names folder or something in it.
bool IsInside(const std::string& path, const std::string& folder) {
    const std::string normal = fs::path(path).lexically_normal().string();
    return normal == folder || normal.rfind(folder + "/", 0) == 0;
}

// ---- The sandbox -------------------------------------------------------------------------------

struct TSandbox {
    std::string Root;
    std::string Sentinel; // a file nothing may touch
    std::string Hidden;   // the target of the links in Planted, which nothing may even read
    std::string Open;     // a group file that the link LINK.GRP shows in the work folder
    std::string Session;  // made afresh for each input
    std::string Program;  // the program's folder, with the settings file
    std::string Work;     // the folder the window shows at start
    std::string Planted;  // an extraction folder holding links under entry names
    std::vector<std::string> Links;
};

const TEntries ValidEntries = {
    {"GAME.CON", BytesOf("ABCDE")}, {"E1L1.MAP", BytesOf("xyz")}, {"EMPTY.DAT", {}}};

TBytes Image(const TEntries& entries) {
    return BuildGrpImage(entries);
}

// A group file whose names no checked writer would take: leaving the folder, devices, empty,
// control bytes, duplicates, its own name and the name of a file beside it.
TBytes HostileImage() {
    const std::vector<std::string> names = {
        "../ESCAPE", "..",          "CON",         "A/B",         "", "DUP", "DUP",
        "VALID.GRP", "\x01\x1b[1m", "HOSTILE.GRP", "TWELVECHARS."};
    TBytes bytes((names.size() + 1) * GrpRecordSize);
    EncodeGrpRecord(std::span<std::uint8_t, GrpRecordSize>(bytes.data(), GrpRecordSize),
                    "KenSilverman", std::uint32_t(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i) {
        EncodeGrpRecord(std::span<std::uint8_t, GrpRecordSize>(
                            bytes.data() + (i + 1) * GrpRecordSize, GrpRecordSize),
                        names[i], std::uint32_t(i % 4));
        for (std::size_t k = 0; k < i % 4; ++k) {
            bytes.push_back(std::uint8_t('a' + i));
        }
    }
    return bytes;
}

TBytes BigImage() {
    TEntries entries;
    for (int i = 0; i < 400; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "F%04d.DAT", i);
        entries.emplace_back(name, TBytes(std::size_t(i % 5), std::uint8_t(i)));
    }
    return Image(entries);
}

const TSandbox& Sandbox() {
    static const TSandbox sandbox = [] {
        TSandbox s;
        s.Root = FuzzSandbox().string();
        s.Sentinel = s.Root + "/SENTINEL";
        s.Hidden = s.Root + "/LINKED";
        s.Open = s.Root + "/OPENLINKED";
        s.Session = s.Root + "/session";
        s.Program = s.Session + "/Program";
        s.Work = s.Session + "/Work";
        s.Planted = s.Work + "/VALID_Extract";
        s.Links = {s.Planted + "/GAME.CON", s.Planted + "/E1L1.MAP", s.Work + "/LINK.GRP",
                   s.Work + "/DANGLING.GRP"};
        WriteWhole(s.Sentinel, BytesOf("nothing may touch this file\n"));
        WriteWhole(s.Hidden, BytesOf("nothing may read this file\n"));
        WriteWhole(s.Open, Image({{"OPEN.TXT", BytesOf("through a link")}}));
        // An access time older than the modification time is updated by any read, also where
        // the file system only records reads lazily (relatime).
        const timespec times[2] = {{1, 0}, {0, UTIME_NOW}};
        Check(utimensat(AT_FDCWD, s.Sentinel.c_str(), times, 0) == 0);
        Check(utimensat(AT_FDCWD, s.Hidden.c_str(), times, 0) == 0);
        return s;
    }();
    return sandbox;
}

// The session folder with everything in it.
void MakeSession(const TSandbox& s) {
    std::error_code error;
    fs::remove_all(s.Session, error);
    Check(!error);
    fs::create_directories(s.Planted);
    fs::create_directories(s.Program);
    fs::create_directories(s.Work + "/Sub");
    fs::create_directories(s.Work + "/odd [=;] dir");
    WriteWhole(s.Program + "/Morvik.ini", BytesOf("[Setup]\r\nLastFolder=" + s.Work + "\r\n"));

    const std::string w = s.Work + "/";
    for (const auto& [name, data] : ValidEntries) {
        WriteWhole(w + name, data);
    }
    WriteWhole(w + "README.TXT", BytesOf("read me\n"));
    WriteWhole(w + "Morvik.exe", BytesOf("MZ!!")); // never packed
    WriteWhole(w + "LONGER_THAN_12.TXT", BytesOf("long name"));
    WriteWhole(w + "NOTES.ZIP", BytesOf("PK"));
    WriteWhole(w + "CON", BytesOf("a device's name"));
    WriteWhole(w + "a b=c;[x]", BytesOf("odd name"));
    WriteWhole(w + "\x01\x7f.txt", BytesOf("control bytes"));
    WriteWhole(w + "OLD.GRP.BAK", BytesOf("backup"));

    const TBytes valid = Image(ValidEntries);
    WriteWhole(w + "VALID.GRP", valid);
    WriteWhole(w + "lower.grp", Image({{"lower.txt", BytesOf("small")}}));
    WriteWhole(w + "TRUNC.GRP", TBytes(valid.begin(), valid.end() - 2));
    TBytes liar = valid;
    liar[GrpRecordSize + 12] = 0x40; // GAME.CON claims 64 bytes
    WriteWhole(w + "LIAR.GRP", liar);
    WriteWhole(w + "HOSTILE.GRP", HostileImage());
    WriteWhole(w + "SELF.GRP",
               Image({{"SELF.GRP", BytesOf("12345678")}, {"AFTER.TXT", BytesOf("after")}}));
    WriteWhole(w + "BIG.GRP", BigImage());
    WriteWhole(w + "EMPTY.GRP", Image({}));
    WriteWhole(w + "NOTGRP.GRP", BytesOf("not a group file at all"));
    WriteWhole(w + "Sub/INNER.GRP", Image({{"INNER.TXT", BytesOf("inner")}}));
    WriteWhole(w + "Sub/b.txt", BytesOf("b"));
    WriteWhole(w + "odd [=;] dir/c.txt", BytesOf("c"));

    Check(symlink("../../../LINKED", s.Links[0].c_str()) == 0);
    Check(symlink(s.Hidden.c_str(), s.Links[1].c_str()) == 0);
    Check(symlink("../../OPENLINKED", s.Links[2].c_str()) == 0);
    Check(symlink("../../CREATED.GRP", s.Links[3].c_str()) == 0);
}

// Everything in the sandbox beside the session folder. The file LINK.GRP shows is read when the
// user lists it, so its access time is left out.
std::map<std::string, TStamp> Outside(const TSandbox& s) {
    std::map<std::string, TStamp> stamps;
    for (const auto& entry : fs::directory_iterator(s.Root)) {
        const std::string path = entry.path().string();
        if (path == s.Session) {
            continue;
        }
        TStamp stamp = StampOf(path);
        if (path == s.Open) {
            stamp.Accessed = {};
        }
        stamps.emplace(path, stamp);
    }
    return stamps;
}

// ---- The session -------------------------------------------------------------------------------

class TInput {
public:
    TInput(const std::uint8_t* data, std::size_t size) : Data(data), Size(size) {}
    bool Empty() const { return Pos >= Size; }
    std::uint8_t Byte() { return Pos < Size ? Data[Pos++] : 0; }
    std::size_t Pick(std::size_t n) { return Byte() % n; }

private:
    const std::uint8_t* Data;
    std::size_t Size;
    std::size_t Pos = 0;
};

// Texts for the edit boxes: names too long, dots, a device, empty, control bytes, paths, and
// the names of the files and folders there.
const char* const Texts[] = {
    "MyGroup.grp",
    "",
    "..",
    "CON",
    "CON.GRP",
    "NAME_IS_LONGER.GRP",
    "new.GRP",
    "Sub/INNER2.GRP",
    "../UP.GRP",
    "/ABS/x.grp",
    "a\tb\n.grp",
    "\x01\x7f.GRP",
    "VALID.GRP",
    "LINK.GRP",
    "DANGLING.GRP",
    "HOSTILE.GRP",
    "VALID_Extract",
    "Sub",
    "NEW_Extract",
    "SELF.GRP",
    "BIG.GRP",
    "x.grp.",
    ".GRP",
    "odd [=;] dir",
    "Morvik.exe",
};

const TModalAnswer DialogAnswers[] = {
    TModalAnswer::PressKey('Y'), TModalAnswer::PressKey('N'),      TModalAnswer::CloseWindow(),
    TModalAnswer::PressKey('O'), TModalAnswer::PressKey(vkEscape), TModalAnswer::PressKey(vkReturn),
};

const std::uint16_t Keys[] = {vkUp,     vkDown, vkHome, vkEnd, vkReturn, vkEscape, vkTab, vkSpace,
                              vkDelete, vkBack, 'A',    'G',   'R',      'P',      'Q',   '0'};

// A group file's creation as the window will make it: the bytes at its path before, and the
// image of the files of the list when every one of them can be packed.
struct TCreation {
    std::string Path;
    std::optional<TBytes> Before;
    std::optional<TBytes> Expected;
};

struct TExtraction {
    std::string GroupPath;
    std::optional<TBytes> Group;
    std::vector<std::string> Names;
    std::string Target;
};

class TSession {
public:
    TSession(const TSandbox& sandbox, THeadlessPlatform& headless, TInput& input)
        : S(sandbox), Headless(headless), In(input) {}

    // One action of the user; queues the next while input is left.
    void Step() {
        if (!frmMain) {
            return;
        }
        TfrmMain& form = *frmMain;
        if (In.Empty() || Actions++ > 400 || !Allowed(form.DirectoryListBox1->Directory())) {
            Quit(form);
            return;
        }
        Headless.ClearAnswers();
        Answer();
        Trace(form);
        Perform(form);
        Check(Headless.Errors().empty());
        if (!frmMain) {
            return;
        }
        LastDirectory = form.DirectoryListBox1->Directory();
        Headless.QueueLoopAction([this] { Step(); });
    }

    std::string LastDirectory;

private:
    // The folders the user opens: the work folder and those in it, but not the one with the
    // planted links, whose files a click would read.
    bool Allowed(const std::string& folder) const {
        return IsInside(folder, S.Work) && !IsInside(folder, S.Planted);
    }

    // The window's state before each action, for reading an input that fails.
    void Trace(const TfrmMain& form) const {
        if (std::getenv("WINDOW_SESSION_TRACE") == nullptr) {
            return;
        }
        std::string text = "in " + form.DirectoryListBox1->Directory() + "\n  files:";
        for (const std::string& name : form.FileListBox1->Items().Texts()) {
            text += " " + name;
        }
        text += "\n  list:";
        for (int i = 0; i < form.ListBox1->Items().Count(); ++i) {
            text +=
                std::string(form.ListBox1->Selected(i) ? " *" : " ") + form.ListBox1->Items()[i];
        }
        std::fprintf(stderr, "%s\n  edits: [%s] [%s]\n", text.c_str(), form.EditGrp->Text().c_str(),
                     form.EditGrpFile->Text().c_str());
    }

    void Quit(TfrmMain& form) {
        LastDirectory = form.DirectoryListBox1->Directory();
        Headless.ClearAnswers();
        Headless.UserClick(*form.btnQuit);
    }

    // The answers to whatever the next action shows: three from the input, then the close box
    // until the action is over.
    void Answer() {
        std::size_t choice = In.Byte();
        for (int i = 0; i < 3; ++i) {
            Headless.QueueAnswer(DialogAnswers[choice % std::size(DialogAnswers)]);
            choice /= std::size(DialogAnswers);
        }
        for (int i = 0; i < 3; ++i) {
            Headless.QueueAnswer(TModalAnswer::CloseWindow());
        }
    }

    // Whether the journal holds what after its first seen lines.
    bool Happened(std::size_t seen, const std::string& what) const {
        const auto& journal = Headless.Journal();
        return std::find(journal.begin() + long(seen), journal.end(), what) != journal.end();
    }

    static std::string WorkFolderOf(const TfrmMain& form) {
        return IncludeTrailingPathDelimiter(form.DirectoryListBox1->Directory());
    }

    enum class TPress { Click, DoubleClick, Down, Up };

    // A click at height y of list, with Ctrl, Shift, both or neither; or only the press or the
    // release of the button, so that other actions can come between them.
    void ClickList(TListBox& list, TPress press) {
        if (!list.Showing() || list.ClientHeight() <= 0) {
            return;
        }
        const int y = int(In.Byte()) % list.ClientHeight();
        static const TShiftState shifts[] = {0, ssCtrl, ssShift, ssCtrl | ssShift};
        const TShiftState shift = shifts[In.Pick(4)];
        if (press == TPress::Down) {
            Headless.UserMouseDown(list, mbLeft, 10, y, shift);
        } else if (press == TPress::Up) {
            Headless.UserMouseUp(list, mbLeft, 10, y, shift);
        } else if (press == TPress::DoubleClick) {
            // A double click on the folder list opens the folder under it.
            if (auto* folders = dynamic_cast<TDirectoryListBox*>(&list)) {
                const int index = folders->ItemAtPos({10, y});
                if (index >= 0 && !Allowed(folders->ItemPath(index))) {
                    return;
                }
            }
            Headless.UserDoubleClickAt(list, 10, y, shift);
        } else {
            Headless.UserClickAt(list, 10, y, shift);
        }
    }

    void PressKey(TfrmMain& form) {
        const std::uint16_t key = Keys[In.Pick(std::size(Keys))];
        static const TShiftState shifts[] = {0, ssShift, ssCtrl, ssAlt};
        const TShiftState shift = shifts[In.Pick(4)];
        TDirectoryListBox& folders = *form.DirectoryListBox1;
        // Enter on the folder list opens its current folder.
        if (key == vkReturn && form.ActiveControl() == &folders && folders.ItemIndex() >= 0 &&
            !Allowed(folders.ItemPath(folders.ItemIndex()))) {
            return;
        }
        Headless.UserPressKey(form, key, shift);
    }

    void Type(TfrmMain& form) {
        TEdit& edit = In.Pick(2) == 0 ? *form.EditGrp : *form.EditGrpFile;
        const std::uint8_t how = In.Byte();
        std::string text;
        if (how < 0xC0) {
            text = Texts[how % std::size(Texts)];
        } else {
            for (int n = how % 16; n > 0; --n) {
                text += char(In.Byte());
            }
        }
        if (edit.Showing()) {
            edit.SetText(text);
        }
    }

    void OpenOptions(TfrmMain& form) {
        static const char* const items[] = {"DesktopIcon1", "AboutMorvik1", "Cancel1",
                                            "QuitApplication1"};
        Headless.ClearAnswers();
        const std::size_t how = In.Pick(7);
        if (how < 4) {
            Headless.QueueAnswer(TModalAnswer::ClickControl(items[how]));
        } else if (how == 4) {
            Headless.QueueAnswer(TModalAnswer::PressKey(vkEscape));
        } else if (how == 5) {
            Headless.QueueAnswer(TModalAnswer::PressKey(vkDown));
            Headless.QueueAnswer(TModalAnswer::PressKey(vkReturn));
        }
        // how == 6 and after the choice: the menu's close box, then the dialog's answers.
        Answer();
        const std::size_t links = Headless.Shell().Links().size();
        const std::size_t seen = Headless.Journal().size();
        Headless.UserClick(*form.btnOptions);
        // A desktop icon is written in the session's own desktop, and the success sound means
        // it was.
        const auto& written = Headless.Shell().Links();
        for (std::size_t i = links; i < written.size(); ++i) {
            Check(IsInside(written[i].FileName, S.Session));
        }
        if (written.size() > links && Happened(seen, "Beep 64")) {
            Check(written.back().Failure.empty() && FileExists(written.back().FileName));
        }
    }

    TCreation BeforeCreation(const TfrmMain& form) const {
        TCreation c;
        const std::string work = WorkFolderOf(form);
        c.Path = work + form.EditGrp->Text();
        c.Before = ReadRegular(c.Path);
        const TStrings& items = form.ListBox1->Items();
        if (items.Count() == 0) {
            return c;
        }
        TEntries entries;
        for (int i = 0; i < items.Count(); ++i) {
            const std::string& name = items[i];
            if (name == "Morvik.exe") {
                continue;
            }
            std::optional<TBytes> data = ReadRegular(work + name);
            if (!FitsGrpName(name) || !data) {
                return c;
            }
            entries.emplace_back(name, std::move(*data));
        }
        c.Expected = Image(entries);
        return c;
    }

    void AfterCreation(const TCreation& c, std::size_t seen) const {
        const bool success = Happened(seen, "Beep 64");
        Check(!(success && Happened(seen, "Dialog Information")));
        const std::optional<TBytes> after = ReadRegular(c.Path);
        if (success) {
            Check(c.Expected && after == c.Expected);
            Check(ParseGrpDirectory(*after, after->size()).Ok());
        } else {
            Check(after == c.Before);
        }
    }

    TExtraction BeforeExtraction(const TfrmMain& form) const {
        TExtraction e;
        const std::string work = WorkFolderOf(form);
        e.GroupPath = work + form.EditGrpFile->Text();
        e.Group = ReadRegular(e.GroupPath);
        e.Target = work + form.EditGrp->Text();
        const bool all = form.OrnCheckBox1->Checked();
        for (int i = 0; i < form.ListBox1->Items().Count(); ++i) {
            if (all || form.ListBox1->Selected(i)) {
                e.Names.push_back(form.ListBox1->Items()[i]);
            }
        }
        return e;
    }

    void AfterExtraction(const TExtraction& e, std::size_t seen) const {
        const bool success = Happened(seen, "Beep 64");
        Check(!(success && Happened(seen, "Dialog Information")));
        // Whether it worked or not, the group file is as it was.
        Check(ReadRegular(e.GroupPath) == e.Group);
        if (!success) {
            return;
        }
        Check(e.Group.has_value());
        const TBytes& group = *e.Group;
        const TResult<TGrpDirectory> directory = ParseGrpDirectory(group, group.size());
        Check(directory.Ok());
        const std::string folder = IncludeTrailingPathDelimiter(e.Target);
        for (const std::string& name : e.Names) {
            const std::optional<std::size_t> index = FindGrpEntry(directory.Value(), name);
            Check(index.has_value());
            const TGrpEntry& entry = directory.Value().Entries[*index];
            if (entry.Size == 0) {
                continue; // gives no file
            }
            struct stat st {};
            Check(lstat((folder + name).c_str(), &st) == 0 && S_ISREG(st.st_mode));
            const auto begin = group.begin() + std::ptrdiff_t(entry.Offset);
            Check(ReadRegular(folder + name) == TBytes(begin, begin + entry.Size));
        }
    }

    void ClickButton(TfrmMain& form) {
        TSpeedButton* const buttons[] = {
            form.btnAddAll, form.btnFilesAdd, form.btnFilesSub, form.btnName,   form.btnType,
            form.btnGroup,  form.btnExtract,  form.btnMExtract, form.btnMGroup, form.btnQuit};
        TSpeedButton& button = *buttons[In.Pick(std::size(buttons))];
        if (!button.Showing()) {
            return;
        }
        const std::size_t seen = Headless.Journal().size();
        if (&button == form.btnGroup) {
            const TCreation c = BeforeCreation(form);
            // What the user asks to be written outside the session folder is not done here.
            if (!IsInside(c.Path, S.Session)) {
                return;
            }
            Headless.UserClick(button);
            AfterCreation(c, seen);
        } else if (&button == form.btnExtract) {
            const TExtraction e = BeforeExtraction(form);
            if (!IsInside(e.Target, S.Session)) {
                return;
            }
            Headless.UserClick(button);
            AfterExtraction(e, seen);
        } else {
            Headless.UserClick(button);
        }
    }

    void Perform(TfrmMain& form) {
        TListBox* const lists[] = {form.FileListBox1, form.ListBox1, form.DirectoryListBox1};
        const std::size_t op = In.Pick(11);
        switch (op) {
        case 0:
            ClickButton(form);
            break;
        case 1:
        case 2: {
            TListBox& list = *lists[In.Pick(3)];
            ClickList(list, In.Byte() % 4 == 0 ? TPress::DoubleClick : TPress::Click);
            break;
        }
        case 3:
            PressKey(form);
            break;
        case 4:
            if (form.OrnCheckBox1->Showing()) {
                Headless.UserClick(*form.OrnCheckBox1);
            }
            break;
        case 5:
            Headless.UserClick(*form.DriveComboBox1);
            break;
        case 6:
            Type(form);
            break;
        case 7:
            OpenOptions(form);
            break;
        case 8: {
            TEdit& edit = In.Pick(2) == 0 ? *form.EditGrp : *form.EditGrpFile;
            if (edit.Showing()) {
                Headless.UserClick(edit);
            }
            break;
        }
        case 9:
        case 10: {
            TListBox& list = *lists[In.Pick(3)];
            ClickList(list, op == 9 ? TPress::Down : TPress::Up);
            break;
        }
        }
    }

    const TSandbox& S;
    THeadlessPlatform& Headless;
    TInput& In;
    int Actions = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TSandbox& s = Sandbox();
    MakeSession(s);
    // The shell makes its special folders in the temporary folder: the session's own.
    setenv("TMPDIR", s.Session.c_str(), 1);
    std::vector<TStamp> links;
    for (const std::string& link : s.Links) {
        links.push_back(StampOf(link));
    }
    const std::map<std::string, TStamp> before = Outside(s);

    std::string lastDirectory;
    {
        THeadlessPlatform headless;
        TPlatform* previous = InstallPlatform(&headless);
        AddOrnGlyphResources(headless);
        // Dialogs are painted when shown but their pictures are not kept: a session shows
        // hundreds, and nothing here looks at them.
        headless.SetKeepDialogPictures(false);
        headless.SetExeName(s.Program + "/Morvik.exe");
        headless.SetCommandLine("\"" + s.Program + "/Morvik.exe\"");
        TInput input(data, size);
        TSession session(s, headless, input);
        headless.QueueLoopAction([&session] { session.Step(); });
        MorvikMain();
        // An exception let through to the loop, or a settings file that cannot be written, ends
        // in the error box.
        Check(headless.Errors().empty());
        Check(frmMain == nullptr);
        lastDirectory = session.LastDirectory;
        // What the session showed and sounded, for reading an input that fails.
        if (std::getenv("WINDOW_SESSION_TRACE") != nullptr) {
            for (const std::string& line : headless.Journal()) {
                std::fprintf(stderr, "%s\n", line.c_str());
            }
        }
        InstallPlatform(previous);
    }

    const TIniFile settings(s.Program + "/Morvik.ini");
    Check(settings.ReadString("Setup", "LastFolder", "?") == lastDirectory);
    Check(settings.ReadString("Setup", "GroupPath", "?") == s.Work);

    Check(Outside(s) == before);
    for (std::size_t i = 0; i < links.size(); ++i) {
        Check(StampOf(s.Links[i]) == links[i]);
    }
    return 0;
}
