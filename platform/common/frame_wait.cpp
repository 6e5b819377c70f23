#include "platform/common/frame_wait.h"

uint32_t msUntilFrameGate(uint32_t now, uint32_t lastFrameTick, uint32_t frameInterval,
                          bool frameStarted) {
    if (!frameStarted) return 0;
    const uint32_t elapsed = now - lastFrameTick;
    return elapsed >= frameInterval ? 0 : frameInterval - elapsed;
}
