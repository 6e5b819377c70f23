#pragma once
// Writes 8-bit indexed PNG files: the pixel indices exactly, with the palette.
#include <cstdint>
#include <string>

#include "base/palette_entry.h"

// `pixels` holds `height` rows of `width` indices, `pitch` bytes apart.
bool writeIndexedPng(const std::string& path, const uint8_t* pixels, int32_t width, int32_t height,
                     int32_t pitch, const PaletteEntry palette[256]);

// Reads back what writeIndexedPng writes (8-bit indexed, no interlace); for tests.
bool readIndexedPng(const std::string& path, std::string* pixelsOut, int32_t* width, int32_t* height,
                    PaletteEntry paletteOut[256]);
