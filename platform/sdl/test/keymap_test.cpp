// The scancode table and the key messages, without a window.
#include <gtest/gtest.h>

#include <SDL_keyboard.h>

#include <map>
#include <set>

#include "platform/sdl/keymap.h"

namespace {

struct KeyCase {
    SDL_Scancode scancode;
    UINT virtualKey;
};

// Every key the scene reads, and a sample of the rest of a standard keyboard.
const KeyCase Keys[] = {
    {SDL_SCANCODE_LSHIFT, 0x10},   {SDL_SCANCODE_RSHIFT, 0x10},      {SDL_SCANCODE_ESCAPE, 0x1B},
    {SDL_SCANCODE_LEFT, 0x25},     {SDL_SCANCODE_UP, 0x26},          {SDL_SCANCODE_RIGHT, 0x27},
    {SDL_SCANCODE_DOWN, 0x28},     {SDL_SCANCODE_KP_PLUS, 0x6B},     {SDL_SCANCODE_KP_MINUS, 0x6D},
    {SDL_SCANCODE_F12, 0x7B},      {SDL_SCANCODE_EQUALS, 0xBB},      {SDL_SCANCODE_MINUS, 0xBD},
    {SDL_SCANCODE_A, 'A'},         {SDL_SCANCODE_Z, 'Z'},            {SDL_SCANCODE_1, '1'},
    {SDL_SCANCODE_9, '9'},         {SDL_SCANCODE_0, '0'},            {SDL_SCANCODE_F1, 0x70},
    {SDL_SCANCODE_F10, 0x79},      {SDL_SCANCODE_F13, 0x7C},         {SDL_SCANCODE_F24, 0x87},
    {SDL_SCANCODE_KP_0, 0x60},     {SDL_SCANCODE_KP_1, 0x61},        {SDL_SCANCODE_KP_9, 0x69},
    {SDL_SCANCODE_KP_MULTIPLY, 0x6A}, {SDL_SCANCODE_KP_DIVIDE, 0x6F}, {SDL_SCANCODE_KP_PERIOD, 0x6E},
    {SDL_SCANCODE_RETURN, 0x0D},   {SDL_SCANCODE_KP_ENTER, 0x0D},    {SDL_SCANCODE_SPACE, 0x20},
    {SDL_SCANCODE_LCTRL, 0x11},    {SDL_SCANCODE_RCTRL, 0x11},       {SDL_SCANCODE_LALT, 0x12},
    {SDL_SCANCODE_RALT, 0x12},     {SDL_SCANCODE_LGUI, 0x5B},        {SDL_SCANCODE_RGUI, 0x5C},
    {SDL_SCANCODE_GRAVE, 0xC0},    {SDL_SCANCODE_SEMICOLON, 0xBA},   {SDL_SCANCODE_APOSTROPHE, 0xDE},
    {SDL_SCANCODE_LEFTBRACKET, 0xDB}, {SDL_SCANCODE_RIGHTBRACKET, 0xDD}, {SDL_SCANCODE_BACKSLASH, 0xDC},
    {SDL_SCANCODE_NONUSBACKSLASH, 0xE2}, {SDL_SCANCODE_COMMA, 0xBC},  {SDL_SCANCODE_PERIOD, 0xBE},
    {SDL_SCANCODE_SLASH, 0xBF},    {SDL_SCANCODE_PAGEUP, 0x21},      {SDL_SCANCODE_PAGEDOWN, 0x22},
    {SDL_SCANCODE_END, 0x23},      {SDL_SCANCODE_HOME, 0x24},        {SDL_SCANCODE_INSERT, 0x2D},
    {SDL_SCANCODE_DELETE, 0x2E},   {SDL_SCANCODE_PRINTSCREEN, 0x2C}, {SDL_SCANCODE_PAUSE, 0x13},
    {SDL_SCANCODE_CAPSLOCK, 0x14}, {SDL_SCANCODE_NUMLOCKCLEAR, 0x90}, {SDL_SCANCODE_SCROLLLOCK, 0x91},
    {SDL_SCANCODE_APPLICATION, 0x5D}, {SDL_SCANCODE_TAB, 0x09},      {SDL_SCANCODE_BACKSPACE, 0x08},
};

TEST(VirtualKeyFromScancode, GivesTheWin32CodeOfEachKey) {
    for (const KeyCase& key : Keys)
        EXPECT_EQ(virtualKeyFromScancode(key.scancode), key.virtualKey) << SDL_GetScancodeName(key.scancode);
}

TEST(VirtualKeyFromScancode, UnknownAndOutOfRangeScancodesGiveZero) {
    for (int scancode : {static_cast<int>(SDL_SCANCODE_UNKNOWN), static_cast<int>(SDL_SCANCODE_INTERNATIONAL1),
                         static_cast<int>(SDL_SCANCODE_MUTE), static_cast<int>(SDL_SCANCODE_AUDIOPLAY), -1,
                         static_cast<int>(SDL_NUM_SCANCODES), 100000})
        EXPECT_EQ(virtualKeyFromScancode(scancode), 0u) << scancode;
}

// Two keys share a code only where Win32's key messages do not tell them apart.
TEST(VirtualKeyFromScancode, OnlyTwinKeysShareACode) {
    const std::set<UINT> shared = {VK_SHIFT, VK_CONTROL, VK_MENU, VK_RETURN, VK_OEM_5};
    std::map<UINT, int> uses;
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const UINT code = virtualKeyFromScancode(scancode);
        if (code == 0) continue;
        EXPECT_LT(code, 256u);
        ++uses[code];
    }
    for (const auto& [code, count] : uses) {
        if (shared.count(code) != 0) EXPECT_EQ(count, 2) << "code " << code;
        else EXPECT_EQ(count, 1) << "code " << code;
    }
}

