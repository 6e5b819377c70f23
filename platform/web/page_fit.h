#pragma once
// Where the 640 x 480 picture sits in a web page's game area, worked out in
// the screen's own (device) pixels so that it is never blurred: the largest
// whole multiple that fits, centred on black, unless that leaves more than a
// quarter of the area empty (a phone), then the largest size that fits with
// nearest-neighbour pixels. The canvas's edges fall where CSS pixels and
// device pixels meet, so no browser ever smooths or shifts it. Where CSS
// pixels are device pixels the canvas is the picture's own 640 x 480 and
// the browser enlarges it (cheapest without a graphics processor);
// elsewhere it has one pixel per device pixel and the picture is enlarged
// into it (picture_enlarge.h). Also where a pointer falls in the picture.
// Plain arithmetic, free of any browser header.
#include <cstdint>

#include "base/geometry.h"

// The game area as the page lays it out: its box in CSS pixels from the
// document's corner and the device pixels per CSS pixel (devicePixelRatio).
struct PageArea {
    double left;
    double top;
    double width;
    double height;
    double pixelRatio;
};

struct PageFit {
    // A whole multiple (`scale` device pixels per picture pixel); false for
    // the nearest-neighbour size, and for an area with no room at all.
    bool whole;
    int32_t scale;
    // The picture in device pixels, from the area's first device pixel on a
    // whole CSS unit.
    Rect device;
    // The canvas's box in CSS pixels from the area's corner: the picture,
    // its edges rounded out to whole units. The picture starts at its corner.
    double cssLeft;
    double cssTop;
    double cssWidth;
    double cssHeight;
    // The canvas's own pixels: 640 x 480 where the browser enlarges them,
    // else the device pixels of its box.
    bool browserEnlarges;
    int32_t canvasWidth;
    int32_t canvasHeight;
};

// The CSS length at which a whole number of CSS pixels is also a whole
// number of device pixels (1 at a ratio of 1, 2 or 3; 4 at 1.25 or 1.75; 8
// at 2.625), up to 16; 1 for a ratio that has none.
int32_t alignedCssUnit(double pixelRatio);

// The fit for `area`. A ratio that is not a positive number counts as 1; an
// area too small for one aligned unit gets an empty canvas.
PageFit fitPictureOnPage(const PageArea& area);

// The picture pixel an enlargement to `span` device pixels shows on device
// pixel `device` (0 to span - 1) of `size` picture pixels: the one under the
// device pixel's centre, floor((device + 1/2) * size / span). A browser
// takes the one before where the centre falls exactly between two (as at
// 497 of 995): browserSource.
int32_t enlargedSource(int64_t device, int32_t span, int32_t size);
int32_t browserSource(int64_t device, int32_t span, int32_t size);

// The picture pixel under a point `x`, `y` CSS pixels from the canvas's
// corner (fractions allowed, as pointer events give them): the pixel shown
// on the device pixel there, by the browser or by picture_enlarge.h,
// clamped to the picture's edges as the desktop clamps the cursor. Top-left for an empty picture or
// a point that is not a number.
Point pagePointToPicture(double x, double y, double pixelRatio, const PageFit& fit);
