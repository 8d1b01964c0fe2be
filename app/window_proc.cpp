#include "app/input.h"
#include "app/shell.h"

namespace {

// The key operations take 32-bit codes; a wider wParam must not wrap into the table's range.
std::uint32_t keyCode(WPARAM wParam) { return wParam <= 0xFFFFFFFFu ? static_cast<std::uint32_t>(wParam) : 0xFFFFFFFFu; }

}  // namespace

LRESULT CALLBACK baseWinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        windowDestroyed();
        PostQuitMessage(0);  // never retrieved: the message loop stops on RunFlag first
        return 0;
    case WM_KEYDOWN: keyDown(keyCode(wParam)); return 0;
    case WM_KEYUP: keyUp(keyCode(wParam)); return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
