#pragma once
#include <cstdint>

// Copies a sprite-sheet cell (left, top, right, bottom) to (x, y) on the back
// buffer with index 0 left out, cut to the 640 x 448 play field.
void blitSprite(int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom);
