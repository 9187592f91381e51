#pragma once
// Definitions of group files in the .grpinfo format of the game ports, by which a port recognises
// a game's or a mod's group file by its size and CRC-32 and offers it in its start-up window:
//
//   grpinfo
//   {
//       name "My Episode"
//       size 1234567
//       crc 0x1A2B3C4D
//       flags 0
//       dependency 0x00000000
//   }
//
// A file holds any number of such blocks. Between tokens, blanks, line ends, "// ..." to the end
// of the line and "/* ... */" are ignored. A value is a quoted text ("\"" and "\\" stand for a
// quote and a backslash), or numbers and names joined by "|" (flags such as A|B). Keys other
// than these five are read and ignored. Pure: no file is touched.

#include "archive/Grpresult.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TGrpInfo {
    std::string Name;
    std::uint64_t Size = 0;
    std::uint32_t Crc = 0;
    std::string Flags;      // as written: a number, or names and numbers joined by "|"
    std::string Dependency; // as written; the CRC-32 of the group file this one needs, or 0
    int Line = 0;           // of the word "grpinfo" that begins the definition
};

// The definitions of a .grpinfo file in their order. A definition needs a name, a size and a
// crc, each a number where a number is meant. A fault is a BadData status whose reason begins
// "line N: ", N counted from 1.
TResult<std::vector<TGrpInfo>> ParseGrpInfo(std::string_view text);

// The definition in the layout above; Flags and Dependency are left out when empty.
std::string FormatGrpInfo(const TGrpInfo& info);

// A number as the format writes it: decimal digits, or "0x" and hexadecimal digits; nothing when
// text is anything else or the number does not fit 64 bits.
std::optional<std::uint64_t> ParseGrpInfoNumber(std::string_view text);
