#pragma once
// The 640 x 480 picture enlarged onto the screen's own pixels, for a canvas
// with one pixel per device pixel (page_fit.h): every device pixel takes the
// picture pixel under its centre, so a whole multiple gives even blocks and
// any other size stays crisp, never blended. Done here rather than by the
// browser, whose choice on an exact tie between two picture pixels varies
// with its rounding; the pointer mapping (pagePointToPicture) takes the
// same pixel. Only the rectangles that changed are enlarged, each into a
// block of its own: a browser puts an image of the rectangle's size far
// faster than a part of one of the whole screen's size.
#include <cstdint>
#include <vector>

#include "base/geometry.h"

struct Enlargement {
    int32_t width = 0;  // the picture's size in device pixels
    int32_t height = 0;
    std::vector<int32_t> sourceColumn;  // the picture column of each device column
    std::vector<int32_t> sourceRow;
    std::vector<int32_t> firstColumn;  // the first device column showing picture column x or one after it
    std::vector<int32_t> firstRow;
};

// Sizes `e` for a picture `width` x `height` device pixels (none when either
// is not positive) and works out which picture pixel each one shows.
void prepareEnlargement(Enlargement& e, int32_t width, int32_t height);

// The device rectangle that shows the part of the picture inside `rect`
// (clipped to the picture); empty when no device pixel shows any of it.
Rect enlargedRect(const Enlargement& e, Rect rect);

// Appends the device pixels of enlargedRect(e, rect), row by row, taken
// from `picture` (640 x 480 pixels, row by row), to `out`; returns that
// rectangle.
Rect enlargeRect(const Enlargement& e, const uint32_t* picture, Rect rect, std::vector<uint32_t>& out);
