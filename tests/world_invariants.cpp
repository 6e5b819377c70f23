#include "tests/world_invariants.h"

#include <cmath>

#include "display/display_objects.h"

namespace {

std::string fault(const std::string& what, long long value) { return what + " = " + std::to_string(value); }

}  // namespace

std::string worldInvariantFault(const GameWorld& w) {
    if (w.gameState > kPhaseStageClear) return fault("gameState", w.gameState);
    if (w.flyLevel < 1 || w.flyLevel > 29) return fault("flyLevel", w.flyLevel);  // 2 to 30 live flies
    if (w.swingStep < 0 || w.swingStep > 9) return fault("swingStep", w.swingStep);
    if (w.swatterFrame < 0 || w.swatterFrame > 2) return fault("swatterFrame", w.swatterFrame);
    if (w.wingFrame != 0 && w.wingFrame != 1) return fault("wingFrame", w.wingFrame);
    if (w.buttonLatch > 1) return fault("buttonLatch", w.buttonLatch);
    if (w.frameInterval < 1) return fault("frameInterval", w.frameInterval);
    if (w.killCount < 0) return fault("killCount", w.killCount);
    if (w.bestKills < 20 || w.bestKills < w.killCount) return fault("bestKills", w.bestKills);
    if (w.borderLine < 30 || (w.borderLine - 30) % 25 != 0) return fault("borderLine", w.borderLine);
    // The gauge bar is 1 to 192 pixels wide.
    if (!(w.gauge >= 0.0f && w.gauge <= 191.0f)) return fault("gauge x 1000", std::lround(w.gauge * 1000.0f));
    if (w.splatsActive != 0 && w.splatsActive != 1) return fault("splatsActive", w.splatsActive);

    bool anySplat = false;
    for (int j = 0; j < kSplatSlots; ++j) {
        // 0 free, otherwise a running splat whose picture index timer / 2 is 1 to 7.
        if (w.splatTimer[j] < 0 || w.splatTimer[j] > 15) return fault("splatTimer[" + std::to_string(j) + "]", w.splatTimer[j]);
        anySplat |= w.splatTimer[j] != 0;
    }
    if (anySplat && w.splatsActive == 0) return "a splat runs while splatsActive is 0";
    if (w.gameState <= kPhaseStart && (anySplat || w.splatsActive != 0))
        return "splats still running in phase " + std::to_string(w.gameState);

    for (int i = 0; i <= w.flyLevel; ++i) {
        const std::string at = "[" + std::to_string(i) + "]";
        // After each move a live fly is inside the bounds or has been placed anew.
        if (!(w.flyX[i] >= -16.0f && w.flyX[i] <= 640.0f)) return fault("flyX" + at + " x 1000", std::lround(w.flyX[i] * 1000.0f));
        if (!(w.flyY[i] >= -16.0f && w.flyY[i] <= 448.0f)) return fault("flyY" + at + " x 1000", std::lround(w.flyY[i] * 1000.0f));
        if (w.flyHeading[i] < -89 || w.flyHeading[i] > 359) return fault("flyHeading" + at, w.flyHeading[i]);
        if (!(w.flySpeed[i] >= 3.0f && w.flySpeed[i] < 7.0f)) return fault("flySpeed" + at + " x 1000", std::lround(w.flySpeed[i] * 1000.0f));
    }
    return {};
}

namespace {

// Compares `width` pixels of screen row y from x with sheet row sy from 0.
std::string rowFault(const char* bar, int32_t x, int32_t y, int32_t sy, int32_t width) {
    const Surface* screen = display.primarySurface;
    const Surface* sheet = display.spriteSurface;
    if (width > sheet->width) return {};  // wider than the sheet: how it is drawn is the bar's own choice
    for (int32_t i = 0; i < width; ++i) {
        const uint8_t shown = screen->pixels[static_cast<size_t>(y) * screen->pitch + x + i];
        const uint8_t strip = sheet->pixels[static_cast<size_t>(sy) * sheet->pitch + i];
        if (shown != strip) return std::string(bar) + " differs at column " + std::to_string(i) + " of " + std::to_string(width);
    }
    return {};
}

}  // namespace

std::string statusBarFault(const GameWorld& w) {
    const int32_t gaugeWidth = static_cast<int32_t>(static_cast<double>(w.gauge) + 1.0);
    std::string f;
    // The border-line bar is drawn last on its row, over the gauge bar's start.
    if (w.borderLine + 1 + 193 <= 416 && (f = rowFault("gaugeBar", 416, 455, 15, gaugeWidth)) != "") return f;
    if ((f = rowFault("borderLineBar", 193, 455, 0, w.borderLine + 1)) != "") return f;
    if ((f = rowFault("killBar", 193, 463, 8, w.killCount + 1)) != "") return f;
    return {};
}
