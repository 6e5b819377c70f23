#pragma once
// The one bitmap writer of the tools and tests: Windows bitmaps built in
// memory in the layouts ordinary tools write (and, for the loader's tests,
// headers it must refuse).
#include <cstdint>
#include <string>
#include <vector>

#include "base/palette_entry.h"
#include "tools/common/bmp_picture.h"

struct BmpSpec {
    int32_t width = 4;
    int32_t height = 4;  // negative: rows stored top-down
    uint16_t bitCount = 8;
    uint32_t compression = 0;
    uint32_t infoHeaderBytes = 40;  // 108 and 124 for V4 and V5
    uint32_t tableEntries = 256;    // colour entries actually written
    uint32_t coloursUsed = 0;       // the header's count (0: all)
    uint32_t gapBeforePixels = 0;   // bytes between the table and the pixels
};

// `pixels`: |height| rows of `width` indices, top row first, each row padded
// to 4 bytes in the file. `colours`: the table's first entries, missing ones
// black.
std::vector<uint8_t> makeBmp(const BmpSpec& spec, const std::vector<uint8_t>& pixels,
                             const std::vector<PaletteEntry>& colours);

// The plain form: a 40-byte header, the full table, rows bottom-up. False
// when the picture is empty or the file cannot be written.
bool writeBmpFile(const std::string& path, const BmpPicture& picture);
