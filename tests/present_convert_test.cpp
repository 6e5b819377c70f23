#include <gtest/gtest.h>

#include <vector>

#include "display/present_convert.h"

namespace {

uint32_t expected(const Palette& p, uint8_t i) {
    const PaletteEntry& e = p.entries[i];
    return 0xFF000000u | (uint32_t{e.red} << 16) | (uint32_t{e.green} << 8) | e.blue;
}

}  // namespace

// Every width (pair and eight-pixel steps with their tails), aligned and
// unaligned output, and a palette change between two calls.
TEST(PresentConvert, EveryPixelThroughThePaletteInUse) {
    Palette palette{};
    for (int i = 0; i < 256; ++i)
        palette.entries[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i * 7), 0};
    for (int32_t width : {1, 7, 8, 13, 640}) {
        Surface picture{};
        picture.width = width;
        picture.height = 5;
        picture.pitch = width + 3;
        picture.pixels.resize(static_cast<size_t>(picture.pitch) * picture.height);
        for (size_t k = 0; k < picture.pixels.size(); ++k) picture.pixels[k] = static_cast<uint8_t>(k * 37 + k / 5);
        for (int32_t shift : {0, 1}) {
            const int32_t outPitch = width + 5;
            std::vector<uint32_t> out(static_cast<size_t>(outPitch) * 5 + 4, 0xDEADBEEF);
            for (int round = 0; round < 2; ++round) {
                if (round == 1) palette.entries[picture.pixels[0]].red ^= 0x55;
                convertToRgb32(picture, palette, out.data() + shift, outPitch);
                for (int32_t y = 0; y < 5; ++y)
                    for (int32_t x = 0; x < width; ++x)
                        ASSERT_EQ(out[shift + y * outPitch + x],
                                  expected(palette, picture.pixels[static_cast<size_t>(y) * picture.pitch + x]))
                            << width << " " << x << "," << y;
                // Nothing outside the rows' widths is written.
                ASSERT_EQ(out[shift + width], 0xDEADBEEFu);
            }
        }
    }
}
