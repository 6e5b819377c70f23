#include "platform/linux/glyph_cache.h"

#include <cstring>

namespace {

// 256 sets of 4: the game's whole character set at both sizes fits many times over.
constexpr uint32_t kSets = 256;
constexpr uint32_t kWays = 4;

CachedGlyph table[kSets * kWays];
uint32_t useClock = 0;
uint64_t renders = 0;
int32_t facePpem = 0;  // the size last set on the face

uint32_t setOf(int32_t ppem, uint32_t codePoint) {
    const uint32_t h = codePoint * 2654435761u ^ static_cast<uint32_t>(ppem) * 40503u;
    return (h >> 16) % kSets;
}

bool renderInto(FT_Face face, int32_t ppem, uint32_t codePoint, CachedGlyph* g) {
    if (facePpem != ppem) {
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ppem)) != 0) return false;
        facePpem = ppem;
    }
    const FT_UInt index = FT_Get_Char_Index(face, codePoint);
    // Crisp 1-bit glyphs hinted for monochrome, as the game asked for no antialiasing.
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0) return false;
    FT_GlyphSlot slot = face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return false;
    const FT_Bitmap& bm = slot->bitmap;
    ++renders;

    g->ppem = ppem;
    g->codePoint = codePoint;
    g->left = slot->bitmap_left;
    g->top = slot->bitmap_top;
    g->width = static_cast<int32_t>(bm.width);
    g->rows = static_cast<int32_t>(bm.rows);
    g->pitch = (g->width + 7) / 8;
    g->advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
    g->bits.assign(static_cast<size_t>(g->pitch) * static_cast<size_t>(g->rows), 0);
    for (int32_t r = 0; r < g->rows; ++r) {
        const int64_t rowStart = static_cast<int64_t>(r) * bm.pitch;
        const unsigned char* src = bm.buffer + rowStart;
        uint8_t* dst = g->bits.data() + static_cast<size_t>(r) * static_cast<size_t>(g->pitch);
        if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
            std::memcpy(dst, src, static_cast<size_t>(g->pitch));
        } else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
            // An embedded grey bitmap: half coverage and above counts as ink.
            for (int32_t c = 0; c < g->width; ++c)
                if (src[c] >= 128) dst[c / 8] |= static_cast<uint8_t>(0x80u >> (c % 8));
        } else {
            g->width = g->rows = g->pitch = 0;  // colour bitmaps: nothing to draw
            g->bits.clear();
            break;
        }
    }
    return true;
}

}  // namespace

const CachedGlyph* cachedGlyph(FT_Face face, int32_t ppem, uint32_t codePoint) {
    if (!face) return nullptr;
    CachedGlyph* set = table + setOf(ppem, codePoint) * kWays;
    CachedGlyph* victim = set;
    for (uint32_t w = 0; w < kWays; ++w) {
        CachedGlyph* g = set + w;
        if (g->lastUse != 0 && g->ppem == ppem && g->codePoint == codePoint) {
            g->lastUse = ++useClock;
            return g;
        }
        if (g->lastUse < victim->lastUse) victim = g;
    }
    if (useClock > 0xFFFFFF00u) {
        // The clock is about to wrap: age every slot alike.
        for (CachedGlyph& g : table) g.lastUse = g.lastUse ? 1 : 0;
        useClock = 1;
    }
    victim->lastUse = 0;
    if (!renderInto(face, ppem, codePoint, victim)) return nullptr;
    victim->lastUse = ++useClock;
    return victim;
}

uint64_t glyphRenderCount() { return renders; }
