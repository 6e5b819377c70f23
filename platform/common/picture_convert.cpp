#include "platform/common/picture_convert.h"

#include <bit>
#include <cstddef>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Two pixels at a time through a table of every pair of indices: one lookup
// and one 8-byte store per pair instead of two of each. The table (512 KiB)
// is rebuilt only when the colours change, which during play is never.
struct PairTable {
    bool valid = false;
    PixelOrder order = PixelOrder::Xrgb32;
    PaletteEntry colours[256] = {};
    uint32_t single[256] = {};
    uint64_t pair[65536] = {};
};

PairTable pairTable;

void rebuildIfChanged(const PaletteEntry colours[256], PixelOrder order) {
    PairTable& table = pairTable;
    if (table.valid && table.order == order && std::memcmp(table.colours, colours, sizeof table.colours) == 0) return;
    std::memcpy(table.colours, colours, sizeof table.colours);
    table.order = order;
    buildPixelTable(colours, order, table.single);
    // Index = first pixel | second << 8; the first pixel goes to the lower address.
    for (int second = 0; second < 256; ++second)
        for (int first = 0; first < 256; ++first) {
            const uint64_t lo = table.single[first], hi = table.single[second];
            pairTable.pair[first | (second << 8)] = std::endian::native == std::endian::little ? lo | (hi << 32)
                                                                                               : (lo << 32) | hi;
        }
    table.valid = true;
}

uint64_t eightIndices(const uint8_t* at) {
    uint64_t eight;
    std::memcpy(&eight, at, sizeof eight);
    if constexpr (std::endian::native == std::endian::big) eight = __builtin_bswap64(eight);
    return eight;
}

// One row, eight indices per load and four pair lookups; returns the first
// column it did not convert.
int32_t convertRowByPairs(const uint8_t* row, uint32_t* dst, int32_t width) {
    int32_t x = 0;
#if defined(__SSE2__)
    // The picture is written once and read by the window system later, so it
    // goes around the cache instead of pushing the game's data out of it.
    if ((reinterpret_cast<uintptr_t>(dst) & 15) == 0) {
        for (; x + 8 <= width; x += 8) {
            const uint64_t eight = eightIndices(row + x);
            const auto lo = static_cast<long long>(pairTable.pair[eight & 0xFFFF]);
            const auto lo2 = static_cast<long long>(pairTable.pair[(eight >> 16) & 0xFFFF]);
            const auto hi = static_cast<long long>(pairTable.pair[(eight >> 32) & 0xFFFF]);
            const auto hi2 = static_cast<long long>(pairTable.pair[eight >> 48]);
            _mm_stream_si128(reinterpret_cast<__m128i*>(dst + x), _mm_set_epi64x(lo2, lo));
            _mm_stream_si128(reinterpret_cast<__m128i*>(dst + x + 4), _mm_set_epi64x(hi2, hi));
        }
        return x;
    }
#endif
    for (; x + 8 <= width; x += 8) {
        const uint64_t eight = eightIndices(row + x);
        for (int k = 0; k < 4; ++k) {
            const uint64_t two = pairTable.pair[(eight >> (16 * k)) & 0xFFFF];
            std::memcpy(dst + x + 2 * k, &two, sizeof two);
        }
    }
    return x;
}

}  // namespace

void buildPixelTable(const PaletteEntry colours[256], PixelOrder order, uint32_t table[256]) {
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& e = colours[i];
        if (order == PixelOrder::Xrgb32) {
            table[i] = 0xFF000000u | (uint32_t{e.red} << 16) | (uint32_t{e.green} << 8) | e.blue;
        } else {
            const uint8_t bytes[4] = {e.red, e.green, e.blue, 0xFF};
            std::memcpy(&table[i], bytes, sizeof bytes);
        }
    }
}

void convertPicture(const IndexedPicture& picture, PixelOrder order, uint32_t* out, int32_t outPitch) {
    if (!picture.pixels || !picture.colours || !out || picture.width <= 0 || picture.pitch < picture.width ||
        outPitch < picture.width)
        return;
    rebuildIfChanged(picture.colours, order);
    const uint8_t* src = picture.pixels;
    for (int32_t y = 0; y < picture.height; ++y) {
        const uint8_t* row = src + static_cast<size_t>(y) * picture.pitch;
        uint32_t* dst = out + static_cast<size_t>(y) * outPitch;
        for (int32_t x = convertRowByPairs(row, dst, picture.width); x < picture.width; ++x)
            dst[x] = pairTable.single[row[x]];
    }
#if defined(__SSE2__)
    _mm_sfence();
#endif
}
