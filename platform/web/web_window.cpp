// The page as the game's window: it opens at once (the canvas is already
// there), and the game is active while the page can be seen and has the
// focus. Inactive means no frames and no timers: the entry is woken when the
// page comes back instead of polling for it.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "base/host.h"
#include "base/window.h"
#include "platform/web/web_host.h"
#include "platform/web/web_page.h"

WebHost webHost;

namespace {

bool eventsRegistered = false;

// clang-format off
EM_JS(int, pageHasFocus, (), { return document.hasFocus() ? 1 : 0; });
// clang-format on

EM_BOOL onVisibilityChange(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    webHost.visible = !event->hidden;
    updateActive();
    return EM_FALSE;
}

EM_BOOL onWindowFocus(int eventType, const EmscriptenFocusEvent*, void*) {
    webHost.focused = eventType == EMSCRIPTEN_EVENT_FOCUS;
    updateActive();
    return EM_FALSE;
}

void registerWindowEvents() {
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, onVisibilityChange);
    emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onWindowFocus);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onWindowFocus);
}

}  // namespace

bool refreshActive() {
    const bool active = webHost.open && webHost.visible && webHost.focused;
    if (active == webHost.active) return false;
    webHost.active = active;
    // Nothing stays held while the game cannot see it being let go.
    if (!active) inputReleaseAll(webHost.input);
    webTellPage(active ? "active" : "inactive");
    return true;
}

void updateActive() {
    if (refreshActive()) wakeEntry();
}

void wakeEntry() {
    if (webHost.open && webHost.wake) webHost.wake();
}

void webSetWakeCallback(void (*wake)()) { webHost.wake = wake; }

// clang-format off
EM_JS(void, tellPage, (const char* state), {
    if (Module["onHostState"]) Module["onHostState"](UTF8ToString(state));
});
// clang-format on

void webTellPage(const char* state) { tellPage(state); }

bool hostOpenWindow(void (*onDestroyed)()) {
    if (!eventsRegistered) {
        registerWindowEvents();
        registerInputEvents();
        followGameArea();
        eventsRegistered = true;
    }
    EmscriptenVisibilityChangeEvent visibility;
    webHost.visible = emscripten_get_visibility_status(&visibility) != EMSCRIPTEN_RESULT_SUCCESS || !visibility.hidden;
    webHost.focused = pageHasFocus() != 0;
    webHost.onDestroyed = onDestroyed;
    webHost.input = InputState{};
    webHost.active = false;
    webHost.open = true;
    refreshActive();
    return true;
}

void hostCloseWindow() {
    if (!webHost.open) return;
    webHost.open = false;
    if (webHost.onDestroyed) webHost.onDestroyed();
    webHost.onDestroyed = nullptr;
    clearPresentation();
    refreshActive();
}

// Events are handled as the page delivers them, before any step runs.
void hostHandleEvents() {}

// Never called in a browser, which cannot block; nothing to wait for.
void hostWaitForEvent(int32_t) {}

bool hostWindowActive() { return webHost.scripted || webHost.active; }

int32_t hostNextKeyDown() { return inputNextKeyDown(webHost.input); }

// A page is never closed under a running game: leaving it ends everything.
bool hostEndRequested() { return false; }

// The canvas is the display: it exists once the window is open, in the one
// mode the game asks for.
bool hostOpenDisplay() { return webHost.open; }

bool hostSetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel) {
    return width == kScreenWidth && height == kScreenHeight && bitsPerPixel == 8;
}
