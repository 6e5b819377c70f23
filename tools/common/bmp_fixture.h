#pragma once
// What the tests and the fuzzer's seeds build bitmap files from: the tools'
// writer and files as bytes, plus recognisable pictures, damaged header
// fields and scratch folders.
#include <cstdint>
#include <string>
#include <vector>

#include "base/palette_entry.h"
#include "tools/common/bmp_write.h"
#include "tools/common/file_bytes.h"

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
