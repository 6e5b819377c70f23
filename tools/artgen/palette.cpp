#include "tools/artgen/palette.h"

#include <cmath>

namespace {

struct RampKeys {
    std::string_view name;
    int steps;
    // Dark, middle and light key colours; the steps run through them evenly.
    Rgb dark, mid, light;
};

// Step counts are chosen so that the ramps and the two pure colours fill
// entries 1..254 exactly: no spare entries, no duplicates.
constexpr RampKeys kRamps[] = {
    {"sky", 17, {62, 120, 205}, {128, 186, 240}, {214, 236, 255}},
    {"cloud", 10, {166, 180, 212}, {212, 220, 238}, {250, 251, 253}},
    {"sea", 12, {20, 96, 140}, {46, 150, 180}, {150, 215, 225}},
    {"wood", 24, {58, 30, 16}, {150, 92, 46}, {232, 186, 126}},
    {"cloth", 16, {30, 76, 40}, {104, 160, 72}, {214, 234, 160}},
    {"cream", 16, {150, 140, 118}, {222, 214, 192}, {255, 252, 238}},
    {"melon", 20, {96, 12, 26}, {222, 46, 62}, {255, 178, 170}},
    {"leaf", 24, {18, 48, 20}, {76, 156, 48}, {206, 240, 150}},
    {"amber", 20, {112, 52, 8}, {236, 160, 36}, {255, 240, 172}},
    {"steel", 26, {18, 20, 26}, {110, 114, 124}, {230, 233, 238}},
    {"ice", 16, {16, 84, 156}, {76, 186, 238}, {214, 246, 255}},
    {"gore", 14, {46, 8, 4}, {140, 40, 22}, {222, 156, 124}},
    {"navy", 12, {8, 12, 30}, {30, 40, 84}, {82, 96, 150}},
    {"plum", 10, {58, 22, 78}, {126, 70, 160}, {214, 186, 236}},
    {"pink", 10, {170, 70, 120}, {236, 140, 180}, {255, 214, 230}},
    // The swatter's plastic: a hot fuchsia that nothing on the table or in
    // the sky comes near, so the swatter never sinks into the picture.
    {"fuchsia", 5, {150, 0, 135}, {235, 10, 215}, {255, 200, 252}},
};
static_assert(std::size(kRamps) == static_cast<size_t>(Ramp::Count));

constexpr int totalSteps() {
    int n = 0;
    for (const RampKeys& r : kRamps) n += r.steps;
    return n;
}
static_assert(totalSteps() + 2 == 254, "ramps and pure colours must fill entries 1..254");

uint8_t mix(uint8_t a, uint8_t b, double t) {
    return static_cast<uint8_t>(std::lround(static_cast<double>(a) * (1.0 - t) + static_cast<double>(b) * t));
}

Rgb along(const RampKeys& r, int step) {
    const double t = r.steps == 1 ? 0.0 : static_cast<double>(step) / static_cast<double>(r.steps - 1);
    if (t <= 0.5) {
        const double u = t * 2.0;
        return {mix(r.dark.r, r.mid.r, u), mix(r.dark.g, r.mid.g, u), mix(r.dark.b, r.mid.b, u)};
    }
    const double u = (t - 0.5) * 2.0;
    return {mix(r.mid.r, r.light.r, u), mix(r.mid.g, r.light.g, u), mix(r.mid.b, r.light.b, u)};
}

struct Tables {
    std::array<Rgb, 256> colours{};
    std::array<RampInfo, static_cast<size_t>(Ramp::Count)> ramps{};
    uint8_t red = 0, blue = 0;
};

Tables build() {
    Tables t;
    t.colours[0] = {0, 0, 0};
    t.colours[255] = {255, 255, 255};
    int next = 1;
    for (size_t i = 0; i < std::size(kRamps); ++i) {
        const RampKeys& r = kRamps[i];
        t.ramps[i] = {r.name, static_cast<uint8_t>(next), static_cast<uint8_t>(r.steps)};
        for (int s = 0; s < r.steps; ++s) t.colours[static_cast<size_t>(next++)] = along(r, s);
    }
    t.red = static_cast<uint8_t>(next);
    t.colours[static_cast<size_t>(next++)] = {255, 0, 0};
    t.blue = static_cast<uint8_t>(next);
    t.colours[static_cast<size_t>(next++)] = {0, 0, 255};
    return t;
}

const Tables& tables() {
    static const Tables t = build();
    return t;
}

}  // namespace

const RampInfo& rampInfo(Ramp ramp) { return tables().ramps[static_cast<size_t>(ramp)]; }

uint8_t rampIndex(Ramp ramp, int step) {
    const RampInfo& info = rampInfo(ramp);
    if (step < 0) step = 0;
    if (step >= info.steps) step = info.steps - 1;
    return static_cast<uint8_t>(info.first + step);
}

bool rampByName(std::string_view name, Ramp* out) {
    for (size_t i = 0; i < std::size(kRamps); ++i) {
        if (kRamps[i].name == name) {
            *out = static_cast<Ramp>(i);
            return true;
        }
    }
    return false;
}

uint8_t pureRed() { return tables().red; }
uint8_t pureBlue() { return tables().blue; }

const std::array<Rgb, 256>& paletteColours() { return tables().colours; }
