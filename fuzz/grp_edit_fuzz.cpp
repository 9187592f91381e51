// Fuzz target: the editing commands (add, delete, rename) over a fuzzed group file, made one
// after the other on a file in a sandbox folder as "morvik-cli" makes them: read the directory,
// plan, write the edit beside and rename it into place.
//
// The input is a list of operations, one a line, then an empty line, then the group file:
//   a NAME \t DATA \t NAME \t DATA ...   add these files (A: add with --replace)
//   d DIGITS                             delete the entries of these indexes ('0' is the first;
//                                        any byte b is the index b - '0')
//   n NAME \t PATTERN ...                delete the entries these names and patterns choose
//   r OLD \t NEW                         rename
// Other lines are skipped.
//
// Beside the program a model is kept: the list of entries (name and bytes) and the bytes after
// the last entry, changed by simple rules. After an edit that succeeds, the file must be read by
// the directory reader in the standard form and hold exactly the model's entries and trailing
// bytes; after one that fails, the model must say it fails, and the file must be as it was, byte
// for byte, with nothing left beside it.

#include "Sandbox.h"

#include "archive/Grpedit.h"
#include "archive/Grpextract.h"
#include "archive/Grpfiles.h"
#include "archive/Grppattern.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using TBytes = std::vector<std::uint8_t>;

struct TModelEntry {
    std::string Name;
    TBytes Data;
};

struct TModel {
    std::vector<TModelEntry> Entries;
    TBytes Trailing;
    bool Editable = true; // every name of the file read could be extracted
};

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

std::vector<std::string> SplitFields(std::string_view text) {
    std::vector<std::string> fields;
    if (text.empty()) {
        return fields;
    }
    for (;;) {
        const std::size_t tab = text.find('\t');
        fields.emplace_back(text.substr(0, tab));
        if (tab == std::string_view::npos) {
            return fields;
        }
        text.remove_prefix(tab + 1);
    }
}

// The files of an add: names and data in turn; a name without data is an empty file.
std::vector<TModelEntry> AddedFiles(const std::vector<std::string>& fields) {
    std::vector<TModelEntry> files;
    for (std::size_t i = 0; i < fields.size(); i += 2) {
        const std::string data = i + 1 < fields.size() ? fields[i + 1] : std::string();
        files.push_back({fields[i], TBytes(data.begin(), data.end())});
    }
    return files;
}

// The indexes of a delete: each byte b is the index b - '0'.
std::vector<std::size_t> Indexes(const std::vector<std::string>& fields) {
    std::vector<std::size_t> indexes;
    for (const std::string& field : fields) {
        for (const char c : field) {
            indexes.push_back(static_cast<unsigned char>(c - '0'));
        }
    }
    return indexes;
}

TBytes ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return TBytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const std::filesystem::path& path, const void* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    Check(bool(out.flush()));
}

bool NewNameAllowed(const std::string& name) {
    return FitsGrpName(name) && CheckExtractName(name).Ok();
}

std::optional<std::size_t> FirstNamed(const TModel& model, const std::string& name) {
    for (std::size_t i = 0; i < model.Entries.size(); ++i) {
        if (model.Entries[i].Name == name) {
            return i;
        }
    }
    return std::nullopt;
}

// The model's add: false when the edit must fail.
bool ModelAdd(TModel& model, const std::vector<TModelEntry>& files, bool replace) {
    if (!model.Editable) {
        return false;
    }
    TModel next = model;
    std::set<std::string> given;
    for (const TModelEntry& file : files) {
        if (!NewNameAllowed(file.Name) || !given.insert(file.Name).second) {
            return false;
        }
        const std::optional<std::size_t> existing = FirstNamed(next, file.Name);
        if (!existing) {
            next.Entries.push_back(file);
        } else if (!replace) {
            return false;
        } else {
            next.Entries[*existing].Data = file.Data;
        }
    }
    model = std::move(next);
    return true;
}

bool ModelDelete(TModel& model, const std::vector<std::size_t>& indexes) {
    if (!model.Editable) {
        return false;
    }
    std::vector<bool> deleted(model.Entries.size(), false);
    for (const std::size_t i : indexes) {
        if (i >= deleted.size()) {
            return false;
        }
        deleted[i] = true;
    }
    std::vector<TModelEntry> kept;
    for (std::size_t i = 0; i < deleted.size(); ++i) {
        if (!deleted[i]) {
            kept.push_back(model.Entries[i]);
        }
    }
    model.Entries = std::move(kept);
    return true;
}

// The indexes that names and patterns choose, or nothing when one of them chooses none.
std::optional<std::vector<std::size_t>> ModelChoose(const TModel& model,
                                                    const std::vector<std::string>& arguments) {
    std::vector<std::size_t> chosen;
    for (const std::string& argument : arguments) {
        bool any = false;
        for (std::size_t i = 0; i < model.Entries.size(); ++i) {
            const std::string& name = model.Entries[i].Name;
            if (IsGrpPattern(argument) ? MatchesGrpPattern(name, argument) : name == argument) {
                chosen.push_back(i);
                any = true;
            }
        }
        if (!any) {
            return std::nullopt;
        }
    }
    return chosen;
}

bool ModelRename(TModel& model, const std::string& oldName, const std::string& newName) {
    const std::optional<std::size_t> renamed = FirstNamed(model, oldName);
    if (!model.Editable || !renamed || !NewNameAllowed(newName) || FirstNamed(model, newName)) {
        return false;
    }
    model.Entries[*renamed].Name = newName;
    return true;
}

struct TSandboxFiles {
    std::filesystem::path Group;
    std::filesystem::path AddedFolder;
};

