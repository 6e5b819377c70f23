#pragma once
#include <cstdint>

// cos and sin of a fly's heading angle (heading * 3.14159 / 180), from a table
// of correctly rounded values: the flies follow the same paths on every
// platform, whatever its own cos and sin return in the last bit.
struct HeadingTrig {
    double cos;
    double sin;
};

// Every heading a fly can be given.
constexpr int32_t kHeadingTrigFirst = -89;
constexpr int32_t kHeadingTrigLast = 359;
constexpr int32_t kHeadingTrigCount = kHeadingTrigLast - kHeadingTrigFirst + 1;

HeadingTrig headingTrig(int32_t heading);
