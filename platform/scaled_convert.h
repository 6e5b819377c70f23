#pragma once
// Turns the 8-bit picture into 32-bit 0xFFRRGGBB pixels through its palette and
// stretches it to any size in the same pass, nearest neighbour, so a software
// renderer only has to copy the result to the screen.
#include <cstdint>
#include <vector>

#include "display/device.h"

// Which picture column and row each output column and row shows:
// x * width / outWidth and y * height / outHeight, rounded down, the same
// mapping the cursor uses. Made again only when a size changes.
struct ScaleMap {
    int32_t width = 0;
    int32_t height = 0;
    int32_t outWidth = 0;
    int32_t outHeight = 0;
    std::vector<int32_t> sourceColumn;
    std::vector<int32_t> sourceRow;
};

void makeScaleMap(ScaleMap& map, int32_t width, int32_t height, int32_t outWidth, int32_t outHeight);

// `outPitch` is in pixels; the output is map.outWidth x map.outHeight. Nothing
// happens when the picture is not the size the map was made for.
void convertScaledToRgb32(const Surface& picture, const Palette& palette, const ScaleMap& map,
                          uint32_t* out, int32_t outPitch);
