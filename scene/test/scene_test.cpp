// The hands scene on a real (software) OpenGL context, with the headless stand-ins for the error
// box, the buffer swap and the clock.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "image/image.h"
#include "platform/headless/headless.h"
#include "scene/scene.h"
#include "scene/test/scene_files.h"
#include "testing/gl_context.h"
#include "testing/resource_dir.h"


namespace {

using scenetest::Rgba;
using scenetest::solidFont;
using scenetest::solidTga;
using scenetest::writeSceneResources;

constexpr int Width = 800;
constexpr int Height = 600;
constexpr Rgba Red{255, 0, 0, 255};
constexpr Rgba Green{0, 255, 0, 255};
constexpr Rgba Clear{0, 0, 0, 0};

// Where a point of the scene lands in the 800 x 600 window: 45 degree field of view, aspect 4/3,
// eye at the origin looking down -z. Window y counts from the bottom.
struct WindowPoint {
    double x, y;
};
WindowPoint project(double x, double y, double z) {
    const double f = 1.0 / std::tan(22.5 * M_PI / 180.0);
    return {(f / (4.0 / 3.0) * x / -z + 1) / 2 * Width, (f * y / -z + 1) / 2 * Height};
}

struct Frame {
    std::vector<std::uint8_t> rgba = readFramebuffer(Width, Height);
    Rgba at(int x, int y) const {
        const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * Width + x) * 4];
        return {p[0], p[1], p[2], p[3]};
    }
    bool is(int x, int y, Rgba c, int tolerance = 8) const {
        const Rgba p = at(x, y);
        return std::abs(p.r - c.r) <= tolerance && std::abs(p.g - c.g) <= tolerance && std::abs(p.b - c.b) <= tolerance;
    }
    // The colour at a scene point on the hands' plane.
    Rgba atScene(double x, double y) const {
        const WindowPoint w = project(x, y, -600);
        return at(static_cast<int>(w.x), static_cast<int>(w.y));
    }
};

bool same(Rgba a, Rgba b) { return std::abs(a.r - b.r) <= 8 && std::abs(a.g - b.g) <= 8 && std::abs(a.b - b.b) <= 8; }
constexpr Rgba White{255, 255, 255, 255};
constexpr Rgba Blue{0, 0, 255, 255};

