#include "platform/sdl/scale_map.h"

#include <cstddef>

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
    if (map.width == width && map.height == height && map.outWidth == outWidth && map.outHeight == outHeight) {
        return;
    }
    map.width = width;
    map.height = height;
    map.outWidth = outWidth;
    map.outHeight = outHeight;
    fillAxis(map.sourceColumn, width, outWidth);
    fillAxis(map.sourceRow, height, outHeight);
}
