// Preloaded into the game by tools/bench/window.sh: writes to the file named by
// NMNM_TIMING_LOG when the main steps of start-up happen, in milliseconds
// since NMNM_LAUNCH_NS (the wall clock in nanoseconds just before the game
// was started). The first present after pt.bmp has been opened is the first
// step of the fade on screen (SDL has sent and synced it when the call
// returns), the 256th its last.
#include <dlfcn.h>
#include <fcntl.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

bool picturesOpened = false;
bool picturesNoted = false;
bool fadeShown = false;
int presentsSincePictures = 0;

void note(const char* what) {
    const char* path = std::getenv("NMNM_TIMING_LOG");
    const char* launch = std::getenv("NMNM_LAUNCH_NS");
    if (!path || !launch) return;
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    const double ms =
        (static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec) - std::strtod(launch, nullptr)) / 1e6;
    if (FILE* log = std::fopen(path, "a")) {
        std::fprintf(log, "%s %.1f\n", what, ms);
        std::fclose(log);
    }
}

// When the game's libraries are loaded, before its own code runs.
__attribute__((constructor)) void loaded() { note("process_loaded"); }

template <typename F>
F real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// The fade-in shows 256 steps, one present each.
void presented() {
    if (!picturesOpened) return;
    ++presentsSincePictures;
    if (!fadeShown) {
        fadeShown = true;
        note("first_fade_step");
    }
    if (presentsSincePictures == 256) note("fade_done");
}

}  // namespace

extern "C" {

int SDL_Init(unsigned flags) {
    static auto f = real<int (*)(unsigned)>("SDL_Init");
    note("sdl_init_start");
    const int r = f(flags);
    note("sdl_init_done");
    return r;
}

void* SDL_CreateWindow(const char* title, int x, int y, int w, int h, unsigned flags) {
    static auto f = real<void* (*)(const char*, int, int, int, int, unsigned)>("SDL_CreateWindow");
    void* r = f(title, x, y, w, h, flags);
    note("window_made");
    return r;
}

void* SDL_CreateRenderer(void* window, int index, unsigned flags) {
    static auto f = real<void* (*)(void*, int, unsigned)>("SDL_CreateRenderer");
    note("renderer_start");
    void* r = f(window, index, flags);
    note("renderer_done");
    return r;
}

int FcInit() {
    static auto f = real<int (*)()>("FcInit");
    note("font_lookup_start");
    const int r = f();
    note("font_lookup_fcinit_done");
    return r;
}

int open(const char* path, int flags, ...) {
    static auto f = real<int (*)(const char*, int, ...)>("open");
    mode_t mode = 0;
    if (flags & (O_CREAT | O_TMPFILE)) {
        va_list args;
        va_start(args, flags);
        mode = static_cast<mode_t>(va_arg(args, int));
        va_end(args);
    }
    const size_t n = std::strlen(path);
    if (n >= 6 && std::strcmp(path + n - 6, "hk.bmp") == 0 && !picturesNoted) {
        picturesNoted = true;
        note("pictures_start");
    }
    if (n >= 6 && std::strcmp(path + n - 6, "pt.bmp") == 0) picturesOpened = true;
    return f(path, flags, mode);
}

int SDL_UpdateWindowSurface(void* window) {
    static auto f = real<int (*)(void*)>("SDL_UpdateWindowSurface");
    const int r = f(window);
    presented();
    return r;
}

int SDL_UpdateWindowSurfaceRects(void* window, const void* rects, int count) {
    static auto f = real<int (*)(void*, const void*, int)>("SDL_UpdateWindowSurfaceRects");
    const int r = f(window, rects, count);
    presented();
    return r;
}

void SDL_RenderPresent(void* renderer) {
    static auto f = real<void (*)(void*)>("SDL_RenderPresent");
    f(renderer);
    presented();
}

}  // extern "C"
