#include "app/Groupsession.h"

#include "archive/Grpextract.h"
#include "archive/Grpfiles.h"
#include "archive/Grpformat.h"
#include "archive/Grppattern.h"
#include "toolkit/Sysutils.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace {

std::string HowFar(std::size_t extracted, std::size_t planned) {
    if (extracted == 0) {
        return "Nothing was extracted.";
    }
    return std::to_string(extracted) + " of " + std::to_string(planned) + " files were extracted.";
}

} // namespace

std::string TGroupSession::WorkFolder() const {
    return IncludeTrailingPathDelimiter(View.Folder());
}

void TGroupSession::ShowRefusal(const std::string& text) {
    View.Sound(sndDefault);
    View.Refuse(text);
}

bool TGroupSession::AskYesNo(const std::string& text, const std::string& caption) {
    return View.Ask(text, caption) != mrNo;
}

// ---- Listing -----------------------------------------------------------------------------------

void TGroupSession::FileChosen() {
    if (!View.Extracting()) {
        return;
    }
    const std::optional<std::string> name = View.ChosenFile();
    if (!name) {
        return;
    }
    View.SetTargetName("");
    View.SetGroupName(*name);
    const std::size_t p = UpperCase(*name).find(".GRP");
    if (p != std::string::npos && p > 0) {
        View.SetTargetName(name->substr(0, p) + "_Extract");
    }
}

void TGroupSession::FileReleased() {
    const std::optional<std::string> name = View.ChosenFile();
    if (!name || !IsGroupFileName(*name)) {
        return;
    }
    if (View.Extracting()) {
        View.SetTargetHint("Extract to: " + WorkFolder() + View.TargetName());
        ReadGroupDirectory(*name);
    } else {
        View.SetTargetName(*name);
        View.SetTargetHint("Group to: " + WorkFolder() + View.TargetName() + " ");
    }
}

void TGroupSession::ReadGroupDirectory(const std::string& fileName) {
    const std::string path = WorkFolder() + fileName;
    // A file that cannot be read, or is shorter than its directory or the data its sizes claim,
    // is refused like one of unknown magic.
    const TResult<TGrpDirectory> directory = ReadGrpDirectory(path);
    if (!directory.Ok()) {
        ShowRefusal("Unknown GRP File!!!\nAborting...");
        return;
    }
    Entries.Fill(path, directory.Value());
    View.ShowEntries(Entries.Names(), -1);
}

// ---- Extraction --------------------------------------------------------------------------------

void TGroupSession::ExtractGroupFiles() {
    const std::string workFolder = WorkFolder();
    const std::string groupName = View.GroupName();
    if (!IsGroupFileName(groupName)) {
        ShowRefusal("Incorrect Group filename!");
        return;
    }
    const std::size_t n = View.ListNames().size();
    const bool all = View.ExtractAll();
    const std::vector<std::string> names = all ? View.ListNames() : View.MarkedNames();
    if (!all && names.empty()) {
        ShowRefusal("No files selected to extract!");
        return;
    }
    const std::string folderName = View.TargetName();
    View.Sound(sndExclamation);
    if (!AskYesNo("Files will be extracted to:\n" + workFolder + folderName + "\nContinue ?",
                  "Extract: " + groupName)) {
        View.Sound(sndDefault);
        return;
    }
    const std::string target = workFolder + folderName;
    if (DirectoryExists(target) && View.FolderHoldsFiles(target) &&
        !AskYesNo(target + "\nThe directory is not empty!\nContinue ?", "Directory not empty!")) {
        View.Sound(sndDefault);
        return;
    }
    if (ExtractEntries(workFolder, groupName, names, target)) {
        View.Sound(sndAsterisk);
    }
    // The list shows the listing again, in directory order and with no marks.
    std::vector<std::string> listing;
    for (std::size_t i = 0; i < n; ++i) {
        listing.push_back(Entries.EntryName(i));
    }
    View.ShowEntries(listing, n > 0 ? 0 : -1);
}

