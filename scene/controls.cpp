// The per-frame hand controls. Every gradual change is the elapsed milliseconds times a
// single-precision rate, and each limit is applied right after its change by a strict test, so a
// value exactly at a limit stays where it is.
#include <cmath>

#include "scene/scene.h"

namespace {

constexpr float RangeRate = 0.1f;    // travel range, units per millisecond
constexpr float SpacingRate = 0.2f;  // hand spacing, units per millisecond
constexpr float SizeRate = 0.2f;     // hand size, units per millisecond
constexpr float TextRate = 0.05f;    // help line, pixels per millisecond
constexpr float MinRange = 10.0f;
constexpr float MaxRange = 290.0f;   // not 300: the range stops short of the other limits
constexpr float MinSpacing = 10.0f;
constexpr float MaxSpacing = 300.0f;
constexpr float MinSize = 10.0f;
constexpr float MaxSize = 300.0f;
constexpr float MaxWaveAngle = 20.0f;
constexpr float TextWrapTo = 810.0f;

bool held(KeyFlags& keys, UINT code) { return keys[code].load(std::memory_order_relaxed) != 0; }

void raise(float& value, float amount, float limit) {
    value += amount;
    if (value > limit) value = limit;
}

void lower(float& value, float amount, float limit) {
    value -= amount;
    if (value < limit) value = limit;
}

void clampHand(float& y, float range) {
    if (y < -range) y = -range;
    if (y > range) y = range;
}

// Cursor keys: without Shift they set the hands' targets, with Shift they change the range of
// travel (Up/Down) or the spacing (Right/Left). One reading of Shift decides all four.
void applyCursorKeys(SceneState& scene, KeyFlags& keys, float elapsed) {
    const bool shift = held(keys, VK_SHIFT);
    if (held(keys, VK_UP)) {
        if (shift) {
            raise(scene.travelRange, RangeRate * elapsed, MaxRange);
            scene.showTravelLines = true;
        } else {
            scene.rightTarget += scene.travelRange;
            scene.leftTarget += scene.travelRange;
        }
    }
    if (held(keys, VK_DOWN)) {
        if (shift) {
            lower(scene.travelRange, RangeRate * elapsed, MinRange);
            scene.showTravelLines = true;
        } else {
            scene.rightTarget -= scene.travelRange;
            scene.leftTarget -= scene.travelRange;
        }
    }
    if (held(keys, VK_RIGHT)) {
        if (shift) {
            raise(scene.handSpacing, SpacingRate * elapsed, MaxSpacing);
        } else {
            scene.rightTarget += scene.travelRange;
            scene.leftTarget -= scene.travelRange;
        }
    }
    if (held(keys, VK_LEFT)) {
        if (shift) {
            lower(scene.handSpacing, SpacingRate * elapsed, MinSpacing);
        } else {
            scene.rightTarget -= scene.travelRange;
            scene.leftTarget += scene.travelRange;
        }
    }
}

// The swing runs all the time; waving only decides whether the drawing shows it. The angle is
// stored at its limit, so an overshoot is lost.
void swingWave(SceneState& scene, float elapsed) {
    scene.waveAngle += scene.waveSpeed * elapsed;
    if (scene.waveAngle > MaxWaveAngle) {
        scene.waveAngle = MaxWaveAngle;
        scene.waveSpeed = -scene.waveSpeed;
    } else if (scene.waveAngle < -MaxWaveAngle) {
        scene.waveAngle = -MaxWaveAngle;
        scene.waveSpeed = -scene.waveSpeed;
    }
}

}  // namespace

void initSceneState(SceneState& scene) {
    scene.rightY = 0.0f;
    scene.leftY = 0.0f;
    scene.travelRange = 200.0f;
    scene.handSpacing = 100.0f;
    scene.handSize = 50.0f;
    scene.waving = true;
    scene.waveAngle = 0.0f;
    scene.waveSpeed = 0.25f;
    scene.textX = 1100.0f;
    scene.font.cursorX = 0;
    scene.font.cursorY = 0;
    scene.font.red = 1.0f;
    scene.font.green = 1.0f;
    scene.font.blue = 1.0f;
}

void easeHand(float& y, float target, float elapsed) {
    const float d = y - target;
    if (std::fabs(std::trunc(d)) < 2.0f) {  // the difference truncated toward zero is -1, 0 or 1
        y = target;
        return;
    }
    const float step = std::fmin(std::fabs(target - y) / 6.0f, 2.0f * elapsed);
    if (y < target) {
        y += step;
    } else {
        y -= step;
    }
}

void updateControls(SceneState& scene, KeyFlags& keys, float elapsed) {
    scene.showTravelLines = false;
    scene.rightTarget = 0.0f;
    scene.leftTarget = 0.0f;

    applyCursorKeys(scene, keys, elapsed);

    easeHand(scene.rightY, scene.rightTarget, elapsed);
    easeHand(scene.leftY, scene.leftTarget, elapsed);
    clampHand(scene.rightY, scene.travelRange);
    clampHand(scene.leftY, scene.travelRange);

    // A key-down recorded between this read and the clear is absorbed into the same toggle.
    if (held(keys, VK_F12)) {
        keys[VK_F12].store(0, std::memory_order_relaxed);
        scene.waving = !scene.waving;
    }

    swingWave(scene, elapsed);

    if (held(keys, VK_OEM_PLUS) || held(keys, VK_ADD)) raise(scene.handSize, SizeRate * elapsed, MaxSize);
    if (held(keys, VK_OEM_MINUS) || held(keys, VK_SUBTRACT)) lower(scene.handSize, SizeRate * elapsed, MinSize);

    scene.textX -= TextRate * elapsed;
    if (scene.textX < scene.textWrapX) scene.textX = TextWrapTo;
}
