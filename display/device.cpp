#include "display/device.h"

#include <cstring>
#include <new>
#include <utility>

#include "base/host.h"
#include "display/display_watch.h"

DeviceFaults deviceFaults = {0, 0};
DisplayWatch displayWatch;

namespace {

// True when the test seam wants this creation step to fail.
bool creationFails() {
    if (deviceFaults.failCreationStep > 0 && --deviceFaults.failCreationStep == 0) return true;
    return false;
}

Surface* newSurface(int32_t width, int32_t height) {
    auto* s = new (std::nothrow) Surface{};
    if (!s) return nullptr;
    s->width = width;
    s->height = height;
    s->pitch = width;
    s->pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    s->refs = 1;
    ++deviceFaults.liveObjects;
    return s;
}

void destroySurface(Surface* s) {
    --deviceFaults.liveObjects;
    delete s;
}

void presentPrimary(const Surface& primary, const Palette& palette) {
    hostPresent(primary.pixels.data(), primary.pitch, primary.width, primary.height, palette.entries);
}

void watchCreate(const char* what, const void* made, int32_t width = 0, int32_t height = 0) {
    if (displayWatch.watcher)
        tellDisplayWatch({DisplayOp::kCreate, made, nullptr, width, height, {}, 0, what, 0, 0, 0, 0});
}

void watchRelease(const void* object) {
    if (displayWatch.watcher)
        tellDisplayWatch({DisplayOp::kRelease, object, nullptr, 0, 0, {}, 0, nullptr, 0, 0, 0, 0});
}

void dropPalette(Palette* palette) {
    if (!palette || --palette->refs > 0) return;
    --deviceFaults.liveObjects;
    delete palette;
}

// A release the device makes itself (a primary taking its back buffer and
// palette with it) is not one the caller made, so it is not watched.
void dropSurface(Surface* surface) {
    if (!surface || --surface->refs > 0) return;
    if (surface->backBuffer) dropSurface(surface->backBuffer);
    if (surface->palette) {
        surface->palette->shownOn = nullptr;
        dropPalette(surface->palette);
    }
    destroySurface(surface);
}

bool rectInside(const Rect& r, int32_t width, int32_t height) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= width && r.bottom <= height;
}

}  // namespace

DisplayResult DirectDrawCreate(DirectDraw** out) {
    if (!out) return DDERR_INVALIDPARAMS;
    if (creationFails() || !hostOpenDisplay()) return DDERR_NODISPLAY;
    auto* dd = new (std::nothrow) DirectDraw{false, false, 1};
    if (!dd) {
        hostCloseDisplay();
        return DDERR_OUTOFMEMORY;
    }
    ++deviceFaults.liveObjects;
    *out = dd;
    watchCreate("device", dd);
    return DD_OK;
}

DisplayResult ddSetCooperativeLevel(DirectDraw* dd, uint32_t flags) {
    if (!dd || flags != DDSCL_FULLSCREEN_EXCLUSIVE) return DDERR_INVALIDPARAMS;
    if (creationFails()) return DDERR_GENERIC;
    dd->cooperative = true;
    watchCreate("cooperative level", dd);
    return DD_OK;
}

DisplayResult ddSetDisplayMode(DirectDraw* dd, int32_t width, int32_t height, int32_t bitsPerPixel) {
    if (!dd || !dd->cooperative) return DDERR_GENERIC;
    if (width != kScreenWidth || height != kScreenHeight || bitsPerPixel != 8) return DDERR_INVALIDPARAMS;
    if (creationFails() || !hostSetDisplayMode(width, height, bitsPerPixel)) return DDERR_GENERIC;
    dd->modeSet = true;
    watchCreate("display mode", dd, width, height);
    return DD_OK;
}

DisplayResult ddCreatePrimarySurface(DirectDraw* dd, Surface** out) {
    if (!dd || !out || !dd->modeSet) return DDERR_GENERIC;
    if (creationFails()) return DDERR_OUTOFMEMORY;
    Surface* front = newSurface(kScreenWidth, kScreenHeight);
    Surface* back = front ? newSurface(kScreenWidth, kScreenHeight) : nullptr;
    if (!back) {
        if (front) destroySurface(front);
        return DDERR_OUTOFMEMORY;
    }
    front->primary = true;
    front->backBuffer = back;
    *out = front;
    watchCreate("primary surface", front);
    return DD_OK;
}

DisplayResult ddCreateOffscreenSurface(DirectDraw* dd, int32_t width, int32_t height, Surface** out) {
    if (!dd || !out || width <= 0 || height <= 0 || width > 16384 || height > 16384) return DDERR_INVALIDPARAMS;
    if (creationFails()) return DDERR_OUTOFMEMORY;
    Surface* s = newSurface(width, height);
    if (!s) return DDERR_OUTOFMEMORY;
    *out = s;
    watchCreate("off-screen surface", s, width, height);
    return DD_OK;
}

DisplayResult ddCreatePalette(DirectDraw* dd, uint32_t caps, const PaletteEntry entries[256], Palette** out) {
    if (!dd || !out || !entries || caps != DDPCAPS_8BIT) return DDERR_INVALIDPARAMS;
    if (creationFails()) return DDERR_OUTOFMEMORY;
    auto* p = new (std::nothrow) Palette{};
    if (!p) return DDERR_OUTOFMEMORY;
    std::memcpy(p->entries, entries, sizeof p->entries);
    p->refs = 1;
    ++deviceFaults.liveObjects;
    *out = p;
    watchCreate("palette", p);
    return DD_OK;
}

