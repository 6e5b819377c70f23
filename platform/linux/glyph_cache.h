#pragma once
// Rendered 1-bit glyphs, kept per (em size, character) in a table of fixed size
// so that drawing the same lines frame after frame neither renders nor
// allocates again.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <vector>

struct CachedGlyph {
    int32_t ppem;
    uint32_t codePoint;
    uint32_t lastUse;  // 0: the slot is empty
    int32_t left;      // bitmap's left edge from the pen position
    int32_t top;       // bitmap's top row above the baseline
    int32_t width;
    int32_t rows;
    int32_t pitch;    // bytes a row; bits are most significant first
    int32_t advance;  // whole pixels the pen moves on
    std::vector<uint8_t> bits;
};

// The glyph of `codePoint` at `ppem` pixels per em, rendered on a miss. Null
// when FreeType fails. The pointer is good until the next call.
const CachedGlyph* cachedGlyph(FT_Face face, int32_t ppem, uint32_t codePoint);

// How many glyphs were rendered so far (for tests of the cache).
uint64_t glyphRenderCount();
