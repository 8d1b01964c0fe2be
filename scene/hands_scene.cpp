// The render thread's body: scene start-up and the frame loop.
#include <GL/gl.h>
#include <GL/glu.h>

#include "image/image.h"
#include "platform/win32.h"
#include "scene/scene.h"

namespace {

constexpr std::int32_t SplashMilliseconds = 6000;
constexpr GLsizei ViewWidth = 800;   // the window's outer size, whatever its client area
constexpr GLsizei ViewHeight = 600;

// Shows the error box for a resource that failed to load and stops the program.
void resourceFailed(const char* message) {
    MessageBoxA(nullptr, message, "Error", MB_OK | MB_ICONERROR);
    RunFlag.store(0, std::memory_order_relaxed);
}

// Loads the two textures and the font, each only once the ones before it have loaded.
bool loadResources(SceneState& scene) {
    scene.handTexture = loadImageTexture("res\\hd");
    if (scene.handTexture == -1) {
        resourceFailed("Could not find resource file 'res\\hd'!");
        return false;
    }
    scene.titleTexture = loadImageTexture("res\\tl");
    if (scene.titleTexture == -1) {
        resourceFailed("Could not find resource file 'res\\tl'!");
        return false;
    }
    if (!loadBitmapFont(scene.font)) {
        resourceFailed("Could not find resource file 'res\\fm'!");
        return false;
    }
    return true;
}

void setUpProjection() {
    glViewport(0, 0, ViewWidth, ViewHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45, 4.0f / 3.0f, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
}

bool running() { return RunFlag.load(std::memory_order_relaxed) != 0; }

// Clock arithmetic wraps like the int32 clock itself, instead of overflowing, after 24.8 days.
std::int32_t clockAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
std::int32_t clockSub(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

}  // namespace

void runHandsScene() {
    SceneState scene{};
    initSceneState(scene);

    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);

    if (!loadResources(scene)) return;
    scene.textWrapX = static_cast<float>(-(helpLineWidth(scene.font) + 10));
    setUpProjection();

    scene.frameClock = processMilliseconds();
    scene.splashEndTime = clockAdd(scene.frameClock, SplashMilliseconds);
    scene.splashVisible = true;
    if (!running()) return;  // the window was closed during start-up

    // No frame pacing: the next frame starts as soon as the swap returns.
    do {
        const std::int32_t now = processMilliseconds();
        const float elapsed = static_cast<float>(clockSub(now, scene.frameClock));
        scene.frameClock = now;
        if (KeyTable[VK_ESCAPE].load(std::memory_order_relaxed) != 0) RunFlag.store(0, std::memory_order_relaxed);
        updateControls(scene, KeyTable, elapsed);
        drawScene(scene);
        SwapBuffers(WindowDC);
    } while (running());
}
