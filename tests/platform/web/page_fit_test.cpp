// The picture on a web page: whole multiples in device pixels where they fill
// the area well enough, nearest-neighbour to the largest fit where they do
// not (phones), a canvas of one pixel per device pixel whose edges fall on
// both CSS and device pixels, and the pointer landing on the pixel drawn
// under it.
#include "platform/web/page_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
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
// picture, pointing at the pixel's centre as a finger or mouse would.
std::vector<int32_t> pixelsAlong(const PageArea& area, const PageFit& fit, bool across) {
    const double ratio = area.pixelRatio;
    const int32_t span = across ? fit.device.right - fit.device.left : fit.device.bottom - fit.device.top;
    std::vector<int32_t> out;
    for (int32_t d = 0; d < span; ++d) {
        const double css = (d + 0.5) / ratio;
        const double other = 0.5 / ratio;
        const Point p = across ? pagePointToPicture(css, other, ratio, fit)
                               : pagePointToPicture(other, css, ratio, fit);
        out.push_back(across ? p.x : p.y);
    }
    return out;
}

// Lengths of the runs of equal picture pixels, after checking that the run
// goes 0, 1, 2, ... to the last pixel with none skipped.
std::vector<int32_t> blockLengths(const std::vector<int32_t>& along, int32_t size, const std::string& what) {
    std::vector<int32_t> lengths;
    if (along.empty()) {
        ADD_FAILURE() << "case: " << what << ", empty picture";
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
    Rect device;                                  // the picture
    double cssLeft, cssTop, cssWidth, cssHeight;  // the canvas
    bool browserEnlarges;
    int32_t canvasWidth, canvasHeight;
};

// The screens the page is checked on; the game area is the whole viewport.
const Screen kScreens[] = {
    {{0, 0, 1280, 960, 1}, true, 2, {0, 0, 1280, 960}, 0, 0, 1280, 960, true, 640, 480},
    // 4:3 on 16:9 leaves bars at the sides anyway; the whole multiple leaves
    // a ninth of the height, so it stays.
    {{0, 0, 1920, 1080, 1}, true, 2, {320, 60, 1600, 1020}, 320, 60, 1280, 960, true, 640, 480},
    // Four CSS pixels are five device pixels: the area is 1364 CSS pixels
    // (1705 device pixels) of whole units, the picture's corner on one.
    {{0, 0, 1366, 768, 1.25}, true, 2, {210, 0, 1490, 960}, 168, 0, 1024, 768, false, 1280, 960},
    // A phone upright: once would leave almost half the width empty.
    {{0, 0, 390, 844, 3}, false, 0, {0, 825, 1170, 1702}, 0, 275, 390, 293, false, 1170, 879},
    // The same phone on its side: twice leaves 210 of 1170 rows.
    {{0, 0, 844, 390, 3}, true, 2, {624, 105, 1904, 1065}, 208, 35, 427, 320, false, 1281, 960},
};

}  // namespace

