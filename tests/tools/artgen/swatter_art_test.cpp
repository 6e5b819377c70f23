// The swatter is the player's pointer: wherever it goes on the table it must
// stand out from what lies beneath, fill its cell, and wear a colour the
// picture never uses. Measured on the generated hk.bmp and pt.bmp.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/tools/artgen/colour_measure.h"
#include "tools/artgen/art_bmp.h"

namespace {

constexpr int32_t kCell = 32;
constexpr int32_t kFieldWidth = 640;
constexpr int32_t kFieldHeight = 448;  // the status panel below is never drawn over
constexpr int32_t kPointerBottom = 480;
// Non-text contrast asked of user-interface graphics (WCAG 2.1, 1.4.11): the
// least luminance ratio at which a thin edge is reliably seen.
constexpr double kEdgeContrast = 3.0;

struct Art {
    IndexedImage sheet, background;
    std::array<Rgb, 256> colours{};
    bool loaded = false;
    std::string reason;  // why not
};

const Art& art() {
    static const Art loaded = [] {
        Art a;
        std::array<Rgb, 256> unused{};
        a.loaded = readArtBmp(NMNM_BUILD_DIR "/bin/pt.bmp", &a.sheet, &a.colours, &a.reason) &&
                   readArtBmp(NMNM_BUILD_DIR "/bin/hk.bmp", &a.background, &unused, &a.reason);
        // The game shows entry 0 as black and 255 as white whatever the file says.
        a.colours[0] = {0, 0, 0};
        a.colours[255] = {255, 255, 255};
        return a;
    }();
    return loaded;
}

ScreenColour colour(uint8_t index) {
    const Rgb& c = art().colours[index];
    return {c.r, c.g, c.b};
}

// One swatter picture with its silhouette: `outside` marks clear pixels that
// the outside reaches (holes in the mesh are not outside), `rim` the opaque
// pixels that touch the outside.
struct Picture {
    uint8_t at[kCell][kCell];
    bool outside[kCell][kCell];
    std::vector<std::pair<int32_t, int32_t>> rim;
};

Picture swatter(int frame) {
    Picture p{{}, {}, {}};
    for (int32_t y = 0; y < kCell; ++y)
        for (int32_t x = 0; x < kCell; ++x) p.at[y][x] = art().sheet.at(32 + kCell * frame + x, 32 + y);
    std::vector<std::pair<int32_t, int32_t>> todo;
    for (int32_t i = 0; i < kCell; ++i)
        for (auto [x, y] : {std::pair{i, 0}, {i, kCell - 1}, {0, i}, {kCell - 1, i}}) todo.push_back({x, y});
    while (!todo.empty()) {
        auto [x, y] = todo.back();
        todo.pop_back();
        if (x < 0 || y < 0 || x >= kCell || y >= kCell || p.outside[y][x] || p.at[y][x] != 0) continue;
        p.outside[y][x] = true;
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) todo.push_back({x + dx, y + dy});
    }
    const auto out = [&](int32_t x, int32_t y) {
        return x < 0 || y < 0 || x >= kCell || y >= kCell || p.outside[y][x];
    };
    for (int32_t y = 0; y < kCell; ++y)
        for (int32_t x = 0; x < kCell; ++x)
            if (p.at[y][x] != 0 && (out(x - 1, y) || out(x + 1, y) || out(x, y - 1) || out(x, y + 1)))
                p.rim.push_back({x, y});
    return p;
}

uint8_t field(int32_t x, int32_t y) { return art().background.at(x, y); }

bool onField(int32_t x, int32_t y) { return x >= 0 && y >= 0 && x < kFieldWidth && y < kFieldHeight; }

