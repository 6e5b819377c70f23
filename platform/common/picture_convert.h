#pragma once
// The one 8-bit converter: the picture's indices turned into 32-bit pixels
// through its colours, in the pixel order the window system reads, for the
// hosts whose screens have no palette.
#include <cstdint>

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

// Xrgb32: the value 0xFFRRGGBB (SDL's RGB888, a framebuffer's usual layout).
// Rgba: red, green, blue and alpha bytes in that order in memory, what a
// canvas's ImageData reads, whatever the machine's byte order.
enum class PixelOrder { Xrgb32, Rgba };

// The 256 colours as opaque pixels of `order`.
void buildPixelTable(const PaletteEntry colours[256], PixelOrder order, uint32_t table[256]);

// Converts the whole picture at its own size; `outPitch` is in pixels.
void convertPicture(const IndexedPicture& picture, PixelOrder order, uint32_t* out, int32_t outPitch);
