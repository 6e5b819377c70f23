// The browser's start-up fade: a ramp from black over about the desktop's
// fade time, whatever the timer's rate.
#include "app/web/web_fade_ramp.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(WebFadeRamp, FirstStepAtOnceLastAtTheEndEvenInBetween) {
    EXPECT_EQ(fadeStepsDue(0), 1) << "the first step shows at once";
    EXPECT_EQ(fadeStepsDue(-5), 1) << "a clock read backwards";
    EXPECT_EQ(fadeStepsDue(std::nan("")), 1) << "not a number";
    EXPECT_EQ(fadeStepsDue(kFadeRampMs - 1), kFadeInSteps - 1) << "one step short just before the end";
    EXPECT_EQ(fadeStepsDue(kFadeRampMs), kFadeInSteps) << "all steps at the end";
    EXPECT_EQ(fadeStepsDue(1e12), kFadeInSteps) << "never more than all steps";
    EXPECT_EQ(fadeStepsDue(kFadeRampMs / 2), 128) << "half way, half the steps";
    int previous = 0;
    int largestJump = 0;
    for (double ms = 0; ms <= kFadeRampMs; ms += 1) {
        const int due = fadeStepsDue(ms);
        EXPECT_GE(due, previous) << "never backwards, at " << ms << " ms";
        largestJump = std::max(largestJump, due - previous);
        previous = due;
    }
    EXPECT_LE(largestJump, 1) << "one millisecond never asks for more than one step";
}
