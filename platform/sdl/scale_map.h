#pragma once
// Which picture column and row each column and row of a stretched drawing
// shows: x * width / outWidth and y * height / outHeight, rounded down, the
// same mapping the cursor uses. Made again only when a size changes.
#include <cstdint>
#include <vector>

struct ScaleMap {
    int32_t width = 0;
    int32_t height = 0;
    int32_t outWidth = 0;
    int32_t outHeight = 0;
    std::vector<int32_t> sourceColumn;
    std::vector<int32_t> sourceRow;
};

void makeScaleMap(ScaleMap& map, int32_t width, int32_t height, int32_t outWidth, int32_t outHeight);
