#pragma once
// Where the 640 x 480 picture sits in a window of any size, and where a point
// of that window falls in the picture. Free of any window-system header so the
// arithmetic can be tested on its own.
#include <cstdint>

#include "base/geometry.h"

// The largest 4:3 rectangle that fits `width` x `height`, centred; the rest is
// black bars. Empty (all zero) for a size with no area.
Rect letterboxRect(int32_t width, int32_t height);

// A window point mapped into picture pixels and clamped to 0..639, 0..479, as
// the cursor could never leave the original screen. Points on the bars land on
// the nearest edge of the picture.
Point mapToPicture(Point windowPoint, int32_t width, int32_t height);

// The picture pixel a window's nearest-neighbour stretch to `span` pixels
// shows on pixel `at` of `size` picture pixels: at * size / span, rounded
// down; the cursor maps the same way (a SampleRule of picture_enlarge.h).
int32_t windowSource(int64_t at, int32_t span, int32_t size);

// The largest whole multiple of 640 x 480 that fits `width` x `height`; at
// least 1, so a small desktop still gets a window of the picture's own size.
int32_t largestWholeScale(int32_t width, int32_t height);
