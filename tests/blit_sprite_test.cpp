#include <gtest/gtest.h>

#include "display/blit_sprite.h"
#include "display/display_objects.h"
#include "tests/test_support.h"

// A 16 x 16 cell at (0, 32) whose column c holds index 100 + c, row r of a
// 32 x 32 cell at (32, 32) holds 150 + r, both fully opaque.
class BlitSprite : public ::testing::Test {
protected:
    void SetUp() override {
        makeTestDisplay();
        fillRect(display.backSurface, 0, 0, 640, 480, 1);
        for (int c = 0; c < 16; ++c) fillRect(display.spriteSurface, c, 32, c + 1, 48, static_cast<uint8_t>(100 + c));
        for (int r = 0; r < 32; ++r) fillRect(display.spriteSurface, 32, 32 + r, 64, 33 + r, static_cast<uint8_t>(150 + r));
    }
    void TearDown() override { releaseTestDisplay(); }
    void fly(int x, int y) { blitSprite(x, y, 0, 32, 16, 48); }
    int drawn() { return 640 * 480 - countIndex(display.backSurface, 1); }
};

TEST_F(BlitSprite, UncutCellLandsWholeAtItsPlace) {
    fly(100, 200);
    EXPECT_EQ(drawn(), 256);
    EXPECT_EQ(pixelAt(display.backSurface, 100, 200), 100);
    EXPECT_EQ(pixelAt(display.backSurface, 115, 215), 115);
}

TEST_F(BlitSprite, LeftCutKeepsTheLastColumnsDownToTwo) {
    fly(-14, 100);
    EXPECT_EQ(drawn(), 2 * 16);
    EXPECT_EQ(pixelAt(display.backSurface, 0, 100), 114);
    EXPECT_EQ(pixelAt(display.backSurface, 1, 115), 115);
    fillRect(display.backSurface, 0, 0, 640, 480, 1);
    fly(-15, 100);  // one column would remain
    EXPECT_EQ(drawn(), 0);
    fly(-100, 100);
    EXPECT_EQ(drawn(), 0);
}

TEST_F(BlitSprite, RightCutKeepsTheFirstColumnsDownToTwo) {
    fly(638, 100);
    EXPECT_EQ(drawn(), 2 * 16);
    EXPECT_EQ(pixelAt(display.backSurface, 638, 100), 100);
    EXPECT_EQ(pixelAt(display.backSurface, 639, 100), 101);
    fillRect(display.backSurface, 0, 0, 640, 480, 1);
    for (int x : {639, 640, 700, 100000}) fly(x, 100);
    EXPECT_EQ(drawn(), 0);
}

TEST_F(BlitSprite, TopAndBottomCutsUseThePlayFieldNotTheScreen) {
    blitSprite(300, -30, 32, 32, 64, 64);  // swatter, top 30 rows cut
    EXPECT_EQ(drawn(), 2 * 32);
    EXPECT_EQ(pixelAt(display.backSurface, 300, 0), 180);
    EXPECT_EQ(pixelAt(display.backSurface, 300, 1), 181);
    fillRect(display.backSurface, 0, 0, 640, 480, 1);
    fly(10, 446);
    EXPECT_EQ(drawn(), 2 * 16);
    EXPECT_EQ(countIndex(display.backSurface, 100), 2);
    fillRect(display.backSurface, 0, 0, 640, 480, 1);
    for (int y : {447, 448, 470, -15}) fly(10, y);
    EXPECT_EQ(drawn(), 0);
    // Nothing ever reaches the status bar rows.
    for (int cy = 433; cy < 480; ++cy) blitSprite(300, cy - 16, 32, 32, 64, 64);
    for (int y = 448; y < 480; ++y)
        for (int x = 0; x < 640; ++x) ASSERT_EQ(pixelAt(display.backSurface, x, y), 1);
}

TEST_F(BlitSprite, CuttingOneAxisLeavesTheOtherWhole) {
    fly(-5, 100);
    EXPECT_EQ(drawn(), 11 * 16);
    EXPECT_EQ(pixelAt(display.backSurface, 0, 100), 105);
    EXPECT_EQ(pixelAt(display.backSurface, 10, 115), 115);
    fillRect(display.backSurface, 0, 0, 640, 480, 1);
    fly(-3, -4);  // both axes
    EXPECT_EQ(drawn(), 13 * 12);
    EXPECT_EQ(pixelAt(display.backSurface, 0, 0), 103);
}

TEST_F(BlitSprite, TheTwoPixelMinimumOnlyAppliesToACutSide) {
    // A 1-pixel-wide cell placed where nothing is cut is still drawn.
    blitSprite(50, 60, 5, 32, 6, 33);
    EXPECT_EQ(drawn(), 1);
    EXPECT_EQ(pixelAt(display.backSurface, 50, 60), 105);
}

TEST_F(BlitSprite, TransparentIndexZeroShowsTheBufferBeneath) {
    fillRect(display.spriteSurface, 4, 36, 8, 40, 0);
    fly(20, 20);
    EXPECT_EQ(drawn(), 256 - 16);
    EXPECT_EQ(pixelAt(display.backSurface, 25, 25), 1);
}

TEST_F(BlitSprite, ExtremePositionsNeverOverflowOrDraw) {
    for (int v : {INT32_MIN, INT32_MIN + 1, INT32_MAX}) {
        fly(v, 100);
        fly(100, v);
        blitSprite(v, v, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    }
    EXPECT_EQ(drawn(), 0);
}
