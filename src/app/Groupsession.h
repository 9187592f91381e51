#pragma once
// The window's group-file flow: listing a group file, extracting its entries and creating a new
// one, on the archive engine. TGroupSession owns the table of the listed entries and reaches the
// window only through TGroupView, which says what the flow needs in its own terms; TfrmMain
// implements it on its controls, and the session's tests on a recording fake with no form.

#include "app/Entrytable.h"
#include "toolkit/Uitypes.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

class TGroupView {
public:
    virtual ~TGroupView() = default;

    // True in extracting mode, false in creating mode.
    virtual bool Extracting() const = 0;
    // The chosen folder, the one of every file the flow reads or writes.
    virtual std::string Folder() const = 0;
    // The file current in the folder's file list; nothing when none is.
    virtual std::optional<std::string> ChosenFile() const = 0;

    // The names of the list beside the file list, in list order: the files to pack (creating)
    // or the listed entries (extracting); and those of them that are marked.
    virtual std::vector<std::string> ListNames() const = 0;
    virtual std::vector<std::string> MarkedNames() const = 0;
    // Whether "Extract All Files" is ticked.
    virtual bool ExtractAll() const = 0;
    // Replaces that list with names, unmarked; the item at current becomes the current one
    // unless current is -1.
    virtual void ShowEntries(const std::vector<std::string>& names, int current) = 0;

    // The group file whose entries are listed (extracting mode).
    virtual std::string GroupName() const = 0;
    virtual void SetGroupName(const std::string& name) = 0;
    // The name typed beside it: the folder to extract into, or the group file to create.
    virtual std::string TargetName() const = 0;
    virtual void SetTargetName(const std::string& name) = 0;
    virtual void SetTargetHint(const std::string& hint) = 0;

    // A question with Yes and No; the modal result (mrNo for No, mrCancel for the close box).
    virtual TModalResult Ask(const std::string& text, const std::string& caption) = 0;
    // The text of a refusal, in the information dialog; the sound before it is the flow's.
    virtual void Refuse(const std::string& text) = 0;
    // The system sound of type sndDefault, sndNameTooLong, sndExclamation or sndAsterisk.
    virtual void Sound(TSoundType type) = 0;

    // The chosen folder's files changed on disk: the file list reads them again.
    virtual void FolderFilesChanged() = 0;
    // Whether folder holds a file the window would list: an ordinary file (sub-folders, hidden
    // and system files do not count).
    virtual bool FolderHoldsFiles(const std::string& folder) = 0;
};

class TGroupSession {
public:
    // programFile is the name of the program's own file, which is never packed.
    explicit TGroupSession(TGroupView& view, std::string programFile = "Morvik.exe")
        : View(view), ProgramFile(std::move(programFile)) {}

    // The file list's current item changed: in extracting mode it becomes the group file to
    // extract from, and the part of its name before ".GRP" followed by "_Extract" the folder.
    void FileChosen();
    // A mouse button was released over the file list: a group file is listed (extracting mode)
    // or adopted as the name of the group file to create (creating mode).
    void FileReleased();

    // Lists the group file fileName of the chosen folder, or refuses it with "Unknown GRP
    // File!!!" and keeps the previous listing.
    void ReadGroupDirectory(const std::string& fileName);
    // Extracts the marked entries, or all with "Extract All Files" ticked, of the listed group
    // file into the folder named beside it, after the user agreed.
    void ExtractGroupFiles();
    // Packs every name of the list, in list order, from the chosen folder into the group file
    // named in the name box, in the same folder, after the user agreed.
    void CreateGroupFile();

    // Forgets the listing; every mode switch does.
    void ClearEntries() { Entries.Clear(); }
    const TEntryTable& Table() const { return Entries; }

private:
    // The chosen folder followed by a path delimiter (a root keeps its one).
    std::string WorkFolder() const;
    // The default sound, then text in the information dialog.
    void ShowRefusal(const std::string& text);
    // A question with Yes and No; false when the answer is No (the close box and Yes go on).
    bool AskYesNo(const std::string& text, const std::string& caption);
    bool ExtractEntries(const std::string& workFolder, const std::string& groupName,
                        const std::vector<std::string>& names, const std::string& target);

    TGroupView& View;
    std::string ProgramFile;
    TEntryTable Entries;
};
