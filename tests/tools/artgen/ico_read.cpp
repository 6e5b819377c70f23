#include "tests/tools/artgen/ico_read.h"

#include <utility>

namespace {

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<size_t>(i)];
    return v;
}

}  // namespace

std::string readIco(const std::vector<uint8_t>& bytes, std::vector<IcoEntry>* out) {
    if (bytes.size() < 6 || le(bytes, 0, 2) != 0 || le(bytes, 2, 2) != 1) return "no icon header";
    const size_t count = le(bytes, 4, 2);
    if (bytes.size() < 6 + 16 * count) return "the directory ends early";
    std::vector<IcoEntry> entries;
    for (size_t i = 0; i < count; ++i) {
        const size_t dir = 6 + 16 * i;
        const std::string which = "image " + std::to_string(i) + ": ";
        IcoEntry entry;
        entry.size = bytes[dir] == 0 ? 256 : bytes[dir];
        const size_t s = static_cast<size_t>(entry.size);
        const size_t length = le(bytes, dir + 8, 4), at = le(bytes, dir + 12, 4);
        if (bytes[dir + 1] != bytes[dir] || le(bytes, dir + 6, 2) != 32) return which + "not a square 32-bit entry";
        if (at > bytes.size() || length > bytes.size() - at || length < 40) return which + "outside the file";
        if (le(bytes, at, 4) != 40 || le(bytes, at + 4, 4) != s || le(bytes, at + 8, 4) != 2 * s ||
            le(bytes, at + 14, 2) != 32 || le(bytes, at + 16, 4) != 0)
            return which + "its header is not an uncompressed 32-bit " + std::to_string(s) + " square";
        const size_t maskStride = (s + 31) / 32 * 4;
        if (length < 40 + s * s * 4 + maskStride * s) return which + "ends early";
        entry.rgba.resize(s * s * 4);
        entry.maskShowsDesktop.resize(s * s);
        const size_t colourAt = at + 40, maskAt = colourAt + s * s * 4;
        for (size_t y = 0; y < s; ++y) {
            const size_t stored = s - 1 - y;  // bottom-up
            for (size_t x = 0; x < s; ++x) {
                const uint8_t* p = &bytes[colourAt + (stored * s + x) * 4];
                char* q = &entry.rgba[(y * s + x) * 4];
                q[0] = static_cast<char>(p[2]), q[1] = static_cast<char>(p[1]), q[2] = static_cast<char>(p[0]);
                q[3] = static_cast<char>(p[3]);
                entry.maskShowsDesktop[y * s + x] = bytes[maskAt + stored * maskStride + x / 8] & (0x80u >> (x % 8));
            }
        }
        entries.push_back(std::move(entry));
    }
    *out = std::move(entries);
    return std::string();
}
