#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/bit_cast.h"
#include "game/flies.h"
#include "game/sprite_rects.h"
#include "game/world.h"
#include "tests/support/test_support.h"

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
        world.flyX[0] = x;
        world.flyY[0] = y;
        world.flyHeading[0] = heading;
        world.flySpeed[0] = speed;
    }
};

}  // namespace

TEST_F(Flies, EdgesAreInclusiveAndAFlyLeavesOnlyWhenItCrossesOne) {
    // The speeds a respawn stores for draws of 575 and 576: single-precision products.
    const float below = static_cast<float>(575.0 * static_cast<double>(0.01f));
    const float at = static_cast<float>(576.0 * static_cast<double>(0.01f));
    struct Case {
        const char* name;
        float x, y;
        int heading;
        float speed;
        std::vector<bool> leaves;  // per move: leaves and is respawned, or stays and moves
    };
    const Case cases[] = {
        {"x 640 heading 90: cos is just above 0", 640.0f, 200.0f, 90, 3.0f, {true}},
        {"sliding along the bottom edge at 5.75", 300.0f, 448.0f, 180, below, {false, false}},
        {"sliding along the bottom edge at 5.76", 300.0f, 448.0f, 180, at, {true}},
        {"reaching x 640 on y 0, then past it", 636.0f, 0.0f, 0, 4.0f, {false, true}},
    };
    for (const Case& c : cases) {
        place(c.x, c.y, c.heading, c.speed);
        for (size_t k = 0; k < c.leaves.size(); ++k) {
            const uint32_t rand = world.randState;
            const float x = world.flyX[0], y = world.flyY[0];
            moveAndDrawFlies();
            EXPECT_EQ(world.randState != rand, c.leaves[k])
                << "case: " << c.name << ", move " << k + 1 << ", respawned";
            EXPECT_TRUE(world.flyX[0] != x || world.flyY[0] != y)
                << "case: " << c.name << ", move " << k + 1 << ", moved";
        }
    }
}

TEST_F(Flies, WingsAlternateAndOnlyLiveFliesMove) {
    fillRect(displayObjects.spriteSurface, 0, 32, 16, 48, 11);   // wing picture 0
    fillRect(displayObjects.spriteSurface, 16, 32, 32, 48, 12);  // wing picture 1
    place(100.0f, 100.0f, 0, 3.0f);
    world.flyX[1] = 50.0f;  // above flyLevel: neither moved nor drawn
    moveAndDrawFlies();
    EXPECT_EQ(world.wingFrame, 1) << "case: first move";
    EXPECT_EQ(countIndex(displayObjects.backSurface, 12), 256) << "case: first move, wing picture 1 drawn whole";
    EXPECT_EQ(pixelAt(displayObjects.backSurface, 103, 100), 12) << "case: first move, at x 103";
    moveAndDrawFlies();
    EXPECT_EQ(world.wingFrame, 0) << "case: second move";
    EXPECT_EQ(pixelAt(displayObjects.backSurface, 106, 100), 11) << "case: second move, wing picture 0 at x 106";
    EXPECT_EQ(world.flyX[1], 50.0f) << "case: fly 1, not live";
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
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(bitCast<uint32_t>(world.flyX[i]), x[i]) << "case: fly " << i << ", bits of x";
        EXPECT_EQ(bitCast<uint32_t>(world.flyY[i]), y[i]) << "case: fly " << i << ", bits of y";
        EXPECT_EQ(world.flyHeading[i], h[i]) << "case: fly " << i;
    }
}
