#pragma once
// Where the 640 x 480 picture sits in a web page's game area, worked out in
// the screen's own (device) pixels so that it is never blurred: the largest
// whole multiple that fits, centred on black, unless that leaves more than a
// quarter of the area empty (a phone), then the largest size that fits with
// nearest-neighbour pixels. Also where a pointer over the page falls in the
// picture. Plain arithmetic, free of any browser header.
#include <cstdint>

#include "base/geometry.h"

// The game area as the page lays it out: its box in CSS pixels of the
// viewport and the device pixels per CSS pixel (devicePixelRatio).
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
    // The picture in device pixels, from the area's first device pixel.
    Rect device;
    // The canvas's box in CSS pixels from the area's top-left corner; it
    // starts and ends on device pixels.
    double cssLeft;
    double cssTop;
    double cssWidth;
    double cssHeight;
    // The canvas keeps the picture's own size; the browser enlarges it with
    // nearest-neighbour pixels (image-rendering: pixelated), so every frame
    // converts 640 x 480 pixels whatever the screen.
    int32_t backingWidth;
    int32_t backingHeight;
};

// The fit for `area`. A ratio that is not a positive number counts as 1; an
// area smaller than one device pixel gets an empty box.
PageFit fitPictureOnPage(const PageArea& area);

// The picture pixel under the page point (`x`, `y`), in CSS pixels of the
// viewport (fractions allowed, as pointer events give them): the pixel the
// nearest-neighbour enlargement draws on the device pixel there, clamped to
// the picture's edges as the desktop clamps the cursor. Top-left for an
// empty box or a point that is not a number.
Point pagePointToPicture(double x, double y, const PageArea& area, const PageFit& fit);
