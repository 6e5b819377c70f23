#include <gtest/gtest.h>

#include <string>

#include "display/display_objects.h"
#include "display/palette_fade.h"
#include "platform/headless/headless_host.h"
#include "tests/support/test_support.h"

namespace {

// One check per channel, each naming the case.
void expectColour(const PaletteEntry& got, const PaletteEntry& want, const std::string& where) {
    EXPECT_EQ(got.red, want.red) << where << ", red";
    EXPECT_EQ(got.green, want.green) << where << ", green";
    EXPECT_EQ(got.blue, want.blue) << where << ", blue";
    EXPECT_EQ(got.flags, want.flags) << where << ", flags";
}

class PaletteFade : public DisplayTest {
protected:
    static const PaletteEntry& shown(int k) { return displayObjects.palette->entries[k]; }
};

TEST_F(PaletteFade, EndsGiveTheMasterAndTheTargetAndTheEndEntriesAreFixed) {
    // The master's flags bytes are not 0 here: the shown flags must be.
    for (int k = 0; k < 256; ++k)
        displayObjects.paletteEntries[k] =
            PaletteEntry{static_cast<uint8_t>(k), static_cast<uint8_t>(255 - k), static_cast<uint8_t>(k * 3), 9};
    struct Case {
        int32_t level;
        int8_t toWhite;
    };
    // Level 0 shows the master, 255 the target; at 200 only the end entries are known.
    for (const Case c : {Case{0, 0}, {255, 0}, {255, 7}, {255, 1}, {0, 7}, {200, 5}}) {
        const std::string where = "case: level " + std::to_string(c.level) + " toWhite " + std::to_string(c.toWhite);
        const int presents = headlessHost.presentCount;
        fadePalette(c.level, c.toWhite);
        EXPECT_EQ(headlessHost.presentCount, presents + 1) << where << ": each step shows at once";
        const auto full = [&](int bit) { return static_cast<uint8_t>(c.toWhite & bit ? 255 : 0); };
        for (int k = 0; k < 256; ++k) {
            const PaletteEntry& m = displayObjects.paletteEntries[k];
            PaletteEntry want = c.level == 0 ? PaletteEntry{m.red, m.green, m.blue, 0}
                                             : PaletteEntry{full(1), full(2), full(4), 0};
            if (k == 0) want = PaletteEntry{0, 0, 0, 0};
            if (k == 255) want = PaletteEntry{255, 255, 255, 0};
            if (k == 0 || k == 255 || c.level == 0 || c.level == 255)
                expectColour(shown(k), want, where + ", entry " + std::to_string(k));
        }
    }
    EXPECT_EQ(displayObjects.paletteEntries[7].green, 248) << "the master copy itself is never changed";
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
    EXPECT_EQ(oneLower, 1230) << "case: steps one below the true blend";
    EXPECT_EQ(otherwise, 0) << "case: steps neither the true blend nor one below";
}

}  // namespace
