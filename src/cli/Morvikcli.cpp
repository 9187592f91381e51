#include "cli/Morvikcli.h"

#include "Version.h"
#include "archive/Grpcheck.h"
#include "archive/Grpextract.h"
#include "archive/Grpfiles.h"
#include "archive/Grpformat.h"
#include "archive/Grpinfo.h"
#include "archive/Grppattern.h"
#include "cli/Namelist.h"
#include "platform/os/Standardoutput.h"
#include "toolkit/Sysutils.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <iostream>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>

namespace {

constexpr const char* HelpText = R"(Usage: morvik-cli COMMAND [OPTION...] GROUP [ARGUMENT...]

Lists, extracts, creates, edits and checks GRP group files, and describes them
for the game ports.

Commands:
  list [--names] GROUP [NAME...]
      Shows the group file's size and CRC-32, then the name and size of every
      entry, or of the named ones, in directory order. With --names, only the
      names, one a line: the list that create --from takes back.

  extract GROUP [NAME...] [-d DIR]
      Writes the named entries, or all of them, into the folder DIR, by default
      the group file's name up to its first ".GRP" (in any case) followed by
      "_Extract", beside the group file. DIR is created when missing; files of
      the same names in it are replaced. An entry of size 0 gives an empty
      file. Nothing is written when an entry name would not make a plain file
      in DIR, and no symbolic link in DIR is followed.

  create [--force] GROUP FILE... [-d DIR]
  create [--force] GROUP --from LIST [-d DIR]
      Packs the files, in the order given, into the group file GROUP; each
      entry takes the name of its file as on disk (at most 12 characters).
      --from LIST reads the file names from LIST, one a line ("-" for standard
      input). With -d DIR the files are found in DIR. An existing group file
      is replaced only with --force, and only by a complete new one.

  add [--replace] GROUP FILE...
      Appends the files to the group file, each under its name as on disk. A
      name that the group file already has (byte for byte) is refused; with
      --replace the new data takes the place of the entry of that name, which
      keeps its position.

  delete GROUP NAME...
      Removes the named entries; a name chooses every entry of that name.

  rename GROUP OLD NEW
      Renames the entry OLD (the first of that name) to NEW, which follows the
      rules of create and must not be the name of another entry.

  add, delete and rename write the new group file beside the old one and put
  it in its place only when it is complete: after any failure the old file is
  exactly as it was. Entries that do not change are copied as they stand, and
  bytes after the last entry are kept. An inverted group file is written back
  in the standard form. A bad or hostile group file is not edited at all.

  cat GROUP NAME...
      Writes the bytes of the named entries to standard output, one after the
      other in the order named (the entries a pattern chooses in directory
      order), and nothing else: "cat GAME.GRP E1L1.MAP > E1L1.MAP". Nothing is
      written when a name chooses no entry or the group file is bad.

  check GROUP
      Reports, one line each, what to know before shipping the group file:
      names that cannot be extracted on Windows, names given twice (the games
      read only the first entry), names that differ only in letter case (a
      port that looks names up in either case sees only one), bytes after the
      last entry, and the inverted directory of the read-only variant. Exit
      status 1 when there is anything to report.

  grpinfo GROUP --name TEXT [--flags N] [--dependency CRC]
      Prints a definition of the group file in the .grpinfo format of the game
      ports (its name, size and CRC-32), so that a port can offer it in its
      start-up window. --flags is a number (0 when not given); --dependency is
      the CRC-32 of the group file this one needs, in hexadecimal as list
      shows it (0 when not given).

