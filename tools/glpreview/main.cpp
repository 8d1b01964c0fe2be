// velmory_glpreview DOCS_DIR: draws frames of the hands scene with the committed resources on the
// headless OpenGL context, through the program's own loaders and drawing, and writes them as PNG
// previews. Runs from the repository root, where res/ lies.
#include <GL/gl.h>
#include <GL/glu.h>
#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "image/image.h"
#include "scene/scene.h"
#include "testing/gl_context.h"
#include "text/text.h"

namespace {

constexpr int Width = 800;
constexpr int Height = 600;

// The frame buffer's rectangle (x, y from the top left) as a PNG.
bool writeRegion(const std::vector<std::uint8_t>& frame, int x, int y, int w, int h, const std::string& path)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int j = 0; j < h; ++j) {
        const std::uint8_t* row = &frame[static_cast<std::size_t>(Height - 1 - (y + j)) * Width * 4];  // bottom row first
        for (int i = 0; i < w; ++i) {
            const std::uint8_t* p = row + (x + i) * 4;
            const std::uint32_t word = 0xFF000000u | p[0] << 16 | p[1] << 8 | p[2];
            std::memcpy(data + j * stride + i * 4, &word, 4);
        }
    }
    cairo_surface_mark_dirty(s);
    const bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

// The start-up's OpenGL settings, as the scene makes them before its first frame.
void setUpView()
{
    glClearColor(1, 1, 1, 1);
    glViewport(0, 0, Width, Height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45, 4.0f / 3.0f, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
}

bool loadResources(SceneState& scene)
{
    scene.handTexture = loadImageTexture("res\\hd");
    scene.titleTexture = loadImageTexture("res\\tl");
    return scene.handTexture != -1 && scene.titleTexture != -1 && loadBitmapFont(scene.font);
}

std::vector<std::uint8_t> drawFrame(SceneState& scene, bool title)
{
    scene.splashVisible = title;
    scene.frameClock = 0;
    scene.splashEndTime = 6000;
    drawScene(scene);
    glFinish();
    return readFramebuffer(Width, Height);
}

bool writePreviews(const std::string& dir)
{
    SceneState scene{};
    initSceneState(scene);
    setUpView();
    if (!loadResources(scene)) return false;
    scene.waving = false;
    scene.textX = 10;
    const std::vector<std::uint8_t> withTitle = drawFrame(scene, true);
    const std::vector<std::uint8_t> plain = drawFrame(scene, false);
    scene.waving = true;
    scene.waveAngle = 20;
    scene.rightY = 120;
    scene.leftY = -120;
    scene.handSize = 90;
    const std::vector<std::uint8_t> rolled = drawFrame(scene, false);
    return writeRegion(withTitle, 0, 0, Width, Height, dir + "/frame-title.png") &&
           writeRegion(plain, 0, 0, Width, Height, dir + "/frame.png") &&
           writeRegion(rolled, 0, 0, Width, Height, dir + "/frame-rolled.png") &&
           writeRegion(plain, 150, 270, 500, 140, dir + "/hand-scene.png") &&
           writeRegion(plain, 0, Height - 24, Width, 24, dir + "/help-line-scene.png");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmory_glpreview DOCS_DIR\n");
        return 2;
    }
    if (!makeTestGlContext(Width, Height)) return 1;
    const bool ok = writePreviews(argv[1]);
    destroyTestGlContext();
    if (!ok) std::fprintf(stderr, "velmory_glpreview: cannot load res/ or write the previews\n");
    return ok ? 0 : 1;
}
