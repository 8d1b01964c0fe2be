// Inside the SDL platform: the records behind the Win32 handles and the few services that its
// parts share. Nothing outside platform/sdl/ includes this.
//
// Threads. SDL's video and event functions run on the main thread only. The render thread may
// make and bind its own GL context, swap, post messages, show a message box and read the clock;
// every record it reaches through a handle is complete before the handle is given out and lives
// until the process ends.
#pragma once

#include <SDL.h>

#include <atomic>
#include <string>

#include "platform/sdl/fault_injection.h"
#include "platform/win32.h"

// A registered window class (main thread).
struct WindowClass {
    std::string name;
    WNDCLASSEXA record;  // lpszClassName points at name
    ATOM atom;
};

// The one device context of a window (every window behaves as CS_OWNDC).
struct HDC__ {
    HWND__* window;
    std::atomic<int> pixelFormat{0};  // 0 until SetPixelFormat
};

struct HWND__ {
    SDL_Window* sdl = nullptr;  // kept after destruction until no started thread runs
    std::uint32_t sdlId = 0;
    WNDPROC proc = nullptr;
    std::string className;
    std::atomic<bool> alive{true};  // false from the end of DestroyWindow on
    bool destroying = false;        // inside DestroyWindow; main thread
    HDC__ dc{this};
};

struct HGLRC__ {
    SDL_GLContext sdl;
};

// Icons and cursors: the resource or system number they stand for.
struct HICON__ {
    int id;
};

struct HINSTANCE__ {
    int unused;
};

// The SDL event type that wakes GetMessageA when a message has been posted.
std::uint32_t wakeEventType();

// Starts SDL's video on first use. Main thread.
bool startVideo();

// The live window with this SDL window id, or null. Main thread.
HWND liveWindowFromSdlId(std::uint32_t sdlId);

// Whether hwnd is a live window made here. Any thread.
bool isLiveWindow(HWND hwnd);

// Destroys the SDL windows of destroyed windows once no started thread can still draw into them.
// Main thread.
void releaseDestroyedWindows();

// How many threads started by CreateThread have not yet been seen to end. Any thread.
int runningThreads();

// How many threads CreateThread has started, ever. Any thread.
int threadsStarted();

// Whether a test has made this call fail. Any thread.
bool injectedFailure(PlatformCall call);

// Records the box and returns true when a test has asked for boxes to be recorded. Any thread.
bool recordedInsteadOfShown(const char* caption, const char* text);
