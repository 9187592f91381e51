#include "toolkit/Filectrl.h"

#include "toolkit/Sysutils.h"

#include <algorithm>

namespace {

// An empty pattern, as between two ";" of a mask, matches nothing.
bool MatchOne(const std::string& pattern, const std::string& name) {
    return !pattern.empty() && MatchesFilePattern(name, pattern);
}

// directory without trailing delimiters, a root kept whole.
std::string StripTrailingDelimiters(std::string directory) {
    const std::size_t root = ExtractDriveRoot(directory).size();
    while (directory.size() > std::max<std::size_t>(root, 1) && directory.back() == PathDelim) {
        directory.pop_back();
    }
    return directory;
}

} // namespace

bool MatchesMask(const std::string& name, const std::string& mask) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = mask.find(';', start);
        if (MatchOne(mask.substr(start, end - start), name)) {
            return true;
        }
        if (end == std::string::npos) {
            return false;
        }
        start = end + 1;
    }
}

std::string ExtractDriveRoot(const std::string& path) {
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if constexpr (PathDelim == '\\') {
        if (path.size() >= 2 && letter(path[0]) && path[1] == ':') {
            return path.substr(0, 2) + PathDelim;
        }
    }
    if (!path.empty() && path[0] == PathDelim) {
        return std::string(1, PathDelim);
    }
    return std::string();
}

// ---- TFileListBox ------------------------------------------------------------------------------

TFileListBox::TFileListBox(TComponent* owner) : TListBox(owner) {
    SetSorted(true);
}

void TFileListBox::SetDirectory(const std::string& directory) {
    if (directory == DirectoryValue) {
        return;
    }
    DirectoryValue = directory;
    ReadFileNames();
}

void TFileListBox::SetMask(const std::string& mask) {
    if (mask == MaskValue) {
        return;
    }
    MaskValue = mask;
    ReadFileNames();
}

void TFileListBox::SetFileType(std::uint32_t fileType) {
    if (fileType == FileTypeValue) {
        return;
    }
    FileTypeValue = fileType;
    ReadFileNames();
}

void TFileListBox::Update() {
    ReadFileNames();
}

void TFileListBox::Loaded() {
    TListBox::Loaded();
    ReadFileNames();
}

std::string TFileListBox::FileName() const {
    if (ItemIndex() < 0) {
        return std::string();
    }
    return IncludeTrailingPathDelimiter(DirectoryValue) + Items()[ItemIndex()];
}

bool TFileListBox::Shows(const TSearchRec& entry) const {
    const std::uint32_t special = entry.Attr & (faHidden | faSysFile | faDirectory);
    if (special & ~FileTypeValue) {
        return false;
    }
    if (FileTypeValue & faNormal) {
        return true;
    }
    const std::uint32_t kinds = faReadOnly | faHidden | faSysFile | faDirectory | faArchive;
    return (entry.Attr & FileTypeValue & kinds) != 0;
}

void TFileListBox::ReadFileNames() {
    if (Loading()) {
        return;
    }
    std::vector<std::string> names;
    std::vector<TSearchRec> entries;
    if (!DirectoryValue.empty() && FileServices().ListFolder(DirectoryValue, entries)) {
        for (const TSearchRec& entry : entries) {
            if (!Shows(entry) || !MatchesMask(entry.Name, MaskValue)) {
                continue;
            }
            names.push_back(entry.Attr & faDirectory ? "[" + entry.Name + "]" : entry.Name);
        }
    }
    Items().Assign(names);
}

// ---- TDirectoryListBox -------------------------------------------------------------------------

TDirectoryListBox::TDirectoryListBox(TComponent* owner) : TListBox(owner) {}

void TDirectoryListBox::SetDirectory(const std::string& directory) {
    if (directory.empty()) {
        return;
    }
    const std::string folder = StripTrailingDelimiters(directory);
    if (folder == DirectoryValue) {
        return;
    }
    DirectoryValue = folder;
    ReadDirectoryNames();
    if (DriveCombo) {
        const std::string root = ExtractDriveRoot(folder);
        if (!SameText(root, DriveCombo->Drive())) {
            const int drive = DriveCombo->IndexOfDrive(root);
            if (drive >= 0) {
                DriveCombo->Choose(drive);
            }
        }
    }
    if (FileListValue) {
        FileListValue->SetDirectory(DirectoryValue);
    }
}

void TDirectoryListBox::Update() {
    ReadDirectoryNames();
    if (!FileListValue) {
        return;
    }
    if (FileListValue->Directory() != DirectoryValue) {
        FileListValue->SetDirectory(DirectoryValue);
    } else {
        FileListValue->Update();
    }
}

void TDirectoryListBox::ReadDirectoryNames() {
    Ancestors.clear();
    std::vector<std::string> items;
    const std::string root = ExtractDriveRoot(DirectoryValue);
    std::string path = root;
    if (!root.empty()) {
        Ancestors.push_back(root);
        items.push_back(root);
    }
    std::size_t start = root.size();
    while (start < DirectoryValue.size()) {
        std::size_t end = DirectoryValue.find(PathDelim, start);
        if (end == std::string::npos) {
            end = DirectoryValue.size();
        }
        if (end > start) {
            const std::string part = DirectoryValue.substr(start, end - start);
            path = path.empty() || path.back() == PathDelim ? path + part : path + PathDelim + part;
            Ancestors.push_back(path);
            items.push_back(part);
        }
        start = end + 1;
    }
    std::vector<std::string> folders;
    std::vector<TSearchRec> entries;
    if (!DirectoryValue.empty() && FileServices().ListFolder(DirectoryValue, entries)) {
        for (const TSearchRec& entry : entries) {
            if ((entry.Attr & faDirectory) && !(entry.Attr & (faHidden | faSysFile))) {
                folders.push_back(entry.Name);
            }
        }
    }
    std::sort(folders.begin(), folders.end(), TStrings::NameLess);
    items.insert(items.end(), folders.begin(), folders.end());
    Items().Assign(items);
    SetItemIndex(int(Ancestors.size()) - 1);
}

