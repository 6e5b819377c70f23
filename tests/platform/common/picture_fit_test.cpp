#include "platform/common/picture_fit.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(PictureFit, LetterboxCursorMappingAndWindowScale) {
    // Bars left and right, above and below; nothing for no size; products past 32 bits still fit.
    for (auto [w, h, box] : {std::tuple{640, 480, std::tuple(0, 0, 640, 480)},
                             {1920, 1080, {240, 0, 1440, 1080}},
                             {1280, 1024, {0, 32, 1280, 960}},
                             {0, 480, {0, 0, 0, 0}},
                             {640, -1, {0, 0, 0, 0}},
                             {2000000000, 1000000, {999333333, 0, 1333333, 1000000}}}) {
        const Rect r = letterboxRect(w, h);
        const auto [left, top, width, height] = box;
        EXPECT_EQ(r.left, left) << "case: screen " << w << "x" << h;
        EXPECT_EQ(r.top, top) << "case: screen " << w << "x" << h;
        EXPECT_EQ(r.right - r.left, width) << "case: screen " << w << "x" << h << ", width";
        EXPECT_EQ(r.bottom - r.top, height) << "case: screen " << w << "x" << h << ", height";
    }
    // 1920 x 1080: the picture is 1440 x 1080 from x 240, 2.25 screen pixels
    // each; the cursor maps onto the pixel drawn under it, clamped on the bars.
    const std::tuple<Point, int, int, int, int> cases[] = {
        {{240, 0}, 1920, 1080, 0, 0},         {{242, 2}, 1920, 1080, 0, 0},      {{243, 3}, 1920, 1080, 1, 1},
        {{1679, 1079}, 1920, 1080, 639, 479}, {{512, 384}, 1024, 768, 320, 240}, {{10, 500}, 1920, 1080, 0, 222},
        {{1900, 500}, 1920, 1080, 639, 222},  {{-50, 5000}, 1024, 768, 0, 479},  {{10, 10}, 0, 0, 0, 0},
    };
    for (const auto& [at, w, h, x, y] : cases) {
        const Point p = mapToPicture(at, w, h);
        EXPECT_EQ(p.x, x) << "case: cursor " << at.x << "," << at.y << " on " << w << "x" << h;
        EXPECT_EQ(p.y, y) << "case: cursor " << at.x << "," << at.y << " on " << w << "x" << h;
    }
    // The window: the largest whole multiple that fits, at least one.
    for (auto [w, h, scale] : {std::tuple{1920, 1080, 2}, {1920, 1440, 3}, {1279, 960, 1}, {800, 400, 1}})
        EXPECT_EQ(largestWholeScale(w, h), scale) << w << "x" << h;
}
