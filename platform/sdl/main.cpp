// The process entry on Linux: hands over to the program's WinMain on the main thread, with the
// command line after the program's name as Win32 gives it, and makes its result the exit status.
// Like a Win32 process, it leaves the rest to the end of the process: SDL is not shut down, so the
// GL contexts, which the program never releases, stay with their driver until the process ends.
#include <string>

#include "platform/sdl/host.h"

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
}
