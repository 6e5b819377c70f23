// The window pixels GDI must draw again over the picture pixels that changed.
#include "platform/win32/window_pixels.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "platform/common/picture_fit.h"

namespace {

constexpr int32_t kWidth = 64;

std::string describe(const Rect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// Two ways a nearest-pixel stretch may pick the picture pixel of window pixel
// `at` (counted from the box's edge): from the pixel's leading edge, or from
// its centre as Wine's GDI does. Both sample inside the window pixel's area.
enum class Sampling { LeadingEdge, Centre };

int32_t sourceOf(int32_t at, int32_t span, int32_t size, Sampling sampling) {
    if (sampling == Sampling::LeadingEdge) return static_cast<int32_t>(int64_t{at} * size / span);
    return static_cast<int32_t>((int64_t{2} * at + 1) * size / (int64_t{2} * span));
}

}  // namespace

TEST(WindowPixels, WindowPixelsOverPicturePartsAtKnownScales) {
    // 640 x 480 on screens of 640 x 480 (1x), 1280 x 1024 (2x, bars of 32
    // rows), 1024 x 768 (1.6x) and 1920 x 1080 (2.25x, bars of 240 columns).
    const std::tuple<int32_t, int32_t, Rect, Rect> cases[] = {
        {640, 480, {16, 32, 48, 64}, {16, 32, 48, 64}},
        {1280, 1024, {16, 32, 48, 64}, {32, 96, 96, 160}},
        {1024, 768, {16, 16, 32, 32}, {25, 25, 52, 52}},
        {1024, 768, {0, 0, 5, 5}, {0, 0, 8, 8}},
        {1024, 768, {624, 464, 640, 480}, {998, 742, 1024, 768}},
        {1920, 1080, {16, 0, 32, 16}, {276, 0, 312, 36}},
        {1920, 1080, {1, 1, 2, 2}, {242, 2, 245, 5}},
        {1024, 768, {-8, -8, 700, 500}, {0, 0, 1024, 768}},
    };
    for (const auto& [w, h, part, want] : cases) {
        const Rect got = windowPixelsOver(part, letterboxRect(w, h), kScreenWidth, kScreenHeight);
        EXPECT_EQ(describe(got), describe(want)) << "case: part " << describe(part) << " on " << w << "x" << h;
    }
    EXPECT_EQ(describe(windowPixelsOver({5, 5, 5, 9}, letterboxRect(1024, 768), 640, 480)), describe({0, 0, 0, 0}))
        << "case: a part of no width";
    EXPECT_EQ(describe(windowPixelsOver({0, 0, 8, 8}, letterboxRect(0, 768), 640, 480)), describe({0, 0, 0, 0}))
        << "case: a window of no width";
    EXPECT_EQ(describe(windowPixelsOver({700, 0, 720, 8}, letterboxRect(1024, 768), 640, 480)), describe({0, 0, 0, 0}))
        << "case: a part right of the picture";
}

// On every axis length from a shrunk 20 pixels to 3.1x, for every part: each
// window pixel that shows a pixel of the part, under either sampling, lies
// inside the rectangle, and the rectangle reaches at most one pixel past
// those that do on each side.
TEST(WindowPixels, WindowPixelsOverCoverEveryPixelShowingThePart) {
    for (int32_t span = 20; span <= 200; ++span) {
        const Rect box{7, 3, 7 + span, 3 + span};
        for (int32_t left = 0; left < kWidth; left += 3)
            for (int32_t right = left + 1; right <= kWidth; right += 5) {
                const Rect part{left, 0, right, 1};
                const Rect out = windowPixelsOver(part, box, kWidth, kWidth);
                for (Sampling sampling : {Sampling::LeadingEdge, Sampling::Centre}) {
                    int32_t first = -1;
                    int32_t last = -1;
                    for (int32_t x = 0; x < span; ++x) {
                        const int32_t source = sourceOf(x, span, kWidth, sampling);
                        if (source < left || source >= right) continue;
                        if (first < 0) first = x;
                        last = x;
                    }
                    const std::string name = "case: span " + std::to_string(span) + ", columns " +
                                             std::to_string(left) + ".." + std::to_string(right) +
                                             (sampling == Sampling::Centre ? ", centre" : ", leading edge");
                    if (first < 0) continue;  // shrunk away entirely
                    ASSERT_LE(out.left, box.left + first) << name;
                    ASSERT_GE(out.right, box.left + last + 1) << name;
                    ASSERT_GE(out.left, box.left + first - 1) << name;
                    ASSERT_LE(out.right, box.left + last + 2) << name;
                }
            }
    }
}
