// Window classes, windows, their device contexts and pixel formats, and GL contexts, on SDL2.
//
// Implemented as Velmory uses them:
//   - classes by name (not by atom); the class's icon (resource 129) and arrow cursor;
//   - top-level windows only: WS_VISIBLE decides whether the window is shown; every window is
//     fixed in size, offers only the close box where the window system allows, and is sized by
//     its frame as in Win32 (the client area is what the window manager's frame leaves of it);
//   - one device context per window (as with CS_OWNDC) and one pixel format per window, index 1:
//     RGB 8-8-8, no alpha, double-buffered, 16-bit depth;
//   - GL contexts made for the calling thread, sharing nothing, never current as a side effect.
// Not implemented: child windows, menus, sizing styles, ShowWindow, SetWindowPos, the window
// creation messages (WM_NCCREATE, WM_CREATE), context deletion.
#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/sdl/host.h"
#include "platform/sdl/icon129.inc"
#include "platform/sdl/x11_window.h"

namespace {

constexpr ATOM FirstClassAtom = 0xC000;  // where Win32 numbers registered classes from
constexpr int IconResource = 129;
constexpr int ArrowCursorId = 32512;     // IDC_ARROW

// The pixel format that every window of this platform has. An X11 window's visual is fixed when
// the window is made, so the window is made with this format, ChoosePixelFormat matches a request
// to it, and SetPixelFormat records it.
struct GlFormat {
    int red, green, blue, alpha, depth, stencil, doubleBuffer;
};
constexpr GlFormat WindowFormat{8, 8, 8, 0, 16, 0, 1};
constexpr int WindowFormatIndex = 1;

HINSTANCE__ Module{};
HICON__ Icon129{IconResource};
HICON__ ArrowCursor{ArrowCursorId};

struct Registry {
    std::vector<std::unique_ptr<WindowClass>> classes;  // main thread
    ATOM nextAtom = FirstClassAtom;
    std::mutex lock;  // guards windows and contexts, which other threads look up
    std::vector<std::unique_ptr<HWND__>> windows;   // every window made; records last until exit
    std::vector<std::unique_ptr<HGLRC__>> contexts;
    SDL_Cursor* arrow = nullptr;
    bool videoStarted = false;
    std::atomic<std::uint32_t> wakeType{0};
};

// Never destroyed, so that nothing depends on the order of static destruction at exit.
Registry& registry() {
    static Registry& r = *new Registry;
    return r;
}

WindowClass* findClass(const char* name) {
    if (name == nullptr) return nullptr;
    for (auto& c : registry().classes)
        if (c->name == name) return c.get();
    return nullptr;
}

void setGlAttributes(const GlFormat& f) {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, f.red);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, f.green);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, f.blue);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, f.alpha);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, f.depth);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, f.stencil);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, f.doubleBuffer);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
}

// Icon 129 is one group of two images; the window manager picks the size it shows.
void setIcons(SDL_Window* sdl, HICON large, HICON small) {
    if (large != &Icon129 && small != &Icon129) return;
    const WindowIcon icons[] = {{Icon16Size, Icon16Rgba}, {Icon129Size, Icon129Rgba}};
    setWindowIcons(sdl, icons);
}

void setCursor(HCURSOR cursor) {
    Registry& r = registry();
    if (cursor != &ArrowCursor) return;
    if (r.arrow == nullptr) r.arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    if (r.arrow != nullptr) SDL_SetCursor(r.arrow);
}

// Win32 sizes a window by its frame, SDL by its client area. Once the window manager has framed
// the window, the client area gives up the frame's share so that the whole keeps the asked size.
// With no window manager there is no frame and the client area is the whole size.
void fitFrameInto(SDL_Window* sdl, int width, int height) {
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(sdl, &top, &left, &bottom, &right) != 0) return;
    if (top == 0 && left == 0 && bottom == 0 && right == 0) return;
    SDL_SetWindowSize(sdl, std::max(1, width - left - right), std::max(1, height - top - bottom));
}

