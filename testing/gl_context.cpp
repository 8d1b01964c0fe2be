#include "testing/gl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>

namespace {

EGLDisplay display = EGL_NO_DISPLAY;
EGLSurface surface = EGL_NO_SURFACE;
EGLContext context = EGL_NO_CONTEXT;

EGLDisplay openSurfacelessDisplay() {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

// The display is initialized once per process and never terminated: terminating it unloads
// Mesa's driver, and what the driver keeps until exit would then be reported by LeakSanitizer
// from an unknown module, which no suppression can name.
bool initializeDisplayOnce() {
    if (display != EGL_NO_DISPLAY) return true;
    display = openSurfacelessDisplay();
    EGLint major = 0;
    EGLint minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
        display = EGL_NO_DISPLAY;
        return false;
    }
    return true;
}

}  // namespace

bool makeTestGlContext(int width, int height) {
    if (!initializeDisplayOnce()) {
        std::fprintf(stderr, "gl test: no EGL surfaceless display\n");
        return false;
    }
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8,
                                       EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 16, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &configCount) || configCount < 1) {
        std::fprintf(stderr, "gl test: no EGL config\n");
        return false;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) return false;
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (surface == EGL_NO_SURFACE || context == EGL_NO_CONTEXT ||
        !eglMakeCurrent(display, surface, surface, context)) {
        std::fprintf(stderr, "gl test: no EGL context\n");
        return false;
    }
    return true;
}

void destroyTestGlContext() {
    if (display == EGL_NO_DISPLAY) return;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
    if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
    eglReleaseThread();
    surface = EGL_NO_SURFACE;
    context = EGL_NO_CONTEXT;
}

std::vector<std::uint8_t> readFramebuffer(int width, int height) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return pixels;
}

void GlTest::SetUp() { ASSERT_TRUE(makeTestGlContext()); }

void GlTest::TearDown() { destroyTestGlContext(); }
