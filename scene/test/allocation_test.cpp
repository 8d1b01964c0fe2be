// The frame loop allocates nothing. Every C++ allocation in this test binary is counted; the
// binary is not built under ThreadSanitizer, whose runtime owns operator new itself.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "platform/headless/headless.h"
#include "scene/scene.h"
#include "scene/test/scene_files.h"
#include "testing/gl_context.h"
#include "testing/resource_dir.h"

namespace {
std::atomic<long> allocationCount{0};

void* countedAllocation(std::size_t size) noexcept {
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
}  // namespace

// Every form of new and delete but the over-aligned ones is replaced, so that each allocation
// is counted and released by its own pair.
void* operator new(std::size_t size) {
    if (void* p = countedAllocation(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* p = countedAllocation(size)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return countedAllocation(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return countedAllocation(size); }
// The replacement pair hands out malloc'd memory, so free is the matching release; g++ cannot
// see that the replaced operators belong together.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

using scenetest::Rgba;
using scenetest::writeSceneResources;

using FrameLoopAllocation = scenetest::HeadlessSceneTest;

TEST_F(FrameLoopAllocation, IsNoneOnceTheDriverHasSeenEveryState) {
    ScratchWorkingDirectory dir;
    writeSceneResources(dir, Rgba{255, 0, 0, 255}, Rgba{0, 255, 0, 255});
    struct Counts {
        long atFirstSwap = 0;
        long atLastSwap = 0;
    } counts;
    headlessOnSwap(
        [](int swaps, void* context) {
            auto& c = *static_cast<Counts*>(context);
            // Keys held and time moving, so every branch of the frame runs.
            headlessSetClock(swaps * 700);
            for (UINT key : {VK_SHIFT, VK_UP, VK_RIGHT, VK_OEM_PLUS}) KeyTable[key].store(swaps % 2 ? 1 : 0);
            // From the tenth frame on: Mesa's shader compiler (C++) allocates while it meets new
            // state in the first frames.
            if (swaps == 10) c.atFirstSwap = allocationCount.load();
            if (swaps == 30) {
                c.atLastSwap = allocationCount.load();
                RunFlag.store(0);
            }
        },
        &counts);

    runHandsScene();

    EXPECT_EQ(counts.atLastSwap, counts.atFirstSwap);
}

}  // namespace
