#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "game/flies.h"
#include "game/frame.h"
#include "game/sprite_rects.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"
#include "base/virtual_keys.h"
#include "tests/test_support.h"

namespace {

enum Keys { kNone = 0, kLeft = 1, kUp = 2, kDown = 4 };

// Drives runFrame through the scripted host as a player's clock and mouse would.
class Frame : public DisplayTest {
protected:
    void SetUp() override {
        makeTestDisplay();
        initSpriteRects();
        respawnFly(0);
        respawnFly(1);
        headlessHost.tick = 5000;
        runFrame();  // the first call only reads the clock
    }
    // One call a frame interval after the previous one; returns its flips.
    int call(int keys = kNone, Point cursor = {320, 240}) {
        headlessHost.tick += world.frameInterval;
        headlessHost.cursor = cursor;
        headlessSetKey(VK_LBUTTON, keys & kLeft);
        headlessSetKey(VK_UP, keys & kUp);
        headlessSetKey(VK_DOWN, keys & kDown);
        const int before = headlessHost.presentCount;
        runFrame();
        return headlessHost.presentCount - before;
    }
    // Calls until the phase changes; returns how many calls that took.
    int runsOf(uint8_t phase) {
        int runs = 0;
        while (world.gameState == phase && runs < 100000) ++runs, call();
        return runs;
    }
    // From the title to the first play run: click, then the announcement and start.
    void startGame() {
        call(kLeft);
        call();  // release
        while (world.gameState != kPhasePlay) call();
    }
};

}  // namespace

TEST_F(Frame, GateHoldsEverythingInsideTheIntervalAndOpensAcrossTheWrap) {
    headlessHost.cursor = {100, 100};
    world.cursorPos = {1, 1};
    const uint32_t ticks[] = {5029, 5030, 0x0000000Du, 0x0000000Eu};  // the third 29 ms after 0xFFFFFFF0
    const int presents[] = {0, 1, 1, 2};
    for (int k = 0; k < 4; ++k) {
        if (k == 2) world.lastFrameTick = 0xFFFFFFF0u;
        headlessHost.tick = ticks[k];
        runFrame();
        EXPECT_EQ(std::tuple(headlessHost.presentCount, world.cursorPos.x), std::tuple(presents[k], k ? 100 : 1)) << k;
    }
    // The very first call only reads the clock; with readings that advance the
    // gate compares the second, then keeps the third.
    resetWorld();
    initSpriteRects();
    std::tie(headlessHost.presentCount, headlessHost.tick, headlessHost.tickStep) = std::tuple(0, 777u, 0u);
    runFrame();
    EXPECT_EQ(std::tuple(headlessHost.presentCount, world.lastFrameTick), std::tuple(0, 777u));
    std::tie(headlessHost.tick, headlessHost.tickStep) = std::tuple(807u, 5u);
    runFrame();
    EXPECT_EQ(std::tuple(headlessHost.presentCount, world.lastFrameTick), std::tuple(1, 812u));
}

TEST_F(Frame, TitleKeysKeepTheIntervalWithin1To255) {
    // Both at 1: only the rise takes; no effect outside the title.
    for (auto [keys, times, interval] : {std::tuple<int, int, int>{kUp, 40, 1}, {kUp | kDown, 1, 2}, {kDown, 300, 255}, {kNone, -1, 255}, {kUp, 1, 255}}) {
        if (times < 0) startGame();
        for (int i = 0; i < times; ++i) call(keys);
        EXPECT_EQ(world.frameInterval, interval) << keys;
    }
}

TEST_F(Frame, PhaseLengthsAndFlipsOnEveryTransition) {
    EXPECT_EQ(call(kLeft), 2);  // title, then the first announcement run over the flipped buffer
    EXPECT_EQ(world.stateTimer, 1);
    struct Phase {
        uint8_t phase, next;
        int runs, lastFlips;
    };
    // Each phase's first run came in the call that ended the one before.
    for (const Phase p : {Phase{kPhaseAnnouncement, kPhaseStart, 56, 2}, {kPhaseStart, kPhasePlay, 13, 2},
                          {kPhasePlay, kPhaseResult, 869, 2}, {kPhaseResult, kPhaseTitle, 71, 1}}) {
        int runs = 1, flips = 0;
        for (; world.gameState == p.phase && runs < 2000; ++runs) {
            flips = call();
            EXPECT_TRUE(flips == 1 || world.gameState != p.phase) << runs;  // one flip a run
        }
        EXPECT_EQ(std::tuple(runs, flips, world.gameState), std::tuple(p.runs, p.lastFlips, p.next)) << int{p.phase};
        if (p.phase == kPhasePlay) {
            EXPECT_EQ(std::tuple(world.flyLevel, world.gauge), std::tuple(18, 191.0f));
        }
    }
}

