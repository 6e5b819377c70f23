#pragma once
// 8-bit uncompressed Windows bitmaps with a full 256-entry colour table,
// stored bottom-up, in the form the game's loader reads.
#include <array>
#include <string>

#include "tools/artgen/indexed_image.h"
#include "tools/artgen/palette.h"

// The width must be a multiple of 4 so rows need no padding. False on any write failure.
bool writeBmp8(const std::string& path, const IndexedImage& image, const std::array<Rgb, 256>& colours);
// Reads a file of exactly that form back; false (and nothing changed) for anything else.
bool readBmp8(const std::string& path, IndexedImage* image, std::array<Rgb, 256>* colours);
