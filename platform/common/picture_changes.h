#pragma once
// Which parts of the 8-bit picture changed since it was last shown. Between
// two frames only the flies, the swatter, the splats and the bars move, so a
// window that is sent only these parts does a fraction of the work.
#include <cstdint>
#include <vector>

#include "base/geometry.h"
#include "platform/common/picture_convert.h"

// Square blocks the picture is compared in: small enough that a fly's cell
// costs little more than itself, large enough to keep the list short.
constexpr int32_t kChangeTile = 16;

// The copy of the picture last shown and the scratch of one comparison.
struct PictureChanges {
    std::vector<uint8_t> shown;  // width * height indices, rows packed
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> tileChanged;  // one flag per tile of a tile row
};

// Compares `picture` with the copy last shown, takes it as the new copy and
// fills `changed` with rectangles (picture pixels, right and bottom exclusive)
// that together cover every changed pixel, in whole tiles clipped to the
// picture. A picture of another size than the copy, or the first one, comes
// back whole.
void collectPictureChanges(PictureChanges& changes, const IndexedPicture& picture, std::vector<Rect>& changed);

// The smallest rectangle holding every one of `rects` (not empty).
Rect boundingBox(const std::vector<Rect>& rects);

// Forgets the copy, so that the next picture comes back whole.
void forgetShownPicture(PictureChanges& changes);
