// Test hooks of the SDL platform: make chosen calls fail without a real failure, show message
// boxes into a list instead of on the screen, and look at the windows and classes that exist.
// Only test programs call these; the program itself never does.
#pragma once

#include <string>
#include <vector>

// The calls that can be made to fail. Each fails the way the real call reports failure
// (a null handle, 0 or FALSE) and makes or changes nothing.
enum class PlatformCall {
    RegisterClassExA,
    CreateWindowExA,
    GetDC,
    ChoosePixelFormat,
    SetPixelFormat,
    wglCreateContext,
    wglMakeCurrent,
    CreateThread,
};

// From now on every call of this kind fails. Main thread, before WinMain.
void failPlatformCall(PlatformCall call);

// The name of the call, as written above, and its inverse (false for an unknown name).
const char* platformCallName(PlatformCall call);
bool platformCallFromName(const std::string& name, PlatformCall& call);

// From now on MessageBoxA records "caption: text" and returns IDOK at once. Main thread, before
// WinMain.
void recordMessageBoxes();

// The boxes recorded so far, oldest first. Any thread.
std::vector<std::string> recordedMessageBoxes();

// What exists now. Main thread.
struct PlatformCensus {
    int windowsMade;     // by CreateWindowExA, ever
    int windowsLive;     // not destroyed
    int windowsShown;    // live and mapped on the screen
    int classes;         // registered and not unregistered
    int threadsStarted;  // by CreateThread, ever
};
PlatformCensus platformCensus();
