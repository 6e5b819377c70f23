// nmnm: swat the flies. Opens the full-screen window, sets up the display and
// runs the pump: every waiting event first, then a frame while the game has
// the focus, sleeping in between instead of polling. --version and --help
// are answered without opening anything.
#include <cstdio>

#include "app/command_line.h"
#include "base/host.h"
#include "display/display_setup.h"
#include "game/frame.h"
#include "game/start_up.h"
#include "game/world.h"
#include "game/frame.h"
#include "platform/linux/text_warm_up.h"
#include "platform/sdl/game_window.h"

namespace {

void shutDown() {
    releaseDisplay();
    closeGameWindow();  // shows the cursor again
    finishTextWarmUp();
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

int main(int argc, char** argv) {
    const CommandLineRequest request = readCommandLine(argc, argv);
    if (request != CommandLineRequest::Play) return answerCommandLine(request, argc, argv);
    // The font is first needed after the fade-in; it is found meanwhile.
    startTextWarmUp();
    if (!openGameWindow()) {
        finishTextWarmUp();
        return 1;
    }
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
