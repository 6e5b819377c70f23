#include "platform/common/canvas_point.h"

#include <cmath>

namespace {

// The picture pixel whose span of the box holds `offset`, the way a
// nearest-neighbour stretch picks it; outside the box, the nearest edge.
int32_t scaleAxis(double offset, double span, int32_t size) {
    if (!(span > 0) || !std::isfinite(span) || !(offset > 0)) return 0;
    const double scaled = std::floor(offset * size / span);
    if (!(scaled < size)) return size - 1;  // also an infinite offset
    return static_cast<int32_t>(scaled);
}

}  // namespace

Point canvasPointToPicture(double x, double y, double boxWidth, double boxHeight) {
    if (!(boxWidth > 0) || !(boxHeight > 0)) return Point{0, 0};
    return Point{scaleAxis(x, boxWidth, kScreenWidth), scaleAxis(y, boxHeight, kScreenHeight)};
}
