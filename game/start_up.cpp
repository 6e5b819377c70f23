#include "game/start_up.h"

#include "display/display_setup.h"
#include "game/flies.h"
#include "game/sprite_rects.h"

namespace {

int32_t nextFadeStep = kFadeInSteps;  // nothing to step before beginStartUp

}  // namespace

int32_t beginStartUp() {
    // First of all, so that the tables are filled even when setup then fails.
    initSpriteRects();
    nextFadeStep = kFadeInSteps;
    if (!createDisplayObjects()) return 0;
    loadPictures();
    nextFadeStep = 0;
    return 1;
}

bool takeStartUpStep() {
    if (nextFadeStep >= kFadeInSteps) return true;
    fadeInStep(nextFadeStep++);
    if (nextFadeStep < kFadeInSteps) return false;
    placeStartFlies();
    return true;
}

int32_t initDisplay() {
    if (!beginStartUp()) return 0;
    while (!takeStartUpStep()) {
    }
    return 1;
}
