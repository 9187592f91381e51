#include "cli/Morvikcli.h"

#include "Version.h"
#include "archive/Grpextract.h"
#include "archive/Grpfiles.h"
#include "archive/Grpformat.h"
#include "toolkit/Sysutils.h"

#include <cstdio>
#include <iomanip>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>

namespace {

constexpr const char* HelpText = R"(Usage: morvik-cli COMMAND [OPTION...] GROUP [ARGUMENT...]

Lists, extracts and creates GRP group files.

Commands:
  list [--names] GROUP
      Shows the group file's size and CRC-32, then the name and size of every
      entry in directory order. With --names, only the names, one a line: the
      list that create --from takes back.

  extract GROUP [NAME...] [-d DIR]
      Writes the named entries, or all of them, into the folder DIR, by default
      the group file's name up to its first ".GRP" (in any case) followed by
      "_Extract", beside the group file. DIR is created when missing; files of
      the same names in it are replaced. An entry of size 0 gives an empty
      file. Nothing is written when an entry name would not make a plain file
      in DIR, and no symbolic link in DIR is followed.

  create [--force] GROUP FILE...
  create [--force] GROUP --from LIST
      Packs the files, in the order given, into the group file GROUP; each
      entry takes the name of its file as on disk (at most 12 characters).
      --from LIST reads the file names from LIST, one a line ("-" for standard
      input). With -d DIR the files are found in DIR. An existing group file
      is replaced only with --force, and only by a complete new one.

Options:
  -d, --directory DIR   the folder to extract into, or to take the files from
  -f, --force           create: replace an existing group file
      --from LIST       create: the names of the files to pack, from LIST
      --names           list: only the entry names
  -h, --help            show this help and exit
      --version         show the version and exit

Exit status:
  0  success
  2  usage error: a bad command line, an entry not in the group file, or an
     existing group file without --force
  3  a bad or hostile group file, or files that cannot form one
  4  a read or write failure

Extracting a group file and creating it again in its own order gives the same
bytes:
  morvik-cli list --names DUKE3D.GRP > order.txt
  morvik-cli extract DUKE3D.GRP -d files
  morvik-cli create COPY.GRP --from order.txt -d files
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
    std::optional<std::string> Directory;
    std::optional<std::string> From;
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
        } else if (!TakeValue(args, i, "-d", line.Directory) &&
                   !TakeValue(args, i, "--directory", line.Directory) &&
                   !TakeValue(args, i, "--from", line.From)) {
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
    return status.Fault() == TFault::BadData ? ExitBadData : ExitIo;
}

std::string Hex32(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
    return text;
}

int List(const TCommandLine& line, std::ostream& out, std::ostream& err) {
    Reject(line.Force, "--force", "list");
    Reject(line.Directory.has_value(), "--directory", "list");
    Reject(line.From.has_value(), "--from", "list");
    if (line.Arguments.size() != 1) {
        throw TUsageError("list takes one group file");
    }
    const std::string& group = line.Arguments[0];
    const TResult<TGrpDirectory> directory = ReadGrpDirectory(group);
    if (!directory.Ok()) {
        return ExitFor(directory.Status(), err);
    }
    const std::vector<TGrpEntry>& entries = directory.Value().Entries;
    if (line.Names) {
        for (const TGrpEntry& entry : entries) {
            out << PrintableName(entry.Name) << '\n';
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
    for (const TGrpEntry& entry : entries) {
        out << std::left << std::setw(12) << PrintableName(entry.Name) << ' ' << std::right
            << std::setw(10) << entry.Size << '\n';
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
    std::vector<std::string> names(line.Arguments.begin() + 1, line.Arguments.end());
    for (const std::string& name : names) {
        if (!FindGrpEntry(directory.Value(), name)) {
            err << "morvik-cli: " << group << ": no entry named \"" << PrintableName(name)
                << "\"; nothing was extracted\n";
            return ExitUsage;
        }
    }
    if (names.empty()) {
        names = GrpEntryNames(directory.Value());
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

// The names of a list, one a line; blank lines are skipped and a line may end in CR LF.
std::vector<std::string> SplitLines(std::istream& text) {
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
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
            files = SplitLines(in);
        } else {
            const std::optional<std::string> text = ReadWholeFile(*line.From);
            if (!text) {
                return ExitFor(TStatus::Io(*line.From + ": cannot read: " + LastErrorText()), err);
            }
            std::istringstream lines(*text);
            files = SplitLines(lines);
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
        if (line.Command == "list") {
            return List(line, out, err);
        }
        if (line.Command == "extract") {
            return Extract(line, err);
        }
        if (line.Command == "create") {
            return Create(line, in, err);
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
