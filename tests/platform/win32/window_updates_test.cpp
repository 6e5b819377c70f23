#include "platform/common/window_updates.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/common/picture_fit.h"

namespace {

constexpr int32_t kWidth = 64;
constexpr int32_t kHeight = 48;

uint32_t nextRandom(uint32_t& seed, uint32_t range) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % range;
}

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

// A window as GDI keeps it: StretchDIBits of the whole picture over the
// letterbox, black bars, and the same stretch clipped to a rectangle.
struct GdiWindow {
    int32_t width = 0;
    int32_t height = 0;
    Sampling sampling = Sampling::Centre;
    std::vector<uint32_t> pixels;

    void resize(int32_t w, int32_t h) {
        width = w;
        height = h;
        pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0xDEADBEEF);  // garbage until drawn
    }
    uint32_t stretched(const std::vector<uint8_t>& picture, const uint32_t colours[256], int32_t x, int32_t y) const {
        const Rect box = letterboxRect(width, height);
        if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) return 0;  // a bar
        const int32_t sx = sourceOf(x - box.left, box.right - box.left, kWidth, sampling);
        const int32_t sy = sourceOf(y - box.top, box.bottom - box.top, kHeight, sampling);
        return colours[picture[static_cast<size_t>(sy) * kWidth + static_cast<size_t>(sx)]];
    }
    void draw(const std::vector<uint8_t>& picture, const uint32_t colours[256], const Rect& clip) {
        for (int32_t y = clip.top; y < clip.bottom; ++y)
            for (int32_t x = clip.left; x < clip.right; ++x)
                pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                    stretched(picture, colours, x, y);
    }
};

// Moves a few sprite-sized blocks, as flies and the swatter do.
void moveSprites(std::vector<uint8_t>& picture, uint32_t& seed) {
    const int count = 1 + static_cast<int>(nextRandom(seed, 4));
    for (int k = 0; k < count; ++k) {
        const int32_t left = static_cast<int32_t>(nextRandom(seed, kWidth)) - 3;
        const int32_t top = static_cast<int32_t>(nextRandom(seed, kHeight)) - 3;
        const int32_t size = 1 + static_cast<int32_t>(nextRandom(seed, 7));
        const uint8_t colour = static_cast<uint8_t>(nextRandom(seed, 256));
        for (int32_t y = top; y < top + size; ++y)
            for (int32_t x = left; x < left + size; ++x)
                if (x >= 0 && x < kWidth && y >= 0 && y < kHeight)
                    picture[static_cast<size_t>(y) * kWidth + static_cast<size_t>(x)] = colour;
    }
}

PaletteEntry entryOf(uint32_t rgb) {
    return PaletteEntry{static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb), 0};
}

}  // namespace

