#pragma once
#include <cstdint>

namespace nmnm {
// The game's own random generator: 0 to 32767, state 1 at start, never seeded.
// (In a namespace of its own so that it never meets the C library's rand.)
int32_t rand();
}  // namespace nmnm

// Places fly `index` on a random edge with a random heading and speed.
void respawnFly(int8_t index);
// Flips the wings, then moves, respawns if gone and draws every live fly.
void moveAndDrawFlies();
