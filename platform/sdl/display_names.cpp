#include "platform/sdl/display_names.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool isSet(const char* value) { return value && value[0]; }

}  // namespace

bool displayNamed() {
    if (isSet(std::getenv("DISPLAY")) || isSet(std::getenv("WAYLAND_DISPLAY"))) return true;
    std::fprintf(stderr,
                 "nmnm: no display to open: neither DISPLAY nor WAYLAND_DISPLAY is set; start the game "
                 "from a graphical desktop session\n");
    return false;
}

bool onlyXDisplayNamed() { return !isSet(std::getenv("WAYLAND_DISPLAY")); }

bool drawsNowhere(const char* driver) {
    return driver == nullptr || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
}

void reportNoDisplay(const char* detail) {
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (isSet(wayland)) {
        std::fprintf(stderr,
                     "nmnm: cannot open the Wayland display \"%s\" (WAYLAND_DISPLAY) or the X display \"%s\" "
                     "(DISPLAY): %s; start the game from a running graphical session\n",
                     wayland, isSet(x) ? x : "", detail);
    } else {
        std::fprintf(stderr,
                     "nmnm: cannot open the X display \"%s\" named by DISPLAY (%s); start the game from a "
                     "running graphical session or set DISPLAY to a running X server\n",
                     x, detail);
    }
}
