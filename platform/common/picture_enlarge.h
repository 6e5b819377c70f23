#pragma once
// The one nearest-neighbour enlarger: the 8-bit picture stretched onto a
// screen's pixels through a table of its colours, whole picture pixels
// repeated or dropped, never blended. Which picture pixel each screen pixel
// shows is the host's sampling rule, the same one its pointer mapping uses,
// so that the pointer lands on the pixel drawn under it. Only the parts that
// changed are enlarged; a screen row showing the same picture row as the
// one above is copied.
#include <cstdint>
#include <vector>

#include "base/geometry.h"
#include "platform/common/picture_convert.h"

// The picture pixel (0 to size - 1) that screen pixel `at` (0 to span - 1)
// of an enlargement to `span` pixels shows.
using SampleRule = int32_t (*)(int64_t at, int32_t span, int32_t size);

struct Enlargement {
    int32_t width = 0;  // the picture's size on the screen
    int32_t height = 0;
    int32_t pictureWidth = 0;
    int32_t pictureHeight = 0;
    SampleRule rule = nullptr;
    std::vector<int32_t> sourceColumn;  // the picture column of each screen column
    std::vector<int32_t> sourceRow;
    std::vector<int32_t> firstColumn;  // the first screen column showing picture column x or one after it
    std::vector<int32_t> firstRow;
};

// Sizes `e` for a `pictureWidth` x `pictureHeight` picture shown on `width`
// x `height` screen pixels (none when any is not positive); the tables are
// made again only when something changed.
void prepareEnlargement(Enlargement& e, int32_t pictureWidth, int32_t pictureHeight, int32_t width, int32_t height,
                        SampleRule rule);

// The screen rectangle (from the enlarged picture's corner) that shows the
// part of the picture inside `part`, clipped to it; empty (all zero) when no
// screen pixel shows any of it.
Rect enlargedRect(const Enlargement& e, Rect part);

// Writes the screen pixels of `area` (a rectangle of the enlarged picture)
// from `picture` through `table` (its 256 colours as screen pixels) to
// `out`, the screen pixel of area's corner, rows `outPitch` bytes apart,
// `bytesPerPixel` 2, 3 or 4 bytes each (the low bytes of the table's value,
// in the machine's order). Pixels outside the enlarged picture are skipped.
void enlargeArea(const Enlargement& e, const IndexedPicture& picture, const uint32_t table[256], Rect area,
                 uint8_t* out, int32_t outPitch, int32_t bytesPerPixel);
