#pragma once
// File-browsing controls: the file list of a folder, the folder tree list and the drive list,
// which drive one another when linked: drive list -> folder list -> file list. They read the
// file system through the toolkit's file services (FileServices()).

#include "toolkit/Stdctrls.h"
#include "toolkit/Sysutils.h"

#include <cstdint>
#include <string>
#include <vector>

// True when name matches mask: one or more patterns separated by ";", each matched against the
// whole name, "*" standing for any run of bytes and "?" for any one byte, ASCII case ignored.
// As in the system's file search, a pattern ending in ".*" or "." also matches a name without a
// dot ("*.*" matches every name). Empty patterns match nothing.
bool MatchesMask(const std::string& name, const std::string& mask);

// The root of path's drive: "C:\" for "C:\GAMES" (Windows), the path delimiter for an absolute
// path, empty for a relative one.
std::string ExtractDriveRoot(const std::string& path);

// The files of a folder that match Mask and the attribute filter FileType, as bare names in the
// list's name order (a sorted list). Sub-folders, when the filter has faDirectory, show as
// "[name]". An entry shows when every one of its hidden, system and directory attributes is in
// the filter, and then when the filter has faNormal or shares another attribute with it.
// Setting Directory, Mask or FileType to a new value reads the folder again; Update always does.
// Added items take their place in name order; replaced ones stay where they are put.
// (Update here, and in the folder and drive lists, reads again; it hides TWinControl::Update,
// which paints.)
class TFileListBox : public TListBox {
public:
    explicit TFileListBox(TComponent* owner);

    const std::string& Directory() const { return DirectoryValue; }
    void SetDirectory(const std::string& directory);
    const std::string& Mask() const { return MaskValue; }
    void SetMask(const std::string& mask);
    std::uint32_t FileType() const { return FileTypeValue; }
    void SetFileType(std::uint32_t fileType);
    // Reads the folder again.
    void Update();
    // The current item's path (folder and name), or empty when there is no current item.
    std::string FileName() const;

protected:
    void Loaded() override;

private:
    void ReadFileNames();
    bool Shows(const TSearchRec& entry) const;

    std::string DirectoryValue;
    std::string MaskValue = "*.*";
    std::uint32_t FileTypeValue = faNormal;
};

class TDriveComboBox;

// The current folder as a tree: its ancestors from the root down, the folder itself (the
// current item), then its sub-folders in name order. Setting Directory to an empty text
// changes nothing; to another folder, it rebuilds the tree, switches the linked drive list when
// the drive differs and gives the linked file list the folder. A double click runs OnDblClick
// and then opens the double-clicked folder; Enter opens the current item's folder.
class TDirectoryListBox : public TListBox {
public:
    explicit TDirectoryListBox(TComponent* owner);

    // Without a trailing path delimiter, except for a root.
    const std::string& Directory() const { return DirectoryValue; }
    void SetDirectory(const std::string& directory);
    // Rebuilds the tree and gives the linked file list the folder, reading it again.
    void Update();
    TFileListBox* FileList() const { return FileListValue; }
    void SetFileList(TFileListBox* fileList);
    // The folder item index stands for.
    std::string ItemPath(int index) const;
    void Notification(TComponent* component, TOperation operation) override;
    int ItemIndent(int index) const override;

protected:
    void DblClick() override;
    void KeyPress(char& key) override;

private:
    friend class TDriveComboBox;
    void ReadDirectoryNames();
    void OpenCurrent();

    std::string DirectoryValue;
    // The folder and its ancestors, the root first; the leading items of the list.
    std::vector<std::string> Ancestors;
    TFileListBox* FileListValue = nullptr;
    TDriveComboBox* DriveCombo = nullptr;
};

// The drives (file-system roots) to choose from. Choosing one moves the linked folder list to
// its root; the folder list moving to another drive chooses that drive here.
class TDriveComboBox : public TWinControl {
public:
    explicit TDriveComboBox(TComponent* owner);

    const TStrings& Items() const { return Drives; }
    // Reads the drives again.
    void Update();
    // The chosen drive's root ("C:\", "/"), or empty.
    std::string Drive() const;
    // A root that is not among the drives changes nothing.
    void SetDrive(const std::string& root);
    int ItemIndex() const { return Current; }
    void SetItemIndex(int index);
    TDirectoryListBox* DirList() const { return DirListValue; }
    void SetDirList(TDirectoryListBox* dirList);
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnChange;

protected:
    void Paint() override;

private:
    friend class TDirectoryListBox;
    int IndexOfDrive(const std::string& root) const;
    // Chooses index without moving the folder list.
    void Choose(int index);

    TStrings Drives;
    int Current = -1;
    TDirectoryListBox* DirListValue = nullptr;
};
