#include "platform/headless/headless.h"

#include <GL/gl.h>

namespace {

struct HeadlessState {
    std::vector<HeadlessBox> boxes;
    int swaps = 0;
    HDC lastSwapDC = nullptr;
    std::int32_t clock = 0;
    HeadlessSwapHook hook = nullptr;
    void* hookContext = nullptr;
};

HeadlessState& state() {
    static HeadlessState s;
    return s;
}

}  // namespace

void headlessReset() { state() = HeadlessState{}; }

const std::vector<HeadlessBox>& headlessBoxes() { return state().boxes; }

int headlessSwapCount() { return state().swaps; }

HDC headlessLastSwapDC() { return state().lastSwapDC; }

void headlessSetClock(std::int32_t milliseconds) { state().clock = milliseconds; }

void headlessOnSwap(HeadlessSwapHook hook, void* context) {
    state().hook = hook;
    state().hookContext = context;
}

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    state().boxes.push_back(HeadlessBox{owner, text ? text : "", caption ? caption : "", type});
    return 1;  // IDOK
}

BOOL WINAPI SwapBuffers(HDC dc) {
    glFinish();
    HeadlessState& s = state();
    ++s.swaps;
    s.lastSwapDC = dc;
    if (s.hook != nullptr) s.hook(s.swaps, s.hookContext);
    return TRUE;
}

std::int32_t processMilliseconds() { return state().clock; }
