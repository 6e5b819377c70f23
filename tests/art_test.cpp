// The generated pictures must have exactly the form and layout the game's
// loader, sprite rectangles and status bar rely on.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
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
    EXPECT_EQ(p.bytes[0], 'B');
    EXPECT_EQ(p.bytes[1], 'M');
    EXPECT_EQ(u32(p.bytes, 2), expected);
    EXPECT_EQ(u32(p.bytes, 10), 1078u);           // pixels right after a full colour table
    EXPECT_EQ(u32(p.bytes, 14), 40u);             // BITMAPINFOHEADER
    EXPECT_EQ(static_cast<int32_t>(u32(p.bytes, 18)), width);
    EXPECT_EQ(static_cast<int32_t>(u32(p.bytes, 22)), height);  // positive: bottom-up
    EXPECT_EQ(u16(p.bytes, 26), 1u);
    EXPECT_EQ(u16(p.bytes, 28), 8u);
    EXPECT_EQ(u32(p.bytes, 30), 0u);              // BI_RGB
    EXPECT_EQ(width % 4, 0);
    p.width = width;
    p.height = height;
    for (size_t i = 0; i < 256; ++i) {
        const size_t at = 54 + i * 4;
        p.colours[i] = {p.bytes[at + 2], p.bytes[at + 1], p.bytes[at]};
    }
    return p;
}

int luminance(const Colour& c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; }
int distance(const Colour& a, const Colour& b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

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
    bool red = false, blue = false;
    for (size_t i = 1; i < 255; ++i) {
        red = red || c[i] == Colour{255, 0, 0};
        blue = blue || c[i] == Colour{0, 0, 255};
    }
    EXPECT_TRUE(red);
    EXPECT_TRUE(blue);
    EXPECT_EQ(std::set<Colour>(c.begin(), c.end()).size(), 256u) << "duplicate palette entries";
    std::set<uint8_t> used;
    for (const Picture* p : {&sheet(), &background()})
        for (size_t i = 1078; i < p->bytes.size(); ++i) used.insert(p->bytes[i]);
    for (int i = 1; i < 255; ++i) EXPECT_TRUE(used.count(static_cast<uint8_t>(i))) << "palette entry " << i << " is unused";
}

TEST_F(ArtTest, StripsFillTheirRowsWithFourDistinctColours) {
    struct Strip {
        int32_t top, rows, width;
    };
    const Strip strips[] = {{0, 8, 256}, {8, 7, 256}, {15, 8, 192}, {23, 7, 256}};
    std::vector<Colour> middles;
    for (const Strip& s : strips) {
        for (int32_t y = s.top; y < s.top + s.rows; ++y) {
            for (int32_t x = 0; x < s.width; ++x) {
                ASSERT_NE(sheet().at(x, y), 0) << "hole in strip at " << x << "," << y;
                // A bar cut to any length must look the same, so columns repeat.
                ASSERT_EQ(sheet().at(x, y), sheet().at(0, y)) << "strip column " << x << " row " << y;
            }
        }
        EXPECT_NE(sheet().at(0, s.top), sheet().at(0, s.top + s.rows - 1)) << "strip at row " << s.top << " is flat";
        middles.push_back(sheet().colours[sheet().at(0, s.top + s.rows / 2)]);
    }
    for (size_t i = 0; i < middles.size(); ++i)
        for (size_t j = i + 1; j < middles.size(); ++j) EXPECT_GT(distance(middles[i], middles[j]), 100) << i << " vs " << j;
    const Colour gauge = middles[2];
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
        for (int32_t k = 0; k < c.size; ++k) {
            EXPECT_EQ(sheet().at(c.left + k, c.top), 0) << "top edge of cell " << c.left << "," << c.top;
            EXPECT_EQ(sheet().at(c.left + k, c.top + c.size - 1), 0) << "bottom edge of cell " << c.left << "," << c.top;
            EXPECT_EQ(sheet().at(c.left, c.top + k), 0) << "left edge of cell " << c.left << "," << c.top;
            EXPECT_EQ(sheet().at(c.left + c.size - 1, c.top + k), 0) << "right edge of cell " << c.left << "," << c.top;
        }
        EXPECT_GT(countOpaque(sheet(), c.left, c.top, c.left + c.size, c.top + c.size), c.size)
            << "cell " << c.left << "," << c.top << " is nearly empty";
    }
    // Unused corners of the sheet stay clear.
    EXPECT_EQ(countOpaque(sheet(), 0, 48, 32, 64), 0);
    EXPECT_EQ(countOpaque(sheet(), 128, 32, 256, 64), 0);
}

TEST_F(ArtTest, AnimationsChangeFromFrameToFrame) {
    auto same = [&](int32_t l1, int32_t t1, int32_t l2, int32_t t2, int32_t size) {
        for (int32_t y = 0; y < size; ++y)
            for (int32_t x = 0; x < size; ++x)
                if (sheet().at(l1 + x, t1 + y) != sheet().at(l2 + x, t2 + y)) return false;
        return true;
    };
    EXPECT_FALSE(same(0, 32, 16, 32, 16)) << "wing pictures are identical";
    EXPECT_FALSE(same(32, 32, 64, 32, 32));
    EXPECT_FALSE(same(64, 32, 96, 32, 32));
    // Splats burst over the first pictures, then fade away.
    int counts[8];
    for (int i = 0; i < 8; ++i) counts[i] = countOpaque(sheet(), 32 * i, 64, 32 * i + 32, 96);
    EXPECT_LT(counts[1], counts[3]);
    for (int i = 4; i < 8; ++i) EXPECT_LT(counts[i], counts[i - 1]) << "splat picture " << i;
}

TEST_F(ArtTest, StatusPanelLeavesPlainDarkTroughsForTheBars) {
    const Picture& bg = background();
    const uint8_t trough = bg.at(193, 455);
    EXPECT_LT(luminance(bg.colours[trough]), 40);
    auto plain = [&](int32_t l, int32_t t, int32_t r, int32_t b) {
        for (int32_t y = t; y < b; ++y)
            for (int32_t x = l; x < r; ++x)
                if (bg.at(x, y) != trough) return false;
        return true;
    };
    EXPECT_TRUE(plain(193, 455, 608, 463)) << "border line and gauge trough";
    EXPECT_TRUE(plain(193, 463, 449, 470)) << "kill and best trough";
    // Every bar stands out from the trough.
    for (int32_t row : {3, 11, 19, 26})
        EXPECT_GT(distance(sheet().colours[sheet().at(0, row)], bg.colours[trough]), 200) << "strip row " << row;
    // Labels are drawn left of the bars, on both rows.
    int ink = 0;
    for (int32_t y = 455; y < 470; ++y)
        for (int32_t x = 100; x < 190; ++x) ink += luminance(bg.colours[bg.at(x, y)]) > 120;
    EXPECT_GT(ink, 60);
}

TEST_F(ArtTest, PlayFieldMiddleIsMidToned) {
    // Flies and messages cross the middle of the field: it must be light
    // enough for a dark fly and blue lettering, dark enough for white lettering.
    const Picture& bg = background();
    long sum = 0, n = 0;
    for (int32_t y = 160; y < 320; ++y)
        for (int32_t x = 168; x < 472; ++x, ++n) sum += luminance(bg.colours[bg.at(x, y)]);
    const long mean = sum / n;
    const int flyBody = luminance(sheet().colours[sheet().at(7, 43)]);
    EXPECT_GT(mean - flyBody, 60);
    EXPECT_GT(255 - mean, 100);
    EXPECT_GT(mean, 100);
}

}  // namespace
