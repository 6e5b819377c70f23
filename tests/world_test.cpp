#include <gtest/gtest.h>

#include "game/world.h"

TEST(World, GaugeRateStartsAsTheSinglePrecision022) {
    world.gaugeRate = 1.0f;
    resetWorld();
    // Single precision, not the double 0.22: the gauge's run lengths depend on it.
    EXPECT_EQ(static_cast<double>(world.gaugeRate), 0.2199999988079071);
}