const TSandboxFiles& Files() {
    static const TSandboxFiles files = [] {
        TSandboxFiles f{FuzzSandbox() / "EDIT.GRP", FuzzSandbox() / "ADDED"};
        std::filesystem::create_directory(f.AddedFolder);
        return f;
    }();
    return files;
}

// Nothing but the group file and the folder of added files may be in the sandbox.
void CheckNothingBeside() {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(FuzzSandbox())) {
        Check(entry.path() == Files().Group || entry.path() == Files().AddedFolder);
        ++count;
    }
    Check(count == 2);
}

// The file after an edit that succeeded: the standard form with the model's entries.
void CheckHoldsModel(const TModel& model) {
    const TBytes bytes = ReadAll(Files().Group);
    const TResult<TGrpDirectory> read = ReadGrpDirectory(Files().Group.string());
    Check(read.Ok());
    const TGrpDirectory& directory = read.Value();
    Check(directory.Variant == TGrpVariant::Standard && directory.FileLength == bytes.size());
    Check(directory.Entries.size() == model.Entries.size());
    for (std::size_t i = 0; i < model.Entries.size(); ++i) {
        const TGrpEntry& entry = directory.Entries[i];
        const TModelEntry& expected = model.Entries[i];
        Check(entry.Name == expected.Name && entry.Size == expected.Data.size());
        Check(std::equal(expected.Data.begin(), expected.Data.end(),
                         bytes.begin() + std::ptrdiff_t(entry.Offset)));
    }
    Check(TBytes(bytes.begin() + std::ptrdiff_t(directory.DataEnd), bytes.end()) == model.Trailing);
}

// One operation as the command line makes it; whether it succeeded.
bool Edit(char operation, const std::vector<std::string>& fields) {
    const std::string group = Files().Group.string();
    const TResult<TGrpDirectory> read = ReadGrpDirectory(group);
    Check(read.Ok()); // the file was read before and every edit leaves a readable file
    const TGrpDirectory& directory = read.Value();
    std::vector<TGrpSource> added;
    TResult<TGrpEditPlan> plan = TStatus::BadData("no plan");
    if (operation == 'a' || operation == 'A') {
        std::vector<std::pair<std::string, std::string>> files;
        for (const TModelEntry& file : AddedFiles(fields)) {
            const std::filesystem::path path = Files().AddedFolder / std::to_string(files.size());
            WriteAll(path, file.Data.data(), file.Data.size());
            files.emplace_back(path.string(), file.Name);
        }
        const TResult<std::vector<TGrpSource>> measured = MeasureGrpSources(files);
        if (!measured.Ok()) {
            return false;
        }
        added = measured.Value();
        std::vector<TGrpRecord> records;
        for (const TGrpSource& source : added) {
            records.push_back({source.Name, source.Size});
        }
        plan = PlanGrpAdd(directory, records, operation == 'A');
    } else if (operation == 'd') {
        plan = PlanGrpDelete(directory, Indexes(fields));
    } else if (operation == 'n') {
        const TGrpSelection selection = SelectGrpEntries(directory, fields);
        if (!selection.Unmatched.empty()) {
            return false;
        }
        plan = PlanGrpDelete(directory, selection.Entries);
    } else {
        plan = PlanGrpRename(directory, fields.empty() ? "" : fields[0],
                             fields.size() < 2 ? "" : fields[1]);
    }
    if (!plan.Ok()) {
        Check(plan.Status().Fault() == TFault::BadData ||
              plan.Status().Fault() == TFault::Conflict);
        return false;
    }
    Check(WriteGrpEdit(group, directory, plan.Value(), added).Ok()); // nothing here can fail
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find("\n\n");
    const std::string_view operations = input.substr(0, split);
    const std::string_view archive =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 2);

    WriteAll(Files().Group, archive.data(), archive.size());
    const TResult<TGrpDirectory> read = ReadGrpDirectory(Files().Group.string());
    if (!read.Ok()) {
        return 0; // nothing to edit: every command stops at reading the directory
    }
    TModel model;
    for (const TGrpEntry& entry : read.Value().Entries) {
        const auto first = archive.begin() + std::ptrdiff_t(entry.Offset);
        model.Entries.push_back({entry.Name, TBytes(first, first + entry.Size)});
        model.Editable = model.Editable && CheckExtractName(entry.Name).Ok();
    }
    model.Trailing.assign(archive.begin() + std::ptrdiff_t(read.Value().DataEnd), archive.end());

    std::size_t lineStart = 0;
    while (lineStart < operations.size()) {
        const std::size_t lineEnd = std::min(operations.find('\n', lineStart), operations.size());
        const std::string_view line = operations.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (line.empty() || std::string_view("aAdnr").find(line[0]) == std::string_view::npos) {
            continue;
        }
        const char operation = line[0];
        const std::vector<std::string> fields = SplitFields(line.substr(1));
        if (operation == 'n' && fields.empty()) {
            continue; // the command line needs a name to delete
        }

        bool expected = false;
        if (operation == 'a' || operation == 'A') {
            expected = ModelAdd(model, AddedFiles(fields), operation == 'A');
        } else if (operation == 'd') {
            expected = ModelDelete(model, Indexes(fields));
        } else if (operation == 'n') {
            const std::optional<std::vector<std::size_t>> chosen = ModelChoose(model, fields);
            expected = chosen && ModelDelete(model, *chosen);
        } else {
            expected = ModelRename(model, fields.empty() ? "" : fields[0],
                                   fields.size() < 2 ? "" : fields[1]);
        }

        const TBytes before = ReadAll(Files().Group);
        const bool succeeded = Edit(operation, fields);
        Check(succeeded == expected);
        CheckNothingBeside();
        if (succeeded) {
            CheckHoldsModel(model);
        } else {
            Check(ReadAll(Files().Group) == before);
        }
    }
    return 0;
}
