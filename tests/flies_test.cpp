#include <gtest/gtest.h>

#include <cstring>

#include "game/flies.h"
#include "game/sprite_rects.h"
#include "game/world.h"
#include "tests/test_support.h"

namespace {

uint32_t bitsOf(float f) {
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

float speedOf(int n) { return static_cast<float>(static_cast<double>(n) * static_cast<double>(0.01f)); }

class Flies : public ::testing::Test {
protected:
    void SetUp() override {
        makeTestDisplay();
        initSpriteRects();
    }
    void TearDown() override { releaseTestDisplay(); }
    // Places fly 0 by hand, with only fly 0 live.
    void place(float x, float y, int heading, float speed) {
        world.flyLevel = 0;
        world.flyX[0] = x;
        world.flyY[0] = y;
        world.flyHeading[0] = heading;
        world.flySpeed[0] = speed;
    }
};

}  // namespace

TEST(Rand, FixedSequenceFromStateOne) {
    resetWorld();
    EXPECT_EQ(nmnm::rand(), 41);
    EXPECT_EQ(nmnm::rand(), 18467);
    EXPECT_EQ(nmnm::rand(), 6334);
    EXPECT_EQ(nmnm::rand(), 26500);
}

TEST_F(Flies, FirstTwoRespawnsOfEveryRun) {
    respawnFly(0);
    respawnFly(1);
    EXPECT_EQ(world.flyX[0], 640.0f);
    EXPECT_EQ(world.flyY[0], 99.0f);
    EXPECT_EQ(world.flyHeading[0], 124);
    EXPECT_EQ(world.flySpeed[0], 4.0f);
    EXPECT_EQ(world.flyX[1], 640.0f);
    EXPECT_EQ(world.flyY[1], 44.0f);
    EXPECT_EQ(world.flyHeading[1], 228);
    EXPECT_EQ(static_cast<double>(world.flySpeed[1]), 4.579999923706055);
    // Exactly four draws per respawn: the ninth draw is the same as a fresh
    // generator's ninth.
    const int32_t next = nmnm::rand();
    resetWorld();
    for (int i = 0; i < 8; ++i) nmnm::rand();
    EXPECT_EQ(next, nmnm::rand());
}

TEST_F(Flies, RespawnAlwaysLandsOnAnEdgeHeadingInside) {
    for (int k = 0; k < 2000; ++k) {
        respawnFly(3);
        const float x = world.flyX[3], y = world.flyY[3];
        const int h = world.flyHeading[3];
        ASSERT_EQ(x, static_cast<float>(static_cast<int>(x)));
        ASSERT_EQ(y, static_cast<float>(static_cast<int>(y)));
        ASSERT_GE(world.flySpeed[3], 3.0f);
        ASSERT_LE(world.flySpeed[3], 6.99f);
        // A corner belongs to two edges; the heading must fit one of them.
        const bool fits = (x == 0.0f && h >= -89 && h <= 90) || (x == 640.0f && h >= 90 && h <= 269) ||
                          (y == 0.0f && h >= 0 && h <= 179) || (y == 448.0f && h >= 180 && h <= 359);
        ASSERT_TRUE(fits) << x << "," << y << " heading " << h;
    }
}

TEST_F(Flies, StoredSpeedIsTheSinglePrecisionProduct) {
    // 0.01f * n is below the float nearest n / 100 for some n: 1.12 -> 3.12 etc.
    int below = 0;
    for (int n = 300; n < 700; ++n) below += speedOf(n) != static_cast<float>(n / 100.0);
    EXPECT_EQ(below, 112);
    EXPECT_EQ(speedOf(300), 3.0f);
    EXPECT_EQ(static_cast<double>(speedOf(699)), 6.989999771118164);
}

TEST_F(Flies, ARightEdgeFlyHeadingDownLeavesAtItsFirstStep) {
    place(640.0f, 200.0f, 90, 3.0f);
    const uint32_t before = world.randState;
    moveAndDrawFlies();
    EXPECT_NE(world.randState, before);  // cos(90 degrees) here is just above 0
}

TEST_F(Flies, ABottomEdgeFlyHeadingLeftSlidesBelowSpeed576) {
    place(300.0f, 448.0f, 180, speedOf(575));
    const uint32_t before = world.randState;
    moveAndDrawFlies();
    EXPECT_EQ(world.randState, before);
    EXPECT_EQ(world.flyY[0], 448.0f);
    EXPECT_LT(world.flyX[0], 300.0f);
    EXPECT_EQ(countIndex(display.backSurface, 0), 640 * 480);  // on y 448 nothing is drawn

    place(300.0f, 448.0f, 180, speedOf(576));
    moveAndDrawFlies();
    EXPECT_NE(world.randState, before);
}

TEST_F(Flies, BoundsAreInclusive) {
    // Heading 0 along the top edge keeps y at exactly 0 and x may reach 640.
    place(636.0f, 0.0f, 0, 4.0f);
    const uint32_t before = world.randState;
    moveAndDrawFlies();
    EXPECT_EQ(world.flyX[0], 640.0f);
    EXPECT_EQ(world.flyY[0], 0.0f);
    EXPECT_EQ(world.randState, before);
    moveAndDrawFlies();
    EXPECT_NE(world.randState, before);
}

TEST_F(Flies, WingsAlternateAndOnlyLiveFliesMove) {
    fillRect(display.spriteSurface, 0, 32, 16, 48, 11);   // wing picture 0
    fillRect(display.spriteSurface, 16, 32, 32, 48, 12);  // wing picture 1
    place(100.0f, 100.0f, 0, 3.0f);
    world.flyX[1] = 50.0f;  // above flyLevel: neither moved nor drawn
    moveAndDrawFlies();
    EXPECT_EQ(world.wingFrame, 1);
    EXPECT_EQ(countIndex(display.backSurface, 12), 256);
    EXPECT_EQ(pixelAt(display.backSurface, 103, 100), 12);
    moveAndDrawFlies();
    EXPECT_EQ(world.wingFrame, 0);
    EXPECT_EQ(pixelAt(display.backSurface, 106, 100), 11);
    EXPECT_EQ(world.flyX[1], 50.0f);
}

TEST_F(Flies, ThousandFramesOfSixFliesMatchAnIndependentReference) {
    // Reference values from a separate double/float model of the same rules;
    // a fused multiply-add or a float where a double belongs changes them.
    respawnFly(0);
    respawnFly(1);
    world.flyLevel = 5;
    for (int i = 2; i <= 5; ++i) respawnFly(static_cast<int8_t>(i));
    for (int f = 0; f < 1000; ++f) moveAndDrawFlies();
    EXPECT_EQ(world.randState, 766895633u);
    const uint32_t x[] = {0x439b07b0, 0x43b90eb3, 0x43e0d320, 0x433a3120, 0x44067fce, 0x4400dc2d};
    const uint32_t y[] = {0x4304ddd4, 0x4215099a, 0x433a73a4, 0x43a56300, 0x4381c7ec, 0x43d5f1f4};
    const int h[] = {175, 8, 119, 294, 307, 147};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(bitsOf(world.flyX[i]), x[i]) << i;
        EXPECT_EQ(bitsOf(world.flyY[i]), y[i]) << i;
        EXPECT_EQ(world.flyHeading[i], h[i]) << i;
    }
}