std::string describe(Rgba c) {
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

// --- Start-up and the frame loop -------------------------------------------------------------

using HandsSceneTest = scenetest::HeadlessSceneTest;

struct StartupFailure {
    const char* missing;
    const char* message;
    int texturesMade;
};

TEST_F(HandsSceneTest, AFailedLoadShowsItsOneMessageStopsAndDrawsNoFrame) {
    const StartupFailure cases[] = {
        {"hd", "Could not find resource file 'res\\hd'!", 0},
        {"tl", "Could not find resource file 'res\\tl'!", 1},
        {"fm", "Could not find resource file 'res\\fm'!", 2},
    };
    for (const StartupFailure& c : cases) {
        SCOPED_TRACE(c.missing);
        destroyTestGlContext();
        ASSERT_TRUE(makeTestGlContext());
        headlessReset();
        RunFlag.store(1);
        ScratchWorkingDirectory dir;
        if (std::string(c.missing) != "hd") dir.write("res/hd", solidTga(4, 4, Red));
        if (std::string(c.missing) != "tl") dir.write("res/tl", solidTga(4, 4, Clear));
        if (std::string(c.missing) != "fm") dir.write("res/fm", solidFont(8));

        runHandsScene();

        ASSERT_EQ(headlessBoxes().size(), 1u);
        EXPECT_EQ(headlessBoxes()[0].text, c.message);
        EXPECT_EQ(headlessBoxes()[0].caption, "Error");
        EXPECT_EQ(headlessBoxes()[0].type, MB_OK | MB_ICONERROR);
        EXPECT_EQ(headlessBoxes()[0].owner, nullptr);
        EXPECT_EQ(RunFlag.load(), 0);
        EXPECT_EQ(headlessSwapCount(), 0);
        // Only the loads before the failed one were tried: their textures exist, no others.
        for (GLuint name = 1; name <= 3; ++name) {
            EXPECT_EQ(glIsTexture(name) == GL_TRUE, static_cast<int>(name) <= c.texturesMade) << "texture " << name;
        }
        // The back buffer was cleared to white before the loads.
        EXPECT_TRUE(Frame{}.is(400, 300, White));
    }
}

TEST_F(HandsSceneTest, ARunFlagClearedDuringStartUpDrawsNoFrame) {
    ScratchWorkingDirectory dir;
    writeSceneResources(dir, Red, Clear);
    RunFlag.store(0);

    runHandsScene();

    EXPECT_EQ(headlessSwapCount(), 0);
    EXPECT_TRUE(headlessBoxes().empty());
}

TEST_F(HandsSceneTest, EscapeFinishesAndSwapsItsFrameThenReturns) {
    ScratchWorkingDirectory dir;
    writeSceneResources(dir, Red, Clear);
    headlessOnSwap(
        [](int swaps, void*) {
            if (swaps == 3) KeyTable[VK_ESCAPE].store(1);
            if (swaps > 10) RunFlag.store(0);  // a runaway loop still ends the test
        },
        nullptr);

    runHandsScene();

    EXPECT_EQ(headlessSwapCount(), 4);
    EXPECT_EQ(RunFlag.load(), 0);
    EXPECT_EQ(headlessLastSwapDC(), WindowDC);
}

TEST_F(HandsSceneTest, AWindowClosedDuringAFrameEndsTheLoopAfterThatFrame) {
    ScratchWorkingDirectory dir;
    writeSceneResources(dir, Red, Clear);
    headlessOnSwap([](int swaps, void*) { if (swaps == 2) windowDestroyed(); }, nullptr);

    runHandsScene();

    EXPECT_EQ(headlessSwapCount(), 2);
}

// The title goes in the frame after the first clock reading past its end time, not at it.
TEST_F(HandsSceneTest, TheTitleShowsForSixSecondsAndInTheFrameThatPassesThem) {
    ScratchWorkingDirectory dir;
    writeSceneResources(dir, Clear, Green);
    struct Script {
        std::vector<std::int32_t> clock = {6999, 7000, 7001, 7002};  // read in frames 2..5
        std::vector<bool> titleShown;
    } script;
    headlessSetClock(1000);  // the start-up reading: the title ends after 7000
    headlessOnSwap(
        [](int swaps, void* context) {
            auto& s = *static_cast<Script*>(context);
            s.titleShown.push_back(Frame{}.is(400, 300, Green));
            if (swaps <= static_cast<int>(s.clock.size())) {
                headlessSetClock(s.clock[static_cast<std::size_t>(swaps - 1)]);
            } else {
                RunFlag.store(0);
            }
        },
        &script);

    runHandsScene();

    // Frames read 1000, 6999, 7000, 7001 (past the end: still shown), 7002.
    EXPECT_EQ(script.titleShown, (std::vector<bool>{true, true, true, true, false}));
}

// --- One frame's drawing ---------------------------------------------------------------------
// Textures here are 64 x 64: GL_CLAMP blends the transparent border into the outer half texel,
// which keeps within a pixel of the quads' edges at this size.
// ---------------------------------------------------------------------

class DrawSceneTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        glClearColor(1, 1, 1, 1);
        glViewport(0, 0, Width, Height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45, 4.0 / 3.0, 1, 1000);
        glMatrixMode(GL_MODELVIEW);

        scene = SceneState{};
        initSceneState(scene);
        scene.waving = false;
        scene.splashVisible = false;
        scene.textX = 2000;  // the help line out of sight
        scene.font.cellWidth = 16;
        scene.font.cellHeight = 16;
        scene.font.cellsPerRow = 16;
        scene.font.baseChar = 32;
        scene.font.uStep = 0.0625f;
        scene.font.vStep = 0.125f;
        scene.font.pixelFormat = FontRgb;
    }

    // A texture made from a TGA file written to a temporary directory.
    std::int32_t texture(const std::vector<std::uint8_t>& tga) {
        ScratchWorkingDirectory dir;
        dir.write("res/t", tga);
        return loadImageTexture("res\\t");
    }

    SceneState scene{};
};