std::string TDirectoryListBox::ItemPath(int index) const {
    if (index >= 0 && std::size_t(index) < Ancestors.size()) {
        return Ancestors[std::size_t(index)];
    }
    return IncludeTrailingPathDelimiter(DirectoryValue) + Items()[index];
}

void TDirectoryListBox::SetFileList(TFileListBox* fileList) {
    if (fileList == FileListValue) {
        return;
    }
    if (FileListValue) {
        RemoveFreeNotification(FileListValue);
    }
    FileListValue = fileList;
    if (!fileList) {
        return;
    }
    FreeNotification(fileList);
    if (!DirectoryValue.empty()) {
        fileList->SetDirectory(DirectoryValue);
    }
}

void TDirectoryListBox::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove) {
        if (component == FileListValue) {
            FileListValue = nullptr;
        }
        if (component == DriveCombo) {
            DriveCombo = nullptr;
        }
    }
    TListBox::Notification(component, operation);
}

void TDirectoryListBox::OpenCurrent() {
    if (ItemIndex() >= 0) {
        SetDirectory(ItemPath(ItemIndex()));
    }
}

void TDirectoryListBox::DblClick() {
    TListBox::DblClick();
    OpenCurrent();
}

void TDirectoryListBox::KeyPress(char& key) {
    TListBox::KeyPress(key);
    if (key == '\r') {
        OpenCurrent();
    }
}

int TDirectoryListBox::ItemIndent(int index) const {
    const int level = std::min(index, int(Ancestors.size()));
    return level * 8;
}

// ---- TDriveComboBox ----------------------------------------------------------------------------

TDriveComboBox::TDriveComboBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 145, 22);
    SetColor(clWindow);
    SetTabStop(true);
    Update();
}

void TDriveComboBox::Update() {
    const std::string drive = Drive();
    Drives.Assign(FileServices().LogicalDrives());
    const int index = IndexOfDrive(drive);
    Current = index >= 0 ? index : Drives.Count() > 0 ? 0 : -1;
    PeerChanged(TPeerChange::Items);
    Invalidate();
}

std::string TDriveComboBox::Drive() const {
    return Current >= 0 ? Drives[Current] : std::string();
}

int TDriveComboBox::IndexOfDrive(const std::string& root) const {
    for (int i = 0; i < Drives.Count(); ++i) {
        if (SameText(Drives[i], root)) {
            return i;
        }
    }
    return -1;
}

void TDriveComboBox::SetDrive(const std::string& root) {
    const int index = IndexOfDrive(root);
    if (index >= 0) {
        SetItemIndex(index);
    }
}

void TDriveComboBox::SetItemIndex(int index) {
    if (index < 0 || index >= Drives.Count() || index == Current) {
        return;
    }
    Choose(index);
    if (DirListValue) {
        DirListValue->SetDirectory(Drive());
    }
}

void TDriveComboBox::Choose(int index) {
    if (index < 0 || index == Current) {
        return;
    }
    Current = index;
    PeerChanged(TPeerChange::Selection);
    Invalidate();
    OnChange(this);
}

void TDriveComboBox::SetDirList(TDirectoryListBox* dirList) {
    if (dirList == DirListValue) {
        return;
    }
    if (DirListValue) {
        DirListValue->DriveCombo = nullptr;
        RemoveFreeNotification(DirListValue);
    }
    DirListValue = dirList;
    if (!dirList) {
        return;
    }
    dirList->DriveCombo = this;
    FreeNotification(dirList);
    const int index = IndexOfDrive(ExtractDriveRoot(dirList->Directory()));
    if (index >= 0) {
        Choose(index);
    }
}

void TDriveComboBox::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == DirListValue) {
        DirListValue = nullptr;
    }
    TWinControl::Notification(component, operation);
}

void TDriveComboBox::Paint() {
    TCanvas& canvas = Canvas();
    TRect r = ClientRect();
    canvas.DrawEdge(r, edgeSunken, bfRect | bfAdjust);
    canvas.Brush.Color = Color();
    canvas.FillRect(r);
    // The drop-down button at the right, with its arrow.
    TRect button = Rect(std::max(r.Left, r.Right - 16), r.Top, r.Right, r.Bottom);
    canvas.DrawEdge(button, edgeRaised, bfRect | bfMiddle | bfAdjust);
    canvas.Brush.Color = clBtnText;
    const int cx = (button.Left + button.Right) / 2;
    const int cy = (button.Top + button.Bottom) / 2 - 1;
    for (int row = 0; row < 3; ++row) {
        canvas.FillRect(Rect(cx - 3 + row, cy + row, cx + 4 - row, cy + row + 1));
    }
    TRect text = Rect(r.Left + 2, r.Top, button.Left, r.Bottom);
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.Font.Color = Enabled() ? Font().Color : clGrayText;
    canvas.DrawText(Drive(), text, dtLeft | dtVCenter | dtSingleLine | dtNoPrefix);
}
