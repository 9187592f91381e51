#include "archive/Grpextraction.h"

#include "archive/Entrytable.h"
#include "archive/Grpextract.h"
#include "archive/Grpfiles.h"
#include "toolkit/Sysutils.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace {

// The names of the items of ListBox1 to extract, in list order.
std::vector<std::string> ChosenNames(const TGroupWindow& window, bool all) {
    std::vector<std::string> names;
    for (int i = 0; i < window.ListBox1Count(); ++i) {
        if (all || window.ListBox1Selected(i)) {
            names.push_back(window.ListBox1Item(i));
        }
    }
    return names;
}

std::string HowFar(std::size_t extracted, std::size_t planned) {
    if (extracted == 0) {
        return "Nothing was extracted.";
    }
    return std::to_string(extracted) + " of " + std::to_string(planned) + " files were extracted.";
}

// Writes the chosen entries of the group file groupName of workFolder into target; false, after
// a message, when something stopped it.
bool ExtractEntries(TGroupWindow& window, const std::string& workFolder,
                    const std::string& groupName, const std::vector<std::string>& names,
                    const std::string& target) {
    const std::string groupPath = workFolder + groupName;
    // A group file that is gone is reported: a silent end would look exactly like success.
    if (!FileExists(groupPath)) {
        ShowRefusal(window,
                    "Cannot find Group file: " + groupName + "\nIt is no longer in the folder.");
        return false;
    }
    // The entry table must describe this very file, or the data would be cut by the directory
    // of another one: its listing was refused, or the item was changed by keyboard, which
    // lists nothing.
    if (entryTable.ListedPath() != groupPath) {
        ShowRefusal(window, "Group file not listed: " + groupName +
                                "\nClick it in the file list to list its entries.");
        return false;
    }
    // Nor may the file have been rewritten since. Its directory is read again and checked
    // against its length, so that no entry reaches past its end.
    const TResult<TGrpDirectory> directory = ReadGrpDirectory(groupPath);
    if (!directory.Ok()) {
        ShowRefusal(window, "Cannot read Group file: " + groupName + "\n" + directory.Reason());
        return false;
    }
    if (!entryTable.StillDescribes(directory.Value())) {
        ShowRefusal(window, "Group file changed since it was listed: " + groupName +
                                "\nClick it in the file list to list it again.");
        return false;
    }
    // An entry name that would leave the folder, or name anything but a plain file in it, stops
    // the extraction before anything is written.
    TResult<std::vector<TExtractItem>> plan = PlanGrpExtraction(directory.Value(), names);
    if (!plan.Ok()) {
        ShowRefusal(window, "Cannot extract from Group file: " + groupName + "\n" + plan.Reason() +
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
        ShowRefusal(window, "Cannot extract from Group file: " + groupName + "\n" +
                                status.Reason() + "\n" + HowFar(extracted, items.size()));
        return false;
    }
    return true;
}

} // namespace

void btnExtractClick(TGroupWindow& window) {
    if (window.ExtractMode()) {
        ExtractGroupFiles(window);
    }
}

void ExtractGroupFiles(TGroupWindow& window) {
    const std::string workFolder = WorkFolder(window);
    const std::string groupName = window.EditGrpFileText();
    if (!IsGroupFileName(groupName)) {
        ShowRefusal(window, "Incorrect Group filename!");
        return;
    }
    const int n = window.ListBox1Count();
    const bool all = window.OrnCheckBox1Checked();
    const std::vector<std::string> names = ChosenNames(window, all);
    if (!all && names.empty()) {
        ShowRefusal(window, "No files selected to extract!");
        return;
    }
    const std::string folderName = window.EditGrpText();
    window.MessageBeep(sndExclamation);
    if (!AskYesNo(window,
                  "Files will be extracted to:\n" + workFolder + folderName + "\nContinue ?",
                  "Extract: " + groupName)) {
        window.MessageBeep(sndDefault);
        return;
    }
    const std::string target = workFolder + folderName;
    if (DirectoryExists(target) && window.FileListBox2HasFiles(target) &&
        !AskYesNo(window, target + "\nThe directory is not empty!\nContinue ?",
                  "Directory not empty!")) {
        window.MessageBeep(sndDefault);
        return;
    }
    if (ExtractEntries(window, workFolder, groupName, names, target)) {
        window.MessageBeep(sndAsterisk);
    }
    // The list shows the listing again, in directory order and with no marks.
    window.ListBox1Clear();
    for (int i = 0; i < n; ++i) {
        window.ListBox1Add(entryTable.EntryName(std::size_t(i)));
    }
    if (n > 0) {
        window.ListBox1SetItemIndex(0);
    }
}
