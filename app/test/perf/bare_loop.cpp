// The bare loop that the program's frame rate is compared with: the same platform, window class
// style, window, pixel format and two contexts as the program, but the render thread only clears
// and swaps, as fast as the swap allows, for the given time.
//   bare_loop SECONDS   prints: frames N seconds S fps F
#include <GL/gl.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "platform/win32.h"

namespace {

HWND Window = nullptr;
HDC Dc = nullptr;
int Milliseconds = 5000;
std::atomic<bool> Done{false};

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

DWORD WINAPI renderLoop(LPVOID) {
    wglMakeCurrent(Dc, wglCreateContext(Dc));
    glClearColor(1, 1, 1, 1);
    const std::int32_t start = processMilliseconds();
    long frames = 0;
    std::int32_t now = start;
    while (now - start < Milliseconds) {
        glClear(GL_COLOR_BUFFER_BIT);
        SwapBuffers(Dc);
        ++frames;
        now = processMilliseconds();
    }
    const double seconds = (now - start) / 1000.0;
    std::printf("frames %ld seconds %.3f fps %.1f\n", frames, seconds, frames / seconds);
    Done.store(true);
    PostMessageA(Window, WM_NULL, 0, 0);  // wakes the main thread's message loop
    return 0;
}

bool openWindow() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BareLoop";
    if (RegisterClassExA(&wc) == 0) return false;
    Window = CreateWindowExA(0, "BareLoop", "Bare loop", WS_VISIBLE | WS_SYSMENU, 0, 0, 800, 600, nullptr, nullptr,
                             wc.hInstance, nullptr);
    if (Window == nullptr || (Dc = GetDC(Window)) == nullptr) return false;
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 16;
    const int format = ChoosePixelFormat(Dc, &pfd);
    return format != 0 && SetPixelFormat(Dc, format, &pfd) && wglMakeCurrent(Dc, wglCreateContext(Dc));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2) Milliseconds = static_cast<int>(std::atof(argv[1]) * 1000);
    if (!openWindow()) {
        std::fprintf(stderr, "bare_loop: no window\n");
        return 1;
    }
    const HANDLE thread = CreateThread(nullptr, 0, renderLoop, nullptr, 0, nullptr);
    if (thread == nullptr) return 1;
    MSG msg{};
    while (!Done.load()) {
        GetMessageA(&msg, nullptr, 0, 0);
        DispatchMessageA(&msg);
    }
    DWORD exitCode = STILL_ACTIVE;
    while (exitCode == STILL_ACTIVE) GetExitCodeThread(thread, &exitCode);
    return 0;
}
