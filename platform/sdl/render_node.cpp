#include "platform/sdl/render_node.h"

#include <glob.h>
#include <unistd.h>

#include <cstddef>

bool graphicsDevicePresent() {
    glob_t found;
    bool present = false;
    if (glob("/dev/dri/renderD*", 0, nullptr, &found) == 0) {
        for (size_t i = 0; i < found.gl_pathc && !present; ++i) present = access(found.gl_pathv[i], R_OK | W_OK) == 0;
    }
    globfree(&found);
    return present;
}
