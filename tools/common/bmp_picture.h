#pragma once
// An 8-bit picture as the tools and tests hold it: rows from the top, one
// palette index a pixel, and the 256 colours it is shown in.
#include <array>
#include <cstdint>
#include <vector>

#include "base/palette_entry.h"

struct BmpPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;              // `height` rows of `width` indices, top row first
    std::array<PaletteEntry, 256> colours{};  // red, green, blue; flags 0
};
