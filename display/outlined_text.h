#pragma once
#include <cstdint>

// Draws a NUL-terminated code page 932 line on the back buffer at (x, y), its
// top-left, in the palette colour nearest (red, green, blue), with a one-pixel
// black edge right of every stroke. `height` is the character cell height.
void drawOutlinedText(const char* text, int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue, int32_t height);
