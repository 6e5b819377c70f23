#include <gtest/gtest.h>

#include <tuple>

#include "display/display_objects.h"
#include "platform/headless/headless_host.h"
#include "tests/test_support.h"

using Device = DisplayTest;

TEST_F(Device, FlipExchangesTheTwoBuffers) {
    fillAll(display.primarySurface, 7);
    fillAll(display.backSurface, 9);
    EXPECT_EQ(surfaceFlip(display.primarySurface, DDFLIP_WAIT), DD_OK);
    // What was drawn is shown; the back buffer now holds the picture shown before.
    EXPECT_EQ(std::tuple(headless.presentCount, countIndex(display.primarySurface, 9), countIndex(display.backSurface, 7)),
              std::tuple(1, 640 * 480, 640 * 480));
}

TEST_F(Device, CopiesReachingOutsideEitherSurfaceOrFromABusyOneAreRefusedWhole) {
    fillAll(display.backSurface, 5);
    fillAll(display.spriteSurface, 9);
    for (const Rect& r : {Rect{0, 0, 257, 8}, {-1, 0, 8, 8}, {0, 90, 8, 97}, {8, 0, 8, 8}, {0, 0, 8, -1}})
        EXPECT_EQ(surfaceBltFast(display.backSurface, 0, 0, display.spriteSurface, r, 0), DDERR_INVALIDRECT) << r;
    for (const Point p : {Point{-1, 0}, {633, 0}, {0, 473}, {INT32_MAX, 0}})
        EXPECT_EQ(surfaceBltFast(display.backSurface, p.x, p.y, display.spriteSurface, {0, 0, 8, 8}, 0),
                  DDERR_INVALIDRECT);
    SurfaceLock lock{};
    ASSERT_EQ(surfaceLock(display.spriteSurface, &lock), DD_OK);
    EXPECT_EQ(surfaceLock(display.spriteSurface, &lock), DDERR_SURFACEBUSY);  // no waiting
    EXPECT_EQ(surfaceBltFast(display.backSurface, 0, 0, display.spriteSurface, {0, 0, 4, 4}, 0), DDERR_SURFACEBUSY);
    surfaceUnlock(display.spriteSurface);
    EXPECT_EQ(countIndex(display.backSurface, 5), 640 * 480);
    // Exactly at the edges is fine.
    EXPECT_EQ(surfaceBltFast(display.backSurface, 632, 472, display.spriteSurface, {248, 88, 256, 96}, 0), DD_OK);
    EXPECT_EQ(pixelAt(display.backSurface, 639, 479), 9);
}

TEST_F(Device, RefusedPaletteRangesModesAndSizes) {
    PaletteEntry red[256] = {};
    EXPECT_EQ(paletteSetEntries(display.palette, 0, 200, 57, red), DDERR_INVALIDPARAMS);
    EXPECT_EQ(paletteSetEntries(display.palette, 0, 257, 0, red), DDERR_INVALIDPARAMS);
    EXPECT_NE(ddSetDisplayMode(display.directDraw, 800, 600, 8), DD_OK);
    Surface* s = nullptr;
    EXPECT_TRUE(ddCreateOffscreenSurface(display.directDraw, 0, 10, &s) != DD_OK &&
                ddCreateOffscreenSurface(display.directDraw, 100000, 10, &s) != DD_OK && !s);
}
