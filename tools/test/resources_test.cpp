// The committed resource files as the program reads them: the TGA reader and the font loader
// accept them, and the pictures have the properties the scene relies on. Runs from the
// repository root, where res/ lies.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "image/image.h"
#include "testing/gl_context.h"
#include "text/font_file.h"
#include "text/text.h"

namespace {

bool powerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

std::uint8_t alphaAt(const TgaImage& img, int x, int y)
{
    return img.pixels[(static_cast<std::size_t>(y) * img.width + x) * 4 + 3];
}

struct ImageCase {
    const char* path;
    int size;
};

class CommittedImage : public ::testing::TestWithParam<ImageCase> {};

// Square, power-of-two, 32-bit run-length-encoded; transparent corners, opaque middle, and
// partly transparent pixels along the edges (anti-aliasing).
TEST_P(CommittedImage, LoadsAsAlphaEdgedSquare)
{
    TgaImage img;
    ASSERT_EQ(img.load(GetParam().path), TgaOk);
    EXPECT_EQ(img.imageType, 10);
    ASSERT_EQ(img.bitsPerPixel, 32);
    ASSERT_EQ(img.width, GetParam().size);
    ASSERT_EQ(img.height, GetParam().size);
    EXPECT_TRUE(powerOfTwo(img.width));
    const int last = img.width - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
        EXPECT_EQ(alphaAt(img, x, y), 0) << x << ", " << y;
    }
    EXPECT_EQ(alphaAt(img, img.width / 2, img.height / 2), 255);
    int partial = 0;
    for (std::uint32_t i = 3; i < img.imageSize; i += 4) partial += img.pixels[i] > 0 && img.pixels[i] < 255;
    EXPECT_GT(partial, img.width * 2);
}

INSTANTIATE_TEST_SUITE_P(Res, CommittedImage, ::testing::Values(ImageCase{"res\\hd", 256}, ImageCase{"res\\tl", 512}),
                         [](const auto& info) { return info.param.size == 256 ? "Hand" : "Title"; });

int alphaMass(const TgaImage& img, int x0, int x1)
{
    int sum = 0;
    for (int y = 0; y < img.height; ++y) {
        for (int x = x0; x < x1; ++x) sum += alphaAt(img, x, y);
    }
    return sum;
}

// The stored picture is the left hand with its thumb on the right, so the right quarter (thumb)
// holds far more of the hand than the left quarter (only the little finger's tip); and the hand
// fills most of its square.
TEST(CommittedHand, ThumbOnTheRightAndFillsTheSquare)
{
    TgaImage img;
    ASSERT_EQ(img.load("res\\hd"), TgaOk);
    const int quarter = img.width / 4;
    EXPECT_GT(alphaMass(img, img.width - quarter, img.width), 2 * alphaMass(img, 0, quarter));

    int top = img.height, bottom = 0, left = img.width, right = 0;
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x) {
            if (alphaAt(img, x, y) < 128) continue;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    EXPECT_GT(bottom - top, img.height * 85 / 100);
    EXPECT_GT(right - left, img.width * 70 / 100);
}

std::vector<std::uint8_t> readFile(const char* path)
{
    std::vector<std::uint8_t> bytes;
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return bytes;
    for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<std::uint8_t>(c));
    std::fclose(f);
    return bytes;
}

// Every character of the help line has a cell inside the image and a plausible advance, and
// the line is about as long as 13-pixel text should be.
TEST(CommittedFont, FileChecksPassAndCellsCoverPrintableAscii)
{
    const std::vector<std::uint8_t> file = readFile("res/fm");
    BitmapFont font{};
    FontImage image;
    ASSERT_TRUE(parseFontFile(file.data(), file.size(), font, image));
    EXPECT_EQ(font.pixelFormat, FontRgba);
    EXPECT_EQ(font.baseChar, 32);
    EXPECT_TRUE(powerOfTwo(image.width));
    EXPECT_TRUE(powerOfTwo(image.height));
    ASSERT_GT(font.cellWidth, 0);
    ASSERT_GT(font.cellHeight, 0);
    EXPECT_GE(font.cellsPerRow * (image.height / font.cellHeight), 126 - 32 + 1);
    for (int code = 32; code <= 126; ++code) {
        EXPECT_GT(font.charWidths[code], 0) << code;
        EXPECT_LE(font.charWidths[code], font.cellWidth) << code;
    }
    const std::int32_t width = helpLineWidth(font);
    EXPECT_GT(width, 192 * 5);
    EXPECT_LT(width, 192 * 9);
}

using CommittedFontDrawn = GlTest;

// The help line drawn by the program over the white background must come out as dark text:
// with the blending the loader's format selects, ink lands dark and the cells' empty parts
// leave the white alone.
TEST_F(CommittedFontDrawn, HelpLineIsDarkTextOnWhite)
{
    BitmapFont font{};
    font.red = font.green = font.blue = 1.0f;
    ASSERT_TRUE(loadBitmapFont(font));
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    drawHelpLine(font, 10);
    const std::vector<std::uint8_t> frame = readFramebuffer();

    int darkest = 255, ink = 0, offWhiteAbove = 0;
    for (int y = 0; y < 600; ++y) {  // bottom row first
        for (int x = 0; x < 800; ++x) {
            const std::uint8_t* p = &frame[(static_cast<std::size_t>(y) * 800 + x) * 4];
            const int level = std::max({p[0], p[1], p[2]});
            if (y >= 2 + font.cellHeight) {
                offWhiteAbove += level < 255;
                continue;
            }
            darkest = std::min(darkest, level);
            ink += level < 128;
        }
    }
    EXPECT_LT(darkest, 60);
    EXPECT_GT(ink, 800);  // some 100 visible characters, several dark pixels each
    EXPECT_EQ(offWhiteAbove, 0);
}

}  // namespace
