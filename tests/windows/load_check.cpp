// Loads one picture the way the game does (the LZ file reader, then the
// display's checked loader) into a 640 x 480 surface and prints a checksum of
// the surface and the colours, so a script can compare two files' results:
//   nmnm-loadcheck NAME   ->  "loaded 0123abcd..." and exit 0, or the
//                            loader's line on stderr and exit 1
#include <cstdio>

#include "display/bitmap_loader.h"
#include "display/device.h"
#include "display/display_objects.h"

namespace {

uint64_t fnv(uint64_t hash, const uint8_t* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * 0x100000001b3u;
    return hash;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: nmnm-loadcheck NAME\n");
        return 2;
    }
    DirectDraw* dd = nullptr;
    Surface* surface = nullptr;
    if (DirectDrawCreate(&dd) != DD_OK || ddCreateOffscreenSurface(dd, 640, 480, &surface) != DD_OK) {
        std::fprintf(stderr, "nmnm-loadcheck: no surface to load into\n");
        return 2;
    }
    if (!loadBitmap(surface, argv[1], 0, 0)) return 1;
    SurfaceLock lock{};
    if (surfaceLock(surface, &lock) != DD_OK) return 2;
    uint64_t hash = 0xcbf29ce484222325u;
    for (uint32_t y = 0; y < lock.height; ++y)
        hash = fnv(hash, lock.surface + static_cast<size_t>(y) * static_cast<size_t>(lock.pitch), 640);
    surfaceUnlock(surface);
    for (const PaletteEntry& e : displayObjects.paletteEntries) {
        const uint8_t rgb[3] = {e.red, e.green, e.blue};
        hash = fnv(hash, rgb, 3);
    }
    std::printf("loaded %016llx\n", static_cast<unsigned long long>(hash));
    return 0;
}
