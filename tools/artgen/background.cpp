#include <cmath>
#include <cstdint>

#include "tools/artgen/art.h"
#include "tools/artgen/shade_canvas.h"

// A bright summer afternoon: an open window on sky, clouds and sea above a
// table laid with a green gingham runner, watermelon, rice balls, cold noodles,
// barley tea and a paper fan. The middle of the table, where the messages
// appear, is left as plain cloth.
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int32_t kWidth = 640;
constexpr int32_t kField = 448;
constexpr int32_t kTableTop = 152;
// The table is seen in perspective: the vanishing row lies far above the screen.
constexpr double kHorizon = -400.0;

double fx(int32_t v) { return static_cast<double>(v) + 0.5; }

// A cheap repeatable value noise for grain and sparkle.
double hashNoise(int32_t x, int32_t y) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<double>((h ^ (h >> 16)) & 0xFFFFu) / 65535.0;
}

// Table-plane coordinates of a screen pixel, in gingham checks.
double tableU(double x, double y) { return (x - 320.0) / (y - kHorizon) * 30.3; }
double tableV(double y) { return 39950.0 / (y - kHorizon); }

void paintSky(ShadeCanvas& c) {
    for (int32_t y = 0; y < 112; ++y)
        for (int32_t x = 0; x < kWidth; ++x) c.paint(x, y, Ramp::Sky, std::max(0.0, fx(y) - 25.0) / 87.0);
    // Cumulus: heaps of puffs, lit from above, with flat grey-blue bases.
    struct Puff {
        double x, y, r;
    };
    const Puff puffs[] = {
        {70, 70, 20},  {100, 56, 26}, {134, 64, 22}, {160, 76, 14}, {44, 82, 12}, {400, 74, 16}, {430, 52, 24},
        {466, 40, 28}, {502, 56, 22}, {530, 72, 15}, {372, 86, 10}, {250, 92, 8}, {266, 86, 10}, {284, 92, 7},
    };
    for (const Puff& p : puffs) {
        c.ellipse(p.x, p.y, p.r, p.r * 0.9, [&](int32_t x, int32_t y, double u, double v) {
            if (y > 96) return;
            const double lit = 0.5 - 0.45 * v - 0.15 * u + 0.08 * std::sqrt(std::max(0.0, 1.0 - u * u - v * v));
            c.paint(x, y, Ramp::Cloud, lit + 0.1 - (v > 0.45 ? 0.3 : 0.0));
        });
    }
    // The sea and a green island on the horizon.
    for (int32_t y = 112; y < 128; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            double shade = std::max(0.0, 0.85 * (125.0 - fx(y)) / 13.0);
            if (y > 113 && hashNoise(x / 3, y) > 0.93) shade = 0.98;  // glitter
            c.paint(x, y, Ramp::Sea, shade);
        }
    }
    c.ellipse(150, 113, 96, 14, [&](int32_t x, int32_t y, double u, double v) {
        if (y < 113) c.paint(x, y, Ramp::Leaf, 0.38 - 0.2 * u - 0.1 * v + 0.05 * hashNoise(x / 2, y / 2));
    });
    c.ellipse(222, 113, 46, 8, [&](int32_t x, int32_t y, double u, double) {
        if (y < 113) c.paint(x, y, Ramp::Leaf, 0.30 - 0.12 * u);
    });
}

