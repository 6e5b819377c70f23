#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "display/display_objects.h"
#include "game/world.h"
#include "tests/support/test_support.h"
#include "tools/replay/autoplay.h"
#include "tools/replay/replay.h"

namespace {

#define RULE(ok, what, value) \
    if (!(ok)) return std::string(what) + " = " + std::to_string(value)

// Empty when the world is sound after a call, else the first broken rule.
std::string worldFault(const GameWorld& w) {
    RULE(w.gameState <= kPhaseStageClear, "gameState", w.gameState);
    RULE(w.flyLevel >= 1 && w.flyLevel <= 29, "flyLevel", w.flyLevel);  // 2 to 30 live flies
    RULE(w.swingStep >= 0 && w.swingStep <= 9 && w.swatterFrame >= 0 && w.swatterFrame <= 2, "swing", w.swingStep);
    RULE((w.wingFrame | w.buttonLatch | w.splatsActive) >> 1 == 0, "wingFrame/buttonLatch/splatsActive",
         w.wingFrame * 100 + w.buttonLatch * 10 + w.splatsActive);
    RULE(w.frameInterval >= 1 && w.killCount >= 0 && w.bestKills >= 20 && w.bestKills >= w.killCount, "counts",
         w.bestKills);
    RULE(w.borderLine >= 30 && (w.borderLine - 30) % 25 == 0, "borderLine", w.borderLine);
    RULE(w.gauge >= 0.0f && w.gauge <= 191.0f, "gauge", static_cast<double>(w.gauge));  // a 1 to 192 pixel bar
    bool anySplat = false;
    for (int j = 0; j < kSplatSlots; ++j) {
        // 0 free, otherwise a running splat whose picture index timer / 2 is 1 to 7.
        RULE(w.splatTimer[j] >= 0 && w.splatTimer[j] <= 15, "splatTimer " + std::to_string(j), w.splatTimer[j]);
        anySplat |= w.splatTimer[j] != 0;
    }
    RULE((!anySplat || w.splatsActive) && (w.gameState > kPhaseStart || !w.splatsActive), "splats in phase",
         w.gameState);
    for (int i = 0; i <= w.flyLevel; ++i) {
        // After each move a live fly is inside the bounds or has been placed anew.
        RULE(w.flyX[i] >= -16.0f && w.flyX[i] <= 640.0f && w.flyY[i] >= -16.0f && w.flyY[i] <= 448.0f, "place of fly",
             i);
        RULE(w.flyHeading[i] >= -89 && w.flyHeading[i] <= 359 && w.flySpeed[i] >= 3.0f && w.flySpeed[i] < 7.0f,
             "course of fly", i);
    }
    return {};
}

// Screen row y from x must show `width` pixels of sheet row sy (bars wider than the sheet are their own business).
std::string barFault(const char* bar, int32_t x, int32_t y, int32_t sy, int32_t width) {
    for (int32_t i = 0; width <= 256 && i < width; ++i)
        RULE(pixelAt(displayObjects.primarySurface, x + i, y) == pixelAt(displayObjects.spriteSurface, i, sy), bar, i);
    return {};
}

// The status bar of a play, result or stage-clear picture; the border-line bar
// is drawn last on its row, over the gauge bar's start.
std::string statusBarFault(const GameWorld& w) {
    std::string f = w.borderLine + 194 <= 416
                        ? barFault("gauge", 416, 455, 15, static_cast<int32_t>(static_cast<double>(w.gauge) + 1.0))
                        : "";
    if (f.empty()) f = barFault("borderLine", 193, 455, 0, w.borderLine + 1);
    return f.empty() ? barFault("kills", 193, 463, 8, w.killCount + 1) : f;
}

}  // namespace

// The built-in player drives the whole game for a long time (NMNM_SOAK_FRAMES
// overrides the length); after every call the world and the status bar must still make sense.
TEST(ReplaySoak, AutoplayKeepsTheWorldSound) {
    makeGameScreen();
    const char* text = std::getenv("NMNM_SOAK_FRAMES");
    const uint64_t frames = text && *text ? std::strtoull(text, nullptr, 10) : 200000;
    AutoplayPlayer player;
    ReplaySession session;
    uint64_t clears = 0, failures = 0;
    for (uint64_t i = 0; i < frames; ++i) {
        const uint8_t state = world.gameState;
        ASSERT_TRUE(replayCall(session, autoplayNext(player, world))) << session.error;
        ASSERT_EQ(worldFault(world), "") << "after call " << session.calls;
        if (session.lastFrameRan && world.gameState >= kPhasePlay) {
            ASSERT_EQ(statusBarFault(world), "") << "after call " << session.calls;
        }
        clears += world.gameState == kPhaseStageClear && state != kPhaseStageClear;
        failures += world.gameState == kPhaseTitle && state == kPhaseResult;
    }
    EXPECT_EQ(session.framesRun, frames - 1);  // all but the first call draw
    // The player clears several stages and still fails now and then.
    EXPECT_GE(clears, 3u);
    EXPECT_GE(failures, 1u);
    releaseTestDisplay();
}