TEST(PageFit, TheListedScreens) {
    for (const Screen& s : kScreens) {
        const PageFit fit = fitPictureOnPage(s.area);
        const std::string what = name(s.area);
        EXPECT_EQ(fit.whole, s.whole) << "case: " << what << ", whole multiple or nearest-neighbour";
        EXPECT_EQ(fit.scale, s.scale) << "case: " << what << ", scale";
        EXPECT_EQ(fit.device.left, s.device.left) << "case: " << what << ", picture left";
        EXPECT_EQ(fit.device.top, s.device.top) << "case: " << what << ", picture top";
        EXPECT_EQ(fit.device.right, s.device.right) << "case: " << what << ", picture right";
        EXPECT_EQ(fit.device.bottom, s.device.bottom) << "case: " << what << ", picture bottom";
        EXPECT_EQ(fit.cssLeft, s.cssLeft) << "case: " << what << ", canvas left";
        EXPECT_EQ(fit.cssTop, s.cssTop) << "case: " << what << ", canvas top";
        EXPECT_EQ(fit.cssWidth, s.cssWidth) << "case: " << what << ", canvas CSS width";
        EXPECT_EQ(fit.cssHeight, s.cssHeight) << "case: " << what << ", canvas CSS height";
        EXPECT_EQ(fit.browserEnlarges, s.browserEnlarges) << "case: " << what << ", who enlarges";
        EXPECT_EQ(fit.canvasWidth, s.canvasWidth) << "case: " << what << ", canvas pixels across";
        EXPECT_EQ(fit.canvasHeight, s.canvasHeight) << "case: " << what << ", canvas pixels down";
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

TEST(PageFit, TheCanvasSitsOnDevicePixelsInsideTheArea) {
    const PageArea areas[] = {{12.4, 37.6, 1003.2, 700.8, 1.25}, {0, 48, 412, 309, 2.625}, {190.5, 0, 1100, 800, 1.5},
                              {3.3, 7.7, 640, 480, 1.1},         {0, 0, 995, 763.5, 1},    {0, 0, 1536, 864, 1.75}};
    for (const PageArea& a : areas) {
        const PageFit fit = fitPictureOnPage(a);
        const std::string what = name(a);
        const double r = a.pixelRatio;
        const int32_t unit = alignedCssUnit(r);
        const double unitDevice = std::round(unit * r);
        const double edges[4] = {(a.left + fit.cssLeft) * r, (a.top + fit.cssTop) * r,
                                 (a.left + fit.cssLeft + fit.cssWidth) * r, (a.top + fit.cssTop + fit.cssHeight) * r};
        const char* edgeNames[4] = {"left", "top", "right", "bottom"};
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(edges[i], std::round(edges[i]), 1e-6) << "case: " << what << ", " << edgeNames[i] << " edge";
            const double css = edges[i] / r;
            EXPECT_NEAR(css, std::round(css), 1e-6) << "case: " << what << ", " << edgeNames[i] << " edge in CSS";
        }
        const int32_t w = fit.device.right - fit.device.left, h = fit.device.bottom - fit.device.top;
        if (fit.browserEnlarges) {
            EXPECT_EQ(fit.cssWidth, w) << "case: " << what << ", the picture's CSS width";
            EXPECT_EQ(fit.canvasWidth, 640) << "case: " << what << ", the picture's own pixels";
        } else {
            EXPECT_NEAR(fit.cssWidth * r, fit.canvasWidth, 1e-6)
                << "case: " << what << ", a pixel per device pixel across";
            EXPECT_NEAR(fit.cssHeight * r, fit.canvasHeight, 1e-6)
                << "case: " << what << ", a pixel per device pixel down";
            EXPECT_GE(fit.canvasWidth, w) << "case: " << what << ", the picture fits the canvas across";
            EXPECT_LT(fit.canvasWidth, w + unitDevice) << "case: " << what << ", less than a unit over across";
            EXPECT_GE(fit.canvasHeight, h) << "case: " << what << ", the picture fits the canvas down";
        }
        EXPECT_GE(fit.cssLeft, 0) << "case: " << what << ", inside on the left";
        EXPECT_GE(fit.cssTop, 0) << "case: " << what << ", inside at the top";
        EXPECT_LE(fit.cssLeft + fit.cssWidth, a.width + 1e-9) << "case: " << what << ", inside on the right";
        EXPECT_LE(fit.cssTop + fit.cssHeight, a.height + 1e-9) << "case: " << what << ", inside at the bottom";
        // Centred to within a unit on the side with room to spare.
        const double roomLeft = fit.cssLeft, roomRight = a.width - fit.cssLeft - fit.cssWidth;
        const double roomTop = fit.cssTop, roomBottom = a.height - fit.cssTop - fit.cssHeight;
        EXPECT_LE(std::abs(roomLeft - roomRight), 2.0 * unit) << "case: " << what << ", centred across";
        EXPECT_LE(std::abs(roomTop - roomBottom), 2.0 * unit) << "case: " << what << ", centred down";
    }
}

TEST(PageFit, AlignedUnitsOfCommonRatios) {
    const struct {
        double ratio;
        int32_t unit;
    } cases[] = {{1, 1},
                 {2, 1},
                 {3, 1},
                 {1.25, 4},
                 {1.5, 2},
                 {1.75, 4},
                 {2.625, 8},
                 // Browser zoom: 110 % as the browser keeps it, a float; 80 %.
                 {static_cast<float>(1.1), 10},
                 {0.8, 5},
                 {std::numbers::pi, 1},
                 {0, 1},
                 {std::nan(""), 1}};
    for (const auto& c : cases) EXPECT_EQ(alignedCssUnit(c.ratio), c.unit) << "case: ratio " << c.ratio;
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
    // 1366 x 768 at 1.25: twice, the canvas from CSS pixel 168; points from
    // its corner.
    const PageFit fit = fitPictureOnPage({0, 0, 1366, 768, 1.25});
    const struct {
        double x, y;
        int32_t px, py;
        const char* what;
    } cases[] = {
        {0, 0, 0, 0, "the picture's top-left corner"}, {0.7, 0.5, 0, 0, "inside the first picture pixel"},
        {1.6, 1.6, 1, 1, "the second picture pixel"},  {1023.9, 767.9, 639, 479, "the picture's bottom-right corner"},
        {-5, 384, 0, 240, "on the left bar"},          {1100, 384, 639, 240, "on the right bar"},
        {400, -40, 250, 0, "above the canvas"},        {std::nan(""), 100, 0, 62, "x not a number"},
        {1e300, 1e300, 639, 479, "far off"},
    };
    for (const auto& c : cases) {
        const Point p = pagePointToPicture(c.x, c.y, 1.25, fit);
        EXPECT_EQ(p.x, c.px) << "case: " << c.what << ", x";
        EXPECT_EQ(p.y, c.py) << "case: " << c.what << ", y";
    }
    // 995 device pixels for 640 picture pixels: the centre of device pixel
    // 497 lies exactly on the line between picture pixels 319 and 320. At a
    // ratio of 1 the browser enlarges and takes the one before; the page's
    // own enlargement (any other ratio) takes the one after.
    const PageFit narrow = fitPictureOnPage({0, 0, 995, 763.5, 1});
    ASSERT_EQ(narrow.device.right - narrow.device.left, 995) << "case: 995 wide, nearest-neighbour";
    ASSERT_TRUE(narrow.browserEnlarges) << "case: 995 wide at a ratio of 1";
    EXPECT_EQ(pagePointToPicture(497.5, 0, 1, narrow).x, 319) << "case: device pixel 497 of 995, the browser's";
    EXPECT_EQ(pagePointToPicture(498.5, 0, 1, narrow).x, 320) << "case: device pixel 498 of 995, the browser's";
    PageFit own = narrow;
    own.browserEnlarges = false;
    EXPECT_EQ(pagePointToPicture(497.5, 0, 1, own).x, 320) << "case: device pixel 497 of 995, the page's";
    for (const PageArea& odd : {PageArea{0, 0, 0, 480, 1}, PageArea{0, 0, -5, -5, 2}, PageArea{0, 0, 0.2, 0.2, 1},
                                PageArea{0, 0, 3, 3, 1.25}, PageArea{std::nan(""), 0, 100, 100, 1}}) {
        const PageFit none = fitPictureOnPage(odd);
        EXPECT_EQ(none.canvasWidth * none.canvasHeight, 0) << "case: " << name(odd) << ", no room";
        const Point p = pagePointToPicture(10, 10, odd.pixelRatio, none);
        EXPECT_EQ(p.x, 0) << "case: " << name(odd) << ", pointer x";
        EXPECT_EQ(p.y, 0) << "case: " << name(odd) << ", pointer y";
    }
    EXPECT_EQ(fitPictureOnPage({0, 0, 1e12, 1e12, 1.5}).canvasWidth % 3, 0) << "case: a huge area, whole units";
    for (double ratio : {0.0, -2.0, std::nan(""), double{INFINITY}})
        EXPECT_EQ(fitPictureOnPage({0, 0, 1280, 960, ratio}).scale, 2) << "case: ratio " << ratio << " counts as 1";
}
