#include "testing/gl_readback.h"

GLint glInteger(GLenum what) {
    GLint value = 0;
    glGetIntegerv(what, &value);
    return value;
}

GLint boundTextureParameter(GLenum what) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, what, &value);
    return value;
}

GLint boundTextureLevelParameter(GLenum what) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, what, &value);
    return value;
}

std::vector<std::uint8_t> boundTextureBytes(GLenum format, std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    GLint previous = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &previous);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, bytes.data());
    glPixelStorei(GL_PACK_ALIGNMENT, previous);
    return bytes;
}
