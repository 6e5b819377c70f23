#include <gtest/gtest.h>

#include <climits>

#include "display/display_objects.h"
#include "game/status_bar.h"
#include "game/world.h"
#include "tests/support/test_support.h"

namespace {
constexpr uint8_t kGround = 1;
constexpr uint8_t kBorderIndex = 11, kKillIndex = 12, kGaugeIndex = 13, kBestIndex = 14;

// How many pixels of one row, from x on, hold `index` without a break.
int runFrom(int32_t x, int32_t y, uint8_t index) {
    int n = 0;
    while (x + n < 640 && pixelAt(displayObjects.backSurface, x + n, y) == index) ++n;
    return n;
}
}  // namespace

// Each strip of the sheet is one index, except that its column 0 also holds 0,
// the transparent index, in its first row: the bars must copy it (opaque).
class StatusBar : public DisplayTest {
protected:
    void SetUp() override {
        makeTestDisplay();
        const uint8_t strips[][3] = {
            {0, 8, kBorderIndex}, {8, 15, kKillIndex}, {15, 23, kGaugeIndex}, {23, 30, kBestIndex}};
        for (auto [top, bottom, index] : strips) {
            fillRect(displayObjects.spriteSurface, 0, top, 256, bottom, index);
            fillRect(displayObjects.spriteSurface, 0, top, 1, top + 1, 0);
        }
        fillRect(displayObjects.spriteSurface, 0, 30, 256, 96, 99);  // the sprites: never drawn here
    }
    void draw(StatusBarForm form) {
        fillAll(displayObjects.backSurface, kGround);
        drawStatusBar(form);
    }
};

TEST_F(StatusBar, KillBarAndGaugeAreTheirValuePlusOneWideAndStayInsideTheSheetAndScreen) {
    // The gauge truncates; kills past the sheet keep the bar full; a gauge run
    // wild stops at the screen's edge; below zero, no bar.
    struct Case {
        int32_t kills;
        float gauge;
        int killWidth, gaugeWidth;
    };
    const Case cases[] = {{0, 0.99f, 1, 1},          {5, 1.0f, 6, 2},         {20, 57.7f, 21, 58},
                          {255, 190.999f, 256, 191}, {256, 191.0f, 256, 192}, {INT32_MAX, 1.0e9f, 256, 640 - 416},
                          {-3, -5.0f, 0, 0}};
    world.bestKills = 0;
    for (const Case& c : cases) {
        world.killCount = c.kills;
        world.gauge = c.gauge;
        draw(kStatusBarFull);
        EXPECT_EQ(runFrom(193, 464, kKillIndex), c.killWidth) << "case: kills " << c.kills << ", kill bar width";
        EXPECT_EQ(runFrom(416, 460, kGaugeIndex), c.gaugeWidth) << "case: gauge " << c.gauge << ", gauge bar width";
    }
}

TEST_F(StatusBar, TheTitleFormAndTheBorderLineOverTheGauge) {
    // Which bars each form draws, and in what order, is the draw order test's.
    draw(kStatusBarTitle);  // border line 30, best 20
    EXPECT_EQ(pixelAt(displayObjects.backSurface, 193, 455), 0) << "case: title form, index 0 copied too";
    EXPECT_EQ(runFrom(194, 456, kBorderIndex), 30) << "case: title form, border-line bar";
    EXPECT_EQ(runFrom(194, 464, kBestIndex), 20) << "case: title form, best bar";
    // A border line of 223 or more reaches the gauge and covers its start; past the sheet it stays 255.
    world.gauge = 100.0f;
    struct Case {
        int32_t border;
        int borderRun, gaugeFrom;
    };
    for (const Case c : {Case{222, 222, 416}, {230, 230, 424}, {INT32_MAX, 255, 449}}) {
        world.borderLine = c.border;
        draw(kStatusBarFull);
        EXPECT_EQ(runFrom(194, 456, kBorderIndex), c.borderRun) << "case: border line " << c.border << ", its bar";
        EXPECT_EQ(runFrom(c.gaugeFrom, 456, kGaugeIndex), 101 - (c.gaugeFrom - 416))
            << "case: border line " << c.border << ", the gauge bar left visible";
    }
}
