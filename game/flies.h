#pragma once
#include <cstdint>

// KEPT QUIRK: degrees become radians through 3.14159 / 180, not the exact
// pi / 180; the flies' paths depend on this very double.
constexpr double kDegreesToRadians = 0.017453277777777776;
static_assert(kDegreesToRadians == 3.14159 / 180.0);

namespace nmnm {
// The game's own random generator: 0 to 32767, state 1 at start, never seeded.
// (In a namespace of its own so that it never meets the C library's rand.)
int32_t rand();
}  // namespace nmnm

// Places fly `index` on a random edge with a random heading and speed.
void respawnFly(int8_t index);
// Places flies 0 and 1, as at every start of a run and of a stage.
void placeStartFlies();
// Flips the wings, then moves, respawns if gone and draws every live fly.
void moveAndDrawFlies();
