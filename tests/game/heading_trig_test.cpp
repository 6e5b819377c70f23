#include <gtest/gtest.h>

#include <cstdint>

#include "base/bit_cast.h"
#include "game/heading_trig.h"
#include "tools/heading_trig/trig_reference.h"

// Every entry against a fresh quad-precision computation: a wrong digit, a
// shifted row or a swapped column in the table shows up as the heading it hits.
TEST(HeadingTrig, EveryHeadingHoldsTheCorrectlyRoundedCosAndSin) {
    for (int32_t heading = kHeadingTrigFirst; heading <= kHeadingTrigLast; ++heading) {
        const HeadingTrig got = headingTrig(heading);
        const ReferenceTrig want = referenceTrig(heading);
        EXPECT_TRUE(want.clearOfTies) << "case: reference rounding of heading " << heading;
        EXPECT_EQ(bitCast<uint64_t>(got.cos), bitCast<uint64_t>(want.cos)) << "case: cos of heading " << heading;
        EXPECT_EQ(bitCast<uint64_t>(got.sin), bitCast<uint64_t>(want.sin)) << "case: sin of heading " << heading;
    }
}

// Values known independently of the reference, at the headings where a
// platform's cos and sin are most likely to be a bit off and where the flies'
// edge behaviour hangs on the sign.
TEST(HeadingTrig, KnownValuesAtTheQuarterTurns) {
    EXPECT_EQ(bitCast<uint64_t>(headingTrig(90).cos), 0x3eb6428a6aa4625bu) << "case: cos of heading 90";
    EXPECT_GT(headingTrig(90).cos, 1.3e-6) << "case: heading 90 leans right, off the right edge";
    EXPECT_GT(headingTrig(180).sin, 2.6e-6) << "case: heading 180 leans down, off the bottom edge";
    EXPECT_EQ(headingTrig(0).cos, 1.0) << "case: cos of heading 0";
    EXPECT_EQ(headingTrig(0).sin, 0.0) << "case: sin of heading 0, a fly on the top edge stays on it";
}
