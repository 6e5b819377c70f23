#include <gtest/gtest.h>

#include <tuple>

#include "display/display_objects.h"
#include "game/status_bar.h"
#include "game/world.h"
#include "tests/test_support.h"

namespace {
constexpr uint8_t kGround = 1;
constexpr uint8_t kBorderIndex = 11, kKillIndex = 12, kGaugeIndex = 13, kBestIndex = 14;

// How many pixels of one row, from x on, hold `index` without a break.
int runFrom(int32_t x, int32_t y, uint8_t index) {
    int n = 0;
    while (x + n < 640 && pixelAt(display.backSurface, x + n, y) == index) ++n;
    return n;
}
}  // namespace

// Each strip of the sheet is one index, except that its column 0 also holds 0,
// the transparent index, in its first row: the bars must copy it (opaque).
class StatusBar : public DisplayTest {
protected:
    void SetUp() override {
        makeTestDisplay();
        fillAll(display.backSurface, kGround);
        fillRect(display.spriteSurface, 0, 0, 256, 8, kBorderIndex);
        fillRect(display.spriteSurface, 0, 8, 256, 15, kKillIndex);
        fillRect(display.spriteSurface, 0, 15, 256, 23, kGaugeIndex);
        fillRect(display.spriteSurface, 0, 23, 256, 30, kBestIndex);
        fillRect(display.spriteSurface, 0, 30, 256, 96, 99);  // the sprites: never drawn here
        for (int32_t top : {0, 8, 15, 23}) fillRect(display.spriteSurface, 0, top, 1, top + 1, 0);
    }
    int untouched() { return countIndex(display.backSurface, kGround); }
    void draw(StatusBarForm form) {
        fillAll(display.backSurface, kGround);
        drawStatusBar(form);
    }
};

TEST_F(StatusBar, EachFormDrawsItsBarsValuePlusOneWideAndOpaque) {
    draw(kStatusBarTitle);  // border line 30, best 20, no kills, an empty gauge
    EXPECT_EQ(pixelAt(display.backSurface, 193, 455), 0);  // index 0 copied too
    EXPECT_EQ(runFrom(194, 456, kBorderIndex), 30);
    EXPECT_EQ(runFrom(194, 464, kBestIndex), 20);
    EXPECT_EQ(untouched(), 640 * 480 - 31 * 8 - 21 * 7);  // no kill bar, no gauge

    drawStatusBar(kStatusBarAnnouncement);
    EXPECT_EQ(pixelAt(display.backSurface, 193, 463), 0);  // a 1-pixel kill bar over the best bar
    EXPECT_EQ(runFrom(193, 464, kKillIndex), 1);
    EXPECT_EQ(runFrom(194, 464, kBestIndex), 20);

    drawStatusBar(kStatusBarFull);
    EXPECT_EQ(runFrom(416, 456, kGaugeIndex), 1);
    EXPECT_EQ(runFrom(417, 456, kGround), 640 - 417);
    EXPECT_EQ(untouched(), 640 * 480 - 31 * 8 - 21 * 7 - 1 * 8);
}

TEST_F(StatusBar, GaugeIsItsValuePlusOneTruncated) {
    for (auto [gauge, width] : {std::pair{0.99f, 1}, {1.0f, 2}, {57.7f, 58}, {190.999f, 191}, {191.0f, 192}}) {
        world.gauge = gauge;
        draw(kStatusBarFull);
        EXPECT_EQ(runFrom(417, 456, kGaugeIndex) + 1, width) << gauge;
        EXPECT_EQ(pixelAt(display.backSurface, 416 + width, 456), kGround) << gauge;
    }
}

TEST_F(StatusBar, LaterBarsCoverEarlierOnes) {
    // Kills over best, in every form that shows both.
    world.killCount = 5;
    world.bestKills = 20;
    for (StatusBarForm form : {kStatusBarAnnouncement, kStatusBarStart, kStatusBarFull}) {
        draw(form);
        EXPECT_EQ(runFrom(194, 465, kKillIndex), 5) << form;
        EXPECT_EQ(runFrom(199, 465, kBestIndex), 15) << form;
    }
    // A border line of 223 or more reaches the gauge and covers its start.
    world.gauge = 100.0f;
    world.borderLine = 230;
    draw(kStatusBarFull);
    EXPECT_EQ(runFrom(194, 456, kBorderIndex), 230);  // x 193 to 423
    EXPECT_EQ(runFrom(424, 456, kGaugeIndex), 101 - 8);
    world.borderLine = 222;
    drawStatusBar(kStatusBarFull);
    EXPECT_EQ(pixelAt(display.backSurface, 416, 456), kGaugeIndex);
}

TEST_F(StatusBar, ValuesPastTheSheetKeepTheBarFullAndInsideIt) {
    world.gauge = 0.0f;
    for (int32_t value : {255, 256, 300, INT32_MAX}) {
        world.borderLine = world.bestKills = world.killCount = value;
        draw(kStatusBarFull);
        EXPECT_EQ(std::tuple(runFrom(194, 456, kBorderIndex), pixelAt(display.backSurface, 449, 456)),
                  std::tuple(255, kGround)) << value;
        EXPECT_EQ(std::tuple(runFrom(194, 464, kKillIndex), pixelAt(display.backSurface, 449, 464)),
                  std::tuple(255, kGround)) << value;
    }
    // A gauge run wild stops at the screen's edge; one below zero draws no bar.
    world.borderLine = 30;
    world.gauge = 1.0e9f;
    drawStatusBar(kStatusBarFull);
    EXPECT_EQ(runFrom(417, 456, kGaugeIndex), 640 - 417);
    world.gauge = -5.0f;
    world.killCount = -3;
    draw(kStatusBarFull);
    EXPECT_EQ(pixelAt(display.backSurface, 416, 456), kGround);
    EXPECT_EQ(runFrom(194, 464, kBestIndex), 255);  // the best bar, no kill bar over it
}
