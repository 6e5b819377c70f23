#pragma once
#include <cstdint>

// Shows paletteEntries moved `level`/255 of the way toward black, or toward
// white in the channels whose bit (1 red, 2 green, 4 blue) is set in toWhite.
void fadePalette(int32_t level, int8_t toWhite);
