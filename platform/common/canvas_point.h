#pragma once
// Where a pointer over the page falls in the 640 x 480 picture. The canvas's
// CSS box is the picture itself (the black bars lie around it), so a point is
// scaled by that box and clamped to the picture, as the desktop clamps the
// cursor. Free of any browser header so the arithmetic can be tested anywhere.
#include "base/geometry.h"

// `x`, `y`: CSS pixels from the box's top-left corner (any sign, fractions
// allowed); `boxWidth`, `boxHeight`: the box's CSS size. A box with no area,
// or a point that is not a number, gives the picture's top-left pixel.
Point canvasPointToPicture(double x, double y, double boxWidth, double boxHeight);
