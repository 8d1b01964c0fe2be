// The process entry on Linux: hands over to the program's WinMain on the main thread, with the
// command line after the program's name as Win32 gives it, and makes its result the exit status.
#include <string>

#include "platform/sdl/host.h"

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    const int result = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
    stopHost();
    return result;
}