DisplayResult surfaceGetAttachedBackBuffer(Surface* primary, Surface** out) {
    if (!primary || !out || !primary->backBuffer) return DDERR_INVALIDPARAMS;
    if (creationFails()) return DDERR_GENERIC;
    ++primary->backBuffer->refs;
    *out = primary->backBuffer;
    watchCreate("back buffer", primary->backBuffer);
    return DD_OK;
}

DisplayResult surfaceSetPalette(Surface* surface, Palette* palette) {
    if (!surface || !surface->primary) return DDERR_INVALIDPARAMS;
    if (displayWatch.watcher)
        tellDisplayWatch({DisplayOp::kAttachPalette, surface, palette, 0, 0, {}, 0, nullptr, 0, 0, 0, 0});
    if (palette) {
        ++palette->refs;
        palette->shownOn = surface;
    }
    if (surface->palette) {
        surface->palette->shownOn = nullptr;
        dropPalette(surface->palette);
    }
    surface->palette = palette;
    return DD_OK;
}

DisplayResult surfaceSetColorKey(Surface* surface, uint32_t flags, uint8_t low, uint8_t high) {
    if (!surface || flags != DDCKEY_SRCBLT || low > high) return DDERR_INVALIDPARAMS;
    if (displayWatch.watcher)
        tellDisplayWatch({DisplayOp::kColorKey, surface, nullptr, low, high, {}, flags, nullptr, 0, 0, 0, 0});
    surface->hasColorKey = true;
    surface->colorKeyLow = low;
    surface->colorKeyHigh = high;
    return DD_OK;
}

DisplayResult surfaceLock(Surface* surface, SurfaceLock* out) {
    if (!surface || !out) return DDERR_INVALIDPARAMS;
    if (surface->locked) return DDERR_SURFACEBUSY;
    surface->locked = true;
    out->surface = surface->pixels.data();
    out->pitch = surface->pitch;
    out->height = static_cast<uint32_t>(surface->height);
    return DD_OK;
}

DisplayResult surfaceUnlock(Surface* surface) {
    if (!surface || !surface->locked) return DDERR_INVALIDPARAMS;
    surface->locked = false;
    return DD_OK;
}

DisplayResult surfaceBltFast(Surface* dest, int32_t x, int32_t y, Surface* source, Rect src, uint32_t flags) {
    if (displayWatch.watcher)
        tellDisplayWatch({DisplayOp::kBltFast, dest, source, x, y, src, flags, nullptr, 0, 0, 0, 0});
    if (!dest || !source) return DDERR_INVALIDPARAMS;
    if (dest->locked || source->locked) return DDERR_SURFACEBUSY;
    if (!rectInside(src, source->width, source->height)) return DDERR_INVALIDRECT;
    const int32_t w = src.right - src.left;
    const int32_t h = src.bottom - src.top;
    // Computed in 64 bits so that no x or y can wrap the bounds test.
    if (x < 0 || y < 0 || int64_t{x} + w > dest->width || int64_t{y} + h > dest->height) return DDERR_INVALIDRECT;

    const bool keyed = (flags & DDBLTFAST_SRCCOLORKEY) && source->hasColorKey;
    const uint8_t low = source->colorKeyLow;
    const uint8_t high = source->colorKeyHigh;
    // The same surface as source and target (overlap) is copied row by row
    // through memmove, top to bottom or bottom to top as the overlap needs.
    const bool upward = source == dest && y > src.top;
    for (int32_t i = 0; i < h; ++i) {
        const int32_t row = upward ? h - 1 - i : i;
        const uint8_t* from = source->pixels.data() + static_cast<size_t>(src.top + row) * source->pitch + src.left;
        uint8_t* to = dest->pixels.data() + static_cast<size_t>(y + row) * dest->pitch + x;
        if (!keyed) {
            std::memmove(to, from, static_cast<size_t>(w));
            continue;
        }
        for (int32_t c = 0; c < w; ++c) {
            const uint8_t v = from[c];
            if (v < low || v > high) to[c] = v;
        }
    }
    return DD_OK;
}

DisplayResult surfaceFlip(Surface* primary, uint32_t flags) {
    if (displayWatch.watcher)
        tellDisplayWatch({DisplayOp::kFlip, primary, nullptr, 0, 0, {}, flags, nullptr, 0, 0, 0, 0});
    if (!primary || !primary->primary || !primary->backBuffer) return DDERR_INVALIDPARAMS;
    if (primary->locked || primary->backBuffer->locked) return DDERR_SURFACEBUSY;
    std::swap(primary->pixels, primary->backBuffer->pixels);
    if (primary->palette) presentPrimary(*primary, *primary->palette);
    return DD_OK;
}

DisplayResult paletteSetEntries(Palette* palette, uint32_t /*flags*/, uint32_t first, uint32_t count,
                                const PaletteEntry* entries) {
    if (displayWatch.watcher)
        tellDisplayWatch({DisplayOp::kPaletteEntries,
                          palette,
                          nullptr,
                          static_cast<int32_t>(first),
                          static_cast<int32_t>(count),
                          {},
                          0,
                          nullptr,
                          0,
                          0,
                          0,
                          0});
    if (!palette || !entries || first > 256 || count > 256 - first) return DDERR_INVALIDPARAMS;
    std::memcpy(palette->entries + first, entries, count * sizeof(PaletteEntry));
    if (palette->shownOn) presentPrimary(*palette->shownOn, *palette);
    return DD_OK;
}

void releaseSurface(Surface* surface) {
    watchRelease(surface);
    dropSurface(surface);
}

void releasePalette(Palette* palette) {
    watchRelease(palette);
    dropPalette(palette);
}

void releaseDirectDraw(DirectDraw* dd) {
    watchRelease(dd);
    if (!dd || --dd->refs > 0) return;
    --deviceFaults.liveObjects;
    delete dd;
    hostCloseDisplay();
}
