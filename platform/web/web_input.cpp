// The page's pointer and keys. Pointer Events serve the mouse, a finger and
// a pen alike: the mouse moves the swatter wherever it goes over the page; a
// finger or pen pressed on the game area moves it to where it touches and
// holds the left button until it lifts, captured so that letting go
// anywhere lets go. Positions are mapped through the canvas's fit in device
// pixels when the game reads them, clamped to the picture's edge like the
// desktop cursor. Over the game there is no scrolling, zooming, selection
// or long-press menu (with the page's touch-action: none); keys reach the
// game only while its area has the focus, and losing the focus lets go of
// everything held.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

#include "base/host.h"
#include "base/virtual_keys.h"
#include "platform/web/page_fit.h"
#include "platform/web/web_host.h"
#include "platform/web/web_page.h"

namespace {

// What the page's pointer listeners report (nmnm_web_pointer's `kind`;
// 0 is a move).
constexpr int kPointerDown = 1;
constexpr int kPointerUp = 2;

// clang-format off
EM_JS(void, listenToPointers, (const char* areaSelector, const char* canvasSelector), {
    const area = document.querySelector(UTF8ToString(areaSelector));
    const canvas = document.querySelector(UTF8ToString(canvasSelector));
    if (!area || !canvas) return;
    let held = null;  // the pointer holding the button: the first finger, the pen, the mouse
    const tell = (kind, event) => {
        const r = canvas.getBoundingClientRect();
        Module["_nmnm_web_pointer"](kind, event.clientX, event.clientY, r.left, r.top);
    };
    const letGo = (event) => {
        if (event.pointerId !== held) return;
        held = null;
        tell(2, event);
    };
    window.addEventListener("pointermove", (event) => {
        if (held !== null ? event.pointerId !== held : event.pointerType === "touch") return;
        tell(0, event);
        // A mouse button let go outside the browser's window.
        if (held !== null && event.pointerType === "mouse" && !(event.buttons & 1)) letGo(event);
    }, { passive: true });
    area.addEventListener("pointerdown", (event) => {
        // The picture and its black bars; not the buttons laid over them.
        if (event.button !== 0 || held !== null || (event.target !== area && event.target !== canvas)) return;
        held = event.pointerId;
        try {
            area.setPointerCapture(event.pointerId);
        } catch (error) {
            // A pointer already gone: its pointerup or pointercancel follows.
        }
        // No selection, no drag; the focus such a press would give, given here.
        event.preventDefault();
        if (document.activeElement !== area) area.focus({ preventScroll: true });
        tell(1, event);
    });
    for (const name of ["pointerup", "pointercancel", "lostpointercapture"]) area.addEventListener(name, letGo);
    area.addEventListener("blur", () => {
        if (held !== null && area.hasPointerCapture(held)) area.releasePointerCapture(held);
        held = null;
    });
    for (const name of ["contextmenu", "selectstart", "dragstart"]) {
        area.addEventListener(name, (event) => {
            if (event.target === area || event.target === canvas) event.preventDefault();
        });
    }
});
// clang-format on

// clang-format off
EM_JS(void, toggleFullScreen, (), {
    if (Module["toggleFullScreen"]) Module["toggleFullScreen"]();
});
// clang-format on

bool liveInput() { return webHost.open && !webHost.scripted; }

// Keys that would scroll the page under the game.
bool scrollsThePage(const EmscriptenKeyboardEvent& event) {
    static const char* const kKeys[] = {"ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", " "};
    for (const char* key : kKeys)
        if (std::strcmp(event.key, key) == 0) return true;
    return false;
}

int virtualKeyOf(const EmscriptenKeyboardEvent& event) {
    if (std::strcmp(event.key, "ArrowUp") == 0) return VK_UP;
    if (std::strcmp(event.key, "ArrowDown") == 0) return VK_DOWN;
    if (std::strcmp(event.key, "Escape") == 0) return VK_ESCAPE;
    return 0;
}

bool inFullScreen() {
    EmscriptenFullscreenChangeEvent status;
    return emscripten_get_fullscreen_status(&status) == EMSCRIPTEN_RESULT_SUCCESS && status.isFullscreen;
}

bool isFullScreenKey(const EmscriptenKeyboardEvent& event) {
    if (event.ctrlKey || event.metaKey) return false;
    if (std::strcmp(event.key, "Enter") == 0) return event.altKey;
    return !event.altKey && (std::strcmp(event.key, "f") == 0 || std::strcmp(event.key, "F") == 0);
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* event, void*) {
    if (!liveInput()) return EM_FALSE;
    if (isFullScreenKey(*event)) {
        if (!event->repeat) toggleFullScreen();
        return EM_TRUE;
    }
    const int key = virtualKeyOf(*event);
    if (key == 0) return scrollsThePage(*event) ? EM_TRUE : EM_FALSE;
    // In the browser's full screen, Esc is the browser's: it leaves full
    // screen and nothing else.
    if (key == VK_ESCAPE && inFullScreen()) return EM_FALSE;
    if (key != VK_ESCAPE) inputKeyChanged(webHost.input, key, true);
    if (!event->repeat) {
        inputKeyPressed(webHost.input, key);
        // Esc ends the run at once, not at the next frame.
        if (key == VK_ESCAPE) wakeEntry();
    }
    return EM_TRUE;
}

EM_BOOL onKeyUp(int, const EmscriptenKeyboardEvent* event, void*) {
    if (!liveInput()) return EM_FALSE;
    const int key = virtualKeyOf(*event);
    if (key == 0 || key == VK_ESCAPE) return scrollsThePage(*event) ? EM_TRUE : EM_FALSE;
    inputKeyChanged(webHost.input, key, false);
    return EM_TRUE;
}

// Keys and buttons let go after the focus left never arrive here.
EM_BOOL onGameAreaBlur(int, const EmscriptenFocusEvent*, void*) {
    inputReleaseAll(webHost.input);
    return EM_FALSE;
}

}  // namespace

