// The picture on the canvas. A present only keeps the 8-bit picture and its
// colours; once the call that presented returns to the page, the parts that
// changed since the canvas was last drawn (all of it after a change of
// colours) are converted to RGBA and put on the canvas (web_layout.cpp
// places it): as they are where CSS pixels are device pixels and the browser
// enlarges them crisply, else enlarged onto the screen's own pixels first
// (platform/common/picture_enlarge), the canvas having one pixel per device
// pixel. The browser shows it in its next animation frame. Presents of one
// call (the fade takes several) cost a copy each and one drawing.
//
// No requestAnimationFrame: asking for animation frames 33 times a second
// cost headless Chromium more than half again the CPU of the whole game, and
// the pictures come at the pump's timers anyway. The canvas is a
// "desynchronized" (low-latency) one for the same reason: the browser takes
// its pictures without a full compositor commit.
#include <emscripten/emscripten.h>

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

PictureChanges drawnChanges;  // what the canvas shows, as indices
PaletteEntry drawnColours[256];
bool drawnColoursValid = false;
uint32_t rgbaTable[256];
std::vector<uint32_t> rgba;  // the picture's pixels as drawn, kept between draws
Enlargement enlarged;        // how they go on the canvas's pixels
std::vector<Rect> changed;
std::vector<uint32_t> blocks;   // the enlarged rectangles, one after another
std::vector<int32_t> putRects;  // x, y, width, height of each, in canvas pixels

// The page's canvas, made ready on first use.
// clang-format off
EM_JS(void, makeScreen, (const char* selector), {
    if (Module["nmnmScreen"]) return;
    const canvas = document.querySelector(UTF8ToString(selector));
    if (!canvas) return;
    Module["nmnmScreen"] = { canvas, context: canvas.getContext("2d", { alpha: false, desynchronized: true }) };
});
// clang-format on

// Puts `count` rectangles on the canvas: rectangle i is x, y, width, height
// at rects[4i..], its pixels the next width x height of `pixels`. Each goes
// as an image of its own size, laid over the module's memory: nothing is
// copied until the put, and the browser handles no more than the rectangle.
// clang-format off
EM_JS(void, putOnCanvas, (const uint32_t* pixels, const int32_t* rects, int count), {
    const screen = Module["nmnmScreen"];
    if (!screen) return;
    if ((window.devicePixelRatio || 1) !== Module["nmnmLayoutRatio"] && Module["nmnmRelayout"]) {
        // The ratio changed unheard (an emulated screen tells no query):
        // placed again, which draws everything.
        Module["nmnmRelayout"]();
        return;
    }
    let at = pixels;
    for (let i = 0; i < count; ++i) {
        const r = (rects >> 2) + i * 4;
        const width = HEAP32[r + 2], height = HEAP32[r + 3];
        const image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, at, width * height * 4), width, height);
        screen.context.putImageData(image, HEAP32[r], HEAP32[r + 1]);
        at += width * height * 4;
    }
    if (!screen.drawn && count > 0) {
        screen.drawn = true;
        performance.mark("nmnm-first-picture");
    }
});
// clang-format on

// The page's canvas given `width` x `height` pixels, all black; the picture
// takes `pictureWidth` x `pictureHeight` of them from the corner (kept for
// the page's tests).
// clang-format off
EM_JS(void, sizeScreen, (int width, int height, int pictureWidth, int pictureHeight), {
    const screen = Module["nmnmScreen"];
    if (!screen) return;
    screen.picture = { width: pictureWidth, height: pictureHeight };
    if (screen.canvas.width !== width || screen.canvas.height !== height) {
        screen.canvas.width = width;
        screen.canvas.height = height;
    }
    screen.context.fillStyle = "#000";
    screen.context.fillRect(0, 0, width, height);
});
// clang-format on

// Enlarges the picture rectangles `rects` and puts them on the canvas.
void putEnlarged(const std::vector<Rect>& rects) {
    if (rgba.empty()) return;
    blocks.clear();
    putRects.clear();
    for (const Rect& r : rects) {
        const Rect d = enlargeRect(enlarged, rgba.data(), r, blocks);
        if (d.right > d.left && d.bottom > d.top)
            putRects.insert(putRects.end(), {d.left, d.top, d.right - d.left, d.bottom - d.top});
    }
    putOnCanvas(blocks.data(), putRects.data(), static_cast<int>(putRects.size() / 4));
}

// Once the call that presented has returned to the page: every present of
// that call (the fade takes several) costs a copy, and one drawing shows the
// last.
// clang-format off
EM_JS(void, drawWhenCallReturns, (), { queueMicrotask(() => _nmnm_web_draw()); });
// clang-format on

void drawOnCanvas() {
    if (!havePicture) return;
    const IndexedPicture picture{latestPixels.data(), kScreenWidth, kScreenWidth, kScreenHeight, latestColours};
    collectPictureChanges(drawnChanges, picture, changed);
    if (!drawnColoursValid || std::memcmp(drawnColours, latestColours, sizeof drawnColours) != 0) {
        std::memcpy(drawnColours, latestColours, sizeof drawnColours);
        buildRgbaTable(drawnColours, rgbaTable);
        drawnColoursValid = true;
        changed.assign(1, Rect{0, 0, kScreenWidth, kScreenHeight});
    }
    if (changed.empty()) return;
    if (changed.size() > kMaxPutRects) changed.assign(1, boundingBox(changed));
    rgba.resize(static_cast<size_t>(kScreenWidth) * kScreenHeight);
    for (const Rect& r : changed) convertRectToRgba(picture, rgbaTable, r, rgba.data(), kScreenWidth);
    putEnlarged(changed);
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void nmnm_web_draw() {
    if (!drawRequested) return;  // the window closed meanwhile
    drawRequested = false;
    drawOnCanvas();
}

void hostPresent(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height, const PaletteEntry colours[256]) {
    if (!pixels || width != kScreenWidth || height != kScreenHeight || pitch < width) return;
    latestPixels.resize(static_cast<size_t>(kScreenWidth) * kScreenHeight);
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(latestPixels.data() + static_cast<size_t>(y) * kScreenWidth,
                    pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch), static_cast<size_t>(width));
    std::memcpy(latestColours, colours, sizeof latestColours);
    havePicture = true;
    if (!drawRequested) {
        drawRequested = true;
        drawWhenCallReturns();
    }
}

// The display objects go away after this; the canvas keeps what it shows
// until the window closes.
void hostCloseDisplay() { havePicture = false; }

void clearPresentation() {
    drawRequested = false;
    havePicture = false;
    forgetShownPicture(drawnChanges);
    drawnColoursValid = false;
    rgba.clear();
    sizeScreen(webHost.fit.canvasWidth, webHost.fit.canvasHeight, enlarged.width, enlarged.height);
}

void placePresentation(const PageFit& fit) {
    makeScreen(kCanvasSelector);
    // Where the browser enlarges, the canvas is the picture as it is.
    if (fit.browserEnlarges) prepareEnlargement(enlarged, kScreenWidth, kScreenHeight);
    else prepareEnlargement(enlarged, fit.device.right - fit.device.left, fit.device.bottom - fit.device.top);
    // A new size clears a canvas: everything drawn again at once.
    sizeScreen(fit.canvasWidth, fit.canvasHeight, enlarged.width, enlarged.height);
    putEnlarged({Rect{0, 0, kScreenWidth, kScreenHeight}});
}

// The picture as drawn, 640 x 480 RGBA pixels; null before the first draw.
extern "C" EMSCRIPTEN_KEEPALIVE const uint32_t* nmnm_test_picture() { return rgba.empty() ? nullptr : rgba.data(); }
