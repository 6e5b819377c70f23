#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <tuple>

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

// The speed a respawn stores for a draw of n: the single-precision product.
float speedOf(int n) { return static_cast<float>(static_cast<double>(n) * static_cast<double>(0.01f)); }

class Flies : public DisplayTest {
protected:
    void SetUp() override {
        makeTestDisplay();
        initSpriteRects();
    }
    // Places fly 0 by hand, with only fly 0 live.
    void place(float x, float y, int heading, float speed) {
        world.flyLevel = 0;
        std::tie(world.flyX[0], world.flyY[0], world.flyHeading[0], world.flySpeed[0]) = std::tuple(x, y, heading, speed);
    }
};

}  // namespace

TEST_F(Flies, FixedGeneratorAndTheFirstTwoRespawnsOfEveryRun) {
    EXPECT_EQ((std::array{nmnm::rand(), nmnm::rand(), nmnm::rand(), nmnm::rand()}), (std::array{41, 18467, 6334, 26500}));
    resetWorld();
    respawnFly(0);
    respawnFly(1);
    EXPECT_EQ(std::tuple(world.flyX[0], world.flyY[0], world.flyHeading[0], world.flySpeed[0]),
              std::tuple(640.0f, 99.0f, 124, 4.0f));
    EXPECT_EQ(std::tuple(world.flyX[1], world.flyY[1], world.flyHeading[1], static_cast<double>(world.flySpeed[1])),
              std::tuple(640.0f, 44.0f, 228, 4.579999923706055));
    // Exactly four draws per respawn: the ninth draw is a fresh generator's ninth.
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
        ASSERT_TRUE(x == std::trunc(x) && y == std::trunc(y) && world.flySpeed[3] >= 3.0f && world.flySpeed[3] <= 6.99f);
        // A corner belongs to two edges; the heading must fit one of them.
        const bool fits = (x == 0.0f && h >= -89 && h <= 90) || (x == 640.0f && h >= 90 && h <= 269) ||
                          (y == 0.0f && h >= 0 && h <= 179) || (y == 448.0f && h >= 180 && h <= 359);
        ASSERT_TRUE(fits) << x << "," << y << " heading " << h;
    }
}

TEST_F(Flies, EdgesAreInclusiveAndAFlyLeavesOnlyWhenItCrossesOne) {
    struct Case {
        float x, y;
        int heading;
        float speed;
        std::string steps;  // S: the fly stays, L: it leaves and is respawned
    };
    const Case cases[] = {
        {640.0f, 200.0f, 90, 3.0f, "L"},           // cos(90 degrees) here is just above 0
        {300.0f, 448.0f, 180, speedOf(575), "SS"},  // slides along the bottom edge
        {300.0f, 448.0f, 180, speedOf(576), "L"},
        {636.0f, 0.0f, 0, 4.0f, "SL"},             // reaches x 640 on y 0 and stays, once
    };
    for (const Case& c : cases) {
        place(c.x, c.y, c.heading, c.speed);
        for (char step : c.steps) {
            const auto before = std::tuple(world.randState, world.flyX[0], world.flyY[0]);
            moveAndDrawFlies();
            EXPECT_EQ(world.randState != std::get<0>(before), step == 'L') << c.x << "," << c.y << " at " << c.speed;
            EXPECT_NE(std::tuple(world.randState, world.flyX[0], world.flyY[0]), before);  // staying, it moved
        }
    }
}

TEST_F(Flies, WingsAlternateAndOnlyLiveFliesMove) {
    fillRect(display.spriteSurface, 0, 32, 16, 48, 11);   // wing picture 0
    fillRect(display.spriteSurface, 16, 32, 32, 48, 12);  // wing picture 1
    place(100.0f, 100.0f, 0, 3.0f);
    world.flyX[1] = 50.0f;  // above flyLevel: neither moved nor drawn
    moveAndDrawFlies();
    EXPECT_EQ(std::tuple(world.wingFrame, countIndex(display.backSurface, 12), pixelAt(display.backSurface, 103, 100)),
              std::tuple(1, 256, 12));
    moveAndDrawFlies();
    EXPECT_EQ(std::tuple(world.wingFrame, pixelAt(display.backSurface, 106, 100), world.flyX[1]), std::tuple(0, 11, 50.0f));
}

TEST_F(Flies, ThousandFramesOfSixFliesMatchAnIndependentReference) {
    // Reference values from a separate double/float model of the same rules;
    // a fused multiply-add or a float where a double belongs changes them.
    world.flyLevel = 5;
    for (int i = 0; i <= 5; ++i) respawnFly(static_cast<int8_t>(i));
    for (int f = 0; f < 1000; ++f) moveAndDrawFlies();
    EXPECT_EQ(world.randState, 766895633u);
    const uint32_t x[] = {0x439b07b0, 0x43b90eb3, 0x43e0d320, 0x433a3120, 0x44067fce, 0x4400dc2d};
    const uint32_t y[] = {0x4304ddd4, 0x4215099a, 0x433a73a4, 0x43a56300, 0x4381c7ec, 0x43d5f1f4};
    const int h[] = {175, 8, 119, 294, 307, 147};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(std::tuple(bitsOf(world.flyX[i]), bitsOf(world.flyY[i]), world.flyHeading[i]), std::tuple(x[i], y[i], h[i]));
}
