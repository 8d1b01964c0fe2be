// The application shell: the program's entry WinMain (declared with the platform), the window
// class, the window with its pixel format and first GL context, the render thread's entry and the
// window procedure. Win32 only: it builds against the real <windows.h> as well as against
// platform/'s slice of it.
#pragma once

#include "platform/win32.h"

// Registers the class "OpenGLBaseWin" with baseWinProc, icon 129 and the arrow cursor. True when
// Win32 gave it a class atom. Main thread.
bool registerBaseWinClass();

// Makes the window, takes its device context as WindowDC, sets the pixel format, makes the main
// thread's GL context current and clears the window to black once. Stops at the first step that
// fails, keeping what it made, and returns false. Main thread.
bool createGLWindow();

// The render thread's entry: its own GL context on WindowDC, then the hands scene until it
// returns; then RunFlag becomes 0 and the main thread's message loop is woken. Render thread.
DWORD WINAPI renderThreadProc(LPVOID param);

// The window procedure of "OpenGLBaseWin": key-downs and key-ups into KeyTable, RunFlag cleared
// on WM_DESTROY, mouse input ignored, everything else to DefWindowProcA. Main thread.
LRESULT CALLBACK baseWinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
