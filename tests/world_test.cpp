#include <gtest/gtest.h>

#include <tuple>

#include "game/world.h"

TEST(World, StartValuesOfARun) {
    world.killCount = 99;
    world.gaugeRate = 1.0f;
    world.randState = 1234;
    world.splatTimer[29] = 3;
    resetWorld();
    EXPECT_EQ(std::tuple(world.gameState, world.flyLevel, world.borderLine, world.bestKills, world.frameInterval),
              std::tuple(kPhaseTitle, 1, 30, 20, 30));
    EXPECT_EQ(std::tuple(world.killCount, world.gauge, world.randState, world.splatTimer[29]),
              std::tuple(0, 0.0f, 1u, 0));
    // Single precision, not the double 0.22.
    EXPECT_EQ(static_cast<double>(world.gaugeRate), 0.2199999988079071);
}
