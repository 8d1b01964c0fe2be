// Runs the program's WinMain once in this process with the SDL platform, optionally with one
// platform call made to fail, message boxes recorded instead of shown, and prints what became of
// the run: WinMain's result, the boxes, and the windows, classes and threads that exist after it.
//
//   startup_probe [CALL]     CALL: a name from platform/sdl/fault_injection.h
#include <cstdio>
#include <string>

#include "platform/sdl/fault_injection.h"
#include "platform/win32.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: startup_probe [CALL]\n");
        return 2;
    }
    if (argc == 2) {
        PlatformCall call{};
        if (!platformCallFromName(argv[1], call)) {
            std::fprintf(stderr, "startup_probe: unknown call %s\n", argv[1]);
            return 2;
        }
        failPlatformCall(call);
    }
    recordMessageBoxes();

    const int result = WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWDEFAULT);

    std::printf("result %d\n", result);
    for (const std::string& box : recordedMessageBoxes()) std::printf("box %s\n", box.c_str());
    const PlatformCensus c = platformCensus();
    std::printf("windows made %d live %d shown %d\n", c.windowsMade, c.windowsLive, c.windowsShown);
    std::printf("classes %d\nthreads %d\n", c.classes, c.threadsStarted);
    return 0;
}
