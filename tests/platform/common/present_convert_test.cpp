#include "platform/common/present_convert.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/common/picture_fit.h"
#include "platform/sdl/framebuffer_present.h"

namespace {

// A picture of `width` x `height` indices `pitch` bytes apart, with colours.
struct TestPicture {
    std::vector<uint8_t> pixels;
    PaletteEntry colours[256];
    IndexedPicture view;
};

void makePicture(TestPicture& t, int32_t width, int32_t height, int32_t pitch) {
    t.pixels.assign(static_cast<size_t>(pitch) * height, 0);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) t.pixels[y * pitch + x] = static_cast<uint8_t>(x * 7 + y * 13 + y / 5);
    for (int i = 0; i < 256; ++i)
        t.colours[i] =
            PaletteEntry{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i ^ 0x5A), 0};
    t.view = IndexedPicture{t.pixels.data(), pitch, width, height, t.colours};
}

}  // namespace

// Every width (pair and eight-pixel steps with their tails), aligned and
// unaligned output, and a colour change between two calls.
TEST(PresentConvert, EveryPixelThroughTheColoursInUse) {
    for (int32_t width : {1, 7, 8, 13, 640}) {
        TestPicture t;
        makePicture(t, width, 5, width + 3);
        for (int32_t shift : {0, 1}) {
            const int32_t outPitch = width + 5;
            std::vector<uint32_t> out(static_cast<size_t>(outPitch) * 5 + 4, 0xDEADBEEF);
            for (int round = 0; round < 2; ++round) {
                if (round == 1) t.colours[t.pixels[0]].red ^= 0x55;
                convertToRgb32(t.view, out.data() + shift, outPitch);
                for (int32_t y = 0; y < 5; ++y)
                    for (int32_t x = 0; x < width; ++x)
                        ASSERT_EQ(out[shift + y * outPitch + x], rgb32Of(t.colours[t.pixels[y * t.view.pitch + x]]))
                            << "width " << width << ", output shifted " << shift << ", round " << round << ", pixel "
                            << x << "," << y;
                ASSERT_EQ(out[shift + width], 0xDEADBEEFu) << "width " << width << ": written past the row";
            }
        }
    }
}

TEST(PresentConvert, ColourIsOpaqueRedGreenBlue) {
    EXPECT_EQ(rgb32Of(PaletteEntry{0x12, 0x34, 0x56, 0x78}), 0xFF123456u) << "flags byte ignored, alpha opaque";
}

// A 4-byte framebuffer of exactly the letterbox size (every size here is 4:3),
// with a wider pitch whose padding must stay untouched.
TEST(ScaledConvert, EveryOutputPixelShowsThePixelTheCursorMapsTo) {
    TestPicture t;
    makePicture(t, 640, 480, 648);
    std::vector<uint32_t> plain(640 * 480);
    convertToRgb32(t.view, plain.data(), 640);
    uint32_t pixelOf[256];
    buildRgb32Table(t.colours, pixelOf);
    // One to one, enlarged unevenly, shrunk, barely enlarged.
    for (auto [w, h] : {std::pair{640, 480}, {1024, 768}, {1440, 1080}, {320, 240}, {644, 483}}) {
        const int pitch = w + 3;
        std::vector<uint32_t> out(static_cast<size_t>(pitch) * h, 0xDEADBEEF);
        FramebufferPresenter presenter;
        std::vector<Rect> send;
        presentToFramebuffer(presenter, t.view, pixelOf,
                             Framebuffer{reinterpret_cast<uint8_t*>(out.data()), pitch * 4, w, h, 4}, true, send);
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < pitch; ++x) {
                const Point p = mapToPicture({x, y}, w, h);  // nothing past the row
                wrong += out[y * pitch + x] != (x < w ? plain[p.y * 640 + p.x] : 0xDEADBEEF);
            }
        EXPECT_EQ(wrong, 0) << "output " << w << " x " << h;
    }
}

TEST(ScaledConvert, RefusesNoPixelsOrNoOutput) {
    std::vector<uint32_t> out(100 * 100, 7);
    TestPicture none, right;
    makePicture(none, 640, 480, 640);
    none.view.pixels = nullptr;
    makePicture(right, 640, 480, 640);
    uint32_t pixelOf[256];
    buildRgb32Table(right.colours, pixelOf);
    const std::pair<const IndexedPicture*, int> cases[] = {{&none.view, 100}, {&right.view, 0}};
    for (auto [picture, width] : cases) {
        FramebufferPresenter presenter;
        std::vector<Rect> send;
        presentToFramebuffer(presenter, *picture, pixelOf,
                             Framebuffer{reinterpret_cast<uint8_t*>(out.data()), 400, width, 100, 4}, true, send);
        EXPECT_EQ(out, std::vector<uint32_t>(100 * 100, 7))
            << "picture " << (picture->pixels ? "with" : "without") << " pixels, output " << width << " wide";
    }
}
