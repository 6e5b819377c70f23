#include "platform/frame_wait.h"

#include <gtest/gtest.h>

TEST(FrameWait, SleepsUntilTheGateOpensAndNeverPastIt) {
    EXPECT_EQ(msUntilFrameGate(1000, 1000, 30, true), 30u);
    EXPECT_EQ(msUntilFrameGate(1029, 1000, 30, true), 1u);
    EXPECT_EQ(msUntilFrameGate(1030, 1000, 30, true), 0u);
    EXPECT_EQ(msUntilFrameGate(5000, 1000, 30, true), 0u);
    EXPECT_EQ(msUntilFrameGate(1000, 1000, 30, false), 0u);  // first frame: go at once
    // Across the wrap of the tick count.
    EXPECT_EQ(msUntilFrameGate(5, 0xFFFFFFF0u, 30, true), 9u);
    EXPECT_EQ(msUntilFrameGate(20, 0xFFFFFFF0u, 30, true), 0u);
}
