#include "tools/heading_trig/trig_reference.h"

#include <quadmath.h>

#include <cmath>

#include "game/flies.h"

namespace {

// libquadmath is accurate to about one unit in the last of 113 bits; a quad
// result this close (in units of the double spacing) to a halfway point could
// round either way and is refused.
constexpr double kTieMargin = 0x1p-40;

// Rounds a quad value to the nearest double and says whether it was safely
// away from a halfway point.
double roundToDouble(__float128 q, bool& clear) {
    const double d = static_cast<double>(q);
    const __float128 below = std::nextafter(d, -INFINITY);
    const __float128 above = std::nextafter(d, INFINITY);
    const __float128 midBelow = (below + d) / 2;
    const __float128 midAbove = (above + d) / 2;
    const __float128 spacing = above - below;
    const __float128 room = fminq(q - midBelow, midAbove - q);
    if (room < spacing * kTieMargin) clear = false;
    return d;
}

}  // namespace

double headingAngle(int32_t heading) {
    // Written as volatile so that no compiler folds or widens the product:
    // it must be the one double rounding the game performs.
    volatile double factor = kDegreesToRadians;
    return static_cast<double>(heading) * factor;
}

ReferenceTrig referenceTrig(int32_t heading) {
    const __float128 angle = headingAngle(heading);
    ReferenceTrig r{0.0, 0.0, true};
    r.cos = roundToDouble(cosq(angle), r.clearOfTies);
    r.sin = roundToDouble(sinq(angle), r.clearOfTies);
    return r;
}
