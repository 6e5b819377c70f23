#include "game/swatter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "display/blit_sprite.h"
#include "game/flies.h"
#include "game/world.h"

namespace {

// Swatter picture for each pair of swing steps: raise, strike, raise back.
constexpr int8_t swingFrameTable[5] = {0, 1, 2, 1, 0};
constexpr int kHitStepFirst = 4;
constexpr int kHitStepLast = 5;
constexpr int kSwingEnd = 10;
constexpr int64_t kHitReach = 24;  // exclusive: a centre 23 pixels away is hit
constexpr int64_t kFlyHalf = 8;
constexpr int32_t kSplatLastTimer = 15;

int lowestFreeSplatSlot() {
    for (int j = 0; j < kSplatSlots; ++j)
        if (world.splatTimer[j] == 0) return j;
    return -1;
}

void swatFliesInReach() {
    // 64-bit so that no cursor position can overflow the distance.
    const int64_t cx = world.cursorPos.x;
    const int64_t cy = world.cursorPos.y;
    const int last = std::min<int>(world.flyLevel, kFlySlots - 1);
    for (int i = 0; i <= last; ++i) {
        const auto fx = static_cast<int32_t>(world.flyX[i]);
        const auto fy = static_cast<int32_t>(world.flyY[i]);
        if (!flyInReach(fx, fy, cx, cy)) continue;
        // With every splat slot running the hit still sends the fly away,
        // but it is not counted.
        const int j = lowestFreeSplatSlot();
        if (j >= 0) {
            ++world.killCount;
            world.splatX[j] = fx - 8;
            world.splatY[j] = fy - 8;
            world.splatTimer[j] = 1;
            world.splatsActive = 1;
            if (world.killCount > world.bestKills) world.bestKills = world.killCount;
        }
        respawnFly(static_cast<int8_t>(i));
    }
}

}  // namespace

bool flyInReach(int64_t flyX, int64_t flyY, int64_t cursorX, int64_t cursorY) {
    return std::llabs(flyX + kFlyHalf - cursorX) < kHitReach && std::llabs(flyY + kFlyHalf - cursorY) < kHitReach;
}

void swingSwatter() {
    const int step = std::clamp<int>(world.swingStep, 0, kSwingEnd - 1);
    world.swatterFrame = swingFrameTable[step / 2];
    world.swingStep = static_cast<int8_t>(step + 1);
    if (world.swingStep == kHitStepFirst || world.swingStep == kHitStepLast) swatFliesInReach();
    if (world.swingStep == kSwingEnd) world.swingStep = 0;
}

void drawSplats() {
    int free = 0;
    for (int j = 0; j < kSplatSlots; ++j) {
        if (world.splatTimer[j] == 0) {
            ++free;
            continue;
        }
        ++world.splatTimer[j];
        const Rect& cell = world.splatRects[std::clamp(world.splatTimer[j] / 2, 0, 7)];
        blitSprite(world.splatX[j], world.splatY[j], cell.left, cell.top, cell.right, cell.bottom);
        if (world.splatTimer[j] >= kSplatLastTimer) {
            world.splatTimer[j] = 0;
            ++free;
        }
    }
    if (free == kSplatSlots) world.splatsActive = 0;
}
