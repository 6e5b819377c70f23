#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "display/bitmap_loader.h"
#include "display/display_objects.h"
#include "display/display_setup.h"
#include "game/start_up.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"
#include "tools/common/bmp_fixture.h"
#include "tests/test_support.h"

namespace {

// What the screen showed at each presentation during setup.
struct Seen {
    int presents = 0, showingBackground = 0, fliesPlaced = 0;  // the last two: presents showing hk.bmp, after a fly draw
    PaletteEntry first[256], last[256];
    const std::vector<uint8_t>* background = nullptr;
};

void record(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height, const PaletteEntry colours[256],
            void* user) {
    auto* seen = static_cast<Seen*>(user);
    std::memcpy(seen->presents++ ? seen->last : seen->first, colours, sizeof seen->first);
    seen->showingBackground += pitch == width && std::vector<uint8_t>(pixels, pixels + size_t(width) * height) == *seen->background;
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
        dir = makeScratchDir();
        ASSERT_FALSE(dir.empty());
        ASSERT_NE(getcwd(oldDir, sizeof oldDir), nullptr);
        ASSERT_EQ(chdir(dir.c_str()), 0);  // bare names are looked for here first
        ASSERT_TRUE(writeBytes("hk.bmp", makeBmp({640, 480}, hkPixels, hkColours)));
        ASSERT_TRUE(writeBytes("pt.bmp", makeBmp({256, 96}, ptPixels, ptColours)));
    }
    void TearDown() override {
        releaseDisplay();
        EXPECT_EQ(chdir(oldDir), 0);
        std::system(("rm -rf '" + dir + "'").c_str());
    }

    static void expectShownColours(const PaletteEntry* shown, const std::vector<PaletteEntry>& colours) {
        EXPECT_EQ(shown[0].red | shown[0].green | shown[0].blue, 0);
        EXPECT_EQ(shown[255].red & shown[255].green & shown[255].blue, 255);
        for (int k = 1; k < 255; ++k)
            EXPECT_EQ(std::tuple(shown[k].red, shown[k].green, shown[k].blue),
                      std::tuple(colours[k].red, colours[k].green, colours[k].blue)) << k;
    }

    std::string dir;
    char oldDir[PATH_MAX] = {};
    const std::vector<uint8_t> hkPixels = patternPixels(640, 480, 1), ptPixels = patternPixels(256, 96, 2);
    const std::vector<PaletteEntry> hkColours = patternColours(0x11), ptColours = patternColours(0x66);
};

TEST_F(DisplaySetup, LoadsBothPicturesFadesInFromBlackThenPlacesTheFirstFlies) {
    Seen seen;
    seen.background = &hkPixels;
    headlessHost.onPresent = record;
    headlessHost.onPresentUser = &seen;

    ASSERT_EQ(initDisplay(), 1);

    for (Surface* s : {displayObjects.primarySurface, displayObjects.backSurface, displayObjects.backgroundSurface, displayObjects.spriteSurface})
        EXPECT_TRUE(s->pixels == (s == displayObjects.spriteSurface ? ptPixels : hkPixels) && s->hasColorKey && s->colorKeyHigh == 0);
    // "pt.bmp" is loaded last, so its colours are the ones in use.
    // 256 fade steps, each shown, all with the picture already in place.
    EXPECT_EQ(std::tuple(seen.presents, seen.showingBackground, seen.fliesPlaced), std::tuple(256, 256, 0));
    expectShownColours(seen.first, std::vector<PaletteEntry>(256));  // black
    expectShownColours(seen.last, ptColours);
    expectShownColours(displayObjects.palette->entries, ptColours);
    // Flies 0 and 1 are placed after the fade (none during it), from the generator's first draws.
    EXPECT_EQ(std::tuple(world.flyY[0], world.flyHeading[0], world.flyY[1], world.flyHeading[1]),
              std::tuple(99.0f, 124, 44.0f, 228));

    releaseDisplay();
    releaseDisplay();  // a second call finds nothing to release
    EXPECT_EQ(std::tuple(deviceFaults.liveObjects, headlessHost.displayOpen), std::tuple(0, false));
}

TEST_F(DisplaySetup, APictureThatFailsIsNamedAndKeepsTheColoursOfTheLastOneLoaded) {
    ASSERT_TRUE(writeBytes("pt.bmp", makeBmp({256, 96, 24}, {}, {})));
    const std::string said = stderrOf([] { ASSERT_EQ(initDisplay(), 1); });
    EXPECT_TRUE(said.find("pt.bmp: 24 bits per pixel") != std::string::npos && said.find('\n') == said.size() - 1) << said;
    EXPECT_EQ(displayObjects.primarySurface->pixels, hkPixels);
    expectShownColours(displayObjects.palette->entries, hkColours);
    EXPECT_NE(world.randState, 1u);
    EXPECT_NE(stderrOf([] { EXPECT_EQ(loadBitmap(displayObjects.spriteSurface, "surely-missing.bmp", 0, 0), 0); })
                  .find("surely-missing.bmp: not found"), std::string::npos);
}

TEST_F(DisplaySetup, AFailedStepReturnsZeroAndReleaseFreesExactlyWhatWasMade) {
    // For each creation step in the order they are counted (device, cooperative
    // level, display mode, primary, back buffer, background, sprite, palette):
    // how many of the display objects exist after it fails, and device objects alive.
    const int made[] = {0, 1, 1, 1, 2, 3, 4, 5}, live[] = {0, 1, 1, 1, 3, 3, 4, 5};
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        fresh(n);
        const std::string said = stderrOf([] { EXPECT_EQ(initDisplay(), 0); });
        EXPECT_TRUE(said.rfind("nmnm: display setup failed: ", 0) == 0 && said.find('\n') == said.size() - 1) << said;
        EXPECT_EQ(world.swatterRects[0].right, 64);  // the tables come first, always
        const void* objects[] = {displayObjects.directDraw,        displayObjects.primarySurface, displayObjects.backSurface,
                                 displayObjects.backgroundSurface, displayObjects.spriteSurface,  displayObjects.palette};
        for (int k = 0; k < 6; ++k) EXPECT_EQ(objects[k] != nullptr, k < made[n - 1]) << k;
        // Nothing faded or placed.
        EXPECT_EQ(std::tuple(deviceFaults.liveObjects, headlessHost.presentCount, world.randState), std::tuple(live[n - 1], 0, 1u));
        releaseDisplay();
        EXPECT_EQ(std::tuple(deviceFaults.liveObjects, headlessHost.displayOpen), std::tuple(0, false));  // the screen given back
    }
    // No display at all: named as such.
    resetHeadless();
    headlessHost.displayAvailable = false;
    EXPECT_NE(stderrOf([] { EXPECT_EQ(initDisplay(), 0); }).find("cannot open the display"), std::string::npos);
}

}  // namespace
