#include "game/pump.h"

#include "base/host.h"
#include "base/virtual_keys.h"
#include "base/window.h"
#include "game/frame.h"
#include "game/world.h"

PumpStep pumpStep() {
    hostHandleEvents();
    // Esc ends the run on every platform, taken here and nowhere else.
    bool escape = false;
    for (int32_t key = hostNextKeyDown(); key != 0; key = hostNextKeyDown())
        if (key == VK_ESCAPE) escape = true;
    if (escape || hostEndRequested()) return PumpStep{PumpNext::End, 0};
    world.appActive = hostWindowActive() ? 1 : 0;
    if (!world.appActive) return PumpStep{PumpNext::WaitForEvent, 0};
    // A zero result would end the run; the frame never gives one.
    if (!runFrame()) return PumpStep{PumpNext::End, 0};
    const uint32_t wait =
        msUntilFrameGate(hostTickCount(), world.lastFrameTick, world.frameInterval, world.lastFrameTickSet);
    return PumpStep{PumpNext::RunAfter, wait};
}
