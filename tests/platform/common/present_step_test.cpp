// The one road from a frame to a screen: the presenting step's answers, and
// a screen kept the way the hosts keep theirs (the step's parts enlarged and
// converted, everything with the bars when it says so) that always equals
// the picture enlarged afresh, in every pixel size and both samplings.
#include "platform/common/present_step.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/common/picture_enlarge.h"
#include "platform/common/picture_fit.h"

namespace {

constexpr int32_t kW = 64;
constexpr int32_t kH = 48;

uint32_t nextRandom(uint32_t& seed, uint32_t range) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % range;
}

struct Picture {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(kW * kH);
    PaletteEntry colours[256] = {};
    IndexedPicture view() const { return IndexedPicture{pixels.data(), kW, kW, kH, colours}; }
};

int32_t centreRule(int64_t at, int32_t span, int32_t size) {
    return static_cast<int32_t>((2 * at + 1) * size / (2 * int64_t{span}));
}

// A screen as a host keeps it: `bytes` per pixel, the picture letterboxed.
struct Screen {
    int32_t width;
    int32_t height;
    int32_t bytes;
    std::vector<uint8_t> pixels;
};

uint32_t pixelOf(const PaletteEntry& c) { return 0xFF000000u | (uint32_t{c.red} << 16) | (c.green << 8) | c.blue; }

// What a host does with the step's answer.
void sendTo(Screen& s, PresentStep& step, const IndexedPicture& picture, Enlargement& e, SampleRule rule) {
    const PresentSend send = planPresent(step, picture, s.width, s.height);
    if (send == PresentSend::Nothing) return;
    static uint32_t table[256];
    const Rect box = letterboxRect(s.width, s.height);
    if (send == PresentSend::Everything) {
        for (int i = 0; i < 256; ++i) table[i] = pixelOf(step.colours[i]);
        std::fill(s.pixels.begin(), s.pixels.end(), uint8_t{0});
    }
    prepareEnlargement(e, kW, kH, box.right - box.left, box.bottom - box.top, rule);
    for (const Rect& part : step.parts) {
        const Rect d = enlargedRect(e, part);
        if (d.left >= d.right) continue;
        enlargeArea(e, lastPicture(step), table, d,
                    s.pixels.data() + static_cast<size_t>(box.top + d.top) * s.width * s.bytes +
                        static_cast<size_t>(box.left + d.left) * s.bytes,
                    s.width * s.bytes, s.bytes);
    }
}

// The same picture drawn from scratch, pixel by pixel.
Screen afresh(const Screen& like, const Picture& p, SampleRule rule) {
    Screen s{like.width, like.height, like.bytes, std::vector<uint8_t>(like.pixels.size())};
    const Rect box = letterboxRect(s.width, s.height);
    for (int32_t y = box.top; y < box.bottom; ++y)
        for (int32_t x = box.left; x < box.right; ++x) {
            const int32_t sx = rule(x - box.left, box.right - box.left, kW);
            const int32_t sy = rule(y - box.top, box.bottom - box.top, kH);
            const uint32_t v = pixelOf(p.colours[p.pixels[static_cast<size_t>(sy) * kW + sx]]);
            std::memcpy(s.pixels.data() + (static_cast<size_t>(y) * s.width + x) * s.bytes, &v, s.bytes);
        }
    return s;
}

}  // namespace

TEST(PresentStep, AnswersWhatTheScreenNeeds) {
    PresentStep step;
    Picture p;
    p.colours[1] = PaletteEntry{1, 2, 3, 0};
    EXPECT_EQ(planPresent(step, p.view(), 100, 80), PresentSend::Everything) << "first picture";
    EXPECT_EQ(std::memcmp(lastPicture(step).pixels, p.pixels.data(), p.pixels.size()), 0) << "copy taken";
    EXPECT_EQ(planPresent(step, p.view(), 100, 80), PresentSend::Nothing) << "same picture";
    p.pixels[20 * kW + 40] = 1;
    ASSERT_EQ(planPresent(step, p.view(), 100, 80), PresentSend::Parts) << "one pixel";
    ASSERT_EQ(step.parts.size(), 1u) << "one pixel: one tile";
    EXPECT_EQ(step.parts[0].left, 32) << "one pixel: its tile";
    EXPECT_EQ(step.parts[0].bottom, 32) << "one pixel: its tile";
    p.colours[1].green = 9;
    EXPECT_EQ(planPresent(step, p.view(), 100, 80), PresentSend::Everything) << "new colours";
    EXPECT_EQ(step.colours[1].green, 9) << "new colours kept";
    EXPECT_EQ(planPresent(step, p.view(), 120, 80), PresentSend::Everything) << "new screen size";
    forgetScreen(step);
    EXPECT_EQ(planPresent(step, p.view(), 120, 80), PresentSend::Everything) << "after forgetting";
    EXPECT_EQ(step.parts.size(), 1u) << "everything: the whole picture";
}

