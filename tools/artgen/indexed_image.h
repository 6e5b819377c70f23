#pragma once
// An 8-bit picture held top-down, one palette index per pixel.
#include <cstddef>
#include <cstdint>
#include <vector>

struct IndexedImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;

    IndexedImage() = default;
    IndexedImage(int32_t w, int32_t h, uint8_t fill = 0)
        : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}

    bool inside(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint8_t at(int32_t x, int32_t y) const {
        return inside(x, y) ? pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] : 0;
    }
    // Writes outside the picture are dropped, so drawing code may overhang freely.
    void set(int32_t x, int32_t y, uint8_t index) {
        if (inside(x, y)) pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = index;
    }
};
