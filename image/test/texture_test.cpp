// loadImageTexture on a real OpenGL context, with TGA files written to a scratch directory and
// loaded through a backslash path as the program names its resources.
#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image/image.h"
#include "testing/gl_context.h"
#include "testing/gl_readback.h"
#include "testing/resource_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// An 18-byte TGA header; a colour-mapped type declares a 256-entry, 24-bit map.
Bytes tgaHeader(std::uint8_t imageType, int width, int height, int bitsPerPixel, std::uint8_t descriptor) {
    const bool mapped = imageType == 1 || imageType == 9;
    return Bytes{0,
                 static_cast<std::uint8_t>(mapped ? 1 : 0),
                 imageType,
                 0,
                 0,
                 0,
                 static_cast<std::uint8_t>(mapped ? 1 : 0),  // 256 entries
                 static_cast<std::uint8_t>(mapped ? 24 : 0),
                 0,
                 0,
                 0,
                 0,
                 static_cast<std::uint8_t>(width),
                 static_cast<std::uint8_t>(width >> 8),
                 static_cast<std::uint8_t>(height),
                 static_cast<std::uint8_t>(height >> 8),
                 static_cast<std::uint8_t>(bitsPerPixel),
                 descriptor};
}

Bytes concat(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// Distinct bytes for every position, so that a swapped, shifted or misaligned byte shows.
Bytes patternBytes(std::size_t count, std::uint8_t seed) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 11);
    return bytes;
}

// What the texture must hold: the stored rows in top-first order with each pixel's first and
// third byte exchanged (blue, green, red (alpha) -> red, green, blue (alpha)).
Bytes expectedTexels(const Bytes& stored, int width, int height, int pixelSize, bool bottomUp) {
    Bytes texels;
    const auto rowBytes = static_cast<std::size_t>(width * pixelSize);
    for (int row = 0; row < height; ++row) {
        const int storedRow = bottomUp ? height - 1 - row : row;
        const auto start = stored.begin() + static_cast<std::ptrdiff_t>(storedRow * rowBytes);
        Bytes line(start, start + static_cast<std::ptrdiff_t>(rowBytes));
        for (std::size_t p = 0; p < line.size(); p += static_cast<std::size_t>(pixelSize)) {
            std::swap(line[p], line[p + 2]);
        }
        texels.insert(texels.end(), line.begin(), line.end());
    }
    return texels;
}

class LoadImageTexture : public GlTest {
protected:
    ScratchWorkingDirectory directory;

    std::int32_t load(const Bytes& file) {
        directory.write("res/im", file);
        return loadImageTexture("res\\im");
    }
};

struct ImageCase {
    const char* name;
    std::uint8_t imageType;
    int width;
    int height;
    int bitsPerPixel;
    std::uint8_t descriptor;
};

void PrintTo(const ImageCase& image, std::ostream* out) { *out << image.name; }

class LoadImageTextureFormats : public LoadImageTexture, public ::testing::WithParamInterface<ImageCase> {};

// Run-length files are stored as one raw packet per row followed by nothing else, so the
// decoded pixels equal the stored ones and the expectation stays simple.
Bytes pixelData(const ImageCase& image, const Bytes& stored) {
    if (image.imageType != 10) return stored;
    Bytes packets;
    const auto rowBytes = static_cast<std::size_t>(image.width * image.bitsPerPixel / 8);
    for (int row = 0; row < image.height; ++row) {
        packets.push_back(static_cast<std::uint8_t>(image.width - 1));
        const auto start = stored.begin() + static_cast<std::ptrdiff_t>(row * rowBytes);
        packets.insert(packets.end(), start, start + static_cast<std::ptrdiff_t>(rowBytes));
    }
    return packets;
}

