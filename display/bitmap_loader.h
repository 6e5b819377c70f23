#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "display/device.h"

// Loads an 8-bit bitmap file (plain or LZ-compressed) into `surface` at
// (x, y) and its colours into paletteEntries. 1 on success, 0 on failure,
// which leaves the surface and paletteEntries as they were. A failure, or a
// picture cut short, is told on stderr in one line, once however often the
// same picture is loaded in a row.
int32_t loadBitmap(Surface* surface, const char* name, int32_t x, int32_t y);

// Lets the next load tell its problems again, even the ones just told.
void forgetPictureReports();

// The same for a plain bitmap's bytes already in memory; prints nothing. On
// failure sets `reason`; `missingRows` (when given) receives how many rows of
// the picture the bytes cut short.
int32_t loadBitmapFromMemory(Surface* surface, const uint8_t* data, size_t size, int32_t x, int32_t y,
                             std::string* reason, int64_t* missingRows = nullptr);

// What the loader makes of a picture file's bytes (expanded, as the file
// service gives them), for a caller that takes only whole pictures: empty
// when they load whole; else why they are refused, in the words the loader
// tells ("not a BMP picture ..."), or "cut short: N rows of pixels are
// missing".
std::string pictureBytesProblem(const uint8_t* data, size_t size);
