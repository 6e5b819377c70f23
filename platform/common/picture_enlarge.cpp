#include "platform/common/picture_enlarge.h"

#include <algorithm>
#include <cstring>

#include "platform/common/page_fit.h"

namespace {

void buildAxis(int32_t span, int32_t size, std::vector<int32_t>& source, std::vector<int32_t>& first) {
    source.resize(static_cast<size_t>(span));
    for (int32_t d = 0; d < span; ++d) source[static_cast<size_t>(d)] = enlargedSource(d, span, size);
    // first[x]: where picture pixel x, or the next one shown, starts; span
    // past the last.
    first.assign(static_cast<size_t>(size) + 1, span);
    for (int32_t d = span - 1; d >= 0; --d) first[static_cast<size_t>(source[static_cast<size_t>(d)])] = d;
    for (int32_t x = size - 1; x >= 0; --x)
        first[static_cast<size_t>(x)] = std::min(first[static_cast<size_t>(x)], first[static_cast<size_t>(x) + 1]);
}

}  // namespace

void prepareEnlargement(Enlargement& e, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) width = height = 0;
    e.width = width;
    e.height = height;
    buildAxis(width, kScreenWidth, e.sourceColumn, e.firstColumn);
    buildAxis(height, kScreenHeight, e.sourceRow, e.firstRow);
}

Rect enlargedRect(const Enlargement& e, Rect rect) {
    rect.left = std::clamp(rect.left, 0, kScreenWidth);
    rect.right = std::clamp(rect.right, rect.left, kScreenWidth);
    rect.top = std::clamp(rect.top, 0, kScreenHeight);
    rect.bottom = std::clamp(rect.bottom, rect.top, kScreenHeight);
    if (e.width == 0) return Rect{0, 0, 0, 0};
    const Rect out{e.firstColumn[static_cast<size_t>(rect.left)], e.firstRow[static_cast<size_t>(rect.top)],
                   e.firstColumn[static_cast<size_t>(rect.right)], e.firstRow[static_cast<size_t>(rect.bottom)]};
    if (out.left >= out.right || out.top >= out.bottom) return Rect{0, 0, 0, 0};
    return out;
}

Rect enlargeRect(const Enlargement& e, const uint32_t* picture, Rect rect, std::vector<uint32_t>& out) {
    const Rect d = enlargedRect(e, rect);
    if (d.right == d.left || !picture) return Rect{0, 0, 0, 0};
    const size_t width = static_cast<size_t>(d.right - d.left);
    const size_t start = out.size();
    out.resize(start + width * static_cast<size_t>(d.bottom - d.top));
    uint32_t* row = out.data() + start;
    for (int32_t y = d.top; y < d.bottom; ++y, row += width) {
        // A row showing the same picture row as the one above: a copy.
        if (y > d.top && e.sourceRow[static_cast<size_t>(y)] == e.sourceRow[static_cast<size_t>(y) - 1]) {
            std::memcpy(row, row - width, width * sizeof *row);
            continue;
        }
        const uint32_t* from = picture + static_cast<size_t>(e.sourceRow[static_cast<size_t>(y)]) * kScreenWidth;
        const int32_t* column = e.sourceColumn.data() + d.left;
        for (size_t x = 0; x < width; ++x) row[x] = from[column[x]];
    }
    return d;
}