HWND addWindow(SDL_Window* sdl, const WindowClass& windowClass) {
    auto window = std::make_unique<HWND__>();
    window->sdl = sdl;
    window->sdlId = SDL_GetWindowID(sdl);
    window->proc = windowClass.record.lpfnWndProc;
    window->className = windowClass.name;
    Registry& r = registry();
    std::lock_guard lock(r.lock);
    r.windows.push_back(std::move(window));
    return r.windows.back().get();
}

bool hasWindowsOfClass(const std::string& name) {
    Registry& r = registry();
    std::lock_guard lock(r.lock);
    return std::any_of(r.windows.begin(), r.windows.end(),
                       [&](const auto& w) { return w->alive.load() && w->className == name; });
}

}  // namespace

// ---- Services shared inside the platform ----

std::uint32_t wakeEventType() { return registry().wakeType.load(); }

bool startVideo() {
    Registry& r = registry();
    if (r.videoStarted) return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // Ctrl+C and SIGTERM end the process as usual
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    // With no window system SDL falls back to drivers that draw nowhere (offscreen, dummy, KMS);
    // a window there would be invisible, so there is no window to be had.
    const std::string driver = SDL_GetCurrentVideoDriver();
    if (driver != "x11" && driver != "wayland") {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    r.wakeType.store(SDL_RegisterEvents(1));
    r.videoStarted = true;
    return true;
}

HWND liveWindowFromSdlId(std::uint32_t sdlId) {
    Registry& r = registry();
    std::lock_guard lock(r.lock);
    for (auto& w : r.windows)
        if (w->sdlId == sdlId && w->alive.load()) return w.get();
    return nullptr;
}

bool isLiveWindow(HWND hwnd) {
    if (hwnd == nullptr) return false;
    Registry& r = registry();
    std::lock_guard lock(r.lock);
    return std::any_of(r.windows.begin(), r.windows.end(),
                       [&](const auto& w) { return w.get() == hwnd && w->alive.load(); });
}

void releaseDestroyedWindows() {
    if (runningThreads() > 0) return;
    Registry& r = registry();
    std::lock_guard lock(r.lock);
    for (auto& w : r.windows) {
        if (w->alive.load() || w->sdl == nullptr) continue;
        SDL_DestroyWindow(w->sdl);
        w->sdl = nullptr;
    }
}

PlatformCensus platformCensus() {
    Registry& r = registry();
    PlatformCensus census{};
    census.classes = static_cast<int>(r.classes.size());
    census.threadsStarted = threadsStarted();
    std::lock_guard lock(r.lock);
    census.windowsMade = static_cast<int>(r.windows.size());
    for (auto& w : r.windows) {
        if (!w->alive.load()) continue;
        ++census.windowsLive;
        if (w->sdl != nullptr && (SDL_GetWindowFlags(w->sdl) & SDL_WINDOW_SHOWN) != 0) ++census.windowsShown;
    }
    return census;
}

// ---- Module, icons, cursors, classes ----

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) { return moduleName == nullptr ? &Module : nullptr; }

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    return instance == &Module && name == MAKEINTRESOURCEA(IconResource) ? &Icon129 : nullptr;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    return instance == nullptr && name == IDC_ARROW ? &ArrowCursor : nullptr;
}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
    if (injectedFailure(PlatformCall::RegisterClassExA)) return 0;
    if (wc == nullptr || wc->cbSize != sizeof(WNDCLASSEXA) || wc->lpfnWndProc == nullptr ||
        wc->lpszClassName == nullptr || findClass(wc->lpszClassName) != nullptr)
        return 0;
    Registry& r = registry();
    auto entry = std::make_unique<WindowClass>();
    entry->name = wc->lpszClassName;
    entry->record = *wc;
    entry->record.lpszClassName = entry->name.c_str();
    entry->atom = r.nextAtom++;
    r.classes.push_back(std::move(entry));
    return r.classes.back()->atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE) {
    WindowClass* found = findClass(className);
    if (found == nullptr || hasWindowsOfClass(found->name)) return FALSE;
    auto& classes = registry().classes;
    classes.erase(std::find_if(classes.begin(), classes.end(), [&](const auto& c) { return c.get() == found; }));
    releaseDestroyedWindows();
    return TRUE;
}

// ---- Windows ----