// The page's pointer listeners: a move, or the button pressed or let go, at
// (x, y) in CSS pixels of the viewport, with the canvas's corner then.
extern "C" EMSCRIPTEN_KEEPALIVE void nmnm_web_pointer(int kind, double x, double y, double canvasLeft,
                                                      double canvasTop) {
    if (!liveInput()) return;
    webHost.clientX = x;
    webHost.clientY = y;
    webHost.canvasLeft = canvasLeft;
    webHost.canvasTop = canvasTop;
    webHost.pointerSeen = true;
    if (kind == kPointerDown) inputButtonChanged(webHost.input, true);
    if (kind == kPointerUp) inputButtonChanged(webHost.input, false);
}

void registerInputEvents() {
    listenToPointers(kGameAreaSelector, kCanvasSelector);
    emscripten_set_keydown_callback(kGameAreaSelector, nullptr, EM_FALSE, onKeyDown);
    emscripten_set_keyup_callback(kGameAreaSelector, nullptr, EM_FALSE, onKeyUp);
    emscripten_set_blur_callback(kGameAreaSelector, nullptr, EM_FALSE, onGameAreaBlur);
}

void webUseScriptedInput() { webHost.scripted = true; }

void webSetScriptedInput(uint32_t tick, int32_t x, int32_t y, bool leftButton, bool up, bool down) {
    ScriptedInput& s = webHost.script;
    s.tick = tick;
    s.cursor = Point{x, y};
    s.keys[VK_LBUTTON] = leftButton ? 0x80 : 0;
    s.keys[VK_UP] = up ? 0x80 : 0;
    s.keys[VK_DOWN] = down ? 0x80 : 0;
}

Point hostCursorPos() {
    if (webHost.scripted) return webHost.script.cursor;
    if (!webHost.pointerSeen) return Point{0, 0};
    // From the canvas where it stood when the pointer was there: a page
    // scrolled since moves the canvas, not the pointer's place on it.
    return pagePointToPicture(webHost.clientX - webHost.canvasLeft, webHost.clientY - webHost.canvasTop,
                              webHost.pixelRatio, webHost.fit);
}

void hostKeyboardState(uint8_t keyState[256]) {
    if (webHost.scripted) {
        std::memcpy(keyState, webHost.script.keys, 256);
        return;
    }
    inputReadKeyState(webHost.input, keyState);
}
