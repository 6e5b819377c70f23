// No text service: every line draws nothing, as the seam allows for a
// machine without a font.
#include "base/text_raster.h"

bool rasterizeTextLine(const char*, size_t, int32_t, TextMask* out) {
    if (out) *out = TextMask{nullptr, 0, 0, 0, 0, 0};
    return false;
}
