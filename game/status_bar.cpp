#include "game/status_bar.h"

#include <algorithm>
#include <cstdint>

#include "display/display_objects.h"
#include "game/world.h"

namespace {

// Where a strip sits in the sprite sheet and where its bar goes on screen.
struct BarStrip {
    int32_t top;
    int32_t bottom;
    int32_t x;
    int32_t y;
};

constexpr BarStrip kBorderLineStrip = {0, 8, 193, 455};
constexpr BarStrip kKillStrip = {8, 15, 193, 463};
constexpr BarStrip kGaugeStrip = {15, 23, 416, 455};
constexpr BarStrip kBestStrip = {23, 30, 193, 463};

// Copies the leftmost `width` columns of a strip, opaque. The device refuses
// any rectangle that reaches outside the sheet or the screen, so a value past
// the sheet's width is cut to it: the bar then stays full instead of vanishing.
// A width below one (a value below zero) draws nothing.
void drawBar(const BarStrip& strip, int64_t width) {
    Surface* sheet = displayObjects.spriteSurface;
    Surface* back = displayObjects.backSurface;
    if (!sheet || !back) return;
    width = std::min<int64_t>(width, sheet->width);
    width = std::min<int64_t>(width, int64_t{back->width} - strip.x);
    if (width < 1) return;
    const Rect src = {0, strip.top, static_cast<int32_t>(width), strip.bottom};
    surfaceBltFast(back, strip.x, strip.y, sheet, src, DDBLTFAST_WAIT);
}

void drawCountBar(const BarStrip& strip, int32_t value) { drawBar(strip, int64_t{value} + 1); }

void drawGaugeBar() {
    // The right edge is gauge + 1.0 truncated toward zero, formed in double.
    const double right = static_cast<double>(world.gauge) + 1.0;
    if (!(right >= 1.0)) return;  // below zero, or not a number
    const double capped = std::min(right, 65536.0);
    drawBar(kGaugeStrip, static_cast<int64_t>(capped));
}

}  // namespace

void drawStatusBar(StatusBarForm form) {
    switch (form) {
        case kStatusBarTitle:
            drawCountBar(kBorderLineStrip, world.borderLine);
            drawCountBar(kBestStrip, world.bestKills);
            break;
        case kStatusBarAnnouncement:
            drawCountBar(kBorderLineStrip, world.borderLine);
            drawCountBar(kBestStrip, world.bestKills);
            drawCountBar(kKillStrip, world.killCount);
            break;
        case kStatusBarStart:
            drawCountBar(kBestStrip, world.bestKills);
            drawCountBar(kKillStrip, world.killCount);
            drawCountBar(kBorderLineStrip, world.borderLine);
            break;
        case kStatusBarFull:
            drawGaugeBar();
            drawCountBar(kBestStrip, world.bestKills);
            drawCountBar(kKillStrip, world.killCount);
            drawCountBar(kBorderLineStrip, world.borderLine);
            break;
    }
}
