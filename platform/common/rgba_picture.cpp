#include "platform/common/rgba_picture.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

void buildRgbaTable(const PaletteEntry colours[256], uint32_t table[256]) {
    for (int i = 0; i < 256; ++i) {
        // Bytes in memory order whatever the machine's byte order.
        const uint8_t bytes[4] = {colours[i].red, colours[i].green, colours[i].blue, 0xFF};
        std::memcpy(&table[i], bytes, sizeof bytes);
    }
}

void convertRectToRgba(const IndexedPicture& picture, const uint32_t table[256], Rect rect, uint32_t* out,
                       int32_t outPitch) {
    if (!picture.pixels || !out || picture.pitch < picture.width || outPitch < picture.width) return;
    const int32_t left = std::max(rect.left, 0);
    const int32_t top = std::max(rect.top, 0);
    const int32_t right = std::min(rect.right, picture.width);
    const int32_t bottom = std::min(rect.bottom, picture.height);
    for (int32_t y = top; y < bottom; ++y) {
        const uint8_t* from = picture.pixels + static_cast<size_t>(y) * static_cast<size_t>(picture.pitch);
        uint32_t* to = out + static_cast<size_t>(y) * static_cast<size_t>(outPitch);
        for (int32_t x = left; x < right; ++x) to[x] = table[from[x]];
    }
}