std::string at(int32_t x, int32_t y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

// The colour most of the picture's pixels wear: the head's.
uint8_t mainColour(const Picture& p) {
    std::map<uint8_t, int> count;
    for (int32_t y = 0; y < kCell; ++y)
        for (int32_t x = 0; x < kCell; ++x)
            if (p.at[y][x] != 0) ++count[p.at[y][x]];
    return std::max_element(count.begin(), count.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

// Rows where the silhouette is wider than the handle ever is: the head.
int headRows(const Picture& p) {
    int rows = 0;
    for (int32_t y = 0; y < kCell; ++y) {
        int32_t left = kCell, right = -1;
        for (int32_t x = 0; x < kCell; ++x)
            if (!p.outside[y][x]) left = std::min(left, x), right = std::max(right, x);
        rows += right - left + 1 > 12;
    }
    return rows;
}

}  // namespace

// A rim pixel shows where the swatter ends if its own colour, or that of a
// swatter pixel touching it, has at least 3 : 1 luminance contrast with the
// field pixel it covers. So a near-black outline may melt into a dark seam as
// long as the light frame just inside it stands out there, and the other way
// round on white cloud. Checked at every pointer position the game allows
// (the whole 640 x 480 picture), on every field pixel the rim reaches.
TEST(SwatterArt, EveryRimPixelShowsAtEveryPointerPosition) {
    ASSERT_TRUE(art().loaded) << art().reason << " (build the art first)";
    for (int frame = 0; frame < 3; ++frame) {
        const Picture p = swatter(frame);
        // Best contrast each rim pixel can offer against each palette entry.
        std::vector<std::array<float, 256>> best(p.rim.size());
        for (size_t k = 0; k < p.rim.size(); ++k) {
            const auto [rx, ry] = p.rim[k];
            for (int c = 0; c < 256; ++c) {
                float most = 0.0f;
                for (int32_t y = std::max(0, ry - 1); y <= std::min(kCell - 1, ry + 1); ++y)
                    for (int32_t x = std::max(0, rx - 1); x <= std::min(kCell - 1, rx + 1); ++x)
                        if (p.at[y][x] != 0)
                            most = std::max(most, static_cast<float>(contrastRatio(colour(p.at[y][x]),
                                                                                   colour(static_cast<uint8_t>(c)))));
                best[k][static_cast<size_t>(c)] = most;
            }
        }
        float worst = 100.0f;
        int32_t worstX = 0, worstY = 0;
        size_t worstRim = 0;
        for (int32_t py = 0; py < kPointerBottom; ++py) {
            for (int32_t px = 0; px < kFieldWidth; ++px) {
                for (size_t k = 0; k < p.rim.size(); ++k) {
                    const int32_t bx = px - 16 + p.rim[k].first, by = py - 16 + p.rim[k].second;
                    if (!onField(bx, by)) continue;
                    const float ratio = best[k][field(bx, by)];
                    if (ratio < worst) worst = ratio, worstX = px, worstY = py, worstRim = k;
                }
            }
        }
        const auto [rx, ry] = p.rim[worstRim];
        EXPECT_GE(worst, kEdgeContrast) << "case: picture " << frame << ", pointer at " << at(worstX, worstY)
                                        << ", rim pixel " << at(rx, ry) << " over field pixel "
                                        << at(worstX - 16 + rx, worstY - 16 + ry);
    }
}

// The head is told from the table by its colour as much as by its edge: on
// average over the head's inside (rim aside, mesh holes show the field) the
// CIEDE2000 difference from the field pixels beneath is at least 15. Above
// about 10 two patches read as different colours rather than shades of one;
// 15 leaves room for the parts of the head that do sit on a near colour.
// Checked on a two-pixel grid of every place where the whole swatter is on
// the field.
TEST(SwatterArt, HeadColourStandsApartFromTheFieldBeneath) {
    ASSERT_TRUE(art().loaded) << art().reason << " (build the art first)";
    constexpr double kLeastMean = 15.0;
    std::array<Lab, 256> lab{};
    for (size_t i = 0; i < 256; ++i) lab[i] = toLab(colour(static_cast<uint8_t>(i)));
    for (int frame = 0; frame < 3; ++frame) {
        const Picture p = swatter(frame);
        bool rim[kCell][kCell] = {};
        for (auto [x, y] : p.rim) rim[y][x] = true;
        std::vector<std::pair<int32_t, int32_t>> inside;
        std::vector<std::array<float, 256>> difference;
        for (int32_t y = 0; y < kCell; ++y) {
            for (int32_t x = 0; x < kCell; ++x) {
                if (p.at[y][x] == 0 || rim[y][x]) continue;
                inside.push_back({x, y});
                std::array<float, 256> d{};
                for (size_t c = 0; c < 256; ++c) d[c] = static_cast<float>(deltaE2000(lab[p.at[y][x]], lab[c]));
                difference.push_back(d);
            }
        }
        ASSERT_FALSE(inside.empty()) << "case: picture " << frame << " has no inside";
        double worst = 1e9;
        int32_t worstX = 0, worstY = 0;
        for (int32_t py = 16; py + 16 <= kFieldHeight; py += 2) {
            for (int32_t px = 16; px + 16 <= kFieldWidth; px += 2) {
                double sum = 0.0;
                for (size_t k = 0; k < inside.size(); ++k)
                    sum += difference[k][field(px - 16 + inside[k].first, py - 16 + inside[k].second)];
                const double mean = sum / static_cast<double>(inside.size());
                if (mean < worst) worst = mean, worstX = px, worstY = py;
            }
        }
        EXPECT_GE(worst, kLeastMean) << "case: picture " << frame << ", pointer at " << at(worstX, worstY);
    }
}

// The colour most of the head is made of appears nowhere on the field, not
// even close: at least 10 CIEDE2000 from every colour the field uses.
TEST(SwatterArt, HeadIsAColourTheFieldNeverUses) {
    ASSERT_TRUE(art().loaded) << art().reason << " (build the art first)";
    const uint8_t head = mainColour(swatter(0));
    const Lab headLab = toLab(colour(head));
    double nearest = 1e9;
    int32_t nearestX = 0, nearestY = 0;
    std::array<bool, 256> seen{};
    for (int32_t y = 0; y < kFieldHeight; ++y) {
        for (int32_t x = 0; x < kFieldWidth; ++x) {
            if (seen[field(x, y)]) continue;
            seen[field(x, y)] = true;
            const double d = deltaE2000(headLab, toLab(colour(field(x, y))));
            if (d < nearest) nearest = d, nearestX = x, nearestY = y;
        }
    }
    EXPECT_GE(nearest, 10.0) << "case: head colour " << int{head} << " against the field colour at "
                             << at(nearestX, nearestY);
}

// A fly is hit when its centre is within 23 pixels of the pointer on both
// axes, so every fly touching the 32 x 32 cell is hit: the head should cover
// as much of the cell as the handle leaves. The raised picture is tipped away,
// so its head is shorter, which is what makes the three read as a swing.
TEST(SwatterArt, HeadFillsTheCellAtRestAndAtTheStrike) {
    ASSERT_TRUE(art().loaded) << art().reason << " (build the art first)";
    int rows[3] = {};
    for (int frame = 0; frame < 3; ++frame) {
        const Picture p = swatter(frame);
        rows[frame] = headRows(p);
        int32_t left = kCell, right = -1, covered = 0;
        for (int32_t y = 0; y < kCell; ++y)
            for (int32_t x = 0; x < kCell; ++x)
                if (!p.outside[y][x]) left = std::min(left, x), right = std::max(right, x), ++covered;
        EXPECT_EQ(left, 1) << "case: picture " << frame << ", leftmost column";
        EXPECT_EQ(right, kCell - 2) << "case: picture " << frame << ", rightmost column";
        if (frame != 1) {
            EXPECT_GE(covered, 30 * 30 * 3 / 4) << "case: picture " << frame << ", pixels covered";
        }
    }
    EXPECT_GE(rows[0], 22) << "case: head height at rest";
    EXPECT_GE(rows[2], 22) << "case: head height at the strike";
    EXPECT_LT(rows[1], rows[0] - 4) << "case: the raised head against the head at rest";
}
