#include "display/bmp_layout.h"
#include "base/failure.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint64_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kCoreHeaderBytes = 12;  // OS/2 1.x
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;

uint8_t byteAt(const uint8_t* data, size_t size, uint64_t offset) { return offset < size ? data[offset] : 0; }

uint32_t le32(const uint8_t* data, size_t size, uint64_t offset) {
    return uint32_t{byteAt(data, size, offset)} | uint32_t{byteAt(data, size, offset + 1)} << 8 |
           uint32_t{byteAt(data, size, offset + 2)} << 16 | uint32_t{byteAt(data, size, offset + 3)} << 24;
}

uint16_t le16(const uint8_t* data, size_t size, uint64_t offset) {
    return static_cast<uint16_t>(byteAt(data, size, offset) | byteAt(data, size, offset + 1) << 8);
}

// Copies `count` bytes from `offset`, zeros for whatever lies past the end.
void copyOut(const uint8_t* data, size_t size, uint64_t offset, uint8_t* to, size_t count) {
    size_t have = 0;
    if (offset < size) have = static_cast<size_t>(std::min<uint64_t>(count, size - offset));
    if (have) std::memcpy(to, data + offset, have);
    std::memset(to + have, 0, count - have);
}

}  // namespace

bool parseBmpLayout(const uint8_t* data, size_t size, BmpLayout* out, std::string* reason) {
    if (byteAt(data, size, 0) != 'B' || byteAt(data, size, 1) != 'M')
        return failWith(reason, size < 2 ? "file is empty or cut short" : "not a BMP picture (no BM signature)");
    const uint32_t headerBytes = le32(data, size, 14);
    if (headerBytes == kCoreHeaderBytes)
        return failWith(reason, "OS/2 bitmaps are not supported; save it as a Windows BMP");
    if (headerBytes < kInfoHeaderBytes) return failWith(reason, "cut short or damaged (no bitmap information header)");
    const auto width = static_cast<int32_t>(le32(data, size, 18));
    const auto height = static_cast<int32_t>(le32(data, size, 22));
    const uint16_t bitCount = le16(data, size, 28);
    const uint32_t compression = le32(data, size, 30);
    const uint32_t coloursUsed = le32(data, size, 46);
    const uint32_t pixelOffset = le32(data, size, 10);

    if (bitCount != 8)
        return failWith(reason, std::to_string(bitCount) + " bits per pixel; only 8-bit (256-colour) pictures load");
    if (compression == kBiRle8 || compression == kBiRle4)
        return failWith(reason, "RLE-compressed; save it uncompressed");
    if (compression != kBiRgb) return failWith(reason, "unknown compression method " + std::to_string(compression));
    if (width <= 0) return failWith(reason, "bad width " + std::to_string(width));
    if (height == 0 || height == INT32_MIN) return failWith(reason, "bad height " + std::to_string(height));

    BmpLayout l{};
    l.width = width;
    l.topDown = height < 0;
    l.rows = l.topDown ? -height : height;
    l.rowStride = (uint64_t{static_cast<uint32_t>(width)} + 3) & ~uint64_t{3};
    l.colourOffset = kFileHeaderBytes + headerBytes;
    l.colours = coloursUsed == 0 || coloursUsed > 256 ? 256 : coloursUsed;
    // Writers put the pixels where the file header says; a zero there means
    // "straight after the colour table".
    l.pixelOffset = pixelOffset ? pixelOffset : l.colourOffset + 4 * uint64_t{l.colours};
    if (l.pixelOffset > kMaxBitmapBytes)
        return failWith(reason, "pixel data offset " + std::to_string(l.pixelOffset) + " is past any usable file size");
    if (l.rowStride * uint64_t{static_cast<uint32_t>(l.rows)} > kMaxBitmapBytes - l.pixelOffset)
        return failWith(reason, "picture too large (" + std::to_string(width) + " x " + std::to_string(l.rows) + ")");
    if (l.pixelOffset < l.colourOffset)
        return failWith(reason, "pixel data offset " + std::to_string(pixelOffset) + " lies inside the header");
    // A table that the pixel data cuts short holds only what comes before it.
    l.colours = static_cast<uint32_t>(std::min<uint64_t>(l.colours, (l.pixelOffset - l.colourOffset) / 4));
    if (l.colours == 0) return failWith(reason, "no colour table");
    *out = l;
    return true;
}

void readBmpColours(const uint8_t* data, size_t size, const BmpLayout& layout, PaletteEntry out[256]) {
    for (uint32_t i = 0; i < 256; ++i) {
        uint8_t quad[4] = {};  // blue, green, red, reserved
        if (i < layout.colours) copyOut(data, size, layout.colourOffset + 4 * uint64_t{i}, quad, 4);
        out[i] = PaletteEntry{quad[2], quad[1], quad[0], 0};
    }
}

void copyBmpRows(const uint8_t* data, size_t size, const BmpLayout& layout, const SurfaceLock& lock, int32_t x,
                 int32_t y) {
    if (!lock.surface || x < 0 || y < 0 || x >= lock.pitch || static_cast<uint32_t>(y) >= lock.height) return;
    const auto bytes = static_cast<size_t>(std::min<int64_t>(layout.width, int64_t{lock.pitch} - x));
    const auto rows = static_cast<int32_t>(std::min<int64_t>(layout.rows, int64_t{lock.height} - y));
    for (int32_t r = 0; r < rows; ++r) {
        const int64_t stored = layout.topDown ? r : layout.rows - 1 - r;
        const uint64_t from = layout.pixelOffset + static_cast<uint64_t>(stored) * layout.rowStride;
        uint8_t* to =
            lock.surface + static_cast<size_t>(y + r) * static_cast<size_t>(lock.pitch) + static_cast<size_t>(x);
        copyOut(data, size, from, to, bytes);
    }
}

int64_t countMissingBmpRows(size_t size, const BmpLayout& layout) {
    // Stored rows are whole from the first one on until the bytes run out.
    const uint64_t firstEnd = layout.pixelOffset + static_cast<uint64_t>(layout.width);
    if (size < firstEnd || layout.rowStride == 0) return layout.rows;
    const uint64_t whole = (size - firstEnd) / layout.rowStride + 1;
    return whole >= static_cast<uint64_t>(layout.rows) ? 0 : layout.rows - static_cast<int64_t>(whole);
}
