// Preloaded into the game by the end-to-end test: writes each SDL_ShowCursor
// call's argument, one a line, to the file named by NMNM_CURSOR_LOG and passes
// the call on. The game itself prints nothing about its cursor.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

extern "C" int SDL_ShowCursor(int toggle) {
    using Real = int (*)(int);
    static Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "SDL_ShowCursor"));
    if (const char* path = std::getenv("NMNM_CURSOR_LOG")) {
        if (FILE* log = std::fopen(path, "a")) {
            std::fprintf(log, "%d\n", toggle);
            std::fclose(log);
        }
    }
    return real ? real(toggle) : 0;
}
