#include "game/sprite_rects.h"

#include "game/world.h"

void initSpriteRects() {
    // Flies: two 16 x 16 wing pictures at the start of row 32.
    for (int i = 0; i < 2; ++i) world.flyRects[i] = {16 * i, 32, 16 * i + 16, 48};
    // Splats: eight 32 x 32 pictures across the bottom band.
    for (int i = 0; i < 8; ++i) world.splatRects[i] = {32 * i, 64, 32 * i + 32, 96};
    // Swatter: three 32 x 32 pictures right of the flies.
    for (int i = 0; i < 3; ++i) world.swatterRects[i] = {32 + 32 * i, 32, 64 + 32 * i, 64};
}
