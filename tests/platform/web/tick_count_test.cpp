// The browser's clock: whole milliseconds wrapping at 32 bits.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/web/tick_count.h"

TEST(TickCount, WholeMillisecondsWrappingAt32Bits) {
    EXPECT_EQ(tickCountOf(0.0), 0u) << "page start";
    EXPECT_EQ(tickCountOf(1234.999), 1234u) << "fractions dropped";
    EXPECT_EQ(tickCountOf(4294967295.5), 4294967295u) << "last tick before the wrap";
    EXPECT_EQ(tickCountOf(4294967296.0 + 5.25), 5u) << "wrapped once";
    EXPECT_EQ(tickCountOf(3 * 4294967296.0 + 17), 17u) << "wrapped three times";
    EXPECT_EQ(tickCountOf(-1.0), 0u) << "negative";
    EXPECT_EQ(tickCountOf(std::nan("")), 0u) << "not a number";
    EXPECT_EQ(tickCountOf(std::numeric_limits<double>::infinity()), 0u) << "infinite";
}
