#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "game/flies.h"
#include "game/frame.h"
#include "game/sprite_rects.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"
#include "platform/host.h"
#include "tests/test_support.h"

namespace {

enum Keys { kNone = 0, kLeft = 1, kUp = 2, kDown = 4 };

// Drives runFrame through the scripted host as a player's clock and mouse would.
class Frame : public ::testing::Test {
protected:
    void SetUp() override {
        makeTestDisplay();
        initSpriteRects();
        respawnFly(0);
        respawnFly(1);
        headless.tick = 5000;
        runFrame();  // the first call only reads the clock
    }
    void TearDown() override { releaseTestDisplay(); }

    // One call at `elapsed` ms after the previous one; returns its flips.
    int call(int keys = kNone, uint32_t elapsed = 0, Point cursor = {320, 240}) {
        headless.tick += elapsed ? elapsed : world.frameInterval;
        headless.cursor = cursor;
        headlessSetKey(VK_LBUTTON, keys & kLeft);
        headlessSetKey(VK_UP, keys & kUp);
        headlessSetKey(VK_DOWN, keys & kDown);
        const int before = headless.presentCount;
        runFrame();
        return headless.presentCount - before;
    }
    // Calls until the phase changes; returns how many blocks of `phase` ran.
    int runsOf(uint8_t phase, int keys = kNone) {
        int runs = 0;
        while (world.gameState == phase) {
            call(keys);
            ++runs;
            if (runs > 100000) break;
        }
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

TEST_F(Frame, GateHoldsEverythingInsideTheInterval) {
    headless.cursor = {100, 100};
    world.cursorPos = {1, 1};
    headless.tick += 29;
    runFrame();
    EXPECT_EQ(world.cursorPos.x, 1);  // not even the cursor is read
    EXPECT_EQ(headless.presentCount, 0);
    headless.tick += 1;
    runFrame();
    EXPECT_EQ(world.cursorPos.x, 100);
    EXPECT_EQ(headless.presentCount, 1);
}

TEST_F(Frame, FirstCallNeverDrawsAndTheThirdReadingIsKept) {
    resetWorld();
    initSpriteRects();
    headless.presentCount = 0;
    headless.tick = 777;
    headless.tickStep = 0;
    runFrame();
    EXPECT_EQ(headless.presentCount, 0);
    EXPECT_EQ(world.lastFrameTick, 777u);
    // Readings that advance: the gate compares the second, then keeps the third.
    headless.tick = 807;
    headless.tickStep = 5;
    runFrame();
    EXPECT_EQ(headless.presentCount, 1);
    EXPECT_EQ(world.lastFrameTick, 812u);
}

TEST_F(Frame, AWrappingTickCountStillOpensTheGate) {
    world.lastFrameTick = 0xFFFFFFF0u;
    headless.tick = 0x0000000Du;  // 29 ms later, across the wrap
    runFrame();
    EXPECT_EQ(headless.presentCount, 0);
    headless.tick = 0x0000000Eu;
    runFrame();
    EXPECT_EQ(headless.presentCount, 1);
}

TEST_F(Frame, TitleKeysKeepTheIntervalWithin1To255) {
    for (int i = 0; i < 40; ++i) call(kUp);
    EXPECT_EQ(world.frameInterval, 1);
    call(kUp | kDown);  // both at 1: only the rise takes
    EXPECT_EQ(world.frameInterval, 2);
    for (int i = 0; i < 300; ++i) call(kDown);
    EXPECT_EQ(world.frameInterval, 255);
    startGame();
    call(kUp);
    EXPECT_EQ(world.frameInterval, 255);  // no effect outside the title
}

TEST_F(Frame, PhaseLengthsAndFlipsOnEveryTransition) {
    EXPECT_EQ(call(kLeft), 2);  // title, then the first announcement run over the flipped buffer
    EXPECT_EQ(world.gameState, kPhaseAnnouncement);
    EXPECT_EQ(world.stateTimer, 1);
    int announcement = 1;
    std::map<std::pair<int, int>, int> flipsOn;
    auto step = [&] {
        const int from = world.gameState;
        const int flips = call();
        if (world.gameState != from) {
            flipsOn[{from, world.gameState}] = flips;
        } else {
            EXPECT_EQ(flips, 1);
        }
    };
    while (world.gameState == kPhaseAnnouncement) {
        step();
        ++announcement;
    }
    EXPECT_EQ(announcement, 56);
    int start = 1;  // the start block ran in the call that ended the announcement
    while (world.gameState == kPhaseStart) {
        step();
        ++start;
    }
    EXPECT_EQ(start, 13);
    int play = 1;
    while (world.gameState == kPhasePlay) {
        step();
        ++play;
    }
    EXPECT_EQ(play, 869);
    EXPECT_EQ(world.flyLevel, 18);
    EXPECT_EQ(world.gauge, 191.0f);
    int failure = 1;
    while (world.gameState == kPhaseResult) {
        step();
        ++failure;
    }
    EXPECT_EQ(failure, 71);
    EXPECT_EQ(world.gameState, kPhaseTitle);
    const std::map<std::pair<int, int>, int> expected = {{{1, 2}, 2}, {{2, 3}, 2}, {{3, 4}, 2}, {{4, 0}, 1}};
    EXPECT_EQ(flipsOn, expected);
}

TEST_F(Frame, FailureResetsTheGameButKeepsBestIntervalFliesAndSplats) {
    call(kDown);
    startGame();
    world.killCount = 29;
    world.bestKills = 29;
    world.splatTimer[7] = 3;
    while (world.gameState != kPhaseResult) call();
    world.swingStep = 5;  // frozen outside play
    while (world.gameState == kPhaseResult) call();
    EXPECT_EQ(world.killCount, 0);
    EXPECT_EQ(world.borderLine, 30);
    EXPECT_EQ(world.gaugeRate, 0.22f);
    EXPECT_EQ(world.gauge, 0.0f);
    EXPECT_EQ(world.flyLevel, 1);
    EXPECT_EQ(world.stateTimer, 0);
    EXPECT_EQ(world.bestKills, 29);
    EXPECT_EQ(world.frameInterval, 31);
    EXPECT_EQ(world.swingStep, 5);
}

TEST_F(Frame, ExactlyTheEndOfTheGaugeStillPlays) {
    startGame();
    world.gauge = 190.75f;
    world.gaugeRate = 0.25f;
    call();
    EXPECT_EQ(world.gauge, 191.0f);
    EXPECT_EQ(world.gameState, kPhasePlay);
    call();
    EXPECT_EQ(world.gauge, 191.0f);  // 191.25 ends play and is held at the end
    EXPECT_NE(world.gameState, kPhasePlay);
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
    EXPECT_EQ(world.gameState, kPhaseStageClear);
    EXPECT_EQ(world.stateTimer, 1);
    EXPECT_EQ(world.flyLevel, 1);
    // Fly 3 moved 3 px right in play and again in the result block, then
    // became the splat of slot 3, which the clear block advanced once.
    EXPECT_EQ(world.splatX[3], static_cast<int>(x3 + 6.0f - 8.0f));
    EXPECT_EQ(world.splatY[3], static_cast<int>(y3 - 8.0f));
    EXPECT_EQ(world.splatTimer[3], 2);
    EXPECT_EQ(world.splatTimer[5], 0);
    int clear = 1;
    while (world.gameState == kPhaseStageClear) {
        call();
        ++clear;
    }
    EXPECT_EQ(clear, 51);
    EXPECT_EQ(world.gameState, kPhaseAnnouncement);
    EXPECT_EQ(world.borderLine, 55);
    EXPECT_EQ(static_cast<double>(world.gaugeRate), 0.3199999928474426);
    EXPECT_EQ(world.killCount, 30);  // kills carry over
    EXPECT_EQ(world.splatsActive, 0);
}

TEST_F(Frame, SecondStagePlays597RunsToFlyLevel12) {
    startGame();
    world.killCount = 30;
    while (world.gameState != kPhaseAnnouncement) call();
    while (world.gameState != kPhasePlay) call();
    int play = 0;
    while (world.gameState == kPhasePlay) {
        call();
        ++play;
    }
    EXPECT_EQ(play, 597 - 1);  // the first run came in the call that ended the start
    EXPECT_EQ(world.flyLevel, 12);
}

TEST_F(Frame, FlyLevelRisesEvery51PlayRunsAndStopsAt29) {
    startGame();
    world.gaugeRate = 0.0f;  // endless play
    int raises = 0;
    int8_t level = world.flyLevel;
    for (int run = 2; run <= 51 * 40; ++run) {
        call();
        if (world.flyLevel != level) {
            ++raises;
            EXPECT_EQ(world.stateTimer, 0);
            level = world.flyLevel;
        }
        if (run % 51 == 0) {
            EXPECT_EQ(world.stateTimer, 0) << run;  // also at the cap, where fly 29 comes in again
        }
        ASSERT_LE(world.flyLevel, 29);
    }
    EXPECT_EQ(raises, 28);
    EXPECT_EQ(world.flyLevel, 29);
}

TEST_F(Frame, OnePressOneSwing) {
    startGame();
    world.gaugeRate = 0.0f;
    call(kLeft);
    EXPECT_EQ(world.swingStep, 2);  // started and advanced in the same run
    EXPECT_EQ(world.buttonLatch, 1);
    for (int i = 0; i < 20; ++i) call(kLeft);
    EXPECT_EQ(world.swingStep, 0);  // held: no second swing
    call();
    EXPECT_EQ(world.buttonLatch, 0);
    call(kLeft);
    EXPECT_EQ(world.swingStep, 2);
}

TEST_F(Frame, SwatterAndFliesAreDrawnAndTheBackgroundCoversTheRest) {
    fillRect(display.backgroundSurface, 0, 0, 640, 480, 3);
    fillRect(display.spriteSurface, 32, 32, 64, 64, 77);  // swatter picture 0
    call(kNone, 0, {320, 240});
    // The picture shown: background, the swatter centred on the cursor.
    EXPECT_EQ(pixelAt(display.primarySurface, 304, 224), 77);
    EXPECT_EQ(pixelAt(display.primarySurface, 335, 255), 77);
    EXPECT_EQ(pixelAt(display.primarySurface, 303, 224), 3);
    EXPECT_EQ(pixelAt(display.primarySurface, 0, 479), 3);
}
