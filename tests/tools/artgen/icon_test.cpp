// The icon: made from the sprite sheet at build time, crisp at every size,
// clear around the art, and the very pixels the window and the Windows
// program get.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sdl/window_icon.h"
#include "tests/tools/artgen/ico_read.h"
#include "tools/artgen/art_bmp.h"
#include "tools/artgen/icon.h"
#include "tools/common/file_bytes.h"
#include "tools/common/png_write.h"

namespace {

struct Rgba {
    std::string bytes;
    int32_t width = 0, height = 0;
    uint8_t alpha(int32_t x, int32_t y) const {
        return static_cast<uint8_t>(bytes[(static_cast<size_t>(y) * width + x) * 4 + 3]);
    }
    // The four bytes of a pixel as one number, for comparing pixels whole.
    uint32_t pixel(int32_t x, int32_t y) const {
        const size_t at = (static_cast<size_t>(y) * width + x) * 4;
        return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) << 24 |
               static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 16 |
               static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 8 | alpha(x, y);
    }
};

Rgba loadIcon(int32_t size) {
    Rgba icon;
    const std::string path = std::string(NMNM_BUILD_DIR) + "/icons/nmnm-" + std::to_string(size) + ".png";
    EXPECT_TRUE(readRgbaPng(path, &icon.bytes, &icon.width, &icon.height)) << "case: cannot read " << path;
    return icon;
}

struct Sheet {
    IndexedImage picture;
    std::array<Rgb, 256> colours{};
};

Sheet loadSheet() {
    Sheet sheet;
    std::string reason;
    EXPECT_TRUE(readArtBmp(std::string(NMNM_BUILD_DIR) + "/bin/pt.bmp", &sheet.picture, &sheet.colours, &reason))
        << "case: reading the generated sprite sheet: " << reason;
    return sheet;
}

// The themed sizes and the web manifest's, every file --icons writes.
std::vector<int32_t> everySize() {
    std::vector<int32_t> sizes(kIconSizes.begin(), kIconSizes.end());
    sizes.insert(sizes.end(), kWebIconSizes.begin(), kWebIconSizes.end());
    return sizes;
}

}  // namespace

TEST(Icon, EverySizeWrittenIsTheSheetsIconAsAnRgbaPng) {
    const Sheet sheet = loadSheet();
    for (int32_t size : everySize()) {
        const Rgba file = loadIcon(size);
        EXPECT_EQ(file.width, size) << "case: width of the " << size << " icon";
        EXPECT_EQ(file.height, size) << "case: height of the " << size << " icon";
        const std::vector<uint8_t> want = iconRgba(paintIcon(sheet.picture, size), sheet.colours);
        EXPECT_TRUE(file.bytes == std::string(want.begin(), want.end()))
            << "case: the " << size << " icon is not the one pt.bmp gives (stale or miswritten)";
    }
}

TEST(Icon, EverySizeIsCrispWithAClearBackground) {
    for (int32_t size : everySize()) {
        const Rgba icon = loadIcon(size);
        if (icon.width != size || icon.height != size) continue;  // reported above
        int opaque = 0, blended = 0;
        for (int32_t y = 0; y < size; ++y) {
            for (int32_t x = 0; x < size; ++x) {
                opaque += icon.alpha(x, y) == 255;
                blended += icon.alpha(x, y) != 0 && icon.alpha(x, y) != 255;
            }
        }
        EXPECT_EQ(blended, 0) << "case: half-transparent pixels in the " << size << " icon";
        EXPECT_GT(opaque, size * size / 4) << "case: the " << size << " icon is mostly empty";
        EXPECT_LT(opaque, size * size * 3 / 4) << "case: the " << size << " icon fills its square";
        EXPECT_EQ(icon.alpha(0, 0), 0) << "case: top-left corner of the " << size << " icon";
        EXPECT_EQ(icon.alpha(size - 1, 0), 0) << "case: top-right corner of the " << size << " icon";
    }
}

TEST(Icon, LargerSizesAreWholeEnlargementsOfSmallerOnes) {
    // The fly alone below 64 pixels, the swatter with the fly from 64 up,
    // the web manifest's 192 and 512 included.
    const std::pair<int32_t, int32_t> pairs[] = {{16, 32}, {16, 48}, {64, 128}, {64, 256}, {64, 192}, {64, 512}};
    for (auto [small, large] : pairs) {
        const Rgba a = loadIcon(small), b = loadIcon(large);
        if (a.width != small || b.width != large) continue;  // reported above
        const int32_t factor = large / small;
        int differing = 0;
        for (int32_t y = 0; y < large; ++y)
            for (int32_t x = 0; x < large; ++x) differing += b.pixel(x, y) != a.pixel(x / factor, y / factor);
        EXPECT_EQ(differing, 0) << "case: " << large << " is not the " << small << " icon enlarged " << factor
                                << " times";
    }
}

