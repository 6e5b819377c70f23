#include "tools/replay/autoplay.h"

#include <cstdlib>

#include "game/flies.h"
#include "game/heading_trig.h"
#include "game/swatter.h"

namespace {

// How far the hand moves in one call, in pixels on each axis.
constexpr int32_t kHandSpeed = 10;
// Two flies this close on both axes may both be in reach of one swing.
constexpr int32_t kPairSpan = 46;
// Title calls before the player clicks to start.
constexpr int32_t kTitleWait = 40;

struct Centre {
    int32_t x;
    int32_t y;
};

// Where fly i's centre will be after `steps` more moves, ignoring respawns.
Centre predictedCentre(const GameWorld& w, int i, int steps) {
    // The game's own table, so that the player aims alike on every platform.
    const HeadingTrig trig = headingTrig(w.flyHeading[i]);
    const double s = static_cast<double>(w.flySpeed[i]) * steps;
    const double fx = static_cast<double>(w.flyX[i]) + s * trig.cos;
    const double fy = static_cast<double>(w.flyY[i]) + s * trig.sin;
    return Centre{static_cast<int32_t>(fx) + 8, static_cast<int32_t>(fy) + 8};
}

bool inField(Centre c) { return c.x >= 0 && c.x < kScreenWidth && c.y >= 0 && c.y < kPlayFieldHeight; }

int32_t stepToward(int32_t from, int32_t to) {
    const int32_t d = to - from;
    if (d > kHandSpeed) return from + kHandSpeed;
    if (d < -kHandSpeed) return from - kHandSpeed;
    return to;
}

uint32_t nextJitter(AutoplayPlayer& p) {
    p.jitter = p.jitter * 1103515245u + 12345u;
    return (p.jitter >> 16) & 0x7FFF;
}

// The spot that covers the most predicted fly centres, tried at each centre
// and at the middle of each pair of close flies; ties go to the spot nearest
// the hand, so the aim does not jump about.
struct Aim {
    Centre spot;
    int count;
};

Aim densestSpot(const GameWorld& w, int steps, int32_t handX, int32_t handY) {
    Centre centres[kFlySlots];
    int n = 0;
    const int live = w.flyLevel + 1;
    for (int i = 0; i < live && i < kFlySlots; ++i) {
        const Centre c = predictedCentre(w, i, steps);
        if (inField(c)) centres[n++] = c;
    }
    Aim best{Centre{handX, handY}, 0};
    int64_t bestDistance = 0;
    auto consider = [&](Centre spot) {
        int count = 0;
        for (int k = 0; k < n; ++k) count += flyInReach(centres[k].x - 8, centres[k].y - 8, spot.x, spot.y);
        const int64_t dx = spot.x - handX, dy = spot.y - handY;
        const int64_t distance = dx * dx + dy * dy;
        if (count > best.count || (count == best.count && count > 0 && distance < bestDistance)) {
            best = Aim{spot, count};
            bestDistance = distance;
        }
    };
    for (int a = 0; a < n; ++a) {
        consider(centres[a]);
        for (int b = a + 1; b < n; ++b)
            if (std::abs(centres[a].x - centres[b].x) <= kPairSpan &&
                std::abs(centres[a].y - centres[b].y) <= kPairSpan)
                consider(Centre{(centres[a].x + centres[b].x) / 2, (centres[a].y + centres[b].y) / 2});
    }
    return best;
}

}  // namespace

RunCall autoplayNext(AutoplayPlayer& p, const GameWorld& w) {
    if (p.started) p.tick += w.frameInterval;
    p.started = true;

    bool press = false;
    if (w.gameState == kPhaseTitle) {
        ++p.titleCalls;
        p.x = stepToward(p.x, 320);
        p.y = stepToward(p.y, 300);
        press = p.titleCalls > kTitleWait && !p.buttonDown;
    } else {
        p.titleCalls = 0;
        // The hit test of a swing pressed now runs two calls on; aim where the
        // flies will be by then, and keep tracking them while the swing runs.
        const int lookAhead = (w.swingStep == 0 || w.swingStep >= 5) ? 3 : (w.swingStep <= 3 ? 4 - w.swingStep : 1);
        const Aim aim = densestSpot(w, lookAhead, p.x, p.y);
        // A small unsteadiness of the hand, so that the play is not perfect.
        const int32_t wobbleX = static_cast<int32_t>(nextJitter(p) % 21) - 10;
        const int32_t wobbleY = static_cast<int32_t>(nextJitter(p) % 21) - 10;
        if (aim.count > 0) {
            p.x = stepToward(p.x, aim.spot.x + wobbleX);
            p.y = stepToward(p.y, aim.spot.y + wobbleY);
        }
        const bool close = std::abs(aim.spot.x - p.x) <= kHandSpeed * 2 && std::abs(aim.spot.y - p.y) <= kHandSpeed * 2;
        press = w.gameState == kPhasePlay && w.swingStep == 0 && !p.buttonDown && aim.count > 0 && close;
    }
    p.buttonDown = press;

    RunCall input;
    input.ticks[0] = input.ticks[1] = input.ticks[2] = p.tick;
    input.x = p.x;
    input.y = p.y;
    input.keys = press ? kRunKeyLeftButton : 0;
    return input;
}
