// The PNG files of failed comparisons, and the system icons of the headless platform.

#include "Headlesstest.h"
#include "Pixelcheck.h"

#include "toolkit/Sysutils.h"

#include <fstream>
#include <iterator>

namespace {

using TBytes = std::vector<std::uint8_t>;

std::uint32_t BigEndian(const TBytes& bytes, std::size_t at) {
    return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 |
           std::uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
}

class Png : public HeadlessTest {
protected:
    const std::string File = "headless-png-test.png";
    void TearDown() override {
        DeleteFile(File);
        HeadlessTest::TearDown();
    }
    TBytes Written() {
        std::ifstream in(File, std::ios::binary);
        return TBytes(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(Png, RoundTripsThePixels) {
    TSoftCanvas canvas(3, 2);
    canvas.SetPixel(0, 0, RGB(1, 2, 3));
    canvas.SetPixel(2, 1, clFuchsia);
    ASSERT_TRUE(WritePng(File, canvas));
    const TBytes png = Written();
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(TBytes(png.begin(), png.begin() + 8),
              (TBytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));

    // The chunks: IHDR, one IDAT of stored deflate blocks, IEND with its well-known CRC.
    std::vector<std::string> types;
    TBytes header;
    TBytes zlib;
    std::uint32_t lastCrc = 0;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::size_t length = BigEndian(png, at);
        const std::string type(png.begin() + std::ptrdiff_t(at + 4),
                               png.begin() + std::ptrdiff_t(at + 8));
        const TBytes data(png.begin() + std::ptrdiff_t(at + 8),
                          png.begin() + std::ptrdiff_t(at + 8 + length));
        types.push_back(type);
        if (type == "IHDR") {
            header = data;
        }
        if (type == "IDAT") {
            zlib = data;
        }
        lastCrc = BigEndian(png, at + 8 + length);
        at += 12 + length;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ(lastCrc, 0xAE426082u);
    ASSERT_EQ(header.size(), 13u);
    EXPECT_EQ(BigEndian(header, 0), 3u);
    EXPECT_EQ(BigEndian(header, 4), 2u);
    EXPECT_EQ(header[8], 8); // bits per channel
    EXPECT_EQ(header[9], 2); // RGB

    // zlib header, one final stored block, the rows (filter byte and RGB triples), Adler-32.
    ASSERT_EQ(zlib.size(), 2u + 5u + 20u + 4u);
    EXPECT_EQ((zlib[0] << 8 | zlib[1]) % 31, 0);
    EXPECT_EQ(zlib[2], 1);
    EXPECT_EQ(zlib[3] | zlib[4] << 8, 20);
    EXPECT_EQ(zlib[5] | zlib[6] << 8, 0xFFFF - 20);
    EXPECT_EQ(TBytes(zlib.begin() + 7, zlib.begin() + 27),
              (TBytes{0, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 255}));
    EXPECT_EQ(BigEndian(zlib, 27), 0x047A0205u);
}

TEST_F(Png, ReportsAFileThatCannotBeWritten) {
    TSoftCanvas canvas(1, 1);
    EXPECT_FALSE(WritePng("no-such-folder/x.png", canvas));
    EXPECT_FALSE(WritePng(File, TBitmap()));
}

class SystemIcons : public HeadlessTest {};

TEST_F(SystemIcons, AreThirtyTwoSquareOnFuchsia) {
    for (const TSystemIcon icon : {siHand, siQuestion, siExclamation, siAsterisk}) {
        const TBitmap picture = Platform().SystemIcon(icon);
        ASSERT_EQ(picture.Width(), 32) << icon;
        ASSERT_EQ(picture.Height(), 32) << icon;
        EXPECT_EQ(picture.TransparentColor(), clFuchsia) << icon;
        EXPECT_EQ(picture.Pixel(31, 0), clFuchsia) << icon;
    }
    EXPECT_TRUE(Platform().SystemIcon(TSystemIcon(32512)).Empty());
}

TEST_F(SystemIcons, ShowTheirSymbols) {
    const TBitmap exclamation = Platform().SystemIcon(siExclamation);
    EXPECT_EQ(exclamation.Pixel(8, 26), clYellow); // the triangle
    EXPECT_EQ(exclamation.Pixel(15, 14), clBlack); // the bar of "!"
    EXPECT_EQ(exclamation.Pixel(4, 4), clFuchsia);
    const TBitmap stop = Platform().SystemIcon(siHand);
    EXPECT_EQ(stop.Pixel(6, 16), clRed);
    EXPECT_EQ(stop.Pixel(16, 16), clWhite); // the middle of the cross
    const TBitmap information = Platform().SystemIcon(siAsterisk);
    const TBitmap question = Platform().SystemIcon(siQuestion);
    EXPECT_EQ(information.Pixel(16, 3), clWhite);
    int differences = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            differences += information.Pixel(x, y) != question.Pixel(x, y);
        }
    }
    EXPECT_GT(differences, 20);
}

} // namespace