// Writes the chosen entries of the group file groupName of workFolder into target; false, after
// a message, when something stopped it.
bool TGroupSession::ExtractEntries(const std::string& workFolder, const std::string& groupName,
                                   const std::vector<std::string>& names,
                                   const std::string& target) {
    const std::string groupPath = workFolder + groupName;
    // A group file that is gone is reported: a silent end would look exactly like success.
    if (!FileExists(groupPath)) {
        ShowRefusal("Cannot find Group file: " + groupName + "\nIt is no longer in the folder.");
        return false;
    }
    // The entry table must describe this very file, or the data would be cut by the directory
    // of another one: its listing was refused, or the item was changed by keyboard, which
    // lists nothing.
    if (Entries.ListedPath() != groupPath) {
        ShowRefusal("Group file not listed: " + groupName +
                    "\nClick it in the file list to list its entries.");
        return false;
    }
    // Nor may the file have been rewritten since. Its directory is read again and checked
    // against its length, so that no entry reaches past its end.
    const TResult<TGrpDirectory> directory = ReadGrpDirectory(groupPath);
    if (!directory.Ok()) {
        ShowRefusal("Cannot read Group file: " + groupName + "\n" + directory.Reason());
        return false;
    }
    if (!Entries.StillDescribes(directory.Value())) {
        ShowRefusal("Group file changed since it was listed: " + groupName +
                    "\nClick it in the file list to list it again.");
        return false;
    }
    // An entry name that would leave the folder, or name anything but a plain file in it, stops
    // the extraction before anything is written.
    TResult<std::vector<TExtractItem>> plan = PlanGrpExtraction(directory.Value(), names);
    if (!plan.Ok()) {
        ShowRefusal("Cannot extract from Group file: " + groupName + "\n" + plan.Reason() +
                    "\nNothing was extracted.");
        return false;
    }
    // An entry of size 0 gives no file.
    std::vector<TExtractItem>& items = plan.Value();
    items.erase(std::remove_if(items.begin(), items.end(),
                               [](const TExtractItem& item) { return item.Size == 0; }),
                items.end());
    // A folder or file that cannot be created, or a write that fails, stops the extraction with
    // a message saying how far it got; the files written before stay.
    std::size_t extracted = 0;
    const TStatus status = ExtractGrpEntries(groupPath, items, target, &extracted);
    if (!status.Ok()) {
        ShowRefusal("Cannot extract from Group file: " + groupName + "\n" + status.Reason() + "\n" +
                    HowFar(extracted, items.size()));
        return false;
    }
    return true;
}

// ---- Creation ----------------------------------------------------------------------------------

void TGroupSession::CreateGroupFile() {
    const std::string workFolder = WorkFolder();
    const std::string groupName = View.TargetName();
    if (!IsGroupFileName(groupName)) {
        ShowRefusal("Incorrect Group filename!");
        return;
    }
    const std::vector<std::string> listed = View.ListNames();
    if (listed.empty()) {
        ShowRefusal("No files selected to group!");
        return;
    }
    const std::string groupPath = workFolder + groupName;
    const bool replacing = FileExists(groupPath);
    if (replacing) {
        View.Sound(sndDefault);
        if (!AskYesNo("Group file: " + groupName + " already exists!\nOverwrite ?", "Warning!")) {
            View.Sound(sndDefault);
            return;
        }
    }
    View.Sound(sndExclamation);
    if (!AskYesNo("Files will be grouped to:\n" + groupPath + "\nContinue ?", "Create .Grp File")) {
        View.Sound(sndDefault);
        return;
    }
    Entries.Clear();

    // Every name is checked before anything is replaced, so that a refused name leaves the old
    // group file as it was.
    std::vector<std::string> names;
    for (const std::string& name : listed) {
        if (name == ProgramFile) {
            continue;
        }
        if (!FitsGrpName(name)) {
            View.Sound(sndNameTooLong);
            View.Refuse(name + "\nFilename + extension cannot exceed 12 characters!\nAborting.");
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
            ShowRefusal("Cannot group file: " + name + "\n" + measured.Reason() + unchanged);
            return;
        }
        sources.push_back(measured.Value().front());
        Entries.Append(name, sources.back().Size);
    }

    // The new file is written beside the old one and takes its place only when complete, so a
    // failed write, or a source that changed its length meanwhile, leaves the old one whole.
    // The old file is therefore not deleted beforehand, and a failure leaves the folder as it
    // was, with no file list to re-read.
    const TStatus status = WriteGrpFile(groupPath, sources);
    if (!status.Ok()) {
        ShowRefusal("Cannot create Group file: " + groupName + "\n" + status.Reason() + unchanged);
        return;
    }
    View.FolderFilesChanged();
    View.Sound(sndAsterisk);
}
