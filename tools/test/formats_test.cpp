// The generator's writers, with the files read back by the program's own readers where the
// program reads that format (TGA, the font file) and by a small decoder here for the icon.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "image/image.h"
#include "text/font_file.h"
#include "tools/resgen/formats.h"

namespace {

Image8 patterned(int width, int height, std::uint8_t (*pixel)(int x, int y, int channel))
{
    Image8 img;
    img.width = width;
    img.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int k = 0; k < 4; ++k) img.rgba.push_back(pixel(x, y, k));
        }
    }
    return img;
}

struct TgaCase {
    const char* name;
    int width;
    int height;
    std::uint8_t (*pixel)(int x, int y, int channel);
};

// Runs longer than one packet, raw stretches longer than one packet, runs of exactly two, single
// pixels between runs, rows that differ so that a wrong row order shows.
const TgaCase TgaCases[] = {
    {"OnePixel", 1, 1, [](int, int, int k) { return static_cast<std::uint8_t>(10 + k); }},
    {"RunLongerThanAPacket", 300, 2, [](int, int y, int k) { return static_cast<std::uint8_t>(y * 100 + k); }},
    {"RawLongerThanAPacket", 300, 2,
     [](int x, int y, int k) { return static_cast<std::uint8_t>((x * 7 + y * 13 + k * 31) & 0xFF); }},
    {"PairsAndSingles", 13, 3,
     [](int x, int y, int k) { return static_cast<std::uint8_t>((x / 2 + (x % 5 == 0 ? 50 : 0) + y * 3 + k) & 0xFF); }},
    {"AlphaOnlyDiffers", 5, 4, [](int x, int y, int k) { return static_cast<std::uint8_t>(k == 3 ? x * 60 + y : 200); }},
};

class TgaRoundTrip : public ::testing::TestWithParam<TgaCase> {};

