#include "platform/common/page_fit.h"

#include <algorithm>
#include <cmath>

#include "platform/common/picture_fit.h"

namespace {

double usableRatio(double ratio) { return ratio > 0 && std::isfinite(ratio) ? ratio : 1.0; }

// The device pixel a CSS edge lands on: browsers snap a box's edges to the
// nearest device pixel. Clamped so that a hostile size cannot overflow.
int32_t snap(double css, double ratio) {
    const double device = std::round(css * ratio);
    if (!(device > -1e9)) return -1000000000;  // also not a number
    return static_cast<int32_t>(std::min(device, 1e9));
}

struct DeviceArea {
    int32_t left, top, width, height;
};

DeviceArea deviceArea(const PageArea& area, double ratio) {
    const int32_t left = snap(area.left, ratio), top = snap(area.top, ratio);
    return DeviceArea{left, top, std::max(0, snap(area.left + area.width, ratio) - left),
                      std::max(0, snap(area.top + area.height, ratio) - top)};
}

// True when the whole multiple leaves more than a quarter of the side that
// limits the fit empty: a 4:3 picture always leaves the other side partly
// empty on a wide or tall screen, and that is no reason to give up whole
// pixels.
bool wholeLeavesTooMuch(int32_t scale, int32_t width, int32_t height) {
    const int64_t w = width, h = height;
    if (w * kScreenHeight > h * kScreenWidth) return 4 * (h - int64_t{kScreenHeight} * scale) > h;
    return 4 * (w - int64_t{kScreenWidth} * scale) > w;
}

// The picture pixel the enlargement draws on device pixel `device` of a box
// `span` device pixels long: nearest-neighbour samples at the pixel's centre.
int32_t pictureAxis(double device, int32_t span, int32_t size) {
    if (!(device >= 0) || span <= 0) return 0;  // also not a number
    // Pointer positions come as CSS pixels times a ratio; a hair under a
    // whole device pixel is that pixel.
    const double pixel = std::floor(device + 1e-6);
    const double at = std::floor((pixel + 0.5) * size / span);
    return static_cast<int32_t>(std::min<double>(at, size - 1));
}

}  // namespace

PageFit fitPictureOnPage(const PageArea& area) {
    const double ratio = usableRatio(area.pixelRatio);
    const DeviceArea d = deviceArea(area, ratio);
    PageFit fit{false, 0, Rect{0, 0, 0, 0}, 0, 0, 0, 0, kScreenWidth, kScreenHeight};
    if (d.width <= 0 || d.height <= 0) return fit;
    const int32_t scale = std::min(d.width / kScreenWidth, d.height / kScreenHeight);
    if (scale >= 1 && !wholeLeavesTooMuch(scale, d.width, d.height)) {
        const int32_t w = kScreenWidth * scale, h = kScreenHeight * scale;
        const int32_t left = (d.width - w) / 2, top = (d.height - h) / 2;
        fit.whole = true;
        fit.scale = scale;
        fit.device = Rect{left, top, left + w, top + h};
    } else {
        fit.device = letterboxRect(d.width, d.height);
    }
    // From the viewport's device pixels back to CSS pixels from the area's
    // corner, so that the box's edges fall on the device pixels worked out.
    fit.cssLeft = (d.left + fit.device.left) / ratio - area.left;
    fit.cssTop = (d.top + fit.device.top) / ratio - area.top;
    fit.cssWidth = (fit.device.right - fit.device.left) / ratio;
    fit.cssHeight = (fit.device.bottom - fit.device.top) / ratio;
    return fit;
}

Point pagePointToPicture(double x, double y, const PageArea& area, const PageFit& fit) {
    const double ratio = usableRatio(area.pixelRatio);
    const DeviceArea d = deviceArea(area, ratio);
    return Point{pictureAxis(x * ratio - d.left - fit.device.left, fit.device.right - fit.device.left, kScreenWidth),
                 pictureAxis(y * ratio - d.top - fit.device.top, fit.device.bottom - fit.device.top, kScreenHeight)};
}
