#include "platform/sdl/keymap.h"

#include <SDL_scancode.h>

#include <array>
#include <utility>

namespace {

struct KeyPair {
    SDL_Scancode scancode;
    UINT virtualKey;
};

// Win32 gives letters and digits their ASCII codes and has no names for them.
constexpr UINT Letter(char c) { return static_cast<UINT>(c); }

constexpr KeyPair NamedKeys[] = {
    {SDL_SCANCODE_RETURN, VK_RETURN},        {SDL_SCANCODE_ESCAPE, VK_ESCAPE},
    {SDL_SCANCODE_BACKSPACE, VK_BACK},       {SDL_SCANCODE_TAB, VK_TAB},
    {SDL_SCANCODE_SPACE, VK_SPACE},          {SDL_SCANCODE_MINUS, VK_OEM_MINUS},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},      {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6},   {SDL_SCANCODE_BACKSLASH, VK_OEM_5},
    {SDL_SCANCODE_NONUSHASH, VK_OEM_5},      {SDL_SCANCODE_SEMICOLON, VK_OEM_1},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},     {SDL_SCANCODE_GRAVE, VK_OEM_3},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA},      {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},
    {SDL_SCANCODE_SLASH, VK_OEM_2},          {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT}, {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL},
    {SDL_SCANCODE_PAUSE, VK_PAUSE},          {SDL_SCANCODE_INSERT, VK_INSERT},
    {SDL_SCANCODE_HOME, VK_HOME},            {SDL_SCANCODE_PAGEUP, VK_PRIOR},
    {SDL_SCANCODE_DELETE, VK_DELETE},        {SDL_SCANCODE_END, VK_END},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT},        {SDL_SCANCODE_RIGHT, VK_RIGHT},
    {SDL_SCANCODE_LEFT, VK_LEFT},            {SDL_SCANCODE_DOWN, VK_DOWN},
    {SDL_SCANCODE_UP, VK_UP},                {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE},     {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT},    {SDL_SCANCODE_KP_PLUS, VK_ADD},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN},      {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL},
    {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102}, {SDL_SCANCODE_APPLICATION, VK_APPS},
    {SDL_SCANCODE_LCTRL, VK_CONTROL},        {SDL_SCANCODE_RCTRL, VK_CONTROL},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT},         {SDL_SCANCODE_RSHIFT, VK_SHIFT},
    {SDL_SCANCODE_LALT, VK_MENU},            {SDL_SCANCODE_RALT, VK_MENU},
    {SDL_SCANCODE_LGUI, VK_LWIN},            {SDL_SCANCODE_RGUI, VK_RWIN},
};

// SDL numbers the letters, the digits 1..9 then 0, F1..F12, F13..F24 and the keypad's 1..9 then 0
// in runs; the virtual-key codes run the same way except where the digit 0 sits.
constexpr auto buildTable() {
    std::array<std::uint8_t, SDL_NUM_SCANCODES> table{};
    for (int i = 0; i < 26; ++i) table[SDL_SCANCODE_A + i] = static_cast<std::uint8_t>(Letter('A') + i);
    for (int i = 0; i < 9; ++i) table[SDL_SCANCODE_1 + i] = static_cast<std::uint8_t>(Letter('1') + i);
    table[SDL_SCANCODE_0] = static_cast<std::uint8_t>(Letter('0'));
    for (int i = 0; i < 12; ++i) table[SDL_SCANCODE_F1 + i] = static_cast<std::uint8_t>(VK_F1 + i);
    for (int i = 0; i < 12; ++i) table[SDL_SCANCODE_F13 + i] = static_cast<std::uint8_t>(VK_F1 + 12 + i);
    for (int i = 0; i < 9; ++i) table[SDL_SCANCODE_KP_1 + i] = static_cast<std::uint8_t>(VK_NUMPAD0 + 1 + i);
    table[SDL_SCANCODE_KP_0] = static_cast<std::uint8_t>(VK_NUMPAD0);
    for (const KeyPair& key : NamedKeys) table[key.scancode] = static_cast<std::uint8_t>(key.virtualKey);
    return table;
}

constexpr auto ScancodeToVirtualKey = buildTable();

constexpr LPARAM AltHeldBit = LPARAM{1} << 29;
constexpr LPARAM WasDownBit = LPARAM{1} << 30;
constexpr LPARAM ReleasedBit = LPARAM{1} << 31;

}  // namespace

UINT virtualKeyFromScancode(int scancode) {
    if (scancode < 0 || scancode >= static_cast<int>(ScancodeToVirtualKey.size())) return 0;
    return ScancodeToVirtualKey[static_cast<std::size_t>(scancode)];
}

KeyMessage keyMessage(bool down, int scancode, bool altHeld, bool ctrlHeld, bool repeat) {
    const UINT virtualKey = virtualKeyFromScancode(scancode);
    if (virtualKey == 0) return KeyMessage{0, 0, 0};
    const bool system = (altHeld && !ctrlHeld) || virtualKey == VK_MENU || virtualKey == VK_F10;
    LPARAM lParam = 1;
    if (altHeld) lParam |= AltHeldBit;
    if (repeat || !down) lParam |= WasDownBit;
    if (!down) lParam |= ReleasedBit;
    const UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    return KeyMessage{message, virtualKey, lParam};
}
