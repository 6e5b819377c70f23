#pragma once
#include <cstdint>

// A swing reaches a fly whose 16 x 16 sprite has its top-left, truncated, at
// (flyX, flyY) when the fly's centre lies within 23 pixels of the swatter's
// centre (cursorX, cursorY) on both axes.
bool flyInReach(int64_t flyX, int64_t flyY, int64_t cursorX, int64_t cursorY);

// One step of a running swing; at its middle steps it swats the flies in reach.
void swingSwatter();
// One step and one picture of every running splat.
void drawSplats();
