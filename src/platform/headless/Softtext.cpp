#include "platform/headless/Softtext.h"

#include <algorithm>
#include <cstddef>

namespace {

bool IsLineBreak(unsigned char c) {
    return c == '\n' || c == '\r';
}

// The characters of text as they are shown: "&" marks removed and the marked characters
// flagged for underlining.
std::vector<TTextChar> ShownChars(const std::string& text, std::uint32_t format) {
    const bool prefixes = !(format & dtNoPrefix);
    const bool underline = !(format & dtHidePrefix);
    std::vector<TTextChar> chars;
    for (std::size_t i = 0; i < text.size(); ++i) {
        TTextChar c;
        c.Char = static_cast<unsigned char>(text[i]);
        if (prefixes && c.Char == '&' && i + 1 < text.size()) {
            c.Char = static_cast<unsigned char>(text[++i]);
            c.Underline = underline && c.Char != '&';
        }
        chars.push_back(c);
    }
    return chars;
}

class TLayout {
public:
    TLayout(const std::vector<TTextChar>& chars, std::uint32_t format, int width,
            const TAdvance& advance, int tabWidth)
        : Chars(chars), SingleLine(format & dtSingleLine),
          WordBreak(!SingleLine && (format & dtWordBreak)),
          KeepLastBlank(!(format & (dtCenter | dtRight))), Width(width), Advance(advance),
          TabWidth(tabWidth) {}

    std::vector<TTextLine> Lines() {
        std::vector<TTextLine> lines;
        std::size_t i = 0;
        while (i < Chars.size()) {
            lines.push_back(NextLine(i));
        }
        return lines;
    }

private:
    const std::vector<TTextChar>& Chars;
    const bool SingleLine;
    const bool WordBreak;
    const bool KeepLastBlank;
    const int Width;
    const TAdvance& Advance;
    const int TabWidth;

    // The offset after a character placed at offset u.
    int Next(unsigned char c, int u) const {
        return c == '\t' && TabWidth ? (u / TabWidth + 1) * TabWidth : u + Advance(c);
    }
    bool BreakAt(std::size_t k) const { return !SingleLine && IsLineBreak(Chars[k].Char); }
    bool BlankAt(std::size_t k) const { return Chars[k].Char == ' '; }
    // The position after the line break at k: "\r\n" and "\n\r" are one break.
    std::size_t AfterBreak(std::size_t k) const {
        const unsigned char first = Chars[k].Char;
        ++k;
        if (k < Chars.size() && IsLineBreak(Chars[k].Char) && Chars[k].Char != first) {
            ++k;
        }
        return k;
    }

    // The line that starts at i; i moves to the start of the next one.
    TTextLine NextLine(std::size_t& i) const {
        const std::size_t n = Chars.size();
        const std::size_t begin = i;
        std::size_t k = begin;
        bool overflow = false;
        for (int u = 0; k < n && !BreakAt(k); ++k) {
            const int nextU = Next(Chars[k].Char, u);
            if (WordBreak && nextU > Width) {
                overflow = true;
                break;
            }
            u = nextU;
        }
        if (!overflow) {
            i = k < n ? AfterBreak(k) : k;
            return Placed(begin, k);
        }
        // k is the first character that does not fit: the line ends before the word it
        // belongs to, or after that word when it is the line's first.
        std::size_t end = k;
        if (!BlankAt(k)) {
            std::size_t wordStart = k;
            while (wordStart > begin && !BlankAt(wordStart - 1)) {
                --wordStart;
            }
            if (wordStart > begin) {
                end = wordStart;
            } else {
                while (end < n && !BlankAt(end) && !BreakAt(end)) {
                    ++end;
                }
            }
        }
        i = end;
        while (i < n && BlankAt(i)) {
            ++i;
        }
        if (i < n && BreakAt(i)) {
            i = AfterBreak(i);
        }
        if (!KeepLastBlank && end > begin && BlankAt(end - 1)) {
            --end;
        }
        return Placed(begin, end);
    }

    TTextLine Placed(std::size_t begin, std::size_t end) const {
        TTextLine line;
        line.Chars.assign(Chars.begin() + std::ptrdiff_t(begin),
                          Chars.begin() + std::ptrdiff_t(end));
        bool underlined = false;
        for (auto c = line.Chars.rbegin(); c != line.Chars.rend(); ++c) {
            // Only the last marked character of a line is underlined.
            c->Underline = c->Underline && !underlined;
            underlined = underlined || c->Underline;
        }
        for (TTextChar& c : line.Chars) {
            c.U = line.Width;
            line.Width = Next(c.Char, line.Width);
        }
        return line;
    }
};

} // namespace

std::vector<TTextLine> LayOutText(const std::string& text, std::uint32_t format, int width,
                                  const TAdvance& advance, int tabWidth) {
    const std::vector<TTextChar> chars = ShownChars(text, format);
    return TLayout(chars, format, width, advance, tabWidth).Lines();
}

int DrawTextLines(const std::string& text, TRect& r, std::uint32_t format, int lineHeight,
                  int averageWidth, const TAdvance& advance, const TPaintLine& paint) {
    int tabChars = 8;
    if (format & dtTabStop) {
        tabChars = int((format >> 8) & 0xFF);
        format &= ~std::uint32_t(0xFF00);
    }
    const bool singleLine = format & dtSingleLine;
    const bool calcRect = format & dtCalcRect;
    if (text.empty()) {
        if (calcRect) {
            r.Right = r.Left;
            r.Bottom = r.Top + (singleLine ? lineHeight : 0);
        }
        return lineHeight;
    }

    const int tabWidth = format & dtExpandTabs ? (tabChars ? tabChars : 8) * averageWidth : 0;
    const std::vector<TTextLine> lines = LayOutText(text, format, r.Width(), advance, tabWidth);
    int y = r.Top;
    if (singleLine && (format & dtVCenter)) {
        y = (r.Top + r.Bottom - lineHeight) / 2;
    } else if (singleLine && (format & dtBottom)) {
        y = r.Bottom - lineHeight;
    }
    int widest = 0;
    for (const TTextLine& line : lines) {
        // As on the system, drawing with clipping ends with the first line that reaches below r.
        const bool lastLine = !calcRect && !(format & dtNoClip) && y + lineHeight > r.Bottom;
        widest = std::max(widest, line.Width);
        if (!calcRect) {
            int x = r.Left;
            if (format & dtCenter) {
                x = (r.Left + r.Right - line.Width) / 2;
            } else if (format & dtRight) {
                x = r.Right - line.Width;
            }
            paint(x, y, line);
        }
        y += lineHeight;
        if (lastLine) {
            break;
        }
    }
    const int height = y - r.Top;
    if (calcRect) {
        r.Right = r.Left + widest;
        r.Bottom = y;
    }
    return height;
}
