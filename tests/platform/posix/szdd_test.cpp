#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/data_files.h"
#include "display/bitmap_loader.h"
#include "display/display_objects.h"
#include "platform/posix/szdd.h"
#include "tests/support/test_support.h"
#include "tools/common/bmp_fixture.h"

namespace {

class CompressedBitmap : public DisplayTest {
protected:
    void SetUp() override {
        makeTestDisplay();
        dir = makeScratchDir();
        ASSERT_TRUE(!dir.empty() && writeBytes(dir + "/hk.bmp", plain));
        // Debian's mscompress writes name + "_" in the SZDD form COMPRESS.EXE used.
        ASSERT_EQ(std::system(("cd '" + dir + "' && mscompress hk.bmp").c_str()), 0)
            << "mscompress is needed (scripts/setup.sh installs it)";
        ASSERT_TRUE(readBytes(dir + "/hk.bmp_", &packed)) << "case: reading what mscompress wrote";
        ASSERT_TRUE(isSzdd(packed.data(), packed.size()) && packed.size() < plain.size());
    }
    void TearDown() override {
        DisplayTest::TearDown();
        EXPECT_EQ(std::system(("rm -rf '" + dir + "'").c_str()), 0) << "case: removing the scratch folder";
    }

    // As the game reads a file: expanded first when it is SZDD.
    int32_t load(Surface* s, const std::vector<uint8_t>& file) {
        std::vector<uint8_t> bytes = file;
        if (isSzdd(file.data(), file.size()) &&
            !expandSzdd(file.data(), file.size(), kMaxDataFileBytes, &bytes, nullptr))
            return 0;
        return loadBitmapFromMemory(s, bytes.data(), bytes.size(), 0, 0, nullptr);
    }

    std::string dir;
    const std::vector<uint8_t> pixels = patternPixels(640, 480, 11);
    const std::vector<PaletteEntry> colours = patternColours(21);
    const std::vector<uint8_t> plain = makeBmp({640, 480}, pixels, colours);
    std::vector<uint8_t> packed;
};

TEST_F(CompressedBitmap, LoadsExactlyLikeItsPlainSourceAndTheHeaderLengthRules) {
    ASSERT_EQ(loadBitmap(displayObjects.backSurface, (dir + "/hk.bmp_").c_str(), 0, 0), 1);
    EXPECT_EQ(pixelDifference(displayObjects.backSurface->pixels, pixels), "") << "case: hk.bmp_ as the game reads it";
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(displayObjects.paletteEntries[i].red, colours[i].red) << "case: colour " << i;
        EXPECT_EQ(displayObjects.paletteEntries[i].blue, colours[i].blue) << "case: colour " << i;
    }

    // Length 1078 + 640: the longer output is cut to the stored bottom row, the rest reads as zero.
    fillAll(displayObjects.backgroundSurface, 9);
    ASSERT_EQ(load(displayObjects.backgroundSurface, withField(packed, 10, 1078 + 640)), 1);
    EXPECT_EQ(std::memcmp(&displayObjects.backgroundSurface->pixels[479 * 640], &pixels[479 * 640], 640), 0)
        << "case: length one row, the bottom row";
    EXPECT_EQ(countIndex(displayObjects.backgroundSurface, 0),
              640 * 479 + std::count(pixels.begin() + 479 * 640, pixels.end(), 0))
        << "case: length one row, the rest zero";
    // A length beyond the data: the output is what there is, as a plain file.
    fillAll(displayObjects.backSurface, 9);
    ASSERT_EQ(load(displayObjects.backSurface, withField(packed, 10, 0x7F000000)), 1);
    EXPECT_EQ(pixelDifference(displayObjects.backSurface->pixels, pixels), "") << "case: length beyond the data";
}

TEST_F(CompressedBitmap, TruncatedFilesFailCleanlyOrLoadWhatIsThere) {
    // Cut inside the SZDD header, or before the bit count of what it holds: refused;
    // cut later, what is missing reads as zero.
    for (size_t n : {0, 1, 7, 8, 9, 13, 14, 15, 29, 40, 100, 1077})
        EXPECT_EQ(load(displayObjects.backgroundSurface, std::vector(packed.begin(), packed.begin() + n)),
                  n >= 100 ? 1 : 0)
            << "case: cut after " << n << " bytes";
    EXPECT_EQ(load(displayObjects.backgroundSurface, withField(packed, 8, 'B')), 0) << "case: method other than 'A'";
}

#ifdef NMNM_SANITIZED
// Damaged bytes anywhere: whatever comes out, nothing is read or written
// outside a buffer. Only the sanitizer can tell, so only its build runs this.
TEST_F(CompressedBitmap, UnderSanitizerDamagedFilesStayInsideTheirBuffers) {
    uint32_t state = 12345;
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> bad = round % 2 ? packed : plain;
        for (int k = 0; k < 4; ++k) {
            state = state * 1103515245u + 12345u;
            bad[(state >> 8) % (round % 3 == 0 ? 70 : bad.size())] ^= static_cast<uint8_t>(state >> 24 | 1);
        }
        load(round % 4 < 2 ? displayObjects.backgroundSurface : displayObjects.spriteSurface, bad);
    }
}
#endif

}  // namespace
