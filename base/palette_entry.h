#pragma once
#include <cstdint>

// One of the 256 colours: red, green, blue, and a flags byte that stays 0.
struct PaletteEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flags;
};
