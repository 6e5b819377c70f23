// The browser host's window-free pieces: where a pointer over the scaled
// canvas falls in the picture, the canvas's RGBA bytes and the wrapping tick
// count.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <tuple>
#include <vector>

#include "platform/common/canvas_point.h"
#include "platform/common/rgba_picture.h"
#include "platform/common/tick_count.h"

TEST(CanvasPoint, ScaledBoxesEdgesAndClamping) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // x, y from the box's corner; box size; the picture pixel expected.
    const std::tuple<double, double, double, double, int, int> cases[] = {
        {0, 0, 640, 480, 0, 0},              // scale 1: the corner
        {639.9, 479.9, 640, 480, 639, 479},  // scale 1: the far pixel
        {640, 480, 640, 480, 639, 479},      // just past the far edge: clamped
        {1.24, 1.24, 800, 600, 0, 0},        // CSS scale 1.25: still the first pixel
        {1.25, 1.25, 800, 600, 1, 1},        //   the second starts at 1.25
        {400.6, 300.6, 800, 600, 320, 240},  //   the centre
        {799.9, 599.9, 800, 600, 639, 479},
        {0.5, 0.5, 320, 240, 1, 1},     // half size: two pixels a CSS pixel
        {-30, 9000, 800, 600, 0, 479},  // beyond the box: the nearest edge
        {nan, 10, 640, 480, 0, 10},     // not a number: the edge
        {inf, -inf, 640, 480, 639, 0},
        {10, 10, 0, 480, 0, 0},  // a box with no area
        {10, 10, 640, nan, 0, 0},
    };
    for (const auto& [x, y, w, h, px, py] : cases) {
        const Point p = canvasPointToPicture(x, y, w, h);
        EXPECT_EQ(p.x, px) << "point " << x << "," << y << " in a " << w << "x" << h << " box, x";
        EXPECT_EQ(p.y, py) << "point " << x << "," << y << " in a " << w << "x" << h << " box, y";
    }
    // Every pixel's centre maps back to that pixel at the page's usual scales.
    for (double scale : {1.0, 1.25, 1.5, 2.0, 0.75}) {
        int wrong = 0;
        for (int i = 0; i < 640; ++i)
            if (canvasPointToPicture((i + 0.5) * scale, (i % 480 + 0.5) * scale, 640 * scale, 480 * scale).x != i)
                ++wrong;
        EXPECT_EQ(wrong, 0) << "pixel centres at scale " << scale;
    }
}

TEST(RgbaPicture, BytesInCanvasOrderOnlyInsideTheRectangle) {
    PaletteEntry colours[256] = {};
    colours[1] = PaletteEntry{10, 20, 30, 0};
    colours[255] = PaletteEntry{255, 128, 1, 0};
    uint32_t table[256];
    buildRgbaTable(colours, table);
    uint8_t bytes[4];
    std::memcpy(bytes, &table[1], 4);
    EXPECT_EQ(bytes[0], 10) << "colour 1, red first";
    EXPECT_EQ(bytes[1], 20) << "colour 1, green";
    EXPECT_EQ(bytes[2], 30) << "colour 1, blue";
    EXPECT_EQ(bytes[3], 255) << "colour 1, opaque";

    // A 4 x 3 picture with a pitch of 6; the rectangle reaches past its
    // right and bottom edges and is clipped.
    const uint8_t pixels[18] = {1, 1, 1, 1, 9, 9, 1, 255, 255, 1, 9, 9, 1, 1, 1, 255, 9, 9};
    const IndexedPicture picture{pixels, 6, 4, 3, colours};
    std::vector<uint32_t> out(5 * 3, 0xDEADBEEF);
    convertRectToRgba(picture, table, Rect{1, 1, 10, 10}, out.data(), 5);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const uint32_t got = out[y * 5 + x];
            const bool inside = x >= 1 && x < 4 && y >= 1;
            EXPECT_EQ(got, inside ? table[pixels[y * 6 + x]] : 0xDEADBEEF) << "pixel " << x << "," << y;
        }
    // An output narrower than the picture is refused, not overrun.
    std::vector<uint32_t> narrow(3 * 3, 7);
    convertRectToRgba(picture, table, Rect{0, 0, 4, 3}, narrow.data(), 3);
    EXPECT_EQ(narrow, std::vector<uint32_t>(9, 7)) << "output pitch smaller than the picture";
}

TEST(TickCount, WholeMillisecondsWrappingAt32Bits) {
    EXPECT_EQ(tickCountOf(0.0), 0u) << "page start";
    EXPECT_EQ(tickCountOf(1234.999), 1234u) << "fractions dropped";
    EXPECT_EQ(tickCountOf(4294967295.5), 4294967295u) << "last tick before the wrap";
    EXPECT_EQ(tickCountOf(4294967296.0 + 5.25), 5u) << "wrapped once";
    EXPECT_EQ(tickCountOf(3 * 4294967296.0 + 17), 17u) << "wrapped three times";
    EXPECT_EQ(tickCountOf(-1.0), 0u) << "negative";
    EXPECT_EQ(tickCountOf(std::nan("")), 0u) << "not a number";
    EXPECT_EQ(tickCountOf(std::numeric_limits<double>::infinity()), 0u) << "infinite";
}
