#pragma once
// Single-precision numbers written with the fewest digits that read back as
// the same float, character for character as std::to_chars(first, last,
// value) writes them with no format given; that overload is not in every
// standard library the replay tool is built with, and traces of every
// platform must match byte for byte.
#include <cstddef>

// Enough for the longest result, "-1.1754942e-38".
constexpr size_t kShortestFloatChars = 16;

// Writes `value` into out[0 .. kShortestFloatChars) and returns how many
// characters it wrote: fixed notation when it is no longer than scientific
// (d.ddde+XX), "inf", "nan" and a leading '-' as to_chars writes them.
size_t formatShortestFloat(float value, char* out);
