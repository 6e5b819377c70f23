// The picture enlarged onto device pixels: every device pixel shows the
// picture pixel the pointer finds there, and enlarging only what changed
// gives the very pixels a whole enlargement would.
#include "platform/common/picture_enlarge.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/common/page_fit.h"

namespace {

// Every picture pixel a value of its own (x, y, and a generation).
std::vector<uint32_t> pattern(uint32_t generation) {
    std::vector<uint32_t> p(640 * 480);
    for (uint32_t y = 0; y < 480; ++y)
        for (uint32_t x = 0; x < 640; ++x) p[y * 640 + x] = generation << 20 | y << 10 | x;
    return p;
}

// The enlarged rectangles laid on a device-sized image, as the canvas gets
// them.
struct Screen {
    int32_t width, height;
    std::vector<uint32_t> pixels;
    Screen(int32_t w, int32_t h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0) {}
    Rect put(const Enlargement& e, const uint32_t* picture, Rect r) {
        std::vector<uint32_t> block;
        const Rect d = enlargeRect(e, picture, r, block);
        EXPECT_EQ(block.size(), static_cast<size_t>(d.right - d.left) * (d.bottom - d.top)) << "case: block size";
        size_t i = 0;
        for (int32_t y = d.top; y < d.bottom; ++y)
            for (int32_t x = d.left; x < d.right; ++x) pixels[static_cast<size_t>(y) * width + x] = block[i++];
        return d;
    }
};

const std::pair<int32_t, int32_t> kSizes[] = {{1280, 960}, {1920, 1440}, {1170, 877}, {995, 746},
                                              {941, 706},  {320, 240},   {640, 480}};

}  // namespace

TEST(PictureEnlarge, EveryDevicePixelShowsThePixelThePointerFinds) {
    const std::vector<uint32_t> picture = pattern(1);
    for (auto [w, h] : kSizes) {
        Enlargement e;
        prepareEnlargement(e, w, h);
        Screen screen(w, h);
        const Rect written = screen.put(e, picture.data(), Rect{0, 0, 640, 480});
        const std::string what = std::to_string(w) + "x" + std::to_string(h);
        EXPECT_EQ(written.right - written.left, w) << "case: " << what << ", columns written";
        EXPECT_EQ(written.bottom - written.top, h) << "case: " << what << ", rows written";
        // A fit of exactly this size, enlarged by the page.
        PageFit fit{};
        fit.device = Rect{0, 0, w, h};
        fit.browserEnlarges = false;
        int32_t wrong = 0;
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                const Point p = pagePointToPicture(x + 0.5, y + 0.5, 1, fit);
                wrong += screen.pixels[static_cast<size_t>(y) * w + x] != picture[static_cast<size_t>(p.y) * 640 + p.x];
            }
        }
        EXPECT_EQ(wrong, 0) << "case: " << what << ", device pixels not the pointer's picture pixel";
    }
}

TEST(PictureEnlarge, WholeMultiplesAreEvenBlocks) {
    const std::vector<uint32_t> picture = pattern(2);
    Enlargement e;
    prepareEnlargement(e, 1920, 1440);
    Screen screen(1920, 1440);
    screen.put(e, picture.data(), Rect{0, 0, 640, 480});
    int32_t wrong = 0;
    for (int32_t y = 0; y < 1440; ++y)
        for (int32_t x = 0; x < 1920; ++x)
            wrong += screen.pixels[static_cast<size_t>(y) * 1920 + x] !=
                     picture[static_cast<size_t>(y / 3) * 640 + x / 3];
    EXPECT_EQ(wrong, 0) << "case: three times, 3 x 3 blocks";
}

TEST(PictureEnlarge, OnlyWhatChangedGivesTheWholeEnlargement) {
    const std::vector<uint32_t> before = pattern(3);
    std::vector<uint32_t> after = before;
    const Rect changes[] = {{0, 0, 1, 1},       {319, 200, 321, 201}, {600, 440, 640, 480}, {100, 50, 164, 114},
                            {639, 0, 640, 480}, {-20, -20, 5, 5},     {630, 470, 700, 900}, {50, 50, 50, 60}};
    for (const Rect& r : changes)
        for (int32_t y = std::max(r.top, 0); y < std::min(r.bottom, 480); ++y)
            for (int32_t x = std::max(r.left, 0); x < std::min(r.right, 640); ++x) after[y * 640 + x] ^= 0x80000000u;
    for (auto [w, h] : kSizes) {
        const std::string what = std::to_string(w) + "x" + std::to_string(h);
        Enlargement e;
        prepareEnlargement(e, w, h);
        Screen part(w, h), whole(w, h);
        part.put(e, before.data(), Rect{0, 0, 640, 480});
        for (const Rect& r : changes) {
            const Rect d = part.put(e, after.data(), r);
            EXPECT_TRUE(d.left >= 0 && d.right <= w && d.top >= 0 && d.bottom <= h) << "case: " << what << ", inside";
        }
        whole.put(e, after.data(), Rect{0, 0, 640, 480});
        int32_t wrong = 0;
        for (size_t i = 0; i < whole.pixels.size(); ++i) wrong += part.pixels[i] != whole.pixels[i];
        EXPECT_EQ(wrong, 0) << "case: " << what << ", changed rectangles against the whole";
    }
}

TEST(PictureEnlarge, EmptyAndOddInputsWriteNothing) {
    const std::vector<uint32_t> picture = pattern(4);
    Enlargement e;
    std::vector<uint32_t> block;
    prepareEnlargement(e, 0, 480);
    const Rect none = enlargeRect(e, picture.data(), Rect{0, 0, 640, 480}, block);
    EXPECT_EQ(none.right - none.left, 0) << "case: no width, nothing written";
    EXPECT_TRUE(block.empty()) << "case: no width, no pixels";
    prepareEnlargement(e, 320, 240);
    const Rect null = enlargeRect(e, nullptr, Rect{0, 0, 640, 480}, block);
    EXPECT_EQ(null.right - null.left, 0) << "case: no picture";
    // Shrunk to half: picture column 0 shows nowhere (device column 0 takes
    // picture column 1), so a change there writes nothing.
    const Rect hidden = enlargeRect(e, picture.data(), Rect{0, 0, 1, 1}, block);
    EXPECT_EQ(hidden.right - hidden.left, 0) << "case: a picture pixel no device pixel shows";
    EXPECT_TRUE(block.empty()) << "case: nothing appended";
}