TEST_F(DrawSceneTest, HandSquaresLandWhereTheProjectionPutsThem) {
    scene.handTexture = texture(solidTga(64, 64, Red));
    drawScene(scene);
    const Frame frame;

    // Each square spans y from -83.33 to 16.67 (centre handSize / 1.5 below 0) and x 50..150.
    for (double side : {1.0, -1.0}) {
        SCOPED_TRACE(side > 0 ? "right hand" : "left hand");
        const WindowPoint topLeft = project(side * 100 - 50, 16.667, -600);
        const WindowPoint bottomRight = project(side * 100 + 50, -83.333, -600);
        const double left = std::fmin(topLeft.x, bottomRight.x), right = std::fmax(topLeft.x, bottomRight.x);
        const double cx = (left + right) / 2, cy = (topLeft.y + bottomRight.y) / 2;
        EXPECT_TRUE(frame.is(static_cast<int>(cx), static_cast<int>(topLeft.y - 1.5), Red)) << "just inside the top";
        EXPECT_TRUE(frame.is(static_cast<int>(cx), static_cast<int>(topLeft.y + 1.5), White)) << "just above";
        EXPECT_TRUE(frame.is(static_cast<int>(cx), static_cast<int>(bottomRight.y + 1.5), Red)) << "inside the bottom";
        EXPECT_TRUE(frame.is(static_cast<int>(cx), static_cast<int>(bottomRight.y - 1.5), White)) << "just below";
        EXPECT_TRUE(frame.is(static_cast<int>(left + 1.5), static_cast<int>(cy), Red)) << "inside the left edge";
        EXPECT_TRUE(frame.is(static_cast<int>(left - 1.5), static_cast<int>(cy), White)) << "left of it";
        EXPECT_TRUE(frame.is(static_cast<int>(right - 1.5), static_cast<int>(cy), Red)) << "inside the right edge";
        EXPECT_TRUE(frame.is(static_cast<int>(right + 1.5), static_cast<int>(cy), White)) << "right of it";
    }
}

// A texture red on its left half and blue on its right: the left hand shows it as stored, the
// right hand mirrored.
std::vector<std::uint8_t> redLeftBlueRight() {
    std::vector<std::uint8_t> file = solidTga(64, 64, Red);
    for (std::size_t i = 0; i < 64 * 64; ++i) {
        if (i % 64 < 32) continue;
        std::uint8_t* p = &file[18 + 4 * i];
        p[0] = 255;  // blue, stored first
        p[2] = 0;
    }
    return file;
}

TEST_F(DrawSceneTest, TheRightHandIsMirroredAndTheLeftIsNot) {
    scene.handTexture = texture(redLeftBlueRight());
    drawScene(scene);
    const Frame frame;
    struct Probe {
        double x;
        Rgba expected;
        const char* what;
    };
    const Probe probes[] = {
        {-140, Red, "left hand, its left side"},
        {-60, Blue, "left hand, its right side"},
        {60, Blue, "right hand, its left side"},
        {140, Red, "right hand, its right side"},
    };
    for (const Probe& p : probes) {
        EXPECT_TRUE(same(frame.atScene(p.x, -33), p.expected)) << p.what << ": " << describe(frame.atScene(p.x, -33));
    }
}

TEST_F(DrawSceneTest, WavingTurnsTheHandsInMirrorImageAndOnlyWhileSet) {
    scene.handTexture = texture(solidTga(64, 64, Red));
    scene.waveAngle = 20;
    // (+-125, 25) lies above the upright squares' top edge (16.67) but inside both turned ones:
    // the right hand turned counter-clockwise, the left clockwise.
    for (bool waving : {false, true}) {
        scene.waving = waving;
        drawScene(scene);
        const Frame frame;
        const Rgba expected = waving ? Red : White;
        EXPECT_TRUE(same(frame.atScene(125, 25), expected)) << "right hand, waving " << waving;
        EXPECT_TRUE(same(frame.atScene(-125, 25), expected)) << "left hand, waving " << waving;
        EXPECT_TRUE(same(frame.atScene(75, 25), White)) << "the right hand's other top corner dips, waving " << waving;
    }
}

