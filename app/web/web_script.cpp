// The page's scripted mode: the calls of a replay script (TICK X Y KEYS, read
// by the page) made one by one with the clock, the cursor and the keys taken
// from the script and not from the page, the pictures drawn on the canvas as
// in play. The canvas can then be compared with nmnm-replay's screenshots.
// Start-up takes the whole fade at once, as nmnm-replay's does.
#include <emscripten/emscripten.h>

#include <cstdint>

#include "app/web/web_run.h"
#include "base/window.h"
#include "display/bitmap_loader.h"
#include "display/display_setup.h"
#include "game/frame.h"
#include "game/start_up.h"
#include "game/world.h"
#include "platform/web/web_page.h"

namespace {

// The key letters of a script line, as the page passes them.
constexpr int32_t kScriptLeftButton = 1;
constexpr int32_t kScriptUp = 2;
constexpr int32_t kScriptDown = 4;

}  // namespace

// Instead of main: 1 once the display is set up, 0 when it could not be.
extern "C" EMSCRIPTEN_KEEPALIVE int nmnm_script_begin() {
    webUseScriptedInput();
    webMarkScripted();
    resetWorld();
    forgetPictureReports();
    if (!hostOpenWindow(releaseDisplay)) return 0;
    return initDisplay();
}

// One call of the frame with one script line's input.
extern "C" EMSCRIPTEN_KEEPALIVE void nmnm_script_call(uint32_t tick, int32_t x, int32_t y, int32_t keys) {
    webSetScriptedInput(tick, x, y, (keys & kScriptLeftButton) != 0, (keys & kScriptUp) != 0,
                        (keys & kScriptDown) != 0);
    runFrame();
}
