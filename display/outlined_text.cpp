#include "display/outlined_text.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "base/text_raster.h"
#include "display/display_objects.h"
#include "display/display_watch.h"

namespace {

// The locked back buffer: every write is checked against these bounds.
struct Canvas {
    uint8_t* pixels;
    int64_t pitch;
    int64_t width;
    int64_t height;
};

uint8_t nearestPaletteIndex(uint8_t red, uint8_t green, uint8_t blue) {
    int best = 0;
    int32_t bestDistance = INT32_MAX;
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& e = displayObjects.paletteEntries[i];
        const int32_t dr = int32_t{e.red} - red;
        const int32_t dg = int32_t{e.green} - green;
        const int32_t db = int32_t{e.blue} - blue;
        const int32_t d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

// One copy of the line: every ink pixel of the mask, its top-left at (left, top).
void stampMask(const Canvas& canvas, const TextMask& mask, int64_t left, int64_t top, uint8_t index) {
    const int64_t r0 = top < 0 ? -top : 0;
    const int64_t r1 = std::min<int64_t>(mask.rows, canvas.height - top);
    const int64_t c0 = left < 0 ? -left : 0;
    const int64_t c1 = std::min<int64_t>(mask.width, canvas.width - left);
    for (int64_t r = r0; r < r1; ++r) {
        const uint8_t* ink = mask.bits + r * mask.pitch;
        uint8_t* row = canvas.pixels + (top + r) * canvas.pitch + left;
        for (int64_t c = c0; c < c1; ++c)
            if (ink[c]) row[c] = index;
    }
}

}  // namespace

void drawOutlinedText(const char* text, int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue,
                      int32_t height) {
    Surface* back = displayObjects.backSurface;
    if (displayWatch.watcher)
        tellDisplayWatch({DisplayOp::kText, back, nullptr, x, y, {}, 0, text, red, green, blue, height});
    if (!text || !back) return;
    TextMask mask{};
    if (!rasterizeTextLine(text, std::strlen(text), height, &mask) || !mask.bits) return;

    const uint8_t colour = nearestPaletteIndex(red, green, blue);
    const uint8_t black = nearestPaletteIndex(0, 0, 0);
    SurfaceLock lock;
    if (surfaceLock(back, &lock) != DD_OK) return;  // busy: this frame goes without the line
    const Canvas canvas = {lock.surface, lock.pitch, back->width, lock.height};
    const int64_t left = int64_t{x} + mask.left;
    const int64_t top = int64_t{y} + mask.top;

    // Black two pixels right, then the colour twice, one pixel apart: strokes
    // come out a pixel wider with a black edge on their right only.
    stampMask(canvas, mask, left + 2, top, black);
    stampMask(canvas, mask, left, top, colour);
    stampMask(canvas, mask, left + 1, top, colour);
    surfaceUnlock(back);
}