TEST(WindowUpdates, WindowPixelsOverPicturePartsAtKnownScales) {
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
TEST(WindowUpdates, WindowPixelsOverCoverEveryPixelShowingThePart) {
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

TEST(WindowUpdates, WholeWindowOnlyWhenItMayBeSpoiledOrEveryPixelChanged) {
    WindowUpdates updates;
    std::vector<uint8_t> picture(static_cast<size_t>(kWidth) * kHeight, 5);
    PaletteEntry colours[256] = {};
    const IndexedPicture view{picture.data(), kWidth, kWidth, kHeight, colours};
    std::vector<Rect> send;

    EXPECT_TRUE(planWindowUpdate(updates, view, 128, 96, send)) << "case: first picture";
    EXPECT_FALSE(planWindowUpdate(updates, view, 128, 96, send)) << "case: unchanged picture";
    EXPECT_TRUE(send.empty()) << "case: unchanged picture sends nothing";

    picture[static_cast<size_t>(20) * kWidth + 20] = 9;  // tile (16..32, 16..32), twice as large on screen
    EXPECT_FALSE(planWindowUpdate(updates, view, 128, 96, send)) << "case: one changed pixel";
    ASSERT_EQ(send.size(), 1u) << "case: one changed pixel";
    EXPECT_EQ(describe(send[0]), describe({32, 32, 64, 64})) << "case: one changed pixel";

    picture[static_cast<size_t>(20) * kWidth + 20] = 5;
    EXPECT_TRUE(planWindowUpdate(updates, view, 128, 100, send)) << "case: new window size";
    colours[200].green = 1;
    EXPECT_TRUE(planWindowUpdate(updates, view, 128, 100, send)) << "case: one colour changed";
    EXPECT_FALSE(planWindowUpdate(updates, view, 128, 100, send)) << "case: after the colour change";
    forgetWindowUpdates(updates);
    EXPECT_TRUE(planWindowUpdate(updates, view, 128, 100, send)) << "case: after forgetting (e.g. restored)";

    picture[0] = 1;
    EXPECT_FALSE(planWindowUpdate(updates, view, 128, 100, send)) << "case: change in the top-left corner";
    ASSERT_EQ(send.size(), 1u) << "case: change in the top-left corner";
    EXPECT_EQ(describe(send[0]), describe({0, 2, 32, 34})) << "case: change in the top-left corner, below a bar";
}

// Random runs of frames, colour changes, forgotten windows and new sizes,
// under both samplings: after every update the window, drawn whole or
// clipped to the planned rectangles, equals the whole picture stretched
// afresh, bars included.
TEST(WindowUpdates, PartialUpdatesLeaveTheWindowAsAWholeRepaintWould) {
    const int32_t sizes[][2] = {{64, 48}, {128, 96}, {100, 75}, {97, 61}, {70, 90}, {200, 110}, {31, 20}, {103, 77}};
    for (Sampling sampling : {Sampling::LeadingEdge, Sampling::Centre}) {
        uint32_t seed = sampling == Sampling::Centre ? 11u : 12u;
        WindowUpdates updates;
        GdiWindow window;
        window.sampling = sampling;
        window.resize(103, 77);
        std::vector<uint8_t> picture(static_cast<size_t>(kWidth) * kHeight);
        for (uint8_t& p : picture) p = static_cast<uint8_t>(nextRandom(seed, 256));
        uint32_t rgb[256];
        PaletteEntry colours[256];
        for (int i = 0; i < 256; ++i) {
            rgb[i] = nextRandom(seed, 0x1000000);
            colours[i] = entryOf(rgb[i]);
        }
        std::vector<Rect> send;
        for (int step = 0; step < 200; ++step) {
            const uint32_t what = nextRandom(seed, 25);
            std::string event = "frame";
            const auto* size = sizes[nextRandom(seed, 8)];
            if (what == 0 && (size[0] != window.width || size[1] != window.height)) {
                window.resize(size[0], size[1]);
                event = "new size " + std::to_string(size[0]) + "x" + std::to_string(size[1]);
            } else if (what == 1) {
                const uint32_t i = nextRandom(seed, 256);
                rgb[i] ^= 0x10101;
                colours[i] = entryOf(rgb[i]);
                event = "one colour changed";
            } else if (what == 2) {
                // Restored from the taskbar: what the window showed is gone.
                window.resize(window.width, window.height);
                forgetWindowUpdates(updates);
                event = "restored";
            } else if (what == 3) {
                event = "unchanged frame";
            } else {
                moveSprites(picture, seed);
            }
            const IndexedPicture view{picture.data(), kWidth, kWidth, kHeight, colours};
            if (planWindowUpdate(updates, view, window.width, window.height, send)) {
                window.draw(picture, rgb, Rect{0, 0, window.width, window.height});
            } else {
                for (const Rect& r : send) {
                    ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= window.width && r.bottom <= window.height)
                        << "case: step " << step << ", rectangle " << describe(r) << " inside the window";
                    window.draw(picture, rgb, r);
                }
            }
            for (int32_t y = 0; y < window.height; ++y)
                for (int32_t x = 0; x < window.width; ++x)
                    ASSERT_EQ(window.pixels[static_cast<size_t>(y) * static_cast<size_t>(window.width) +
                                            static_cast<size_t>(x)],
                              window.stretched(picture, rgb, x, y))
                        << "case: " << (sampling == Sampling::Centre ? "centre" : "leading edge") << " sampling, step "
                        << step << " (" << event << "), window " << window.width << "x" << window.height << ", pixel ("
                        << x << ", " << y << ")";
        }
    }
}
