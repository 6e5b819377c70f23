// The generated pictures must have exactly the form and layout the game's
// loader, sprite rectangles and status bar rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "tools/common/bmp_read.h"
#include "tools/common/file_bytes.h"

namespace {

using Colour = std::tuple<int, int, int>;

struct Picture {
    BmpPicture file;
    std::array<Colour, 256> colours{};
    // Index at (x, y) counted from the top, as the game sees it.
    uint8_t at(int32_t x, int32_t y) const {
        return file.pixels[static_cast<size_t>(y) * static_cast<size_t>(file.width) + static_cast<size_t>(x)];
    }
    int opaque(int32_t l, int32_t t, int32_t r, int32_t b) const {
        int n = 0;
        for (int32_t y = t; y < b; ++y)
            for (int32_t x = l; x < r; ++x) n += at(x, y) != 0;
        return n;
    }
};

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t{b[at]} | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) | (uint32_t{b[at + 3]} << 24);
}

// Reads a generated picture as the game would, and checks the plain form on
// the way: bottom-up rows right after a full colour table, nothing after them
// (the install test paints the installed background in place at 1078).
Picture load(const char* name, int32_t width, int32_t height) {
    const std::string path = std::string(NMNM_BUILD_DIR "/bin/") + name;
    const std::string where = std::string("case: ") + name + ", ";
    Picture p;
    std::string reason;
    EXPECT_TRUE(readBmpFile(path, &p.file, &reason)) << where << reason;
    EXPECT_EQ(p.file.width, width) << where << "width";
    EXPECT_EQ(p.file.height, height) << where << "height";
    p.file.width = width;
    p.file.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (size_t i = 0; i < 256; ++i)
        p.colours[i] = {p.file.colours[i].red, p.file.colours[i].green, p.file.colours[i].blue};
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(readBytes(path, &bytes)) << where << "reading the file";
    const uint32_t size = 1078u + static_cast<uint32_t>(width * height);
    EXPECT_EQ(bytes.size(), size) << where << "file size";
    bytes.resize(size);
    EXPECT_EQ(u32(bytes, 10), 1078u) << where << "pixel offset";
    EXPECT_EQ(u32(bytes, 22), static_cast<uint32_t>(height)) << where << "height, bottom-up";
    return p;
}

}  // namespace

TEST(Art, PicturesHaveTheLayoutTheGameReliesOn) {
    const Picture sheet = load("pt.bmp", 256, 96), bg = load("hk.bmp", 640, 480);
    // One palette for both: black and white at the ends, red and blue for the
    // messages among the rest, no duplicates, every entry used.
    const auto& c = sheet.colours;
    EXPECT_EQ(c, bg.colours);
    EXPECT_EQ(c[0], (Colour{0, 0, 0})) << "case: colour 0";
    EXPECT_EQ(c[255], (Colour{255, 255, 255})) << "case: colour 255";
    for (Colour want : {Colour{255, 0, 0}, Colour{0, 0, 255}})
        EXPECT_NE(std::find(c.begin() + 1, c.end() - 1, want), c.end() - 1)
            << "case: a pure colour for the messages, " << std::get<0>(want) << "," << std::get<2>(want);
    EXPECT_EQ(std::set<Colour>(c.begin(), c.end()).size(), 256u) << "duplicate palette entries";
    std::set<uint8_t> used(sheet.file.pixels.begin(), sheet.file.pixels.end());
    used.insert(bg.file.pixels.begin(), bg.file.pixels.end());
    used.erase(0);
    used.erase(255);
    EXPECT_EQ(used.size(), 254u) << "unused palette entries";

    // Strips: no holes, and columns repeat so a bar cut to any length looks the same.
    for (auto [top, rows, width] : {std::tuple{0, 8, 256}, {8, 7, 256}, {15, 8, 192}, {23, 7, 256}})
        for (int32_t y = top; y < top + rows; ++y) {
            ASSERT_NE(sheet.at(0, y), 0) << "case: strip row " << y << ", no hole";
            for (int32_t x = 0; x < width; ++x)
                ASSERT_EQ(sheet.at(x, y), sheet.at(0, y)) << "case: strip pixel " << x << "," << y << ", as column 0";
        }
    const auto [r, g, b] = c[sheet.at(0, 19)];
    EXPECT_TRUE(b > 180 && g > r && b > r) << "the gauge must be light blue";
    // Right of the gauge strip, the spare rows and the unused corners stay clear.
    EXPECT_EQ(sheet.opaque(192, 15, 256, 23) + sheet.opaque(0, 30, 256, 32) + sheet.opaque(0, 48, 32, 64) +
                  sheet.opaque(128, 32, 256, 64),
              0)
        << "case: the sheet's spare places";

    // Every sprite cell has a transparent border (so all around its picture) and a picture.
    for (auto [left, top, size] : {std::tuple{0, 32, 16},
                                   {16, 32, 16},
                                   {32, 32, 32},
                                   {64, 32, 32},
                                   {96, 32, 32},
                                   {0, 64, 32},
                                   {32, 64, 32},
                                   {64, 64, 32},
                                   {96, 64, 32},
                                   {128, 64, 32},
                                   {160, 64, 32},
                                   {192, 64, 32},
                                   {224, 64, 32}}) {
        const int all = sheet.opaque(left, top, left + size, top + size);
        EXPECT_EQ(all, sheet.opaque(left + 1, top + 1, left + size - 1, top + size - 1))
            << "case: cell at " << left << "," << top << ", transparent border";
        EXPECT_GT(all, size) << "case: cell at " << left << "," << top << ", a picture";
    }

    // The status panel leaves plain troughs for the bars.
    for (int32_t y = 455; y < 470; ++y)
        for (int32_t x = 193; x < (y < 463 ? 608 : 449); ++x) ASSERT_EQ(bg.at(x, y), bg.at(193, 455)) << x << "," << y;
}
