#pragma once
// Reading the layout of an 8-bit Windows bitmap held in memory. Every offset
// is checked against the bytes there: anything past the end reads as zero, as
// a file that ends early leaves the rest of what was asked for zero.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/data_files.h"
#include "display/device.h"

// Headers whose pixels would reach past the largest file read are refused.
constexpr uint64_t kMaxBitmapBytes = kMaxDataFileBytes;

struct BmpLayout {
    int32_t width;          // pixels per row, > 0
    int32_t rows;           // > 0
    bool topDown;           // rows stored from the top (negative height in the file)
    uint64_t rowStride;     // bytes from one stored row to the next (padded to 4)
    uint64_t pixelOffset;   // where the first stored row starts
    uint64_t colourOffset;  // where the colour table starts
    uint32_t colours;       // entries in the colour table, 1 to 256
};

// Reads and checks the headers. Accepts 8-bit uncompressed pictures with an
// information header of 40 bytes or more (V4 and V5 included), either row
// order, any positive width, and colour tables of up to 256 entries.
bool parseBmpLayout(const uint8_t* data, size_t size, BmpLayout* out, std::string* reason);

// The colour table as palette entries (red, green, blue; flags 0). Entries the
// table does not hold are black.
void readBmpColours(const uint8_t* data, size_t size, const BmpLayout& layout, PaletteEntry out[256]);

// How many of the picture's rows the bytes do not hold whole.
int64_t countMissingBmpRows(size_t size, const BmpLayout& layout);

// Copies the picture's rows, top row first, into a locked surface at (x, y):
// each row cut to the pitch less x, as many rows as fit below y.
void copyBmpRows(const uint8_t* data, size_t size, const BmpLayout& layout, const SurfaceLock& lock, int32_t x,
                 int32_t y);
