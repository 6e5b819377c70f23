// nmnm: swat the flies. Opens the full-screen window, sets up the display and
// runs the pump: every waiting event first, then a frame while the game has
// the focus, sleeping in between instead of polling.
#include <cstdio>

#include "base/host.h"
#include "display/display_setup.h"
#include "game/frame.h"
#include "game/start_up.h"
#include "game/world.h"
#include "platform/common/frame_wait.h"
#include "platform/sdl/game_window.h"

namespace {

void shutDown() {
    releaseDisplay();
    closeGameWindow();  // shows the cursor again
}

// Sleeps until the next event or until the frame gate opens, whichever comes
// first; false once the game should end.
bool waitForFrameGate() {
    if (eventWaiting()) return true;
    const uint32_t wait = msUntilFrameGate(hostTickCount(), world.lastFrameTick,
                                           world.frameInterval, world.lastFrameTickSet);
    if (wait == 0) return true;
    return waitForEvent(static_cast<int32_t>(wait));
}

}  // namespace

int main() {
    if (!openGameWindow()) return 1;
    if (!initDisplay()) {
        std::fprintf(stderr,
                     "nmnm: could not set up the 640 x 480 picture; close other programs to free "
                     "memory and start the game again\n");
        shutDown();
        return 1;
    }
    for (;;) {
        if (!handleWaitingEvents()) break;
        world.appActive = windowActive() ? 1 : 0;
        if (!world.appActive) {
            if (!waitForEvent(-1)) break;
            continue;
        }
        runFrame();
        if (!waitForFrameGate()) break;
    }
    shutDown();
    return 0;
}
