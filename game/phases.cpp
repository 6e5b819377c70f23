#include "game/phases.h"

#include <algorithm>
#include <cstdint>

#include "base/virtual_keys.h"
#include "display/blit_sprite.h"
#include "display/display_objects.h"
#include "game/flies.h"
#include "game/messages.h"
#include "game/status_bar.h"
#include "game/swatter.h"
#include "game/world.h"

namespace {

// KEPT QUIRK: a timer is raised first and then compared as greater than its
// limit, so a limit of N lasts N + 1 runs.
constexpr int32_t kAnnouncementLimit = 55;
constexpr int32_t kStartLimit = 12;
constexpr int32_t kFlyLevelLimit = 50;
constexpr int32_t kFailureLimit = 70;
constexpr int32_t kStageClearLimit = 50;
constexpr int8_t kMaxFlyLevel = 29;
constexpr double kGaugeEnd = 191.0;
constexpr double kGaugeRateStep = 0.1;
constexpr int32_t kBorderLineStep = 25;

bool keyDown(int virtualKey) { return (world.keyState[virtualKey] & 0xF0) != 0; }

// The swatter is centred on the cursor. Worked in 64 bits and kept within
// 32 bits so that no cursor position can wrap; any such place is off the field.
void drawSwatter() {
    const auto clampTo32 = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    const Rect& cell = world.swatterRects[std::clamp<int>(world.swatterFrame, 0, 2)];
    blitSprite(clampTo32(int64_t{world.cursorPos.x} - 16), clampTo32(int64_t{world.cursorPos.y} - 16), cell.left,
               cell.top, cell.right, cell.bottom);
}

void present() { surfaceFlip(displayObjects.primarySurface, DDFLIP_WAIT); }

void placeFirstTwoFlies() {
    world.flyLevel = kStartFlyLevel;
    placeStartFlies();
}

// Every live fly becomes a splat in the slot of its own index, running or not.
void turnFliesIntoSplats() {
    const int last = std::min<int>(world.flyLevel, kFlySlots - 1);
    for (int i = 0; i <= last; ++i) {
        world.splatTimer[i] = 1;
        world.splatX[i] = static_cast<int32_t>(static_cast<double>(world.flyX[i]) - 8.0);
        world.splatY[i] = static_cast<int32_t>(static_cast<double>(world.flyY[i]) - 8.0);
    }
    world.splatsActive = 1;
}

// Back to the title with the start values; the best count, the frame interval,
// the flies, the splats and the swing are kept.
void resetForNewGame() {
    world.gameState = kPhaseTitle;
    world.stateTimer = 0;
    world.killCount = 0;
    world.gauge = 0.0f;
    world.gaugeRate = kStartGaugeRate;
    world.borderLine = kStartBorderLine;
    world.flyLevel = kStartFlyLevel;
}

void goToNextStage() {
    world.gaugeRate = static_cast<float>(static_cast<double>(world.gaugeRate) + kGaugeRateStep);
    world.borderLine += kBorderLineStep;
    world.stateTimer = 0;
    world.gameState = kPhaseAnnouncement;
    world.gauge = 0.0f;
    placeFirstTwoFlies();
}

}  // namespace

void runTitlePhase() {
    if (keyDown(VK_UP) && world.frameInterval > 1) --world.frameInterval;
    if (keyDown(VK_DOWN) && world.frameInterval < 255) ++world.frameInterval;
    if (keyDown(VK_LBUTTON)) world.gameState = kPhaseAnnouncement;
    moveAndDrawFlies();
    drawSwatter();
    drawPhaseMessages(kPhaseTitle);
    drawStatusBar(kStatusBarTitle);
    present();
}

void runAnnouncementPhase() {
    moveAndDrawFlies();
    drawSwatter();
    drawPhaseMessages(kPhaseAnnouncement);
    if (++world.stateTimer > kAnnouncementLimit) {
        world.stateTimer = 0;
        world.gameState = kPhaseStart;
    }
    drawStatusBar(kStatusBarAnnouncement);
    present();
}

void runStartPhase() {
    if (++world.stateTimer > kStartLimit) {
        world.gameState = kPhasePlay;
        world.stateTimer = 0;
    }
    moveAndDrawFlies();
    drawSwatter();
    drawPhaseMessages(kPhaseStart);
    drawStatusBar(kStatusBarStart);
    present();
}

void runPlayPhase() {
    world.gauge = static_cast<float>(static_cast<double>(world.gauge) + static_cast<double>(world.gaugeRate));
    if (++world.stateTimer > kFlyLevelLimit) {
        // At the cap the last fly is still sent in again every time.
        if (world.flyLevel < kMaxFlyLevel) ++world.flyLevel;
        world.stateTimer = 0;
        respawnFly(world.flyLevel);
    }
    // One press, one swing: the latch clears only when the button is seen up.
    if (!keyDown(VK_LBUTTON)) {
        world.buttonLatch = 0;
    } else if (world.swingStep == 0 && world.buttonLatch == 0) {
        world.swingStep = 1;
        world.buttonLatch = 1;
    }
    moveAndDrawFlies();
    if (world.swingStep != 0) swingSwatter();
    if (world.splatsActive != 0) drawSplats();
    drawSwatter();
    if (static_cast<double>(world.gauge) > kGaugeEnd) {
        world.gameState = kPhaseResult;
        world.gauge = static_cast<float>(kGaugeEnd);
        world.stateTimer = 0;
    }
    drawStatusBar(kStatusBarFull);
    present();
}

void runResultPhase() {
    moveAndDrawFlies();
    if (world.splatsActive != 0) drawSplats();
    drawSwatter();
    if (world.killCount >= world.borderLine) {
        // Cleared: the stage-clear block follows in this same call and draws
        // the frame, so this one shows nothing of its own.
        turnFliesIntoSplats();
        placeFirstTwoFlies();
        world.gameState = kPhaseStageClear;
        return;
    }
    ++world.stateTimer;
    drawPhaseMessages(kPhaseResult);
    if (world.stateTimer > kFailureLimit) resetForNewGame();
    drawStatusBar(kStatusBarFull);
    present();
}

void runStageClearPhase() {
    moveAndDrawFlies();
    if (world.splatsActive != 0) drawSplats();
    drawSwatter();
    ++world.stateTimer;
    drawPhaseMessages(kPhaseStageClear);
    drawStatusBar(kStatusBarFull);
    present();
    if (world.stateTimer > kStageClearLimit) goToNextStage();
}
