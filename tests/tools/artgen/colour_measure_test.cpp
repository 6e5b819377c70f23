// The colour measures the art tests rest on, against published values.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/tools/artgen/colour_measure.h"

TEST(ColourMeasure, ContrastRatioRunsFromOneToTwentyOne) {
    EXPECT_NEAR(contrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9) << "case: black on white";
    EXPECT_NEAR(contrastRatio({255, 255, 255}, {0, 0, 0}), 21.0, 1e-9) << "case: order does not matter";
    EXPECT_NEAR(contrastRatio({90, 200, 30}, {90, 200, 30}), 1.0, 1e-12) << "case: a colour on itself";
    // Mid grey #777777 on white is the well-known 4.48 : 1.
    EXPECT_NEAR(contrastRatio({0x77, 0x77, 0x77}, {255, 255, 255}), 4.48, 0.01) << "case: #777 on white";
}

TEST(ColourMeasure, LabOfTheEndsAndPrimaries) {
    const Lab white = toLab({255, 255, 255}), black = toLab({0, 0, 0}), red = toLab({255, 0, 0});
    EXPECT_NEAR(white.l, 100.0, 0.01) << "case: white lightness";
    EXPECT_NEAR(std::abs(white.a) + std::abs(white.b), 0.0, 0.01) << "case: white is neutral";
    EXPECT_NEAR(black.l, 0.0, 1e-9) << "case: black lightness";
    EXPECT_NEAR(red.l, 53.24, 0.05) << "case: red lightness";
    EXPECT_NEAR(red.a, 80.09, 0.05) << "case: red a*";
    EXPECT_NEAR(red.b, 67.20, 0.05) << "case: red b*";
}

// Pairs from Sharma, Wu and Dalal's CIEDE2000 test data, chosen to cover the
// hue wrap, a grey, and the blue region's rotation term.
TEST(ColourMeasure, DeltaE2000MatchesPublishedPairs) {
    struct Pair {
        Lab x, y;
        double expected;
        const char* name;
    };
    const Pair pairs[] = {
        {{50.0, 2.6772, -79.7751}, {50.0, 0.0, -82.7485}, 2.0425, "pair 1, blue"},
        {{50.0, 0.0, 0.0}, {50.0, -1.0, 2.0}, 2.3669, "pair 7, a grey"},
        {{50.0, 2.5, 0.0}, {73.0, 25.0, -18.0}, 27.1492, "pair 17, large difference"},
        {{50.0, 2.5, 0.0}, {61.0, -5.0, 29.0}, 22.8977, "pair 18, hue wrap"},
        {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644, "pair 25, green"},
    };
    for (const Pair& p : pairs) {
        EXPECT_NEAR(deltaE2000(p.x, p.y), p.expected, 1e-4) << "case: " << p.name;
        EXPECT_NEAR(deltaE2000(p.y, p.x), p.expected, 1e-4) << "case: " << p.name << ", swapped";
    }
}
