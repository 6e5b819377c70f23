// Where the picture sits in the game area: worked out in device pixels
// (page_fit.cpp) and put on the page at once whenever the area
// changes size (a resize, a rotation, full screen) or the window moves to a
// screen of another density. The canvas's edges fall on whole CSS and
// device pixels alike; the browser enlarges its 640 x 480 pixels where CSS
// pixels are device pixels, else it has a pixel per device pixel and the
// picture is enlarged into it (web_present.cpp). The pointer is mapped
// through the same fit.
#include <emscripten/emscripten.h>

#include "platform/web/page_fit.h"
#include "platform/web/web_host.h"

namespace {

// clang-format off
EM_JS(void, watchGameArea, (const char* areaSelector), {
    const area = document.querySelector(UTF8ToString(areaSelector));
    if (!area) return;
    // The area from the document's corner: layout snaps there, not to the
    // scrolled view. Told only when it changed: the observers below may see
    // one change each.
    let told = "";
    const tell = () => {
        const r = area.getBoundingClientRect();
        const ratio = window.devicePixelRatio || 1;
        const now = [r.left + window.scrollX, r.top + window.scrollY, r.width, r.height, ratio].join();
        if (now === told) return;
        told = now;
        Module["nmnmLayoutRatio"] = ratio;
        Module["_nmnm_web_area_changed"](r.left + window.scrollX, r.top + window.scrollY, r.width, r.height, ratio);
    };
    // Asked again when a drawing finds the ratio changed unheard (an
    // emulated screen tells no query, nor any observer).
    Module["nmnmRelayout"] = tell;
    // Sizes, in the same frame as the change, before it is painted.
    new ResizeObserver(tell).observe(area);
    // A screen of another density changes no CSS size; a query on the
    // ratio now says when it no longer holds.
    const watchRatio = () => {
        const query = matchMedia("(resolution: " + (window.devicePixelRatio || 1) + "dppx)");
        query.addEventListener("change", () => {
            tell();
            watchRatio();
        }, { once: true });
    };
    watchRatio();
    tell();
});
// clang-format on

// clang-format off
EM_JS(void, relayout, (), {
    if (Module["nmnmRelayout"]) Module["nmnmRelayout"]();
});
// clang-format on

// clang-format off
EM_JS(void, placeCanvas, (const char* selector, double left, double top, double width, double height, int scale), {
    const canvas = document.querySelector(UTF8ToString(selector));
    if (!canvas) return;
    canvas.style.left = left + "px";
    canvas.style.top = top + "px";
    canvas.style.width = width + "px";
    canvas.style.height = height + "px";
    // Hidden by the page's style until it has a place.
    canvas.style.visibility = width > 0 ? "visible" : "hidden";
    // For the page's tests and anyone curious: "2x", "nearest" or "none".
    document.body.dataset.fit = width > 0 ? (scale > 0 ? scale + "x" : "nearest") : "none";
});
// clang-format on

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void nmnm_web_area_changed(double left, double top, double width, double height,
                                                           double pixelRatio) {
    const PageArea area{left, top, width, height, pixelRatio};
    webHost.pixelRatio = pixelRatio;
    webHost.fit = fitPictureOnPage(area);
    const PageFit& f = webHost.fit;
    placeCanvas(kCanvasSelector, f.cssLeft, f.cssTop, f.cssWidth, f.cssHeight, f.whole ? f.scale : 0);
    placePresentation(f);
}

void followGameArea() { watchGameArea(kGameAreaSelector); }

void placeAgain() { relayout(); }