  identify GROUP DIR
      Reads every *.grpinfo file in the folder DIR and names each definition
      whose size and CRC-32 are those of the group file, with its file and
      line. A file that does not parse is named with the line of the fault and
      skipped. Exit status 1 when no definition matches.

Entry names:
  A NAME is matched byte for byte (GAME.CON is not game.con). A NAME with "*"
  (any run of characters) or "?" (any one character) is a pattern, matched in
  either letter case: "*.MAP" chooses e1l1.map too, and "*.*" every entry.
  Quote patterns in the shell. A name or pattern that chooses no entry is an
  error, and then nothing is done.

Options:
  -d, --directory DIR   the folder to extract into, or to take the files from
  -f, --force           create: replace an existing group file
      --replace         add: put the data of a file in place of the entry of
                        the same name
      --from LIST       create: the names of the files to pack, from LIST
      --names           list: only the entry names
      --name TEXT       grpinfo: the name the port shows
      --flags N         grpinfo: the definition's flags
      --dependency CRC  grpinfo: the CRC-32 of the group file this one needs
  -h, --help            show the help and exit
      --version         show the version and exit

Exit status:
  0  success
  1  check: something to report; identify: no definition matches
  2  usage error: a bad command line, an entry not in the group file, an
     existing group file without --force, or an entry name that is taken
  3  a bad or hostile group file, or files that cannot form one
  4  a read or write failure

Extracting a group file and creating it again in its own order gives the same
bytes:
  morvik-cli list --names DUKE3D.GRP > order.txt
  morvik-cli extract DUKE3D.GRP -d files
  morvik-cli create COPY.GRP --from order.txt -d files

A modder's build script: put the maps and scripts just edited into the mod's
group file, stop if check finds anything, and write the definition by which a
port offers the mod beside the game it needs:
  set -e
  morvik-cli add --replace MYMOD.GRP E1L1.MAP GAME.CON
  morvik-cli rename MYMOD.GRP LOGO2.ANM LOGO.ANM
  morvik-cli check MYMOD.GRP
  base=$(morvik-cli list DUKE3D.GRP | sed -n '1s/.*CRC-32 \([0-9A-F]*\).*/\1/p')
  morvik-cli grpinfo MYMOD.GRP --name "My Mod" --dependency "$base" > mymod.grpinfo
  morvik-cli identify MYMOD.GRP .
)";

class TUsageError : public Exception {
public:
    using Exception::Exception;
};

struct TCommandLine {
    std::string Command;
    std::vector<std::string> Arguments; // the group file first
    bool Names = false;
    bool Force = false;
    bool Replace = false;
    std::optional<std::string> Directory;
    std::optional<std::string> From;
    std::optional<std::string> Name; // of grpinfo: the definition's name, flags and dependency
    std::optional<std::string> Flags;
    std::optional<std::string> Dependency;
    bool Help = false;
    bool Version = false;
};

// Whether args[i] is the option name with its value, as "name value" or "name=value".
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
               std::optional<std::string>& value) {
    const std::string& arg = args[i];
    if (arg.starts_with(name + "=")) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    if (arg != name) {
        return false;
    }
    if (i + 1 >= args.size()) {
        throw TUsageError("option " + name + " needs a value");
    }
    value = args[++i];
    return true;
}

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    TCommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
            if (line.Command.empty()) {
                line.Command = arg;
            } else {
                line.Arguments.push_back(arg);
            }
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            line.Help = true;
        } else if (arg == "--version") {
            line.Version = true;
        } else if (arg == "--names") {
            line.Names = true;
        } else if (arg == "-f" || arg == "--force") {
            line.Force = true;
        } else if (arg == "--replace") {
            line.Replace = true;
        } else if (!TakeValue(args, i, "-d", line.Directory) &&
                   !TakeValue(args, i, "--directory", line.Directory) &&
                   !TakeValue(args, i, "--from", line.From) &&
                   !TakeValue(args, i, "--name", line.Name) &&
                   !TakeValue(args, i, "--flags", line.Flags) &&
                   !TakeValue(args, i, "--dependency", line.Dependency)) {
            throw TUsageError("unknown option " + arg);
        }
    }
    if (line.Directory && line.Directory->empty()) {
        throw TUsageError("the folder of --directory is empty");
    }
    return line;
}

void Reject(bool given, const char* option, const std::string& command) {
    if (given) {
        throw TUsageError(std::string(option) + " is not an option of " + command);
    }
}

int ExitFor(const TStatus& status, std::ostream& err) {
    err << "morvik-cli: " << status.Reason() << '\n';
    switch (status.Fault()) {
    case TFault::BadData:
        return ExitBadData;
    case TFault::Conflict:
        return ExitUsage;
    case TFault::None:
    case TFault::Io:
        break;
    }
    return ExitIo;
}

std::string Hex32(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
    return text;
}

