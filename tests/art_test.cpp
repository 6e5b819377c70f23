// The generated pictures must have exactly the form and layout the game's
// loader, sprite rectangles and status bar rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Colour {
    int r, g, b;
    bool operator<(const Colour& o) const { return std::tie(r, g, b) < std::tie(o.r, o.g, o.b); }
    bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b; }
};

struct Picture {
    std::vector<uint8_t> bytes;
    int32_t width = 0, height = 0;
    std::array<Colour, 256> colours{};
    // Index at (x, y) counted from the top, as the game sees it.
    uint8_t at(int32_t x, int32_t y) const {
        return bytes[1078 + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t{b[at]} | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) | (uint32_t{b[at + 3]} << 24);
}
uint32_t u16(const std::vector<uint8_t>& b, size_t at) { return uint32_t{b[at]} | (uint32_t{b[at + 1]} << 8); }

// Reads a generated picture and checks the exact file form on the way.
Picture load(const char* name, int32_t width, int32_t height) {
    Picture p;
    std::ifstream file(std::string(NMNM_BUILD_DIR "/bin/") + name, std::ios::binary);
    EXPECT_TRUE(file) << name << " was not generated";
    p.bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    const size_t expected = 1078 + static_cast<size_t>(width) * static_cast<size_t>(height);
    EXPECT_EQ(p.bytes.size(), expected) << name;
    if (p.bytes.size() != expected) {
        p.bytes.assign(expected, 0);
        return p;
    }
    // BM, the size, pixels right after a full colour table, a BITMAPINFOHEADER,
    // positive height (bottom-up), one plane, 8 bits, BI_RGB; rows need no padding.
    EXPECT_EQ(std::tuple(p.bytes[0], p.bytes[1], u32(p.bytes, 2), u32(p.bytes, 10), u32(p.bytes, 14)),
              std::tuple('B', 'M', expected, 1078u, 40u)) << name;
    EXPECT_EQ(std::tuple(u32(p.bytes, 18), u32(p.bytes, 22), u16(p.bytes, 26), u16(p.bytes, 28), u32(p.bytes, 30)),
              std::tuple(static_cast<uint32_t>(width), static_cast<uint32_t>(height), 1u, 8u, 0u)) << name;
    EXPECT_EQ(width % 4, 0);
    p.width = width;
    p.height = height;
    for (size_t i = 0; i < 256; ++i) {
        const size_t at = 54 + i * 4;
        p.colours[i] = {p.bytes[at + 2], p.bytes[at + 1], p.bytes[at]};
    }
    return p;
}


class ArtTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sheet_ = new Picture(load("pt.bmp", 256, 96));
        background_ = new Picture(load("hk.bmp", 640, 480));
    }
    static void TearDownTestSuite() {
        delete sheet_;
        delete background_;
    }
    static const Picture& sheet() { return *sheet_; }
    static const Picture& background() { return *background_; }

    static int countOpaque(const Picture& p, int32_t l, int32_t t, int32_t r, int32_t b) {
        int n = 0;
        for (int32_t y = t; y < b; ++y)
            for (int32_t x = l; x < r; ++x) n += p.at(x, y) != 0;
        return n;
    }

private:
    static inline Picture* sheet_ = nullptr;
    static inline Picture* background_ = nullptr;
};

TEST_F(ArtTest, BothPicturesShareOnePaletteWithTheMessageColoursAndNoWaste) {
    // The background is shown through the sprite sheet's colours.
    EXPECT_EQ(sheet().colours, background().colours);
    const auto& c = sheet().colours;
    EXPECT_EQ(c[0], (Colour{0, 0, 0}));
    EXPECT_EQ(c[255], (Colour{255, 255, 255}));
    // Red and blue must be among the entries the game shows from the file.
    EXPECT_NE(std::find(c.begin() + 1, c.end() - 1, Colour{255, 0, 0}), c.end() - 1);
    EXPECT_NE(std::find(c.begin() + 1, c.end() - 1, Colour{0, 0, 255}), c.end() - 1);
    EXPECT_EQ(std::set<Colour>(c.begin(), c.end()).size(), 256u) << "duplicate palette entries";
    std::set<uint8_t> used;
    for (const Picture* p : {&sheet(), &background()})
        for (size_t i = 1078; i < p->bytes.size(); ++i) used.insert(p->bytes[i]);
    for (int i = 1; i < 255; ++i) EXPECT_TRUE(used.count(static_cast<uint8_t>(i))) << "palette entry " << i << " is unused";
}

TEST_F(ArtTest, StripsFillTheirRows) {
    struct Strip {
        int32_t top, rows, width;
    };
    const Strip strips[] = {{0, 8, 256}, {8, 7, 256}, {15, 8, 192}, {23, 7, 256}};
    // No holes, and a bar cut to any length must look the same, so columns repeat.
    for (const Strip& s : strips)
        for (int32_t y = s.top; y < s.top + s.rows; ++y)
            for (int32_t x = 0; x < s.width; ++x)
                ASSERT_TRUE(sheet().at(x, y) != 0 && sheet().at(x, y) == sheet().at(0, y)) << x << "," << y;
    const Colour gauge = sheet().colours[sheet().at(0, 19)];
    EXPECT_TRUE(gauge.b > 180 && gauge.g > gauge.r && gauge.b > gauge.r) << "the gauge must be light blue";
    // Right of the gauge strip and the two spare rows stay clear.
    EXPECT_EQ(countOpaque(sheet(), 192, 15, 256, 23), 0);
    EXPECT_EQ(countOpaque(sheet(), 0, 30, 256, 32), 0);
}

TEST_F(ArtTest, EverySpriteCellHasAClearBorderAndAPicture) {
    struct Cell {
        int32_t left, top, size;
    };
    std::vector<Cell> cells = {{0, 32, 16}, {16, 32, 16}};
    for (int i = 0; i < 3; ++i) cells.push_back({32 + 32 * i, 32, 32});
    for (int i = 0; i < 8; ++i) cells.push_back({32 * i, 64, 32});
    for (const Cell& c : cells) {
        // The cell's border, and so all around its picture, is transparent.
        const int32_t inner = c.size - 2;
        EXPECT_EQ(countOpaque(sheet(), c.left, c.top, c.left + c.size, c.top + c.size),
                  countOpaque(sheet(), c.left + 1, c.top + 1, c.left + 1 + inner, c.top + 1 + inner))
            << "cell " << c.left << "," << c.top;
        EXPECT_GT(countOpaque(sheet(), c.left, c.top, c.left + c.size, c.top + c.size), c.size)
            << "cell " << c.left << "," << c.top << " is nearly empty";
    }
    // Unused corners of the sheet stay clear.
    EXPECT_EQ(countOpaque(sheet(), 0, 48, 32, 64), 0);
    EXPECT_EQ(countOpaque(sheet(), 128, 32, 256, 64), 0);
}

TEST_F(ArtTest, StatusPanelLeavesPlainTroughsForTheBars) {
    const Picture& bg = background();
    const uint8_t trough = bg.at(193, 455);
    for (int32_t y = 455; y < 470; ++y)
        for (int32_t x = 193; x < (y < 463 ? 608 : 449); ++x) ASSERT_EQ(bg.at(x, y), trough) << x << "," << y;
}

}  // namespace
