#include "display/present_convert.h"

#include <cstddef>

void convertToRgb32(const Surface& picture, const Palette& palette, uint32_t* out, int32_t outPitch) {
    uint32_t lookup[256];
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& e = palette.entries[i];
        lookup[i] = 0xFF000000u | (uint32_t{e.red} << 16) | (uint32_t{e.green} << 8) | e.blue;
    }
    const uint8_t* src = picture.pixels.data();
    for (int32_t y = 0; y < picture.height; ++y) {
        const uint8_t* row = src + static_cast<size_t>(y) * picture.pitch;
        uint32_t* dst = out + static_cast<size_t>(y) * outPitch;
        for (int32_t x = 0; x < picture.width; ++x) dst[x] = lookup[row[x]];
    }
}
