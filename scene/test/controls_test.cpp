#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <thread>

#include "scene/scene.h"

namespace {

// A scene at its starting values, with the help line wrapping where a 1536-pixel line would.
SceneState freshScene() {
    SceneState scene{};
    initSceneState(scene);
    scene.textWrapX = -1546.0f;
    return scene;
}

void press(KeyFlags& keys, std::initializer_list<UINT> codes) {
    for (auto& entry : keys) entry.store(0);
    for (UINT code : codes) keys[code].store(1);
}

// One frame from a prepared scene with some keys held; every field is checked afterwards.
struct ControlCase {
    std::string name;
    void (*prepare)(SceneState&);
    std::initializer_list<UINT> keys;
    float elapsed;
    void (*expect)(const SceneState&);
};

void noPrep(SceneState&) {}

const ControlCase controlCases[] = {
    {"no key: targets 0, hands glide back by a sixth", [](SceneState& s) { s.rightY = 60; s.leftY = -60; }, {}, 16,
     [](const SceneState& s) {
         EXPECT_FLOAT_EQ(s.rightTarget, 0);
         EXPECT_FLOAT_EQ(s.leftTarget, 0);
         EXPECT_FLOAT_EQ(s.rightY, 50);
         EXPECT_FLOAT_EQ(s.leftY, -50);
     }},
    {"1.9 above the target snaps onto it", [](SceneState& s) { s.rightY = 1.9f; s.leftY = -1.9f; }, {}, 16,
     [](const SceneState& s) {
         EXPECT_EQ(s.rightY, 0.0f);
         EXPECT_EQ(s.leftY, 0.0f);
     }},
    {"2.0 away steps by a sixth instead of snapping", [](SceneState& s) { s.rightY = 2.0f; s.leftY = -2.0f; }, {}, 16,
     [](const SceneState& s) {
         EXPECT_FLOAT_EQ(s.rightY, 2.0f - 2.0f / 6.0f);
         EXPECT_FLOAT_EQ(s.leftY, -2.0f + 2.0f / 6.0f);
     }},
    {"the step is capped at twice the elapsed time", [](SceneState& s) { s.rightY = 150; s.leftY = -150; }, {}, 2,
     [](const SceneState& s) {
         EXPECT_FLOAT_EQ(s.rightY, 146);
         EXPECT_FLOAT_EQ(s.leftY, -146);
     }},
    {"elapsed 0: nothing gradual, but targets, lines and F12 act",
     [](SceneState& s) { s.rightY = 1.5f; s.leftY = 100; s.waveAngle = 5; },
     {VK_UP, VK_SHIFT, VK_F12, VK_OEM_PLUS}, 0,
     [](const SceneState& s) {
         EXPECT_EQ(s.travelRange, 200.0f);
         EXPECT_TRUE(s.showTravelLines);
         EXPECT_FALSE(s.waving);
         EXPECT_EQ(s.waveAngle, 5.0f);
         EXPECT_EQ(s.handSize, 50.0f);
         EXPECT_EQ(s.textX, 1100.0f);
         EXPECT_EQ(s.rightY, 0.0f);   // the snap still acts
         EXPECT_EQ(s.leftY, 100.0f);  // a step of min(100/6, 0) is no step
     }},
    {"Up sends both hands up by the range", noPrep, {VK_UP}, 16,
     [](const SceneState& s) {
         EXPECT_FLOAT_EQ(s.rightTarget, 200);
         EXPECT_FLOAT_EQ(s.leftTarget, 200);
         EXPECT_FLOAT_EQ(s.rightY, 32);  // a sixth would be 33.3: capped at 2 * 16
         EXPECT_FLOAT_EQ(s.leftY, 32);
         EXPECT_FALSE(s.showTravelLines);
     }},
    {"Right raises the right hand and lowers the left", noPrep, {VK_RIGHT}, 16,
     [](const SceneState& s) {
         EXPECT_FLOAT_EQ(s.rightTarget, 200);
         EXPECT_FLOAT_EQ(s.leftTarget, -200);
         EXPECT_GT(s.rightY, 0);
         EXPECT_LT(s.leftY, 0);
     }},
    {"Left does the opposite", noPrep, {VK_LEFT}, 16,
     [](const SceneState& s) {
         EXPECT_FLOAT_EQ(s.rightTarget, -200);
         EXPECT_FLOAT_EQ(s.leftTarget, 200);
     }},
    {"Up with Down cancels out", [](SceneState& s) { s.rightY = 30; }, {VK_UP, VK_DOWN}, 16,
     [](const SceneState& s) {
         EXPECT_FLOAT_EQ(s.rightTarget, 0);
         EXPECT_FLOAT_EQ(s.leftTarget, 0);
         EXPECT_FLOAT_EQ(s.rightY, 25);
     }},
    {"Up with Right: right target twice the range, held at the range", [](SceneState& s) { s.rightY = 195; },
     {VK_UP, VK_RIGHT}, 100,
     [](const SceneState& s) {
         EXPECT_FLOAT_EQ(s.rightTarget, 400);
         EXPECT_FLOAT_EQ(s.leftTarget, 0);
         EXPECT_FLOAT_EQ(s.rightY, 200);  // 195 + 205/6 is clamped
     }},
    {"Shift with Right changes only the spacing", [](SceneState& s) { s.rightY = 12; }, {VK_SHIFT, VK_RIGHT}, 10,
     [](const SceneState& s) {
         EXPECT_FLOAT_EQ(s.handSpacing, 102);
         EXPECT_FLOAT_EQ(s.rightTarget, 0);
         EXPECT_FLOAT_EQ(s.leftTarget, 0);
         EXPECT_FLOAT_EQ(s.rightY, 10);  // returns towards 0 meanwhile
         EXPECT_FALSE(s.showTravelLines);
     }},
    {"Shift with Left narrows the spacing down to 10", [](SceneState& s) { s.handSpacing = 11; },
     {VK_SHIFT, VK_LEFT}, 10,
     [](const SceneState& s) {
         EXPECT_FLOAT_EQ(s.handSpacing, 10);
         EXPECT_FALSE(s.showTravelLines);
     }},
    {"Shift with Right stops the spacing at 300", [](SceneState& s) { s.handSpacing = 299; },
     {VK_SHIFT, VK_RIGHT}, 10, [](const SceneState& s) { EXPECT_FLOAT_EQ(s.handSpacing, 300); }},
    {"Shift with Up widens the range and shows the lines", noPrep, {VK_SHIFT, VK_UP}, 10,
     [](const SceneState& s) {
         EXPECT_FLOAT_EQ(s.travelRange, 201);
         EXPECT_TRUE(s.showTravelLines);
         EXPECT_FLOAT_EQ(s.rightTarget, 0);
     }},
    {"Shift with Up at 290 stays and still shows the lines", [](SceneState& s) { s.travelRange = 290; },
     {VK_SHIFT, VK_UP}, 16,
     [](const SceneState& s) {
         EXPECT_EQ(s.travelRange, 290.0f);
         EXPECT_TRUE(s.showTravelLines);
     }},
    {"Shift with Down stops the range at 10", [](SceneState& s) { s.travelRange = 10.5f; }, {VK_SHIFT, VK_DOWN}, 16,
     [](const SceneState& s) {
         EXPECT_EQ(s.travelRange, 10.0f);
         EXPECT_TRUE(s.showTravelLines);
     }},
    {"Shift with Up and Down at 290: clamped before it falls", [](SceneState& s) { s.travelRange = 290; },
     {VK_SHIFT, VK_UP, VK_DOWN}, 10, [](const SceneState& s) { EXPECT_FLOAT_EQ(s.travelRange, 289); }},
    {"narrowing the range pulls the hands in in the same frame",
     [](SceneState& s) { s.rightY = 200; s.leftY = -200; s.travelRange = 200; }, {VK_SHIFT, VK_DOWN}, 400,
     [](const SceneState& s) {
         EXPECT_FLOAT_EQ(s.travelRange, 160);
         EXPECT_FLOAT_EQ(s.rightY, 160);  // eased to 166.7, then held within this frame's range
         EXPECT_FLOAT_EQ(s.leftY, -160);
     }},
    {"main-keyboard plus grows the hands", noPrep, {VK_OEM_PLUS}, 10,
     [](const SceneState& s) { EXPECT_FLOAT_EQ(s.handSize, 52); }},
    {"keypad plus grows the hands, at most to 300", [](SceneState& s) { s.handSize = 299.5f; }, {VK_ADD}, 10,
     [](const SceneState& s) { EXPECT_EQ(s.handSize, 300.0f); }},
    {"keypad minus shrinks the hands, at least to 10", [](SceneState& s) { s.handSize = 11; }, {VK_SUBTRACT}, 10,
     [](const SceneState& s) { EXPECT_EQ(s.handSize, 10.0f); }},
    {"main-keyboard minus shrinks the hands", noPrep, {VK_OEM_MINUS}, 10,
     [](const SceneState& s) { EXPECT_FLOAT_EQ(s.handSize, 48); }},
    {"plus and minus at 300: clamped before it falls", [](SceneState& s) { s.handSize = 300; },
     {VK_OEM_PLUS, VK_SUBTRACT}, 10, [](const SceneState& s) { EXPECT_FLOAT_EQ(s.handSize, 298); }},
    {"the wave at 19.9 stops at 20 and turns", [](SceneState& s) { s.waveAngle = 19.9f; }, {}, 16,
     [](const SceneState& s) {
         EXPECT_EQ(s.waveAngle, 20.0f);
         EXPECT_EQ(s.waveSpeed, -0.25f);
     }},
    {"the wave at -19.9 going down stops at -20 and turns",
     [](SceneState& s) { s.waveAngle = -19.9f; s.waveSpeed = -0.25f; }, {}, 16,
     [](const SceneState& s) {
         EXPECT_EQ(s.waveAngle, -20.0f);
         EXPECT_EQ(s.waveSpeed, 0.25f);
     }},
    {"the wave swings while waving is off", [](SceneState& s) { s.waving = false; }, {}, 8,
     [](const SceneState& s) {
         EXPECT_FLOAT_EQ(s.waveAngle, 2);
         EXPECT_FALSE(s.waving);
     }},
    {"the help line scrolls 50 pixels a second", noPrep, {}, 100,
     [](const SceneState& s) { EXPECT_FLOAT_EQ(s.textX, 1095); }},
    {"textX equal to the wrap point does not wrap", [](SceneState& s) { s.textX = -1545.0f; }, {}, 20,
     [](const SceneState& s) { EXPECT_EQ(s.textX, -1546.0f); }},
    {"the first value below the wrap point becomes 810", [](SceneState& s) { s.textX = -1545.5f; }, {}, 20,
     [](const SceneState& s) { EXPECT_EQ(s.textX, 810.0f); }},
    {"the flags of the last frame do not carry over",
     [](SceneState& s) { s.showTravelLines = true; s.rightTarget = 50; s.leftTarget = 50; }, {}, 16,
     [](const SceneState& s) {
         EXPECT_FALSE(s.showTravelLines);
         EXPECT_EQ(s.rightTarget, 0.0f);
         EXPECT_EQ(s.leftTarget, 0.0f);
     }},
};

TEST(UpdateControls, OneFrameFromEachCase) {
    KeyFlags keys{};
    for (const ControlCase& c : controlCases) {
        SCOPED_TRACE(c.name);
        SceneState scene = freshScene();
        c.prepare(scene);
        press(keys, c.keys);
        updateControls(scene, keys, c.elapsed);
        c.expect(scene);
    }
}

TEST(UpdateControls, F12TogglesOncePerKeyDown) {
    KeyFlags keys{};
    SceneState scene = freshScene();
    ASSERT_TRUE(scene.waving);

    keys[VK_F12].store(1);
    updateControls(scene, keys, 16);
    EXPECT_FALSE(scene.waving);
    EXPECT_EQ(keys[VK_F12].load(), 0) << "the frame clears the entry it acted on";

    updateControls(scene, keys, 16);  // still held, but no new key-down
    EXPECT_FALSE(scene.waving);

    keys[VK_F12].store(1);  // a repeat or a fresh press
    updateControls(scene, keys, 16);
    EXPECT_TRUE(scene.waving);
}

TEST(UpdateControls, HandsGlideBackAndSettleExactlyOnZero) {
    KeyFlags keys{};
    SceneState scene = freshScene();
    press(keys, {VK_RIGHT});
    for (int frame = 0; frame < 200; ++frame) updateControls(scene, keys, 16);
    EXPECT_EQ(scene.rightY, 200.0f);
    EXPECT_EQ(scene.leftY, -200.0f);

    press(keys, {});
    for (int frame = 0; frame < 200; ++frame) updateControls(scene, keys, 16);
    EXPECT_EQ(scene.rightY, 0.0f);
    EXPECT_EQ(scene.leftY, 0.0f);
}

TEST(EaseHand, SnapsOnTheTruncatedDifference) {
    struct Case {
        float y, target, elapsed, expected;
    };
    const Case cases[] = {
        {1.99f, 0, 16, 0},                // truncates to 1: snap
        {-1.99f, 0, 16, 0},               // truncates to -1: snap
        {101.5f, 100, 0, 100},            // a snap needs no time
        {2.0f, 0, 16, 2.0f - 2.0f / 6},   // truncates to 2: step
        {-2.0f, 0, 16, -2.0f + 2.0f / 6}, // truncates to -2: step
        {0, 120, 16, 20},                 // a sixth of the way up
        {0, 120, 5, 10},                  // capped at 2 * elapsed
        {0, -120, 5, -10},
    };
    for (const Case& c : cases) {
        float y = c.y;
        easeHand(y, c.target, c.elapsed);
        EXPECT_FLOAT_EQ(y, c.expected) << "from " << c.y << " towards " << c.target << " in " << c.elapsed << " ms";
    }
}

TEST(InitSceneState, SetsTheStartingValuesAndTheFontColour) {
    SceneState scene{};
    scene.font.texture = 7;
    initSceneState(scene);
    EXPECT_EQ(scene.travelRange, 200.0f);
    EXPECT_EQ(scene.handSpacing, 100.0f);
    EXPECT_EQ(scene.handSize, 50.0f);
    EXPECT_TRUE(scene.waving);
    EXPECT_EQ(scene.waveSpeed, 0.25f);
    EXPECT_EQ(scene.textX, 1100.0f);
    EXPECT_EQ(scene.font.red, 1.0f);
    EXPECT_EQ(scene.font.green, 1.0f);
    EXPECT_EQ(scene.font.blue, 1.0f);
    EXPECT_EQ(scene.font.texture, 7u) << "the loader's fields are left alone";
}

// The window procedure writes keys on one thread while the render thread runs frames: every
// element is one relaxed atomic, so ThreadSanitizer must find nothing here.
TEST(UpdateControls, RunsAgainstKeysWrittenByAnotherThread) {
    KeyFlags keys{};
    std::atomic<bool> done{false};
    std::thread input([&] {
        const UINT codes[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SHIFT, VK_F12, VK_ADD, VK_OEM_MINUS};
        for (int i = 0; i < 20000; ++i) {
            const UINT code = codes[i % 8];
            keys[code].store((i / 8) % 2 == 0 ? 1 : 0, std::memory_order_relaxed);
        }
        done.store(true);
    });
    SceneState scene = freshScene();
    int frames = 0;
    while (!done.load() || frames < 100) {
        updateControls(scene, keys, 1.0f);
        ++frames;
    }
    input.join();
    EXPECT_GE(scene.travelRange, 10.0f);
    EXPECT_LE(scene.travelRange, 290.0f);
    EXPECT_LE(std::fabs(scene.rightY), scene.travelRange);
    EXPECT_LE(std::fabs(scene.leftY), scene.travelRange);
}

}  // namespace
