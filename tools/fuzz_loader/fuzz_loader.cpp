// Feeds arbitrary file contents, plain or SZDD, to the bitmap loader: it must
// never read or write outside a buffer, allocate without bound or crash.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/data_files.h"
#include "display/bitmap_loader.h"
#include "display/device.h"
#include "display/display_objects.h"
#include "platform/posix/szdd.h"

namespace {

DirectDraw* device = nullptr;
Surface* screen = nullptr;  // the background's size
Surface* sheet = nullptr;   // the sprite sheet's size

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (DirectDrawCreate(&device) != DD_OK || ddCreateOffscreenSurface(device, 640, 480, &screen) != DD_OK ||
        ddCreateOffscreenSurface(device, 256, 96, &sheet) != DD_OK)
        __builtin_trap();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string reason;
    // SZDD input goes through the expansion first, as the file reader does.
    std::vector<uint8_t> expanded;
    if (isSzdd(data, size)) {
        if (!expandSzdd(data, size, kMaxDataFileBytes, &expanded, &reason)) return 0;
        data = expanded.data();
        size = expanded.size();
    }
    const int32_t ok = loadBitmapFromMemory(screen, data, size, 0, 0, &reason);
    // A failure must leave a reason; a success must not have touched it.
    if (ok != 1 && reason.empty()) __builtin_trap();
    // Off the origin, so that the cuts to the pitch and the height are taken.
    loadBitmapFromMemory(sheet, data, size, 200, 60, &reason);
    // Busy surface: must fail and leave the colours alone.
    PaletteEntry before[256];
    std::memcpy(before, displayObjects.paletteEntries, sizeof before);
    SurfaceLock lock{};
    surfaceLock(sheet, &lock);
    if (loadBitmapFromMemory(sheet, data, size, 0, 0, &reason) != 0) __builtin_trap();
    surfaceUnlock(sheet);
    if (std::memcmp(before, displayObjects.paletteEntries, sizeof before) != 0) __builtin_trap();
    return 0;
}