void paintWindow(ShadeCanvas& c) {
    // Lintel, posts and sill of pale wood; each lit on its upper left.
    auto beam = [&](int32_t l, int32_t t, int32_t r, int32_t b, bool upright) {
        for (int32_t y = t; y < b; ++y) {
            for (int32_t x = l; x < r; ++x) {
                const double across = upright ? (fx(x) - l) / (r - l) : (fx(y) - t) / (b - t);
                double shade =
                    0.80 - 0.35 * across * across + 0.05 * std::sin((upright ? y : x) * 0.21 + hashNoise(x / 8, y / 8));
                if (across < 0.12) shade += 0.12;
                c.paint(x, y, Ramp::Wood, shade);
            }
        }
    };
    beam(0, 0, kWidth, 10, false);
    // Rolled bamboo blinds under the lintel, tied with red cords.
    for (int32_t y = 10; y < 24; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const double v = (fx(y) - 17.0) / 7.0;
            double shade = 0.74 - 0.45 * v - 0.25 * v * v + (std::abs(v + 0.45) < 0.12 ? 0.3 : 0.0);
            if (x % 5 == 0) shade -= 0.08;
            c.paint(x, y, Ramp::Amber, shade);
        }
    }
    for (int32_t cord : {70, 250, 390, 570}) {
        for (int32_t y = 10; y < 27; ++y) {
            c.paintFixed(cord, y, pureRed());
            c.paint(cord + 1, y, Ramp::Melon, 0.2 - 0.2 * (fx(y) - 10.0) / 17.0);
        }
    }
    beam(0, 0, 12, 128, true);
    beam(314, 0, 326, 128, true);
    beam(628, 0, kWidth, 128, true);
    beam(0, 126, kWidth, 139, false);
    // The wall below the sill, in the shade of the sill.
    for (int32_t y = 139; y < kTableTop; ++y)
        for (int32_t x = 0; x < kWidth; ++x) c.paint(x, y, Ramp::Cream, 0.30 + 0.4 * (fx(y) - 139.0) / 13.0);

    // A glass wind chime with a red pattern and a paper strip.
    const double bx = 560.0, by = 44.0;
    c.stroke({bx, 24}, {bx, by - 8}, 0.5,
             [&](int32_t x, int32_t y, double, double) { c.paint(x, y, Ramp::Steel, 0.5); });
    c.ellipse(bx, by, 10, 10, [&](int32_t x, int32_t y, double u, double v) {
        if (v > 0.55) return;
        double shade = 0.72 - 0.3 * u - 0.2 * v;
        if (u < -0.35 && u > -0.6 && v < 0.1) shade = 1.0;
        const bool band = v > 0.0 && v < 0.3 && static_cast<int32_t>(std::floor((u + 1.0) * 4.0)) % 2 == 0;
        c.paint(x, y, band ? Ramp::Melon : Ramp::Ice, band ? 0.55 : shade);
    });
    c.stroke({bx, by + 5}, {bx, by + 12}, 0.5,
             [&](int32_t x, int32_t y, double, double) { c.paint(x, y, Ramp::Steel, 0.4); });
    c.polygon({{bx - 4, by + 12}, {bx + 4, by + 12}, {bx + 6, by + 40}, {bx - 2, by + 40}}, [&](int32_t x, int32_t y) {
        c.paint(x, y, Ramp::Pink, 1.0 - (fx(x) - bx + 4.0) / 9.0 + 0.1 * (fx(y) - by - 12.0) / 28.0);
    });
}

void paintTable(ShadeCanvas& c) {
    for (int32_t y = kTableTop; y < kField; ++y) {
        const double sy = fx(y);
        const double v = tableV(sy);
        const double depth = (sy - kTableTop) / (kField - kTableTop);  // 0 far, 1 near
        for (int32_t x = 0; x < kWidth; ++x) {
            const double u = tableU(fx(x), sy);
            const double au = std::abs(u);
            const double side = (fx(x) - 320.0) / 320.0;
            // Sunlight from the window: brighter far and in the middle.
            const double light = 0.04 * (1.0 - depth) - 0.10 * side * side * depth;
            if (au < 7.2) {
                const bool bandU = u - std::floor(u) < 0.5;
                const bool bandV = v - std::floor(v) < 0.5;
                // Mid-toned checks: light enough for dark flies and blue
                // lettering, dark enough for white lettering.
                double shade = bandU && bandV ? 0.40 : (bandU || bandV ? 0.50 : 0.60);
                // Sun through the window falls on the far end of the cloth.
                if (sy < 166.0) shade += 0.4 * (166.0 - sy) / 14.0;
                if (au > 6.95) shade = 0.05 + 0.4 * (7.2 - au) / 0.25;  // hem, folded under
                c.paint(x, y, Ramp::Cloth, shade + light);
            } else {
                const double plank = std::floor((u + 100.0) / 2.4);
                const double inPlank = (u + 100.0) / 2.4 - plank;
                double shade =
                    0.50 + 0.07 * std::sin(v * 2.3 + plank * 1.9) + 0.04 * std::sin(v * 9.0 + u * 1.3 + plank);
                shade += 0.05 * (hashNoise(static_cast<int32_t>(plank), static_cast<int32_t>(v * 6.0)) - 0.5);
                if (inPlank < 0.04 || inPlank > 0.97) shade = 0.22;  // seam
                if (au < 7.6) shade -= 0.14 * (7.6 - au) / 0.4;      // the cloth's edge casts a little shade
                c.paint(x, y, Ramp::Wood, shade + 1.4 * light);
            }
        }
    }
    // The table's far edge: a lit rim against the wall.
    for (int32_t x = 0; x < kWidth; ++x) c.paint(x, kTableTop, Ramp::Wood, 0.85);
}

