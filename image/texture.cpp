#include <GL/gl.h>

#include "image/image.h"

namespace {

// Internal formats as OpenGL 1.1 counts components, paired with the matching pixel format.
struct UploadFormat {
    GLint components;
    GLenum format;
};

bool uploadFormatOf(std::int16_t bitsPerPixel, UploadFormat& upload) {
    switch (bitsPerPixel) {
        case 24: upload = {3, GL_RGB}; return true;
        case 32: upload = {4, GL_RGBA}; return true;
        default: return false;
    }
}

// The reader's rows have no padding; at the default unpack alignment of 4, GL would read past
// the pixels of a 24-bit image whose width is not a multiple of 4.
void uploadImage(const TgaImage& image, const UploadFormat& upload) {
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, upload.components, image.width, image.height, 0, upload.format, GL_UNSIGNED_BYTE,
                 image.pixels.get());
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
}

}  // namespace

std::int32_t loadImageTexture(const char* path) {
    // The record frees its buffers when it goes out of scope, on every way out.
    TgaImage image;
    if (image.load(path) != TgaOk) return -1;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    UploadFormat upload{};
    if (!uploadFormatOf(image.bitsPerPixel, upload)) {
        // The caller gives up after -1, so the name would never be used.
        glDeleteTextures(1, &texture);
        return -1;
    }
    uploadImage(image, upload);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    return static_cast<std::int32_t>(texture);
}