TEST_F(Frame, FailureResetsTheGameButKeepsBestIntervalAndSwing) {
    call(kDown);
    startGame();
    world.killCount = 29;
    world.bestKills = 29;
    while (world.gameState != kPhaseResult) call();
    world.swingStep = 5;  // frozen outside play
    runsOf(kPhaseResult);
    EXPECT_EQ(std::tuple(world.killCount, world.borderLine, world.gaugeRate, world.gauge, world.flyLevel),
              std::tuple(0, 30, 0.22f, 0.0f, 1));
    EXPECT_EQ(std::tuple(world.stateTimer, world.bestKills, world.frameInterval, world.swingStep),
              std::tuple(0, 29, 31, 5));
}

TEST_F(Frame, ExactlyTheEndOfTheGaugeStillPlays) {
    startGame();
    world.gauge = 190.75f;
    world.gaugeRate = 0.25f;
    call();
    EXPECT_EQ(std::tuple(world.gauge, world.gameState), std::tuple(191.0f, kPhasePlay));
    call();
    EXPECT_EQ(std::tuple(world.gauge, world.gameState), std::tuple(191.0f, kPhaseResult));  // 191.25 is held at the end
}

TEST_F(Frame, SuccessOnEqualityRunsPlayResultAndClearInOneCall) {
    startGame();
    world.gauge = 190.9f;
    world.killCount = 30;
    world.flyLevel = 4;
    const float x3 = world.flyX[3] = 200.5f, y3 = world.flyY[3] = 100.0f;
    world.flyHeading[3] = 0;
    world.flySpeed[3] = 3.0f;
    EXPECT_EQ(call(), 2);  // play's flip and stage clear's; the result block shows nothing
    EXPECT_EQ(std::tuple(world.gameState, world.stateTimer, world.flyLevel), std::tuple(kPhaseStageClear, 1, 1));
    // Fly 3 moved 3 px right in play and again in the result block, then
    // became the splat of slot 3, which the clear block advanced once.
    EXPECT_EQ(std::tuple(world.splatX[3], world.splatY[3], world.splatTimer[3], world.splatTimer[5]),
              std::tuple(static_cast<int>(x3 + 6.0f - 8.0f), static_cast<int>(y3 - 8.0f), 2, 0));
    EXPECT_EQ(std::tuple(1 + runsOf(kPhaseStageClear), world.gameState), std::tuple(51, kPhaseAnnouncement));
    EXPECT_EQ(std::tuple(world.borderLine, world.killCount, world.splatsActive), std::tuple(55, 30, 0));
    EXPECT_EQ(static_cast<double>(world.gaugeRate), 0.3199999928474426);
    // The second stage plays 597 runs (the first came in the call that ended the start).
    while (world.gameState != kPhasePlay) call();
    world.killCount = 0;
    EXPECT_EQ(std::tuple(1 + runsOf(kPhasePlay), world.flyLevel), std::tuple(597, 12));
}

TEST_F(Frame, FlyLevelRisesEvery51PlayRunsAndStopsAt29) {
    startGame();
    world.gaugeRate = 0.0f;  // endless play
    for (int run = 2; run <= 51 * 40; ++run) {
        call();
        ASSERT_EQ(world.flyLevel, std::min(1 + run / 51, 29)) << run;
        // The timer restarts every 51 runs, also at the cap, where fly 29 comes in again.
        ASSERT_TRUE(run % 51 != 0 || world.stateTimer == 0) << run;
    }
}

TEST_F(Frame, OnePressOneSwing) {
    startGame();
    world.gaugeRate = 0.0f;
    // Started and advanced at once; held, no second swing; pressed again, one more.
    for (auto [keys, times, step] : {std::tuple{kLeft, 1, 2}, {kLeft, 20, 0}, {kNone, 1, 0}, {kLeft, 1, 2}}) {
        for (int i = 0; i < times; ++i) call(keys);
        EXPECT_EQ(world.swingStep, step) << keys << " x" << times;
    }
}

TEST_F(Frame, SwatterAndFliesAreDrawnAndTheBackgroundCoversTheRest) {
    fillAll(displayObjects.backgroundSurface, 3);
    fillRect(displayObjects.spriteSurface, 32, 32, 64, 64, 77);  // swatter picture 0
    call();
    // The picture shown: background, the swatter centred on the cursor.
    const Surface* shown = displayObjects.primarySurface;
    EXPECT_EQ(std::tuple(pixelAt(shown, 304, 224), pixelAt(shown, 335, 255), pixelAt(shown, 303, 224), pixelAt(shown, 0, 479)),
              std::tuple(77, 77, 3, 3));
}