// The entries that the names and patterns after the group file (arguments[0]) choose, in
// directory order; all of them when none is given. An argument that chooses nothing is reported,
// with what was therefore not done, and leaves no choice.
std::optional<std::vector<std::size_t>> ChooseEntries(const std::string& group,
                                                      const TGrpDirectory& directory,
                                                      const std::vector<std::string>& arguments,
                                                      const char* notDone, std::ostream& err) {
    const std::vector<std::string> namesOrPatterns(arguments.begin() + 1, arguments.end());
    if (namesOrPatterns.empty()) {
        std::vector<std::size_t> all(directory.Entries.size());
        for (std::size_t i = 0; i < all.size(); ++i) {
            all[i] = i;
        }
        return all;
    }
    TGrpSelection selection = SelectGrpEntries(directory, namesOrPatterns);
    for (const std::string& argument : selection.Unmatched) {
        err << "morvik-cli: " << group << ": "
            << (IsGrpPattern(argument) ? "no entry matches \"" : "no entry named \"")
            << PrintableName(argument) << "\"; " << notDone << '\n';
    }
    if (!selection.Unmatched.empty()) {
        return std::nullopt;
    }
    return std::move(selection.Entries);
}

int List(const TCommandLine& line, std::ostream& out, std::ostream& err) {
    Reject(line.Force, "--force", "list");
    Reject(line.Directory.has_value(), "--directory", "list");
    Reject(line.From.has_value(), "--from", "list");
    if (line.Arguments.empty()) {
        throw TUsageError("list needs a group file");
    }
    const std::string& group = line.Arguments[0];
    const TResult<TGrpDirectory> directory = ReadGrpDirectory(group);
    if (!directory.Ok()) {
        return ExitFor(directory.Status(), err);
    }
    const std::vector<TGrpEntry>& entries = directory.Value().Entries;
    const std::optional<std::vector<std::size_t>> shown =
        ChooseEntries(group, directory.Value(), line.Arguments, "nothing was listed", err);
    if (!shown) {
        return ExitUsage;
    }
    if (line.Names) {
        for (const std::size_t i : *shown) {
            out << PrintableName(entries[i].Name) << '\n';
        }
        return ExitOk;
    }
    const TResult<TFileDigest> digest = DigestFile(group);
    if (!digest.Ok()) {
        return ExitFor(digest.Status(), err);
    }
    out << group << ": " << digest.Value().Size << " bytes, CRC-32 " << Hex32(digest.Value().Crc)
        << ", " << entries.size() << (entries.size() == 1 ? " entry" : " entries")
        << (directory.Value().Variant == TGrpVariant::Inverted ? ", inverted directory" : "")
        << '\n';
    for (const std::size_t i : *shown) {
        out << std::left << std::setw(12) << PrintableName(entries[i].Name) << ' ' << std::right
            << std::setw(10) << entries[i].Size << '\n';
    }
    return ExitOk;
}

// Beside the group file: its name up to the first ".GRP" in any case, then "_Extract".
std::string DefaultExtractFolder(const std::string& group) {
    const std::string name = ExtractFileName(group);
    return ExtractFilePath(group) + name.substr(0, UpperCase(name).find(".GRP")) + "_Extract";
}

