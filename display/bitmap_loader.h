#pragma once
#include <cstdint>

#include "display/device.h"

// Loads an 8-bit bitmap file (plain or SZDD-compressed) into `surface` at
// (x, y) and its colours into paletteEntries. 1 on success, 0 on failure.
int32_t loadBitmap(Surface* surface, const char* name, int32_t x, int32_t y);
