// Every run in the page is recorded, as on the desktop: the text is handed
// to the page's script as it is written (at least once a second), which keeps
// the last run in the page's storage and offers it as a file.
#include <emscripten/emscripten.h>

#include "app/web/web_record.h"
#include "game/run_record.h"

namespace {

// clang-format off
EM_JS(void, tellPageRunText, (const char* bytes, size_t size, int32_t fresh), {
    if (Module.onRunText) Module.onRunText(UTF8ToString(bytes, size), fresh !== 0);
});
// clang-format on

bool fresh = false;  // the next text starts a new run

bool toPage(const char* bytes, size_t size, void*) {
    tellPageRunText(bytes, size, fresh ? 1 : 0);
    fresh = false;
    return true;
}

}  // namespace

void webStartRecording() {
    webStopRecording();
    fresh = true;
    startRunRecording(RunHeader{true, kRunFormatVersion, NMNM_VERSION, "web"}, toPage, nullptr);
}

void webStopRecording() {
    if (runRecordingOn()) stopRunRecording();
}
