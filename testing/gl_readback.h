// Small read-backs of OpenGL state and texture contents for tests.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// glGetIntegerv of one value.
GLint glInteger(GLenum what);
// glGetTexParameteriv / glGetTexLevelParameteriv (level 0) of the texture bound to GL_TEXTURE_2D.
GLint boundTextureParameter(GLenum what);
GLint boundTextureLevelParameter(GLenum what);
// Level 0 of the texture bound to GL_TEXTURE_2D in the given format, rows without padding.
std::vector<std::uint8_t> boundTextureBytes(GLenum format, std::size_t size);
