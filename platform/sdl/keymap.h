// Keys: SDL scancodes to Win32 virtual-key codes, and one key event to its Win32 key message.
// Pure functions of their arguments, with no window and no SDL state. Any thread.
//
// Keys are mapped by scancode, the key's place on the keyboard, so that every layout gives the
// codes of the US layout's keys at the same places (as the game keys of any program expect).
#pragma once

#include "platform/win32.h"

// The virtual-key code of an SDL scancode, or 0 for a key that has none here (unknown keys,
// media keys, international keys). Both Shift keys give VK_SHIFT, both Ctrl keys VK_CONTROL and
// both Alt keys VK_MENU, as Win32 key messages carry them. The keypad's digits give VK_NUMPAD0..9
// whatever the Num Lock state.
UINT virtualKeyFromScancode(int scancode);

// A key message: message 0 means the event makes none.
struct KeyMessage {
    UINT message;
    WPARAM wParam;  // the virtual-key code
    LPARAM lParam;  // repeat count 1; bit 29 Alt held; bit 30 key was down before; bit 31 released
};

// The message for a key going down (or repeating) or up. Keys pressed or released with Alt held
// (and Ctrl not, which makes AltGr), the Alt keys themselves and F10 give the system-key
// messages WM_SYSKEYDOWN and WM_SYSKEYUP; every other key WM_KEYDOWN and WM_KEYUP. The scan-code
// bits of lParam are left 0.
KeyMessage keyMessage(bool down, int scancode, bool altHeld, bool ctrlHeld, bool repeat);
