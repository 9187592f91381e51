#include "archive/Grpformat.h"
#include "archive/Crc32.h"

#include "archive/Testfiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// The two-entry example: GAME.CON of 5 bytes, then E1L1.MAP of 3 bytes.
const std::vector<std::pair<std::string, TBytes>> ExampleEntries = {{"GAME.CON", BytesOf("ABCDE")},
                                                                    {"E1L1.MAP", BytesOf("xyz")}};

TBytes Concat(std::initializer_list<TBytes> parts) {
    TBytes all;
    for (const TBytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TBytes Record(const std::string& name, std::uint32_t value) {
    TBytes record(GrpRecordSize);
    EncodeGrpRecord(std::span<std::uint8_t, GrpRecordSize>(record.data(), GrpRecordSize), name,
                    value);
    return record;
}

TResult<TGrpDirectory> Parse(const TBytes& bytes) {
    return ParseGrpDirectory(bytes, bytes.size());
}

// The reason of a failed parse; fails the test when it succeeded.
std::string Refusal(const TBytes& bytes, std::uint64_t length) {
    const TResult<TGrpDirectory> result = ParseGrpDirectory(bytes, length);
    EXPECT_FALSE(result.Ok());
    if (result.Ok()) {
        return {};
    }
    EXPECT_EQ(result.Status().Fault(), TFault::BadData);
    return result.Reason();
}

// The standard image turned into the inverted variant: other magic, directory complemented.
TBytes Inverted(TBytes image, std::uint32_t count) {
    std::copy(GrpInvertedMagic.begin(), GrpInvertedMagic.end(), image.begin());
    for (std::size_t i = GrpRecordSize; i < GrpDirectorySize(count); ++i) {
        image[i] = static_cast<std::uint8_t>(~image[i]);
    }
    return image;
}

TEST(GrpFormat, WorkedExampleIsTheExact56Bytes) {
    const TBytes expected = {
        0x4B, 0x65, 0x6E, 0x53, 0x69, 0x6C, 0x76, 0x65, 0x72, 0x6D, 0x61, 0x6E, // magic
        0x02, 0x00, 0x00, 0x00,                                                 // count 2
        0x47, 0x41, 0x4D, 0x45, 0x2E, 0x43, 0x4F, 0x4E, 0x00, 0x00, 0x00, 0x00, // GAME.CON
        0x05, 0x00, 0x00, 0x00,                                                 // size 5
        0x45, 0x31, 0x4C, 0x31, 0x2E, 0x4D, 0x41, 0x50, 0x00, 0x00, 0x00, 0x00, // E1L1.MAP
        0x03, 0x00, 0x00, 0x00,                                                 // size 3
        'A',  'B',  'C',  'D',  'E',  'x',  'y',  'z'};
    EXPECT_EQ(BuildGrpImage(ExampleEntries), expected);

    const TResult<TGrpDirectory> directory = Parse(expected);
    ASSERT_TRUE(directory.Ok()) << directory.Reason();
    const auto& entries = directory.Value().Entries;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Name, "GAME.CON");
    EXPECT_EQ(entries[0].Size, 5u);
    EXPECT_EQ(entries[0].Offset, 48u);
    EXPECT_EQ(entries[1].Name, "E1L1.MAP");
    EXPECT_EQ(entries[1].Size, 3u);
    EXPECT_EQ(entries[1].Offset, 53u);
    EXPECT_EQ(directory.Value().DataStart, 48u);
    EXPECT_EQ(directory.Value().DataEnd, 56u);
    EXPECT_EQ(directory.Value().Variant, TGrpVariant::Standard);
}

TEST(GrpFormat, EmptyGroupFileIsMagicAndCountZero) {
    const TBytes image = BuildGrpImage({});
    EXPECT_EQ(image, Concat({BytesOf("KenSilverman"), TBytes{0, 0, 0, 0}}));
    const TResult<TGrpDirectory> directory = Parse(image);
    ASSERT_TRUE(directory.Ok()) << directory.Reason();
    EXPECT_TRUE(directory.Value().Entries.empty());
    EXPECT_EQ(directory.Value().DataStart, 16u);
}

TEST(GrpFormat, NamesReadUpToTheFirstZeroByteOrAllTwelve) {
    TBytes twelve = Record("ABCDEFGH.IJK", 0);
    EXPECT_TRUE(std::memcmp(twelve.data(), "ABCDEFGH.IJK", 12) == 0); // no terminator
    TBytes padded = Record("A.B", 0);
    TBytes empty = Record("", 0);
    TBytes inner = Record("", 0);
    std::memcpy(inner.data(), "AB\0CD", 5);

    const TResult<TGrpDirectory> directory =
        Parse(Concat({Record("KenSilverman", 4), twelve, padded, empty, inner}));
    ASSERT_TRUE(directory.Ok()) << directory.Reason();
    const auto& entries = directory.Value().Entries;
    EXPECT_EQ(entries[0].Name, "ABCDEFGH.IJK");
    EXPECT_EQ(entries[1].Name, "A.B");
    EXPECT_EQ(entries[2].Name, "");
    EXPECT_EQ(entries[3].Name, "AB");
}

TEST(GrpFormat, EntryOfSizeZeroTakesNoDataBytes) {
    const TResult<TGrpDirectory> directory =
        Parse(BuildGrpImage({{"A", {}}, {"B", BytesOf("bb")}, {"C", {}}, {"D", BytesOf("d")}}));
    ASSERT_TRUE(directory.Ok()) << directory.Reason();
    const auto& entries = directory.Value().Entries;
    EXPECT_EQ(entries[0].Offset, 80u);
    EXPECT_EQ(entries[1].Offset, 80u);
    EXPECT_EQ(entries[2].Offset, 82u);
    EXPECT_EQ(entries[3].Offset, 82u);
}

TEST(GrpFormat, OnlyTheExactMagicIsRecognised) {
    const TBytes image = BuildGrpImage(ExampleEntries);
    for (const char* magic : {"kensilverman", "KenSilvermaN", "tembrel - qk", "KenSilverma\0"}) {
        TBytes other = image;
        std::memcpy(other.data(), magic, 12);
        EXPECT_NE(Refusal(other, other.size()).find("unknown magic"), std::string::npos) << magic;
    }
}

TEST(GrpFormat, InvertedVariantReadsLikeItsStandardFile) {
    // The record of the variant's description: GAME, size 5.
    const TBytes record = {0xB8, 0xBE, 0xB2, 0xBA, 0xFF, 0xFF, 0xFF, 0xFF,
                           0xFF, 0xFF, 0xFF, 0xFF, 0xFA, 0xFF, 0xFF, 0xFF};
    const TResult<TGrpDirectory> game =
        Parse(Concat({BytesOf("Tembrel - QK"), TBytes{1, 0, 0, 0}, record, BytesOf("12345")}));
    ASSERT_TRUE(game.Ok()) << game.Reason();
    EXPECT_EQ(game.Value().Variant, TGrpVariant::Inverted);
    EXPECT_EQ(game.Value().Entries[0].Name, "GAME");
    EXPECT_EQ(game.Value().Entries[0].Size, 5u);

    const TBytes standard = BuildGrpImage(ExampleEntries);
    const TResult<TGrpDirectory> plain = Parse(standard);
    const TResult<TGrpDirectory> inverted = Parse(Inverted(standard, 2));
    ASSERT_TRUE(inverted.Ok()) << inverted.Reason();
    ASSERT_EQ(inverted.Value().Entries.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(inverted.Value().Entries[i].Name, plain.Value().Entries[i].Name);
        EXPECT_EQ(inverted.Value().Entries[i].Size, plain.Value().Entries[i].Size);
        EXPECT_EQ(inverted.Value().Entries[i].Offset, plain.Value().Entries[i].Offset);
    }
}

TEST(GrpFormat, FileShorterThanItsHeaderIsRefused) {
    const TBytes image = BuildGrpImage({});
    for (std::size_t length = 0; length < 16; ++length) {
        const TBytes head(image.begin(), image.begin() + std::ptrdiff_t(length));
        EXPECT_NE(Refusal(head, length).find("shorter than the 16-byte header"), std::string::npos);
    }
}

TEST(GrpFormat, CountClaimingMoreThanTheFileIsRefused) {
    // One entry claimed, no directory record present.
    EXPECT_NE(Refusal(Record("KenSilverman", 1), 16).find("larger than the file"),
              std::string::npos);
    // The largest count: 16 x N would overflow 32 bits.
    EXPECT_NE(Refusal(Record("KenSilverman", 0xFFFFFFFF), 16).find("4294967295 entries"),
              std::string::npos);
    const TBytes inverted = Concat({BytesOf("Tembrel - QK"), TBytes{0xFF, 0xFF, 0xFF, 0x7F}});
    EXPECT_NE(Refusal(inverted, 1000).find("larger than the file"), std::string::npos);
}

TEST(GrpFormat, SizesReachingPastTheEndAreRefusedNamingTheEntry) {
    TBytes image = BuildGrpImage(ExampleEntries);
    image.pop_back();
    EXPECT_NE(Refusal(image, image.size()).find("entry 2 \"E1L1.MAP\""), std::string::npos);

    // Two sizes of 2 GiB sum to 2^32: a 32-bit sum would wrap to 0 and pass.
    const TBytes wraps =
        Concat({Record("KenSilverman", 2), Record("A", 0x80000000), Record("B", 0x80000000)});
    EXPECT_NE(Refusal(wraps, wraps.size()).find("entry 1 \"A\""), std::string::npos);
    const std::uint64_t justShort = 48 + 0x100000000ull - 1;
    EXPECT_NE(Refusal(wraps, justShort).find("entry 2 \"B\""), std::string::npos);
}

TEST(GrpFormat, OffsetsPastFourGiBAreExact) {
    const TBytes directory = Concat({Record("KenSilverman", 3), Record("A", 0xFFFFFFFF),
                                     Record("B", 0xFFFFFFFF), Record("C", 1)});
    const std::uint64_t length = 64 + 2 * 0xFFFFFFFFull + 1;
    const TResult<TGrpDirectory> directoryRead = ParseGrpDirectory(directory, length);
    ASSERT_TRUE(directoryRead.Ok()) << directoryRead.Reason();
    EXPECT_EQ(directoryRead.Value().Entries[2].Offset, 64 + 2 * 0xFFFFFFFFull);
    EXPECT_EQ(directoryRead.Value().DataEnd, length);
}

TEST(GrpFormat, DirectoryCutShortIsRefused) {
    const TBytes image = BuildGrpImage(ExampleEntries);
    const TBytes head(image.begin(), image.begin() + 40); // the file is longer than this
    EXPECT_NE(Refusal(head, image.size()).find("ends inside its directory"), std::string::npos);
}

TEST(GrpFormat, DataAfterTheLastEntryIsAllowed) {
    TBytes image = BuildGrpImage(ExampleEntries);
    image.push_back(0);
    EXPECT_TRUE(Parse(image).Ok());
}

TEST(GrpFormat, NamesAreFoundByteForByteFirstMatchFirst) {
    const TResult<TGrpDirectory> directory = Parse(BuildGrpImage(
        {{"game.con", BytesOf("1")}, {"GAME.CON", BytesOf("2")}, {"GAME.CON", BytesOf("3")}}));
    ASSERT_TRUE(directory.Ok());
    EXPECT_EQ(FindGrpEntry(directory.Value(), "GAME.CON"), 1u);
    EXPECT_EQ(FindGrpEntry(directory.Value(), "game.con"), 0u);
    EXPECT_FALSE(FindGrpEntry(directory.Value(), "Game.con"));
    EXPECT_FALSE(FindGrpEntry(directory.Value(), "GAME.CO"));
}

TEST(GrpFormat, TheNameRuleCountsAllTwelveCharacters) {
    EXPECT_TRUE(FitsGrpName("ABCDEFGH.IJK"));
    EXPECT_TRUE(FitsGrpName("ABCDEFGHIJKL"));
    EXPECT_FALSE(FitsGrpName("ABCDEFGHI.JKL"));
}

TEST(GrpFormat, PrintableNameEscapesControlBytes) {
    EXPECT_EQ(PrintableName("A\x1b[2J\x7f"), "A\\x1B[2J\\x7F");
    EXPECT_EQ(PrintableName("GAME.CON"), "GAME.CON");
}

TEST(Crc32, MatchesTheCheckValueAndContinues) {
    const std::string text = "123456789";
    EXPECT_EQ(Crc32(0, text.data(), text.size()), 0xCBF43926u);
    const std::uint32_t half = Crc32(0, text.data(), 4);
    EXPECT_EQ(Crc32(half, text.data() + 4, text.size() - 4), 0xCBF43926u);
    EXPECT_EQ(Crc32(0, nullptr, 0), 0u);
}

TEST(Crc32, EightBytesAtATimeAgreeWithOneAtATime) {
    std::vector<std::uint8_t> data(300);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = std::uint8_t(i * 131 + 7);
    }
    std::uint32_t byByte = 0;
    for (std::size_t length = 0; length < data.size(); ++length) {
        ASSERT_EQ(Crc32(0, data.data(), length), byByte) << "length " << length;
        byByte = Crc32(byByte, &data[length], 1);
    }
}

} // namespace
