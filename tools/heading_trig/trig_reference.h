#pragma once
#include <cstdint>

// The cosine and sine of a whole-degree heading's angle, computed in quad
// precision and rounded once to double: the values every platform must use
// for the flies, whatever its own cos and sin return.
struct ReferenceTrig {
    double cos;
    double sin;
    // Both quad results lie well clear of a halfway point between two doubles,
    // so the quad error cannot have flipped the rounding.
    bool clearOfTies;
};

// The angle the game flies a heading at: heading times 3.14159 / 180, a
// double product rounded once.
double headingAngle(int32_t heading);

ReferenceTrig referenceTrig(int32_t heading);