TEST(Icon, FollowsTheSpritesOnTheSheet) {
    Sheet sheet = loadSheet();
    const IndexedImage before = paintIcon(sheet.picture, 64);
    // Redraw the fly (row 32, first cell) and the swatter (the 32-pixel cell
    // after the two flies) as solid squares of one colour each.
    for (int32_t y = 32; y < 48; ++y)
        for (int32_t x = 0; x < 16; ++x) sheet.picture.set(x, y, 7);
    for (int32_t y = 32; y < 64; ++y)
        for (int32_t x = 32; x < 64; ++x) sheet.picture.set(x, y, 9);
    const IndexedImage fly = paintIcon(sheet.picture, 16), both = paintIcon(sheet.picture, 64);
    EXPECT_EQ(fly.at(0, 0), 7) << "case: the small icon's corner after the fly became a solid square";
    EXPECT_EQ(fly.at(15, 15), 7) << "case: the small icon's far corner after the fly became a solid square";
    int fromFly = 0, fromSwatter = 0, changed = 0;
    for (int32_t y = 0; y < 64; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            fromFly += both.at(x, y) == 7;
            fromSwatter += both.at(x, y) == 9;
            changed += both.at(x, y) != before.at(x, y);
        }
    }
    EXPECT_GT(fromFly, 0) << "case: the 64 icon does not show the fly cell";
    EXPECT_GT(fromSwatter, 0) << "case: the 64 icon does not show the swatter cell";
    EXPECT_GT(changed, 64 * 64 / 2) << "case: most of the 64 icon should change with the sprites";
}

TEST(Icon, TheWindowGetsTheSixtyFourPixelIcon) {
    const Sheet sheet = loadSheet();
    ASSERT_EQ(kWindowIconSide, kWindowIconSize) << "case: the program's icon side and the art generator's";
    const std::vector<uint8_t> want = iconRgba(paintIcon(sheet.picture, kWindowIconSize), sheet.colours);
    int differing = 0;
    for (size_t i = 0; i < want.size(); ++i) differing += kWindowIconRgba[i] != want[i];
    EXPECT_EQ(differing, 0) << "case: the window's icon bytes against the icon pt.bmp gives";
}

// The Windows program's icon file: every installed size, each the very
// pixels of the PNG of that size, its mask clear exactly where they are.
TEST(Icon, TheWindowsIconHoldsTheLinuxPixelsAtEverySize) {
    const std::string path = std::string(NMNM_BUILD_DIR) + "/icons/nmnm.ico";
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(readBytes(path, &bytes)) << "case: cannot read " << path;
    std::vector<IcoEntry> entries;
    ASSERT_EQ(readIco(bytes, &entries), "") << "case: reading " << path;
    std::vector<int32_t> sizes;
    for (const IcoEntry& entry : entries) sizes.push_back(entry.size);
    EXPECT_EQ(sizes, std::vector<int32_t>(kIconSizes.begin(), kIconSizes.end())) << "case: the Windows icon's sizes";
    for (const IcoEntry& entry : entries) {
        const Rgba png = loadIcon(entry.size);
        if (png.width != entry.size || png.height != entry.size) continue;  // reported above
        int differing = 0, maskWrong = 0;
        for (int32_t y = 0; y < entry.size; ++y)
            for (int32_t x = 0; x < entry.size; ++x) {
                const size_t at = static_cast<size_t>(y) * static_cast<size_t>(entry.size) + static_cast<size_t>(x);
                differing += entry.rgba.compare(at * 4, 4, png.bytes, at * 4, 4) != 0;
                maskWrong += entry.maskShowsDesktop[at] != (png.alpha(x, y) == 0);
            }
        EXPECT_EQ(differing, 0) << "case: pixels of the " << entry.size << " icon, Windows against Linux";
        EXPECT_EQ(maskWrong, 0) << "case: mask of the " << entry.size << " Windows icon against the alpha";
    }
}

TEST(Icon, PlacesTheSpritesByTheirOpaquePixels) {
    // A sheet whose swatter is a 4 x 4 block deep in its cell and whose fly
    // is a 3 x 3 block in its cell's corner.
    IndexedImage sheet(256, 96, kClear);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x) sheet.set(32 + 20 + x, 32 + 20 + y, 9);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 3; ++x) sheet.set(x, 32 + y, 7);
    const IndexedImage icon = paintIcon(sheet, 32 * 2);
    // Twice as large: the swatter from pixel 1 in, the fly up to pixel 30.
    EXPECT_EQ(icon.at(1, 1), kClear) << "case: outside the swatter, top-left";
    EXPECT_EQ(icon.at(2, 2), 9) << "case: the swatter's first pixel, one in from the corner";
    EXPECT_EQ(icon.at(9, 9), 9) << "case: the swatter's last pixel";
    EXPECT_EQ(icon.at(10, 10), kClear) << "case: past the swatter";
    EXPECT_EQ(icon.at(55, 55), kClear) << "case: before the fly";
    EXPECT_EQ(icon.at(56, 56), 7) << "case: the fly's first pixel";
    EXPECT_EQ(icon.at(61, 61), 7) << "case: the fly's last pixel, one in from the corner";
    EXPECT_EQ(icon.at(62, 62), kClear) << "case: the bottom-right edge stays clear";
}

TEST(Icon, TheFlyLandsOnTheLowerEdgeOfTheSwattersHead) {
    // A swatter whose head (20 wide) fills rows 0..9 of its cell above a
    // handle 2 wide, and a fly that is a 3 x 3 block.
    IndexedImage sheet(256, 96, kClear);
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 20; ++x)
            if (y < 10 || (x >= 9 && x < 11)) sheet.set(32 + x, 32 + y, 9);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 3; ++x) sheet.set(x, 32 + y, 7);
    const IndexedImage icon = paintIcon(sheet, 32 * 2);
    // The head ends on row 10 of the layout, so the fly's last row is 11:
    // rows 22 and 23 at twice the size, right-aligned one pixel in.
    EXPECT_EQ(icon.at(61, 23), 7) << "case: the fly's last row, one below the head's edge";
    EXPECT_EQ(icon.at(61, 24), kClear) << "case: below the fly";
    EXPECT_EQ(icon.at(61, 17), kClear) << "case: above the fly";
    EXPECT_EQ(icon.at(20, 58), 9) << "case: the handle stays uncovered";
}
