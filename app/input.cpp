#include "app/input.h"

#include <cstddef>
#include <iterator>

KeyFlags KeyTable{};
std::atomic<std::int32_t> RunFlag{1};
HDC WindowDC = nullptr;

namespace {

void storeKey(std::uint32_t virtualKey, std::uint8_t down) {
    if (virtualKey >= std::size(KeyTable)) return;  // no entry: never written out of bounds
    KeyTable[virtualKey].store(down, std::memory_order_relaxed);
}

}  // namespace

void keyDown(std::uint32_t virtualKey) { storeKey(virtualKey, 1); }

void keyUp(std::uint32_t virtualKey) { storeKey(virtualKey, 0); }

void windowDestroyed() { RunFlag.store(0, std::memory_order_relaxed); }
