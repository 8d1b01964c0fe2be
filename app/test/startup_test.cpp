// The program's start-up failures and its end after a resource failure, each run for real in a
// fresh process (startup_probe) on a virtual X server: real SDL window, real GL contexts, the
// platform call made to fail by the platform's test hook, message boxes recorded.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct ProbeRun {
    std::string output;
    int status;
};

// Runs the probe with its working directory in an empty temporary folder, so no res/ is there.
// A probe that hangs is stopped after a minute and fails its case.
ProbeRun runProbe(const std::string& failingCall) {
    char folder[] = "/tmp/velmory-probe-XXXXXX";
    if (mkdtemp(folder) == nullptr) return {"mkdtemp failed", -1};
    const std::string command = "cd '" + std::string(folder) + "' && timeout 60 '" STARTUP_PROBE "' " + failingCall;
    ProbeRun run{"", -1};
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.output += buffer;
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::filesystem::remove_all(folder);
    return run;
}

struct Case {
    const char* failingCall;
    const char* expected;
};

constexpr const char* GlStartupFailed =
    "result 0\n"
    "box Error: GL Startup Failed!\n"
    "windows made 1 live 1 shown 1\n"  // the window stays on the screen behind the box
    "classes 1\n"
    "threads 0\n";

const Case Cases[] = {
    {"RegisterClassExA",
     "result 0\n"
     "box Error: Register Window Class Failed!\n"
     "windows made 0 live 0 shown 0\n"
     "classes 0\n"
     "threads 0\n"},
    {"CreateWindowExA",
     "result 0\n"
     "box Error: GL Startup Failed!\n"
     "windows made 0 live 0 shown 0\n"
     "classes 1\n"
     "threads 0\n"},
    {"GetDC", GlStartupFailed},
    {"ChoosePixelFormat", GlStartupFailed},
    {"SetPixelFormat", GlStartupFailed},
    {"wglCreateContext", GlStartupFailed},
    {"wglMakeCurrent", GlStartupFailed},
    {"CreateThread",  // no box: the window is destroyed and the class unregistered
     "result 0\n"
     "windows made 1 live 0 shown 0\n"
     "classes 0\n"
     "threads 0\n"},
};

TEST(StartupFailure, EachFailingStepShowsItsBoxAndLeavesWhatTheRunMade) {
    for (const Case& c : Cases) {
        const ProbeRun run = runProbe(c.failingCall);
        EXPECT_EQ(run.status, 0) << c.failingCall;
        EXPECT_EQ(run.output, c.expected) << c.failingCall;
    }
}

// With no failing call but no resource files, the whole program runs: the render thread shows
// the hand image's box, ends, and wakes the message loop, so WinMain returns with no input at all.
TEST(StartupFailure, MissingHandImageEndsTheRunWithoutAnyInput) {
    const ProbeRun run = runProbe("");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output,
              "result 0\n"
              "box Error: Could not find resource file 'res\\hd'!\n"
              "windows made 1 live 0 shown 0\n"
              "classes 0\n"
              "threads 1\n");
}

}  // namespace
