#include <gtest/gtest.h>

#include "display/display_objects.h"
#include "display/palette_fade.h"
#include "platform/headless/headless_host.h"
#include "tests/test_support.h"

namespace {

class PaletteFade : public ::testing::Test {
protected:
    void SetUp() override { makeTestDisplay(); }
    void TearDown() override { releaseTestDisplay(); }

    // Sets every channel of entries 1 to 254 to `m`, and the ends to colours
    // the fade must ignore.
    static void setMaster(uint8_t m) {
        for (int k = 0; k < 256; ++k) display.paletteEntries[k] = PaletteEntry{m, m, m, 0};
        display.paletteEntries[0] = PaletteEntry{12, 34, 56, 0};
        display.paletteEntries[255] = PaletteEntry{78, 90, 12, 0};
    }
    static const PaletteEntry& shown(int k) { return display.palette->entries[k]; }
};

TEST_F(PaletteFade, EndsGiveTheMasterAndTheTargetAndTheEndEntriesAreFixed) {
    for (int k = 0; k < 256; ++k)
        display.paletteEntries[k] = PaletteEntry{static_cast<uint8_t>(k), static_cast<uint8_t>(255 - k),
                                                 static_cast<uint8_t>(k * 3), 0};
    struct Case {
        int32_t level;
        int8_t toWhite;
    };
    for (const Case c : {Case{0, 0}, Case{255, 0}, Case{255, 7}, Case{255, 1}, Case{0, 7}, Case{200, 5}}) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " toWhite " << int{c.toWhite});
        const int presents = headless.presentCount;
        fadePalette(c.level, c.toWhite);
        EXPECT_EQ(headless.presentCount, presents + 1);  // each step shows at once
        // Entries 0 and 255 are black and white whatever the master holds.
        EXPECT_EQ(shown(0).red + shown(0).green + shown(0).blue + shown(0).flags, 0);
        EXPECT_EQ(shown(255).red & shown(255).green & shown(255).blue, 255);
        EXPECT_EQ(shown(255).flags, 0);
        for (int k = 1; k < 255; ++k) {
            const PaletteEntry& m = display.paletteEntries[k];
            if (c.level == 0) {
                EXPECT_EQ(shown(k).red, m.red);
                EXPECT_EQ(shown(k).green, m.green);
                EXPECT_EQ(shown(k).blue, m.blue);
            } else if (c.level == 255) {
                EXPECT_EQ(shown(k).red, c.toWhite & 1 ? 255 : 0);
                EXPECT_EQ(shown(k).green, c.toWhite & 2 ? 255 : 0);
                EXPECT_EQ(shown(k).blue, c.toWhite & 4 ? 255 : 0);
            }
            EXPECT_EQ(shown(k).flags, 0);
        }
    }
    // The master copy itself is never changed.
    EXPECT_EQ(display.paletteEntries[7].green, 248);
}

TEST_F(PaletteFade, StepsFollowTheSinglePrecisionFactor) {
    struct Case {
        uint8_t master;
        int32_t level;
        int8_t toWhite;
        uint8_t expected;
    };
    const Case cases[] = {
        {200, 128, 0, 99}, {255, 1, 0, 253}, {3, 85, 0, 1}, {0, 128, 7, 128}, {100, 51, 7, 131},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int{c.master} << " at " << c.level);
        setMaster(c.master);
        fadePalette(c.level, c.toWhite);
        EXPECT_EQ(shown(1).red, c.expected);
        EXPECT_EQ(shown(254).blue, c.expected);
    }
}

TEST_F(PaletteFade, TwelveHundredThirtyPairsTowardBlackComeOutOneBelowTheTrueBlend) {
    // Entry k carries master k - 1 in red and k + 1 in green: all of 0 to 255.
    for (int k = 1; k < 255; ++k)
        display.paletteEntries[k] = PaletteEntry{static_cast<uint8_t>(k - 1), static_cast<uint8_t>(k + 1), 0, 0};
    int oneLower = 0;
    int otherwise = 0;
    for (int32_t level = 0; level < 256; ++level) {
        fadePalette(level, 0);
        for (int m = 0; m < 256; ++m) {
            const int got = m <= 253 ? shown(m + 1).red : shown(m - 1).green;
            const int exact = m * (255 - level) / 255;
            oneLower += got == exact - 1;
            otherwise += got != exact && got != exact - 1;
        }
    }
    EXPECT_EQ(oneLower, 1230);
    EXPECT_EQ(otherwise, 0);
}

TEST_F(PaletteFade, TowardWhiteEveryStepIsTheTrueBlendRoundedDown) {
    for (int k = 1; k < 255; ++k) display.paletteEntries[k] = PaletteEntry{static_cast<uint8_t>(k), 0, 0, 0};
    for (int32_t level = 0; level < 256; level += 3) {
        fadePalette(level, 1);
        for (int m = 1; m < 255; ++m) EXPECT_EQ(shown(m).red, m + (255 - m) * level / 255) << m << " at " << level;
    }
}

}  // namespace
