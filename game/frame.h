#pragma once
#include <cstdint>

// Runs one frame when the frame gate is open; always returns 1.
int32_t runFrame();

// Milliseconds from `now` until `frameInterval` ms have passed since
// `lastFrameTick`, the time a pump may sleep; 0 when the gate is already open
// or no frame has run yet. Tick counts wrap at 2^32: the difference is unsigned.
uint32_t msUntilFrameGate(uint32_t now, uint32_t lastFrameTick, uint32_t frameInterval, bool frameStarted);
