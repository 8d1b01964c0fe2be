#include "platform/sdl/fault_injection.h"

#include <array>
#include <atomic>
#include <iterator>
#include <mutex>

#include "platform/sdl/host.h"

namespace {

constexpr std::array CallNames{
    "RegisterClassExA", "CreateWindowExA", "GetDC",          "ChoosePixelFormat",
    "SetPixelFormat",   "wglCreateContext", "wglMakeCurrent", "CreateThread",
};

std::array<std::atomic<bool>, CallNames.size()> Failing{};

std::atomic<bool> RecordingBoxes{false};
std::mutex BoxesLock;
std::vector<std::string> Boxes;

}  // namespace

void failPlatformCall(PlatformCall call) { Failing[static_cast<std::size_t>(call)].store(true); }

bool injectedFailure(PlatformCall call) { return Failing[static_cast<std::size_t>(call)].load(); }

const char* platformCallName(PlatformCall call) { return CallNames[static_cast<std::size_t>(call)]; }

bool platformCallFromName(const std::string& name, PlatformCall& call) {
    for (std::size_t i = 0; i < CallNames.size(); ++i) {
        if (name == CallNames[i]) {
            call = static_cast<PlatformCall>(i);
            return true;
        }
    }
    return false;
}

void recordMessageBoxes() { RecordingBoxes.store(true); }

bool recordedInsteadOfShown(const char* caption, const char* text) {
    if (!RecordingBoxes.load()) return false;
    std::lock_guard lock(BoxesLock);
    Boxes.push_back(std::string(caption) + ": " + text);
    return true;
}

std::vector<std::string> recordedMessageBoxes() {
    std::lock_guard lock(BoxesLock);
    return Boxes;
}
