#include "platform/common/picture_changes.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

void takeWhole(PictureChanges& changes, const IndexedPicture& picture, std::vector<Rect>& changed) {
    changes.width = picture.width;
    changes.height = picture.height;
    changes.shown.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
    for (int32_t y = 0; y < picture.height; ++y)
        std::memcpy(changes.shown.data() + static_cast<size_t>(y) * static_cast<size_t>(picture.width),
                    picture.pixels + static_cast<size_t>(y) * static_cast<size_t>(picture.pitch),
                    static_cast<size_t>(picture.width));
    changed.push_back(Rect{0, 0, picture.width, picture.height});
}

// Whether `length` bytes are the same, eight at a time. Every row of every
// frame is compared, and some C libraries (Wine's msvcrt among them) compare
// a byte at a time.
bool sameBytes(const uint8_t* a, const uint8_t* b, size_t length) {
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t x;
        uint64_t y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) return false;
    }
    for (; i < length; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// Marks the tiles of one row that differ and copies the row when any does.
void compareRow(PictureChanges& changes, const uint8_t* row, uint8_t* shownRow) {
    const size_t width = static_cast<size_t>(changes.width);
    if (sameBytes(row, shownRow, width)) return;
    const size_t tiles = changes.tileChanged.size();
    for (size_t t = 0; t < tiles; ++t) {
        if (changes.tileChanged[t]) continue;
        const size_t left = t * kChangeTile;
        const size_t length = std::min<size_t>(kChangeTile, width - left);
        if (!sameBytes(row + left, shownRow + left, length)) changes.tileChanged[t] = 1;
    }
    std::memcpy(shownRow, row, width);
}

// Adds one run of changed tiles, joining it to a rectangle that ends just
// above it with the same columns. The list stays short, so a plain search does.
void addRun(std::vector<Rect>& changed, Rect run) {
    for (Rect& above : changed) {
        if (above.left == run.left && above.right == run.right && above.bottom == run.top) {
            above.bottom = run.bottom;
            return;
        }
    }
    changed.push_back(run);
}

}  // namespace

void collectPictureChanges(PictureChanges& changes, const IndexedPicture& picture, std::vector<Rect>& changed) {
    changed.clear();
    if (!picture.pixels || picture.width <= 0 || picture.height <= 0 || picture.pitch < picture.width) return;
    if (picture.width != changes.width || picture.height != changes.height ||
        changes.shown.size() != static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height)) {
        takeWhole(changes, picture, changed);
        return;
    }
    const int32_t tilesAcross = (picture.width + kChangeTile - 1) / kChangeTile;
    changes.tileChanged.resize(static_cast<size_t>(tilesAcross));
    for (int32_t top = 0; top < picture.height; top += kChangeTile) {
        const int32_t bottom = std::min(top + kChangeTile, picture.height);
        std::fill(changes.tileChanged.begin(), changes.tileChanged.end(), uint8_t{0});
        for (int32_t y = top; y < bottom; ++y)
            compareRow(changes, picture.pixels + static_cast<size_t>(y) * static_cast<size_t>(picture.pitch),
                       changes.shown.data() + static_cast<size_t>(y) * static_cast<size_t>(picture.width));
        for (int32_t t = 0; t < tilesAcross;) {
            if (!changes.tileChanged[static_cast<size_t>(t)]) {
                ++t;
                continue;
            }
            int32_t end = t;
            while (end < tilesAcross && changes.tileChanged[static_cast<size_t>(end)]) ++end;
            addRun(changed, Rect{t * kChangeTile, top, std::min(end * kChangeTile, picture.width), bottom});
            t = end;
        }
    }
}

void forgetShownPicture(PictureChanges& changes) {
    changes.shown.clear();
    changes.width = 0;
    changes.height = 0;
}

Rect boundingBox(const std::vector<Rect>& rects) {
    Rect box = rects.front();
    for (const Rect& r : rects) {
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
    }
    return box;
}
