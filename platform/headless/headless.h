// A headless stand-in for the three services that the scene takes from the platform: the error
// box, the buffer swap and the clock. Tests link it instead of the SDL platform and run the whole
// scene on a headless OpenGL context; these hooks let them watch and steer it. Single-threaded:
// the test's thread is the render thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"

// One error box as the scene asked for it.
struct HeadlessBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// Forgets the boxes and swaps, sets the clock to 0 and removes the swap hook.
void headlessReset();

// The boxes shown so far, oldest first.
const std::vector<HeadlessBox>& headlessBoxes();

// How many times SwapBuffers has been called, and the device context of the last call.
int headlessSwapCount();
HDC headlessLastSwapDC();

// processMilliseconds() returns this value until it is set again.
void headlessSetClock(std::int32_t milliseconds);

// Called inside every SwapBuffers, after the frame has been finished (glFinish) and counted,
// with the number of swaps so far. A test reads pixels, presses keys, moves the clock or clears
// RunFlag here.
using HeadlessSwapHook = void (*)(int swapCount, void* context);
void headlessOnSwap(HeadlessSwapHook hook, void* context);
