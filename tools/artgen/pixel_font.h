#pragma once
// A small 5 x 7 capital-letter pixel font for the labels of the status panel.
#include <cstdint>
#include <string_view>

#include "tools/artgen/indexed_image.h"

constexpr int32_t kGlyphWidth = 5;
constexpr int32_t kGlyphHeight = 7;
constexpr int32_t kGlyphAdvance = 6;

// Draws `text` with its top-left at (x, y), each font pixel `scale` x `scale`;
// characters the font lacks are left as gaps. Returns the x after the text.
int32_t drawPixelText(IndexedImage* picture, int32_t x, int32_t y, std::string_view text, uint8_t index,
                      int32_t scale = 1);
int32_t pixelTextWidth(std::string_view text, int32_t scale = 1);