int Extract(const TCommandLine& line, std::ostream& err) {
    Reject(line.Names, "--names", "extract");
    Reject(line.Force, "--force", "extract");
    Reject(line.From.has_value(), "--from", "extract");
    if (line.Arguments.empty()) {
        throw TUsageError("extract needs a group file");
    }
    const std::string& group = line.Arguments[0];
    const TResult<TGrpDirectory> directory = ReadGrpDirectory(group);
    if (!directory.Ok()) {
        return ExitFor(directory.Status(), err);
    }
    const std::optional<std::vector<std::size_t>> chosen =
        ChooseEntries(group, directory.Value(), line.Arguments, "nothing was extracted", err);
    if (!chosen) {
        return ExitUsage;
    }
    std::vector<std::string> names;
    for (const std::size_t i : *chosen) {
        names.push_back(directory.Value().Entries[i].Name);
    }
    const TResult<std::vector<TExtractItem>> plan = PlanGrpExtraction(directory.Value(), names);
    if (!plan.Ok()) {
        return ExitFor(TStatus::BadData(group + ": " + plan.Reason() + "; nothing was extracted"),
                       err);
    }
    const TStatus status = ExtractGrpEntries(group, plan.Value(),
                                             line.Directory.value_or(DefaultExtractFolder(group)));
    return status.Ok() ? ExitOk : ExitFor(status, err);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    TFileHandle file(FileOpen(path, TFileMode::Read));
    if (!file.Valid()) {
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    for (;;) {
        const std::int64_t got = FileRead(file.Handle(), buffer, sizeof buffer);
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            return text;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

// The entry name of a file: the last part of its path. On Windows "/" separates folders too.
std::string EntryNameOf(const std::string& path) {
    return path.substr(path.find_last_of(AnyPathDelimiters) + 1);
}

int Create(const TCommandLine& line, std::istream& in, std::ostream& err) {
    Reject(line.Names, "--names", "create");
    if (line.Arguments.empty()) {
        throw TUsageError("create needs a group file");
    }
    const std::string& group = line.Arguments[0];
    std::vector<std::string> files(line.Arguments.begin() + 1, line.Arguments.end());
    if (line.From) {
        if (!files.empty()) {
            throw TUsageError("create takes files or --from, not both");
        }
        if (*line.From == "-") {
            files = ReadNameList(in);
        } else {
            const std::optional<std::string> text = ReadWholeFile(*line.From);
            if (!text) {
                return ExitFor(TStatus::Io(*line.From + ": cannot read: " + LastErrorText()), err);
            }
            std::istringstream lines(*text);
            files = ReadNameList(lines);
        }
    } else if (files.empty()) {
        throw TUsageError("create needs the files to pack, or --from");
    }
    if (!line.Force && (FileExists(group) || IsSymLink(group))) {
        err << "morvik-cli: " << group << ": already exists; --force replaces it\n";
        return ExitUsage;
    }
    std::vector<std::pair<std::string, std::string>> sources;
    sources.reserve(files.size());
    for (const std::string& file : files) {
        const std::string path =
            line.Directory ? IncludeTrailingPathDelimiter(*line.Directory) + file : file;
        sources.emplace_back(path, EntryNameOf(file));
    }
    const TResult<std::vector<TGrpSource>> measured = MeasureGrpSources(sources);
    if (!measured.Ok()) {
        return ExitFor(measured.Status(), err);
    }
    const TStatus status = WriteGrpFile(group, measured.Value());
    return status.Ok() ? ExitOk : ExitFor(status, err);
}

// The commands after create take none of the options of list, extract and create.
void RejectOtherOptions(const TCommandLine& line) {
    Reject(line.Names, "--names", line.Command);
    Reject(line.Force, "--force", line.Command);
    Reject(line.Directory.has_value(), "--directory", line.Command);
    Reject(line.From.has_value(), "--from", line.Command);
}

// Makes the edit that plan describes, or reports why it cannot be made.
int WriteEdit(const std::string& group, const TGrpDirectory& directory,
              const TResult<TGrpEditPlan>& plan, const std::vector<TGrpSource>& added,
              std::ostream& err) {
    if (!plan.Ok()) {
        const std::string reason = group + ": " + plan.Reason() + "; nothing was changed";
        return ExitFor(plan.Status().Fault() == TFault::Conflict ? TStatus::Conflict(reason)
                                                                 : TStatus::BadData(reason),
                       err);
    }
    const TStatus status = WriteGrpEdit(group, directory, plan.Value(), added);
    if (!status.Ok()) {
        return ExitFor(TStatus::Io(status.Reason() + "; " + group + " was not changed"), err);
    }
    return ExitOk;
}

int Add(const TCommandLine& line, std::ostream& err) {
    RejectOtherOptions(line);
    if (line.Arguments.size() < 2) {
        throw TUsageError("add needs a group file and the files to add");
    }
    const std::string& group = line.Arguments[0];
    const TResult<TGrpDirectory> read = ReadGrpDirectory(group);
    if (!read.Ok()) {
        return ExitFor(read.Status(), err);
    }
    const TGrpDirectory& directory = read.Value();
    std::vector<std::pair<std::string, std::string>> files;
    for (auto file = line.Arguments.begin() + 1; file != line.Arguments.end(); ++file) {
        files.emplace_back(*file, EntryNameOf(*file));
    }
    const TResult<std::vector<TGrpSource>> measured = MeasureGrpSources(files);
    if (!measured.Ok()) {
        return ExitFor(measured.Status(), err);
    }
    std::vector<TGrpRecord> added;
    for (const TGrpSource& source : measured.Value()) {
        added.push_back({source.Name, source.Size});
    }
    return WriteEdit(group, directory, PlanGrpAdd(directory, added, line.Replace), measured.Value(),
                     err);
}

int Delete(const TCommandLine& line, std::ostream& err) {
    RejectOtherOptions(line);
    if (line.Arguments.size() < 2) {
        throw TUsageError("delete needs a group file and the names of the entries to delete");
    }
    const std::string& group = line.Arguments[0];
    const TResult<TGrpDirectory> read = ReadGrpDirectory(group);
    if (!read.Ok()) {
        return ExitFor(read.Status(), err);
    }
    const TGrpDirectory& directory = read.Value();
    const std::optional<std::vector<std::size_t>> chosen =
        ChooseEntries(group, directory, line.Arguments, "nothing was changed", err);
    if (!chosen) {
        return ExitUsage;
    }
    return WriteEdit(group, directory, PlanGrpDelete(directory, *chosen), {}, err);
}

int Rename(const TCommandLine& line, std::ostream& err) {
    RejectOtherOptions(line);
    if (line.Arguments.size() != 3) {
        throw TUsageError("rename takes a group file, the entry's name and its new name");
    }
    const std::string& group = line.Arguments[0];
    const TResult<TGrpDirectory> read = ReadGrpDirectory(group);
    if (!read.Ok()) {
        return ExitFor(read.Status(), err);
    }
    const TGrpDirectory& directory = read.Value();
    return WriteEdit(group, directory,
                     PlanGrpRename(directory, line.Arguments[1], line.Arguments[2]), {}, err);
}

// Writes size bytes of file from offset to out through one bounded buffer, so that an entry of
// any size takes no more memory than that.
TStatus CopyToOutput(const std::string& group, THandle file, std::uint64_t offset,
                     std::uint64_t size, std::ostream& out) {
    if (FileSeek(file, std::int64_t(offset), TSeekOrigin::Beginning) != std::int64_t(offset)) {
        return TStatus::Io(group + ": cannot read: " + LastErrorText());
    }
    std::vector<char> buffer(std::size_t(std::min<std::uint64_t>(size, 1 << 16)));
    while (size > 0) {
        const std::int64_t want = std::int64_t(std::min<std::uint64_t>(size, buffer.size()));
        const std::int64_t got = FileRead(file, buffer.data(), want);
        if (got < 0) {
            return TStatus::Io(group + ": cannot read: " + LastErrorText());
        }
        if (got == 0) {
            return TStatus::Io(group + ": became shorter while being read");
        }
        if (!out.write(buffer.data(), got)) {
            return TStatus::Io("cannot write the output");
        }
        size -= std::uint64_t(got);
    }
    return TStatus();
}

int Cat(const TCommandLine& line, std::ostream& out, std::ostream& err) {
    RejectOtherOptions(line);
    if (line.Arguments.size() < 2) {
        throw TUsageError("cat needs a group file and the names of the entries to write");
    }
    const std::string& group = line.Arguments[0];
    // A count or sizes beyond the file's length are refused here, before any byte is written.
    const TResult<TGrpDirectory> directory = ReadGrpDirectory(group);
    if (!directory.Ok()) {
        return ExitFor(directory.Status(), err);
    }
    // Each argument's entries in directory order, the arguments in the order given; every
    // argument is matched before anything is written.
    std::vector<std::size_t> chosen;
    bool unmatched = false;
    for (auto argument = line.Arguments.begin() + 1; argument != line.Arguments.end(); ++argument) {
        const std::optional<std::vector<std::size_t>> entries =
            ChooseEntries(group, directory.Value(), {group, *argument}, "nothing was written", err);
        if (!entries) {
            unmatched = true;
            continue;
        }
        chosen.insert(chosen.end(), entries->begin(), entries->end());
    }
    if (unmatched) {
        return ExitUsage;
    }
    TFileHandle file(FileOpen(group, TFileMode::Read));
    if (!file.Valid()) {
        return ExitFor(TStatus::Io(group + ": cannot open: " + LastErrorText()), err);
    }
    // The file opened now must be the one whose directory was checked.
    if (FileSeek(file.Handle(), 0, TSeekOrigin::End) !=
        std::int64_t(directory.Value().FileLength)) {
        return ExitFor(TStatus::Io(group + ": changed while being read; nothing was written"), err);
    }
    // The system's text mode would change the bytes on their way out.
    if (&out == &std::cout && !SetBinaryStandardOutput()) {
        return ExitFor(TStatus::Io("cannot switch standard output to binary mode"), err);
    }
    for (const std::size_t i : chosen) {
        const TGrpEntry& entry = directory.Value().Entries[i];
        const TStatus status = CopyToOutput(group, file.Handle(), entry.Offset, entry.Size, out);
        if (!status.Ok()) {
            return ExitFor(status, err);
        }
    }
    return ExitOk;
}

int Check(const TCommandLine& line, std::ostream& out, std::ostream& err) {
    RejectOtherOptions(line);
    if (line.Arguments.size() != 1) {
        throw TUsageError("check takes one group file");
    }
    const std::string& group = line.Arguments[0];
    const TResult<TGrpDirectory> directory = ReadGrpDirectory(group);
    if (!directory.Ok()) {
        return ExitFor(directory.Status(), err);
    }
    const std::vector<std::string> findings = CheckGrpDirectory(directory.Value());
    for (const std::string& finding : findings) {
        out << group << ": " << finding << '\n';
    }
    if (findings.empty()) {
        out << group << ": nothing to report\n";
        return ExitOk;
    }
    return ExitFindings;
}

int GrpInfo(const TCommandLine& line, std::ostream& out, std::ostream& err) {
    RejectOtherOptions(line);
    if (line.Arguments.size() != 1) {
        throw TUsageError("grpinfo takes one group file");
    }
    if (!line.Name || line.Name->empty()) {
        throw TUsageError("grpinfo needs the definition's name: --name TEXT");
    }
    for (const char c : *line.Name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            throw TUsageError("the name of --name holds a control character");
        }
    }
    TGrpInfo info;
    info.Name = *line.Name;
    const std::optional<std::uint64_t> flags = ParseGrpInfoNumber(line.Flags.value_or("0"));
    if (!flags || *flags > 0xFFFFFFFFu) {
        throw TUsageError("--flags takes a number (decimal, or hexadecimal after 0x)");
    }
    info.Flags = std::to_string(*flags);
    std::string dependency = line.Dependency.value_or("0");
    if (!dependency.starts_with("0x") && !dependency.starts_with("0X")) {
        dependency = "0x" + dependency; // as list shows a CRC-32
    }
    const std::optional<std::uint64_t> crc = ParseGrpInfoNumber(dependency);
    if (!crc || *crc > 0xFFFFFFFFu) {
        throw TUsageError("--dependency takes a CRC-32 in hexadecimal, as list shows it");
    }
    info.Dependency = "0x" + Hex32(static_cast<std::uint32_t>(*crc));
    const std::string& group = line.Arguments[0];
    // A definition describes a group file that the ports can read.
    const TResult<TGrpDirectory> directory = ReadGrpDirectory(group);
    if (!directory.Ok()) {
        return ExitFor(directory.Status(), err);
    }
    const TResult<TFileDigest> digest = DigestFile(group);
    if (!digest.Ok()) {
        return ExitFor(digest.Status(), err);
    }
    info.Size = digest.Value().Size;
    info.Crc = digest.Value().Crc;
    out << FormatGrpInfo(info);
    return ExitOk;
}

int Identify(const TCommandLine& line, std::ostream& out, std::ostream& err) {
    RejectOtherOptions(line);
    if (line.Arguments.size() != 2) {
        throw TUsageError("identify takes a group file and a folder of .grpinfo files");
    }
    const std::string& group = line.Arguments[0];
    const std::string& folder = line.Arguments[1];
    const TResult<TFileDigest> digest = DigestFile(group);
    if (!digest.Ok()) {
        return ExitFor(digest.Status(), err);
    }
    std::vector<TSearchRec> entries;
    if (!FileServices().ListFolder(folder, entries)) {
        return ExitFor(TStatus::Io(folder + ": cannot read the folder: " + LastErrorText()), err);
    }
    std::sort(entries.begin(), entries.end(),
              [](const TSearchRec& a, const TSearchRec& b) { return a.Name < b.Name; });
    bool matched = false;
    for (const TSearchRec& entry : entries) {
        if ((entry.Attr & faDirectory) != 0 || !MatchesGrpPattern(entry.Name, "*.grpinfo")) {
            continue;
        }
        const std::string path = IncludeTrailingPathDelimiter(folder) + entry.Name;
        // Definitions take a few hundred bytes; anything far larger is not read into memory.
        if (entry.Size > (std::int64_t(1) << 20)) {
            err << "morvik-cli: " << path << ": larger than 1 MiB, too large to be definitions; "
                << "skipped\n";
            continue;
        }
        const std::optional<std::string> text = ReadWholeFile(path);
        if (!text) {
            err << "morvik-cli: " << path << ": cannot read: " << LastErrorText() << "; skipped\n";
            continue;
        }
        const TResult<std::vector<TGrpInfo>> definitions = ParseGrpInfo(*text);
        if (!definitions.Ok()) {
            err << "morvik-cli: " << path << ": " << definitions.Reason() << "; skipped\n";
            continue;
        }
        for (const TGrpInfo& info : definitions.Value()) {
            if (info.Size == digest.Value().Size && info.Crc == digest.Value().Crc) {
                out << group << ": \"" << PrintableName(info.Name) << "\" (" << path << ", line "
                    << info.Line << ")\n";
                matched = true;
            }
        }
    }
    if (!matched) {
        out << group << ": no definition matches its size " << digest.Value().Size
            << " and CRC-32 0x" << Hex32(digest.Value().Crc) << '\n';
        return ExitNoMatch;
    }
    return ExitOk;
}

int RunCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
    try {
        const TCommandLine line = ParseCommandLine(args);
        if (line.Help || line.Command == "help") {
            out << HelpText;
            return ExitOk;
        }
        if (line.Version) {
            out << "morvik-cli " << MorvikVersionText << '\n';
            return ExitOk;
        }
        Reject(line.Replace && line.Command != "add", "--replace", line.Command);
        const bool grpinfo = line.Command == "grpinfo";
        Reject(line.Name && !grpinfo, "--name", line.Command);
        Reject(line.Flags && !grpinfo, "--flags", line.Command);
        Reject(line.Dependency && !grpinfo, "--dependency", line.Command);
        if (line.Command == "list") {
            return List(line, out, err);
        }
        if (line.Command == "extract") {
            return Extract(line, err);
        }
        if (line.Command == "create") {
            return Create(line, in, err);
        }
        if (line.Command == "add") {
            return Add(line, err);
        }
        if (line.Command == "delete") {
            return Delete(line, err);
        }
        if (line.Command == "rename") {
            return Rename(line, err);
        }
        if (line.Command == "cat") {
            return Cat(line, out, err);
        }
        if (line.Command == "check") {
            return Check(line, out, err);
        }
        if (line.Command == "grpinfo") {
            return GrpInfo(line, out, err);
        }
        if (line.Command == "identify") {
            return Identify(line, out, err);
        }
        throw TUsageError(line.Command.empty() ? "no command given"
                                               : "unknown command " + line.Command);
    } catch (const TUsageError& error) {
        err << "morvik-cli: " << error.what()
            << "\nTry 'morvik-cli --help' for more information.\n";
        return ExitUsage;
    } catch (const std::bad_alloc&) {
        err << "morvik-cli: out of memory\n";
        return ExitIo;
    }
}

} // namespace

int RunMorvikCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err) {
    const int status = RunCommand(args, in, out, err);
    if (!out.flush()) {
        err << "morvik-cli: cannot write the output\n";
        return ExitIo;
    }
    return status;
}