TEST_F(DrawSceneTest, TravelLinesMarkTheTruncatedRange) {
    scene.handTexture = texture(solidTga(64, 64, Clear));
    scene.travelRange = 200.9f;
    scene.showTravelLines = true;
    drawScene(scene);
    const Frame frame;
    const int top = static_cast<int>(project(0, 200, -600).y);
    const int bottom = static_cast<int>(project(0, -200, -600).y);
    EXPECT_TRUE(frame.is(400, top, Red));
    EXPECT_TRUE(frame.is(400, bottom, Red));
    // Lines 3 pixels wide centred on rows 541.4 and 58.6; at 201 (rounded instead of truncated)
    // they would reach one row further out.
    EXPECT_TRUE(frame.is(400, top + 2, White)) << describe(frame.at(400, top + 2));
    EXPECT_TRUE(frame.is(400, bottom - 2, White)) << describe(frame.at(400, bottom - 2));
    EXPECT_TRUE(frame.is(400, 300, White));
    EXPECT_TRUE(frame.is(1, top, Red)) << "the lines run across the whole view";
    EXPECT_TRUE(frame.is(798, bottom, Red));
}

TEST_F(DrawSceneTest, TheTitleCoversTheLinesUprightInItsOwnColours) {
    scene.handTexture = texture(solidTga(64, 64, Clear));
    // A title that is green in its top half and blue in its bottom half.
    std::vector<std::uint8_t> title = solidTga(64, 64, Green);
    for (std::size_t i = 64 * 32; i < 64 * 64; ++i) {
        title[18 + 4 * i] = 255;
        title[18 + 4 * i + 1] = 0;
    }
    scene.titleTexture = texture(title);
    scene.splashVisible = true;
    scene.showTravelLines = true;
    scene.travelRange = 100;  // the lines run under the title
    drawScene(scene);
    const Frame frame;
    const WindowPoint upper = project(0, 150, -800);
    const WindowPoint lower = project(0, -150, -800);
    EXPECT_TRUE(frame.is(400, static_cast<int>(upper.y), Green)) << describe(frame.at(400, static_cast<int>(upper.y)));
    EXPECT_TRUE(frame.is(400, static_cast<int>(lower.y), Blue)) << describe(frame.at(400, static_cast<int>(lower.y)));
    EXPECT_TRUE(frame.is(400, static_cast<int>(project(0, 100, -600).y), Green)) << "the line is covered";
    const WindowPoint corner = project(256, 256, -800);
    // GL_CLAMP fades the outer half texel (3.6 pixels here) towards the transparent border.
    EXPECT_TRUE(frame.is(static_cast<int>(corner.x) - 5, static_cast<int>(corner.y) - 5, Green));
    EXPECT_TRUE(frame.is(static_cast<int>(corner.x) + 2, static_cast<int>(corner.y) + 2, White));
}

TEST_F(DrawSceneTest, TheTitleGoesOnlyAfterAFrameLaterThanItsEnd) {
    scene.handTexture = texture(solidTga(64, 64, Clear));
    scene.titleTexture = texture(solidTga(64, 64, Green));
    scene.splashVisible = true;
    scene.splashEndTime = 7000;
    struct Step {
        std::int32_t clock;
        bool shownInThisFrame;
        bool visibleAfter;
    };
    const Step steps[] = {{6999, true, true}, {7000, true, true}, {7001, true, false}, {7002, false, false}};
    for (const Step& s : steps) {
        scene.frameClock = s.clock;
        drawScene(scene);
        EXPECT_EQ(Frame{}.is(400, 300, Green), s.shownInThisFrame) << "clock " << s.clock;
        EXPECT_EQ(scene.splashVisible, s.visibleAfter) << "clock " << s.clock;
    }
}

TEST_F(DrawSceneTest, TheHelpLineIsDrawnFirstSoTheHandsHideIt) {
    scene.handTexture = texture(solidTga(64, 64, Red));
    scene.font.texture = static_cast<std::uint32_t>(texture(solidTga(64, 64, Blue)));
    scene.font.cellWidth = 600;  // one wide cell under the right hand
    scene.font.cellHeight = 600;
    for (auto& w : scene.font.charWidths) w = 0;
    scene.textX = 100;
    drawScene(scene);
    const Frame frame;
    EXPECT_TRUE(same(frame.atScene(100, -33), Red)) << "a hand over the help line";
    EXPECT_TRUE(same(frame.atScene(200, -33), Blue)) << "the help line beside it";
}

}  // namespace
