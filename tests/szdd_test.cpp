#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "display/bitmap_loader.h"
#include "display/display_objects.h"
#include "display/szdd.h"
#include "tests/bmp_fixture.h"
#include "tests/test_support.h"

namespace {

class CompressedBitmap : public DisplayTest {
protected:
    void SetUp() override {
        makeTestDisplay();
        dir = makeScratchDir();
        ASSERT_FALSE(dir.empty());
        pixels = patternPixels(640, 480, 11);
        colours = patternColours(21);
        plain = makeBmp({640, 480}, pixels, colours);
        ASSERT_TRUE(writeBytes(dir + "/hk.bmp", plain));
        // Debian's mscompress writes name + "_" in the SZDD form COMPRESS.EXE used.
        const std::string command = "cd '" + dir + "' && mscompress hk.bmp";
        ASSERT_EQ(std::system(command.c_str()), 0) << "mscompress is needed (scripts/setup.sh installs it)";
        packed = readBytes(dir + "/hk.bmp_");
        ASSERT_TRUE(isSzdd(packed.data(), packed.size()));
    }
    void TearDown() override {
        DisplayTest::TearDown();
        std::system(("rm -rf '" + dir + "'").c_str());
    }

    int32_t load(Surface* s, const std::vector<uint8_t>& file) {
        return loadBitmapFromMemory(s, file.data(), file.size(), 0, 0, nullptr);
    }

    std::string dir;
    std::vector<uint8_t> pixels, plain, packed;
    std::vector<PaletteEntry> colours;
};

TEST_F(CompressedBitmap, LoadsExactlyLikeItsPlainSource) {
    ASSERT_LT(packed.size(), plain.size());
    ASSERT_EQ(loadBitmap(display.backgroundSurface, (dir + "/hk.bmp").c_str(), 0, 0), 1);
    ASSERT_EQ(loadBitmap(display.backSurface, (dir + "/hk.bmp_").c_str(), 0, 0), 1);
    EXPECT_EQ(display.backgroundSurface->pixels, display.backSurface->pixels);
    EXPECT_EQ(display.backSurface->pixels, pixels);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(std::tuple(display.paletteEntries[i].red, display.paletteEntries[i].blue),
                  std::tuple(colours[i].red, colours[i].blue));
}

TEST_F(CompressedBitmap, HeaderLengthCutsLongerOutputAndShorterOutputReadsAsZero) {
    // Length 1078 + 640: only the stored bottom row of pixels is kept.
    fillAll(display.backgroundSurface, 9);
    ASSERT_EQ(load(display.backgroundSurface, withField(packed, 10, 1078 + 640)), 1);
    EXPECT_EQ(std::memcmp(&display.backgroundSurface->pixels[479 * 640], &pixels[479 * 640], 640), 0);
    EXPECT_EQ(countIndex(display.backgroundSurface, 0), 640 * 479 + std::count(pixels.begin() + 479 * 640, pixels.end(), 0));

    // A length beyond the data: the output is what there is, as a plain file.
    const std::vector<uint8_t> longer = withField(packed, 10, 0x7F000000);
    ASSERT_EQ(load(display.backSurface, longer), 1);
    EXPECT_EQ(display.backSurface->pixels, std::vector<uint8_t>(pixels.begin(), pixels.end()));
}

TEST_F(CompressedBitmap, TruncatedAndCorruptFilesFailCleanlyOrLoadWhatIsThere) {
    const size_t cuts[] = {0, 1, 7, 8, 9, 13, 14, 15, 40, 100, 1077, 1078, 5000, 100000};
    for (const std::vector<uint8_t>* whole : {&plain, &packed}) {
        for (size_t n : cuts) {
            if (n >= whole->size()) continue;
            SCOPED_TRACE(n);
            const std::vector<uint8_t> part(whole->begin(), whole->begin() + static_cast<ptrdiff_t>(n));
            // Cut before the bit count, or inside the SZDD header: refused.
            const int32_t result = load(display.backgroundSurface, part);
            EXPECT_TRUE(result == 0 || n >= (whole == &packed ? 14u : 30u));
        }
    }
    // A compression method other than 'A' is refused.
    EXPECT_EQ(load(display.backgroundSurface, withField(packed, 8, 'B')), 0);

    // Damaged bytes anywhere: whatever comes out, nothing is read or written
    // outside a buffer (the sanitizer build checks that).
    uint32_t state = 12345;
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> bad = round % 2 ? packed : plain;
        for (int k = 0; k < 4; ++k) {
            state = state * 1103515245u + 12345u;
            const size_t at = (state >> 8) % (round % 3 == 0 ? 70 : bad.size());
            bad[at] ^= static_cast<uint8_t>(state >> 24 | 1);
        }
        load(round % 4 < 2 ? display.backgroundSurface : display.spriteSurface, bad);
    }
}

TEST_F(CompressedBitmap, FailureNamesTheFileAndTheReasonOnOneLine) {
    ASSERT_TRUE(writeBytes(dir + "/deep.bmp", makeBmp({4, 4, 24}, {}, {})));
    for (auto [file, why] : {std::pair{std::string("surely-missing-picture.bmp"), "not found"},
                             {dir + "/deep.bmp", "24 bits per pixel"}}) {
        const std::string said = stderrOf([&] { EXPECT_EQ(loadBitmap(display.spriteSurface, file.c_str(), 0, 0), 0); });
        EXPECT_NE(said.find(file), std::string::npos) << said;
        EXPECT_NE(said.find(why), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    }
}

}  // namespace
