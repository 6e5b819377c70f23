#pragma once
// The game's icon, put together from cells of the sprite sheet so that it
// follows the sprites whenever they are redrawn.
#include <array>
#include <cstdint>
#include <vector>

#include "tools/artgen/indexed_image.h"
#include "tools/artgen/palette.h"

// The sizes installed under the hicolor theme, smallest first.
constexpr std::array<int32_t, 6> kIconSizes = {16, 32, 48, 64, 128, 256};
// The sizes a web page's manifest offers for installing the game on a phone
// or a desktop; not themed icons, so not installed with them.
constexpr std::array<int32_t, 2> kWebIconSizes = {192, 512};
// The size of the pixels built into the program for its window.
constexpr int32_t kWindowIconSize = 64;

// The icon at `size` pixels square (one of kIconSizes, kWebIconSizes or
// kWindowIconSize),
// clear where it is kClear. Every size is a whole-number enlargement of a
// hand-placed layout: no pixel is ever blended.
IndexedImage paintIcon(const IndexedImage& sheet, int32_t size);

// Four bytes per pixel, red, green, blue, alpha; kClear becomes fully
// transparent, every other index fully opaque.
std::vector<uint8_t> iconRgba(const IndexedImage& icon, const std::array<Rgb, 256>& colours);
