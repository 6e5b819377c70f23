#pragma once
// The state trace: one JSON object per line for every call whose frame ran,
// written by nmnm-replay and by the game while it watches a run.
#include <cstdint>
#include <string>

#include "game/world.h"

// Appends one trace line (with its newline) for call number `call` (1-based)
// that made `flips` present steps, from the world as it is now.
void appendTraceLine(std::string* out, uint64_t call, int flips, const GameWorld& w);

// A float written so that reading it back as a single-precision number gives
// the same value: the shortest such decimal, always with a fraction or exponent.
void appendFloat(std::string* out, float value);
