#pragma once
// How different two screen colours look, for the art tests: luminance
// contrast (what makes a thin edge visible) and CIEDE2000 colour difference
// (whether two patches read as the same colour).
#include <cstdint>

struct ScreenColour {
    uint8_t r, g, b;
};

struct Lab {
    double l, a, b;
};

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double relativeLuminance(ScreenColour c);
// (lighter + 0.05) / (darker + 0.05): 1 for equal luminance, 21 for black on white.
double contrastRatio(ScreenColour a, ScreenColour b);
// CIE L*a*b* under D65.
Lab toLab(ScreenColour c);
double deltaE2000(const Lab& x, const Lab& y);
