#include "game/frame.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(FrameWait, SleepsUntilTheGateOpensAndNeverPastIt) {
    // Now, last frame, interval, whether a frame ran yet (the first goes at once); also across the wrap.
    for (auto [now, last, ran, wait] : {std::tuple{1000u, 1000u, true, 30u},
                                        {1029u, 1000u, true, 1u},
                                        {1030u, 1000u, true, 0u},
                                        {5000u, 1000u, true, 0u},
                                        {1000u, 1000u, false, 0u},
                                        {5u, 0xFFFFFFF0u, true, 9u},
                                        {20u, 0xFFFFFFF0u, true, 0u}})
        EXPECT_EQ(msUntilFrameGate(now, last, 30, ran), wait) << now;
}
