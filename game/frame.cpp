#include "game/frame.h"

#include "display/display_objects.h"
#include "game/phases.h"
#include "game/run_record.h"
#include "game/world.h"

namespace {

// The frame gate: a frame runs only when frameInterval ms have passed since
// the last one began. The difference is unsigned, so a wrapping tick count
// still opens it; a late frame is not made up.
// KEPT QUIRK: three clock readings: the first call's two back to back (so it
// draws nothing), and a fresh one to stamp the frame, not the one compared.
bool frameGateOpen() {
    if (!world.lastFrameTickSet) {
        world.lastFrameTick = frameTickCount();
        world.lastFrameTickSet = true;
    }
    const uint32_t now = frameTickCount();
    if (now - world.lastFrameTick < world.frameInterval) return false;
    world.lastFrameTick = frameTickCount();  // a fresh reading, not `now`
    return true;
}

// The frame itself, once the gate has let it through.
void runOpenFrame() {
    world.cursorPos = frameCursorPos();
    frameKeyboardState(world.keyState);
    surfaceBltFast(displayObjects.backSurface, 0, 0, displayObjects.backgroundSurface,
                   Rect{0, 0, kScreenWidth, kScreenHeight}, DDBLTFAST_WAIT);

    // Not exclusive: a block that moves the game on lets the next phase's block
    // run in this same call, drawing over the buffer its flip handed back.
    if (world.gameState == kPhaseTitle) runTitlePhase();
    if (world.gameState == kPhaseAnnouncement) runAnnouncementPhase();
    if (world.gameState == kPhaseStart) runStartPhase();
    if (world.gameState == kPhasePlay) runPlayPhase();
    if (world.gameState == kPhaseResult) runResultPhase();
    if (world.gameState == kPhaseStageClear) runStageClearPhase();
}

}  // namespace

int32_t runFrame() {
    // The clock, the cursor and the keys are read through run_record, which
    // records them or plays them back.
    beginFrameCall();
    if (frameGateOpen()) runOpenFrame();
    endFrameCall();
    return 1;
}

uint32_t msUntilFrameGate(uint32_t now, uint32_t lastFrameTick, uint32_t frameInterval, bool frameStarted) {
    if (!frameStarted) return 0;
    const uint32_t elapsed = now - lastFrameTick;
    return elapsed >= frameInterval ? 0 : frameInterval - elapsed;
}
