#include <gtest/gtest.h>

#include <tuple>

#include "display/blit_sprite.h"
#include "display/display_objects.h"
#include "tests/support/test_support.h"

// A 16 x 16 cell at (0, 32) whose column c holds index 100 + c, row r of a
// 32 x 32 cell at (32, 32) holds 150 + r, both fully opaque.
class BlitSprite : public DisplayTest {
protected:
    void SetUp() override {
        makeTestDisplay();
        fillAll(displayObjects.backSurface, 1);
        for (int c = 0; c < 16; ++c)
            fillRect(displayObjects.spriteSurface, c, 32, c + 1, 48, static_cast<uint8_t>(100 + c));
        for (int r = 0; r < 32; ++r)
            fillRect(displayObjects.spriteSurface, 32, 32 + r, 64, 33 + r, static_cast<uint8_t>(150 + r));
    }
    void fly(int x, int y) { blitSprite(x, y, 0, 32, 16, 48); }
    int drawn() { return 640 * 480 - countIndex(displayObjects.backSurface, 1); }
};

TEST_F(BlitSprite, CutsKeepWhatIsInsideDownToTwoPixelsOnACutSide) {
    struct Case {
        int x, y, drawn, px, py, value;  // pixel (px, py) then holds `value`
    };
    const Case cases[] = {
        {100, 200, 256, 115, 215, 115},  // uncut
        {-14, 100, 32, 0, 100, 114},
        {-15, 100, 0, 0, 0, 1},  // left: the last columns; one would remain
        {638, 100, 32, 639, 100, 101},
        {639, 100, 0, 0, 0, 1},  // right: the first columns
        {10, 446, 32, 10, 447, 100},
        {10, 447, 0, 0, 0, 1},             // bottom: the play field ends at 448
        {10, -15, 0, 0, 0, 1},             // top
        {-5, 100, 11 * 16, 10, 115, 115},  // one axis cut leaves the other whole
        {-3, -4, 13 * 12, 0, 0, 103},      // both axes
        {100000, 100, 0, 0, 0, 1},
        {INT32_MIN, 100, 0, 0, 0, 1},
        {100, INT32_MAX, 0, 0, 0, 1},  // far outside
    };
    for (const Case& c : cases) {
        fillAll(displayObjects.backSurface, 1);
        fly(c.x, c.y);
        EXPECT_EQ(drawn(), c.drawn) << c.x << "," << c.y;
        EXPECT_EQ(pixelAt(displayObjects.backSurface, c.px, c.py), c.value) << c.x << "," << c.y;
    }
    // A top cut keeps the last rows: those of the swatter are told apart.
    blitSprite(300, -30, 32, 32, 64, 64);
    EXPECT_EQ(drawn(), 2 * 32) << "case: swatter at y -30, two rows left";
    EXPECT_EQ(pixelAt(displayObjects.backSurface, 300, 0), 180) << "case: swatter at y -30, row 0";
    EXPECT_EQ(pixelAt(displayObjects.backSurface, 300, 1), 181) << "case: swatter at y -30, row 1";
    // The minimum is for cut sides only: a 1-pixel cell placed whole is drawn.
    blitSprite(50, 60, 5, 32, 6, 33);
    EXPECT_EQ(pixelAt(displayObjects.backSurface, 50, 60), 105);
    blitSprite(INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_EQ(drawn(), 2 * 32 + 1);
    // Nothing ever reaches the status bar rows.
    fillAll(displayObjects.backSurface, 1);
    for (int cy = 433; cy < 480; ++cy) blitSprite(300, cy - 16, 32, 32, 64, 64);
    for (int y = 448; y < 480; ++y)
        for (int x = 0; x < 640; ++x) ASSERT_EQ(pixelAt(displayObjects.backSurface, x, y), 1);
}

TEST_F(BlitSprite, TransparentIndexZeroShowsTheBufferBeneath) {
    fillRect(displayObjects.spriteSurface, 4, 36, 8, 40, 0);
    fly(20, 20);
    EXPECT_EQ(drawn(), 256 - 16) << "case: fly with a 4 x 4 hole";
    EXPECT_EQ(pixelAt(displayObjects.backSurface, 25, 25), 1) << "case: fly with a 4 x 4 hole, inside the hole";
}
