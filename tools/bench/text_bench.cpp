// Times the screen messages of the busiest frame (the title's two lines and
// the announcement's two) drawn over and over onto the back buffer.
//   text_bench [FRAMES]   (tools/bench/run.sh text BUILD [FRAMES])
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "display/display_objects.h"
#include "display/display_setup.h"
#include "game/messages.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"
#include "platform/linux/glyph_cache.h"

int main(int argc, char** argv) {
    const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20000;
    resetHeadless();
    if (!createDisplayObjects()) {
        std::fputs("text_bench: cannot make the display\n", stderr);
        return 1;
    }
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<uint8_t>(i);
        displayObjects.paletteEntries[i] = PaletteEntry{v, v, v, 0};
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
