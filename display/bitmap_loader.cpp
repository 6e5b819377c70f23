#include "display/bitmap_loader.h"

#include <cstdio>
#include <string>

#include "base/data_files.h"
#include "base/failure.h"
#include "display/bmp_layout.h"
#include "display/display_objects.h"
#include "display/display_watch.h"

namespace {

// The last line told: the same picture is loaded three times in a row at
// start-up, and the player needs to hear of a problem once.
std::string lastReport;

void report(const std::string& line) {
    if (line == lastReport) return;
    lastReport = line;
    std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

void forgetPictureReports() { lastReport.clear(); }

int32_t loadBitmapFromMemory(Surface* surface, const uint8_t* data, size_t size, int32_t x, int32_t y,
                             std::string* reason, int64_t* missingRows) {
    if (!surface) return failWith(reason, "no surface to load into");
    if (x < 0 || y < 0) return failWith(reason, "position outside the surface");
    if (!data) size = 0;
    BmpLayout layout{};
    if (!parseBmpLayout(data, size, &layout, reason)) return 0;
    PaletteEntry colours[256];
    readBmpColours(data, size, layout, colours);

    SurfaceLock lock{};
    if (surfaceLock(surface, &lock) != DD_OK) return failWith(reason, "the surface is busy and cannot be locked");
    copyBmpRows(data, size, layout, lock, x, y);
    surfaceUnlock(surface);

    // Only the colours: the flags bytes of the master copy stay as they are.
    for (int i = 0; i < 256; ++i) {
        displayObjects.paletteEntries[i].red = colours[i].red;
        displayObjects.paletteEntries[i].green = colours[i].green;
        displayObjects.paletteEntries[i].blue = colours[i].blue;
    }
    if (missingRows) *missingRows = countMissingBmpRows(size, layout);
    return 1;
}

int32_t loadBitmap(Surface* surface, const char* name, int32_t x, int32_t y) {
    if (displayWatch.watcher) tellDisplayWatch({DisplayOp::kLoad, surface, nullptr, x, y, {}, 0, name, 0, 0, 0, 0});
    DataFile file;
    std::string reason;
    int64_t missing = 0;
    if (!readDataFile(name, &file, &reason)) {
        report("nmnm: cannot load " + file.path + ": " + reason + "; the game needs it beside the program " +
               "or in its data folder (reinstall the game or copy the file there)");
        return 0;
    }
    if (!loadBitmapFromMemory(surface, file.bytes.data(), file.bytes.size(), x, y, &reason, &missing)) {
        report("nmnm: cannot load " + file.path + ": " + reason + "; replace it with a good copy");
        return 0;
    }
    if (missing > 0)
        report("nmnm: " + file.path + " is cut short: " + std::to_string(missing) +
               " rows of pixels are missing and show as colour 0; replace it with a good copy");
    return 1;
}

std::string pictureBytesProblem(const uint8_t* data, size_t size) {
    if (!data) size = 0;
    BmpLayout layout{};
    std::string reason;
    if (!parseBmpLayout(data, size, &layout, &reason)) return reason;
    const int64_t missing = countMissingBmpRows(size, layout);
    if (missing > 0) return "cut short: " + std::to_string(missing) + " rows of pixels are missing";
    return {};
}
