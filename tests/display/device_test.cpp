#include <gtest/gtest.h>

#include <tuple>

#include "display/display_objects.h"
#include "platform/headless/headless_host.h"
#include "tests/support/test_support.h"

using Device = DisplayTest;

TEST_F(Device, FlipExchangesTheTwoBuffers) {
    fillAll(displayObjects.primarySurface, 7);
    fillAll(displayObjects.backSurface, 9);
    EXPECT_EQ(surfaceFlip(displayObjects.primarySurface, DDFLIP_WAIT), DD_OK);
    // What was drawn is shown; the back buffer now holds the picture shown before.
    EXPECT_EQ(headlessHost.presentCount, 1);
    EXPECT_EQ(countIndex(displayObjects.primarySurface, 9), 640 * 480) << "case: primary after the flip";
    EXPECT_EQ(countIndex(displayObjects.backSurface, 7), 640 * 480) << "case: back buffer after the flip";
}

TEST_F(Device, CopiesReachingOutsideEitherSurfaceOrFromABusyOneAreRefusedWhole) {
    fillAll(displayObjects.backSurface, 5);
    fillAll(displayObjects.spriteSurface, 9);
    for (const Rect& r : {Rect{0, 0, 257, 8}, {-1, 0, 8, 8}, {0, 90, 8, 97}, {8, 0, 8, 8}, {0, 0, 8, -1}})
        EXPECT_EQ(surfaceBltFast(displayObjects.backSurface, 0, 0, displayObjects.spriteSurface, r, 0),
                  DDERR_INVALIDRECT)
            << r;
    for (const Point p : {Point{-1, 0}, {633, 0}, {0, 473}, {INT32_MAX, 0}})
        EXPECT_EQ(surfaceBltFast(displayObjects.backSurface, p.x, p.y, displayObjects.spriteSurface, {0, 0, 8, 8}, 0),
                  DDERR_INVALIDRECT);
    SurfaceLock lock{};
    ASSERT_EQ(surfaceLock(displayObjects.spriteSurface, &lock), DD_OK);
    EXPECT_EQ(surfaceLock(displayObjects.spriteSurface, &lock), DDERR_SURFACEBUSY);  // no waiting
    EXPECT_EQ(surfaceBltFast(displayObjects.backSurface, 0, 0, displayObjects.spriteSurface, {0, 0, 4, 4}, 0),
              DDERR_SURFACEBUSY);
    surfaceUnlock(displayObjects.spriteSurface);
    EXPECT_EQ(countIndex(displayObjects.backSurface, 5), 640 * 480);
    // Exactly at the edges is fine.
    EXPECT_EQ(surfaceBltFast(displayObjects.backSurface, 632, 472, displayObjects.spriteSurface, {248, 88, 256, 96}, 0),
              DD_OK);
    EXPECT_EQ(pixelAt(displayObjects.backSurface, 639, 479), 9);
}

TEST_F(Device, RefusedPaletteRangesModesAndSizes) {
    PaletteEntry red[256] = {};
    EXPECT_EQ(paletteSetEntries(displayObjects.palette, 0, 200, 57, red), DDERR_INVALIDPARAMS);
    EXPECT_EQ(paletteSetEntries(displayObjects.palette, 0, 257, 0, red), DDERR_INVALIDPARAMS);
    EXPECT_NE(ddSetDisplayMode(displayObjects.directDraw, 800, 600, 8), DD_OK);
    Surface* s = nullptr;
    EXPECT_NE(ddCreateOffscreenSurface(displayObjects.directDraw, 0, 10, &s), DD_OK) << "case: width 0";
    EXPECT_NE(ddCreateOffscreenSurface(displayObjects.directDraw, 100000, 10, &s), DD_OK) << "case: width 100000";
    EXPECT_EQ(s, nullptr) << "case: refused sizes make nothing";
}
