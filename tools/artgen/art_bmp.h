#pragma once
// The art's pictures as bitmap files, through the tools' one reader and
// writer (tools/common), in the art generator's own types.
#include <array>
#include <string>

#include "tools/artgen/indexed_image.h"
#include "tools/artgen/palette.h"

// Writes the plain 8-bit form the game reads. False on any write failure.
bool writeArtBmp(const std::string& path, const IndexedImage& image, const std::array<Rgb, 256>& colours);
// Reads any 8-bit picture the game would load whole; false with a one-line
// reason (and nothing changed) otherwise.
bool readArtBmp(const std::string& path, IndexedImage* image, std::array<Rgb, 256>* colours, std::string* reason);
