#include "platform/picture_fit.h"

#include <gtest/gtest.h>

namespace {

void expectRect(const Rect& r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

}  // namespace

TEST(PictureFit, LetterboxKeepsFourByThreeCentred) {
    expectRect(letterboxRect(640, 480), 0, 0, 640, 480);
    expectRect(letterboxRect(1024, 768), 0, 0, 1024, 768);
    expectRect(letterboxRect(1920, 1080), 240, 0, 1680, 1080);  // bars left and right
    expectRect(letterboxRect(1280, 1024), 0, 32, 1280, 992);    // bars above and below
    expectRect(letterboxRect(0, 480), 0, 0, 0, 0);
    expectRect(letterboxRect(640, -1), 0, 0, 0, 0);
    // Sizes whose products overflow 32 bits still fit.
    const Rect huge = letterboxRect(2000000000, 1000000);
    EXPECT_EQ(huge.bottom - huge.top, 1000000);
    EXPECT_EQ(huge.right - huge.left, 1333333);
}

TEST(PictureFit, CursorMapsOntoThePixelDrawnUnderIt) {
    // 1920 x 1080: the picture is 1440 x 1080 from x 240, 2.25 screen pixels each.
    EXPECT_EQ(mapToPicture({240, 0}, 1920, 1080).x, 0);
    EXPECT_EQ(mapToPicture({242, 2}, 1920, 1080).x, 0);
    EXPECT_EQ(mapToPicture({243, 3}, 1920, 1080).x, 1);
    EXPECT_EQ(mapToPicture({243, 3}, 1920, 1080).y, 1);
    EXPECT_EQ(mapToPicture({1679, 1079}, 1920, 1080).x, 639);
    EXPECT_EQ(mapToPicture({1679, 1079}, 1920, 1080).y, 479);
    EXPECT_EQ(mapToPicture({512, 384}, 1024, 768).x, 320);
    EXPECT_EQ(mapToPicture({512, 384}, 1024, 768).y, 240);
}

TEST(PictureFit, CursorOnTheBarsOrOutsideIsClampedToThePicture) {
    const Point left = mapToPicture({10, 500}, 1920, 1080);
    EXPECT_EQ(left.x, 0);
    const Point right = mapToPicture({1900, 500}, 1920, 1080);
    EXPECT_EQ(right.x, 639);
    const Point beyond = mapToPicture({-50, 5000}, 1024, 768);
    EXPECT_EQ(beyond.x, 0);
    EXPECT_EQ(beyond.y, 479);
    const Point none = mapToPicture({10, 10}, 0, 0);
    EXPECT_EQ(none.x, 0);
    EXPECT_EQ(none.y, 0);
}

TEST(PictureFit, WindowScaleIsTheLargestWholeMultipleThatFits) {
    EXPECT_EQ(largestWholeScale(1920, 1080), 2);
    EXPECT_EQ(largestWholeScale(1920, 1440), 3);
    EXPECT_EQ(largestWholeScale(3840, 2160), 4);
    EXPECT_EQ(largestWholeScale(1279, 960), 1);
    EXPECT_EQ(largestWholeScale(800, 400), 1);  // smaller than the picture: still one
}
