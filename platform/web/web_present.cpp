// The picture on the canvas. A present only keeps the 8-bit picture and its
// colours; when the entry's step returns (webShowPresented), the presenting
// step says what changed since the canvas was last drawn, and only that is
// enlarged (platform/common/picture_enlarge) into RGBA blocks and put on the
// canvas, in one call into the page: at the picture's own size where CSS
// pixels are device pixels and the browser enlarges it crisply, else onto
// the screen's own pixels, the canvas having one pixel per device pixel
// (web_layout.cpp places it). The browser shows it in its next animation
// frame. Presents of one step (the fade takes several) cost a copy each and
// one drawing.
//
// No requestAnimationFrame: asking for animation frames 33 times a second
// cost headless Chromium more than half again the CPU of the whole game, and
// the pictures come at the pump's timers anyway. The canvas is a
// "desynchronized" (low-latency) one for the same reason: the browser takes
// its pictures without a full compositor commit.
#include <emscripten/emscripten.h>

#include <cstring>
#include <vector>

#include "base/host.h"
#include "platform/common/picture_enlarge.h"
#include "platform/common/present_step.h"
#include "platform/web/web_host.h"
#include "platform/web/web_page.h"

namespace {

// Past this many rectangles one bounding box is put instead: each put has a
// fixed cost in the browser.
constexpr size_t kMaxPutRects = 24;

std::vector<uint8_t> latestPixels;  // the picture last presented
PaletteEntry latestColours[256];
bool havePicture = false;
bool drawPending = false;  // presented since the last drawing

PresentStep step;      // what the canvas shows
bool drawn = false;    // the canvas shows a picture
Enlargement enlarged;  // how it goes on the canvas's pixels
uint32_t rgbaTable[256];
std::vector<uint32_t> blocks;   // the enlarged rectangles, one after another
std::vector<int32_t> putRects;  // x, y, width, height of each, in canvas pixels
std::vector<uint32_t> testPicture;

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
// Says whether the pixel ratio is still the one the canvas was placed for
// (an emulated screen changes it without a word), for the layout to place it
// again after the call.
// clang-format off
EM_JS(int, putOnCanvas, (const uint32_t* pixels, const int32_t* rects, int count), {
    const screen = Module["nmnmScreen"];
    if (!screen) return 1;
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
    return (window.devicePixelRatio || 1) === Module["nmnmLayoutRatio"] ? 1 : 0;
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

// Puts what the step asks for `picture` on the canvas.
void draw(const IndexedPicture& picture) {
    const PresentSend send = planPresent(step, picture, enlarged.width, enlarged.height);
    if (send == PresentSend::Nothing) return;
    if (send == PresentSend::Everything) buildPixelTable(step.colours, PixelOrder::Rgba, rgbaTable);
    if (step.parts.size() > kMaxPutRects) step.parts.assign(1, boundingBox(step.parts));
    const IndexedPicture shown = lastPicture(step);
    blocks.clear();
    putRects.clear();
    for (const Rect& part : step.parts) {
        const Rect d = enlargedRect(enlarged, part);
        if (d.left >= d.right) continue;
        const size_t start = blocks.size();
        const int32_t width = d.right - d.left;
        blocks.resize(start + static_cast<size_t>(width) * static_cast<size_t>(d.bottom - d.top));
        enlargeArea(enlarged, shown, rgbaTable, d, reinterpret_cast<uint8_t*>(blocks.data() + start),
                    width * static_cast<int32_t>(sizeof(uint32_t)), 4);
        putRects.insert(putRects.end(), {d.left, d.top, width, d.bottom - d.top});
    }
    drawn = true;
    if (!putOnCanvas(blocks.data(), putRects.data(), static_cast<int>(putRects.size() / 4))) placeAgain();
}

}  // namespace

void webShowPresented() {
    if (!drawPending) return;
    drawPending = false;
    if (havePicture)
        draw(IndexedPicture{latestPixels.data(), kScreenWidth, kScreenWidth, kScreenHeight, latestColours});
}

void hostPresent(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height, const PaletteEntry colours[256]) {
    if (!pixels || width != kScreenWidth || height != kScreenHeight || pitch < width) return;
    latestPixels.resize(static_cast<size_t>(kScreenWidth) * kScreenHeight);
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(latestPixels.data() + static_cast<size_t>(y) * kScreenWidth,
                    pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch), static_cast<size_t>(width));
    std::memcpy(latestColours, colours, sizeof latestColours);
    havePicture = true;
    drawPending = true;
}

// The display objects go away after this; the canvas keeps what it shows
// until the window closes.
void hostCloseDisplay() { havePicture = false; }

void clearPresentation() {
    drawPending = false;
    havePicture = false;
    drawn = false;
    forgetScreen(step);
    sizeScreen(webHost.fit.canvasWidth, webHost.fit.canvasHeight, enlarged.width, enlarged.height);
}

void placePresentation(const PageFit& fit) {
    makeScreen(kCanvasSelector);
    // Where the browser enlarges, the canvas is the picture as it is.
    if (fit.browserEnlarges)
        prepareEnlargement(enlarged, kScreenWidth, kScreenHeight, kScreenWidth, kScreenHeight, enlargedSource);
    else
        prepareEnlargement(enlarged, kScreenWidth, kScreenHeight, fit.device.right - fit.device.left,
                           fit.device.bottom - fit.device.top, enlargedSource);
    // A new size clears a canvas: everything drawn again at once, the
    // picture waiting to be drawn if there is one.
    sizeScreen(fit.canvasWidth, fit.canvasHeight, enlarged.width, enlarged.height);
    forgetScreen(step);
    if (drawPending) webShowPresented();
    else if (drawn) draw(lastPicture(step));
}

// The picture as drawn, 640 x 480 RGBA pixels; null before the first draw.
extern "C" EMSCRIPTEN_KEEPALIVE const uint32_t* nmnm_test_picture() {
    if (!drawn) return nullptr;
    testPicture.resize(static_cast<size_t>(kScreenWidth) * kScreenHeight);
    convertPicture(lastPicture(step), PixelOrder::Rgba, testPicture.data(), kScreenWidth);
    return testPicture.data();
}
