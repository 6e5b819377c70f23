#pragma once
// The 640 x 480 picture enlarged onto the screen's own pixels, for a canvas
// with one pixel per device pixel (page_fit.h): every device pixel takes the
// picture pixel under its centre, so a whole multiple gives even blocks and
// any other size stays crisp, never blended. Done here rather than by the
// browser, whose choice on an exact tie between two picture pixels varies
// with its rounding; the pointer mapping (pagePointToPicture) takes the
// same pixel. Only the rectangles that changed are enlarged.
#include <cstdint>
#include <vector>

#include "base/geometry.h"

struct Enlargement {
    int32_t width = 0;                   // the picture's size in device pixels
    int32_t height = 0;
    std::vector<int32_t> sourceColumn;   // the picture column of each device column
    std::vector<int32_t> sourceRow;
    std::vector<int32_t> firstColumn;    // the first device column showing picture column x or one after it
    std::vector<int32_t> firstRow;
    std::vector<uint32_t> pixels;        // width x height, row by row
};

// Sizes `e` for a picture `width` x `height` device pixels (none when either
// is not positive) and works out which picture pixel each one shows.
void prepareEnlargement(Enlargement& e, int32_t width, int32_t height);

// Enlarges the part of `picture` (640 x 480 pixels, row by row) inside
// `rect` into e.pixels; returns the device rectangle written, empty when
// the rectangle shows on no device pixel.
Rect enlargeRect(Enlargement& e, const uint32_t* picture, Rect rect);