// Random runs of frames, colour changes, forgotten screens and new sizes: the
// screen equals the picture enlarged afresh after every present.
TEST(PresentStep, ScreenSentOnlyPartsEqualsAFreshEnlargement) {
    uint32_t seed = 7;
    const int32_t sizes[][2] = {{64, 48}, {128, 96}, {100, 70}, {57, 80}, {200, 150}, {30, 20}};
    for (SampleRule rule : {windowSource, centreRule})
        for (int32_t bytes : {2, 3, 4}) {
            PresentStep step;
            Enlargement e;
            Picture p;
            for (int i = 0; i < 256; ++i) p.colours[i] = PaletteEntry{uint8_t(i), uint8_t(i * 3), uint8_t(i * 7), 0};
            for (uint8_t& v : p.pixels) v = static_cast<uint8_t>(nextRandom(seed, 256));
            Screen screen{64, 48, bytes, std::vector<uint8_t>(64 * 48 * bytes)};
            for (int frame = 0; frame < 60; ++frame) {
                const uint32_t what = nextRandom(seed, 20);
                if (what == 0) {
                    const auto* size = sizes[nextRandom(seed, 6)];
                    screen = Screen{size[0], size[1], bytes, std::vector<uint8_t>(size[0] * size[1] * bytes, 0x55)};
                    forgetScreen(step);
                } else if (what == 1) {
                    p.colours[nextRandom(seed, 256)].red ^= 0x40;
                }
                for (int block = nextRandom(seed, 4); block > 0; --block) {
                    const int32_t x0 = nextRandom(seed, kW - 6);
                    const int32_t y0 = nextRandom(seed, kH - 6);
                    for (int32_t y = y0; y < y0 + 6; ++y)
                        for (int32_t x = x0; x < x0 + 6; ++x) p.pixels[y * kW + x] = uint8_t(nextRandom(seed, 256));
                }
                sendTo(screen, step, p.view(), e, rule);
                const Screen want = afresh(screen, p, rule);
                ASSERT_TRUE(screen.pixels == want.pixels)
                    << "case: " << bytes << " bytes, " << (rule == windowSource ? "window" : "centre")
                    << " sampling, frame " << frame << " at " << screen.width << "x" << screen.height;
            }
        }
}

// Every width (pairs and eight-pixel steps with their tails), a pitch wider
// than the picture, aligned and unaligned output, both pixel orders.
TEST(PictureConvert, EveryPixelThroughItsColourInEitherOrder) {
    PaletteEntry colours[256];
    for (int i = 0; i < 256; ++i) colours[i] = PaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i ^ 0x5A), 0};
    std::vector<uint8_t> pixels(40 * 3);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 37);
    for (PixelOrder order : {PixelOrder::Xrgb32, PixelOrder::Rgba})
        for (int32_t width = 1; width <= 33; ++width)
            for (int32_t shift : {0, 1}) {
                std::vector<uint32_t> out(40 * 3 + 1, 0xDEADBEEF);
                convertPicture(IndexedPicture{pixels.data(), 40, width, 3, colours}, order, out.data() + shift, 40);
                for (int32_t y = 0; y < 3; ++y)
                    for (int32_t x = 0; x < 40; ++x) {
                        const PaletteEntry& c = colours[pixels[y * 40 + x]];
                        uint32_t want = 0xDEADBEEF;
                        const uint8_t rgba[4] = {c.red, c.green, c.blue, 0xFF};
                        if (x < width && order == PixelOrder::Rgba) std::memcpy(&want, rgba, 4);
                        if (x < width && order == PixelOrder::Xrgb32) want = pixelOf(c);
                        ASSERT_EQ(out[shift + y * 40 + x], want)
                            << "case: width " << width << ", shift " << shift << ", x " << x << ", y " << y
                            << (order == PixelOrder::Rgba ? ", rgba" : ", xrgb");
                    }
            }
}
