// Fuzz target: the .grpinfo reader, on arbitrary text. Reading must not crash; a fault must name
// a line of the text; a definition must name the line of its "grpinfo". Definitions whose flags
// and dependency are in the form the format writes (names and numbers joined by "|"), written
// out again one after the other, must read back as the same definitions with the lines where
// they were written, and write out again to the same text: what "morvik-cli grpinfo" writes,
// "morvik-cli identify" reads. Every word is also read as a number and compared with the
// standard library's reading of it.

#include "archive/Grpinfo.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

bool IsWordChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Empty, or words joined by single bars: what the format writes without quotes.
bool IsWordsForm(std::string_view value) {
    bool afterBar = true;
    for (const char c : value) {
        if (c == '|') {
            if (afterBar) {
                return false;
            }
            afterBar = true;
        } else if (IsWordChar(c)) {
            afterBar = false;
        } else {
            return false;
        }
    }
    return value.empty() || !afterBar;
}

// The number text means, read by the standard library.
std::optional<std::uint64_t> ReferenceNumber(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

int LineCount(std::string_view text) {
    int lines = 1;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

// The N of a reason that begins "line N: ".
int FaultLine(const std::string& reason) {
    int line = 0;
    Check(reason.starts_with("line "));
    const char* first = reason.data() + 5;
    const auto [end, error] = std::from_chars(first, reason.data() + reason.size(), line);
    Check(error == std::errc() && std::string_view(end).starts_with(": "));
    return line;
}

bool SameDefinition(const TGrpInfo& a, const TGrpInfo& b) {
    return a.Name == b.Name && a.Size == b.Size && a.Crc == b.Crc && a.Flags == b.Flags &&
           a.Dependency == b.Dependency;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int lines = LineCount(text);

    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = i;
        while (end < text.size() && IsWordChar(text[end])) {
            ++end;
        }
        const std::string_view word = text.substr(i, end - i);
        Check(ParseGrpInfoNumber(word) == ReferenceNumber(word));
        i = end + 1;
    }

    const TResult<std::vector<TGrpInfo>> read = ParseGrpInfo(text);
    if (!read.Ok()) {
        Check(read.Status().Fault() == TFault::BadData);
        const int line = FaultLine(read.Reason());
        Check(line >= 1 && line <= lines);
        return 0;
    }

    std::vector<TGrpInfo> kept;
    int previousLine = 1;
    for (const TGrpInfo& info : read.Value()) {
        Check(info.Line >= previousLine && info.Line <= lines);
        previousLine = info.Line;
        Check(info.Name.find('\n') == std::string::npos);
        if (IsWordsForm(info.Flags) && IsWordsForm(info.Dependency)) {
            kept.push_back(info);
        }
    }

    std::string written;
    std::vector<int> writtenLines;
    for (const TGrpInfo& info : kept) {
        writtenLines.push_back(LineCount(written));
        written += FormatGrpInfo(info);
    }
    const TResult<std::vector<TGrpInfo>> again = ParseGrpInfo(written);
    Check(again.Ok() && again.Value().size() == kept.size());
    std::string rewritten;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        Check(SameDefinition(again.Value()[i], kept[i]));
        Check(again.Value()[i].Line == writtenLines[i]);
        rewritten += FormatGrpInfo(again.Value()[i]);
    }
    Check(rewritten == written);
    return 0;
}
