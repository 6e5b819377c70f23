#include "platform/common/baked_line.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// The mask of the last line; it only grows, so warm frames allocate nothing.
std::vector<uint8_t> lineMask;

const BakedSize* sizeFor(const BakedFont& font, int32_t height) {
    for (size_t i = 0; i < font.sizeCount; ++i)
        if (font.sizes[i].height == height) return &font.sizes[i];
    return nullptr;
}

const BakedGlyph* glyphFor(const BakedSize& size, uint16_t code) {
    const BakedGlyph* end = size.glyphs + size.count;
    const BakedGlyph* g =
        std::lower_bound(size.glyphs, end, code, [](const BakedGlyph& a, uint16_t c) { return a.code < c; });
    return g != end && g->code == code ? g : nullptr;
}

bool isLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Calls `visit(glyph, penX)` for each glyph of the line, in order, the pen
// moving on by each glyph's advance and never kerned.
template <typename Visit>
void forEachGlyph(const BakedSize& size, const char* text, size_t length, Visit visit) {
    int64_t pen = 0;
    size_t offset = 0;
    uint16_t codes[64];
    while (size_t n = splitCp932(text, length, &offset, codes, 64)) {
        for (size_t i = 0; i < n; ++i) {
            const BakedGlyph* g = glyphFor(size, codes[i]);
            if (!g) continue;
            visit(*g, pen);
            pen += g->advance;
        }
    }
}

}  // namespace

size_t splitCp932(const char* text, size_t length, size_t* offset, uint16_t* codes, size_t capacity) {
    size_t n = 0;
    while (*offset < length && n < capacity) {
        const auto byte = static_cast<uint8_t>(text[(*offset)++]);
        if (!isLeadByte(byte)) {
            codes[n++] = byte;
        } else if (*offset < length) {
            codes[n++] = static_cast<uint16_t>(byte << 8 | static_cast<uint8_t>(text[(*offset)++]));
        }
    }
    return n;
}

bool rasterizeBakedLine(const BakedFont& font, const char* text, size_t length, int32_t height, TextMask* out) {
    *out = TextMask{};
    const BakedSize* size = sizeFor(font, height);
    if (!text || length == 0 || !size) return false;

    // The line's extent, relative to the pen's start and the cell's top.
    int64_t left = INT64_MAX, right = INT64_MIN, top = INT64_MAX, bottom = INT64_MIN;
    forEachGlyph(*size, text, length, [&](const BakedGlyph& g, int64_t pen) {
        if (g.width <= 0 || g.rows <= 0) return;
        left = std::min<int64_t>(left, pen + g.left);
        right = std::max<int64_t>(right, pen + g.left + g.width);
        top = std::min<int64_t>(top, int64_t{size->ascent} - g.top);
        bottom = std::max<int64_t>(bottom, int64_t{size->ascent} - g.top + g.rows);
    });
    if (left >= right || top >= bottom) return false;
    const int64_t width = right - left, rows = bottom - top;
    if (width > INT32_MAX / 4 || rows > INT32_MAX / 4) return false;
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(rows);
    if (lineMask.size() < bytes) lineMask.resize(bytes);
    std::fill(lineMask.begin(), lineMask.begin() + static_cast<std::ptrdiff_t>(bytes), uint8_t{0});

    forEachGlyph(*size, text, length, [&](const BakedGlyph& g, int64_t pen) {
        const int64_t x0 = pen + g.left - left;
        const int64_t y0 = int64_t{size->ascent} - g.top - top;
        const size_t pitch = (static_cast<size_t>(std::max<int16_t>(g.width, 0)) + 7) / 8;
        stampGlyph(font.bits + g.bits, pitch, g.width, g.rows, lineMask.data(), static_cast<size_t>(width), x0, y0);
    });
    *out = TextMask{lineMask.data(),
                    static_cast<int32_t>(width),
                    static_cast<int32_t>(rows),
                    static_cast<int32_t>(width),
                    static_cast<int32_t>(left),
                    static_cast<int32_t>(top)};
    return true;
}

void stampGlyph(const uint8_t* bits, size_t pitch, int32_t width, int32_t rows, uint8_t* mask, size_t maskWidth,
                int64_t x0, int64_t y0) {
    for (int32_t r = 0; r < rows; ++r) {
        const uint8_t* rowBits = bits + static_cast<size_t>(r) * pitch;
        uint8_t* row = mask + static_cast<size_t>(y0 + r) * maskWidth;
        for (int32_t c = 0; c < width; ++c)
            if (rowBits[c >> 3] & (0x80u >> (c & 7))) row[x0 + c] = 1;
    }
}
