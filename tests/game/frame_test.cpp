#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/virtual_keys.h"
#include "game/flies.h"
#include "game/frame.h"
#include "game/sprite_rects.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"
#include "tests/support/test_support.h"

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
    struct Case {
        const char* name;
        uint32_t tick;
        int presents;  // pictures shown so far
        int cursorX;   // 100 once a frame has read the cursor
    };
    const Case cases[] = {{"29 ms after the last frame", 5029, 0, 1},
                          {"30 ms after", 5030, 1, 100},
                          {"29 ms after 0xFFFFFFF0, across the wrap", 0x0000000Du, 1, 100},
                          {"30 ms after 0xFFFFFFF0, across the wrap", 0x0000000Eu, 2, 100}};
    for (const Case& c : cases) {
        if (c.tick < 100) world.lastFrameTick = 0xFFFFFFF0u;
        headlessHost.tick = c.tick;
        runFrame();
        EXPECT_EQ(headlessHost.presentCount, c.presents) << "case: " << c.name;
        EXPECT_EQ(world.cursorPos.x, c.cursorX) << "case: " << c.name;
    }
    // The very first call only reads the clock; with readings that advance the
    // gate compares the second, then keeps the third.
    resetWorld();
    initSpriteRects();
    headlessHost.presentCount = 0;
    headlessHost.tick = 777u;
    headlessHost.tickStep = 0u;
    runFrame();
    EXPECT_EQ(headlessHost.presentCount, 0) << "case: first call";
    EXPECT_EQ(world.lastFrameTick, 777u) << "case: first call";
    headlessHost.tick = 807u;
    headlessHost.tickStep = 5u;
    runFrame();
    EXPECT_EQ(headlessHost.presentCount, 1) << "case: clock reads 807, 812, 817";
    EXPECT_EQ(world.lastFrameTick, 812u) << "case: clock reads 807, 812, 817";
}

TEST_F(Frame, TitleKeysKeepTheIntervalWithin1To255) {
    struct Case {
        const char* name;
        bool inPlay;
        int keys, times, interval;
    };
    // Both at 1: only the rise takes; no effect outside the title.
    const Case cases[] = {{"Up 40 times from 30", false, kUp, 40, 1},
                          {"Up and Down together at 1", false, kUp | kDown, 1, 2},
                          {"Down 300 times", false, kDown, 300, 255},
                          {"Up during play", true, kUp, 1, 255}};
    for (const Case& c : cases) {
        if (c.inPlay) startGame();
        for (int i = 0; i < c.times; ++i) call(c.keys);
        EXPECT_EQ(world.frameInterval, c.interval) << "case: " << c.name;
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
    EXPECT_EQ(world.killCount, 0);
    EXPECT_EQ(world.borderLine, 30);
    EXPECT_EQ(world.gaugeRate, 0.22f);
    EXPECT_EQ(world.gauge, 0.0f);
    EXPECT_EQ(world.flyLevel, 1);
    EXPECT_EQ(world.stateTimer, 0);
    EXPECT_EQ(world.bestKills, 29) << "kept";
    EXPECT_EQ(world.frameInterval, 31) << "kept";
    EXPECT_EQ(world.swingStep, 5) << "kept";
}

TEST_F(Frame, ExactlyTheEndOfTheGaugeStillPlays) {
    startGame();
    world.gauge = 190.75f;
    world.gaugeRate = 0.25f;
    call();
    EXPECT_EQ(world.gauge, 191.0f) << "case: gauge reaches 191.0";
    EXPECT_EQ(world.gameState, kPhasePlay) << "case: gauge reaches 191.0";
    call();
    EXPECT_EQ(world.gauge, 191.0f) << "case: gauge 191.25, held at the end";
    EXPECT_EQ(world.gameState, kPhaseResult) << "case: gauge 191.25";
}

TEST_F(Frame, SuccessOnEqualityRunsPlayResultAndClearInOneCall) {
    startGame();
    world.gauge = 190.9f;
    world.killCount = 30;
    world.flyLevel = 4;
    world.flyX[3] = -0.5f;
    world.flyY[3] = 100.0f;
    world.flyHeading[3] = 0;
    world.flySpeed[3] = 3.0f;
    EXPECT_EQ(call(), 2) << "play's flip and stage clear's; the result block shows nothing";
    EXPECT_EQ(world.gameState, kPhaseStageClear);
    EXPECT_EQ(world.stateTimer, 1);
    EXPECT_EQ(world.flyLevel, 1);
    // Fly 3 moved 3 px right in play and again in the result block, to x 5.5,
    // then became the splat of slot 3 at trunc(5.5 - 8.0), which the clear
    // block advanced once.
    EXPECT_EQ(world.splatX[3], -2) << "case: fly 3 at x 5.5";
    EXPECT_EQ(world.splatY[3], 92) << "case: fly 3 at y 100";
    EXPECT_EQ(world.splatTimer[3], 2) << "case: fly 3";
    EXPECT_EQ(world.splatTimer[5], 0) << "case: slot 5, above the fly level";
    EXPECT_EQ(1 + runsOf(kPhaseStageClear), 51) << "case: stage clear runs";
    EXPECT_EQ(world.gameState, kPhaseAnnouncement) << "case: after the stage clear";
    EXPECT_EQ(world.borderLine, 55) << "case: after the stage clear";
    EXPECT_EQ(world.killCount, 30) << "case: after the stage clear, kept";
    EXPECT_EQ(world.splatsActive, 0) << "case: after the stage clear, all splats run out";
    EXPECT_EQ(static_cast<double>(world.gaugeRate), 0.3199999928474426) << "case: after the stage clear";
    // The second stage plays 597 runs (the first came in the call that ended the start).
    while (world.gameState != kPhasePlay) call();
    world.killCount = 0;
    EXPECT_EQ(1 + runsOf(kPhasePlay), 597) << "case: second stage's play runs";
    EXPECT_EQ(world.flyLevel, 12) << "case: end of the second stage's play";
}

TEST_F(Frame, FlyLevelRisesEvery51PlayRunsAndStopsAt29) {
    startGame();
    world.gaugeRate = 0.0f;  // endless play
    for (int run = 2; run <= 51 * 40; ++run) {
        call();
        ASSERT_EQ(world.flyLevel, std::min(1 + run / 51, 29)) << "case: play run " << run;
        // The timer restarts every 51 runs, also at the cap, where fly 29 comes in again.
        if (run % 51 == 0) {
            ASSERT_EQ(world.stateTimer, 0) << "case: play run " << run;
        }
    }
}

TEST_F(Frame, OnePressOneSwing) {
    startGame();
    world.gaugeRate = 0.0f;
    struct Case {
        const char* name;
        int keys, times, step;
    };
    const Case cases[] = {{"pressed: started and advanced at once", kLeft, 1, 2},
                          {"held through the swing and after", kLeft, 20, 0},
                          {"released", kNone, 1, 0},
                          {"pressed again", kLeft, 1, 2}};
    for (const Case& c : cases) {
        for (int i = 0; i < c.times; ++i) call(c.keys);
        EXPECT_EQ(world.swingStep, c.step) << "case: " << c.name;
    }
}
