// Preloaded into the game by the end-to-end test: appends each SDL_ShowCursor
// argument, one a line, to the file named by NMNM_CURSOR_LOG, then passes the call on.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

extern "C" int SDL_ShowCursor(int toggle) {
    static auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "SDL_ShowCursor"));
    const char* path = std::getenv("NMNM_CURSOR_LOG");
    if (FILE* log = path ? std::fopen(path, "a") : nullptr) {
        std::fprintf(log, "%d\n", toggle);
        std::fclose(log);
    }
    return real ? real(toggle) : 0;
}
