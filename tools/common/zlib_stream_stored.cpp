// The zlib stream without zlib: stored deflate blocks of at most 65535 bytes
// each, the Adler-32 of the data after them. Reads back only what it writes.
#include <algorithm>
#include <array>
#include <cstddef>

#include "tools/common/zlib_stream.h"

namespace {

constexpr size_t kMaxStoredBlock = 65535;

uint32_t adler32(const uint8_t* data, size_t size) {
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % 65521u;
        b = (b + a) % 65521u;
    }
    return b << 16 | a;
}

uint32_t get32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

}  // namespace

bool zlibPack(const uint8_t* data, size_t size, std::vector<uint8_t>* out) {
    out->clear();
    out->reserve(size + size / kMaxStoredBlock * 5 + 11);
    // Deflate, 32 KiB window, no dictionary; 0x7801 is a multiple of 31.
    out->insert(out->end(), {0x78, 0x01});
    size_t at = 0;
    do {
        const size_t n = size - at < kMaxStoredBlock ? size - at : kMaxStoredBlock;
        const bool last = at + n == size;
        out->push_back(last ? 1 : 0);  // BFINAL, BTYPE 00: stored
        out->insert(out->end(), {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(~n),
                                 static_cast<uint8_t>(~n >> 8)});
        out->insert(out->end(), data + at, data + at + n);
        at += n;
    } while (at < size);
    const uint32_t check = adler32(data, size);
    for (int s = 24; s >= 0; s -= 8) out->push_back(static_cast<uint8_t>(check >> s));
    return true;
}

bool zlibUnpack(const uint8_t* data, size_t size, std::vector<uint8_t>* out) {
    if (size < 6 || (data[0] & 0x0F) != 8 || (data[0] << 8 | data[1]) % 31 != 0 || (data[1] & 0x20)) return false;
    size_t in = 2, got = 0;
    for (bool last = false; !last;) {
        if (size - in < 5) return false;
        const uint8_t header = data[in];
        if ((header & 0x06) != 0) return false;  // a compressed block: only zlib reads those
        last = header & 1;
        const size_t n = data[in + 1] | size_t{data[in + 2]} << 8;
        const size_t check = data[in + 3] | size_t{data[in + 4]} << 8;
        if ((n ^ check) != 0xFFFF) return false;
        in += 5;
        if (size - in < n || out->size() - got < n) return false;
        std::copy(data + in, data + in + n, out->begin() + static_cast<std::ptrdiff_t>(got));
        in += n;
        got += n;
    }
    return got == out->size() && size - in >= 4 && get32(data + in) == adler32(out->data(), got);
}

uint32_t pngCrc32(const uint8_t* data, size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}
