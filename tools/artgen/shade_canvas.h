#pragma once
// A painting surface where every pixel is a material (a palette ramp) and a
// continuous shade 0..1 along it, or a fixed palette index. Painting in
// shades keeps gradients smooth; ordered dithering turns them into indices
// at the end.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/artgen/indexed_image.h"
#include "tools/artgen/palette.h"

struct PaintCell {
    Ramp ramp = Ramp::Steel;
    float shade = 0.0f;
    int16_t fixed = -1;  // a palette index that bypasses the ramps, or -1
};

struct PointF {
    double x, y;
};

class ShadeCanvas {
public:
    ShadeCanvas(int32_t width, int32_t height);

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    bool inside(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    void paint(int32_t x, int32_t y, Ramp ramp, double shade);
    void paintFixed(int32_t x, int32_t y, uint8_t index);
    // Moves the shade of a ramp pixel by `delta` (negative darkens); fixed pixels stay.
    void shift(int32_t x, int32_t y, double delta);
    const PaintCell& cell(int32_t x, int32_t y) const;

    // Calls fn(x, y, u, v) for every pixel centre inside the ellipse, with
    // (u, v) the centre's position in the unit disc.
    template <typename Fn>
    void ellipse(double cx, double cy, double rx, double ry, Fn fn) {
        const int32_t y0 = static_cast<int32_t>(std::floor(cy - ry));
        const int32_t y1 = static_cast<int32_t>(std::ceil(cy + ry));
        const int32_t x0 = static_cast<int32_t>(std::floor(cx - rx));
        const int32_t x1 = static_cast<int32_t>(std::ceil(cx + rx));
        for (int32_t y = y0; y <= y1; ++y) {
            for (int32_t x = x0; x <= x1; ++x) {
                const double u = (static_cast<double>(x) + 0.5 - cx) / rx;
                const double v = (static_cast<double>(y) + 0.5 - cy) / ry;
                if (u * u + v * v <= 1.0 && inside(x, y)) fn(x, y, u, v);
            }
        }
    }

    // Calls fn(x, y) for every pixel centre inside the polygon (even-odd rule).
    template <typename Fn>
    void polygon(const std::vector<PointF>& pts, Fn fn) {
        if (pts.size() < 3) return;
        double top = pts[0].y, bottom = pts[0].y;
        for (const PointF& p : pts) {
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
        for (int32_t y = static_cast<int32_t>(std::floor(top)); y <= static_cast<int32_t>(std::ceil(bottom)); ++y) {
            const double sy = static_cast<double>(y) + 0.5;
            std::vector<double> xs;
            for (size_t i = 0; i < pts.size(); ++i) {
                const PointF& a = pts[i];
                const PointF& b = pts[(i + 1) % pts.size()];
                if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy)) {
                    xs.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
                }
            }
            std::sort(xs.begin(), xs.end());
            for (size_t i = 0; i + 1 < xs.size(); i += 2) {
                for (int32_t x = static_cast<int32_t>(std::ceil(xs[i] - 0.5)); static_cast<double>(x) + 0.5 < xs[i + 1];
                     ++x) {
                    if (inside(x, y)) fn(x, y);
                }
            }
        }
    }

    // Calls fn(x, y, t, d) for pixels within `radius` of the segment a..b,
    // with t the position along it (0..1) and d the distance from it.
    template <typename Fn>
    void stroke(PointF a, PointF b, double radius, Fn fn) {
        const int32_t x0 = static_cast<int32_t>(std::floor(std::min(a.x, b.x) - radius));
        const int32_t x1 = static_cast<int32_t>(std::ceil(std::max(a.x, b.x) + radius));
        const int32_t y0 = static_cast<int32_t>(std::floor(std::min(a.y, b.y) - radius));
        const int32_t y1 = static_cast<int32_t>(std::ceil(std::max(a.y, b.y) + radius));
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double len2 = dx * dx + dy * dy;
        for (int32_t y = y0; y <= y1; ++y) {
            for (int32_t x = x0; x <= x1; ++x) {
                const double px = static_cast<double>(x) + 0.5 - a.x, py = static_cast<double>(y) + 0.5 - a.y;
                double t = len2 > 0.0 ? (px * dx + py * dy) / len2 : 0.0;
                t = std::clamp(t, 0.0, 1.0);
                const double ex = px - t * dx, ey = py - t * dy;
                const double d = std::sqrt(ex * ex + ey * ey);
                if (d <= radius && inside(x, y)) fn(x, y, t, d);
            }
        }
    }

    // Ordered (4 x 4 Bayer) dithering of every shade into its ramp's steps.
    IndexedImage dither() const;

private:
    int32_t width_, height_;
    std::vector<PaintCell> cells_;
};
