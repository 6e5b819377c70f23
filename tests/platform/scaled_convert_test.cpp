#include "platform/scaled_convert.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "display/present_convert.h"
#include "platform/picture_fit.h"

namespace {

Surface makePicture(int32_t width, int32_t height, int32_t pitch) {
    Surface s{};
    std::tie(s.width, s.height, s.pitch) = std::tuple(width, height, pitch);
    s.pixels.assign(static_cast<size_t>(pitch) * height, 0);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) s.pixels[y * pitch + x] = static_cast<uint8_t>(x * 7 + y * 13);
    return s;
}

Palette makePalette() {
    Palette p{};
    for (int i = 0; i < 256; ++i)
        p.entries[i] = PaletteEntry{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i ^ 0x5A), 0};
    return p;
}

}  // namespace

TEST(ScaledConvert, EveryOutputPixelShowsThePixelTheCursorMapsTo) {
    const Surface picture = makePicture(640, 480, 648);
    const Palette palette = makePalette();
    std::vector<uint32_t> plain(640 * 480);
    convertToRgb32(picture, palette, plain.data(), 640);
    // One to one, enlarged unevenly, shrunk, barely enlarged; always within a wider pitch.
    // (The texture always has the letterbox size, so every size here is 4:3.)
    for (auto [w, h] : {std::pair{640, 480}, {1024, 768}, {1440, 1080}, {320, 240}, {644, 483}}) {
        const int pitch = w + 3;
        std::vector<uint32_t> out(static_cast<size_t>(pitch) * h, 0xDEADBEEF);
        ScaleMap map;
        makeScaleMap(map, 640, 480, w, h);
        convertScaledToRgb32(picture, palette, map, out.data(), pitch);
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < pitch; ++x) {
                const Point p = mapToPicture({x, y}, w, h);  // nothing past the row
                wrong += out[y * pitch + x] != (x < w ? plain[p.y * 640 + p.x] : 0xDEADBEEF);
            }
        EXPECT_EQ(wrong, 0) << w << " x " << h;
    }
}

TEST(ScaledConvert, RefusesAPictureOfAnotherSizeOrShortPixels) {
    const Palette palette = makePalette();
    ScaleMap map;
    std::vector<uint32_t> out(100 * 100, 7);
    Surface shortPixels = makePicture(640, 480, 640);
    shortPixels.pixels.resize(1000);
    // Another size, too few pixels, and no output at all: nothing is written.
    for (auto [picture, width] : {std::pair{makePicture(320, 240, 320), 100}, {shortPixels, 100}, {makePicture(640, 480, 640), 0}}) {
        makeScaleMap(map, 640, 480, width, 100);
        convertScaledToRgb32(picture, palette, map, out.data(), 100);
    }
    EXPECT_EQ(out, std::vector<uint32_t>(100 * 100, 7));
}
