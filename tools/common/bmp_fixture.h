#pragma once
// Builds bitmap files in memory for tests and fuzz seeds, in the layouts
// ordinary tools write, and writes them to a scratch folder.
#include <cstdint>
#include <string>
#include <vector>

#include "base/palette_entry.h"

struct BmpSpec {
    int32_t width = 4;
    int32_t height = 4;             // negative: rows stored top-down
    uint16_t bitCount = 8;
    uint32_t compression = 0;
    uint32_t infoHeaderBytes = 40;  // 108 and 124 for V4 and V5
    uint32_t tableEntries = 256;    // colour entries actually written
    uint32_t coloursUsed = 0;       // the header's count (0: all)
    bool padRows = false;           // rows padded to 4 bytes as the format wants
    uint32_t gapBeforePixels = 0;   // bytes between the table and the pixels
};

// `pixels`: |height| rows of `width` indices, top row first. `colours`: the
// table's first entries (red, green, blue), missing ones black.
std::vector<uint8_t> makeBmp(const BmpSpec& spec, const std::vector<uint8_t>& pixels,
                             const std::vector<PaletteEntry>& colours);

// `file` with the 32-bit field at `at` set to `value` (unchanged when too short).
std::vector<uint8_t> withField(std::vector<uint8_t> file, size_t at, uint32_t value);

// A picture whose pixel (x, y) is (x * 7 + y * 13 + seed) & 0xFF, top row first.
std::vector<uint8_t> patternPixels(int32_t width, int32_t height, int seed);
// A colour table whose entry i is (i ^ seed, 255 - i, i / 2).
std::vector<PaletteEntry> patternColours(int seed);

// A fresh empty folder under the system's temporary folder.
std::string makeScratchDir();
// Removes a scratch folder and all it holds; false if anything stays.
bool removeScratchDir(const std::string& dir);
bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> readBytes(const std::string& path);
