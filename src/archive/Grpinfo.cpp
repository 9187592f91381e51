#include "archive/Grpinfo.h"

#include "archive/Grpformat.h"

#include <cstdio>
#include <limits>

namespace {

enum class TTokenKind { End, Word, Text, Open, Close, Bar };

struct TToken {
    TTokenKind Kind = TTokenKind::End;
    std::string Value; // the word, or the text without its quotes and escapes
    int Line = 1;
};

bool IsWordChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

TStatus Fault(int line, const std::string& reason) {
    return TStatus::BadData("line " + std::to_string(line) + ": " + reason);
}

// Splits the text into tokens; a fault stops it.
class TTokenizer {
public:
    explicit TTokenizer(std::string_view text) : Text(text) {}

    TResult<TToken> Next() {
        if (TStatus skipped = SkipBlanksAndComments(); !skipped.Ok()) {
            return skipped;
        }
        TToken token;
        token.Line = Line;
        if (Pos == Text.size()) {
            return token;
        }
        const char c = Text[Pos];
        if (c == '{' || c == '}' || c == '|') {
            ++Pos;
            token.Kind =
                c == '{' ? TTokenKind::Open : (c == '}' ? TTokenKind::Close : TTokenKind::Bar);
            return token;
        }
        if (c == '"') {
            return ReadText(token);
        }
        if (!IsWordChar(c)) {
            return Fault(Line,
                         "unexpected character \"" + PrintableName(Text.substr(Pos, 1)) + "\"");
        }
        token.Kind = TTokenKind::Word;
        while (Pos < Text.size() && IsWordChar(Text[Pos])) {
            token.Value += Text[Pos++];
        }
        return token;
    }

private:
    TStatus SkipBlanksAndComments() {
        while (Pos < Text.size()) {
            const char c = Text[Pos];
            if (c == '\n') {
                ++Line;
                ++Pos;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++Pos;
            } else if (Text.substr(Pos, 2) == "//") {
                while (Pos < Text.size() && Text[Pos] != '\n') {
                    ++Pos;
                }
            } else if (Text.substr(Pos, 2) == "/*") {
                const int start = Line;
                const std::size_t end = Text.find("*/", Pos + 2);
                if (end == std::string_view::npos) {
                    return Fault(start, "the comment that begins here does not end");
                }
                for (; Pos < end + 2; ++Pos) {
                    Line += Text[Pos] == '\n' ? 1 : 0;
                }
            } else {
                break;
            }
        }
        return {};
    }

    TResult<TToken> ReadText(TToken& token) {
        token.Kind = TTokenKind::Text;
        for (++Pos; Pos < Text.size(); ++Pos) {
            char c = Text[Pos];
            if (c == '"') {
                ++Pos;
                return token;
            }
            if (c == '\n') {
                break;
            }
            if (c == '\\' && Pos + 1 < Text.size() && Text[Pos + 1] != '\n') {
                c = Text[++Pos];
            }
            token.Value += c;
        }
        return Fault(token.Line, "the quoted text does not end on its line");
    }

    std::string_view Text;
    std::size_t Pos = 0;
    int Line = 1;
};

// A value: a quoted text, or words joined by "|", as written. Words holds whether it was words.
TResult<std::string> ReadValue(TTokenizer& tokens, TToken& next, bool& words) {
    TResult<TToken> token = tokens.Next();
    if (!token.Ok()) {
        return token.Status();
    }
    if (token.Value().Kind == TTokenKind::Text) {
        words = false;
        std::string text = token.Value().Value;
        TResult<TToken> after = tokens.Next();
        if (!after.Ok()) {
            return after.Status();
        }
        next = after.Value();
        return text;
    }
    words = true;
    std::string text;
    for (;;) {
        if (token.Value().Kind != TTokenKind::Word) {
            return Fault(token.Value().Line, "expected a value");
        }
        text += token.Value().Value;
        TResult<TToken> after = tokens.Next();
        if (!after.Ok()) {
            return after.Status();
        }
        if (after.Value().Kind != TTokenKind::Bar) {
            next = after.Value();
            return text;
        }
        text += '|';
        token = tokens.Next();
        if (!token.Ok()) {
            return token.Status();
        }
    }
}

// Whether a value is one number, not a quoted text or a combination; the number goes to number.
bool IsNumber(const std::string& value, bool words, std::uint64_t& number) {
    const std::optional<std::uint64_t> parsed = words ? ParseGrpInfoNumber(value) : std::nullopt;
    number = parsed.value_or(0);
    return parsed.has_value();
}

} // namespace

