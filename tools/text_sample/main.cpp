// Draws every phase's screen messages over a plain background and writes them,
// one band per phase, to an indexed PNG for a look at the lettering.
//   text_sample OUTPUT.png
#include <cstdio>
#include <cstring>
#include <vector>

#include "display/display_objects.h"
#include "display/display_setup.h"
#include "game/messages.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"
#include "tools/common/png_write.h"

namespace {

constexpr int32_t kBandTop = 160;  // every message lies in rows 160 to 319
constexpr int32_t kBandRows = 160;
constexpr uint8_t kBackground = 1;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: text_sample OUTPUT.png\n", stderr);
        return 2;
    }
    resetHeadless();
    if (!createDisplayObjects()) {
        std::fputs("text_sample: cannot make the display\n", stderr);
        return 1;
    }
    // Black, a muted green-grey like a picture's middle tones, and the text colours.
    displayObjects.paletteEntries[kBackground] = {96, 128, 104, 0};
    displayObjects.paletteEntries[2] = {255, 255, 255, 0};
    displayObjects.paletteEntries[3] = {0, 0, 255, 0};
    displayObjects.paletteEntries[4] = {255, 0, 0, 0};
    world.borderLine = 30;
    world.killCount = 42;

    const uint8_t phases[] = {kPhaseTitle, kPhaseAnnouncement, kPhaseStart, kPhaseResult, kPhaseStageClear};
    constexpr int32_t kPhaseCount = sizeof phases;
    Surface* back = displayObjects.backSurface;
    std::vector<uint8_t> sheet(static_cast<size_t>(back->width) * kBandRows * kPhaseCount);
    for (int32_t p = 0; p < kPhaseCount; ++p) {
        std::memset(back->pixels.data(), kBackground, back->pixels.size());
        drawPhaseMessages(phases[p]);
        for (int32_t r = 0; r < kBandRows; ++r)
            std::memcpy(sheet.data() + static_cast<size_t>(p * kBandRows + r) * static_cast<size_t>(back->width),
                        back->pixels.data() + static_cast<size_t>(kBandTop + r) * static_cast<size_t>(back->pitch),
                        static_cast<size_t>(back->width));
    }
    if (!writeIndexedPng(argv[1], sheet.data(), back->width, kBandRows * kPhaseCount, back->width,
                         displayObjects.paletteEntries)) {
        std::fprintf(stderr, "text_sample: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
