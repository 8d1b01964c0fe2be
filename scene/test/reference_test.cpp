// Whole frames of the running scene, drawn from the committed resource files on the headless
// Mesa context, compared with reference images kept beside this file. Each scenario scripts the
// keys held and the clock read in every frame and captures the last frame.
//
// To renew the references after a deliberate change of the pictures or the drawing, run the
// test with VELMORY_UPDATE_REFERENCES=1, then look at every image before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "scene/scene.h"
#include "scene/test/png_io.h"
#include "testing/gl_context.h"

namespace {

constexpr int Width = 800;
constexpr int Height = 600;

struct ScriptedFrame {
    std::int32_t clock;                 // read at the start of the frame
    std::vector<UINT> keys;             // held during the frame
};

struct Scenario {
    const char* name;
    std::vector<ScriptedFrame> frames;
};

const Scenario scenarios[] = {
    // The title over both hands; the help line still right of the window.
    {"first-frame", {{0, {}}}},
    // Twenty seconds on: the title is gone, the help line crosses the bottom, the hands wave.
    {"help-line", {{0, {}}, {20000, {}}, {20001, {}}}},
    // F12 in the first frame: the hands stand upright.
    {"waving-off", {{0, {VK_F12}}, {20000, {}}, {20001, {}}}},
    // Narrowing the range during the first six seconds: red lines at +-150 under the upright title.
    {"travel-lines", {{0, {}}, {500, {VK_SHIFT, VK_DOWN}}}},
    // Shift+Right and plus held for 0.4 s: spacing and size 80 units more; then rolled right.
    {"far-apart-large", {{0, {}}, {400, {VK_SHIFT, VK_RIGHT, VK_OEM_PLUS}}, {7000, {VK_RIGHT}},
                         {7020, {VK_RIGHT}}, {7040, {VK_RIGHT}}, {7060, {VK_RIGHT}}}},
};

struct ScenarioRun {
    const Scenario* scenario;
    PngImage last;
};

void press(const std::vector<UINT>& keys) {
    for (auto& key : KeyTable) key.store(0);
    for (UINT key : keys) KeyTable[key].store(1);
}

// Called at each swap: captures the frame just drawn and scripts the next one.
void onSwap(int swaps, void* context) {
    ScenarioRun& run = *static_cast<ScenarioRun*>(context);
    const auto& frames = run.scenario->frames;
    if (swaps >= static_cast<int>(frames.size())) {
        const std::vector<std::uint8_t> bottomUp = readFramebuffer(Width, Height);
        run.last = PngImage{Width, Height, std::vector<std::uint8_t>(bottomUp.size())};
        for (int y = 0; y < Height; ++y) {
            std::copy_n(&bottomUp[static_cast<std::size_t>(Height - 1 - y) * Width * 4], Width * 4,
                        &run.last.rgba[static_cast<std::size_t>(y) * Width * 4]);
        }
        RunFlag.store(0);
        return;
    }
    headlessSetClock(frames[static_cast<std::size_t>(swaps)].clock);
    press(frames[static_cast<std::size_t>(swaps)].keys);
}

// Pixels whose largest channel difference exceeds 24; a few may differ where a software
// renderer on another processor rounds an edge the other way.
int differingPixels(const PngImage& a, const PngImage& b) {
    int count = 0;
    for (std::size_t i = 0; i < a.rgba.size(); i += 4) {
        int worst = 0;
        for (std::size_t c = 0; c < 3; ++c) worst = std::max(worst, std::abs(a.rgba[i + c] - b.rgba[i + c]));
        if (worst > 24) ++count;
    }
    return count;
}

class ReferenceFrames : public GlTest {};

TEST_F(ReferenceFrames, MatchTheCommittedImages) {
    const bool update = std::getenv("VELMORY_UPDATE_REFERENCES") != nullptr;
    for (const Scenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        destroyTestGlContext();
        ASSERT_TRUE(makeTestGlContext());
        headlessReset();
        RunFlag.store(1);
        ScenarioRun run{&scenario, {}};
        headlessSetClock(scenario.frames[0].clock);
        press(scenario.frames[0].keys);
        headlessOnSwap(onSwap, &run);

        runHandsScene();

        ASSERT_TRUE(headlessBoxes().empty()) << "the committed resource files load";
        ASSERT_EQ(run.last.width, Width);
        const std::string reference = std::string("scene/test/reference/") + scenario.name + ".png";
        if (update) {
            ASSERT_TRUE(writePng(reference, run.last));
            continue;
        }
        PngImage expected;
        ASSERT_TRUE(readPng(reference, expected)) << reference;
        ASSERT_EQ(expected.width, Width);
        ASSERT_EQ(expected.height, Height);
        const int differing = differingPixels(run.last, expected);
        if (differing > Width * Height / 500) {
            const std::string actual = std::string("/tmp/velmory-") + scenario.name + "-actual.png";
            writePng(actual, run.last);
            ADD_FAILURE() << differing << " pixels differ from " << reference << "; this run's frame is " << actual;
        }
    }
}

}  // namespace
