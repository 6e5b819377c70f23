#include <cstdint>

#include "tools/artgen/art.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/pixel_font.h"

namespace {

constexpr int32_t kPanelTop = 448;
// Where the game draws its bars (left, top, right, bottom; right and bottom exclusive).
constexpr int32_t kBarLeft = 193;
constexpr int32_t kUpperTop = 455, kUpperBottom = 463;  // border line, then the gauge from x 416
constexpr int32_t kLowerTop = 463, kLowerBottom = 470;  // kills over best, up to 256 wide
constexpr int32_t kGaugeLeft = 416, kGaugeRight = 608;
constexpr int32_t kLowerRight = kBarLeft + 256;

void fill(IndexedImage* p, int32_t left, int32_t top, int32_t right, int32_t bottom, uint8_t index) {
    for (int32_t y = top; y < bottom; ++y)
        for (int32_t x = left; x < right; ++x) p->set(x, y, index);
}

}  // namespace

void paintStatusPanel(IndexedImage* p) {
    // The panel: the table's front edge catching the light, then a dark
    // navy board that darkens downwards.
    fill(p, 0, kPanelTop, 640, kPanelTop + 1, rampIndex(Ramp::Wood, 20));
    fill(p, 0, kPanelTop + 1, 640, kPanelTop + 2, rampIndex(Ramp::Wood, 12));
    fill(p, 0, kPanelTop + 2, 640, kPanelTop + 3, rampIndex(Ramp::Wood, 5));
    for (int32_t y = kPanelTop + 3; y < 480; ++y) {
        const int step = 7 - (y - (kPanelTop + 3)) / 5;
        fill(p, 0, y, 640, y + 1, rampIndex(Ramp::Navy, step));
    }

    // Troughs: plain and dark so that every bar reads against them, with a
    // shadowed upper edge and a lit lower edge.
    const uint8_t trough = rampIndex(Ramp::Navy, 0);
    const uint8_t shadow = rampIndex(Ramp::Steel, 1);
    const uint8_t lit = rampIndex(Ramp::Navy, 8);
    fill(p, kBarLeft - 1, kUpperTop - 1, kGaugeRight + 1, kUpperTop, shadow);
    fill(p, kBarLeft - 1, kUpperTop - 1, kBarLeft, kLowerBottom + 1, shadow);
    fill(p, kBarLeft, kLowerBottom, kLowerRight + 1, kLowerBottom + 1, lit);
    fill(p, kLowerRight, kLowerTop, kLowerRight + 1, kLowerBottom + 1, lit);
    fill(p, kLowerRight, kUpperBottom, kGaugeRight + 1, kUpperBottom + 1, lit);
    fill(p, kGaugeRight, kUpperTop - 1, kGaugeRight + 1, kUpperBottom + 1, lit);
    fill(p, kBarLeft, kUpperTop, kGaugeRight, kUpperBottom, trough);
    fill(p, kBarLeft, kLowerTop, kLowerRight, kLowerBottom, trough);
    // A notch above where the gauge begins.
    fill(p, kGaugeLeft, kUpperTop - 3, kGaugeLeft + 1, kUpperTop - 1, rampIndex(Ramp::Ice, 13));

    // A tick every ten kills under the kill track, a longer one every fifty.
    for (int32_t n = 10; n < 256; n += 10) {
        const int32_t x = kBarLeft + n;
        const int32_t length = n % 50 == 0 ? 3 : 2;
        fill(p, x, kLowerBottom + 1, x + 1, kLowerBottom + 1 + length, rampIndex(Ramp::Navy, n % 50 == 0 ? 10 : 9));
    }

    // Labels, each in the colour of its bar.
    const int32_t labelRight = kBarLeft - 6;
    const uint8_t borderInk = rampIndex(Ramp::Leaf, 19);
    drawPixelText(p, labelRight - pixelTextWidth("BORDER"), kUpperTop, "BORDER", borderInk);
    int32_t x = labelRight - pixelTextWidth("KILLS/BEST");
    x = drawPixelText(p, x, kLowerTop, "KILLS", rampIndex(Ramp::Melon, 15));
    x = drawPixelText(p, x, kLowerTop, "/", rampIndex(Ramp::Steel, 18));
    drawPixelText(p, x, kLowerTop, "BEST", rampIndex(Ramp::Amber, 17));
    drawPixelText(p, kLowerRight + 8, kLowerTop + 1, "GAUGE", rampIndex(Ramp::Ice, 13));
    // The gauge's end: a small pennant pointing back at the trough.
    for (int32_t i = 0; i < 4; ++i)
        fill(p, kGaugeRight + 3 + i, kUpperTop + 2 - i / 2, kGaugeRight + 4 + i, kUpperTop + 6 + i / 2,
             rampIndex(Ramp::Pink, 6 - i));

    // A groove between the name and the labels.
    fill(p, 100, kPanelTop + 5, 101, 477, rampIndex(Ramp::Navy, 0));
    fill(p, 101, kPanelTop + 5, 102, 477, rampIndex(Ramp::Navy, 11));
    // The game's name, large, with a drop shadow.
    drawPixelText(p, 13, kPanelTop + 9, "NMNM", rampIndex(Ramp::Navy, 1), 2);
    drawPixelText(p, 12, kPanelTop + 8, "NMNM", rampIndex(Ramp::Amber, 16), 2);
}
