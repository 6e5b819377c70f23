#include <cmath>
#include <cstdint>

#include "tools/artgen/art.h"
#include "tools/artgen/shade_canvas.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kCentre = 16.0;

// The same droplets in every frame, so the burst moves outward coherently.
struct Droplet {
    double angle, reach, size;
};

uint32_t nextRandom(uint32_t* state) {
    *state = *state * 1103515245u + 12345u;
    return (*state >> 16) & 0x7FFFu;
}

double unit(uint32_t* state) { return static_cast<double>(nextRandom(state)) / 32767.0; }

std::vector<Droplet> droplets() {
    std::vector<Droplet> out;
    uint32_t state = 7;
    const int count = 11;
    for (int i = 0; i < count; ++i) {
        const double angle =
            (static_cast<double>(i) + 0.2 + 0.6 * unit(&state)) * 2.0 * kPi / static_cast<double>(count);
        out.push_back({angle, 0.55 + 0.45 * unit(&state), 1.0 + 1.4 * unit(&state)});
    }
    return out;
}

}  // namespace

IndexedImage paintSplat(int frame) {
    static constexpr double kSpread[8] = {0.20, 0.50, 0.82, 1.00, 1.04, 1.06, 1.07, 1.08};
    static constexpr double kCore[8] = {3.0, 5.0, 6.6, 7.4, 7.6, 7.6, 7.4, 7.2};
    // How much of the splat is left as it dries and fades away.
    static constexpr double kKeep[8] = {1.0, 1.0, 1.0, 1.0, 0.84, 0.64, 0.44, 0.26};
    static constexpr double kDry[8] = {0.0, 0.0, 0.0, 0.04, 0.12, 0.20, 0.28, 0.36};

    frame = std::clamp(frame, 0, 7);
    ShadeCanvas canvas(32, 32);
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x) canvas.paintFixed(x, y, kClear);

    const double dry = kDry[frame];
    // Trails from the body out to the droplets while the burst is fresh.
    if (frame >= 1 && frame <= 3) {
        for (const Droplet& d : droplets()) {
            const double r = 12.0 * d.reach * kSpread[frame];
            const PointF tip{kCentre + std::cos(d.angle) * r, kCentre + std::sin(d.angle) * r};
            canvas.stroke({kCentre, kCentre}, tip, 0.75, [&](int32_t x, int32_t y, double t, double) {
                canvas.paint(x, y, Ramp::Gore, 0.30 + 0.2 * t);
            });
        }
    }
    for (const Droplet& d : droplets()) {
        const double r = 12.0 * d.reach * kSpread[frame];
        const double size = std::min(d.size, 14.2 - r);
        if (size < 0.6) continue;
        canvas.ellipse(kCentre + std::cos(d.angle) * r, kCentre + std::sin(d.angle) * r, size, size,
                       [&](int32_t x, int32_t y, double u, double v) {
                           canvas.paint(x, y, Ramp::Gore, 0.42 + 0.18 * (u + v) + dry);
                       });
    }
    // The squashed body: dark in the middle, wetter and lighter at the rim,
    // with a few bumps so it is not a perfect disc.
    const double core = kCore[frame];
    for (int32_t y = 0; y < 32; ++y) {
        for (int32_t x = 0; x < 32; ++x) {
            const double dx = static_cast<double>(x) + 0.5 - kCentre, dy = static_cast<double>(y) + 0.5 - kCentre;
            const double a = std::atan2(dy, dx);
            const double rim = core * (1.0 + 0.16 * std::sin(3.0 * a + 0.7) + 0.10 * std::sin(5.0 * a + 2.1));
            const double dist = std::sqrt(dx * dx + dy * dy);
            if (dist > rim) continue;
            const double t = dist / rim;
            double shade = 0.02 + 0.40 * t * t + dry;
            if (dx + dy < -0.6 * rim && t > 0.35 && t < 0.7) shade += 0.22;  // wet glint
            canvas.paint(x, y, Ramp::Gore, shade);
        }
    }
    // Bits of the fly: a wing scrap and legs, thrown out with the burst.
    if (frame >= 1 && frame <= 4) {
        const double s = kSpread[frame];
        canvas.ellipse(kCentre - 7.0 * s, kCentre - 4.0 * s, 2.2, 1.3,
                       [&](int32_t x, int32_t y, double, double) { canvas.paint(x, y, Ramp::Cloud, 0.55); });
        canvas.stroke({kCentre + 4.0 * s, kCentre + 6.0 * s}, {kCentre + 8.0 * s, kCentre + 8.5 * s}, 0.5,
                      [&](int32_t x, int32_t y, double, double) { canvas.paint(x, y, Ramp::Steel, 0.06); });
        canvas.stroke({kCentre + 6.5 * s, kCentre - 5.0 * s}, {kCentre + 9.0 * s, kCentre - 8.0 * s}, 0.5,
                      [&](int32_t x, int32_t y, double, double) { canvas.paint(x, y, Ramp::Steel, 0.06); });
    }
    // The moment of the hit: a white flash of rays around the body.
    if (frame == 1) {
        for (int i = 0; i < 8; ++i) {
            const double a = static_cast<double>(i) * kPi / 4.0 + kPi / 8.0;
            const PointF from{kCentre + std::cos(a) * 9.0, kCentre + std::sin(a) * 9.0};
            const PointF to{kCentre + std::cos(a) * 13.0, kCentre + std::sin(a) * 13.0};
            canvas.stroke(from, to, 0.6,
                          [&](int32_t x, int32_t y, double, double) { canvas.paintFixed(x, y, kWhite); });
        }
    }

    IndexedImage out = canvas.dither();
    for (int32_t y = 0; y < 32; ++y) {
        for (int32_t x = 0; x < 32; ++x) {
            // Drops dry away at random rather than in a pattern.
            uint32_t h = (static_cast<uint32_t>(x) * 73856093u) ^ (static_cast<uint32_t>(y) * 19349663u);
            h = (h ^ (h >> 13)) * 1274126177u;
            const double threshold = static_cast<double>((h >> 8) & 0xFFFFu) / 65536.0;
            // A clear border keeps neighbouring cells from bleeding in.
            if (x == 0 || y == 0 || x == 31 || y == 31 || threshold > kKeep[frame]) out.set(x, y, kClear);
        }
    }
    return out;
}
