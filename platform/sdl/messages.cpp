// The message queue and window procedures on SDL2's event queue.
//
// GetMessageA waits in SDL_WaitEvent, which sleeps until an event arrives, and returns, oldest
// first: the messages posted with PostMessageA (as Win32, before input), then SDL's events as
// Win32 messages:
//   key down / repeat / up  -> WM_KEYDOWN, WM_KEYUP, or WM_SYSKEYDOWN, WM_SYSKEYUP (see keymap.h)
//   text typed              -> WM_CHAR, one per character up to U+00FF (the ANSI range)
//   mouse motion, buttons   -> WM_MOUSEMOVE, WM_[LRM]BUTTONDOWN / UP, client coordinates
//   close request           -> WM_CLOSE
//   exposure                -> WM_PAINT
// and WM_QUIT after PostQuitMessage once nothing else waits. Events for windows already
// destroyed, and every other event, make no message. Window and range filters are not
// implemented: GetMessageA retrieves every message. Main thread, except PostMessageA.
#include <deque>
#include <iterator>
#include <mutex>

#include "platform/sdl/host.h"
#include "platform/sdl/keymap.h"

namespace {

struct PostedQueue {
    std::mutex lock;
    std::deque<MSG> messages;
};

PostedQueue& posted() {
    static PostedQueue& q = *new PostedQueue;
    return q;
}

// Main thread only.
std::deque<MSG> TypedCharacters;  // WM_CHARs of a text event that held more than one character
bool QuitPosted = false;
int QuitCode = 0;

// Messages posted to a window that has been destroyed since are dropped, as in Win32.
bool takePosted(MSG& msg) {
    PostedQueue& q = posted();
    std::lock_guard lock(q.lock);
    while (!q.messages.empty()) {
        msg = q.messages.front();
        q.messages.pop_front();
        if (msg.hwnd == nullptr || isLiveWindow(msg.hwnd)) return true;
    }
    return false;
}

constexpr LPARAM pointParam(int x, int y) {
    return static_cast<LPARAM>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16) |
                               static_cast<std::uint16_t>(x));
}

WPARAM mouseKeys(std::uint32_t buttons) {
    WPARAM keys = 0;
    if ((buttons & SDL_BUTTON_LMASK) != 0) keys |= MK_LBUTTON;
    if ((buttons & SDL_BUTTON_RMASK) != 0) keys |= MK_RBUTTON;
    if ((buttons & SDL_BUTTON_MMASK) != 0) keys |= MK_MBUTTON;
    const SDL_Keymod mod = SDL_GetModState();
    if ((mod & KMOD_SHIFT) != 0) keys |= MK_SHIFT;
    if ((mod & KMOD_CTRL) != 0) keys |= MK_CONTROL;
    return keys;
}

// When a window loses the keyboard focus, SDL releases every key it holds down: one key-up each,
// queued in the same pass as, and right before, the window's focus-lost event. Win32 sends no
// such key-ups: a key released while another window has the focus stays down here until a key-up
// for it reaches this window. So a key-up that only other key-ups separate from this window's
// focus-lost event, already queued, is SDL's own and makes no message.
bool releasedByFocusLoss(const SDL_KeyboardEvent& key) {
    SDL_Event pending[SDL_NUM_SCANCODES + 1];
    const int count = SDL_PeepEvents(pending, static_cast<int>(std::size(pending)), SDL_PEEKEVENT, SDL_FIRSTEVENT,
                                     SDL_LASTEVENT);
    for (int i = 0; i < count; ++i) {
        const SDL_Event& next = pending[i];
        if (next.type == SDL_KEYUP && next.key.windowID == key.windowID) continue;
        return next.type == SDL_WINDOWEVENT && next.window.event == SDL_WINDOWEVENT_FOCUS_LOST &&
               next.window.windowID == key.windowID;
    }
    return false;
}

bool fromKey(const SDL_KeyboardEvent& key, MSG& msg) {
    if (key.state == SDL_RELEASED && releasedByFocusLoss(key)) return false;
    const KeyMessage m = keyMessage(key.state == SDL_PRESSED, key.keysym.scancode, (key.keysym.mod & KMOD_ALT) != 0,
                                    (key.keysym.mod & KMOD_CTRL) != 0, key.repeat != 0);
    if (m.message == 0) return false;
    msg.message = m.message;
    msg.wParam = m.wParam;
    msg.lParam = m.lParam;
    return true;
}

// Decodes the UTF-8 text; the first character becomes msg, the others wait in TypedCharacters.
bool fromText(const SDL_TextInputEvent& text, MSG& msg) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.text);
    bool first = true;
    while (*p != 0) {
        std::uint32_t c = *p++;
        if (c >= 0xC0 && c < 0xE0 && (*p & 0xC0) == 0x80) c = ((c & 0x1F) << 6) | (*p++ & 0x3F);
        else if (c >= 0x80) continue;  // outside the ANSI range: no character message
        MSG character = msg;
        character.message = WM_CHAR;
        character.wParam = c;
        character.lParam = 1;
        if (first) msg = character;
        else TypedCharacters.push_back(character);
        first = false;
    }
    return !first;
}

