#include "tools/artgen/icon.h"

#include <algorithm>

namespace {

// Where the cells the icon is made of sit on the sheet.
constexpr int32_t kFlyLeft = 0, kFlyTop = 32, kFlySize = 16;
constexpr int32_t kSwatterLeft = 32, kSwatterTop = 32, kSwatterSize = 32;

// Copies the opaque pixels of a sheet cell onto the icon, so a later cell
// overlaps an earlier one the way sprites overlap in the game.
void stamp(IndexedImage* icon, const IndexedImage& sheet, int32_t cellLeft, int32_t cellTop, int32_t cellSize,
           int32_t x, int32_t y) {
    for (int32_t cy = 0; cy < cellSize; ++cy) {
        for (int32_t cx = 0; cx < cellSize; ++cx) {
            const uint8_t v = sheet.at(cellLeft + cx, cellTop + cy);
            if (v != kClear) icon->set(x + cx, y + cy, v);
        }
    }
}

struct Box {
    int32_t left, top, right, bottom;  // opaque pixels, inclusive; left > right when none
};

Box opaqueBox(const IndexedImage& sheet, int32_t cellLeft, int32_t cellTop, int32_t cellSize) {
    Box box{cellSize, cellSize, -1, -1};
    for (int32_t y = 0; y < cellSize; ++y) {
        for (int32_t x = 0; x < cellSize; ++x) {
            if (sheet.at(cellLeft + x, cellTop + y) == kClear) continue;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
        }
    }
    return box;
}

// The last row of a cell wider than half the cell: the bottom edge of the
// swatter's head, above the handle. -1 when no row is that wide.
int32_t headBottom(const IndexedImage& sheet, int32_t cellLeft, int32_t cellTop, int32_t cellSize) {
    int32_t bottom = -1;
    for (int32_t y = 0; y < cellSize; ++y) {
        int32_t opaque = 0;
        for (int32_t x = 0; x < cellSize; ++x) opaque += sheet.at(cellLeft + x, cellTop + y) != kClear;
        if (opaque > cellSize / 2) bottom = y;
    }
    return bottom;
}

// The main layout, 32 x 32: the swatter held ready, one pixel in from the
// top-left corner, and a fly landed on the right end of its head's lower
// edge, clear of the handle. Placed by the sprites' opaque pixels so that
// redrawn sprites keep the layout; without a head the fly takes the
// bottom-right corner.
IndexedImage swatterAndFly(const IndexedImage& sheet) {
    IndexedImage icon(32, 32, kClear);
    const Box swatter = opaqueBox(sheet, kSwatterLeft, kSwatterTop, kSwatterSize);
    const Box fly = opaqueBox(sheet, kFlyLeft, kFlyTop, kFlySize);
    int32_t flyBottom = 30;
    if (swatter.left <= swatter.right) {
        stamp(&icon, sheet, kSwatterLeft, kSwatterTop, kSwatterSize, 1 - swatter.left, 1 - swatter.top);
        const int32_t head = headBottom(sheet, kSwatterLeft, kSwatterTop, kSwatterSize);
        if (head >= 0) flyBottom = std::min(30, head + 1 - swatter.top + 1);
    }
    if (fly.left <= fly.right) stamp(&icon, sheet, kFlyLeft, kFlyTop, kFlySize, 30 - fly.right, flyBottom - fly.bottom);
    return icon;
}

// Small icons show the fly alone: below 64 pixels the swatter's mesh and the
// fly together would be a blur of outlines, and 48 is no whole multiple of 32.
IndexedImage flyAlone(const IndexedImage& sheet) {
    IndexedImage icon(16, 16, kClear);
    stamp(&icon, sheet, kFlyLeft, kFlyTop, kFlySize, 0, 0);
    return icon;
}

// Enlarges `art` by a whole factor and centres it on a clear square of `size`.
IndexedImage enlarge(const IndexedImage& art, int32_t size) {
    const int32_t factor = size / art.width;
    const int32_t margin = (size - art.width * factor) / 2;
    IndexedImage out(size, size, kClear);
    for (int32_t y = 0; y < art.height * factor; ++y)
        for (int32_t x = 0; x < art.width * factor; ++x)
            out.set(margin + x, margin + y, art.at(x / factor, y / factor));
    return out;
}

}  // namespace

IndexedImage paintIcon(const IndexedImage& sheet, int32_t size) {
    if (size < 64) return enlarge(flyAlone(sheet), size);
    return enlarge(swatterAndFly(sheet), size);
}

std::vector<uint8_t> iconRgba(const IndexedImage& icon, const std::array<Rgb, 256>& colours) {
    std::vector<uint8_t> out;
    out.reserve(icon.pixels.size() * 4);
    for (uint8_t v : icon.pixels) {
        const Rgb& c = colours[v];
        const bool clear = v == kClear;
        out.insert(out.end(), {clear ? uint8_t{0} : c.r, clear ? uint8_t{0} : c.g, clear ? uint8_t{0} : c.b,
                               clear ? uint8_t{0} : uint8_t{255}});
    }
    return out;
}
