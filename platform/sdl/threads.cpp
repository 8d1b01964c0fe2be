// Kernel threads on SDL threads, and the scene clock. Any thread.
//
// A thread counts as ended once its start routine has returned and the thread has been joined;
// GetExitCodeThread joins it the first time it finds the routine returned, so that "ended" means
// the thread is gone. Suspended creation and thread ids are not implemented (the id is 0).
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/sdl/host.h"

struct HANDLE__ {
    LPTHREAD_START_ROUTINE start;
    LPVOID param;
    SDL_Thread* sdl = nullptr;
    DWORD exitCode = STILL_ACTIVE;      // written by the thread before returned
    std::atomic<bool> returned{false};  // the start routine has returned
    std::mutex joinLock;
    bool joined = false;
};

namespace {

const auto ProcessStart = std::chrono::steady_clock::now();

std::atomic<int> Running{0};
std::atomic<int> Started{0};

struct ThreadRegistry {
    std::mutex lock;
    std::vector<std::unique_ptr<HANDLE__>> threads;  // records live until exit, like the handles
};

ThreadRegistry& threadRegistry() {
    static ThreadRegistry& r = *new ThreadRegistry;
    return r;
}

int SDLCALL runThread(void* data) {
    auto* thread = static_cast<HANDLE__*>(data);
    thread->exitCode = thread->start(thread->param);
    thread->returned.store(true, std::memory_order_release);
    return 0;
}

}  // namespace

int runningThreads() { return Running.load(); }

int threadsStarted() { return Started.load(); }

HANDLE WINAPI CreateThread(SECURITY_ATTRIBUTES*, SIZE_T stackSize, LPTHREAD_START_ROUTINE start, LPVOID param,
                           DWORD flags, LPDWORD threadId) {
    if (injectedFailure(PlatformCall::CreateThread) || start == nullptr || flags != 0) return nullptr;
    auto record = std::make_unique<HANDLE__>();
    record->start = start;
    record->param = param;
    HANDLE thread = record.get();
    {
        ThreadRegistry& r = threadRegistry();
        std::lock_guard lock(r.lock);
        r.threads.push_back(std::move(record));
    }
    Running.fetch_add(1);
    thread->sdl = SDL_CreateThreadWithStackSize(runThread, "thread", stackSize, thread);
    if (thread->sdl == nullptr) {
        Running.fetch_sub(1);
        return nullptr;
    }
    Started.fetch_add(1);
    if (threadId != nullptr) *threadId = 0;
    return thread;
}

BOOL WINAPI GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
    if (thread == nullptr || exitCode == nullptr) return FALSE;
    if (!thread->returned.load(std::memory_order_acquire)) {
        *exitCode = STILL_ACTIVE;
        std::this_thread::yield();  // a caller that polls leaves the processor to the thread
        return TRUE;
    }
    {
        std::lock_guard lock(thread->joinLock);
        if (!thread->joined) {
            SDL_WaitThread(thread->sdl, nullptr);
            thread->joined = true;
            Running.fetch_sub(1);
        }
    }
    *exitCode = thread->exitCode;
    return TRUE;
}

std::int32_t processMilliseconds() {
    const auto elapsed = std::chrono::steady_clock::now() - ProcessStart;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms));  // wraps after 24.8 days
}
