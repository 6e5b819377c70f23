#include "display/palette_fade.h"

#include "base/bit_cast.h"
#include "display/display_objects.h"

namespace {

// KEPT QUIRK: the single-precision number nearest 1/255. It is a hair larger than 1/255,
// and the fade's exact results (some steps toward black one lower than the
// true blend) depend on this very value, so it is spelled out bit for bit.
const double kFadeFactor = static_cast<double>(bitCast<float>(uint32_t{0x3B808081}));

uint8_t fadeChannel(uint8_t master, uint8_t target, int32_t level) {
    const int32_t d = (int32_t{master} - int32_t{target}) * level;
    const double product = static_cast<double>(d) * kFadeFactor;
    const double v = static_cast<double>(master) - product;
    return static_cast<uint8_t>(static_cast<int32_t>(v));
}

}  // namespace

void fadePalette(int32_t level, int8_t toWhite) {
    // Outside 0 to 255 the blend would leave the byte range; hold it to the ends.
    if (level < 0) level = 0;
    if (level > 255) level = 255;
    const uint8_t tRed = (toWhite & 1) ? 255 : 0;
    const uint8_t tGreen = (toWhite & 2) ? 255 : 0;
    const uint8_t tBlue = (toWhite & 4) ? 255 : 0;

    PaletteEntry faded[256];
    // Entries 0 and 255 are not faded: black and white at every step, so the
    // ends of the palette never flicker whatever the master copy holds there.
    faded[0] = PaletteEntry{0, 0, 0, 0};
    faded[255] = PaletteEntry{255, 255, 255, 0};
    for (int k = 1; k <= 254; ++k) {
        const PaletteEntry& m = displayObjects.paletteEntries[k];
        faded[k] = PaletteEntry{fadeChannel(m.red, tRed, level), fadeChannel(m.green, tGreen, level),
                                fadeChannel(m.blue, tBlue, level), 0};
    }
    paletteSetEntries(displayObjects.palette, 0, 0, 256, faded);
}
