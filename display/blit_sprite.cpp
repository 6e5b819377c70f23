#include "display/blit_sprite.h"

#include <cstdint>

#include "display/display_objects.h"

void blitSprite(int32_t x32, int32_t y32, int32_t left32, int32_t top32, int32_t right32, int32_t bottom32) {
    // Worked in 64 bits so that no caller's value can overflow the cuts; for
    // every position the game produces this is the same 32-bit arithmetic.
    int64_t x = x32, y = y32, left = left32, top = top32, right = right32, bottom = bottom32;
    // KEPT QUIRK: a cut side must leave at least 2 pixels; an uncut cell is
    // drawn whatever its size. The status bar below the field is never drawn over. A cell is only cut on the side where
    // it starts outside, as the game's cells are far smaller than the field.
    if (x < 0) {
        left -= x;
        if (left + 1 >= right) return;
        x = 0;
    } else if ((right - left) + x > kScreenWidth) {
        right = left + (kScreenWidth - x);
        if (right - left < 2) return;
    }
    if (y < 0) {
        top -= y;
        if (top + 1 >= bottom) return;
        y = 0;
    } else if ((bottom - top) + y > kPlayFieldHeight) {
        bottom = top + (kPlayFieldHeight - y);
        if (bottom - top < 2) return;
    }
    // A cell still reaching past the far side, or outside the sheet, is
    // refused by the device as a whole.
    if (left < INT32_MIN || right > INT32_MAX || top < INT32_MIN || bottom > INT32_MAX) return;
    surfaceBltFast(displayObjects.backSurface, static_cast<int32_t>(x), static_cast<int32_t>(y),
                   displayObjects.spriteSurface,
                   Rect{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
                        static_cast<int32_t>(bottom)},
                   DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}
