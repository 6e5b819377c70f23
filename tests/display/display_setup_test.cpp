#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "display/bitmap_loader.h"
#include "display/display_objects.h"
#include "display/display_setup.h"
#include "game/start_up.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"
#include "tests/support/test_support.h"
#include "tools/common/bmp_fixture.h"

namespace {

// What the screen showed at each presentation during setup.
struct Seen {
    int presents = 0, showingBackground = 0,
        fliesPlaced = 0;  // the last two: presents showing hk.bmp, after a fly draw
    PaletteEntry first[256], last[256];
    const std::vector<uint8_t>* background = nullptr;
};

void record(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height, const PaletteEntry colours[256],
            void* user) {
    auto* seen = static_cast<Seen*>(user);
    std::memcpy(seen->presents++ ? seen->last : seen->first, colours, sizeof seen->first);
    seen->showingBackground += pitch == width &&
                               std::vector<uint8_t>(pixels, pixels + size_t(width) * height) == *seen->background;
    seen->fliesPlaced += world.randState != 1;
}

class DisplaySetup : public ::testing::Test {
protected:
    // A fresh world, host and display, with creation step `failAt` set to fail (0: none).
    static void fresh(int failAt) {
        resetWorld();
        resetHeadless();
        displayObjects = DisplayObjects{};
        deviceFaults = DeviceFaults{failAt, 0};
    }
    void SetUp() override {
        fresh(0);
        ASSERT_TRUE(writeBytes("hk.bmp", makeBmp({640, 480}, hkPixels, hkColours)));
        ASSERT_TRUE(writeBytes("pt.bmp", makeBmp({256, 96}, ptPixels, ptColours)));
    }
    void TearDown() override { releaseDisplay(); }

    static void expectShownColours(const PaletteEntry* shown, const std::vector<PaletteEntry>& colours,
                                   const char* where) {
        EXPECT_EQ(shown[0].red | shown[0].green | shown[0].blue, 0) << "case: " << where << ", colour 0 black";
        EXPECT_EQ(shown[255].red & shown[255].green & shown[255].blue, 255)
            << "case: " << where << ", colour 255 white";
        for (int k = 1; k < 255; ++k) {
            EXPECT_EQ(shown[k].red, colours[k].red) << "case: " << where << ", colour " << k;
            EXPECT_EQ(shown[k].green, colours[k].green) << "case: " << where << ", colour " << k;
            EXPECT_EQ(shown[k].blue, colours[k].blue) << "case: " << where << ", colour " << k;
        }
    }

