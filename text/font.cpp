#include <GL/gl.h>

#include <cstdio>
#include <memory>
#include <new>

#include "common/resource_file.h"
#include "text/font_file.h"
#include "text/text.h"

namespace {

// Not defined by OpenGL 1.1 headers.
constexpr GLint ClampToEdge = 0x812F;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The whole file in one buffer: seek to the end for the length, back to the start, one read.
bool readWholeFile(const char* path, std::unique_ptr<std::uint8_t[]>& data, std::size_t& size) {
    std::unique_ptr<std::FILE, FileCloser> file(openResourceFile(path));
    if (!file) return false;
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return false;
    const long length = std::ftell(file.get());
    if (length < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return false;
    const auto byteCount = static_cast<std::size_t>(length);
    data.reset(new (std::nothrow) std::uint8_t[byteCount]);
    if (!data) return false;
    if (std::fread(data.get(), 1, byteCount, file.get()) != byteCount || std::ferror(file.get())) return false;
    size = byteCount;
    return true;
}

GLenum glFormatOf(FontPixelFormat format) {
    switch (format) {
        case FontLuminance: return GL_LUMINANCE;
        case FontRgb: return GL_RGB;
        case FontRgba: return GL_RGBA;
    }
    return GL_LUMINANCE;
}

void makeFontTexture(BitmapFont& font, const FontImage& image) {
    glGenTextures(1, &font.texture);
    glBindTexture(GL_TEXTURE_2D, font.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, ClampToEdge);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, ClampToEdge);
    // The file's rows have no padding; at the default alignment of 4, GL would read past the
    // copy whenever a row is not a multiple of 4 bytes.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLenum format = glFormatOf(font.pixelFormat);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image.width, image.height, 0, format,
                 GL_UNSIGNED_BYTE, image.pixels.get());
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
}

}  // namespace

bool loadBitmapFont(BitmapFont& font) {
    std::unique_ptr<std::uint8_t[]> file;
    std::size_t size = 0;
    if (!readWholeFile("res\\fm", file, size)) return false;
    FontImage image;
    if (!parseFontFile(file.get(), size, font, image)) return false;
    makeFontTexture(font, image);
    return true;
}