TEST_P(LoadImageTextureFormats, TopRowAtTZeroInRgbOrder) {
    const ImageCase image = GetParam();
    const int pixelSize = image.bitsPerPixel / 8;
    const Bytes stored = patternBytes(static_cast<std::size_t>(image.width * image.height * pixelSize), 7);
    const Bytes file = concat(tgaHeader(image.imageType, image.width, image.height, image.bitsPerPixel, image.descriptor),
                              pixelData(image, stored));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);

    const std::int32_t texture = load(file);

    ASSERT_GT(texture, 0);
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), texture);
    EXPECT_EQ(glInteger(GL_UNPACK_ALIGNMENT), 8);
    EXPECT_EQ(boundTextureLevelParameter(GL_TEXTURE_INTERNAL_FORMAT), pixelSize);
    EXPECT_EQ(boundTextureLevelParameter(GL_TEXTURE_WIDTH), image.width);
    EXPECT_EQ(boundTextureLevelParameter(GL_TEXTURE_HEIGHT), image.height);
    const GLenum format = pixelSize == 4 ? GL_RGBA : GL_RGB;
    const bool bottomUp = (image.descriptor & 0x20) == 0;
    EXPECT_EQ(boundTextureBytes(format, stored.size()),
              expectedTexels(stored, image.width, image.height, pixelSize, bottomUp));
    EXPECT_EQ(boundTextureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(boundTextureParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(boundTextureParameter(GL_TEXTURE_WRAP_S), GL_CLAMP);
    EXPECT_EQ(boundTextureParameter(GL_TEXTURE_WRAP_T), GL_CLAMP);
    GLint environment = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
    EXPECT_EQ(environment, GL_MODULATE);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(
    Images, LoadImageTextureFormats,
    ::testing::Values(ImageCase{"BottomUp24", 2, 4, 2, 24, 0x00},
                      // Rows of 15 bytes: at GL's default alignment each row would be read as 16.
                      ImageCase{"RowNotMultipleOf4", 2, 5, 3, 24, 0x20},
                      ImageCase{"TopDown32", 2, 2, 3, 32, 0x20},
                      // 8 alpha bits, bottom row first.
                      ImageCase{"RunLength32", 10, 4, 3, 32, 0x08}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoadImageTexture, NameIsFreshForEachImage) {
    const Bytes file = concat(tgaHeader(2, 1, 1, 24, 0x20), Bytes{1, 2, 3});
    const std::int32_t first = load(file);
    const std::int32_t second = load(file);
    EXPECT_GT(first, 0);
    EXPECT_GT(second, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), second);
}

// Files the reader refuses: no OpenGL call at all, so no name is taken.
struct RefusedCase {
    const char* name;
    Bytes file;
};

void PrintTo(const RefusedCase& refused, std::ostream* out) { *out << refused.name; }

class LoadImageTextureRefused : public LoadImageTexture, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(LoadImageTextureRefused, MakesNoOpenGlCall) {
    EXPECT_EQ(load(GetParam().file), -1);
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), 0);
    GLuint next = 0;
    glGenTextures(1, &next);
    EXPECT_EQ(next, 1u) << "a texture name was taken";
}

INSTANTIATE_TEST_SUITE_P(Files, LoadImageTextureRefused,
                         ::testing::Values(RefusedCase{"Empty", {}},
                                           RefusedCase{"TooShortForPixels", concat(tgaHeader(2, 2, 2, 24, 0x20), Bytes(11))},
                                           RefusedCase{"UnsupportedImageType", concat(tgaHeader(3, 1, 1, 8, 0x20), Bytes(1))}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoadImageTexture, MissingFileMakesNoOpenGlCall) {
    EXPECT_EQ(loadImageTexture("res\\missing"), -1);
    GLuint next = 0;
    glGenTextures(1, &next);
    EXPECT_EQ(next, 1u);
}

// Depths that the reader accepts and the texture refuses: the name taken for them is deleted.
struct DepthCase {
    const char* name;
    Bytes file;
};

void PrintTo(const DepthCase& depth, std::ostream* out) { *out << depth.name; }

class LoadImageTextureDepth : public LoadImageTexture, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(LoadImageTextureDepth, IsRefusedAndItsNameDeleted) {
    EXPECT_EQ(load(GetParam().file), -1);
    EXPECT_FALSE(glIsTexture(1)) << "the name bound for the refused image is still a texture";
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), 0);
}

Bytes colourMappedFile() {
    return concat(concat(tgaHeader(1, 2, 2, 8, 0x20), patternBytes(768, 1)), Bytes{0, 1, 2, 3});
}

INSTANTIATE_TEST_SUITE_P(Files, LoadImageTextureDepth,
                         ::testing::Values(DepthCase{"ColourMapped8", colourMappedFile()},
                                           DepthCase{"TrueColour16", concat(tgaHeader(2, 2, 1, 16, 0x20), Bytes(4, 9))}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
