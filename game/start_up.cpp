#include "game/start_up.h"

#include "display/display_setup.h"
#include "game/flies.h"
#include "game/sprite_rects.h"

int32_t initDisplay() {
    // First of all, so that the tables are filled even when setup then fails.
    initSpriteRects();
    if (!createDisplayObjects()) return 0;
    loadPictures();
    fadeIn();
    placeStartFlies();
    return 1;
}
