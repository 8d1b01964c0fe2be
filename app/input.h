// The state that the main thread and the render thread share, and the three input operations
// that the window procedure applies to it.
//
// Every element is read and written whole, relaxed, with no lock and no wait: a store becomes
// visible to the other thread at its next read of that element, and nothing relies on an order
// between stores to different elements.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/win32.h"

// One flag per Win32 virtual-key code: 1 while the key is down, 0 otherwise.
using KeyFlags = std::atomic<std::uint8_t>[256];

// Which keys are down. Written by the window procedure (main thread); read every frame by the
// render thread, which also clears the F12 entry once it has acted on it.
extern KeyFlags KeyTable;

// Whether the program goes on running: starts at 1; only 0 is ever stored, and it stays 0.
extern std::atomic<std::int32_t> RunFlag;

// The window's own device context: set once by the main thread before the render thread
// starts; both OpenGL contexts are made on it and every buffer swap goes to it.
extern HDC WindowDC;

// Key down / key up: the code's entry becomes 1 / 0. A code outside 0..255 has no entry and
// changes nothing. Main thread.
void keyDown(std::uint32_t virtualKey);
void keyUp(std::uint32_t virtualKey);

// The window was destroyed: RunFlag becomes 0. Main thread.
void windowDestroyed();
