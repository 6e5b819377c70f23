// The picture on a web page: whole multiples in device pixels where they fill
// the area well enough, nearest-neighbour to the largest fit where they do
// not (phones), the canvas's box on device pixels, and the pointer landing
// on the pixel drawn under it.
#include "platform/common/page_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string name(const PageArea& a) {
    std::ostringstream out;
    out << a.width << "x" << a.height << "@" << a.pixelRatio << " at " << a.left << "," << a.top;
    return out.str();
}

// The picture column (or row) the pointer reads on each device pixel of the
// box, pointing at the pixel's centre as a finger or mouse would.
std::vector<int32_t> pixelsAlong(const PageArea& area, const PageFit& fit, bool across) {
    const double ratio = area.pixelRatio;
    const int32_t first = across ? fit.device.left : fit.device.top;
    const int32_t last = across ? fit.device.right : fit.device.bottom;
    const double origin = std::round((across ? area.left : area.top) * ratio);
    std::vector<int32_t> out;
    for (int32_t d = first; d < last; ++d) {
        const double css = (origin + d + 0.5) / ratio;
        const Point p = across ? pagePointToPicture(css, area.top + fit.cssTop + 1, area, fit)
                               : pagePointToPicture(area.left + fit.cssLeft + 1, css, area, fit);
        out.push_back(across ? p.x : p.y);
    }
    return out;
}

// Lengths of the runs of equal picture pixels, after checking that the run
// goes 0, 1, 2, ... to the last pixel with none skipped.
std::vector<int32_t> blockLengths(const std::vector<int32_t>& along, int32_t size, const std::string& what) {
    std::vector<int32_t> lengths;
    if (along.empty()) {
        ADD_FAILURE() << "case: " << what << ", empty box";
        return lengths;
    }
    EXPECT_EQ(along.front(), 0) << "case: " << what << ", first device pixel";
    EXPECT_EQ(along.back(), size - 1) << "case: " << what << ", last device pixel";
    int32_t run = 1;
    for (size_t i = 1; i < along.size(); ++i) {
        if (along[i] == along[i - 1]) {
            ++run;
            continue;
        }
        EXPECT_EQ(along[i], along[i - 1] + 1) << "case: " << what << ", device pixel " << i << " skips or goes back";
        lengths.push_back(run);
        run = 1;
    }
    lengths.push_back(run);
    return lengths;
}

struct Screen {
    PageArea area;
    bool whole;
    int32_t scale;
    Rect device;
};

// The screens the page is checked on; the game area is the whole viewport.
const Screen kScreens[] = {
    {{0, 0, 1280, 960, 1}, true, 2, {0, 0, 1280, 960}},
    // 4:3 on 16:9 leaves bars at the sides anyway; the whole multiple leaves
    // a ninth of the height, so it stays.
    {{0, 0, 1920, 1080, 1}, true, 2, {320, 60, 1600, 1020}},
    // 1707.5 device pixels wide, snapped to 1708.
    {{0, 0, 1366, 768, 1.25}, true, 2, {214, 0, 1494, 960}},
    // A phone upright: once would leave almost half the width empty.
    {{0, 0, 390, 844, 3}, false, 0, {0, 827, 1170, 1704}},
    // The same phone on its side: twice leaves 210 of 1170 rows.
    {{0, 0, 844, 390, 3}, true, 2, {626, 105, 1906, 1065}},
};

}  // namespace

TEST(PageFit, TheListedScreens) {
    for (const Screen& s : kScreens) {
        const PageFit fit = fitPictureOnPage(s.area);
        const std::string what = name(s.area);
        EXPECT_EQ(fit.whole, s.whole) << "case: " << what << ", whole multiple or nearest-neighbour";
        EXPECT_EQ(fit.scale, s.scale) << "case: " << what << ", scale";
        EXPECT_EQ(fit.device.left, s.device.left) << "case: " << what << ", device box left";
        EXPECT_EQ(fit.device.top, s.device.top) << "case: " << what << ", device box top";
        EXPECT_EQ(fit.device.right, s.device.right) << "case: " << what << ", device box right";
        EXPECT_EQ(fit.device.bottom, s.device.bottom) << "case: " << what << ", device box bottom";
        EXPECT_EQ(fit.backingWidth, 640) << "case: " << what << ", canvas width";
        EXPECT_EQ(fit.backingHeight, 480) << "case: " << what << ", canvas height";
        const double r = s.area.pixelRatio;
        EXPECT_NEAR(fit.cssLeft * r, s.device.left, 1e-9) << "case: " << what << ", CSS left";
        EXPECT_NEAR(fit.cssTop * r, s.device.top, 1e-9) << "case: " << what << ", CSS top";
        EXPECT_NEAR(fit.cssWidth * r, s.device.right - s.device.left, 1e-9) << "case: " << what << ", CSS width";
        EXPECT_NEAR(fit.cssHeight * r, s.device.bottom - s.device.top, 1e-9) << "case: " << what << ", CSS height";
    }
}

