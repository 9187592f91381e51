#pragma once
// What the listing, extraction and creation of group files need from the main window, named
// after its controls. The window implements it by forwarding to DirectoryListBox1,
// FileListBox1, FileListBox2, ListBox1, EditGrp, EditGrpFile, OrnCheckBox1 and OrnMesg1; the
// operations know nothing else of it.

#include "toolkit/Sysutils.h"
#include "toolkit/Uitypes.h"

#include <optional>
#include <string>

class TGroupWindow {
public:
    virtual ~TGroupWindow() = default;

    // True in extracting mode, false in creating mode.
    virtual bool ExtractMode() const = 0;

    // The current folder of DirectoryListBox1.
    virtual std::string DirectoryListBox1Directory() const = 0;

    // The text of FileListBox1's current item; nothing when it has none.
    virtual std::optional<std::string> FileListBox1Current() const = 0;
    // Reads FileListBox1's folder again.
    virtual void FileListBox1Update() = 0;

    // Whether folder holds at least one file that FileListBox2 would show (mask "*.*", ordinary
    // files only: sub-folders, hidden and system files do not count).
    virtual bool FileListBox2HasFiles(const std::string& folder) = 0;

    virtual int ListBox1Count() const = 0;
    virtual std::string ListBox1Item(int index) const = 0;
    virtual bool ListBox1Selected(int index) const = 0;
    virtual void ListBox1Clear() = 0;
    // Appends name, unmarked.
    virtual void ListBox1Add(const std::string& name) = 0;
    virtual void ListBox1SetItemIndex(int index) = 0;

    virtual std::string EditGrpText() const = 0;
    virtual void SetEditGrpText(const std::string& text) = 0;
    virtual void SetEditGrpHint(const std::string& hint) = 0;
    virtual std::string EditGrpFileText() const = 0;
    virtual void SetEditGrpFileText(const std::string& text) = 0;

    // Whether "Extract All Files" is ticked.
    virtual bool OrnCheckBox1Checked() const = 0;

    // OrnMesg1's two entry points; each returns the modal result (mrNo for No, mrCancel for the
    // close box).
    virtual TModalResult ShowMessage(const std::string& msg) = 0;
    virtual TModalResult MessageShow(const std::string& msg, const std::string& caption,
                                     const std::string& buttons, int x, int y) = 0;

    // The system sound of type sndDefault, sndNameTooLong, sndExclamation or sndAsterisk.
    virtual void MessageBeep(TSoundType type) = 0;

    // Recolours the Create button's caption after the lists changed.
    virtual void UpdateGroupButton() = 0;
};

// The folder of every file the operations read or write: DirectoryListBox1's folder followed by
// a path delimiter (a root keeps its one).
inline std::string WorkFolder(const TGroupWindow& window) {
    return IncludeTrailingPathDelimiter(window.DirectoryListBox1Directory());
}

// A refusal: the default beep, then text in the information dialog.
inline void ShowRefusal(TGroupWindow& window, const std::string& text) {
    window.MessageBeep(sndDefault);
    window.ShowMessage(text);
}

// A question with Yes and No, centred; false when the answer is No (the close box and Yes go on).
inline bool AskYesNo(TGroupWindow& window, const std::string& text, const std::string& caption) {
    return window.MessageShow(text, caption, "mbYes,mbNo", -1, -1) != mrNo;
}

// A group-file name holds ".GRP" anywhere, in any case.
inline bool IsGroupFileName(const std::string& name) {
    return UpperCase(name).find(".GRP") != std::string::npos;
}
