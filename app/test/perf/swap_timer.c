// Preloaded into the program (LD_PRELOAD) to time its buffer swaps from outside: wraps
// SDL_GL_SwapWindow, notes the wall-clock time of the first two swaps (the main thread's black
// clear, then the render thread's first frame) and counts the rest; at exit prints one line:
//   swaps N first_ns T1 second_ns T2 last_ns TN peak_rss_kb K
// Times are CLOCK_REALTIME nanoseconds, to compare with `date +%s%N` taken before the start.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdatomic.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

typedef struct SDL_Window SDL_Window;

static atomic_long swaps;
static atomic_llong firstNs, secondNs, lastNs;

static long long nowNs(void) {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

void SDL_GL_SwapWindow(SDL_Window* window) {
    static void (*real)(SDL_Window*);
    if (real == NULL) real = (void (*)(SDL_Window*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    real(window);
    const long long t = nowNs();
    const long n = atomic_fetch_add(&swaps, 1) + 1;
    if (n == 1) atomic_store(&firstNs, t);
    if (n == 2) atomic_store(&secondNs, t);
    atomic_store(&lastNs, t);
}

static long peakRssKb(void) {
    FILE* status = fopen("/proc/self/status", "r");
    char line[256];
    long kb = -1;
    while (status != NULL && fgets(line, sizeof line, status) != NULL)
        if (strncmp(line, "VmHWM:", 6) == 0) sscanf(line + 6, "%ld", &kb);
    if (status != NULL) fclose(status);
    return kb;
}

__attribute__((destructor)) static void report(void) {
    fprintf(stderr, "swaps %ld first_ns %lld second_ns %lld last_ns %lld peak_rss_kb %ld\n", atomic_load(&swaps),
            atomic_load(&firstNs), atomic_load(&secondNs), atomic_load(&lastNs), peakRssKb());
}
