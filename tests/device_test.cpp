#include <gtest/gtest.h>

#include "display/display_objects.h"
#include "platform/headless/headless_host.h"
#include "tests/test_support.h"

class Device : public ::testing::Test {
protected:
    void SetUp() override { makeTestDisplay(); }
    void TearDown() override { releaseTestDisplay(); }
};

TEST_F(Device, FlipExchangesTheTwoBuffers) {
    fillRect(display.primarySurface, 0, 0, 640, 480, 7);
    fillRect(display.backSurface, 0, 0, 640, 480, 9);
    const int before = headless.presentCount;
    EXPECT_EQ(surfaceFlip(display.primarySurface, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(headless.presentCount, before + 1);
    // What was drawn is shown; the back buffer now holds the picture shown before.
    EXPECT_EQ(countIndex(display.primarySurface, 9), 640 * 480);
    EXPECT_EQ(countIndex(display.backSurface, 7), 640 * 480);
    surfaceFlip(display.primarySurface, DDFLIP_WAIT);
    EXPECT_EQ(countIndex(display.primarySurface, 7), 640 * 480);
}

TEST_F(Device, ColourKeyedCopyLeavesIndexZeroOutOpaqueCopyDoesNot) {
    fillRect(display.backSurface, 0, 0, 640, 480, 5);
    fillRect(display.spriteSurface, 0, 0, 4, 4, 0);
    fillRect(display.spriteSurface, 1, 1, 3, 3, 200);
    EXPECT_EQ(surfaceBltFast(display.backSurface, 10, 20, display.spriteSurface, {0, 0, 4, 4},
                             DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(pixelAt(display.backSurface, 10, 20), 5);
    EXPECT_EQ(pixelAt(display.backSurface, 11, 21), 200);
    EXPECT_EQ(countIndex(display.backSurface, 200), 4);
    EXPECT_EQ(surfaceBltFast(display.backSurface, 10, 20, display.spriteSurface, {0, 0, 4, 4}, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(pixelAt(display.backSurface, 10, 20), 0);
    EXPECT_EQ(countIndex(display.backSurface, 0), 12);
}

TEST_F(Device, CopiesReachingOutsideEitherSurfaceAreRefusedWhole) {
    fillRect(display.backSurface, 0, 0, 640, 480, 5);
    fillRect(display.spriteSurface, 0, 0, 256, 96, 9);
    const Rect outside[] = {{0, 0, 257, 8}, {-1, 0, 8, 8}, {0, 90, 8, 97}, {8, 0, 8, 8}, {0, 0, 8, -1}};
    for (const Rect& r : outside)
        EXPECT_EQ(surfaceBltFast(display.backSurface, 0, 0, display.spriteSurface, r, DDBLTFAST_WAIT),
                  DDERR_INVALIDRECT);
    const int xs[] = {-1, 633, 0, INT32_MAX};
    const int ys[] = {0, 0, 473, 0};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(surfaceBltFast(display.backSurface, xs[i], ys[i], display.spriteSurface, {0, 0, 8, 8}, 0),
                  DDERR_INVALIDRECT);
    EXPECT_EQ(countIndex(display.backSurface, 5), 640 * 480);
    // Exactly at the edges is fine.
    EXPECT_EQ(surfaceBltFast(display.backSurface, 632, 472, display.spriteSurface, {248, 88, 256, 96}, 0), DD_OK);
    EXPECT_EQ(pixelAt(display.backSurface, 639, 479), 9);
}

TEST_F(Device, LockDoesNotWaitAndLockedSurfacesRefuseCopies) {
    SurfaceLock lock{};
    ASSERT_EQ(surfaceLock(display.spriteSurface, &lock), DD_OK);
    EXPECT_EQ(lock.pitch, 256);
    EXPECT_EQ(lock.height, 96u);
    EXPECT_EQ(lock.surface, display.spriteSurface->pixels.data());
    SurfaceLock again{};
    EXPECT_EQ(surfaceLock(display.spriteSurface, &again), DDERR_SURFACEBUSY);
    EXPECT_EQ(surfaceBltFast(display.backSurface, 0, 0, display.spriteSurface, {0, 0, 4, 4}, 0), DDERR_SURFACEBUSY);
    EXPECT_EQ(surfaceUnlock(display.spriteSurface), DD_OK);
    EXPECT_EQ(surfaceLock(display.spriteSurface, &again), DD_OK);
    surfaceUnlock(display.spriteSurface);
}

TEST_F(Device, PaletteChangesShowAtOnceAndOnlyInRange) {
    PaletteEntry red[256] = {};
    for (auto& e : red) e = {255, 0, 0, 0};
    const int before = headless.presentCount;
    EXPECT_EQ(paletteSetEntries(display.palette, 0, 0, 256, red), DD_OK);
    EXPECT_EQ(headless.presentCount, before + 1);
    EXPECT_EQ(display.palette->entries[128].red, 255);
    EXPECT_EQ(paletteSetEntries(display.palette, 0, 200, 57, red), DDERR_INVALIDPARAMS);
    EXPECT_EQ(paletteSetEntries(display.palette, 0, 257, 0, red), DDERR_INVALIDPARAMS);
}

TEST_F(Device, ReleaseInTheGameOrderFreesEverythingAndGivesTheScreenBack) {
    EXPECT_EQ(deviceFaults.liveObjects, 6);  // device, two chained buffers, two surfaces, palette
    EXPECT_TRUE(headless.displayOpen);
    releaseSurface(display.backSurface);
    EXPECT_EQ(deviceFaults.liveObjects, 6);  // the chain still owns its back buffer
    releaseSurface(display.primarySurface);
    releaseSurface(display.backgroundSurface);
    releaseSurface(display.spriteSurface);
    releasePalette(display.palette);
    releaseDirectDraw(display.directDraw);
    display = DisplayObjects{};
    EXPECT_EQ(deviceFaults.liveObjects, 0);
    EXPECT_FALSE(headless.displayOpen);
}

TEST(DeviceCreation, NoDisplayAndInjectedFailuresAreReported) {
    resetHeadless();
    deviceFaults = DeviceFaults{0, 0, 0};
    headless.displayAvailable = false;
    DirectDraw* dd = nullptr;
    EXPECT_NE(DirectDrawCreate(&dd), DD_OK);
    EXPECT_EQ(dd, nullptr);
    headless.displayAvailable = true;
    ASSERT_EQ(DirectDrawCreate(&dd), DD_OK);
    // The mode can only be set after taking the screen, and only to 640 x 480 x 8.
    EXPECT_NE(ddSetDisplayMode(dd, 640, 480, 8), DD_OK);
    ASSERT_EQ(ddSetCooperativeLevel(dd, DDSCL_FULLSCREEN_EXCLUSIVE), DD_OK);
    EXPECT_NE(ddSetDisplayMode(dd, 800, 600, 8), DD_OK);
    deviceFaults.failCreationStep = 1;
    EXPECT_NE(ddSetDisplayMode(dd, 640, 480, 8), DD_OK);
    Surface* s = nullptr;
    EXPECT_NE(ddCreateOffscreenSurface(dd, 0, 10, &s), DD_OK);
    EXPECT_NE(ddCreateOffscreenSurface(dd, 100000, 10, &s), DD_OK);
    EXPECT_EQ(s, nullptr);
    releaseDirectDraw(dd);
    EXPECT_EQ(deviceFaults.liveObjects, 0);
}
