#include "archive/Grplisting.h"

#include "archive/Grpfiles.h"
#include "toolkit/Sysutils.h"

#include <cstdint>
#include <utility>

TResult<TGroupListing> ReadGroupListing(const std::string& path) {
    TResult<TGrpDirectory> directory = ReadGrpDirectory(path);
    if (!directory.Ok()) {
        return directory.Status();
    }
    // The length joins the directory in what the extraction compares, to tell that the file is
    // still the one listed.
    TFileHandle file(FileOpen(path, TFileMode::Read));
    const std::int64_t length =
        file.Valid() ? FileSeek(file.Handle(), 0, TSeekOrigin::End) : std::int64_t(-1);
    if (length < 0) {
        return TStatus::Io(path + ": cannot read: " + LastErrorText());
    }
    return TGroupListing{std::move(directory.Value()), std::uint64_t(length)};
}

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
    const TResult<TGroupListing> listing = ReadGroupListing(path);
    if (!listing.Ok()) {
        ShowRefusal(window, "Unknown GRP File!!!\nAborting...");
        return;
    }
    entryTable.Fill(path, listing.Value());
    window.ListBox1Clear();
    for (std::size_t i = 0; i < entryTable.Used(); ++i) {
        window.ListBox1Add(entryTable.EntryName(i));
    }
}
