#include "tools/artgen/shade_canvas.h"

#include <algorithm>

ShadeCanvas::ShadeCanvas(int32_t width, int32_t height)
    : width_(width), height_(height), cells_(static_cast<size_t>(width) * static_cast<size_t>(height)) {}

void ShadeCanvas::paint(int32_t x, int32_t y, Ramp ramp, double shade) {
    if (!inside(x, y)) return;
    PaintCell& c = cells_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    c.ramp = ramp;
    c.shade = static_cast<float>(std::clamp(shade, 0.0, 1.0));
    c.fixed = -1;
}

void ShadeCanvas::paintFixed(int32_t x, int32_t y, uint8_t index) {
    if (!inside(x, y)) return;
    cells_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)].fixed = index;
}

void ShadeCanvas::shift(int32_t x, int32_t y, double delta) {
    if (!inside(x, y)) return;
    PaintCell& c = cells_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    c.shade = static_cast<float>(std::clamp(static_cast<double>(c.shade) + delta, 0.0, 1.0));
}

const PaintCell& ShadeCanvas::cell(int32_t x, int32_t y) const {
    x = std::clamp(x, 0, width_ - 1);
    y = std::clamp(y, 0, height_ - 1);
    return cells_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

IndexedImage ShadeCanvas::dither() const {
    static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    IndexedImage out(width_, height_);
    for (int32_t y = 0; y < height_; ++y) {
        for (int32_t x = 0; x < width_; ++x) {
            const PaintCell& c = cell(x, y);
            if (c.fixed >= 0) {
                out.set(x, y, static_cast<uint8_t>(c.fixed));
                continue;
            }
            const int steps = rampInfo(c.ramp).steps;
            const double threshold = (static_cast<double>(kBayer[y & 3][x & 3]) + 0.5) / 16.0;
            const double pos = static_cast<double>(c.shade) * static_cast<double>(steps - 1);
            out.set(x, y, rampIndex(c.ramp, static_cast<int>(std::floor(pos + threshold))));
        }
    }
    return out;
}
