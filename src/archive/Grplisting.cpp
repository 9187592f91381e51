#include "archive/Grplisting.h"

#include "archive/Grpfiles.h"
#include "toolkit/Sysutils.h"

void FileListBox1Click(TGroupWindow& window) {
    if (!window.ExtractMode()) {
        return;
    }
    const std::optional<std::string> name = window.FileListBox1Current();
    if (!name) {
        return;
    }
    window.SetEditGrpText("");
    window.SetEditGrpFileText(*name);
    const std::size_t p = UpperCase(*name).find(".GRP");
    if (p != std::string::npos && p > 0) {
        window.SetEditGrpText(name->substr(0, p) + "_Extract");
    }
}

void FileListBox1MouseUp(TGroupWindow& window) {
    const std::optional<std::string> name = window.FileListBox1Current();
    if (name && IsGroupFileName(*name)) {
        if (window.ExtractMode()) {
            window.SetEditGrpHint("Extract to: " + WorkFolder(window) + window.EditGrpText());
            ReadGroupDirectory(window, *name);
        } else {
            window.SetEditGrpText(*name);
            window.SetEditGrpHint("Group to: " + WorkFolder(window) + window.EditGrpText() + " ");
        }
    }
    window.UpdateGroupButton();
}

void ReadGroupDirectory(TGroupWindow& window, const std::string& fileName) {
    const std::string path = WorkFolder(window) + fileName;
    // A file that cannot be read, or is shorter than its directory or the data its sizes claim,
    // is refused like one of unknown magic.
    const TResult<TGrpDirectory> directory = ReadGrpDirectory(path);
    if (!directory.Ok()) {
        ShowRefusal(window, "Unknown GRP File!!!\nAborting...");
        return;
    }
    entryTable.Fill(path, directory.Value());
    window.ListBox1Clear();
    for (std::size_t i = 0; i < entryTable.Used(); ++i) {
        window.ListBox1Add(entryTable.EntryName(i));
    }
}
