#include <gtest/gtest.h>

#include <tuple>

#include "display/display_objects.h"
#include "display/palette_fade.h"
#include "platform/headless/headless_host.h"
#include "tests/test_support.h"

namespace {

auto rgbf(const PaletteEntry& e) { return std::tuple(e.red, e.green, e.blue, e.flags); }

class PaletteFade : public DisplayTest {
protected:
    // Sets every channel of entries 1 to 254 to `m`, and the ends to colours
    // the fade must ignore.
    static void setMaster(uint8_t m) {
        for (int k = 0; k < 256; ++k) displayObjects.paletteEntries[k] = PaletteEntry{m, m, m, 0};
        displayObjects.paletteEntries[0] = PaletteEntry{12, 34, 56, 0};
        displayObjects.paletteEntries[255] = PaletteEntry{78, 90, 12, 0};
    }
    static const PaletteEntry& shown(int k) { return displayObjects.palette->entries[k]; }
};

TEST_F(PaletteFade, EndsGiveTheMasterAndTheTargetAndTheEndEntriesAreFixed) {
    for (int k = 0; k < 256; ++k)
        displayObjects.paletteEntries[k] = PaletteEntry{static_cast<uint8_t>(k), static_cast<uint8_t>(255 - k),
                                                 static_cast<uint8_t>(k * 3), 0};
    // Level 0 shows the master, 255 the target; 200 only checks the ends and flags.
    for (const auto& [level, toWhite] : {std::pair<int32_t, int8_t>{0, 0}, {255, 0}, {255, 7}, {255, 1}, {0, 7}, {200, 5}}) {
        const int presents = headlessHost.presentCount;
        fadePalette(level, toWhite);
        EXPECT_EQ(headlessHost.presentCount, presents + 1);  // each step shows at once
        const auto full = [&](int bit) { return static_cast<uint8_t>(toWhite & bit ? 255 : 0); };
        for (int k = 0; k < 256; ++k) {
            const PaletteEntry& m = level == 0 ? displayObjects.paletteEntries[k] : shown(k);
            PaletteEntry want = level == 255 ? PaletteEntry{full(1), full(2), full(4), 0} : PaletteEntry{m.red, m.green, m.blue, 0};
            if (k == 0 || k == 255) want = PaletteEntry{static_cast<uint8_t>(k), static_cast<uint8_t>(k), static_cast<uint8_t>(k), 0};
            EXPECT_EQ(rgbf(shown(k)), rgbf(want)) << k << " at " << level << " toWhite " << int{toWhite};
        }
    }
    // The master copy itself is never changed.
    EXPECT_EQ(displayObjects.paletteEntries[7].green, 248);
}

TEST_F(PaletteFade, StepsFollowTheSinglePrecisionFactor) {
    // Master, level, toWhite, the colour shown.
    for (const auto& [master, level, toWhite, expected] : {std::tuple<uint8_t, int32_t, int8_t, uint8_t>{200, 128, 0, 99},
                                                           {255, 1, 0, 253}, {3, 85, 0, 1}, {0, 128, 7, 128}, {100, 51, 7, 131}}) {
        setMaster(master);
        fadePalette(level, toWhite);
        EXPECT_EQ(std::tuple(shown(1).red, shown(254).blue), std::tuple(expected, expected)) << int{master} << " at " << level;
    }
}

TEST_F(PaletteFade, TwelveHundredThirtyPairsTowardBlackComeOutOneBelowTheTrueBlend) {
    // Entry k carries master k - 1 in red and k + 1 in green: all of 0 to 255.
    for (int k = 1; k < 255; ++k)
        displayObjects.paletteEntries[k] = PaletteEntry{static_cast<uint8_t>(k - 1), static_cast<uint8_t>(k + 1), 0, 0};
    int oneLower = 0, otherwise = 0;
    for (int32_t level = 0; level < 256; ++level) {
        fadePalette(level, 0);
        for (int m = 0; m < 256; ++m) {
            const int got = m <= 253 ? shown(m + 1).red : shown(m - 1).green;
            const int exact = m * (255 - level) / 255;
            oneLower += got == exact - 1;
            otherwise += got != exact && got != exact - 1;
        }
    }
    EXPECT_EQ(std::tuple(oneLower, otherwise), std::tuple(1230, 0));
}

TEST_F(PaletteFade, TowardWhiteEveryStepIsTheTrueBlendRoundedDown) {
    for (int k = 1; k < 255; ++k) displayObjects.paletteEntries[k] = PaletteEntry{static_cast<uint8_t>(k), 0, 0, 0};
    for (int32_t level = 0; level < 256; level += 3) {
        fadePalette(level, 1);
        for (int m = 1; m < 255; ++m) EXPECT_EQ(shown(m).red, m + (255 - m) * level / 255) << m << " at " << level;
    }
}

}  // namespace
