#pragma once
// The display device: 8-bit indexed surfaces in memory, a flipping chain with
// one back buffer, a 256-entry palette and source colour keys. It stands in for
// the full-screen display component the game was designed against; the only
// thing it asks of the outside world goes through base/host.h.
#include <cstdint>
#include <vector>

#include "base/geometry.h"
#include "base/palette_entry.h"

using DisplayResult = int32_t;
constexpr DisplayResult DD_OK = 0;
constexpr DisplayResult DDERR_GENERIC = -1;
constexpr DisplayResult DDERR_INVALIDPARAMS = -2;
constexpr DisplayResult DDERR_INVALIDRECT = -3;
constexpr DisplayResult DDERR_SURFACEBUSY = -4;
constexpr DisplayResult DDERR_NODISPLAY = -5;
constexpr DisplayResult DDERR_OUTOFMEMORY = -6;

constexpr uint32_t DDBLTFAST_NOCOLORKEY = 0x00;
constexpr uint32_t DDBLTFAST_SRCCOLORKEY = 0x01;
constexpr uint32_t DDBLTFAST_WAIT = 0x10;
constexpr uint32_t DDFLIP_WAIT = 0x01;
constexpr uint32_t DDCKEY_SRCBLT = 0x08;
constexpr uint32_t DDPCAPS_8BIT = 0x04;
constexpr uint32_t DDSCL_FULLSCREEN_EXCLUSIVE = 0x15;

struct Surface;

struct Palette {
    PaletteEntry entries[256];
    Surface* shownOn;  // the primary surface it is attached to, if any
    int refs;
};

struct Surface {
    int32_t width;
    int32_t height;
    int32_t pitch;
    std::vector<uint8_t> pixels;  // pitch * height bytes, made once at creation
    bool hasColorKey;
    uint8_t colorKeyLow;
    uint8_t colorKeyHigh;
    bool locked;
    bool primary;
    Surface* backBuffer;  // primary only: the attached back buffer it owns
    Palette* palette;     // primary only: the palette shown through
    int refs;
};

struct DirectDraw {
    bool cooperative;
    bool modeSet;
    int refs;
};

// What a lock hands out: the top-left pixel, the bytes between rows, the rows.
struct SurfaceLock {
    uint8_t* surface;
    int32_t pitch;
    uint32_t height;
};

DisplayResult DirectDrawCreate(DirectDraw** out);
DisplayResult ddSetCooperativeLevel(DirectDraw* dd, uint32_t flags);
DisplayResult ddSetDisplayMode(DirectDraw* dd, int32_t width, int32_t height, int32_t bitsPerPixel);
// The visible surface of the display mode's size, with one back buffer attached.
DisplayResult ddCreatePrimarySurface(DirectDraw* dd, Surface** out);
DisplayResult ddCreateOffscreenSurface(DirectDraw* dd, int32_t width, int32_t height, Surface** out);
DisplayResult ddCreatePalette(DirectDraw* dd, uint32_t caps, const PaletteEntry entries[256], Palette** out);

DisplayResult surfaceGetAttachedBackBuffer(Surface* primary, Surface** out);
DisplayResult surfaceSetPalette(Surface* surface, Palette* palette);
DisplayResult surfaceSetColorKey(Surface* surface, uint32_t flags, uint8_t low, uint8_t high);
// Never waits: a surface that is already locked reports DDERR_SURFACEBUSY.
DisplayResult surfaceLock(Surface* surface, SurfaceLock* out);
DisplayResult surfaceUnlock(Surface* surface);
// Copies source rectangle `src` to (x, y). A rectangle that reaches outside the
// source, or whose destination reaches outside the target, is refused with
// DDERR_INVALIDRECT and nothing is touched, as the original device refused it.
DisplayResult surfaceBltFast(Surface* dest, int32_t x, int32_t y, Surface* source, Rect src, uint32_t flags);
// Exchanges the pictures of the primary surface and its back buffer and shows
// the new primary picture. The back buffer then holds what was shown before.
DisplayResult surfaceFlip(Surface* primary, uint32_t flags);
// New colours show at once when the palette is attached to the primary surface.
DisplayResult paletteSetEntries(Palette* palette, uint32_t flags, uint32_t first, uint32_t count,
                                const PaletteEntry* entries);

void releaseSurface(Surface* surface);
void releasePalette(Palette* palette);
void releaseDirectDraw(DirectDraw* dd);

// Seams for tests: make the Nth creation step from now fail (1-based, 0 = off),
// and count the device objects alive.
struct DeviceFaults {
    int failCreationStep;
    int liveObjects;
};
extern DeviceFaults deviceFaults;
