#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "display/device.h"

// Loads an 8-bit bitmap file (plain or SZDD-compressed) into `surface` at
// (x, y) and its colours into paletteEntries. 1 on success, 0 on failure.
// A bare name is looked for where findDataFile looks. A failure prints one
// line on stderr and leaves the surface and paletteEntries as they were.
int32_t loadBitmap(Surface* surface, const char* name, int32_t x, int32_t y);

// The same for a file's bytes already in memory; prints nothing, and on
// failure sets `reason` (when given).
int32_t loadBitmapFromMemory(Surface* surface, const uint8_t* data, size_t size, int32_t x, int32_t y,
                             std::string* reason);
