#pragma once
// The GRP group-file format, on bytes in memory.
//
// A group file is a 16-byte header record (the magic in the name field, the entry count in the
// size field), a directory of one 16-byte record per entry (a name of up to 12 bytes, zero
// padded, and a 32-bit size), then the data of every entry back to back in directory order.
// Integers are little-endian. Data offsets are not stored: they follow from the order.
//
// Nothing here touches a file; Grpfiles.h reads and writes them. Every count and size read from
// a file is checked against the file's length before it is used or anything is allocated.

#include "archive/Grpresult.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline constexpr std::size_t GrpRecordSize = 16;
inline constexpr std::size_t GrpNameSize = 12;
inline constexpr std::string_view GrpMagic = "KenSilverman";
// The variant whose directory is stored bit-inverted; read, never written.
inline constexpr std::string_view GrpInvertedMagic = "Tembrel - QK";

enum class TGrpVariant { Standard, Inverted };

// A record: the header (magic, count) or a directory entry (name, size).
struct TGrpRecord {
    std::string Name;
    std::uint32_t Value = 0;
};

struct TGrpHeader {
    TGrpVariant Variant = TGrpVariant::Standard;
    std::uint32_t Count = 0;
};

struct TGrpEntry {
    std::string Name;
    std::uint32_t Size = 0;
    std::uint64_t Offset = 0; // of the entry's data in the file
};

struct TGrpDirectory {
    TGrpVariant Variant = TGrpVariant::Standard;
    std::uint64_t DataStart = GrpRecordSize;  // 16 + 16 x N
    std::uint64_t DataEnd = GrpRecordSize;    // DataStart + the sum of all sizes
    std::uint64_t FileLength = GrpRecordSize; // of the file the directory was read from
    std::vector<TGrpEntry> Entries;
};

// The name is the field's bytes up to the first zero byte, or all 12.
TGrpRecord DecodeGrpRecord(std::span<const std::uint8_t, GrpRecordSize> bytes);
// Zero-fills the 16 bytes, copies name (at most 12 bytes) to the start, value to the end.
void EncodeGrpRecord(std::span<std::uint8_t, GrpRecordSize> bytes, std::string_view name,
                     std::uint32_t value);

// The size of the header and directory of count entries.
constexpr std::uint64_t GrpDirectorySize(std::uint32_t count) {
    return GrpRecordSize + GrpRecordSize * std::uint64_t(count);
}

// Recognises the magic of a file whose first bytes are given and whose whole length is
// fileLength, and checks that the directory the count claims fits in the file.
TResult<TGrpHeader> ParseGrpHeader(std::span<const std::uint8_t> bytes, std::uint64_t fileLength);
// The entries from the directory's 16 x N bytes (stored inverted or not, as header says), with
// their data offsets; refuses an entry whose data would end past fileLength.
TResult<TGrpDirectory> DecodeGrpDirectory(const TGrpHeader& header,
                                          std::span<const std::uint8_t> directory,
                                          std::uint64_t fileLength);
// Both steps on the first bytes of a file (at least its header and directory).
TResult<TGrpDirectory> ParseGrpDirectory(std::span<const std::uint8_t> bytes,
                                         std::uint64_t fileLength);

// The first entry named name, compared byte for byte.
std::optional<std::size_t> FindGrpEntry(const TGrpDirectory& directory, std::string_view name);

// Whether name fits the 12-byte name field (name, dot and extension together).
constexpr bool FitsGrpName(std::string_view name) {
    return name.size() <= GrpNameSize;
}

// The header and directory of the standard form for these entries (names that fit, sizes).
std::vector<std::uint8_t> BuildGrpDirectory(const std::vector<TGrpRecord>& entries);
// A whole group file in the standard form: names and data, in this order.
std::vector<std::uint8_t>
BuildGrpImage(const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& entries);

// name as it can be shown on a terminal or in a message: control bytes become \xNN.
std::string PrintableName(std::string_view name);
