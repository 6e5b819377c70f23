#pragma once
#include <cstdint>

// Takes the screen, makes the surfaces and the palette, loads the pictures,
// fades in and places the first flies. 1 on success, 0 on failure (what was
// made stays in `display` for releaseDisplay).
int32_t initDisplay();
// Releases exactly the display objects that exist, in the fixed order.
void releaseDisplay();