bool fromMouseMotion(const SDL_MouseMotionEvent& motion, MSG& msg) {
    msg.message = WM_MOUSEMOVE;
    msg.wParam = mouseKeys(motion.state);
    msg.lParam = pointParam(motion.x, motion.y);
    msg.pt = POINT{motion.x, motion.y};
    return true;
}

bool fromMouseButton(const SDL_MouseButtonEvent& button, MSG& msg) {
    const bool down = button.state == SDL_PRESSED;
    switch (button.button) {
    case SDL_BUTTON_LEFT: msg.message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
    case SDL_BUTTON_RIGHT: msg.message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
    case SDL_BUTTON_MIDDLE: msg.message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
    default: return false;
    }
    msg.wParam = mouseKeys(SDL_GetMouseState(nullptr, nullptr));
    msg.lParam = pointParam(button.x, button.y);
    msg.pt = POINT{button.x, button.y};
    return true;
}

bool fromWindowEvent(const SDL_WindowEvent& window, MSG& msg) {
    switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE: msg.message = WM_CLOSE; return true;
    case SDL_WINDOWEVENT_EXPOSED: msg.message = WM_PAINT; return true;
    default: return false;
    }
}

std::uint32_t windowIdOf(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: return event.key.windowID;
    case SDL_TEXTINPUT: return event.text.windowID;
    case SDL_MOUSEMOTION: return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return event.button.windowID;
    case SDL_WINDOWEVENT: return event.window.windowID;
    default: return 0;
    }
}

// The message an SDL event makes, if any.
bool messageFromEvent(const SDL_Event& event, MSG& msg) {
    msg = MSG{};
    msg.hwnd = liveWindowFromSdlId(windowIdOf(event));
    if (msg.hwnd == nullptr) return false;
    msg.time = event.common.timestamp;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: return fromKey(event.key, msg);
    case SDL_TEXTINPUT: return fromText(event.text, msg);
    case SDL_MOUSEMOTION: return fromMouseMotion(event.motion, msg);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return fromMouseButton(event.button, msg);
    case SDL_WINDOWEVENT: return fromWindowEvent(event.window, msg);
    default: return false;
    }
}

bool nextQueued(MSG& msg) {
    if (takePosted(msg)) return true;
    if (TypedCharacters.empty()) return false;
    msg = TypedCharacters.front();
    TypedCharacters.pop_front();
    return true;
}

}  // namespace

BOOL WINAPI GetMessageA(MSG* msg, HWND, UINT, UINT) {
    if (msg == nullptr || !startVideo()) return -1;
    releaseDestroyedWindows();
    for (;;) {
        if (nextQueued(*msg)) return TRUE;
        SDL_Event event;
        if (QuitPosted) {
            if (SDL_PollEvent(&event) == 0) {
                *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(QuitCode), 0, SDL_GetTicks(), {}};
                QuitPosted = false;
                return FALSE;
            }
        } else if (SDL_WaitEvent(&event) == 0) {
            return -1;
        }
        if (messageFromEvent(event, *msg)) return TRUE;
    }
}

BOOL WINAPI TranslateMessage(const MSG* msg) {
    // The character messages come from SDL's text input, which already follows the keyboard
    // layout; all that is left is the answer: whether msg was a key-down.
    return msg != nullptr && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) ? TRUE : FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || !isLiveWindow(msg->hwnd)) return 0;
    return msg->hwnd->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    constexpr LPARAM AltHeldBit = LPARAM{1} << 29;
    switch (message) {
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSKEYDOWN:
        // Alt+F4 is the system menu's Close, which sends WM_CLOSE (the window manager usually
        // takes Alt+F4 itself and sends a close request instead).
        if (wParam == VK_F4 && (lParam & AltHeldBit) != 0 && isLiveWindow(hwnd))
            return hwnd->proc(hwnd, WM_CLOSE, 0, 0);
        return 0;
    default: return 0;
    }
}

void WINAPI PostQuitMessage(int exitCode) {
    QuitPosted = true;
    QuitCode = exitCode;
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!isLiveWindow(hwnd)) return FALSE;
    {
        PostedQueue& q = posted();
        std::lock_guard lock(q.lock);
        q.messages.push_back(MSG{hwnd, message, wParam, lParam, SDL_GetTicks(), {}});
    }
    SDL_Event wake{};
    wake.type = wakeEventType();
    return SDL_PushEvent(&wake) >= 0 ? TRUE : FALSE;
}
