#pragma once
#include <cstdint>

#include "display/device.h"

// Turns an 8-bit picture into 32-bit 0xFFRRGGBB pixels through its palette,
// the last step before the picture is handed to the window system.
// `outPitch` is in pixels.
void convertToRgb32(const Surface& picture, const Palette& palette, uint32_t* out, int32_t outPitch);
