// Files dropped on the main window from the shell: a group file is opened as a click on it in
// the file list opens it; in creating mode other files are added to the list to pack as "Add
// Filles" adds marked names.
#include "app/Groupmain.h"

#include "archive/Grppattern.h"
#include "toolkit/Sysutils.h"

#include <algorithm>

namespace {

// A name as a message shows it: a very long one is cut, so that the dialog stays on the screen.
std::string ShownName(const std::string& name) {
    constexpr std::size_t longest = 60;
    return name.size() <= longest ? name : name.substr(0, longest - 3) + "...";
}

bool HoldsGroupFile(const std::string& path) {
    return IsGroupFileName(ExtractFileName(path));
}

} // namespace

void TfrmMain::FormDropFiles(TComponent* /*sender*/, const std::vector<std::string>& paths) {
    // Folders are not taken.
    std::vector<std::string> files;
    std::copy_if(paths.begin(), paths.end(), std::back_inserter(files),
                 [](const std::string& path) { return !DirectoryExists(path); });
    const auto group = std::find_if(files.begin(), files.end(), HoldsGroupFile);
    const bool anyToPack = std::any_of(files.begin(), files.end(), [](const std::string& path) {
        return GoesIntoGroup(ExtractFileName(path));
    });
    // Creating mode opens a group file too when the drop holds nothing that could be packed.
    if (extractMode || (group != files.end() && !anyToPack)) {
        if (group == files.end()) {
            ShowRefusal("No Group file dropped!\nDrop a .grp file to list its entries.");
            return;
        }
        OpenDroppedGroupFile(*group);
    } else {
        AddDroppedFiles(files);
    }
}

bool TfrmMain::CanOpenDropped(const std::string& path) {
    const TFileHandle file(FileOpen(path, TFileMode::Read));
    if (file.Valid()) {
        return true;
    }
    ShowRefusal("Cannot open " + ShownName(ExtractFileName(path)) + "\n" + LastErrorText());
    return false;
}

void TfrmMain::OpenDroppedGroupFile(const std::string& path) {
    // A file gone since the drag began, or a name longer than the system takes, is refused
    // before the window changes.
    if (!CanOpenDropped(path)) {
        return;
    }
    // As a group file named on the command line: its folder, extracting mode.
    const std::string name = ExtractFileName(path);
    DirectoryListBox1->SetDirectory(ExtractFilePath(path));
    btnMExtractClick(this);
    const int index = FileListBox1->Items().IndexOf(name);
    if (index < 0) {
        ShowRefusal("Group file not in the file list: " + ShownName(name) +
                    "\nOnly files named *.grp are listed.");
        return;
    }
    // Then as a click on it: current and marked, named, listed.
    FileListBox1->SetItemIndex(index);
    FileListBox1->SetSelected(index, true);
    FileListBox1Click(FileListBox1);
    FileListBox1MouseUp(FileListBox1, mbLeft, 0, 0, 0);
}

void TfrmMain::AddDroppedFiles(const std::vector<std::string>& files) {
    if (files.empty()) {
        return;
    }
    // The list to pack names files of one folder, the folder list's.
    const std::string folder = ExtractFilePath(files.front());
    for (const std::string& file : files) {
        if (ExtractFilePath(file) != folder) {
            ShowRefusal("Files from several folders cannot be grouped together!\nDrop "
                        "files of one folder.");
            return;
        }
    }
    for (const std::string& file : files) {
        if (!CanOpenDropped(file)) {
            return;
        }
    }
    DirectoryListBox1->SetDirectory(folder);
    // The dropped names are marked as the user marks them before "Add Filles", and moved by
    // its rules. A name the file list does not show (already in the list to pack) stays out.
    std::vector<std::string> names;
    std::transform(files.begin(), files.end(), std::back_inserter(names), ExtractFileName);
    for (int i = 0; i < FileListBox1->Items().Count(); ++i) {
        const std::string& item = FileListBox1->Items()[i];
        FileListBox1->SetSelected(i, std::find(names.begin(), names.end(), item) != names.end());
    }
    AddFiles(false);
}
