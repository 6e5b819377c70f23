#include "platform/common/picture_fit.h"

#include <algorithm>

Rect letterboxRect(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return Rect{0, 0, 0, 0};
    // Compare the two aspect ratios without division; 64-bit so huge sizes
    // cannot overflow.
    int64_t w = width;
    int64_t h = height;
    if (w * kScreenHeight > h * kScreenWidth) {
        w = h * kScreenWidth / kScreenHeight;  // bars left and right
    } else {
        h = w * kScreenHeight / kScreenWidth;  // bars above and below
    }
    const int32_t left = static_cast<int32_t>((width - w) / 2);
    const int32_t top = static_cast<int32_t>((height - h) / 2);
    return Rect{left, top, left + static_cast<int32_t>(w), top + static_cast<int32_t>(h)};
}

namespace {

// Scales one coordinate the way a nearest-neighbour stretch picks its source
// pixel, so the cursor lands on the picture pixel drawn under it.
int32_t scaleAxis(int32_t offset, int32_t span, int32_t size) {
    if (offset < 0) return 0;
    return std::min(windowSource(offset, span, size), size - 1);
}

}  // namespace

Point mapToPicture(Point windowPoint, int32_t width, int32_t height) {
    const Rect box = letterboxRect(width, height);
    const int32_t spanX = box.right - box.left;
    const int32_t spanY = box.bottom - box.top;
    if (spanX <= 0 || spanY <= 0) return Point{0, 0};
    return Point{scaleAxis(windowPoint.x - box.left, spanX, kScreenWidth),
                 scaleAxis(windowPoint.y - box.top, spanY, kScreenHeight)};
}

int32_t windowSource(int64_t at, int32_t span, int32_t size) {
    return static_cast<int32_t>(std::min<int64_t>(at * size / span, size));
}

int32_t largestWholeScale(int32_t width, int32_t height) {
    return std::max(1, std::min(width / kScreenWidth, height / kScreenHeight));
}
