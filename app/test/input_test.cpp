#include <gtest/gtest.h>

#include <cstdint>

#include "app/input.h"

namespace {

void clearKeys() {
    for (auto& entry : KeyTable) entry.store(0);
}

TEST(InputState, StartsWithEveryKeyUpAndRunning) {
    for (auto& entry : KeyTable) EXPECT_EQ(entry.load(), 0);
    EXPECT_EQ(RunFlag.load(), 1);
}

TEST(InputState, KeyDownAndUpSetAndClearTheirOwnEntryOnly) {
    clearKeys();
    for (std::uint32_t code : {0u, 0x10u, 0x25u, 0x6Bu, 0x7Bu, 0xBBu, 255u}) {
        keyDown(code);
        for (std::uint32_t other = 0; other < 256; ++other)
            EXPECT_EQ(KeyTable[other].load(), other == code ? 1 : 0) << "after key-down " << code;
        keyDown(code);  // a repeat stores 1 again
        EXPECT_EQ(KeyTable[code].load(), 1);
        keyUp(code);
        EXPECT_EQ(KeyTable[code].load(), 0);
    }
}

TEST(InputState, BothShiftKeysShareOneEntry) {
    clearKeys();
    keyDown(VK_SHIFT);  // left Shift
    keyDown(VK_SHIFT);  // right Shift
    keyUp(VK_SHIFT);    // one released while the other is held
    EXPECT_EQ(KeyTable[VK_SHIFT].load(), 0);
}

TEST(InputState, KeypadAndMainPlusMinusAreFourEntries) {
    clearKeys();
    const std::uint32_t codes[] = {VK_ADD, VK_SUBTRACT, VK_OEM_PLUS, VK_OEM_MINUS};
    for (std::uint32_t pressed : codes) {
        keyDown(pressed);
        for (std::uint32_t code : codes) EXPECT_EQ(KeyTable[code].load(), code == pressed ? 1 : 0);
        keyUp(pressed);
    }
}

TEST(InputState, CodesOutsideTheTableChangeNothing) {
    clearKeys();
    for (std::uint32_t code : {256u, 257u, 0x1FFu, 0xFFFFFFFFu}) {
        keyDown(code);
        keyUp(code);
        keyDown(code);
    }
    for (auto& entry : KeyTable) EXPECT_EQ(entry.load(), 0);
}

TEST(InputState, WindowDestroyedStopsTheRunForGood) {
    clearKeys();
    keyDown(VK_UP);
    windowDestroyed();
    EXPECT_EQ(RunFlag.load(), 0);
    windowDestroyed();  // destroying again at shutdown stores 0 again
    keyDown(VK_DOWN);
    keyUp(VK_DOWN);
    EXPECT_EQ(RunFlag.load(), 0);
    EXPECT_EQ(KeyTable[VK_UP].load(), 1);  // the input state is otherwise unchanged
}

}  // namespace