TEST_P(TgaRoundTrip, ProgramReaderGetsThePixelsBack)
{
    const TgaCase& c = GetParam();
    const Image8 img = patterned(c.width, c.height, c.pixel);
    const Bytes file = encodeTgaRle(img);
    const std::string path = (std::filesystem::temp_directory_path() / ("resgen_" + std::string(c.name) + ".tga")).string();
    ASSERT_TRUE(writeFile(path, file));

    TgaImage read;
    ASSERT_EQ(read.load(path.c_str()), TgaOk);
    std::filesystem::remove(path);
    EXPECT_EQ(read.imageType, 10);
    EXPECT_EQ(read.bitsPerPixel, 32);
    ASSERT_EQ(read.width, c.width);
    ASSERT_EQ(read.height, c.height);
    ASSERT_EQ(read.imageSize, img.rgba.size());
    EXPECT_EQ(std::memcmp(read.pixels.get(), img.rgba.data(), img.rgba.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(Images, TgaRoundTrip, ::testing::ValuesIn(TgaCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TgaWriter, PacketsStopAtEachRowEnd)
{
    // Two rows of one colour: a single 8-pixel run would be legal for the reader but not for
    // other TGA readers; each row gets its own packet.
    const Image8 img = patterned(4, 2, [](int, int, int) { return std::uint8_t{9}; });
    const Bytes file = encodeTgaRle(img);
    ASSERT_EQ(file.size(), 18u + 2 * 5);
    EXPECT_EQ(file[18], 0x83);
    EXPECT_EQ(file[23], 0x83);
}

TEST(FontWriter, ProgramFontCheckReadsTheSheet)
{
    FontSheet sheet;
    sheet.imageWidth = 8;
    sheet.imageHeight = 4;
    sheet.cellWidth = 4;
    sheet.cellHeight = 4;
    sheet.baseChar = 32;
    sheet.widths[32] = 3;
    sheet.widths[33] = -2;
    for (int i = 0; i < 8 * 4 * 4; ++i) sheet.rgba.push_back(static_cast<std::uint8_t>(i * 3));
    const Bytes file = encodeBitmapFont(sheet);

    BitmapFont font{};
    FontImage image;
    ASSERT_TRUE(parseFontFile(file.data(), file.size(), font, image));
    EXPECT_EQ(font.pixelFormat, FontRgba);
    EXPECT_EQ(font.cellWidth, 4);
    EXPECT_EQ(font.cellHeight, 4);
    EXPECT_EQ(font.cellsPerRow, 2);
    EXPECT_EQ(font.baseChar, 32);
    EXPECT_EQ(font.charWidths[32], 3);
    EXPECT_EQ(font.charWidths[33], -2);
    EXPECT_EQ(font.charWidths[34], 0);
    ASSERT_EQ(image.width, 8);
    ASSERT_EQ(image.height, 4);
    EXPECT_EQ(std::memcmp(image.pixels.get(), sheet.rgba.data(), sheet.rgba.size()), 0);
}

std::uint32_t le(const Bytes& b, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

// Decodes image i of an .ico written by encodeIco, checking the structure on the way.
IndexedImage decodeIcoImage(const Bytes& ico, int i)
{
    IndexedImage out;
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    out.size = ico[entry] == 0 ? 256 : ico[entry];
    EXPECT_EQ(le(ico, entry + 6, 2), 8u) << "bit count";
    const std::size_t length = le(ico, entry + 8, 4);
    const std::size_t dib = le(ico, entry + 12, 4);
    EXPECT_LE(dib + length, ico.size());
    EXPECT_EQ(le(ico, dib, 4), 40u);
    EXPECT_EQ(le(ico, dib + 4, 4), static_cast<std::uint32_t>(out.size));
    EXPECT_EQ(le(ico, dib + 8, 4), static_cast<std::uint32_t>(2 * out.size));
    EXPECT_EQ(le(ico, dib + 14, 2), 8u);
    for (int c = 0; c < 256; ++c) {
        for (int k = 0; k < 3; ++k) out.palette[c][k] = ico[dib + 40 + c * 4 + (2 - k)];
    }
    const std::size_t xorRow = (static_cast<std::size_t>(out.size) + 3) / 4 * 4;
    const std::size_t andRow = (static_cast<std::size_t>(out.size) + 31) / 32 * 4;
    EXPECT_EQ(length, 40 + 1024 + (xorRow + andRow) * out.size);
    const std::size_t pixels = dib + 40 + 1024;
    out.indices.resize(static_cast<std::size_t>(out.size) * out.size);
    for (int y = 0; y < out.size; ++y) {  // stored bottom row first
        std::memcpy(&out.indices[static_cast<std::size_t>(y) * out.size], &ico[pixels + (out.size - 1 - y) * xorRow],
                    out.size);
    }
    return out;
}

IndexedImage numbered(int size)
{
    IndexedImage img;
    img.size = size;
    for (int c = 0; c < 256; ++c) {
        img.palette[c][0] = static_cast<std::uint8_t>(c);
        img.palette[c][1] = static_cast<std::uint8_t>(255 - c);
        img.palette[c][2] = static_cast<std::uint8_t>(c / 2);
    }
    for (int i = 0; i < size * size; ++i) img.indices.push_back(static_cast<std::uint8_t>(i * 5 + i / size));
    return img;
}

TEST(IcoWriter, ImagesOfPaddedAndUnpaddedRowsDecode)
{
    const std::vector<IndexedImage> images = {numbered(32), numbered(3), numbered(16)};
    const Bytes ico = encodeIco(images);
    ASSERT_EQ(le(ico, 0, 2), 0u);
    ASSERT_EQ(le(ico, 2, 2), 1u);
    ASSERT_EQ(le(ico, 4, 2), 3u);
    for (int i = 0; i < 3; ++i) {
        const IndexedImage back = decodeIcoImage(ico, i);
        EXPECT_EQ(back.size, images[i].size);
        EXPECT_EQ(back.indices, images[i].indices) << "image " << i;
        EXPECT_EQ(std::memcmp(back.palette, images[i].palette, sizeof back.palette), 0) << "image " << i;
    }
}

namespace committed {
#include "platform/sdl/icon129.inc"
}

Bytes readFile(const char* path)
{
    Bytes bytes;
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return bytes;
    for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<std::uint8_t>(c));
    std::fclose(f);
    return bytes;
}

// Counts pixels of the quadrant that are mostly red or mostly yellow.
int countColour(const Image8& img, bool upperLeft, bool yellow)
{
    int n = 0;
    const int half = img.width / 2;
    for (int y = 0; y < half; ++y) {
        for (int x = 0; x < half; ++x) {
            const int px = upperLeft ? x : x + half;
            const int py = upperLeft ? y : y + half;
            const std::uint8_t* p = &img.rgba[(static_cast<std::size_t>(py) * img.width + px) * 4];
            const bool isRed = p[0] > 150 && p[1] < 80 && p[2] < 80;
            const bool isYellow = p[0] > 200 && p[1] > 150 && p[2] < 80;
            n += yellow ? isYellow : isRed;
        }
    }
    return n;
}

// The window's icon pixels must be the .ico's images with their palettes applied, and both must
// show the red hand at the upper left and the yellow one at the lower right on white.
TEST(CommittedIcon, WindowPixelsMatchTheIcoAndShowTheTwoHands)
{
    const Bytes ico = readFile("app/velmory.ico");
    ASSERT_GE(ico.size(), 6u);
    ASSERT_EQ(le(ico, 4, 2), 2u);
    const struct {
        int size;
        const unsigned char* rgba;
    } expected[] = {{committed::Icon129Size, committed::Icon129Rgba}, {committed::Icon16Size, committed::Icon16Rgba}};
    for (int i = 0; i < 2; ++i) {
        const Image8 img = expandIndexed(decodeIcoImage(ico, i));
        ASSERT_EQ(img.width, expected[i].size);
        EXPECT_EQ(std::memcmp(img.rgba.data(), expected[i].rgba, img.rgba.size()), 0) << "size " << img.width;
        EXPECT_GT(countColour(img, true, false), 4 * countColour(img, false, false)) << "red, size " << img.width;
        EXPECT_GT(countColour(img, false, true), 4 * countColour(img, true, true)) << "yellow, size " << img.width;
        const std::uint8_t* corner = &img.rgba[(static_cast<std::size_t>(img.width) - 1) * 4];  // top right
        EXPECT_EQ(corner[0] + corner[1] + corner[2], 3 * 255) << "white ground, size " << img.width;
    }
    EXPECT_EQ(committed::Icon129Size, 32);
    EXPECT_EQ(committed::Icon16Size, 16);
}

}  // namespace
