#include "platform/sdl/framebuffer_present.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/common/picture_fit.h"

namespace {

constexpr int32_t kWidth = 64;
constexpr int32_t kHeight = 48;

uint32_t nextRandom(uint32_t& seed, uint32_t range) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % range;
}

// The window as the X server keeps it: it only learns of what is sent.
struct Window {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bytes = 4;
    int32_t pitch = 0;
    std::vector<uint8_t> framebuffer;  // what the game draws into
    std::vector<uint8_t> screen;       // what has been sent

    void resize(int32_t w, int32_t h, int32_t bytesPerPixel) {
        width = w;
        height = h;
        bytes = bytesPerPixel;
        pitch = w * bytesPerPixel + 8;  // rows padded, as shared memory images may be
        // A new framebuffer holds whatever was in memory, and the new
        // window shows garbage until something is sent.
        framebuffer.assign(static_cast<size_t>(pitch) * h, 0xCD);
        screen.assign(static_cast<size_t>(pitch) * h, 0xAB);
    }
    Framebuffer view() { return Framebuffer{framebuffer.data(), pitch, width, height, bytes}; }
    void receive(const std::vector<Rect>& sent) {
        for (const Rect& r : sent)
            for (int32_t y = r.top; y < r.bottom; ++y) {
                const size_t at = static_cast<size_t>(y) * pitch + static_cast<size_t>(r.left) * bytes;
                std::memcpy(screen.data() + at, framebuffer.data() + at, static_cast<size_t>(r.right - r.left) * bytes);
            }
    }
    uint32_t shown(int32_t x, int32_t y) const {
        uint32_t v = 0;
        const uint8_t* p = screen.data() + static_cast<size_t>(y) * pitch + static_cast<size_t>(x) * bytes;
        for (int32_t i = 0; i < bytes; ++i) v |= uint32_t{p[i]} << (8 * i);
        return v;
    }
};

// The whole picture converted from scratch: the letterboxed stretch, black bars.
uint32_t expected(const std::vector<uint8_t>& picture, const uint32_t pixelOf[256], int32_t bytes, int32_t width,
                  int32_t height, int32_t x, int32_t y) {
    const Rect box = letterboxRect(width, height);
    if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) return 0;
    const int32_t sx = static_cast<int32_t>(int64_t{x - box.left} * kWidth / (box.right - box.left));
    const int32_t sy = static_cast<int32_t>(int64_t{y - box.top} * kHeight / (box.bottom - box.top));
    const uint32_t mask = bytes == 4 ? 0xFFFFFFFFu : (1u << (8 * bytes)) - 1;
    return pixelOf[picture[static_cast<size_t>(sy) * kWidth + static_cast<size_t>(sx)]] & mask;
}

void randomColours(uint32_t pixelOf[256], uint32_t& seed, int32_t bytes) {
    for (int i = 0; i < 256; ++i) {
        const uint32_t v = nextRandom(seed, 0xFFFFFF) | (nextRandom(seed, 256) << 24);
        pixelOf[i] = bytes == 2 ? (v & 0xFFFF) : bytes == 3 ? (v & 0xFFFFFF) : v;
    }
}

// Moves a few sprite-sized blocks, as flies and the swatter do.
void moveSprites(std::vector<uint8_t>& picture, uint32_t& seed) {
    const int count = static_cast<int>(nextRandom(seed, 5));
    for (int k = 0; k < count; ++k) {
        const int32_t left = static_cast<int32_t>(nextRandom(seed, kWidth)) - 4;
        const int32_t top = static_cast<int32_t>(nextRandom(seed, kHeight)) - 4;
        const uint8_t colour = static_cast<uint8_t>(nextRandom(seed, 256));
        for (int32_t y = top; y < top + 9; ++y)
            for (int32_t x = left; x < left + 9; ++x)
                if (x >= 0 && x < kWidth && y >= 0 && y < kHeight)
                    picture[static_cast<size_t>(y) * kWidth + static_cast<size_t>(x)] = colour;
    }
}

}  // namespace

