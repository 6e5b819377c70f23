// Times the screen messages of the busiest frame (the title's two lines and
// the announcement's two) drawn over and over onto the back buffer.
//   text_bench [FRAMES]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "display/display_objects.h"
#include "display/glyph_cache.h"
#include "game/messages.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"

int main(int argc, char** argv) {
    const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20000;
    resetHeadless();
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<uint8_t>(i);
        display.paletteEntries[i] = PaletteEntry{v, v, v, 0};
    }
    if (DirectDrawCreate(&display.directDraw) != DD_OK ||
        ddSetCooperativeLevel(display.directDraw, DDSCL_FULLSCREEN_EXCLUSIVE) != DD_OK ||
        ddSetDisplayMode(display.directDraw, 640, 480, 8) != DD_OK ||
        ddCreatePrimarySurface(display.directDraw, &display.primarySurface) != DD_OK ||
        surfaceGetAttachedBackBuffer(display.primarySurface, &display.backSurface) != DD_OK) {
        std::fputs("text_bench: cannot make the display\n", stderr);
        return 1;
    }
    drawPhaseMessages(kPhaseTitle);  // the font lookup and first renders, not timed
    drawPhaseMessages(kPhaseAnnouncement);
    const auto start = std::chrono::steady_clock::now();
    for (long f = 0; f < frames; ++f) {
        world.borderLine = static_cast<int32_t>(30 + f % 300);
        drawPhaseMessages(kPhaseTitle);
        drawPhaseMessages(kPhaseAnnouncement);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%ld frames of 4 lines: %.1f us a frame, %llu glyphs rendered in all\n", frames,
                seconds * 1e6 / static_cast<double>(frames), static_cast<unsigned long long>(glyphRenderCount()));
    return 0;
}
