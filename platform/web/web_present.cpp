// The picture on the canvas. A present only keeps the 8-bit picture and its
// colours and asks for an animation frame; there the parts that changed since
// the canvas was last drawn (all of it after a change of colours) are
// converted to RGBA, put on a 640 x 480 picture canvas off the page, and
// enlarged from it onto the page's canvas, whose pixels are the screen's
// (web_layout.cpp): by the whole multiple, rectangle by rectangle, or whole
// with nearest-neighbour pixels. Presents between two animation frames (the
// fade takes several) cost a copy each, and the browser draws at most once
// per display refresh.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/host.h"
#include "platform/common/picture_changes.h"
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
std::vector<uint32_t> rgba;         // the canvas's pixels, kept between draws
std::vector<Rect> changed;
std::vector<int32_t> putRects;      // x, y, width, height of each rectangle

// The page's canvas and the picture canvas behind it, made on first use.
// The enlargement never smooths: every screen pixel is one picture pixel.
EM_JS(void, makeScreen, (const char* selector), {
    if (Module["nmnmScreen"]) return;
    const canvas = document.querySelector(UTF8ToString(selector));
    if (!canvas) return;
    const picture = document.createElement("canvas");
    picture.width = 640;
    picture.height = 480;
    const screen = Module["nmnmScreen"] = {
        canvas,
        context: canvas.getContext("2d", { alpha: false }),
        picture,
        pictureContext: picture.getContext("2d", { alpha: false }),
        image: null,
        pixels: 0,
        at: { left: 0, top: 0, width: 0, height: 0, scale: 0 },
        // Black around the picture, the picture enlarged into its place.
        redraw() {
            const c = screen.context;
            c.imageSmoothingEnabled = false;
            c.fillStyle = "#000";
            c.fillRect(0, 0, canvas.width, canvas.height);
            if (screen.at.width > 0)
                c.drawImage(picture, 0, 0, 640, 480, screen.at.left, screen.at.top, screen.at.width, screen.at.height);
        },
    };
    screen.pictureContext.fillStyle = "#000";
    screen.pictureContext.fillRect(0, 0, 640, 480);
});

EM_JS(void, putOnCanvas, (const uint32_t* pixels, int width, int height, const int32_t* rects, int count), {
    const screen = Module["nmnmScreen"];
    if (!screen) return;
    // An ImageData laid over the module's memory: nothing is copied until
    // the put. Made again if the memory grew and moved.
    if (!screen.image || screen.image.data.buffer !== HEAPU8.buffer || screen.pixels !== pixels) {
        screen.image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4), width, height);
        screen.pixels = pixels;
    }
    const at = screen.at;
    const c = screen.context;
    for (let i = 0; i < count; ++i) {
        const r = (rects >> 2) + i * 4;
        const x = HEAP32[r], y = HEAP32[r + 1], w = HEAP32[r + 2], h = HEAP32[r + 3];
        screen.pictureContext.putImageData(screen.image, 0, 0, x, y, w, h);
        // A whole multiple puts each rectangle on whole screen pixels.
        if (at.scale > 0) c.drawImage(screen.picture, x, y, w, h, at.left + x * at.scale, at.top + y * at.scale,
                                      w * at.scale, h * at.scale);
    }
    // Any other size is drawn whole, so no rectangle's edge falls between
    // screen pixels.
    if (at.scale === 0 && at.width > 0 && count > 0)
        c.drawImage(screen.picture, 0, 0, 640, 480, at.left, at.top, at.width, at.height);
    if (!screen.drawn) {
        screen.drawn = true;
        performance.mark("nmnm-first-picture");
    }
});

// The page's canvas given `width` x `height` pixels and the picture's place
// on it; drawn again at once, as a new size clears a canvas.
EM_JS(void, placeScreen, (int width, int height, int left, int top, int pictureWidth, int pictureHeight, int scale), {
    const screen = Module["nmnmScreen"];
    if (!screen) return;
    if (screen.canvas.width !== width || screen.canvas.height !== height) {
        screen.canvas.width = width;
        screen.canvas.height = height;
    }
    screen.at = { left, top, width: pictureWidth, height: pictureHeight, scale };
    screen.redraw();
});

EM_JS(void, blackenScreen, (), {
    const screen = Module["nmnmScreen"];
    if (!screen) return;
    screen.pictureContext.fillStyle = "#000";
    screen.pictureContext.fillRect(0, 0, 640, 480);
    screen.redraw();
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
    putRects.clear();
    for (const Rect& r : changed) {
        convertRectToRgba(picture, rgbaTable, r, rgba.data(), kScreenWidth);
        putRects.insert(putRects.end(), {r.left, r.top, r.right - r.left, r.bottom - r.top});
    }
    putOnCanvas(rgba.data(), kScreenWidth, kScreenHeight, putRects.data(), static_cast<int>(changed.size()));
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
    blackenScreen();
}

void placePresentation(const PageFit& fit) {
    makeScreen(kCanvasSelector);
    const Rect& p = fit.picture;
    placeScreen(fit.canvasWidth, fit.canvasHeight, p.left, p.top, p.right - p.left, p.bottom - p.top,
                fit.whole ? fit.scale : 0);
}
