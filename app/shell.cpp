#include <GL/gl.h>

#include "app/input.h"
#include "app/shell.h"
#include "scene/scene.h"

namespace {

constexpr const char* ClassName = "OpenGLBaseWin";
constexpr int IconResource = 129;

// Set once by the main thread before the render thread starts, then only read.
HINSTANCE Instance = nullptr;
HWND Window = nullptr;

bool running() { return RunFlag.load(std::memory_order_relaxed) != 0; }

void errorBox(const char* message) { MessageBoxA(nullptr, message, "Error", MB_OK | MB_ICONERROR); }

PIXELFORMATDESCRIPTOR pixelFormatRequest() {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

}  // namespace

bool registerBaseWinClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(WNDCLASSEXA);
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    wc.lpfnWndProc = baseWinProc;
    wc.hInstance = Instance;
    wc.hIcon = LoadIconA(Instance, MAKEINTRESOURCEA(IconResource));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // only OpenGL paints the client area
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = ClassName;
    wc.hIconSm = LoadIconA(Instance, MAKEINTRESOURCEA(IconResource));
    return RegisterClassExA(&wc) != 0;
}

bool createGLWindow() {
    Window = CreateWindowExA(0, ClassName, "Velmory", WS_VISIBLE | WS_SYSMENU, 0, 0, 800, 600, nullptr, nullptr,
                             Instance, nullptr);
    if (Window == nullptr) return false;
    const PIXELFORMATDESCRIPTOR pfd = pixelFormatRequest();
    WindowDC = GetDC(Window);
    if (WindowDC == nullptr) return false;
    const int format = ChoosePixelFormat(WindowDC, &pfd);
    if (format == 0) return false;
    if (!SetPixelFormat(WindowDC, format, &pfd)) return false;
    const HGLRC context = wglCreateContext(WindowDC);
    if (context == nullptr) return false;
    if (!wglMakeCurrent(WindowDC, context)) return false;
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    SwapBuffers(WindowDC);  // black until the render thread swaps its first frame
    return true;
}

DWORD WINAPI renderThreadProc(LPVOID) {
    wglMakeCurrent(WindowDC, wglCreateContext(WindowDC));
    runHandsScene();
    RunFlag.store(0, std::memory_order_relaxed);
    // The message loop tests RunFlag only before it waits for a message; without this one it
    // would sleep on until some input happened to arrive. WM_NULL goes to DefWindowProcA.
    PostMessageA(Window, WM_NULL, 0, 0);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Instance = instance;
    if (!registerBaseWinClass()) {
        errorBox("Register Window Class Failed!");
        return 0;
    }
    if (!createGLWindow()) {
        errorBox("GL Startup Failed!");
        return 0;
    }

    const HANDLE renderThread = CreateThread(nullptr, 0, renderThreadProc, nullptr, 0, nullptr);
    if (renderThread != nullptr) {
        MSG msg{};
        while (running()) {
            GetMessageA(&msg, nullptr, 0, 0);
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DWORD exitCode = STILL_ACTIVE;
        while (exitCode == STILL_ACTIVE) GetExitCodeThread(renderThread, &exitCode);
    }

    if (IsWindow(Window)) DestroyWindow(Window);
    UnregisterClassA(ClassName, Instance);
    // However the run ended (Escape, a close, a resource failure, no render thread), the result is
    // 0 and not the wParam of the last message, which after Alt+F4 would be VK_F4.
    return 0;
}
