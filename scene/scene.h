// The hands scene: its state, the per-frame controls, the drawing of a frame and the render
// thread's body. Everything here runs on the render thread.
#pragma once

#include <cstdint>

#include "app/input.h"
#include "text/text.h"

// The whole changing state of the hands scene. Lengths are scene units (the hands lie 600 units
// in front of the eye, y upward); times are scene-clock milliseconds.
struct SceneState {
    float rightY;          // right hand's position, within +-travelRange
    float leftY;           // left hand's position, within +-travelRange
    float rightTarget;     // where the right hand heads this frame; rebuilt every update
    float leftTarget;      // where the left hand heads this frame; rebuilt every update
    float travelRange;     // how far a hand may travel above and below 0: [10, 290]
    float handSpacing;     // each hand's horizontal distance from x = 0: [10, 300]
    float handSize;        // half the side of a hand's square: [10, 300]
    bool showTravelLines;  // draw the red travel lines this frame; rebuilt every update
    bool waving;           // draw the hands rotated by the wave angle (F12 toggles)
    float waveAngle;       // degrees, [-20, 20]
    float waveSpeed;       // degrees per millisecond, +-0.25
    float textX;           // window-pixel x of the help line's left end
    float textWrapX;       // the help line wraps to 810 once textX falls below this
    bool splashVisible;    // the title image is still drawn
    std::int32_t splashEndTime;  // clock reading after which the title image goes
    std::int32_t frameClock;     // clock reading of the current frame
    std::int32_t handTexture;    // texture of the hand image
    std::int32_t titleTexture;   // texture of the title image
    BitmapFont font;             // font of the help line
};

// Sets the scene's starting values: hands at 0, range 200, spacing 100, size 50, waving with
// angle 0 and speed 0.25, the help line at x = 1100, and the font's cursor (0, 0) and colour
// white. The other fields are set by the start-up as it loads and starts the clock.
void initSceneState(SceneState& scene);

// One frame's update from the keys held in keys and the elapsed milliseconds (0 or more):
// hand targets and easing, range, spacing, size, the F12 wave toggle (clearing keys[VK_F12]),
// the wave swing and the help line's scroll.
void updateControls(SceneState& scene, KeyFlags& keys, float elapsed);

// Moves one hand towards its target: onto it when less than 2 units away, otherwise by the
// smaller of a sixth of the distance and 2 * elapsed.
void easeHand(float& y, float target, float elapsed);

// Draws one frame into the back buffer; clears splashVisible in the first frame whose clock is
// past splashEndTime. Needs the state that runHandsScene sets up (projection, clear colour).
void drawScene(SceneState& scene);

// Draws one hand's quad at (xOffset, y - handSize / 1.5), rotated by angle when rotate is set,
// its texture mirrored left to right when mirrored is set.
void drawHand(float xOffset, float y, float handSize, bool rotate, float angle, bool mirrored);

// The render thread's body: start-up (resources, projection) and the frame loop until RunFlag
// is 0. Shows an error box and returns when a resource file fails to load.
void runHandsScene();
