#include "platform/common/picture_enlarge.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>

namespace {

void buildAxis(int32_t span, int32_t size, SampleRule rule, std::vector<int32_t>& source, std::vector<int32_t>& first) {
    source.resize(static_cast<size_t>(span));
    for (int32_t d = 0; d < span; ++d) source[static_cast<size_t>(d)] = std::clamp(rule(d, span, size), 0, size - 1);
    // first[x]: where picture pixel x, or the next one shown, starts; span
    // past the last.
    first.assign(static_cast<size_t>(size) + 1, span);
    for (int32_t d = span - 1; d >= 0; --d) first[static_cast<size_t>(source[static_cast<size_t>(d)])] = d;
    for (int32_t x = size - 1; x >= 0; --x)
        first[static_cast<size_t>(x)] = std::min(first[static_cast<size_t>(x)], first[static_cast<size_t>(x) + 1]);
}

template <int Bytes>
void store(uint8_t* at, uint32_t pixel) {
    if constexpr (Bytes == 4) {
        std::memcpy(at, &pixel, 4);
    } else if constexpr (Bytes == 2) {
        const uint16_t half = static_cast<uint16_t>(pixel);
        std::memcpy(at, &half, 2);
    } else {
        // Three bytes in the order SDL and X keep them: the value's low byte
        // first on a little-endian machine.
        const bool little = std::endian::native == std::endian::little;
        at[little ? 0 : 2] = static_cast<uint8_t>(pixel);
        at[1] = static_cast<uint8_t>(pixel >> 8);
        at[little ? 2 : 0] = static_cast<uint8_t>(pixel >> 16);
    }
}

template <int Bytes>
void enlargeRows(const Enlargement& e, const IndexedPicture& picture, const uint32_t table[256], const Rect& a,
                 uint8_t* out, int32_t outPitch) {
    const int32_t* columns = e.sourceColumn.data() + a.left;
    const size_t width = static_cast<size_t>(a.right - a.left);
    const size_t rowBytes = width * Bytes;
    uint8_t* dst = out;
    for (int32_t y = a.top; y < a.bottom; ++y, dst += outPitch) {
        const int32_t sourceRow = e.sourceRow[static_cast<size_t>(y)];
        if (y > a.top && sourceRow == e.sourceRow[static_cast<size_t>(y) - 1]) {
            std::memcpy(dst, dst - outPitch, rowBytes);
            continue;
        }
        const uint8_t* row = picture.pixels + static_cast<size_t>(sourceRow) * static_cast<size_t>(picture.pitch);
        if (Bytes == 4 && reinterpret_cast<uintptr_t>(dst) % alignof(uint32_t) == 0) {
            uint32_t* to = reinterpret_cast<uint32_t*>(dst);
            for (size_t x = 0; x < width; ++x) to[x] = table[row[columns[x]]];
        } else {
            for (size_t x = 0; x < width; ++x) store<Bytes>(dst + x * Bytes, table[row[columns[x]]]);
        }
    }
}

}  // namespace

void prepareEnlargement(Enlargement& e, int32_t pictureWidth, int32_t pictureHeight, int32_t width, int32_t height,
                        SampleRule rule) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || width <= 0 || height <= 0 || !rule)
        pictureWidth = pictureHeight = width = height = 0;
    if (e.width == width && e.height == height && e.pictureWidth == pictureWidth && e.pictureHeight == pictureHeight &&
        e.rule == rule && !e.firstColumn.empty())
        return;
    e.width = width;
    e.height = height;
    e.pictureWidth = pictureWidth;
    e.pictureHeight = pictureHeight;
    e.rule = rule;
    if (width == 0) {
        e.sourceColumn.clear();
        e.sourceRow.clear();
        e.firstColumn.assign(1, 0);
        e.firstRow.assign(1, 0);
        return;
    }
    buildAxis(width, pictureWidth, rule, e.sourceColumn, e.firstColumn);
    buildAxis(height, pictureHeight, rule, e.sourceRow, e.firstRow);
}

Rect enlargedRect(const Enlargement& e, Rect part) {
    if (e.width == 0) return Rect{0, 0, 0, 0};
    part.left = std::clamp(part.left, 0, e.pictureWidth);
    part.right = std::clamp(part.right, part.left, e.pictureWidth);
    part.top = std::clamp(part.top, 0, e.pictureHeight);
    part.bottom = std::clamp(part.bottom, part.top, e.pictureHeight);
    const Rect out{e.firstColumn[static_cast<size_t>(part.left)], e.firstRow[static_cast<size_t>(part.top)],
                   e.firstColumn[static_cast<size_t>(part.right)], e.firstRow[static_cast<size_t>(part.bottom)]};
    if (out.left >= out.right || out.top >= out.bottom) return Rect{0, 0, 0, 0};
    return out;
}

void enlargeArea(const Enlargement& e, const IndexedPicture& picture, const uint32_t table[256], Rect area,
                 uint8_t* out, int32_t outPitch, int32_t bytesPerPixel) {
    if (!out || !picture.pixels || picture.width != e.pictureWidth || picture.height != e.pictureHeight ||
        picture.pitch < picture.width)
        return;
    const int32_t left = std::max(area.left, 0);
    const int32_t top = std::max(area.top, 0);
    out += static_cast<ptrdiff_t>(top - area.top) * outPitch + static_cast<ptrdiff_t>(left - area.left) * bytesPerPixel;
    const Rect a{left, top, std::min(area.right, e.width), std::min(area.bottom, e.height)};
    if (a.left >= a.right || a.top >= a.bottom) return;
    switch (bytesPerPixel) {
        case 2: enlargeRows<2>(e, picture, table, a, out, outPitch); break;
        case 3: enlargeRows<3>(e, picture, table, a, out, outPitch); break;
        case 4: enlargeRows<4>(e, picture, table, a, out, outPitch); break;
        default: break;
    }
}
