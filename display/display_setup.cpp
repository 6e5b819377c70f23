#include "display/display_setup.h"

#include <cstdio>

#include "display/bitmap_loader.h"
#include "display/display_objects.h"
#include "display/palette_fade.h"

DisplayObjects displayObjects;

namespace {

// Setup ends at the first failed step; the objects made so far stay in
// displayObjects for releaseDisplay.
int32_t setupFailed(const char* what) {
    std::fprintf(stderr, "nmnm: display setup failed: %s\n", what);
    return 0;
}

}  // namespace

int32_t createDisplayObjects() {
    DisplayObjects& d = displayObjects;
    if (DirectDrawCreate(&d.directDraw) != DD_OK)
        return setupFailed("cannot open the display (is a graphical session running?)");
    if (ddSetCooperativeLevel(d.directDraw, DDSCL_FULLSCREEN_EXCLUSIVE) != DD_OK)
        return setupFailed("cannot take the screen for full-screen use");
    if (ddSetDisplayMode(d.directDraw, kScreenWidth, kScreenHeight, 8) != DD_OK)
        return setupFailed("cannot set the 640 x 480, 256-colour display mode");
    if (ddCreatePrimarySurface(d.directDraw, &d.primarySurface) != DD_OK)
        return setupFailed("cannot create the visible surface");
    if (surfaceGetAttachedBackBuffer(d.primarySurface, &d.backSurface) != DD_OK)
        return setupFailed("cannot get the back buffer");
    if (ddCreateOffscreenSurface(d.directDraw, kScreenWidth, kScreenHeight, &d.backgroundSurface) != DD_OK)
        return setupFailed("cannot create the background surface");
    if (ddCreateOffscreenSurface(d.directDraw, 256, 96, &d.spriteSurface) != DD_OK)
        return setupFailed("cannot create the sprite surface");

    // All black, so that nothing shows until the fade brings the colours up.
    for (PaletteEntry& e : d.paletteEntries) {
        e.red = 0;
        e.green = 0;
        e.blue = 0;
    }
    // KEPT QUIRK: the palette is attached before its creation is checked.
    const DisplayResult made = ddCreatePalette(d.directDraw, DDPCAPS_8BIT, d.paletteEntries, &d.palette);
    surfaceSetPalette(d.primarySurface, d.palette);
    if (made != DD_OK) return setupFailed("cannot create the palette");

    for (Surface* s : {d.primarySurface, d.backSurface, d.backgroundSurface, d.spriteSurface})
        surfaceSetColorKey(s, DDCKEY_SRCBLT, 0, 0);
    return 1;
}

void loadPictures() {
    // KEPT QUIRK: "hk.bmp" is read once per surface, and every success replaces
    // the colours, so "pt.bmp", loaded last, sets the colours of the screen.
    loadBitmap(displayObjects.backgroundSurface, "hk.bmp", 0, 0);
    loadBitmap(displayObjects.backSurface, "hk.bmp", 0, 0);
    loadBitmap(displayObjects.primarySurface, "hk.bmp", 0, 0);
    loadBitmap(displayObjects.spriteSurface, "pt.bmp", 0, 0);
}

void fadeInStep(int32_t step) { fadePalette(kFadeInSteps - 1 - step, 0); }

void releaseDisplay() {
    DisplayObjects& d = displayObjects;
    if (!d.directDraw) return;
    if (d.backSurface) releaseSurface(d.backSurface);
    if (d.primarySurface) releaseSurface(d.primarySurface);
    if (d.backgroundSurface) releaseSurface(d.backgroundSurface);
    if (d.spriteSurface) releaseSurface(d.spriteSurface);
    if (d.palette) releasePalette(d.palette);
    releaseDirectDraw(d.directDraw);
    // Nothing stays pointing at released objects; a second call does nothing.
    d.backSurface = nullptr;
    d.primarySurface = nullptr;
    d.backgroundSurface = nullptr;
    d.spriteSurface = nullptr;
    d.palette = nullptr;
    d.directDraw = nullptr;
}