// A soft shadow on whatever lies below, darkest in its middle.
void shadow(ShadeCanvas& c, double cx, double cy, double rx, double ry, double depth) {
    c.ellipse(cx, cy, rx, ry, [&](int32_t x, int32_t y, double u, double v) {
        const double d = u * u + v * v;
        c.shift(x, y, -depth * std::min(1.0, 1.6 * (1.0 - d)));
    });
}

void plate(ShadeCanvas& c, double cx, double cy, double rx, double ry, Ramp ramp = Ramp::Cream) {
    shadow(c, cx + 9, cy + 8, rx + 2, ry + 2, 0.22);
    c.ellipse(cx, cy, rx, ry, [&](int32_t x, int32_t y, double u, double v) {
        const double r = std::sqrt(u * u + v * v);
        double shade;
        if (r > 0.78) shade = 0.92 - 0.35 * (u * 0.5 + v * 0.85);      // rim, lit from the back left
        else if (r > 0.70) shade = 0.55 + 0.3 * (u * 0.5 + v * 0.85);  // the step down into the well
        else shade = 0.84 - 0.12 * r + 0.06 * v;
        if (r > 0.96) shade -= 0.8;
        c.paint(x, y, ramp, shade);
    });
}

void watermelon(ShadeCanvas& c, double tipX, double tipY, double direction, double radius, double span) {
    const double a0 = direction - span / 2.0;
    std::vector<PointF> outline{{tipX, tipY}};
    for (int i = 0; i <= 16; ++i) {
        const double a = a0 + span * static_cast<double>(i) / 16.0;
        outline.push_back({tipX + std::cos(a) * radius, tipY + std::sin(a) * radius * 0.75});
    }
    std::vector<PointF> shade = outline;
    for (PointF& p : shade) p = {p.x + 5.0, p.y + 5.0};
    c.polygon(shade, [&](int32_t x, int32_t y) { c.shift(x, y, -0.2); });
    c.polygon(outline, [&](int32_t x, int32_t y) {
        const double dx = fx(x) - tipX, dy = (fx(y) - tipY) / 0.75;
        const double r = std::sqrt(dx * dx + dy * dy) / radius;
        const double a = std::atan2(dy, dx);
        if (r > 0.90) {
            const bool stripe = static_cast<int32_t>(std::floor((a - a0) * radius / 5.0)) % 2 == 0;
            c.paint(x, y, Ramp::Leaf, stripe ? 0.06 + (r - 0.9) * 1.4 : 0.30 + (r - 0.9));
        } else if (r > 0.82) {
            c.paint(x, y, Ramp::Leaf, 0.75 + 0.25 * (1.0 - std::abs(a - direction) / (span / 2.0)));
        } else {
            double s = 0.10 + 0.72 * (1.0 - r) + 0.1 * std::cos(a - direction - 0.6);
            if (r < 0.16) s = 0.99 - r;  // juice catching the light at the tip
            c.paint(x, y, Ramp::Melon, s);
        }
    });
    // Seeds in a loose ring.
    for (int i = 1; i < 6; ++i) {
        const double a = a0 + span * static_cast<double>(i) / 6.0;
        const double r = radius * (0.52 + 0.1 * static_cast<double>(i % 2));
        const int32_t sx = static_cast<int32_t>(tipX + std::cos(a) * r);
        const int32_t sy = static_cast<int32_t>(tipY + std::sin(a) * r * 0.75);
        c.paint(sx, sy, Ramp::Steel, 0.0);
        c.paint(sx, sy + 1, Ramp::Steel, 0.16);
    }
}

void riceBall(ShadeCanvas& c, double cx, double cy, double size) {
    const std::vector<PointF> tri{
        {cx, cy - size}, {cx + size * 0.95, cy + size * 0.7}, {cx - size * 0.95, cy + size * 0.7}};
    shadow(c, cx + 6, cy + size * 0.7, size * 1.0, size * 0.3, 0.25);
    c.polygon(tri, [&](int32_t x, int32_t y) {
        // Rounded corners: cut what lies outside a slightly larger circle.
        const double dx = (fx(x) - cx) / size, dy = (fx(y) - cy - size * 0.1) / size;
        if (dx * dx + dy * dy > 0.78) return;
        const double edge = dx * dx + dy * dy > 0.62 ? 0.25 : 0.0;
        c.paint(x, y, Ramp::Cream, 0.96 - 0.28 * (dx * 0.7 + dy * 0.6) - 0.05 * hashNoise(x, y) - edge);
    });
    // A band of seaweed round the bottom.
    c.polygon({{cx - size * 0.36, cy + size * 0.15},
               {cx + size * 0.36, cy + size * 0.15},
               {cx + size * 0.42, cy + size * 0.66},
               {cx - size * 0.42, cy + size * 0.66}},
              [&](int32_t x, int32_t y) { c.paint(x, y, Ramp::Leaf, fx(x) < cx ? 0.08 : 0.0); });
}

