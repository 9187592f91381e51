#include "archive/Grpcreation.h"

#include "archive/Entrytable.h"
#include "archive/Grpfiles.h"
#include "archive/Grpformat.h"
#include "toolkit/Sysutils.h"

#include <string>
#include <utility>
#include <vector>

namespace {

// The program's own file, which is never packed.
const std::string ProgramFileName = "Morvik.exe";

} // namespace

void btnGroupClick(TGroupWindow& window) {
    if (!window.ExtractMode()) {
        CreateGroupFile(window);
    }
}

void CreateGroupFile(TGroupWindow& window) {
    const std::string workFolder = WorkFolder(window);
    const std::string groupName = window.EditGrpText();
    if (!IsGroupFileName(groupName)) {
        ShowRefusal(window, "Incorrect Group filename!");
        return;
    }
    const int n = window.ListBox1Count();
    if (n < 1) {
        ShowRefusal(window, "No files selected to group!");
        return;
    }
    const std::string groupPath = workFolder + groupName;
    const bool replacing = FileExists(groupPath);
    if (replacing) {
        window.MessageBeep(sndDefault);
        if (!AskYesNo(window, "Group file: " + groupName + " already exists!\nOverwrite ?",
                      "Warning!")) {
            window.MessageBeep(sndDefault);
            return;
        }
    }
    window.MessageBeep(sndExclamation);
    if (!AskYesNo(window, "Files will be grouped to:\n" + groupPath + "\nContinue ?",
                  "Create .Grp File")) {
        window.MessageBeep(sndDefault);
        return;
    }
    entryTable.Clear();

    // Every name is checked before anything is replaced, so that a refused name leaves the old
    // group file as it was.
    std::vector<std::string> names;
    for (int j = 0; j < n; ++j) {
        const std::string name = window.ListBox1Item(j);
        if (name == ProgramFileName) {
            continue;
        }
        if (!FitsGrpName(name)) {
            window.MessageBeep(sndNameTooLong);
            window.ShowMessage(name +
                               "\nFilename + extension cannot exceed 12 characters!\nAborting.");
            return;
        }
        names.push_back(name);
    }

    const std::string unchanged =
        replacing ? "\nThe existing Group file was not changed." : "\nNo Group file was written.";
    // A file that is gone, cannot be read or is too large for an entry stops the creation
    // before anything is written: its record would not match its data.
    std::vector<TGrpSource> sources;
    sources.reserve(names.size());
    for (const std::string& name : names) {
        const TResult<std::vector<TGrpSource>> measured =
            MeasureGrpSources({{workFolder + name, name}});
        if (!measured.Ok()) {
            ShowRefusal(window,
                        "Cannot group file: " + name + "\n" + measured.Reason() + unchanged);
            return;
        }
        sources.push_back(measured.Value().front());
        entryTable.Append(name, sources.back().Size);
    }

    // The new file is written beside the old one and takes its place only when complete, so a
    // failed write, or a source that changed its length meanwhile, leaves the old one whole.
    // The old file is therefore not deleted beforehand, and a failure leaves the folder as it
    // was, with no file list to re-read.
    const TStatus status = WriteGrpFile(groupPath, sources);
    if (!status.Ok()) {
        ShowRefusal(window,
                    "Cannot create Group file: " + groupName + "\n" + status.Reason() + unchanged);
        return;
    }
    window.FileListBox1Update();
    window.MessageBeep(sndAsterisk);
}
