#include "platform/web/page_fit.h"

#include <algorithm>
#include <cmath>

#include "platform/common/picture_fit.h"

namespace {

constexpr int32_t kLargestUnit = 16;
// Past any screen: keeps a hostile size from overflowing the arithmetic.
constexpr double kLargestDevicePixels = 1 << 24;

double usableRatio(double ratio) { return ratio > 0 && std::isfinite(ratio) ? ratio : 1.0; }

// True when the whole multiple leaves more than a quarter of the side that
// limits the fit empty: a 4:3 picture always leaves the other side partly
// empty on a wide or tall screen, and that is no reason to give up whole
// pixels.
bool wholeLeavesTooMuch(int32_t scale, int32_t width, int32_t height) {
    const int64_t w = width, h = height;
    if (w * kScreenHeight > h * kScreenWidth) return 4 * (h - int64_t{kScreenHeight} * scale) > h;
    return 4 * (w - int64_t{kScreenWidth} * scale) > w;
}

// One side of the canvas: the whole units inside [start, start + length),
// as a CSS offset from `start` and a count of units.
struct Span {
    double offset;
    int64_t units;
};

Span alignedSpan(double start, double length, double unit) {
    if (!(length > 0) || !std::isfinite(start) || !std::isfinite(length)) return Span{0, 0};
    // A hair's tolerance: layout gives sizes like 763.4999 for 763.5.
    const double first = std::ceil(start / unit - 1e-6);
    const double last = std::floor((start + length) / unit + 1e-6);
    return Span{first * unit - start, static_cast<int64_t>(std::max(0.0, last - first))};
}

// The picture pixel shown on device pixel `device` (a pointer position in
// device pixels, fractions allowed) of a picture `span` device pixels long;
// clamped to the picture.
int32_t pictureAxis(double device, int32_t span, int32_t size, bool browser) {
    if (!(device >= 0) || span <= 0) return 0;  // also not a number
    // Pointer positions come as CSS pixels times a ratio; a hair under a
    // whole device pixel is that pixel.
    const double pixel = std::floor(device + 1e-6);
    if (pixel >= span) return size - 1;
    const int64_t d = static_cast<int64_t>(pixel);
    return browser ? browserSource(d, span, size) : enlargedSource(d, span, size);
}

}  // namespace

int32_t enlargedSource(int64_t device, int32_t span, int32_t size) {
    return static_cast<int32_t>((2 * device + 1) * size / (2 * int64_t{span}));
}

int32_t browserSource(int64_t device, int32_t span, int32_t size) {
    return static_cast<int32_t>(((2 * device + 1) * size - 1) / (2 * int64_t{span}));
}

int32_t alignedCssUnit(double pixelRatio) {
    const double ratio = usableRatio(pixelRatio);
    for (int32_t unit = 1; unit <= kLargestUnit; ++unit) {
        const double device = ratio * unit;
        if (std::abs(device - std::round(device)) < 1e-4 * unit) return unit;
    }
    return 1;
}

PageFit fitPictureOnPage(const PageArea& area) {
    const double ratio = usableRatio(area.pixelRatio);
    const int32_t unit = alignedCssUnit(ratio);
    const int32_t unitDevice = static_cast<int32_t>(std::round(ratio * unit));
    PageFit fit{false, 0, Rect{0, 0, 0, 0}, 0, 0, 0, 0, false, 0, 0};
    const Span across = alignedSpan(area.left, area.width, unit);
    const Span down = alignedSpan(area.top, area.height, unit);
    const double areaWidth = std::min(static_cast<double>(across.units) * unitDevice, kLargestDevicePixels);
    const double areaHeight = std::min(static_cast<double>(down.units) * unitDevice, kLargestDevicePixels);
    if (areaWidth < 1 || areaHeight < 1) return fit;
    const int32_t width = static_cast<int32_t>(areaWidth), height = static_cast<int32_t>(areaHeight);

    const int32_t scale = std::min(width / kScreenWidth, height / kScreenHeight);
    Rect box;
    if (scale >= 1 && !wholeLeavesTooMuch(scale, width, height)) {
        fit.whole = true;
        fit.scale = scale;
        box = Rect{0, 0, kScreenWidth * scale, kScreenHeight * scale};
    } else {
        box = letterboxRect(width, height);
        box = Rect{0, 0, box.right - box.left, box.bottom - box.top};
    }
    // Centred, to the nearest whole unit below: a canvas's corner must sit
    // on one.
    const int32_t left = (width - box.right) / 2 / unitDevice * unitDevice;
    const int32_t top = (height - box.bottom) / 2 / unitDevice * unitDevice;
    fit.device = Rect{left, top, left + box.right, top + box.bottom};
    const int32_t unitsAcross = (box.right + unitDevice - 1) / unitDevice;
    const int32_t unitsDown = (box.bottom + unitDevice - 1) / unitDevice;
    fit.cssLeft = across.offset + static_cast<double>(left / unitDevice) * unit;
    fit.cssTop = down.offset + static_cast<double>(top / unitDevice) * unit;
    fit.cssWidth = static_cast<double>(unitsAcross) * unit;
    fit.cssHeight = static_cast<double>(unitsDown) * unit;
    fit.browserEnlarges = unitDevice == 1 && unit == 1;
    fit.canvasWidth = fit.browserEnlarges ? kScreenWidth : unitsAcross * unitDevice;
    fit.canvasHeight = fit.browserEnlarges ? kScreenHeight : unitsDown * unitDevice;
    return fit;
}

Point pagePointToPicture(double x, double y, double pixelRatio, const PageFit& fit) {
    const double ratio = usableRatio(pixelRatio);
    return Point{pictureAxis(x * ratio, fit.device.right - fit.device.left, kScreenWidth, fit.browserEnlarges),
                 pictureAxis(y * ratio, fit.device.bottom - fit.device.top, kScreenHeight, fit.browserEnlarges)};
}
