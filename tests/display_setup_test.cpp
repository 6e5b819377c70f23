#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "display/display_objects.h"
#include "display/display_setup.h"
#include "game/flies.h"
#include "game/world.h"
#include "platform/headless/headless_host.h"
#include "tests/bmp_fixture.h"

namespace {

// What the screen showed at each presentation during setup.
struct Seen {
    int presents = 0;
    int showingBackground = 0;  // presents whose primary held the hk.bmp picture
    int fliesPlaced = 0;        // presents after which the generator had moved
    PaletteEntry first[256];
    PaletteEntry last[256];
    const std::vector<uint8_t>* background = nullptr;
};

void record(const Surface& primary, const Palette& palette, void* user) {
    auto* seen = static_cast<Seen*>(user);
    if (seen->presents == 0) std::memcpy(seen->first, palette.entries, sizeof seen->first);
    std::memcpy(seen->last, palette.entries, sizeof seen->last);
    ++seen->presents;
    seen->showingBackground += primary.pixels == *seen->background;
    seen->fliesPlaced += world.randState != 1;
}

class DisplaySetup : public ::testing::Test {
protected:
    void SetUp() override {
        resetWorld();
        resetHeadless();
        display = DisplayObjects{};
        deviceFaults = DeviceFaults{0, 0, 0};
        dir = makeScratchDir();
        ASSERT_FALSE(dir.empty());
        ASSERT_NE(getcwd(oldDir, sizeof oldDir), nullptr);
        ASSERT_EQ(chdir(dir.c_str()), 0);  // bare names are looked for here first
        hkPixels = patternPixels(640, 480, 1);
        ptPixels = patternPixels(256, 96, 2);
        hkColours = patternColours(0x11);
        ptColours = patternColours(0x66);
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
        for (int k = 1; k < 255; ++k) {
            EXPECT_EQ(shown[k].red, colours[k].red) << k;
            EXPECT_EQ(shown[k].green, colours[k].green) << k;
            EXPECT_EQ(shown[k].blue, colours[k].blue) << k;
        }
    }

    std::string dir;
    char oldDir[PATH_MAX] = {};
    std::vector<uint8_t> hkPixels, ptPixels;
    std::vector<PaletteEntry> hkColours, ptColours;
};

TEST_F(DisplaySetup, LoadsBothPicturesFadesInFromBlackThenPlacesTheFirstFlies) {
    Seen seen;
    seen.background = &hkPixels;
    headless.onPresent = record;
    headless.onPresentUser = &seen;

    ASSERT_EQ(initDisplay(), 1);
    EXPECT_EQ(world.flyRects[1].left, 16);  // sprite tables filled

    EXPECT_EQ(display.backgroundSurface->pixels, hkPixels);
    EXPECT_EQ(display.backSurface->pixels, hkPixels);
    EXPECT_EQ(display.primarySurface->pixels, hkPixels);
    EXPECT_EQ(display.spriteSurface->pixels, ptPixels);
    for (Surface* s : {display.primarySurface, display.backSurface, display.backgroundSurface, display.spriteSurface}) {
        EXPECT_TRUE(s->hasColorKey);
        EXPECT_EQ(s->colorKeyHigh, 0);
    }
    // "pt.bmp" is loaded last, so its colours are the ones in use.
    for (int k = 0; k < 256; ++k) EXPECT_EQ(display.paletteEntries[k].red, ptColours[k].red);

    // 256 fade steps, each shown, all with the picture already in place.
    EXPECT_EQ(seen.presents, 256);
    EXPECT_EQ(seen.showingBackground, 256);
    std::vector<PaletteEntry> black(256, PaletteEntry{0, 0, 0, 0});
    expectShownColours(seen.first, black);
    expectShownColours(seen.last, ptColours);
    expectShownColours(display.palette->entries, ptColours);

    // Flies 0 and 1 are placed after the fade, from the generator's first draws.
    EXPECT_EQ(seen.fliesPlaced, 0);
    const GameWorld after = world;
    resetWorld();
    respawnFly(0);
    respawnFly(1);
    EXPECT_EQ(after.randState, world.randState);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(after.flyX[i], world.flyX[i]);
        EXPECT_EQ(after.flyY[i], world.flyY[i]);
        EXPECT_EQ(after.flyHeading[i], world.flyHeading[i]);
        EXPECT_EQ(after.flySpeed[i], world.flySpeed[i]);
    }

    releaseDisplay();
    EXPECT_EQ(deviceFaults.liveObjects, 0);
    EXPECT_FALSE(headless.displayOpen);
    releaseDisplay();  // a second call finds nothing to release
    EXPECT_EQ(deviceFaults.liveObjects, 0);
}

TEST_F(DisplaySetup, APictureThatFailsKeepsTheColoursOfTheLastOneLoaded) {
    ASSERT_TRUE(writeBytes("pt.bmp", makeBmp({256, 96, 24}, {}, {})));
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(initDisplay(), 1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("pt.bmp"), std::string::npos) << said;
    EXPECT_EQ(display.primarySurface->pixels, hkPixels);
    expectShownColours(display.palette->entries, hkColours);
    EXPECT_NE(world.randState, 1u);
}

TEST_F(DisplaySetup, AFailedStepReturnsZeroAndReleaseFreesExactlyWhatWasMade) {
    struct Step {
        const char* what;
        bool device, primary, back, background, sprite, palette;
        int live;  // device objects alive after the failure
    };
    // The creation steps in the order they are counted.
    const Step steps[] = {
        {"create", false, false, false, false, false, false, 0},
        {"cooperative level", true, false, false, false, false, false, 1},
        {"display mode", true, false, false, false, false, false, 1},
        {"primary", true, false, false, false, false, false, 1},
        {"back buffer", true, true, false, false, false, false, 3},
        {"background", true, true, true, false, false, false, 3},
        {"sprite", true, true, true, true, false, false, 4},
        {"palette", true, true, true, true, true, false, 5},
    };
    for (int n = 1; n <= 8; ++n) {
        const Step& s = steps[n - 1];
        SCOPED_TRACE(s.what);
        resetWorld();
        resetHeadless();
        display = DisplayObjects{};
        deviceFaults = DeviceFaults{n, 0, 0};
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(initDisplay(), 0);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(said.rfind("nmnm: display setup failed: ", 0), 0u) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;

        EXPECT_EQ(world.swatterRects[0].right, 64);  // the tables come first, always
        EXPECT_EQ(display.directDraw != nullptr, s.device);
        EXPECT_EQ(display.primarySurface != nullptr, s.primary);
        EXPECT_EQ(display.backSurface != nullptr, s.back);
        EXPECT_EQ(display.backgroundSurface != nullptr, s.background);
        EXPECT_EQ(display.spriteSurface != nullptr, s.sprite);
        EXPECT_EQ(display.palette != nullptr, s.palette);
        EXPECT_EQ(deviceFaults.liveObjects, s.live);
        EXPECT_EQ(headless.presentCount, 0);  // nothing loaded, nothing faded
        EXPECT_EQ(world.randState, 1u);

        releaseDisplay();
        EXPECT_EQ(deviceFaults.liveObjects, 0);
        EXPECT_FALSE(headless.displayOpen);  // the screen is given back
    }

    // No display at all: named as such.
    resetHeadless();
    headless.displayAvailable = false;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(initDisplay(), 0);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("cannot open the display"), std::string::npos);
}

}  // namespace