void noodleBowl(ShadeCanvas& c, double cx, double cy, double rx, double ry) {
    shadow(c, cx + 8, cy + 9, rx + 4, ry + 5, 0.2);
    // The glass bowl's outer wall, then the cold water with noodles.
    c.ellipse(cx, cy + 6, rx, ry + 4,
              [&](int32_t x, int32_t y, double u, double v) { c.paint(x, y, Ramp::Ice, 0.35 - 0.4 * u + 0.2 * v); });
    c.ellipse(cx, cy, rx, ry, [&](int32_t x, int32_t y, double u, double v) {
        const double r = std::sqrt(u * u + v * v);
        if (r > 0.9) {
            c.paint(x, y, Ramp::Ice, 0.95 - 0.3 * u);
            return;
        }
        // A loose bundle of thin noodles lying across the water.
        const double wave = std::sin(fx(y) * 1.7 + std::sin(fx(x) * 0.11) * 2.5);
        if (wave > -0.2 && r < 0.72) c.paint(x, y, Ramp::Cream, 0.78 + 0.2 * wave - 0.15 * v - 0.1 * u);
        else c.paint(x, y, Ramp::Ice, 0.70 + 0.08 * u + 0.1 * v);
    });
    // Ice, a cherry and a leaf on top.
    c.ellipse(cx - rx * 0.35, cy - 2, 6, 4,
              [&](int32_t x, int32_t y, double u, double v) { c.paint(x, y, Ramp::Cloud, 0.85 - 0.3 * (u + v)); });
    c.ellipse(cx + rx * 0.3, cy - 3, 4, 4, [&](int32_t x, int32_t y, double u, double v) {
        c.paint(x, y, Ramp::Melon, (u < -0.2 && v < -0.2) ? 0.95 : 0.55 - 0.2 * (u + v));
    });
    c.ellipse(cx + rx * 0.3 + 8, cy - 4, 6, 3,
              [&](int32_t x, int32_t y, double u, double) { c.paint(x, y, Ramp::Leaf, 0.55 - 0.2 * u); });
}

void teaGlass(ShadeCanvas& c, double cx, double top, double bottom, double rx) {
    const double ry = rx * 0.34;
    // A cork coaster and the glass's shadow.
    c.ellipse(cx + 4, bottom + 2, rx + 12, ry + 6, [&](int32_t x, int32_t y, double u, double v) {
        c.paint(x, y, Ramp::Wood, 0.70 - 0.12 * (u + v) + 0.08 * hashNoise(x, y));
    });
    shadow(c, cx + 22, bottom + 4, rx + 6, ry + 3, 0.25);
    c.ellipse(cx, bottom, rx, ry,
              [&](int32_t x, int32_t y, double u, double) { c.paint(x, y, Ramp::Amber, 0.35 - 0.15 * u); });
    for (int32_t y = static_cast<int32_t>(top); y < static_cast<int32_t>(bottom); ++y) {
        for (int32_t x = static_cast<int32_t>(cx - rx); x < static_cast<int32_t>(cx + rx); ++x) {
            const double u = (fx(x) - cx) / rx;
            double shade = 0.52 - 0.22 * u - 0.12 * (fx(y) - top) / (bottom - top);
            Ramp ramp = Ramp::Amber;
            if (u < -0.62 && u > -0.78) {
                ramp = Ramp::Cream;
                shade = 1.0;
            }  // the glass's highlight
            if (std::abs(u) > 0.93) {
                ramp = Ramp::Ice;
                shade = 0.88;
            }
            if (y > top + 12 && hashNoise(x / 2, y / 3) > 0.992 && (x + y) % 2 == 0) {
                ramp = Ramp::Cream;
                shade = 0.95;
            }  // condensation
            c.paint(x, y, ramp, shade);
        }
    }
    c.ellipse(cx, top, rx, ry, [&](int32_t x, int32_t y, double u, double v) {
        const double r = std::sqrt(u * u + v * v);
        if (r > 0.86) c.paint(x, y, Ramp::Ice, 0.95 - 0.25 * v);
        else c.paint(x, y, Ramp::Amber, 0.62 + 0.12 * v - 0.1 * u);
    });
    // Ice cubes floating in the tea.
    const PointF cubes[] = {{cx - rx * 0.35, top - 1}, {cx + rx * 0.3, top + 2}, {cx - rx * 0.02, top - 4}};
    for (const PointF& p : cubes) {
        c.polygon({{p.x - 6, p.y}, {p.x, p.y - 4}, {p.x + 7, p.y}, {p.x + 1, p.y + 4}}, [&](int32_t x, int32_t y) {
            c.paint(x, y, Ramp::Ice, 0.98 - 0.25 * ((fx(x) - p.x) / 7.0 + (fx(y) - p.y) / 4.0) * 0.5);
        });
    }
}

