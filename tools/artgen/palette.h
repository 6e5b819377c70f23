#pragma once
// The one palette shared by the background and the sprite sheet: index 0 is
// black (the transparent colour of sprites), 255 is white, and entries 1..254
// are shading ramps plus the exact message colours.
#include <array>
#include <cstdint>
#include <string_view>

struct Rgb {
    uint8_t r, g, b;
};

enum class Ramp : uint8_t {
    Sky,
    Cloud,
    Sea,
    Wood,
    Cloth,
    Cream,
    Melon,
    Leaf,
    Amber,
    Steel,
    Ice,
    Gore,
    Navy,
    Plum,
    Pink,
    Fuchsia,
    Count
};

struct RampInfo {
    std::string_view name;
    uint8_t first;  // palette index of the darkest step
    uint8_t steps;
};

constexpr uint8_t kClear = 0;
constexpr uint8_t kWhite = 255;

const RampInfo& rampInfo(Ramp ramp);
// Palette index of `step` (0 darkest) of a ramp; the step is clamped into the ramp.
uint8_t rampIndex(Ramp ramp, int step);
// Finds a ramp by its name; false when there is none.
bool rampByName(std::string_view name, Ramp* out);
// Exact pure red and pure blue for the messages.
uint8_t pureRed();
uint8_t pureBlue();

const std::array<Rgb, 256>& paletteColours();
