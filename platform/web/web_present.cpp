// The picture on the canvas. A present only keeps the 8-bit picture and its
// colours and asks for an animation frame; there the parts that changed since
// the canvas was last drawn (all of it after a change of colours) are
// converted to RGBA, enlarged onto the screen's own pixels
// (platform/common/picture_enlarge) and put on the page's canvas, which has
// one pixel per device pixel (web_layout.cpp), so the browser never scales
// it. Presents between two animation frames (the fade takes several) cost a
// copy each, and the browser draws at most once per display refresh.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/host.h"
#include "platform/common/picture_changes.h"
#include "platform/common/picture_enlarge.h"
#include "platform/common/rgba_picture.h"
#include "platform/web/web_host.h"

namespace {

// Past this many rectangles one bounding box is put instead: each put has a
// fixed cost in the browser.
constexpr size_t kMaxPutRects = 24;

std::vector<uint8_t> latestPixels;  // the picture last presented
PaletteEntry latestColours[256];
bool havePicture = false;
bool drawRequested = false;
long drawRequest = 0;

PictureChanges drawnChanges;        // what the canvas shows, as indices
PaletteEntry drawnColours[256];
bool drawnColoursValid = false;
uint32_t rgbaTable[256];
std::vector<uint32_t> rgba;         // the picture's pixels as drawn, kept between draws
Enlargement enlarged;               // and on the screen's pixels
Rect pictureAt{0, 0, 0, 0};         // where on the canvas
std::vector<Rect> changed;
std::vector<int32_t> putRects;      // x, y, width, height of each device rectangle

// The page's canvas, made ready on first use.
EM_JS(void, makeScreen, (const char* selector), {
    if (Module["nmnmScreen"]) return;
    const canvas = document.querySelector(UTF8ToString(selector));
    if (!canvas) return;
    Module["nmnmScreen"] = { canvas, context: canvas.getContext("2d", { alpha: false }), image: null, pixels: 0 };
});

// Puts device rectangles (x, y, width, height) of the enlarged picture
// (`width` x `height` pixels at `pixels`) on the canvas, the picture's
// corner at (left, top).
EM_JS(void, putOnCanvas, (const uint32_t* pixels, int width, int height, int left, int top, const int32_t* rects,
                          int count), {
    const screen = Module["nmnmScreen"];
    if (!screen) return;
    if ((window.devicePixelRatio || 1) !== Module["nmnmLayoutRatio"] && Module["nmnmRelayout"]) {
        // The ratio changed unheard (an emulated screen tells no query):
        // placed again, which draws everything.
        Module["nmnmRelayout"]();
        return;
    }
    // An ImageData laid over the module's memory: nothing is copied until
    // the put. Made again if the memory grew and moved, or the size changed.
    const image = screen.image;
    if (!image || image.data.buffer !== HEAPU8.buffer || screen.pixels !== pixels || image.width !== width ||
        image.height !== height) {
        screen.image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4), width, height);
        screen.pixels = pixels;
    }
    for (let i = 0; i < count; ++i) {
        const r = (rects >> 2) + i * 4;
        screen.context.putImageData(screen.image, left, top, HEAP32[r], HEAP32[r + 1], HEAP32[r + 2], HEAP32[r + 3]);
    }
    if (!screen.drawn && count > 0) {
        screen.drawn = true;
        performance.mark("nmnm-first-picture");
    }
});

// The page's canvas given `width` x `height` pixels, all black, and where
// the picture goes on it (kept for the page's tests).
EM_JS(void, sizeScreen, (int width, int height, int left, int top, int pictureWidth, int pictureHeight), {
    const screen = Module["nmnmScreen"];
    if (!screen) return;
    screen.at = { left, top, width: pictureWidth, height: pictureHeight };
    if (screen.canvas.width !== width || screen.canvas.height !== height) {
        screen.canvas.width = width;
        screen.canvas.height = height;
    }
    screen.context.fillStyle = "#000";
    screen.context.fillRect(0, 0, width, height);
});

