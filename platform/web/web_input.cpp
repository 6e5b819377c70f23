// The page's mouse and keys. The pointer is followed over the whole page and
// mapped through the canvas's CSS box when the game reads it, so it clamps
// to the picture's edge like the desktop cursor; a button pressed on the game
// area and let go anywhere is let go. Keys reach the game only while its
// area has the focus.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

#include "base/host.h"
#include "base/virtual_keys.h"
#include "platform/common/canvas_point.h"
#include "platform/web/web_host.h"
#include "platform/web/web_page.h"

namespace {

constexpr unsigned short kLeftButton = 0;       // MouseEvent.button
constexpr unsigned short kLeftButtonBit = 1;    // MouseEvent.buttons

// The canvas's box in CSS pixels of the page: left, top, width, height.
EM_JS(void, readCanvasBox, (const char* selector, double* box), {
    const canvas = document.querySelector(UTF8ToString(selector));
    const r = canvas ? canvas.getBoundingClientRect() : { left: 0, top: 0, width: 0, height: 0 };
    HEAPF64[box >> 3] = r.left;
    HEAPF64[(box >> 3) + 1] = r.top;
    HEAPF64[(box >> 3) + 2] = r.width;
    HEAPF64[(box >> 3) + 3] = r.height;
});

EM_JS(void, focusElement, (const char* selector), {
    const element = document.querySelector(UTF8ToString(selector));
    if (element && document.activeElement !== element) element.focus({ preventScroll: true });
});

EM_JS(void, toggleFullScreen, (), {
    if (Module["toggleFullScreen"]) Module["toggleFullScreen"]();
});

bool liveInput() { return webHost.open && !webHost.scripted; }

void notePointer(const EmscriptenMouseEvent& event) {
    webHost.clientX = static_cast<double>(event.clientX);
    webHost.clientY = static_cast<double>(event.clientY);
    webHost.pointerSeen = true;
}

EM_BOOL onMouseMove(int, const EmscriptenMouseEvent* event, void*) {
    if (!liveInput()) return EM_FALSE;
    notePointer(*event);
    // Let go where the page never heard it (outside the browser's window).
    if (!(event->buttons & kLeftButtonBit) && webHost.input.keys[VK_LBUTTON]) inputButtonChanged(webHost.input, false);
    return EM_FALSE;
}

EM_BOOL onMouseDown(int, const EmscriptenMouseEvent* event, void*) {
    if (!liveInput()) return EM_FALSE;
    notePointer(*event);
    if (event->button != kLeftButton) return EM_FALSE;
    inputButtonChanged(webHost.input, true);
    // Not handed on, so no text gets selected or dragged; the focus that
    // would have come with it is given here.
    focusElement(kGameAreaSelector);
    return EM_TRUE;
}

EM_BOOL onMouseUp(int, const EmscriptenMouseEvent* event, void*) {
    if (!liveInput()) return EM_FALSE;
    notePointer(*event);
    if (event->button == kLeftButton) inputButtonChanged(webHost.input, false);
    return EM_FALSE;
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
    if (key == 0) return EM_FALSE;
    // In the browser's full screen, Esc is the browser's: it leaves full
    // screen and nothing else.
    if (key == VK_ESCAPE && inFullScreen()) return EM_FALSE;
    if (key != VK_ESCAPE) inputKeyChanged(webHost.input, key, true);
    // Esc ends the run at once, not at the next frame.
    if (!event->repeat && pushKeyNotice(webHost.keyNotices, key) && key == VK_ESCAPE) wakeEntry();
    return EM_TRUE;
}

EM_BOOL onKeyUp(int, const EmscriptenKeyboardEvent* event, void*) {
    if (!liveInput()) return EM_FALSE;
    const int key = virtualKeyOf(*event);
    if (key == 0 || key == VK_ESCAPE) return EM_FALSE;
    inputKeyChanged(webHost.input, key, false);
    return EM_TRUE;
}

// Keys let go after the focus left never arrive here.
EM_BOOL onGameAreaBlur(int, const EmscriptenFocusEvent*, void*) {
    inputKeyChanged(webHost.input, VK_UP, false);
    inputKeyChanged(webHost.input, VK_DOWN, false);
    return EM_FALSE;
}

}  // namespace

void registerInputEvents() {
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onMouseMove);
    emscripten_set_mousedown_callback(kGameAreaSelector, nullptr, EM_FALSE, onMouseDown);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onMouseUp);
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
    double box[4] = {};
    readCanvasBox(kCanvasSelector, box);
    return canvasPointToPicture(webHost.clientX - box[0], webHost.clientY - box[1], box[2], box[3]);
}

void hostKeyboardState(uint8_t keyState[256]) {
    if (webHost.scripted) {
        std::memcpy(keyState, webHost.script.keys, 256);
        return;
    }
    inputReadKeyState(webHost.input, keyState);
}
