#include "platform/sdl/x11_window.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <vector>

namespace {

// Motif window-manager hints, the property most window managers read for allowed functions.
constexpr unsigned long MwmHintsFunctions = 1, MwmHintsDecorations = 2;
constexpr unsigned long MwmFuncMove = 4, MwmFuncClose = 32;
constexpr unsigned long MwmDecorBorder = 2, MwmDecorTitle = 8, MwmDecorMenu = 16;

struct X11Window {
    Display* display;
    Window window;
};

bool x11Window(SDL_Window* window, X11Window& out) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    out = {info.info.x11.display, info.info.x11.window};
    return true;
}

}  // namespace

void offerOnlyTheCloseBox(SDL_Window* window) {
    X11Window x{};
    if (!x11Window(window, x)) return;
    // Format-32 properties travel as longs in Xlib: flags, functions, decorations, input mode, status.
    long hints[5] = {static_cast<long>(MwmHintsFunctions | MwmHintsDecorations),
                     static_cast<long>(MwmFuncMove | MwmFuncClose),
                     static_cast<long>(MwmDecorBorder | MwmDecorTitle | MwmDecorMenu), 0, 0};
    Atom atom = XInternAtom(x.display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(x.display, x.window, atom, atom, 32, PropModeReplace, reinterpret_cast<unsigned char*>(hints), 5);
}

void setWindowIcons(SDL_Window* window, std::span<const WindowIcon> icons) {
    X11Window x{};
    if (!x11Window(window, x)) return;
    // _NET_WM_ICON: for each image its width, its height, then one ARGB value per pixel, as longs.
    std::vector<long> data;
    for (const WindowIcon& icon : icons) {
        data.push_back(icon.size);
        data.push_back(icon.size);
        for (int i = 0; i < icon.size * icon.size; ++i) {
            const unsigned char* p = icon.rgba + 4 * i;
            data.push_back(static_cast<long>((static_cast<unsigned long>(p[3]) << 24) | (p[0] << 16) | (p[1] << 8) | p[2]));
        }
    }
    Atom netWmIcon = XInternAtom(x.display, "_NET_WM_ICON", False);
    XChangeProperty(x.display, x.window, netWmIcon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(data.data()), static_cast<int>(data.size()));
}
