#include "display/outlined_text.h"

#include <algorithm>
#include <cstring>

#include "display/cp932.h"
#include "display/display_objects.h"
#include "display/font_face.h"
#include "display/glyph_cache.h"

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
        const PaletteEntry& e = display.paletteEntries[i];
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

void stampGlyph(const Canvas& canvas, const CachedGlyph& g, int64_t left, int64_t top, uint8_t index) {
    // The part of the glyph that lies on the canvas, in glyph coordinates.
    const int64_t r0 = top < 0 ? -top : 0;
    const int64_t r1 = std::min<int64_t>(g.rows, canvas.height - top);
    const int64_t c0 = left < 0 ? -left : 0;
    const int64_t c1 = std::min<int64_t>(g.width, canvas.width - left);
    for (int64_t r = r0; r < r1; ++r) {
        const uint8_t* bits = g.bits.data() + r * g.pitch;
        uint8_t* row = canvas.pixels + (top + r) * canvas.pitch + left;
        for (int64_t c = c0; c < c1; ++c)
            if (bits[c >> 3] & (0x80u >> (c & 7))) row[c] = index;
    }
}

// One copy of the whole line, glyph after glyph from the pen at x. No kerning:
// the platform the texts were made for did not kern either.
void drawCopy(const Canvas& canvas, FT_Face face, const TextCell& cell, const char* text, size_t length,
              int64_t x, int64_t y, uint8_t index) {
    const int64_t baseline = y + cell.ascent;
    int64_t pen = x;
    size_t offset = 0;
    uint32_t codePoints[64];
    while (size_t n = decodeCp932(text, length, &offset, codePoints, 64)) {
        for (size_t i = 0; i < n; ++i) {
            const CachedGlyph* g = cachedGlyph(face, cell.ppem, codePoints[i]);
            if (!g) continue;
            stampGlyph(canvas, *g, pen + g->left, baseline - g->top, index);
            pen += g->advance;
        }
    }
}

}  // namespace

void drawOutlinedText(const char* text, int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue,
                      int32_t height) {
    Surface* back = display.backSurface;
    if (!text || !back) return;
    FT_Face face = textFace();
    TextCell cell;
    if (!face || !textCellFor(face, height, &cell)) return;

    const uint8_t colour = nearestPaletteIndex(red, green, blue);
    const uint8_t black = nearestPaletteIndex(0, 0, 0);
    SurfaceLock lock;
    if (surfaceLock(back, &lock) != DD_OK) return;  // busy: this frame goes without the line
    const Canvas canvas = {lock.surface, lock.pitch, back->width, lock.height};
    const size_t length = std::strlen(text);

    // Black two pixels right, then the colour twice, one pixel apart: strokes
    // come out a pixel wider with a black edge on their right only.
    drawCopy(canvas, face, cell, text, length, int64_t{x} + 2, y, black);
    drawCopy(canvas, face, cell, text, length, x, y, colour);
    drawCopy(canvas, face, cell, text, length, int64_t{x} + 1, y, colour);
    surfaceUnlock(back);
}
