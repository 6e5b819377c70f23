#include "platform/picture_fit.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {
auto tie(const Rect& r) { return std::tuple(r.left, r.top, r.right, r.bottom); }
auto tie(const Point& p) { return std::tuple(p.x, p.y); }
}  // namespace

TEST(PictureFit, LetterboxKeepsFourByThreeCentred) {
    EXPECT_EQ(tie(letterboxRect(640, 480)), std::tuple(0, 0, 640, 480));
    EXPECT_EQ(tie(letterboxRect(1920, 1080)), std::tuple(240, 0, 1680, 1080));  // bars left and right
    EXPECT_EQ(tie(letterboxRect(1280, 1024)), std::tuple(0, 32, 1280, 992));    // bars above and below
    EXPECT_EQ(tie(letterboxRect(0, 480)), std::tuple(0, 0, 0, 0));
    EXPECT_EQ(tie(letterboxRect(640, -1)), std::tuple(0, 0, 0, 0));
    // Sizes whose products overflow 32 bits still fit.
    const Rect huge = letterboxRect(2000000000, 1000000);
    EXPECT_EQ(std::tuple(huge.right - huge.left, huge.bottom - huge.top), std::tuple(1333333, 1000000));
}

TEST(PictureFit, CursorMapsOntoThePixelDrawnUnderItClampedToThePicture) {
    // 1920 x 1080: the picture is 1440 x 1080 from x 240, 2.25 screen pixels each.
    const std::tuple<Point, int, int, int, int> cases[] = {
        {{240, 0}, 1920, 1080, 0, 0},      {{242, 2}, 1920, 1080, 0, 0},         {{243, 3}, 1920, 1080, 1, 1},
        {{1679, 1079}, 1920, 1080, 639, 479}, {{512, 384}, 1024, 768, 320, 240},
        {{10, 500}, 1920, 1080, 0, 222},   {{1900, 500}, 1920, 1080, 639, 222},  // on the bars
        {{-50, 5000}, 1024, 768, 0, 479},  {{10, 10}, 0, 0, 0, 0},
    };
    for (const auto& [at, w, h, x, y] : cases)
        EXPECT_EQ(tie(mapToPicture(at, w, h)), std::tuple(x, y)) << at.x << "," << at.y << " on " << w << "x" << h;
}

TEST(PictureFit, WindowScaleIsTheLargestWholeMultipleThatFits) {
    EXPECT_EQ(largestWholeScale(1920, 1080), 2);
    EXPECT_EQ(largestWholeScale(1920, 1440), 3);
    EXPECT_EQ(largestWholeScale(1279, 960), 1);
    EXPECT_EQ(largestWholeScale(800, 400), 1);  // smaller than the picture: still one
}