    ScratchFolder scratch;
    const std::vector<uint8_t> hkPixels = patternPixels(640, 480, 1), ptPixels = patternPixels(256, 96, 2);
    const std::vector<PaletteEntry> hkColours = patternColours(0x11), ptColours = patternColours(0x66);
};

TEST_F(DisplaySetup, LoadsBothPicturesFadesInFromBlackThenPlacesTheFirstFlies) {
    Seen seen;
    seen.background = &hkPixels;
    headlessHost.onPresent = record;
    headlessHost.onPresentUser = &seen;

    ASSERT_EQ(initDisplay(), 1);

    for (Surface* s : {displayObjects.primarySurface, displayObjects.backSurface, displayObjects.backgroundSurface,
                       displayObjects.spriteSurface})
        EXPECT_EQ(pixelDifference(s->pixels, s == displayObjects.spriteSurface ? ptPixels : hkPixels), "")
            << "case: surface " << s->width << "x" << s->height << (s->primary ? " primary" : "");
    // "pt.bmp" is loaded last, so its colours are the ones in use.
    // 256 fade steps, each shown, all with the picture already in place.
    EXPECT_EQ(seen.presents, 256) << "case: fade steps shown";
    EXPECT_EQ(seen.showingBackground, 256) << "case: fade steps showing hk.bmp";
    EXPECT_EQ(seen.fliesPlaced, 0) << "case: fade steps after a fly was placed";
    expectShownColours(seen.first, std::vector<PaletteEntry>(256), "first fade step, black");
    expectShownColours(seen.last, ptColours, "last fade step");
    expectShownColours(displayObjects.palette->entries, ptColours, "after set-up");
    // Flies 0 and 1 are placed after the fade (none during it), from the generator's first draws.
    EXPECT_EQ(world.flyY[0], 99.0f) << "case: fly 0 placed";
    EXPECT_EQ(world.flyHeading[1], 228) << "case: fly 1 placed after fly 0";

    releaseDisplay();
    releaseDisplay();  // a second call finds nothing to release
    EXPECT_EQ(deviceFaults.liveObjects, 0) << "case: after release";
    EXPECT_FALSE(headlessHost.displayOpen) << "case: after release";
}

TEST_F(DisplaySetup, APictureThatFailsIsNamedAndKeepsTheColoursOfTheLastOneLoaded) {
    ASSERT_TRUE(writeBytes("pt.bmp", makeBmp({256, 96, 24}, {}, {})));
    const std::string said = stderrOf([] { ASSERT_EQ(initDisplay(), 1); });
    EXPECT_NE(said.find("pt.bmp: 24 bits per pixel"), std::string::npos) << "case: 24-bit pt.bmp, named: " << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "case: 24-bit pt.bmp, one line: " << said;
    EXPECT_EQ(pixelDifference(displayObjects.primarySurface->pixels, hkPixels), "") << "case: the screen";
    expectShownColours(displayObjects.palette->entries, hkColours, "pt.bmp refused");
    EXPECT_NE(world.randState, 1u) << "case: 24-bit pt.bmp, the flies are still placed";
    EXPECT_NE(stderrOf([] {
                  EXPECT_EQ(loadBitmap(displayObjects.spriteSurface, "surely-missing.bmp", 0, 0), 0);
              }).find("surely-missing.bmp: not found"),
              std::string::npos);
}

TEST_F(DisplaySetup, AFailedStepReturnsZeroAndReleaseFreesExactlyWhatWasMade) {
    // For each creation step in the order they are counted (device, cooperative
    // level, display mode, primary, back buffer, background, sprite, palette):
    // how many of the display objects exist after it fails, and device objects alive.
    const int made[] = {0, 1, 1, 1, 2, 3, 4, 5}, live[] = {0, 1, 1, 1, 3, 3, 4, 5};
    for (int n = 1; n <= 8; ++n) {
        fresh(n);
        const std::string said = stderrOf([] { EXPECT_EQ(initDisplay(), 0); });
        EXPECT_EQ(said.rfind("nmnm: display setup failed: ", 0), 0u)
            << "case: step " << n << " fails, says so: " << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << "case: step " << n << " fails, in one line: " << said;
        EXPECT_EQ(world.swatterRects[0].right, 64) << "case: step " << n << " fails, the tables come first, always";
        const void* objects[] = {displayObjects.directDraw,    displayObjects.primarySurface,
                                 displayObjects.backSurface,   displayObjects.backgroundSurface,
                                 displayObjects.spriteSurface, displayObjects.palette};
        const char* names[] = {"device", "primary", "back", "background", "sprite", "palette"};
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(objects[k] != nullptr, k < made[n - 1])
                << "case: step " << n << " fails, " << names[k] << " exists";
        // Nothing faded or placed.
        EXPECT_EQ(deviceFaults.liveObjects, live[n - 1]) << "case: step " << n << " fails";
        EXPECT_EQ(headlessHost.presentCount, 0) << "case: step " << n << " fails, nothing faded";
        EXPECT_EQ(world.randState, 1u) << "case: step " << n << " fails, no fly placed";
        releaseDisplay();
        EXPECT_EQ(deviceFaults.liveObjects, 0) << "case: step " << n << " fails, after release";
        EXPECT_FALSE(headlessHost.displayOpen) << "case: step " << n << " fails, the screen given back";
    }
    // No display at all: named as such.
    resetHeadless();
    headlessHost.displayAvailable = false;
    EXPECT_NE(stderrOf([] { EXPECT_EQ(initDisplay(), 0); }).find("cannot open the display"), std::string::npos);
}

}  // namespace
