#pragma once
// How long the pump may sleep before the frame gate opens again.
#include <cstdint>

// Milliseconds from `now` until `frameInterval` ms have passed since
// `lastFrameTick`; 0 when the gate is already open or no frame has run yet.
// Tick counts wrap at 2^32, so the difference is taken unsigned.
uint32_t msUntilFrameGate(uint32_t now, uint32_t lastFrameTick, uint32_t frameInterval,
                          bool frameStarted);
