// The reader's results on well-formed files: orientation, channel order, packets, palettes, and
// what the record holds after each kind of load.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "image/test/tga_files.h"

namespace {

Bytes pixelsOf(const TgaImage& image) {
    if (!image.pixels) return {};
    return Bytes(image.pixels.get(), image.pixels.get() + image.imageSize);
}

TEST(TgaLoad, BottomUpTwentyFourBitsSwapsRowsAndRedBlue) {
    TgaImage image;
    ASSERT_EQ(loadBytes(image, tgaFile(trueColourHeader(1, 2, 24, 0x00), {1, 2, 3, 4, 5, 6})),
              TgaOk);
    EXPECT_EQ(image.width, 1);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.bitsPerPixel, 24);
    EXPECT_EQ(image.imageType, 2);
    EXPECT_EQ(image.imageSize, 6u);
    EXPECT_EQ(pixelsOf(image), (Bytes{6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(image.palette, nullptr);
    EXPECT_EQ(image.fileData, nullptr);
}

TEST(TgaLoad, ThirtyTwoBitsKeepsTheFourthByte) {
    TgaImage image;
    const Bytes data{10, 20, 30, 40, 50, 60, 70, 80};
    ASSERT_EQ(loadBytes(image, tgaFile(trueColourHeader(2, 1, 32, 0x08), data)), TgaOk);
    EXPECT_EQ(pixelsOf(image), (Bytes{30, 20, 10, 40, 70, 60, 50, 80}));
}

struct OrderCase {
    const char* name;
    std::uint8_t descriptor;
    Bytes expected;  // stored rows: {1 2 3, 4 5 6} then {7 8 9, 10 11 12}
};

void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.name; }

class TgaRowOrder : public ::testing::TestWithParam<OrderCase> {};

// Only bit 5 picks the row order; right-to-left (0x10) and attribute bits change nothing else.
TEST_P(TgaRowOrder, DescriptorSetsRowOrderOnly) {
    const Bytes data{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    TgaImage image;
    ASSERT_EQ(loadBytes(image, tgaFile(trueColourHeader(2, 2, 24, GetParam().descriptor), data)),
              TgaOk);
    EXPECT_EQ(pixelsOf(image), GetParam().expected);
}

const Bytes TopFirst{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10};
const Bytes BottomFirst{9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4};

INSTANTIATE_TEST_SUITE_P(Descriptors, TgaRowOrder,
                         ::testing::Values(OrderCase{"TopFirst", 0x20, TopFirst},
                                           OrderCase{"BottomFirst", 0x00, BottomFirst},
                                           OrderCase{"AttributeBits", 0x08, BottomFirst},
                                           OrderCase{"RightToLeft", 0x10, BottomFirst},
                                           OrderCase{"AlphaBits", 0x1F, BottomFirst}),
                         [](const auto& info) { return std::string(info.param.name); });

// Height 3 leaves the middle row in place; pixels of under 3 bytes are never swapped.
TEST(TgaLoad, SixteenBitPixelsKeepTheirBytesAndOddHeightKeepsTheMiddleRow) {
    TgaImage image;
    const Bytes data{1, 2, 3, 4, 5, 6};
    ASSERT_EQ(loadBytes(image, tgaFile(trueColourHeader(1, 3, 16, 0x00), data)), TgaOk);
    EXPECT_EQ(image.imageSize, 6u);
    EXPECT_EQ(pixelsOf(image), (Bytes{5, 6, 3, 4, 1, 2}));
}

TEST(TgaLoad, EightBitTrueColourKeepsItsBytes) {
    TgaImage image;
    ASSERT_EQ(loadBytes(image, tgaFile(trueColourHeader(3, 1, 8, 0x20), {7, 8, 9})), TgaOk);
    EXPECT_EQ(pixelsOf(image), (Bytes{7, 8, 9}));
}

struct PacketCase {
    const char* name;
    int width;
    int height;
    Bytes packets;
    Bytes expected;  // top row first, red first
};

void PrintTo(const PacketCase& c, std::ostream* os) { *os << c.name; }

Bytes repeated(const Bytes& pixel, int count) {
    Bytes bytes;
    for (int i = 0; i < count; ++i) bytes.insert(bytes.end(), pixel.begin(), pixel.end());
    return bytes;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes bytes;
    for (const Bytes& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

Bytes counting(int count, int start) {
    Bytes bytes;
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<std::uint8_t>(start + i));
    return bytes;
}

// counting(3 * n) as stored, turned into red-green-blue.
Bytes countingSwapped(int pixels, int start) {
    Bytes bytes = counting(3 * pixels, start);
    for (int i = 0; i < pixels; ++i) std::swap(bytes[3 * i], bytes[3 * i + 2]);
    return bytes;
}

class TgaPackets : public ::testing::TestWithParam<PacketCase> {};

TEST_P(TgaPackets, DecodeToTheirPixels) {
    const PacketCase& c = GetParam();
    TgaImage image;
    ASSERT_EQ(loadBytes(image, tgaFile(trueColourHeader(c.width, c.height, 24, 0x20, true),
                                       c.packets)),
              TgaOk);
    EXPECT_EQ(pixelsOf(image), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    RunLength, TgaPackets,
    ::testing::Values(
        PacketCase{"RunOfOne", 1, 1, {0x80, 1, 2, 3}, {3, 2, 1}},
        PacketCase{"RunOf128", 128, 1, {0xFF, 1, 2, 3}, repeated({3, 2, 1}, 128)},
        PacketCase{"RawOfOne", 1, 1, {0x00, 1, 2, 3}, {3, 2, 1}},
        PacketCase{"RawOf128", 128, 1, concat({{0x7F}, counting(384, 0)}),
                   countingSwapped(128, 0)},
        // 5 × 3: a run of 7 crosses the first row's end, a raw packet of 8 the second's.
        PacketCase{"AcrossRows", 5, 3, concat({{0x86, 1, 2, 3, 0x07}, counting(24, 50)}),
                   concat({repeated({3, 2, 1}, 7), countingSwapped(8, 50)})},
        // Packets declaring more pixels than remain are cut to fit; only the pixels written
        // must be in the file, and what follows the last packet is ignored.
        PacketCase{"OverlongFinalRun", 2, 1, {0x00, 1, 2, 3, 0xFF, 4, 5, 6},
                   {3, 2, 1, 6, 5, 4}},
        PacketCase{"OverlongFinalRawCutAtFileEnd", 2, 1, {0x80, 1, 2, 3, 0x7F, 4, 5, 6},
                   {3, 2, 1, 6, 5, 4}},
        PacketCase{"TrailingBytesIgnored", 1, 1, {0x80, 1, 2, 3, 0x7F, 9}, {3, 2, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TgaLoad, RunLengthThirtyTwoBitRunsKeepAlpha) {
    TgaImage image;
    const Bytes packets{0x82, 1, 2, 3, 4, 0x00, 5, 6, 7, 8};
    ASSERT_EQ(loadBytes(image, tgaFile(trueColourHeader(2, 2, 32, 0x00, true), packets)), TgaOk);
    EXPECT_EQ(pixelsOf(image), (Bytes{3, 2, 1, 4, 7, 6, 5, 8, 3, 2, 1, 4, 3, 2, 1, 4}));
}

class TgaColourMapped : public ::testing::TestWithParam<bool> {};

TEST_P(TgaColourMapped, KeepsIndicesAndTurnsThePaletteToRedGreenBlue) {
    const bool runLength = GetParam();
    const Bytes data = runLength ? Bytes{0x01, 0, 255, 0x83, 7} : Bytes{0, 255, 7, 7, 7, 7};
    TgaImage image;
    ASSERT_EQ(loadBytes(image, tgaFile(colourMappedHeader(3, 2, 0x00, runLength), data)), TgaOk);
    EXPECT_EQ(image.imageSize, 6u);
    EXPECT_EQ(image.bitsPerPixel, 8);
    EXPECT_EQ(pixelsOf(image), (Bytes{7, 7, 7, 0, 255, 7}));
    ASSERT_NE(image.palette, nullptr);
    const Bytes map = testColourMap();
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(image.palette[3 * i], map[3 * i + 2]) << i;
        EXPECT_EQ(image.palette[3 * i + 1], map[3 * i + 1]) << i;
        EXPECT_EQ(image.palette[3 * i + 2], map[3 * i]) << i;
    }
    EXPECT_EQ(image.fileData, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Types, TgaColourMapped, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "RunLength" : "Raw"; });

TEST(TgaLoad, TheIdFieldIsSkipped) {
    TgaHeader header = trueColourHeader(1, 1, 24, 0x20);
    header.idLength = 255;
    TgaImage image;
    ASSERT_EQ(loadBytes(image, tgaFile(header, {1, 2, 3})), TgaOk);
    EXPECT_EQ(pixelsOf(image), (Bytes{3, 2, 1}));
}

TEST(TgaLoad, ReplacesTheImageTheRecordHeld) {
    TgaImage image;
    ASSERT_EQ(loadBytes(image, tgaFile(colourMappedHeader(2, 1, 0x20), {4, 5})), TgaOk);
    ASSERT_EQ(loadBytes(image, tgaFile(trueColourHeader(1, 1, 24, 0x20), {1, 2, 3})), TgaOk);
    EXPECT_EQ(image.imageType, 2);
    EXPECT_EQ(pixelsOf(image), (Bytes{3, 2, 1}));
    EXPECT_EQ(image.palette, nullptr);
}

TEST(TgaLoad, MissingEmptyOrUnreadableFileGivesNoFileAndDropsTheOldImage) {
    const std::string empty = writeTempFile({});
    const std::string directory = ::testing::TempDir();
    for (const std::string& path : {std::string("no/such/file.tga"), empty, directory}) {
        TgaImage image;
        ASSERT_EQ(loadBytes(image, tgaFile(colourMappedHeader(2, 1, 0x20), {4, 5})), TgaOk);
        EXPECT_EQ(image.load(path.c_str()), TgaNoFile) << path;
        EXPECT_EQ(image.pixels, nullptr) << path;
        EXPECT_EQ(image.palette, nullptr) << path;
    }
    std::remove(empty.c_str());
}

TEST(TgaLoad, ABackslashSeparatesDirectories) {
    const std::string dir = ::testing::TempDir() + "tga_backslash";
    std::filesystem::create_directories(dir);
    const std::string path = writeTempFile(tgaFile(trueColourHeader(1, 1, 24, 0x20), {1, 2, 3}));
    const std::string moved = dir + "/a.tga";
    std::filesystem::rename(path, moved);
    TgaImage image;
    EXPECT_EQ(image.load((dir + "\\a.tga").c_str()), TgaOk);
    std::filesystem::remove_all(dir);
}

TEST(TgaLoad, ARefusedFileStaysHeldUntilRelease) {
    TgaImage image;
    Bytes file = tgaFile(trueColourHeader(2, 2, 24, 0x00, true), {0x80, 1, 2, 3});
    ASSERT_EQ(loadBytes(image, file), TgaBadFile);
    EXPECT_NE(image.fileData, nullptr);
    EXPECT_EQ(image.fileSize, file.size());
    EXPECT_NE(image.pixels, nullptr);
    image.release();
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.palette, nullptr);
    EXPECT_EQ(image.fileData, nullptr);
    EXPECT_EQ(image.fileSize, 0u);
}

// The steps on a record filled by hand: flipRows exchanges whole rows, swapRedBlue stays inside
// a buffer of pixels too small to swap.
TEST(TgaSteps, FlipRowsExchangesRowsOnly) {
    TgaImage image;
    image.width = 2;
    image.height = 4;
    image.bitsPerPixel = 8;
    image.imageSize = 8;
    image.pixels.reset(new std::uint8_t[8]{1, 2, 3, 4, 5, 6, 7, 8});
    flipRows(image);
    EXPECT_EQ(pixelsOf(image), (Bytes{7, 8, 5, 6, 3, 4, 1, 2}));
}

TEST(TgaSteps, SwapRedBlueLeavesPixelsUnderThreeBytes) {
    TgaImage image;
    image.width = 1;
    image.height = 1;
    image.bitsPerPixel = 16;
    image.imageSize = 2;
    image.pixels.reset(new std::uint8_t[2]{1, 2});
    swapRedBlue(image);
    EXPECT_EQ(pixelsOf(image), (Bytes{1, 2}));
}

}  // namespace
