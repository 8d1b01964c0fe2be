// The font file's checks on a byte buffer, without an OpenGL context.
#include "text/font_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "text/test/font_bytes.h"

namespace {

TEST(ParseFontFile, NonPowerOfTwoImageTruncatesCellsPerRowAndRoundsSteps) {
    const auto file = wellFormedFontFile({.imageWidth = 100, .imageHeight = 30, .cellWidth = 16, .cellHeight = 7});
    BitmapFont font{};
    FontImage image;
    ASSERT_TRUE(parseFontFile(file.data(), file.size(), font, image));
    EXPECT_EQ(font.cellsPerRow, 6);  // the 4-pixel strip at the right is never used
    EXPECT_EQ(font.uStep, static_cast<float>(16.0 / 100.0));
    EXPECT_EQ(font.vStep, static_cast<float>(7.0 / 30.0));
    EXPECT_EQ(image.width, 100);
    EXPECT_EQ(image.height, 30);
    EXPECT_EQ(0, std::memcmp(image.pixels.get(), file.data() + FontHeaderSize, 100 * 30));
}

TEST(ParseFontFile, LeavesCallerFieldsAlone) {
    const auto file = wellFormedFontFile({.imageWidth = 16, .imageHeight = 16, .cellWidth = 4, .cellHeight = 4});
    BitmapFont font{};
    font.cursorX = 11;
    font.cursorY = -3;
    font.texture = 77;
    font.red = 0.25f;
    font.green = 0.5f;
    font.blue = 0.75f;
    FontImage image;
    ASSERT_TRUE(parseFontFile(file.data(), file.size(), font, image));
    EXPECT_EQ(font.cursorX, 11);
    EXPECT_EQ(font.cursorY, -3);
    EXPECT_EQ(font.texture, 77u);
    EXPECT_EQ(font.red, 0.25f);
    EXPECT_EQ(font.green, 0.5f);
    EXPECT_EQ(font.blue, 0.75f);
}

TEST(ParseFontFile, RefusedFileLeavesNoImage) {
    auto file = wellFormedFontFile({.bitsPerPixel = 8});
    file.push_back(0);
    BitmapFont font{};
    FontImage image;
    EXPECT_FALSE(parseFontFile(file.data(), file.size(), font, image));
    EXPECT_EQ(image.pixels, nullptr);
}

}  // namespace
