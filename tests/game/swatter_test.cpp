#include <gtest/gtest.h>

#include <vector>

#include "game/flies.h"
#include "game/sprite_rects.h"
#include "game/swatter.h"
#include "game/world.h"
#include "tests/support/test_support.h"

namespace {

class Swatter : public DisplayTest {
protected:
    void SetUp() override {
        makeTestDisplay();
        initSpriteRects();
        // Splat picture k is filled with index 20 + k, so what is drawn tells the picture.
        for (int k = 0; k < 8; ++k)
            fillRect(displayObjects.spriteSurface, 32 * k, 64, 32 * k + 32, 96, static_cast<uint8_t>(20 + k));
        world.flyLevel = 0;
        world.cursorPos = {100, 100};
    }
    void putFly(int i, float x, float y) {
        world.flyX[i] = x;
        world.flyY[i] = y;
    }
    // The hitting step of a swing.
    void strike() {
        world.swingStep = 3;
        swingSwatter();
    }
};

}  // namespace

TEST_F(Swatter, ASwingTakesNineCallsAndHitsOnlyAtTheThirdAndFourth) {
    std::vector<int> hitCalls, frames;
    world.swingStep = 1;
    for (int call = 1; world.swingStep != 0; ++call) {
        putFly(0, 92.0f, 92.0f);  // centred under the cursor before every call
        const int before = world.killCount;
        swingSwatter();
        frames.push_back(world.swatterFrame);
        if (world.killCount != before) hitCalls.push_back(call);
        ASSERT_LE(call, 9);
    }
    EXPECT_EQ(hitCalls, (std::vector<int>{3, 4})) << "case: calls of the swing that hit";
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 1, 2, 2, 1, 1, 0, 0})) << "case: swatter picture at each call";
}

TEST_F(Swatter, HitWindowIsExclusiveAt24OnBothAxesAndFarCursorsNeverOverflow) {
    struct Case {
        Point cursor;
        float x, y;  // the fly's centre is (x + 8, y + 8)
        bool hit;
    };
    const Case cases[] = {{{100, 100}, 115.0f, 92.0f, true},
                          {{100, 100}, 116.0f, 92.0f, false},
                          {{100, 100}, 69.0f, 92.0f, true},
                          {{100, 100}, 68.0f, 92.0f, false},
                          {{100, 100}, 92.0f, 115.0f, true},
                          {{100, 100}, 92.0f, 116.0f, false},
                          {{100, 100}, 92.0f, 69.0f, true},
                          {{100, 100}, 92.0f, 68.0f, false},
                          {{100, 100}, 115.9f, 115.9f, true},  // truncated toward zero: still 115, 115
                          {{INT32_MIN, INT32_MAX}, 100.0f, 100.0f, false}};
    for (const Case& c : cases) {
        world.killCount = 0;
        world.cursorPos = c.cursor;
        putFly(0, c.x, c.y);
        strike();
        EXPECT_EQ(world.killCount, c.hit ? 1 : 0)
            << "case: cursor " << c.cursor.x << "," << c.cursor.y << ", fly at " << c.x << "," << c.y;
    }
}

TEST_F(Swatter, SeveralHitsTakeTheLowestFreeSlotsInFlyOrder) {
    world.flyLevel = 3;
    world.killCount = 19;     // best 20: followed only once passed
    world.splatTimer[0] = 5;  // busy
    putFly(0, 92.0f, 92.0f);
    putFly(1, 500.0f, 300.0f);  // out of reach
    putFly(2, 80.0f, 90.0f);
    putFly(3, 100.0f, 110.0f);
    strike();
    EXPECT_EQ(world.killCount, 22);
    EXPECT_EQ(world.bestKills, 22) << "followed once passed";
    EXPECT_EQ(world.splatsActive, 1);
    EXPECT_EQ(world.splatTimer[1], 1) << "case: slot 1, fly 0's splat";
    EXPECT_EQ(world.splatTimer[4], 0) << "case: slot 4, no fourth hit";
    EXPECT_EQ(world.splatX[1], 84) << "case: slot 1 holds fly 0";
    EXPECT_EQ(world.splatX[2], 72) << "case: slot 2 holds fly 2";
    EXPECT_EQ(world.splatY[3], 102) << "case: slot 3 holds fly 3";
    EXPECT_EQ(world.flyX[1], 500.0f) << "case: fly 1, out of reach, stays";
    EXPECT_NE(world.flyX[0], 92.0f) << "case: fly 0, hit, respawned";
}

TEST_F(Swatter, AHitWithEverySlotBusyRespawnsTheFlyUncounted) {
    for (int j = 0; j < kSplatSlots; ++j) world.splatTimer[j] = 3;
    putFly(0, 92.0f, 92.0f);
    world.killCount = world.bestKills = 25;
    const uint32_t before = world.randState;
    strike();
    EXPECT_EQ(world.killCount, 25) << "not counted";
    EXPECT_EQ(world.bestKills, 25);
    EXPECT_EQ(world.splatsActive, 0) << "no splat started";
    EXPECT_NE(world.randState, before) << "the fly is respawned";
}

TEST_F(Swatter, ASplatShowsPictures1To7TwiceEachThenFreesItsSlot) {
    world.splatTimer[4] = world.splatsActive = 1;
    world.splatX[4] = world.splatY[4] = 100;
    std::vector<int> shown;
    for (int call = 0; call < 16; ++call) {
        fillAll(displayObjects.backSurface, 1);
        drawSplats();
        if (const uint8_t v = pixelAt(displayObjects.backSurface, 110, 110); v != 1) shown.push_back(v - 20);
        // Freed, and splatsActive cleared, in the call that drew the last picture.
        EXPECT_EQ(world.splatTimer[4] != 0, call < 13) << "case: call " << call << ", slot 4 running";
        EXPECT_EQ(world.splatsActive, call < 13 ? 1 : 0) << "case: call " << call;
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7}))
        << "case: pictures shown, call by call";
    // Near the top left a splat is cut, not lost.
    world.splatTimer[0] = world.splatsActive = 1;
    world.splatX[0] = world.splatY[0] = -8;
    drawSplats();
    EXPECT_EQ(countIndex(displayObjects.backSurface, 21), 24 * 24) << "case: splat at -8,-8";
}
