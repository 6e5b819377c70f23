#pragma once
// Turning the 8-bit picture into 32-bit 0xFFRRGGBB pixels through its colours:
// the last step before a picture is handed to a window system that has no
// palette.
#include <cstdint>
#include <vector>

#include "base/palette_entry.h"

// An 8-bit picture as the display hands it over: `height` rows of `width`
// indices, `pitch` bytes apart, shown through `colours`.
struct IndexedPicture {
    const uint8_t* pixels;
    int32_t pitch;
    int32_t width;
    int32_t height;
    const PaletteEntry* colours;  // 256 entries
};

// One colour as a 32-bit 0xFFRRGGBB pixel, and all 256 of them.
uint32_t rgb32Of(const PaletteEntry& colour);
void buildRgb32Table(const PaletteEntry colours[256], uint32_t out[256]);

// Converts the whole picture at its own size; `outPitch` is in pixels.
void convertToRgb32(const IndexedPicture& picture, uint32_t* out, int32_t outPitch);
