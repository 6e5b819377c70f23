// Text on Linux: code page 932 decoded with iconv, glyphs from the one face
// fontconfig chose, rendered by FreeType as crisp 1-bit bitmaps and kept in a
// cache, put side by side into one mask per line.
#include <algorithm>
#include <climits>
#include <vector>

#include "base/text_raster.h"
#include "platform/common/baked_line.h"
#include "platform/linux/cp932.h"
#include "platform/linux/font_face.h"
#include "platform/linux/glyph_cache.h"

namespace {

// The mask of the last line; it only grows, so warm frames allocate nothing.
std::vector<uint8_t> lineMask;

// Calls `visit(glyph, penX)` for each glyph of the line, in order. No kerning:
// the platform the texts were made for did not kern either.
template <typename Visit>
void forEachGlyph(FT_Face face, int32_t ppem, const char* text, size_t length, Visit visit) {
    int64_t pen = 0;
    size_t offset = 0;
    uint32_t codePoints[64];
    while (size_t n = decodeCp932(text, length, &offset, codePoints, 64)) {
        for (size_t i = 0; i < n; ++i) {
            const CachedGlyph* g = cachedGlyph(face, ppem, codePoints[i]);
            if (!g) continue;
            visit(*g, pen);
            pen += g->advance;
        }
    }
}

}  // namespace

bool rasterizeTextLine(const char* text, size_t length, int32_t height, TextMask* out) {
    *out = TextMask{};
    FT_Face face = textFace();
    TextCell cell;
    if (!text || length == 0 || !face || !textCellFor(face, height, &cell)) return false;

    // The line's extent, relative to the pen's start and the cell's top.
    int64_t left = INT64_MAX, right = INT64_MIN, top = INT64_MAX, bottom = INT64_MIN;
    forEachGlyph(face, cell.ppem, text, length, [&](const CachedGlyph& g, int64_t pen) {
        if (g.width <= 0 || g.rows <= 0) return;
        left = std::min<int64_t>(left, pen + g.left);
        right = std::max<int64_t>(right, pen + g.left + g.width);
        top = std::min<int64_t>(top, int64_t{cell.ascent} - g.top);
        bottom = std::max<int64_t>(bottom, int64_t{cell.ascent} - g.top + g.rows);
    });
    if (left >= right || top >= bottom) return false;
    // Cell heights are capped, and a line of at most a few hundred characters
    // stays far inside 32 bits.
    const int64_t width = right - left, rows = bottom - top;
    if (width > INT32_MAX / 4 || rows > INT32_MAX / 4) return false;
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(rows);
    if (lineMask.size() < bytes) lineMask.resize(bytes);
    std::fill(lineMask.begin(), lineMask.begin() + static_cast<std::ptrdiff_t>(bytes), uint8_t{0});

    forEachGlyph(face, cell.ppem, text, length, [&](const CachedGlyph& g, int64_t pen) {
        const int64_t x0 = pen + g.left - left;
        const int64_t y0 = int64_t{cell.ascent} - g.top - top;
        stampGlyph(g.bits.data(), static_cast<size_t>(g.pitch), g.width, g.rows, lineMask.data(),
                   static_cast<size_t>(width), x0, y0);
    });
    *out = TextMask{lineMask.data(),
                    static_cast<int32_t>(width),
                    static_cast<int32_t>(rows),
                    static_cast<int32_t>(width),
                    static_cast<int32_t>(left),
                    static_cast<int32_t>(top)};
    return true;
}
