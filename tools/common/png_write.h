#pragma once
// Writes 8-bit indexed PNG files (the pixel indices exactly, with the
// palette) and 8-bit RGBA ones (icons with a transparent background).
#include <cstdint>
#include <string>
#include <vector>

#include "base/palette_entry.h"

// `pixels` holds `height` rows of `width` indices, `pitch` bytes apart.
bool writeIndexedPng(const std::string& path, const uint8_t* pixels, int32_t width, int32_t height, int32_t pitch,
                     const PaletteEntry palette[256]);
// `rgba` holds `height` rows of `width` pixels, four bytes each, no gaps.
bool writeRgbaPng(const std::string& path, const uint8_t* rgba, int32_t width, int32_t height);

// The IDAT data of `height` unfiltered rows of `rowBytes` bytes, `pitch`
// bytes apart: what the PNG writers here and the video streams share.
// `scratch` keeps its storage between frames.
bool packPngRows(const uint8_t* pixels, size_t rowBytes, int32_t height, size_t pitch, std::vector<uint8_t>* scratch,
                 std::vector<uint8_t>* out);

// Read back what the writers above write (no interlace, unfiltered rows); for tests.
bool readIndexedPng(const std::string& path, std::string* pixelsOut, int32_t* width, int32_t* height,
                    PaletteEntry paletteOut[256]);
bool readRgbaPng(const std::string& path, std::string* rgbaOut, int32_t* width, int32_t* height);