// Random runs of frames, colour changes and window size changes, in every
// pixel size: after each call, what the window received equals the whole
// picture converted from scratch.
TEST(FramebufferPresent, WindowAlwaysShowsTheWholePicture) {
    const int32_t sizes[][2] = {{64, 48}, {128, 96}, {100, 75}, {97, 61}, {70, 90}, {200, 110}, {31, 20}, {3, 2}};
    for (int32_t bytes : {2, 3, 4}) {
        uint32_t seed = 77u + static_cast<uint32_t>(bytes);
        FramebufferPresenter presenter;
        Window window;
        window.resize(128, 96, bytes);
        std::vector<uint8_t> picture(static_cast<size_t>(kWidth) * kHeight);
        for (uint8_t& p : picture) p = static_cast<uint8_t>(nextRandom(seed, 256));
        uint32_t pixelOf[256];
        randomColours(pixelOf, seed, bytes);
        bool redrawAll = true;
        std::vector<Rect> sent;
        for (int step = 0; step < 120; ++step) {
            const uint32_t what = nextRandom(seed, 20);
            std::string event = "frame";
            if (what == 0) {
                const auto* size = sizes[nextRandom(seed, 8)];
                window.resize(size[0], size[1], bytes);
                redrawAll = true;
                event = "new size " + std::to_string(size[0]) + "x" + std::to_string(size[1]);
            } else if (what == 1) {
                pixelOf[nextRandom(seed, 256)] ^= 0x10101;
                event = "one colour changed";
            } else if (what == 2) {
                event = "unchanged frame";
            } else {
                moveSprites(picture, seed);
            }
            const PaletteEntry unused[256] = {};
            presentToFramebuffer(presenter, IndexedPicture{picture.data(), kWidth, kWidth, kHeight, unused}, pixelOf,
                                 window.view(), redrawAll, sent);
            redrawAll = false;
            window.receive(sent);
            for (int32_t y = 0; y < window.height; ++y)
                for (int32_t x = 0; x < window.width; ++x)
                    ASSERT_EQ(window.shown(x, y), expected(picture, pixelOf, bytes, window.width, window.height, x, y))
                        << "case: " << bytes << " bytes a pixel, step " << step << " (" << event << "), window "
                        << window.width << "x" << window.height << ", pixel (" << x << ", " << y << ")";
        }
    }
}

// During play only the changed parts travel: a frame with one moved sprite
// sends far less than the window, and an unchanged frame sends nothing.
TEST(FramebufferPresent, SendsOnlyWhatChanged) {
    FramebufferPresenter presenter;
    Window window;
    window.resize(128, 96, 4);
    std::vector<uint8_t> picture(static_cast<size_t>(kWidth) * kHeight, 5);
    uint32_t pixelOf[256];
    for (int i = 0; i < 256; ++i) pixelOf[i] = static_cast<uint32_t>(i) * 0x010101u;
    const PaletteEntry unused[256] = {};
    const IndexedPicture view{picture.data(), kWidth, kWidth, kHeight, unused};
    std::vector<Rect> sent;
    presentToFramebuffer(presenter, view, pixelOf, window.view(), true, sent);
    ASSERT_EQ(sent.size(), 1u) << "case: first picture";
    EXPECT_EQ(sent[0].right - sent[0].left, 128) << "case: first picture is sent whole";

    presentToFramebuffer(presenter, view, pixelOf, window.view(), false, sent);
    EXPECT_TRUE(sent.empty()) << "case: unchanged picture";

    picture[static_cast<size_t>(20) * kWidth + 20] = 9;  // tile (16..32, 16..32), twice as large on screen
    presentToFramebuffer(presenter, view, pixelOf, window.view(), false, sent);
    ASSERT_EQ(sent.size(), 1u) << "case: one changed pixel";
    EXPECT_EQ(sent[0].left, 32) << "case: one changed pixel, left";
    EXPECT_EQ(sent[0].top, 32) << "case: one changed pixel, top";
    EXPECT_EQ(sent[0].right, 64) << "case: one changed pixel, right";
    EXPECT_EQ(sent[0].bottom, 64) << "case: one changed pixel, bottom";

    pixelOf[200] = 1;
    presentToFramebuffer(presenter, view, pixelOf, window.view(), false, sent);
    ASSERT_EQ(sent.size(), 1u) << "case: a colour changed";
    EXPECT_EQ(sent[0].bottom - sent[0].top, 96) << "case: a colour change sends everything";
}

TEST(FramebufferPresent, UnsupportedPixelSizeDrawsNothing) {
    FramebufferPresenter presenter;
    std::vector<uint8_t> memory(64, 0xEE);
    std::vector<uint8_t> picture(static_cast<size_t>(kWidth) * kHeight, 1);
    uint32_t pixelOf[256] = {};
    const PaletteEntry unused[256] = {};
    std::vector<Rect> sent;
    presentToFramebuffer(presenter, IndexedPicture{picture.data(), kWidth, kWidth, kHeight, unused}, pixelOf,
                         Framebuffer{memory.data(), 8, 8, 8, 1}, true, sent);
    EXPECT_TRUE(sent.empty()) << "case: one byte a pixel";
    EXPECT_EQ(memory[0], 0xEE) << "case: one byte a pixel leaves the memory alone";
    EXPECT_FALSE(framebufferPixelSizeSupported(1)) << "case: 8-bit window";
    EXPECT_TRUE(framebufferPixelSizeSupported(2)) << "case: 15- or 16-bit window";
}
