#include "platform/common/picture_changes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Picture {
    std::vector<uint8_t> pixels;
    PaletteEntry colours[256] = {};
    int32_t width;
    int32_t height;
    int32_t pitch;

    Picture(int32_t w, int32_t h, int32_t p) : pixels(static_cast<size_t>(p) * h, 7), width(w), height(h), pitch(p) {}
    IndexedPicture view() const { return IndexedPicture{pixels.data(), pitch, width, height, colours}; }
    uint8_t& at(int32_t x, int32_t y) { return pixels[static_cast<size_t>(y) * pitch + x]; }
};

std::string describe(const std::vector<Rect>& rects) {
    std::string s;
    for (const Rect& r : rects)
        s += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
             std::to_string(r.bottom) + ") ";
    return s;
}

bool covers(const std::vector<Rect>& rects, int32_t x, int32_t y) {
    for (const Rect& r : rects)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    return false;
}

}  // namespace

// The first picture, the same one again and a forgotten copy are the
// present step's answers (present_step_test).
TEST(PictureChanges, OnePixelGivesItsTileClippedToThePictureAndANewSizeAll) {
    PictureChanges changes;
    std::vector<Rect> changed;
    Picture a(40, 30, 48);
    collectPictureChanges(changes, a.view(), changed);

    a.at(17, 3) = 9;
    collectPictureChanges(changes, a.view(), changed);
    EXPECT_EQ(describe(changed), "(16,0)-(32,16) ") << "case: pixel (17, 3)";

    a.at(39, 29) = 9;
    collectPictureChanges(changes, a.view(), changed);
    EXPECT_EQ(describe(changed), "(32,16)-(40,30) ") << "case: bottom-right pixel, partial tile";

    collectPictureChanges(changes, a.view(), changed);
    EXPECT_TRUE(changed.empty()) << "case: the change was taken into the copy";

    Picture b(41, 30, 41);
    collectPictureChanges(changes, b.view(), changed);
    EXPECT_EQ(describe(changed), "(0,0)-(41,30) ") << "case: picture one column wider";
}

// Rows are compared eight bytes at a time with the rest one by one: a
// change in any column of a row of odd width is found.
TEST(PictureChanges, AChangeInAnyColumnIsFound) {
    PictureChanges changes;
    std::vector<Rect> changed;
    Picture a(45, 20, 47);
    collectPictureChanges(changes, a.view(), changed);
    for (int32_t x = 0; x < 45; ++x) {
        a.at(x, 7) = static_cast<uint8_t>(a.at(x, 7) + 1);
        collectPictureChanges(changes, a.view(), changed);
        EXPECT_TRUE(changed.size() == 1 && covers(changed, x, 7))
            << "case: column " << x << " changed, listed: " << describe(changed);
    }
}

TEST(PictureChanges, NeighbouringTilesJoinAcrossAndDown) {
    PictureChanges changes;
    std::vector<Rect> changed;
    Picture a(64, 64, 64);
    collectPictureChanges(changes, a.view(), changed);

    // A 20 x 20 sprite at (10, 10) touches four tiles: one rectangle.
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 30; ++x) a.at(x, y) = 1;
    collectPictureChanges(changes, a.view(), changed);
    EXPECT_EQ(describe(changed), "(0,0)-(32,32) ") << "case: sprite across four tiles";

    // Two sprites in the same tile row, a tile apart: two rectangles.
    a.at(2, 40) = 3;
    a.at(50, 40) = 3;
    collectPictureChanges(changes, a.view(), changed);
    EXPECT_EQ(describe(changed), "(0,32)-(16,48) (48,32)-(64,48) ") << "case: two sprites a tile apart";
}

TEST(PictureChanges, TheBoundingBoxHoldsEveryRectangle) {
    const Rect box = boundingBox({Rect{10, 20, 30, 40}, Rect{5, 25, 12, 60}, Rect{28, 21, 90, 22}});
    EXPECT_EQ(box.left, 5) << "leftmost edge";
    EXPECT_EQ(box.top, 20) << "topmost edge";
    EXPECT_EQ(box.right, 90) << "rightmost edge";
    EXPECT_EQ(box.bottom, 60) << "lowest edge";
}
