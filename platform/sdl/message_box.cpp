// MessageBoxA on SDL's message box: a real modal box with the caption, the text and one OK
// button, which blocks the calling thread until it is dismissed. Where no display can show one,
// "caption: text" goes to standard error instead. Owner windows and button sets other than OK
// are not implemented; the result is always IDOK. Any thread.
#include <cstdio>

#include "platform/sdl/host.h"

namespace {

Uint32 boxFlags(UINT type) {
    switch (type & 0xF0) {
    case MB_ICONWARNING: return SDL_MESSAGEBOX_WARNING;
    case MB_ICONINFORMATION: return SDL_MESSAGEBOX_INFORMATION;
    default: return SDL_MESSAGEBOX_ERROR;
    }
}

}  // namespace

int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    if (text == nullptr) text = "";
    if (caption == nullptr) caption = "Error";  // Win32's caption when none is given
    if (recordedInsteadOfShown(caption, text)) return IDOK;
    if (SDL_ShowSimpleMessageBox(boxFlags(type), caption, text, nullptr) != 0) {
        std::fprintf(stderr, "%s: %s\n", caption, text);
        std::fflush(stderr);
    }
    return IDOK;
}
