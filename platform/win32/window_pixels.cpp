#include "platform/win32/window_pixels.h"

namespace {

// 64-bit: a span times a picture coordinate may pass 32 bits.
int32_t floorScaled(int32_t at, int32_t span, int32_t size) { return static_cast<int32_t>(int64_t{at} * span / size); }

int32_t ceilScaled(int32_t at, int32_t span, int32_t size) {
    return static_cast<int32_t>((int64_t{at} * span + size - 1) / size);
}

}  // namespace

Rect windowPixelsOver(const Rect& part, const Rect& box, int32_t width, int32_t height) {
    const int32_t spanX = box.right - box.left;
    const int32_t spanY = box.bottom - box.top;
    if (width <= 0 || height <= 0 || spanX <= 0 || spanY <= 0) return Rect{0, 0, 0, 0};
    // The part clipped to the picture; coordinates are never negative below.
    const int32_t left = part.left < 0 ? 0 : part.left;
    const int32_t top = part.top < 0 ? 0 : part.top;
    const int32_t right = part.right > width ? width : part.right;
    const int32_t bottom = part.bottom > height ? height : part.bottom;
    if (left >= right || top >= bottom) return Rect{0, 0, 0, 0};
    return Rect{box.left + floorScaled(left, spanX, width), box.top + floorScaled(top, spanY, height),
                box.left + ceilScaled(right, spanX, width), box.top + ceilScaled(bottom, spanY, height)};
}
