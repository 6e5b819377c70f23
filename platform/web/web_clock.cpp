#include <emscripten/emscripten.h>

#include "base/host.h"
#include "platform/web/tick_count.h"
#include "platform/web/web_host.h"

// The page's clock, performance.now(): milliseconds since the page was
// opened, never set back; in the scripted mode, the script's reading.
uint32_t hostTickCount() {
    if (webHost.scripted) return webHost.script.tick;
    return tickCountOf(emscripten_get_now());
}
