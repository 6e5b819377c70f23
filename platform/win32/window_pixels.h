#pragma once
// Which window pixels to draw again when GDI's StretchDIBits stretches the
// picture itself. Free of any window-system header.
#include <cstdint>

#include "base/geometry.h"

// The window pixels of the letterbox `box` whose area overlaps the picture
// pixels `part` when the whole `width` x `height` picture is stretched over
// the box: on each axis from floor(left * span / size) to
// ceil(right * span / size). A nearest-pixel stretch colours each window
// pixel from a picture pixel under that window pixel's area, wherever in the
// area it samples, so no window pixel showing `part` lies outside; a window
// pixel inside that shows another picture pixel is merely drawn again the
// same. Empty (all zero) when the box or the part has no area.
Rect windowPixelsOver(const Rect& part, const Rect& box, int32_t width, int32_t height);