constexpr LPARAM Alt = LPARAM{1} << 29;
constexpr LPARAM WasDown = LPARAM{1} << 30;
constexpr LPARAM Released = LPARAM{1} << 31;

struct MessageCase {
    const char* name;
    bool down;
    SDL_Scancode scancode;
    bool alt, ctrl, repeat;
    KeyMessage expected;
};

const MessageCase Messages[] = {
    {"press", true, SDL_SCANCODE_RIGHT, false, false, false, {WM_KEYDOWN, VK_RIGHT, 1}},
    {"auto-repeat is another key-down", true, SDL_SCANCODE_RIGHT, false, false, true,
     {WM_KEYDOWN, VK_RIGHT, 1 | WasDown}},
    {"release", false, SDL_SCANCODE_RIGHT, false, false, false, {WM_KEYUP, VK_RIGHT, 1 | WasDown | Released}},
    {"press with Alt held", true, SDL_SCANCODE_RIGHT, true, false, false, {WM_SYSKEYDOWN, VK_RIGHT, 1 | Alt}},
    {"release with Alt held", false, SDL_SCANCODE_F12, true, false, false,
     {WM_SYSKEYUP, VK_F12, 1 | Alt | WasDown | Released}},
    {"Alt itself", true, SDL_SCANCODE_LALT, true, false, false, {WM_SYSKEYDOWN, VK_MENU, 1 | Alt}},
    {"Alt released", false, SDL_SCANCODE_LALT, false, false, false, {WM_SYSKEYUP, VK_MENU, 1 | WasDown | Released}},
    {"F10", true, SDL_SCANCODE_F10, false, false, false, {WM_SYSKEYDOWN, VK_F10, 1}},
    {"F10 released", false, SDL_SCANCODE_F10, false, false, false, {WM_SYSKEYUP, VK_F10, 1 | WasDown | Released}},
    {"Ctrl+Alt (AltGr) is not a system key", true, SDL_SCANCODE_Q, true, true, false, {WM_KEYDOWN, 'Q', 1 | Alt}},
    {"Shift is an ordinary key", true, SDL_SCANCODE_RSHIFT, false, false, false, {WM_KEYDOWN, VK_SHIFT, 1}},
    {"unknown key makes no message", true, SDL_SCANCODE_INTERNATIONAL1, false, false, false, {0, 0, 0}},
};

TEST(KeyMessage, ChoosesMessageCodeAndFlags) {
    for (const MessageCase& c : Messages) {
        const KeyMessage m = keyMessage(c.down, c.scancode, c.alt, c.ctrl, c.repeat);
        EXPECT_EQ(m.message, c.expected.message) << c.name;
        EXPECT_EQ(m.wParam, c.expected.wParam) << c.name;
        EXPECT_EQ(m.lParam, c.expected.lParam) << c.name;
    }
}

}  // namespace
