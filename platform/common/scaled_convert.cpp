#include "platform/common/present_convert.h"

#include <cstddef>
#include <cstring>

namespace {

void fillAxis(std::vector<int32_t>& source, int32_t size, int32_t outSize) {
    source.resize(static_cast<size_t>(outSize));
    for (int32_t i = 0; i < outSize; ++i) {
        source[static_cast<size_t>(i)] = static_cast<int32_t>(int64_t{i} * size / outSize);
    }
}

}  // namespace

void makeScaleMap(ScaleMap& map, int32_t width, int32_t height, int32_t outWidth, int32_t outHeight) {
    if (width <= 0 || height <= 0 || outWidth <= 0 || outHeight <= 0) {
        map = ScaleMap{};
        return;
    }
    if (map.width == width && map.height == height && map.outWidth == outWidth &&
        map.outHeight == outHeight) {
        return;
    }
    map.width = width;
    map.height = height;
    map.outWidth = outWidth;
    map.outHeight = outHeight;
    fillAxis(map.sourceColumn, width, outWidth);
    fillAxis(map.sourceRow, height, outHeight);
}

void convertScaledToRgb32(const IndexedPicture& picture, const ScaleMap& map, uint32_t* out, int32_t outPitch) {
    if (map.outWidth <= 0 || map.outHeight <= 0) return;
    if (picture.width != map.width || picture.height != map.height) return;
    if (!picture.pixels || picture.pitch < picture.width) return;
    uint32_t lookup[256];
    buildRgb32Table(picture.colours, lookup);
    const int32_t* columns = map.sourceColumn.data();
    const size_t rowBytes = static_cast<size_t>(map.outWidth) * sizeof(uint32_t);
    const uint32_t* previous = nullptr;
    int32_t previousRow = -1;
    for (int32_t y = 0; y < map.outHeight; ++y) {
        uint32_t* dst = out + static_cast<size_t>(y) * static_cast<size_t>(outPitch);
        const int32_t sourceRow = map.sourceRow[static_cast<size_t>(y)];
        if (sourceRow == previousRow) {
            // A picture row shown twice is copied, not looked up again.
            std::memcpy(dst, previous, rowBytes);
        } else {
            const uint8_t* row = picture.pixels + static_cast<size_t>(sourceRow) * static_cast<size_t>(picture.pitch);
            for (int32_t x = 0; x < map.outWidth; ++x) dst[x] = lookup[row[columns[x]]];
        }
        previous = dst;
        previousRow = sourceRow;
    }
}
