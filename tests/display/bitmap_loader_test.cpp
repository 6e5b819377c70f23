#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "display/bitmap_loader.h"
#include "display/display_objects.h"
#include "tests/support/test_support.h"
#include "tools/common/bmp_fixture.h"

namespace {

class BitmapLoader : public DisplayTest {
protected:
    int32_t load(Surface* s, const std::vector<uint8_t>& file, int32_t x = 0, int32_t y = 0) {
        reason.clear();
        return loadBitmapFromMemory(s, file.data(), file.size(), x, y, &reason);
    }

    // True when the surface holds `pixels` (width w, top row first) in the
    // rectangle of w x h at (x, y).
    static ::testing::AssertionResult holds(const Surface* s, const std::vector<uint8_t>& pixels, int32_t picWidth,
                                            int32_t x, int32_t y, int32_t w, int32_t h) {
        for (int32_t r = 0; r < h; ++r)
            for (int32_t c = 0; c < w; ++c)
                if (pixelAt(s, x + c, y + r) != pixels[static_cast<size_t>(r) * picWidth + c])
                    return ::testing::AssertionFailure() << "differs at picture (" << c << ", " << r << ")";
        return ::testing::AssertionSuccess();
    }

    std::string reason;
};

// The game's own layout (640 x 480, bottom-up, a full table) is display
// setup's test, every pixel and colour; here the layouts of other tools.
TEST_F(BitmapLoader, LargerPicturesAreCutToThePitchAndHeightSmallerLeaveTheRestAsItWas) {
    // Picture size, where it goes, the part of it that lands.
    for (auto [w, h, x, y, cutW, cutH] :
         {std::tuple{300, 100, 0, 0, 256, 96}, {300, 100, 200, 60, 56, 36}, {8, 6, 16, 32, 8, 6}}) {
        const auto pixels = patternPixels(w, h, 100);
        fillAll(displayObjects.spriteSurface, 77);
        ASSERT_EQ(load(displayObjects.spriteSurface, makeBmp({w, h}, pixels, patternColours(0)), x, y), 1) << reason;
        EXPECT_TRUE(holds(displayObjects.spriteSurface, pixels, w, x, y, cutW, cutH)) << w << " at " << x << "," << y;
        int untouched = 0;
        for (int32_t v = 0; v < 96; ++v)
            for (int32_t u = 0; u < 256; ++u)
                untouched += (u < x || v < y || u >= x + cutW || v >= y + cutH) &&
                             pixelAt(displayObjects.spriteSurface, u, v) == 77;
        EXPECT_EQ(untouched, 256 * 96 - cutW * cutH) << w << " at " << x << "," << y;
    }
}

TEST_F(BitmapLoader, LayoutsOfOrdinaryToolsLoadWithTheirTruePixels) {
    struct Case {
        const char* what;
        BmpSpec spec;
    };
    const Case cases[] = {
        {"padded rows, width 5", {5, 3, 8, 0, 40, 256, 0, 0}},
        {"padded rows, width 7, top-down", {7, -4, 8, 0, 40, 256, 0, 0}},
        {"top-down", {8, -6, 8, 0, 40, 256, 0, 0}},
        {"V4 header", {6, 5, 8, 0, 108, 256, 0, 0}},
        {"V5 header, gap before the pixels", {9, 3, 8, 0, 124, 256, 256, 12}},
        {"16-entry table", {4, 4, 8, 0, 40, 16, 16, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int32_t rows = c.spec.height < 0 ? -c.spec.height : c.spec.height;
        const auto pixels = patternPixels(c.spec.width, rows, 40);
        const auto colours = patternColours(7);
        fillAll(displayObjects.spriteSurface, 0);
        ASSERT_EQ(load(displayObjects.spriteSurface, makeBmp(c.spec, pixels, colours)), 1) << reason;
        EXPECT_TRUE(holds(displayObjects.spriteSurface, pixels, c.spec.width, 0, 0, c.spec.width, rows));
        EXPECT_EQ(pixelAt(displayObjects.spriteSurface, c.spec.width, 0), 0);  // no padding byte copied
        for (uint32_t i = 0; i < 256; ++i)
            EXPECT_EQ(displayObjects.paletteEntries[i].green, i < c.spec.tableEntries ? colours[i].green : 0) << i;
    }
}

TEST_F(BitmapLoader, RefusedFilesLeaveTheSurfaceAndColoursUntouched) {
    const auto good = makeBmp({8, 8}, patternPixels(8, 8, 1), patternColours(1));
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
    };
    const Case cases[] = {
        {"24 bits per pixel", makeBmp({8, 8, 24}, {}, {})},
        {"4 bits per pixel", makeBmp({8, 8, 4}, {}, {})},
        {"RLE8", makeBmp({8, 8, 8, 1}, {}, {})},
        {"no BM signature", withField(good, 0, 0x4D42'4E50)},
        {"OS/2 header", withField(good, 14, 12)},
        {"zero width", withField(good, 18, 0)},
        {"negative width", withField(good, 18, 0xFFFFFFF8)},
        {"zero height", withField(good, 22, 0)},
        {"most negative height", withField(good, 22, 0x80000000)},
        {"pixels inside the header", withField(good, 10, 20)},
        {"pixel offset far beyond", withField(good, 10, 0xFFFFFFF0)},
        {"huge width and height", withField(withField(good, 18, 0x7FFFFFFF), 22, 0x7FFFFFFF)},
        {"huge top-down", withField(withField(good, 18, 0x10000), 22, 0xFFFF0000)},
        {"empty", {}},
        {"file header only", std::vector<uint8_t>(good.begin(), good.begin() + 14)},
        {"busy surface", good},
    };
    fillAll(displayObjects.spriteSurface, 9);
    PaletteEntry before[256];
    std::memcpy(before, displayObjects.paletteEntries, sizeof before);
    SurfaceLock lock{};
    for (const Case& c : cases) {
        // The last case is a good file for a busy surface: it fails although the whole file was read.
        if (&c == std::end(cases) - 1) {
            ASSERT_EQ(surfaceLock(displayObjects.spriteSurface, &lock), DD_OK);
        }
        EXPECT_EQ(load(displayObjects.spriteSurface, c.file), 0) << c.what;
        EXPECT_FALSE(reason.empty()) << c.what;
        EXPECT_EQ(countIndex(displayObjects.spriteSurface, 9), 256 * 96) << c.what;
        EXPECT_EQ(std::memcmp(before, displayObjects.paletteEntries, sizeof before), 0) << c.what;
    }
    surfaceUnlock(displayObjects.spriteSurface);
}

TEST_F(BitmapLoader, DataEndingEarlyReadsAsZero) {
    const auto pixels = patternPixels(16, 4, 1);  // indices 1 to 145, never 0
    const auto colours = patternColours(200);
    const auto full = makeBmp({16, 4}, pixels, colours);
    fillAll(displayObjects.spriteSurface, 9);

    // Cut inside the pixels: the stored bottom row and half the next survive.
    const std::vector<uint8_t> cut(full.begin(), full.begin() + 1078 + 16 + 8);
    ASSERT_EQ(load(displayObjects.spriteSurface, cut), 1) << reason;
    EXPECT_TRUE(holds(displayObjects.spriteSurface, std::vector(pixels.begin() + 48, pixels.end()), 16, 0, 3, 16, 1));
    EXPECT_TRUE(holds(displayObjects.spriteSurface, std::vector(pixels.begin() + 32, pixels.end()), 16, 0, 2, 8, 1));
    EXPECT_EQ(countIndex(displayObjects.spriteSurface, 0), 32 + 8);

    // Cut inside the colour table: what is missing is black, pixels index 0.
    const std::vector<uint8_t> shortTable(full.begin(), full.begin() + 54 + 4 * 10 + 2);
    ASSERT_EQ(load(displayObjects.spriteSurface, shortTable), 1) << reason;
    const PaletteEntry* e = displayObjects.paletteEntries;
    EXPECT_EQ(e[9].red, colours[9].red) << "case: colour 9, in the table";
    EXPECT_EQ(e[10].green, colours[10].green) << "case: colour 10, in the table";
    EXPECT_EQ(e[10].red, 0) << "case: colour 10, red";
    EXPECT_EQ(e[11].green, 0) << "case: colour 11, past the table";
    EXPECT_EQ(countIndex(displayObjects.spriteSurface, 0), 16 * 4);
}

}  // namespace
