#include "archive/Grpformat.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <limits>

namespace {

std::uint32_t ReadLittleEndian32(const std::uint8_t* bytes) {
    return std::uint32_t(bytes[0]) | (std::uint32_t(bytes[1]) << 8) |
           (std::uint32_t(bytes[2]) << 16) | (std::uint32_t(bytes[3]) << 24);
}

void WriteLittleEndian32(std::uint8_t* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

} // namespace

TGrpRecord DecodeGrpRecord(std::span<const std::uint8_t, GrpRecordSize> bytes) {
    const auto nameEnd = std::find(bytes.begin(), bytes.begin() + GrpNameSize, 0);
    return {std::string(bytes.begin(), nameEnd), ReadLittleEndian32(bytes.data() + GrpNameSize)};
}

void EncodeGrpRecord(std::span<std::uint8_t, GrpRecordSize> bytes, std::string_view name,
                     std::uint32_t value) {
    assert(FitsGrpName(name));
    std::fill(bytes.begin(), bytes.end(), 0);
    std::copy(name.begin(), name.end(), bytes.begin());
    WriteLittleEndian32(bytes.data() + GrpNameSize, value);
}

TResult<TGrpHeader> ParseGrpHeader(std::span<const std::uint8_t> bytes, std::uint64_t fileLength) {
    if (fileLength < GrpRecordSize || bytes.size() < GrpRecordSize) {
        return TStatus::BadData("shorter than the 16-byte header of a group file");
    }
    const TGrpRecord record = DecodeGrpRecord(bytes.first<GrpRecordSize>());
    TGrpHeader header;
    if (record.Name == GrpInvertedMagic) {
        header.Variant = TGrpVariant::Inverted;
    } else if (record.Name == GrpMagic) {
        header.Variant = TGrpVariant::Standard;
    } else {
        return TStatus::BadData("not a group file (unknown magic)");
    }
    header.Count = record.Value;
    const std::uint64_t directorySize = GrpDirectorySize(header.Count);
    if (directorySize > fileLength) {
        return TStatus::BadData("the directory of " + std::to_string(header.Count) +
                                " entries is larger than the file (" + std::to_string(fileLength) +
                                " bytes)");
    }
    // Only a 32-bit system can meet a directory that fits the file but not the memory.
    if (directorySize > std::numeric_limits<std::size_t>::max()) {
        return TStatus::BadData("the directory of " + std::to_string(header.Count) +
                                " entries is too large for this system");
    }
    return header;
}

TResult<TGrpDirectory> DecodeGrpDirectory(const TGrpHeader& header,
                                          std::span<const std::uint8_t> directory,
                                          std::uint64_t fileLength) {
    if (directory.size() / GrpRecordSize < header.Count) {
        return TStatus::BadData("the file ends inside its directory");
    }
    TGrpDirectory result;
    result.Variant = header.Variant;
    result.DataStart = GrpDirectorySize(header.Count);
    result.FileLength = fileLength;
    result.Entries.reserve(header.Count);
    std::uint64_t offset = result.DataStart;
    for (std::uint32_t i = 0; i < header.Count; ++i) {
        std::array<std::uint8_t, GrpRecordSize> bytes;
        std::copy_n(directory.begin() + std::ptrdiff_t(i) * std::ptrdiff_t(GrpRecordSize),
                    GrpRecordSize, bytes.begin());
        if (header.Variant == TGrpVariant::Inverted) {
            for (std::uint8_t& b : bytes) {
                b = static_cast<std::uint8_t>(~b);
            }
        }
        TGrpRecord record = DecodeGrpRecord(bytes);
        // At most 2^32 sizes below 2^32 each: the sum cannot overflow 64 bits.
        const std::uint64_t end = offset + record.Value;
        if (end > fileLength) {
            return TStatus::BadData(
                "entry " + std::to_string(std::uint64_t(i) + 1) + " \"" +
                PrintableName(record.Name) + "\" of " + std::to_string(record.Value) +
                " bytes ends past the end of the file (" + std::to_string(fileLength) + " bytes)");
        }
        result.Entries.push_back({std::move(record.Name), record.Value, offset});
        offset = end;
    }
    result.DataEnd = offset;
    return result;
}

TResult<TGrpDirectory> ParseGrpDirectory(std::span<const std::uint8_t> bytes,
                                         std::uint64_t fileLength) {
    TResult<TGrpHeader> header = ParseGrpHeader(bytes, fileLength);
    if (!header.Ok()) {
        return header.Status();
    }
    return DecodeGrpDirectory(header.Value(), bytes.subspan(GrpRecordSize), fileLength);
}

std::optional<std::size_t> FindGrpEntry(const TGrpDirectory& directory, std::string_view name) {
    for (std::size_t i = 0; i < directory.Entries.size(); ++i) {
        if (directory.Entries[i].Name == name) {
            return i;
        }
    }
    return std::nullopt;
}

std::vector<std::uint8_t> BuildGrpDirectory(const std::vector<TGrpRecord>& entries) {
    assert(entries.size() <= std::numeric_limits<std::uint32_t>::max());
    const auto count = static_cast<std::uint32_t>(entries.size());
    std::vector<std::uint8_t> image(static_cast<std::size_t>(GrpDirectorySize(count)));
    const std::span<std::uint8_t> bytes(image);
    EncodeGrpRecord(bytes.first<GrpRecordSize>(), GrpMagic, count);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EncodeGrpRecord(bytes.subspan((i + 1) * GrpRecordSize).first<GrpRecordSize>(),
                        entries[i].Name, entries[i].Value);
    }
    return image;
}

std::vector<std::uint8_t>
BuildGrpImage(const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& entries) {
    std::vector<TGrpRecord> records;
    records.reserve(entries.size());
    for (const auto& [name, data] : entries) {
        assert(data.size() <= std::numeric_limits<std::uint32_t>::max());
        records.push_back({name, static_cast<std::uint32_t>(data.size())});
    }
    std::vector<std::uint8_t> image = BuildGrpDirectory(records);
    for (const auto& entry : entries) {
        image.insert(image.end(), entry.second.begin(), entry.second.end());
    }
    return image;
}

std::string PrintableName(std::string_view name) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) {
            text += "\\x";
            text += Hex[b >> 4];
            text += Hex[b & 0xF];
        } else {
            text += c;
        }
    }
    return text;
}
