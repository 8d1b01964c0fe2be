// loadBitmapFont on a real OpenGL context, reading res/fm from a scratch working directory.
#include <GL/gl.h>

#include <cstring>
#include <string>

#include "testing/gl_context.h"
#include "testing/gl_readback.h"
#include "testing/resource_dir.h"
#include "text/test/font_bytes.h"
#include "text/text.h"

namespace {

constexpr GLint ClampToEdge = 0x812F;

class LoadBitmapFont : public GlTest {
protected:
    ScratchWorkingDirectory directory;
    BitmapFont font{};
};

TEST_F(LoadBitmapFont, ExampleFileLoadsAsLuminanceTexture) {
    auto file = wellFormedFontFile({});
    ASSERT_EQ(file.size(), 65812u);
    for (int code = 0; code < 256; ++code) file[20 + static_cast<std::size_t>(code)] = static_cast<std::uint8_t>(code);
    directory.write("res/fm", file);
    font.cursorX = 5;
    font.cursorY = 6;
    font.red = 0.5f;

    ASSERT_TRUE(loadBitmapFont(font));

    EXPECT_EQ(font.cellWidth, 16);
    EXPECT_EQ(font.cellHeight, 16);
    EXPECT_EQ(font.cellsPerRow, 16);
    EXPECT_EQ(font.baseChar, 32);
    EXPECT_EQ(font.uStep, 0.0625f);
    EXPECT_EQ(font.vStep, 0.0625f);
    EXPECT_EQ(font.pixelFormat, FontLuminance);
    EXPECT_EQ(font.charWidths[255], -1);  // 0xFF is an advance of -1, not 255
    EXPECT_EQ(font.charWidths[128], -128);
    EXPECT_EQ(0, std::memcmp(font.charWidths, file.data() + 20, 256));
    EXPECT_EQ(font.cursorX, 5);
    EXPECT_EQ(font.cursorY, 6);
    EXPECT_EQ(font.red, 0.5f);

    EXPECT_NE(font.texture, 0u);
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), static_cast<GLint>(font.texture));
    EXPECT_EQ(boundTextureLevelParameter(GL_TEXTURE_INTERNAL_FORMAT), GL_LUMINANCE);
    EXPECT_EQ(boundTextureLevelParameter(GL_TEXTURE_WIDTH), 256);
    EXPECT_EQ(boundTextureLevelParameter(GL_TEXTURE_HEIGHT), 256);
    EXPECT_EQ(boundTextureParameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    EXPECT_EQ(boundTextureParameter(GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_EQ(boundTextureParameter(GL_TEXTURE_WRAP_S), ClampToEdge);
    EXPECT_EQ(boundTextureParameter(GL_TEXTURE_WRAP_T), ClampToEdge);
    const std::vector<std::uint8_t> pixels(file.begin() + 276, file.end());
    EXPECT_EQ(boundTextureBytes(GL_LUMINANCE, pixels.size()), pixels);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Each depth, with rows whose length is not a multiple of 4 bytes, uploads the file's bytes
// exactly, and the unpack alignment that was set before is set again afterwards.
struct DepthCase {
    std::int8_t bitsPerPixel;
    FontPixelFormat pixelFormat;
    GLenum glFormat;
    std::size_t bytesPerPixel;
};

void PrintTo(const DepthCase& depth, std::ostream* out) { *out << int{depth.bitsPerPixel} << " bits"; }

class LoadBitmapFontDepth : public LoadBitmapFont, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(LoadBitmapFontDepth, UploadsRowsExactly) {
    const DepthCase depth = GetParam();
    const auto file = wellFormedFontFile(
        {.imageWidth = 5, .imageHeight = 3, .cellWidth = 2, .cellHeight = 3, .bitsPerPixel = depth.bitsPerPixel});
    ASSERT_EQ(file.size(), 276 + 15 * depth.bytesPerPixel);
    directory.write("res/fm", file);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);

    ASSERT_TRUE(loadBitmapFont(font));

    EXPECT_EQ(font.pixelFormat, depth.pixelFormat);
    EXPECT_EQ(font.cellsPerRow, 2);
    EXPECT_EQ(boundTextureLevelParameter(GL_TEXTURE_INTERNAL_FORMAT), static_cast<GLint>(depth.glFormat));
    const std::vector<std::uint8_t> pixels(file.begin() + 276, file.end());
    EXPECT_EQ(boundTextureBytes(depth.glFormat, pixels.size()), pixels);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
}

INSTANTIATE_TEST_SUITE_P(Depths, LoadBitmapFontDepth,
                         ::testing::Values(DepthCase{8, FontLuminance, GL_LUMINANCE, 1},
                                           DepthCase{24, FontRgb, GL_RGB, 3},
                                           DepthCase{32, FontRgba, GL_RGBA, 4}),
                         [](const auto& info) { return std::to_string(info.param.bitsPerPixel) + "Bits"; });

TEST_F(LoadBitmapFont, MissingFileFails) {
    EXPECT_FALSE(loadBitmapFont(font));
    GLuint next = 0;
    glGenTextures(1, &next);
    EXPECT_EQ(next, 1u);
}

// Files that must be refused. Each is refused before any OpenGL call, so no texture name has
// been taken and nothing is bound.
struct MalformedCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
};

std::vector<std::uint8_t> withByte(std::vector<std::uint8_t> bytes, std::size_t at, std::uint8_t value) {
    bytes[at] = value;
    return bytes;
}

std::vector<std::uint8_t> resized(std::vector<std::uint8_t> bytes, std::size_t size) {
    bytes.resize(size, 0);
    return bytes;
}

std::vector<MalformedCase> malformedCases() {
    const auto example = wellFormedFontFile({});
    return {
        {"Empty", {}},
        {"ShorterThanHeader", resized(example, 275)},
        {"FirstMagicByteWrong", withByte(example, 0, 0xBE)},
        {"SecondMagicByteWrong", withByte(example, 1, 0xF3)},
        {"MagicSwapped", withByte(withByte(example, 0, 0xF2), 1, 0xBF)},
        {"OneByteMore", resized(example, example.size() + 1)},
        {"OneByteLess", resized(example, example.size() - 1)},
        {"SixteenBitsMeetingSizeRule", fontFile({.imageWidth = 16, .imageHeight = 16, .cellWidth = 4,
                                                 .cellHeight = 4, .bitsPerPixel = 16}, 512)},
        {"DepthBelowEightMeetingSizeRule", fontFile({.bitsPerPixel = 7}, 0)},
        {"NegativeDepth", fontFile({.imageWidth = 16, .imageHeight = 16, .bitsPerPixel = -8}, 256)},
        {"ZeroImageWidth", fontFile({.imageWidth = 0}, 0)},
        {"ZeroImageHeight", fontFile({.imageHeight = 0}, 0)},
        {"NegativeImageSizes", fontFile({.imageWidth = -16, .imageHeight = -16, .cellWidth = 4,
                                         .cellHeight = 4}, 256)},
        {"NegativeWidthAndDepth", fontFile({.imageWidth = -16, .imageHeight = 16, .cellWidth = 4,
                                            .cellHeight = 4, .bitsPerPixel = -8}, 256)},
        {"ZeroCellWidth", wellFormedFontFile({.cellWidth = 0})},
        {"ZeroCellHeight", wellFormedFontFile({.cellHeight = 0})},
        {"NegativeCellWidth", wellFormedFontFile({.cellWidth = -16})},
        {"NegativeCellHeight", wellFormedFontFile({.cellHeight = -16})},
        {"CellWiderThanImage", wellFormedFontFile({.imageWidth = 16, .imageHeight = 16, .cellWidth = 17})},
        // 65536 x 65536 x 1 is 2^32, which 32-bit arithmetic wraps to 0: a bare header.
        {"SizeProductWrapsToZero", fontFile({.imageWidth = 65536, .imageHeight = 65536}, 0)},
        // 3 x 65536 x 21846 is 2^32 + 131072, which 32-bit arithmetic wraps to 131072.
        {"SizeProductWrapsToFileLength", fontFile({.imageWidth = 65536, .imageHeight = 21846,
                                                   .bitsPerPixel = 24}, 131072)},
        {"SizeProductPast64Bits", fontFile({.imageWidth = 0x7FFFFFFF, .imageHeight = 0x7FFFFFFF,
                                            .bitsPerPixel = 32}, 0)},
    };
}

void PrintTo(const MalformedCase& file, std::ostream* out) { *out << file.name; }

class LoadMalformedFont : public LoadBitmapFont, public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(LoadMalformedFont, IsRefusedWithoutOpenGlCalls) {
    directory.write("res/fm", GetParam().bytes);
    EXPECT_FALSE(loadBitmapFont(font));
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), 0);
    GLuint next = 0;
    glGenTextures(1, &next);
    EXPECT_EQ(next, 1u) << "a texture name was taken before the refusal";
}

INSTANTIATE_TEST_SUITE_P(Files, LoadMalformedFont, ::testing::ValuesIn(malformedCases()),
                         [](const ::testing::TestParamInfo<MalformedCase>& info) { return info.param.name; });

}  // namespace
