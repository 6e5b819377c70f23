#pragma once

// One step of a running swing; at its middle steps it swats the flies in reach.
void swingSwatter();
// One step and one picture of every running splat.
void drawSplats();
