#pragma once
// Windows icon files: one uncompressed 32-bit image a size, each followed by
// its transparency mask, a form every Windows since XP reads.
#include <cstdint>
#include <vector>

struct IcoImage {
    int32_t size;               // pixels square, 1 to 256
    std::vector<uint8_t> rgba;  // size x size pixels, red, green, blue, alpha, top row first
};

// The file's bytes, images in the order given. Alpha 0 is clear in the mask
// too, for programs that read only the mask.
std::vector<uint8_t> makeIco(const std::vector<IcoImage>& images);
