#include "display/display_setup.h"

#include <cstdio>

#include "display/bitmap_loader.h"
#include "display/display_objects.h"
#include "display/palette_fade.h"
#include "game/flies.h"
#include "game/sprite_rects.h"

namespace {

// Setup ends at the first failed step; the objects made so far stay in
// `display` for releaseDisplay.
int32_t setupFailed(const char* what) {
    std::fprintf(stderr, "nmnm: display setup failed: %s\n", what);
    return 0;
}

}  // namespace

int32_t initDisplay() {
    initSpriteRects();

    if (DirectDrawCreate(&display.directDraw) != DD_OK)
        return setupFailed("cannot open the display (is a graphical session running?)");
    if (ddSetCooperativeLevel(display.directDraw, DDSCL_FULLSCREEN_EXCLUSIVE) != DD_OK)
        return setupFailed("cannot take the screen for full-screen use");
    if (ddSetDisplayMode(display.directDraw, 640, 480, 8) != DD_OK)
        return setupFailed("cannot set the 640 x 480, 256-colour display mode");
    if (ddCreatePrimarySurface(display.directDraw, &display.primarySurface) != DD_OK)
        return setupFailed("cannot create the visible surface");
    if (surfaceGetAttachedBackBuffer(display.primarySurface, &display.backSurface) != DD_OK)
        return setupFailed("cannot get the back buffer");
    if (ddCreateOffscreenSurface(display.directDraw, 640, 480, &display.backgroundSurface) != DD_OK)
        return setupFailed("cannot create the background surface");
    if (ddCreateOffscreenSurface(display.directDraw, 256, 96, &display.spriteSurface) != DD_OK)
        return setupFailed("cannot create the sprite surface");

    // All black, so that nothing shows until the fade brings the colours up.
    for (PaletteEntry& e : display.paletteEntries) {
        e.red = 0;
        e.green = 0;
        e.blue = 0;
    }
    const DisplayResult made =
        ddCreatePalette(display.directDraw, DDPCAPS_8BIT, display.paletteEntries, &display.palette);
    surfaceSetPalette(display.primarySurface, display.palette);
    if (made != DD_OK) return setupFailed("cannot create the palette");

    for (Surface* s : {display.primarySurface, display.backSurface, display.backgroundSurface, display.spriteSurface})
        surfaceSetColorKey(s, DDCKEY_SRCBLT, 0, 0);

    // A picture that fails to load says so itself and does not stop the game.
    // Each success replaces the colours, so "pt.bmp", loaded last, sets them.
    loadBitmap(display.backgroundSurface, "hk.bmp", 0, 0);
    loadBitmap(display.backSurface, "hk.bmp", 0, 0);
    loadBitmap(display.primarySurface, "hk.bmp", 0, 0);
    loadBitmap(display.spriteSurface, "pt.bmp", 0, 0);

    for (int32_t level = 255; level >= 0; --level) fadePalette(level, 0);

    respawnFly(0);
    respawnFly(1);
    return 1;
}

void releaseDisplay() {
    if (!display.directDraw) return;
    if (display.backSurface) releaseSurface(display.backSurface);
    if (display.primarySurface) releaseSurface(display.primarySurface);
    if (display.backgroundSurface) releaseSurface(display.backgroundSurface);
    if (display.spriteSurface) releaseSurface(display.spriteSurface);
    if (display.palette) releasePalette(display.palette);
    releaseDirectDraw(display.directDraw);
    // Nothing stays pointing at released objects; a second call does nothing.
    display.backSurface = nullptr;
    display.primarySurface = nullptr;
    display.backgroundSurface = nullptr;
    display.spriteSurface = nullptr;
    display.palette = nullptr;
    display.directDraw = nullptr;
}