std::optional<std::uint64_t> ParseGrpInfoNumber(std::string_view text) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        unsigned digit = 16;
        if (c >= '0' && c <= '9') {
            digit = unsigned(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = unsigned(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = unsigned(c - 'A' + 10);
        }
        if (digit >= base || value > (std::numeric_limits<std::uint64_t>::max() - digit) / base) {
            return std::nullopt;
        }
        value = value * base + digit;
    }
    return value;
}

TResult<std::vector<TGrpInfo>> ParseGrpInfo(std::string_view text) {
    TTokenizer tokens(text);
    std::vector<TGrpInfo> definitions;
    TResult<TToken> token = tokens.Next();
    for (; token.Ok() && token.Value().Kind != TTokenKind::End; token = tokens.Next()) {
        TGrpInfo info;
        info.Line = token.Value().Line;
        if (token.Value().Kind != TTokenKind::Word || token.Value().Value != "grpinfo") {
            return Fault(info.Line, "expected \"grpinfo\"");
        }
        token = tokens.Next();
        if (!token.Ok()) {
            return token.Status();
        }
        if (token.Value().Kind != TTokenKind::Open) {
            return Fault(token.Value().Line, "expected \"{\" after \"grpinfo\"");
        }
        bool hasName = false;
        bool hasSize = false;
        bool hasCrc = false;
        token = tokens.Next();
        while (token.Ok() && token.Value().Kind == TTokenKind::Word) {
            const std::string key = token.Value().Value;
            const int line = token.Value().Line;
            TToken next;
            bool words = false;
            const TResult<std::string> value = ReadValue(tokens, next, words);
            if (!value.Ok()) {
                return value.Status();
            }
            std::uint64_t number = 0;
            if (key == "name") {
                info.Name = value.Value();
                hasName = true;
            } else if (key == "size") {
                if (!IsNumber(value.Value(), words, number)) {
                    return Fault(line, "the size is not a number");
                }
                info.Size = number;
                hasSize = true;
            } else if (key == "crc") {
                if (!IsNumber(value.Value(), words, number) ||
                    number > std::numeric_limits<std::uint32_t>::max()) {
                    return Fault(line, "the crc is not a 32-bit number");
                }
                info.Crc = static_cast<std::uint32_t>(number);
                hasCrc = true;
            } else if (key == "flags") {
                info.Flags = value.Value();
            } else if (key == "dependency") {
                info.Dependency = value.Value();
            }
            token = next;
        }
        if (!token.Ok()) {
            return token.Status();
        }
        if (token.Value().Kind != TTokenKind::Close) {
            return Fault(token.Value().Line, token.Value().Kind == TTokenKind::End
                                                 ? "the definition of line " +
                                                       std::to_string(info.Line) + " does not end"
                                                 : "expected a key or \"}\"");
        }
        const char* missing = !hasName ? "name" : (!hasSize ? "size" : (!hasCrc ? "crc" : nullptr));
        if (missing != nullptr) {
            return Fault(info.Line, std::string("the definition has no ") + missing);
        }
        definitions.push_back(std::move(info));
    }
    if (!token.Ok()) {
        return token.Status();
    }
    return definitions;
}

std::string FormatGrpInfo(const TGrpInfo& info) {
    std::string name;
    for (const char c : info.Name) {
        if (c == '"' || c == '\\') {
            name += '\\';
        }
        name += c;
    }
    char crc[16];
    std::snprintf(crc, sizeof crc, "0x%08X", static_cast<unsigned>(info.Crc));
    std::string text = "grpinfo\n{\n";
    text += "    name \"" + name + "\"\n";
    text += "    size " + std::to_string(info.Size) + "\n";
    text += "    crc " + std::string(crc) + "\n";
    if (!info.Flags.empty()) {
        text += "    flags " + info.Flags + "\n";
    }
    if (!info.Dependency.empty()) {
        text += "    dependency " + info.Dependency + "\n";
    }
    return text + "}\n";
}
