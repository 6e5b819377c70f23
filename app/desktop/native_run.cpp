#include "app/desktop/native_run.h"

#include <cstdio>

#include "base/window.h"
#include "display/display_setup.h"
#include "game/pump.h"
#include "game/run_record.h"
#include "game/start_up.h"

GameStart startGame() {
    // The window's destruction, whatever causes it, gives the display back.
    if (!hostOpenWindow(releaseDisplay)) return GameStart::NoWindow;
    if (!initDisplay()) {
        std::fprintf(stderr, "nmnm: %s\n", kNoDisplayReason);
        hostCloseWindow();
        return GameStart::NoDisplay;
    }
    return GameStart::Running;
}

int pumpUntilEnd() {
    for (;;) {
        const PumpStep step = pumpStep();
        if (step.next == PumpNext::End) break;
        if (step.next == PumpNext::WaitForEvent) {
            flushRunRecording();  // nothing may wait in the buffer for long
            hostWaitForEvent(-1);
        } else if (step.ms > 0) {
            hostWaitForEvent(static_cast<int32_t>(step.ms));
        }
    }
    hostCloseWindow();
    return 0;
}
