// A real OpenGL context for tests: Mesa's software renderer through EGL on the surfaceless
// platform, with an 800 x 600 pbuffer as the default framebuffer. No display and no window.
#pragma once

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

// Makes a compatibility-profile context with an 800 x 600 RGB pbuffer (16-bit depth) current on
// the calling thread. False (with a message on standard error) when EGL cannot give one.
bool makeTestGlContext(int width = 800, int height = 600);
// Releases and destroys the context made by makeTestGlContext.
void destroyTestGlContext();

// The framebuffer read back with glReadPixels as RGBA bytes, bottom row first (GL's order).
std::vector<std::uint8_t> readFramebuffer(int width = 800, int height = 600);

// A test fixture whose every test runs with a fresh context current.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