TEST(PageFit, EveryPicturePixelIsAnEvenBlockUnderThePointer) {
    std::vector<PageArea> areas;
    for (const Screen& s : kScreens) areas.push_back(s.area);
    // Ratios of common laptops and phones, and areas that start between
    // device pixels.
    areas.push_back({12.4, 37.6, 1003.2, 700.8, 1.25});
    areas.push_back({0, 48, 412, 309, 2.625});
    areas.push_back({190.5, 0, 1100, 800, 1.5});
    areas.push_back({0, 0, 1536, 864, 1.75});
    for (const PageArea& area : areas) {
        const PageFit fit = fitPictureOnPage(area);
        const std::string what = name(area);
        const int32_t spans[2] = {fit.device.right - fit.device.left, fit.device.bottom - fit.device.top};
        for (int axis = 0; axis < 2; ++axis) {
            const int32_t size = axis == 0 ? 640 : 480;
            const std::string side = what + (axis == 0 ? ", columns" : ", rows");
            const std::vector<int32_t> lengths = blockLengths(pixelsAlong(area, fit, axis == 0), size, side);
            EXPECT_EQ(static_cast<int32_t>(lengths.size()), size) << "case: " << side << ", picture pixels shown";
            const int32_t shortest = fit.whole ? fit.scale : spans[axis] / size;
            const int32_t longest = fit.whole ? fit.scale : (spans[axis] + size - 1) / size;
            int32_t wrong = 0;
            for (int32_t n : lengths) wrong += n < shortest || n > longest;
            EXPECT_EQ(wrong, 0) << "case: " << side << ", blocks not " << shortest << " to " << longest
                                << " device pixels";
        }
    }
}

TEST(PageFit, TheCanvasBoxSitsOnDevicePixelsCentred) {
    const PageArea areas[] = {{12.4, 37.6, 1003.2, 700.8, 1.25}, {0, 48, 412, 309, 2.625}, {190.5, 0, 1100, 800, 1.5},
                              {3.3, 7.7, 640, 480, 1.1}};
    for (const PageArea& a : areas) {
        const PageFit fit = fitPictureOnPage(a);
        const std::string what = name(a);
        const double r = a.pixelRatio;
        const double edges[4] = {(a.left + fit.cssLeft) * r, (a.top + fit.cssTop) * r,
                                 (a.left + fit.cssLeft + fit.cssWidth) * r, (a.top + fit.cssTop + fit.cssHeight) * r};
        const char* edgeNames[4] = {"left", "top", "right", "bottom"};
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(edges[i], std::round(edges[i]), 1e-6) << "case: " << what << ", " << edgeNames[i] << " edge";
        const double areaDevice[2] = {std::round((a.left + a.width) * r) - std::round(a.left * r),
                                      std::round((a.top + a.height) * r) - std::round(a.top * r)};
        EXPECT_LE(std::abs((areaDevice[0] - fit.device.right) - fit.device.left), 1) << "case: " << what << ", across";
        EXPECT_LE(std::abs((areaDevice[1] - fit.device.bottom) - fit.device.top), 1) << "case: " << what << ", down";
        EXPECT_GT(fit.device.right, fit.device.left) << "case: " << what << ", box has width";
    }
}

TEST(PageFit, AQuarterEmptyIsTheLimit) {
    // 4:3-ish areas whose width limits the fit: once leaves 212 of 852
    // columns (under a quarter), 216 of 856 (over).
    EXPECT_TRUE(fitPictureOnPage({0, 0, 852, 700, 1}).whole) << "case: 852x700, just under a quarter empty";
    EXPECT_FALSE(fitPictureOnPage({0, 0, 856, 700, 1}).whole) << "case: 856x700, just over a quarter empty";
    // Smaller than the picture: shrunk to fit rather than cut.
    const PageFit small = fitPictureOnPage({0, 0, 320, 240, 1});
    EXPECT_FALSE(small.whole) << "case: 320x240, smaller than the picture";
    EXPECT_EQ(small.device.right - small.device.left, 320) << "case: 320x240, width";
    // A DPR of 2 doubles the whole multiple.
    EXPECT_EQ(fitPictureOnPage({0, 0, 1280, 960, 2}).scale, 4) << "case: 1280x960@2";
}

TEST(PageFit, ThePointerClampsAndOddInputsAreHarmless) {
    const PageArea a{0, 0, 1366, 768, 1.25};  // box from CSS 171.2 to 1195.2
    const PageFit fit = fitPictureOnPage(a);
    const struct {
        double x, y;
        int32_t px, py;
        const char* what;
    } cases[] = {
        {171.2, 0, 0, 0, "the box's top-left corner"},
        {171.9, 0.5, 0, 0, "inside the first picture pixel"},
        {172.8, 1.6, 1, 1, "the second picture pixel"},
        {1195.1, 767.9, 639, 479, "the box's bottom-right corner"},
        {5, 384, 0, 240, "on the left bar"},
        {1360, 384, 639, 240, "on the right bar"},
        {600, -40, 268, 0, "above the page's area"},
        {std::nan(""), 100, 0, 62, "x not a number"},
        {1e300, 1e300, 639, 479, "far off"},
    };
    for (const auto& c : cases) {
        const Point p = pagePointToPicture(c.x, c.y, a, fit);
        EXPECT_EQ(p.x, c.px) << "case: " << c.what << ", x";
        EXPECT_EQ(p.y, c.py) << "case: " << c.what << ", y";
    }
    for (const PageArea& odd : {PageArea{0, 0, 0, 480, 1}, PageArea{0, 0, -5, -5, 2}, PageArea{0, 0, 0.2, 0.2, 1}}) {
        const PageFit none = fitPictureOnPage(odd);
        EXPECT_EQ(none.device.right - none.device.left, 0) << "case: " << name(odd) << ", no room";
        const Point p = pagePointToPicture(10, 10, odd, none);
        EXPECT_EQ(p.x, 0) << "case: " << name(odd) << ", pointer x";
        EXPECT_EQ(p.y, 0) << "case: " << name(odd) << ", pointer y";
    }
    for (double ratio : {0.0, -2.0, std::nan(""), double{INFINITY}}) {
        const PageFit fit1 = fitPictureOnPage({0, 0, 1280, 960, ratio});
        EXPECT_EQ(fit1.scale, 2) << "case: ratio " << ratio << " counts as 1";
    }
}
