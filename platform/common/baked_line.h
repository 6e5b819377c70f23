#pragma once
// Text from glyphs rendered ahead of time: every character the game's
// messages can show, at the heights they use, with the metrics the Linux
// text service had for it (tools/text_bake writes the table). A line is put
// together exactly as platform/linux/freetype_text.cpp puts it together, so
// the two draw the same pixels.
#include <cstddef>
#include <cstdint>

#include "base/text_raster.h"

struct BakedGlyph {
    uint16_t code;  // the character in code page 932: one byte, or lead byte << 8 | trail byte
    int16_t left;   // bitmap's left edge from the pen position
    int16_t top;    // bitmap's top row above the baseline
    int16_t width;
    int16_t rows;
    int16_t advance;  // whole pixels the pen moves on
    uint32_t bits;    // offset of the rows in BakedFont::bits, (width + 7) / 8 bytes each, high bit first
};

// The glyphs of one cell height, sorted by code.
struct BakedSize {
    int32_t height;  // as asked for in rasterizeTextLine
    int32_t ascent;  // the baseline's distance below the cell's top
    const BakedGlyph* glyphs;
    size_t count;
};

struct BakedFont {
    const BakedSize* sizes;
    size_t sizeCount;
    const uint8_t* bits;
};

// The code page 932 characters of a line, in order: a lead byte (0x81-0x9F,
// 0xE0-0xFC) takes the byte after it; one cut off by the end is dropped.
// Returns how many codes were written (at most `capacity`), resuming at
// *offset.
// Sets to 1 the cells of `mask` (`maskWidth` cells a row) under the set bits
// of a one-bit glyph whose top-left lands at (x0, y0): the one way a glyph
// enters a line, for baked and FreeType glyphs alike.
void stampGlyph(const uint8_t* bits, size_t pitch, int32_t width, int32_t rows, uint8_t* mask, size_t maskWidth,
                int64_t x0, int64_t y0);

size_t splitCp932(const char* text, size_t length, size_t* offset, uint16_t* codes, size_t capacity);

// The table a build compiles in, as nmnm-text-bake writes it.
extern const BakedFont kBakedFont;

// rasterizeTextLine on a baked font: characters it lacks are skipped, a
// height it lacks draws nothing. The mask lives until the next call.
bool rasterizeBakedLine(const BakedFont& font, const char* text, size_t length, int32_t height, TextMask* out);
