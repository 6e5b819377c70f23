// The browser host's window-free pieces: the canvas's RGBA bytes and the
// wrapping tick count (where the pointer falls: page_fit_test.cpp).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/common/rgba_picture.h"
#include "platform/common/tick_count.h"

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