void paperFan(ShadeCanvas& c, double cx, double cy, double rx, double ry) {
    // Bamboo handle toward the front left.
    shadow(c, cx + 8, cy + 8, rx, ry, 0.2);
    c.stroke({cx - rx * 0.6, cy + ry * 0.6}, {cx - rx * 1.5, cy + ry * 1.5}, 3.0,
             [&](int32_t x, int32_t y, double, double d) { c.paint(x, y, Ramp::Amber, 0.7 - 0.15 * d); });
    c.ellipse(cx, cy, rx, ry, [&](int32_t x, int32_t y, double u, double v) {
        const double r = std::sqrt(u * u + v * v);
        if (r > 0.93) {
            c.paint(x, y, Ramp::Plum, 0.5 - 0.55 * (u * 0.6 + v * 0.8));
            return;
        }
        // Paper over radiating ribs, with ripples and a goldfish.
        const double a = std::atan2(v, u);
        const bool rib = std::abs(std::sin(a * 14.0)) < 0.08;
        double shade = 0.92 - 0.1 * (u + v) - (rib ? 0.12 : 0.0);
        const double ripple = std::sin(r * 22.0 + u * 3.0);
        if (v > 0.15 && ripple > 0.9) {
            c.paintFixed(x, y, pureBlue());
            return;
        }
        if (v > 0.15 && ripple > 0.6) shade -= 0.25;
        c.paint(x, y, Ramp::Ice, shade);
        const double fu = (u - 0.05) / 0.42, fv = (v + 0.1) / 0.26;
        if (fu * fu + fv * fv < 1.0) c.paint(x, y, Ramp::Melon, 0.62 - 0.2 * fv);
        const double tu = (u + 0.45) / 0.18, tv = (v + 0.1 - 0.25 * (u + 0.45)) / 0.3;
        if (tu * tu + tv * tv < 1.0) c.paint(x, y, Ramp::Melon, 0.72);
        if (std::abs(u - 0.3) < 0.05 && std::abs(v + 0.17) < 0.08) c.paint(x, y, Ramp::Steel, 0.1);
    });
}

// A steel spoon: a shallow bowl with a bright rim and a long handle.
void spoon(ShadeCanvas& c, double bowlX, double bowlY, double endX, double endY) {
    shadow(c, bowlX + 6, bowlY + 5, 14, 8, 0.22);
    c.stroke({bowlX + 8, bowlY - 2}, {endX, endY}, 2.2, [&](int32_t x, int32_t y, double t, double d) {
        c.paint(x, y, Ramp::Steel, 0.55 + 0.4 * (1.0 - d / 2.2) - 0.3 * t);
    });
    c.ellipse(bowlX, bowlY, 12, 7, [&](int32_t x, int32_t y, double u, double v) {
        const double r = std::sqrt(u * u + v * v);
        double shade = r > 0.85 ? 0.95 - 0.6 * (u + v) * 0.5 : 0.5 + 0.5 * (u * 0.6 + v * 0.7);
        if (u > -0.5 && u < -0.2 && v > -0.45 && v < -0.1) shade = 1.0;
        c.paint(x, y, Ramp::Steel, shade);
    });
}

}  // namespace

IndexedImage buildBackground() {
    ShadeCanvas canvas(kWidth, 480);
    paintSky(canvas);
    paintWindow(canvas);
    paintTable(canvas);

    // Far side of the table: rice balls on the left, noodles on the right.
    plate(canvas, 112, 212, 72, 26, Ramp::Plum);
    riceBall(canvas, 92, 204, 20);
    riceBall(canvas, 134, 208, 20);
    noodleBowl(canvas, 532, 210, 64, 22);

    // Near side: watermelon, a fan, and barley tea.
    plate(canvas, 100, 394, 96, 42);
    watermelon(canvas, 60, 418, -kPi * 0.58, 70, 0.8);
    watermelon(canvas, 120, 420, -kPi * 0.40, 66, 0.8);
    paperFan(canvas, 302, 412, 50, 28);
    spoon(canvas, 420, 414, 474, 400);
    teaGlass(canvas, 562, 332, 422, 32);

    IndexedImage picture = canvas.dither();
    paintStatusPanel(&picture);
    return picture;
}