HWND WINAPI CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                            int height, HWND parent, HMENU menu, HINSTANCE, LPVOID) {
    if (injectedFailure(PlatformCall::CreateWindowExA)) return nullptr;
    const WindowClass* windowClass = findClass(className);
    if (windowClass == nullptr || parent != nullptr || menu != nullptr || !startVideo()) return nullptr;

    setGlAttributes(WindowFormat);
    // Made hidden so that the window manager sees the icon and the allowed functions when it maps it.
    SDL_Window* sdl = SDL_CreateWindow(windowName != nullptr ? windowName : "", x, y, width, height,
                                       SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (sdl == nullptr) return nullptr;
    setIcons(sdl, windowClass->record.hIcon, windowClass->record.hIconSm);
    offerOnlyTheCloseBox(sdl);
    setCursor(windowClass->record.hCursor);
    if ((style & WS_VISIBLE) != 0) {
        SDL_ShowWindow(sdl);
        fitFrameInto(sdl, width, height);
    }
    return addWindow(sdl, *windowClass);
}

BOOL WINAPI IsWindow(HWND hwnd) { return isLiveWindow(hwnd) ? TRUE : FALSE; }

BOOL WINAPI DestroyWindow(HWND hwnd) {
    if (!isLiveWindow(hwnd) || hwnd->destroying) return FALSE;
    hwnd->destroying = true;
    // Off the screen at once; the drawable itself stays until no started thread can draw into it.
    SDL_HideWindow(hwnd->sdl);
    hwnd->proc(hwnd, WM_DESTROY, 0, 0);
    hwnd->alive.store(false);
    releaseDestroyedWindows();
    return TRUE;
}

// ---- Device contexts and pixel formats ----

HDC WINAPI GetDC(HWND hwnd) {
    if (injectedFailure(PlatformCall::GetDC) || !isLiveWindow(hwnd)) return nullptr;
    return &hwnd->dc;
}

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* pfd) {
    if (injectedFailure(PlatformCall::ChoosePixelFormat) || dc == nullptr || pfd == nullptr) return 0;
    constexpr DWORD Needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if (pfd->iPixelType != PFD_TYPE_RGBA || (pfd->dwFlags & Needed) != Needed) return 0;
    return WindowFormatIndex;
}

BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR*) {
    if (injectedFailure(PlatformCall::SetPixelFormat) || dc == nullptr || !isLiveWindow(dc->window)) return FALSE;
    if (format != WindowFormatIndex) return FALSE;
    int unset = 0;  // a window's format is set once; setting the same one again is harmless
    return dc->pixelFormat.compare_exchange_strong(unset, format) || unset == format ? TRUE : FALSE;
}

// ---- GL contexts ----

HGLRC WINAPI wglCreateContext(HDC dc) {
    if (injectedFailure(PlatformCall::wglCreateContext) || dc == nullptr || dc->window->sdl == nullptr ||
        dc->pixelFormat.load() == 0)
        return nullptr;
    // SDL makes a new context current; wglCreateContext does not, so the caller's binding returns.
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previous = SDL_GL_GetCurrentContext();
    SDL_GLContext context = SDL_GL_CreateContext(dc->window->sdl);
    if (context == nullptr) return nullptr;
    SDL_GL_MakeCurrent(previous != nullptr ? previousWindow : nullptr, previous);

    Registry& r = registry();
    std::lock_guard lock(r.lock);
    r.contexts.push_back(std::make_unique<HGLRC__>(HGLRC__{context}));
    return r.contexts.back().get();
}

BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context) {
    if (injectedFailure(PlatformCall::wglMakeCurrent)) return FALSE;
    if (context == nullptr) return SDL_GL_MakeCurrent(nullptr, nullptr) == 0 ? TRUE : FALSE;
    if (dc == nullptr || dc->window->sdl == nullptr) return FALSE;
    return SDL_GL_MakeCurrent(dc->window->sdl, context->sdl) == 0 ? TRUE : FALSE;
}

BOOL WINAPI SwapBuffers(HDC dc) {
    if (dc == nullptr || dc->window->sdl == nullptr) return FALSE;
    SDL_GL_SwapWindow(dc->window->sdl);
    return TRUE;
}
