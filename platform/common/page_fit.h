#pragma once
// Where the 640 x 480 picture sits in a web page's game area, worked out in
// the screen's own (device) pixels so that it is never blurred: the largest
// whole multiple that fits, centred on black, unless that leaves more than a
// quarter of the area empty (a phone), then the largest size that fits with
// nearest-neighbour pixels. The canvas covers the area with one canvas pixel
// per device pixel, its edges where CSS pixels and device pixels meet, so
// that no browser ever resamples it; the picture is enlarged into it
// (picture_enlarge.h). Also
// where a pointer falls in the picture. Plain arithmetic, free of any
// browser header.
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
    // The canvas's box in CSS pixels from the area's corner, and its pixels:
    // the device pixels it covers.
    double cssLeft;
    double cssTop;
    double cssWidth;
    double cssHeight;
    int32_t canvasWidth;
    int32_t canvasHeight;
    // Where the picture is drawn on the canvas; black around it.
    Rect picture;
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
// device pixel's centre, floor((device + 1/2) * size / span).
int32_t enlargedSource(int64_t device, int32_t span, int32_t size);

// The picture pixel under a point `x`, `y` CSS pixels from the canvas's
// corner (fractions allowed, as pointer events give them): the pixel the
// enlargement (picture_enlarge.h) shows on the device pixel there, clamped
// to the picture's edges as the desktop clamps the cursor. Top-left for an empty picture or
// a point that is not a number.
Point pagePointToPicture(double x, double y, double pixelRatio, const PageFit& fit);
