// baseWinProc's table of messages, with DefWindowProcA and PostQuitMessage replaced by fakes that
// record their calls (this test links no platform).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/input.h"
#include "app/shell.h"

namespace {

struct Call {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Call&) const = default;
};

std::vector<Call> DefaultCalls;
std::vector<int> QuitCodes;
constexpr LRESULT DefaultResult = 0x5EED;

}  // namespace

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DefaultCalls.push_back(Call{window, message, wParam, lParam});
    return DefaultResult;
}

void WINAPI PostQuitMessage(int exitCode) { QuitCodes.push_back(exitCode); }

namespace {

HWND const SomeWindow = reinterpret_cast<HWND>(std::uintptr_t{0x1000});
constexpr LPARAM AltBit = LPARAM{1} << 29;
constexpr LPARAM RepeatBit = LPARAM{1} << 30;
constexpr LPARAM ReleaseBit = LPARAM{1} << 31;

struct Case {
    const char* name;
    std::vector<std::uint32_t> keysDownBefore;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool toDefault;                          // passed on with the same four arguments
    std::vector<std::uint32_t> keysDownAfter;
};

const Case Cases[] = {
    {"key-down stores 1", {}, WM_KEYDOWN, VK_RIGHT, 1, false, {VK_RIGHT}},
    {"repeated key-down keeps 1", {VK_RIGHT}, WM_KEYDOWN, VK_RIGHT, 1 | RepeatBit, false, {VK_RIGHT}},
    {"key-up stores 0", {VK_RIGHT, VK_UP}, WM_KEYUP, VK_RIGHT, 1 | RepeatBit | ReleaseBit, false, {VK_UP}},
    {"one Shift released clears the shared entry", {VK_SHIFT}, WM_KEYUP, VK_SHIFT, 1, false, {}},
    {"keypad plus is its own entry", {VK_OEM_PLUS}, WM_KEYDOWN, VK_ADD, 1, false, {VK_OEM_PLUS, VK_ADD}},
    {"code 255 is the last entry", {}, WM_KEYDOWN, 255, 1, false, {255}},
    {"code 256 has no entry", {}, WM_KEYDOWN, 256, 1, false, {}},
    {"a wide wParam does not wrap into the table", {}, WM_KEYDOWN, WPARAM{0xFFFFFFFFu} + 1 + VK_UP, 1, false, {}},
    {"Alt+key goes to the default", {}, WM_SYSKEYDOWN, VK_RIGHT, 1 | AltBit, true, {}},
    {"key released with Alt held goes to the default", {VK_RIGHT}, WM_SYSKEYUP, VK_RIGHT,
     1 | AltBit | RepeatBit | ReleaseBit, true, {VK_RIGHT}},
    {"F10 goes to the default", {}, WM_SYSKEYDOWN, VK_F10, 1, true, {}},
    {"characters go to the default", {}, WM_CHAR, 'a', 1, true, {}},
    {"paint goes to the default", {}, WM_PAINT, 0, 0, true, {}},
    {"close goes to the default", {}, WM_CLOSE, 0, 0, true, {}},
    {"the render thread's wake-up goes to the default", {}, WM_NULL, 0, 0, true, {}},
    {"middle button goes to the default", {}, WM_MBUTTONDOWN, 0, 0, true, {}},
    {"mouse move does nothing", {VK_UP}, WM_MOUSEMOVE, MK_LBUTTON, 0x00100020, false, {VK_UP}},
    {"left button down does nothing", {}, WM_LBUTTONDOWN, MK_LBUTTON, 0x00100020, false, {}},
    {"left button up does nothing", {}, WM_LBUTTONUP, 0, 0x00100020, false, {}},
    {"right button down does nothing", {}, WM_RBUTTONDOWN, MK_RBUTTON, 0x00100020, false, {}},
    {"right button up does nothing", {}, WM_RBUTTONUP, 0, 0x00100020, false, {}},
};

class WindowProc : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto& entry : KeyTable) entry.store(0);
        RunFlag.store(1);
        DefaultCalls.clear();
        QuitCodes.clear();
    }

    static std::vector<std::uint32_t> keysDown() {
        std::vector<std::uint32_t> down;
        for (std::uint32_t code = 0; code < 256; ++code)
            if (KeyTable[code].load() != 0) down.push_back(code);
        return down;
    }
};

TEST_F(WindowProc, EachMessageDoesWhatItsRowSays) {
    for (const Case& c : Cases) {
        SetUp();
        for (std::uint32_t code : c.keysDownBefore) KeyTable[code].store(1);

        const LRESULT result = baseWinProc(SomeWindow, c.message, c.wParam, c.lParam);

        std::vector<std::uint32_t> expectedKeys = c.keysDownAfter;
        std::sort(expectedKeys.begin(), expectedKeys.end());
        EXPECT_EQ(keysDown(), expectedKeys) << c.name;
        EXPECT_EQ(result, c.toDefault ? DefaultResult : 0) << c.name;
        const std::vector<Call> expectedCalls =
            c.toDefault ? std::vector<Call>{{SomeWindow, c.message, c.wParam, c.lParam}} : std::vector<Call>{};
        EXPECT_EQ(DefaultCalls, expectedCalls) << c.name;
        EXPECT_EQ(RunFlag.load(), 1) << c.name;
        EXPECT_TRUE(QuitCodes.empty()) << c.name;
    }
}

TEST_F(WindowProc, DestroyStopsTheRunAndPostsQuitWithoutTouchingKeys) {
    KeyTable[VK_LEFT].store(1);
    EXPECT_EQ(baseWinProc(SomeWindow, WM_DESTROY, 0, 0), 0);
    EXPECT_EQ(RunFlag.load(), 0);
    EXPECT_EQ(QuitCodes, std::vector<int>{0});
    EXPECT_TRUE(DefaultCalls.empty());
    EXPECT_EQ(keysDown(), std::vector<std::uint32_t>{VK_LEFT});

    // Destroyed again at shutdown, with RunFlag already 0.
    EXPECT_EQ(baseWinProc(SomeWindow, WM_DESTROY, 0, 0), 0);
    EXPECT_EQ(RunFlag.load(), 0);
    EXPECT_EQ(QuitCodes, (std::vector<int>{0, 0}));
}

}  // namespace
