#pragma once
// The start-up fade in the browser: its 256 steps spread evenly over about
// the time the desktop window's fade takes, so that it shows as a ramp from
// black, whatever the rate of the timer that takes them.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "display/display_setup.h"

constexpr double kFadeRampMs = 400.0;

// How many steps should have been shown after `elapsedMs` of the fade: the
// first at once, the last at kFadeRampMs.
inline int32_t fadeStepsDue(double elapsedMs) {
    if (!(elapsedMs > 0)) return 1;
    const double due = std::floor(elapsedMs * (kFadeInSteps - 1) / kFadeRampMs) + 1;
    return static_cast<int32_t>(std::min<double>(due, kFadeInSteps));
}