Rect boundingBox(const std::vector<Rect>& rects) {
    Rect box = rects.front();
    for (const Rect& r : rects) {
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
    }
    return box;
}

// Enlarges the picture rectangles `rects` and puts them on the canvas.
void putEnlarged(const std::vector<Rect>& rects) {
    if (rgba.empty()) return;
    putRects.clear();
    for (const Rect& r : rects) {
        const Rect d = enlargeRect(enlarged, rgba.data(), r);
        if (d.right > d.left && d.bottom > d.top)
            putRects.insert(putRects.end(), {d.left, d.top, d.right - d.left, d.bottom - d.top});
    }
    putOnCanvas(enlarged.pixels.data(), enlarged.width, enlarged.height, pictureAt.left, pictureAt.top,
                putRects.data(), static_cast<int>(putRects.size() / 4));
}

EM_BOOL drawOnCanvas(double, void*) {
    drawRequested = false;
    if (!havePicture) return EM_FALSE;
    const IndexedPicture picture{latestPixels.data(), kScreenWidth, kScreenWidth, kScreenHeight, latestColours};
    collectPictureChanges(drawnChanges, picture, changed);
    if (!drawnColoursValid || std::memcmp(drawnColours, latestColours, sizeof drawnColours) != 0) {
        std::memcpy(drawnColours, latestColours, sizeof drawnColours);
        buildRgbaTable(drawnColours, rgbaTable);
        drawnColoursValid = true;
        changed.assign(1, Rect{0, 0, kScreenWidth, kScreenHeight});
    }
    if (changed.empty()) return EM_FALSE;
    if (changed.size() > kMaxPutRects) changed.assign(1, boundingBox(changed));
    rgba.resize(static_cast<size_t>(kScreenWidth) * kScreenHeight);
    for (const Rect& r : changed) convertRectToRgba(picture, rgbaTable, r, rgba.data(), kScreenWidth);
    putEnlarged(changed);
    return EM_FALSE;
}

}  // namespace

void hostPresent(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                 const PaletteEntry colours[256]) {
    if (!pixels || width != kScreenWidth || height != kScreenHeight || pitch < width) return;
    latestPixels.resize(static_cast<size_t>(kScreenWidth) * kScreenHeight);
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(latestPixels.data() + static_cast<size_t>(y) * kScreenWidth,
                    pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch), static_cast<size_t>(width));
    std::memcpy(latestColours, colours, sizeof latestColours);
    havePicture = true;
    if (!drawRequested) {
        drawRequested = true;
        drawRequest = emscripten_request_animation_frame(drawOnCanvas, nullptr);
    }
}

// The display objects go away after this; the canvas keeps what it shows
// until the window closes.
void hostCloseDisplay() { havePicture = false; }

void clearPresentation() {
    if (drawRequested) emscripten_cancel_animation_frame(drawRequest);
    drawRequested = false;
    havePicture = false;
    forgetShownPicture(drawnChanges);
    drawnColoursValid = false;
    rgba.clear();
    const Rect& p = webHost.fit.picture;
    sizeScreen(webHost.fit.canvasWidth, webHost.fit.canvasHeight, p.left, p.top, p.right - p.left, p.bottom - p.top);
}

void placePresentation(const PageFit& fit) {
    makeScreen(kCanvasSelector);
    pictureAt = fit.picture;
    prepareEnlargement(enlarged, fit.picture.right - fit.picture.left, fit.picture.bottom - fit.picture.top);
    // A new size clears a canvas: everything drawn again at once.
    const Rect& p = fit.picture;
    sizeScreen(fit.canvasWidth, fit.canvasHeight, p.left, p.top, p.right - p.left, p.bottom - p.top);
    putEnlarged({Rect{0, 0, kScreenWidth, kScreenHeight}});
}

// The picture as drawn, 640 x 480 RGBA pixels; null before the first draw.
extern "C" EMSCRIPTEN_KEEPALIVE const uint32_t* nmnm_test_picture() { return rgba.empty() ? nullptr : rgba.data(); }
