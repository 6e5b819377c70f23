#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <string>
#include <tuple>

#include "game/flies.h"
#include "game/sprite_rects.h"
#include "game/world.h"
#include "tests/test_support.h"

namespace {

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
}

TEST_F(Flies, EdgesAreInclusiveAndAFlyLeavesOnlyWhenItCrossesOne) {
    // The speeds a respawn stores for draws of 575 and 576: single-precision products.
    const float below = static_cast<float>(575.0 * static_cast<double>(0.01f));
    const float at = static_cast<float>(576.0 * static_cast<double>(0.01f));
    const std::tuple<float, float, int, float, std::string> cases[] = {
        // S: the fly stays (and moves), L: it leaves and is respawned
        {640.0f, 200.0f, 90, 3.0f, "L"},  // cos(90 degrees) here is just above 0
        {300.0f, 448.0f, 180, below, "SS"},  // slides along the bottom edge
        {300.0f, 448.0f, 180, at, "L"},
        {636.0f, 0.0f, 0, 4.0f, "SL"},  // reaches x 640 on y 0 and stays, once
    };
    for (const auto& [x, y, heading, speed, steps] : cases) {
        place(x, y, heading, speed);
        for (char step : steps) {
            const auto before = std::tuple(world.randState, world.flyX[0], world.flyY[0]);
            moveAndDrawFlies();
            EXPECT_EQ(world.randState != std::get<0>(before), step == 'L') << x << "," << y << " at " << speed;
            EXPECT_NE(std::tuple(world.randState, world.flyX[0], world.flyY[0]), before);
        }
    }
}

TEST_F(Flies, WingsAlternateAndOnlyLiveFliesMove) {
    fillRect(displayObjects.spriteSurface, 0, 32, 16, 48, 11);   // wing picture 0
    fillRect(displayObjects.spriteSurface, 16, 32, 32, 48, 12);  // wing picture 1
    place(100.0f, 100.0f, 0, 3.0f);
    world.flyX[1] = 50.0f;  // above flyLevel: neither moved nor drawn
    moveAndDrawFlies();
    const auto first = std::tuple(world.wingFrame, countIndex(displayObjects.backSurface, 12), pixelAt(displayObjects.backSurface, 103, 100));
    moveAndDrawFlies();
    EXPECT_EQ(std::tuple(first, world.wingFrame, pixelAt(displayObjects.backSurface, 106, 100), world.flyX[1]),
              std::tuple(std::tuple(1, 256, 12), 0, 11, 50.0f));
}

TEST_F(Flies, ThousandFramesOfSixFliesMatchAnIndependentReference) {
    // Reference values from a separate double/float model of the same rules;
    // a fused multiply-add, a float where a double belongs, or a wrong draw
    // count or edge in a respawn changes them.
    world.flyLevel = 5;
    for (int i = 0; i <= 5; ++i) respawnFly(static_cast<int8_t>(i));
    for (int f = 0; f < 1000; ++f) moveAndDrawFlies();
    EXPECT_EQ(world.randState, 766895633u);
    const uint32_t x[] = {0x439b07b0, 0x43b90eb3, 0x43e0d320, 0x433a3120, 0x44067fce, 0x4400dc2d};
    const uint32_t y[] = {0x4304ddd4, 0x4215099a, 0x433a73a4, 0x43a56300, 0x4381c7ec, 0x43d5f1f4};
    const int h[] = {175, 8, 119, 294, 307, 147};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(std::tuple(std::bit_cast<uint32_t>(world.flyX[i]), std::bit_cast<uint32_t>(world.flyY[i]), world.flyHeading[i]),
                  std::tuple(x[i], y[i], h[i]));
}
