#include <gtest/gtest.h>

#include <vector>

#include "game/flies.h"
#include "game/sprite_rects.h"
#include "game/swatter.h"
#include "game/world.h"
#include "tests/test_support.h"

namespace {

class Swatter : public ::testing::Test {
protected:
    void SetUp() override {
        makeTestDisplay();
        initSpriteRects();
        // Splat picture k is filled with index 20 + k, so what is drawn tells the picture.
        for (int k = 0; k < 8; ++k) fillRect(display.spriteSurface, 32 * k, 64, 32 * k + 32, 96, static_cast<uint8_t>(20 + k));
        world.flyLevel = 0;
    }
    void TearDown() override { releaseTestDisplay(); }
    void putFly(int i, float x, float y) {
        world.flyX[i] = x;
        world.flyY[i] = y;
    }
    // Runs a whole swing, as the frame starts it, and returns the swatter frames.
    std::vector<int> swing() {
        std::vector<int> frames;
        world.swingStep = 1;
        do {
            swingSwatter();
            frames.push_back(world.swatterFrame);
        } while (world.swingStep != 0);
        return frames;
    }
};

}  // namespace

TEST_F(Swatter, ASwingTakesNineCallsAndHitsOnlyAtTheThirdAndFourth) {
    world.cursorPos = {300, 200};
    std::vector<int> hitCalls;
    world.swingStep = 1;
    for (int call = 1; world.swingStep != 0; ++call) {
        putFly(0, 292.0f, 192.0f);  // centred under the cursor before every call
        const int before = world.killCount;
        swingSwatter();
        if (world.killCount != before) hitCalls.push_back(call);
        ASSERT_LE(call, 9);
    }
    EXPECT_EQ(hitCalls, (std::vector<int>{3, 4}));
    world.killCount = 0;
    EXPECT_EQ(swing(), (std::vector<int>{0, 1, 1, 2, 2, 1, 1, 0, 0}));
}

TEST_F(Swatter, HitWindowIsExclusiveAt24OnBothAxes) {
    struct Case {
        float x, y;
        bool hit;
    };
    // Cursor (300, 200): the fly's centre is (x + 8, y + 8).
    const Case cases[] = {
        {315.0f, 192.0f, true},  {316.0f, 192.0f, false}, {269.0f, 192.0f, true}, {268.0f, 192.0f, false},
        {292.0f, 215.0f, true},  {292.0f, 216.0f, false}, {292.0f, 169.0f, true}, {292.0f, 168.0f, false},
        {315.9f, 215.9f, true},  // truncated toward zero: still 315, 215
    };
    for (const Case& c : cases) {
        world.killCount = 0;
        world.cursorPos = {300, 200};
        putFly(0, c.x, c.y);
        world.swingStep = 3;
        swingSwatter();
        EXPECT_EQ(world.killCount, c.hit ? 1 : 0) << c.x << "," << c.y;
    }
}

TEST_F(Swatter, SeveralHitsTakeTheLowestFreeSlotsInFlyOrder) {
    world.flyLevel = 3;
    world.cursorPos = {100, 100};
    world.splatTimer[0] = 5;  // busy
    putFly(0, 92.0f, 92.0f);
    putFly(1, 500.0f, 300.0f);  // out of reach
    putFly(2, 80.0f, 90.0f);
    putFly(3, 100.0f, 110.0f);
    world.swingStep = 3;
    swingSwatter();
    EXPECT_EQ(world.killCount, 3);
    EXPECT_EQ(world.splatsActive, 1);
    EXPECT_EQ(world.splatTimer[1], 1);
    EXPECT_EQ(world.splatX[1], 84);  // fly 0
    EXPECT_EQ(world.splatX[2], 72);  // fly 2
    EXPECT_EQ(world.splatY[3], 102);  // fly 3
    EXPECT_EQ(world.splatTimer[4], 0);
    EXPECT_EQ(world.flyX[1], 500.0f);  // not respawned
    EXPECT_NE(world.flyX[0], 92.0f);   // respawned on an edge
}

TEST_F(Swatter, AHitWithEverySlotBusyRespawnsTheFlyUncounted) {
    for (int j = 0; j < kSplatSlots; ++j) world.splatTimer[j] = 3;
    world.cursorPos = {100, 100};
    putFly(0, 92.0f, 92.0f);
    world.killCount = 25;
    world.bestKills = 25;
    const uint32_t before = world.randState;
    world.swingStep = 3;
    swingSwatter();
    EXPECT_EQ(world.killCount, 25);
    EXPECT_EQ(world.bestKills, 25);
    EXPECT_EQ(world.splatsActive, 0);
    EXPECT_NE(world.randState, before);
}

TEST_F(Swatter, BestKillsFollowsOnlyAboveItself) {
    world.cursorPos = {100, 100};
    world.killCount = 19;
    for (int expectBest : {20, 21}) {
        putFly(0, 92.0f, 92.0f);
        world.swingStep = 3;
        swingSwatter();
        EXPECT_EQ(world.bestKills, expectBest);
    }
    EXPECT_EQ(world.killCount, 21);
}

TEST_F(Swatter, ASplatShowsPictures1To7TwiceEachThenFreesItsSlot) {
    world.splatTimer[4] = 1;
    world.splatX[4] = 100;
    world.splatY[4] = 100;
    world.splatsActive = 1;
    std::vector<int> shown;
    for (int call = 0; call < 16; ++call) {
        fillRect(display.backSurface, 0, 0, 640, 480, 1);
        drawSplats();
        const uint8_t v = pixelAt(display.backSurface, 110, 110);
        if (v != 1) shown.push_back(v - 20);
        if (call == 13) {
            EXPECT_EQ(world.splatTimer[4], 0);
            EXPECT_EQ(world.splatsActive, 0);  // cleared in the call that drew the last picture
        } else if (call < 13) {
            EXPECT_EQ(world.splatsActive, 1);
        }
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7}));
}

TEST_F(Swatter, SplatsNearTheTopLeftAreClippedNotLost) {
    world.splatTimer[0] = 1;
    world.splatX[0] = -8;
    world.splatY[0] = -8;
    world.splatsActive = 1;
    drawSplats();
    EXPECT_EQ(countIndex(display.backSurface, 21), 24 * 24);
}

TEST_F(Swatter, FarAwayCursorNeverOverflows) {
    world.cursorPos = {INT32_MIN, INT32_MAX};
    putFly(0, 100.0f, 100.0f);
    world.swingStep = 3;
    swingSwatter();
    EXPECT_EQ(world.killCount, 0);
}
