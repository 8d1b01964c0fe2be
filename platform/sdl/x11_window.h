// What SDL2 cannot ask of an X11 window manager: the allowed window functions and an icon of
// more than one size. On other window systems these do nothing. Main thread.
#pragma once

#include <span>

struct SDL_Window;

// One square icon image, RGBA bytes, top row first.
struct WindowIcon {
    int size;
    const unsigned char* rgba;
};

// Asks the window manager for a title bar and a close box only: no minimise or maximise box and
// no sizing. Before the window is shown.
void offerOnlyTheCloseBox(SDL_Window* window);

// Gives the window manager every image of the icon, to pick the size it shows.
void setWindowIcons(SDL_Window* window, std::span<const WindowIcon> icons);
