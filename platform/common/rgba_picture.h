#pragma once
// The 8-bit picture as canvas pixels: red, green, blue and alpha bytes in
// that order in memory, what an ImageData laid over the module's memory
// reads. Only the rectangles that changed are converted.
#include <cstdint>

#include "base/geometry.h"
#include "base/palette_entry.h"
#include "platform/common/present_convert.h"

// The 256 colours as opaque canvas pixels.
void buildRgbaTable(const PaletteEntry colours[256], uint32_t table[256]);

// Converts the part of `picture` inside `rect` (clipped to the picture) into
// the same place of `out`, a picture-sized buffer `outPitch` pixels a row.
void convertRectToRgba(const IndexedPicture& picture, const uint32_t table[256], Rect rect, uint32_t* out,
                       int32_t outPitch);
