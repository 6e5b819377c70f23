#pragma once
#include "display/device.h"

// The display objects of the run: made once by display setup, released once at
// the end, null before and after. paletteEntries is the master copy of the
// colours (red, green, blue, flags) that the loader fills and the fade reads.
struct DisplayObjects {
    DirectDraw* directDraw = nullptr;
    Surface* primarySurface = nullptr;
    Surface* backSurface = nullptr;
    Surface* backgroundSurface = nullptr;
    Surface* spriteSurface = nullptr;
    Palette* palette = nullptr;
    PaletteEntry paletteEntries[256] = {};
};

extern DisplayObjects displayObjects;
