// The page's scripted mode: the calls of a run file or replay script, read by
// the game's own reader (game/run_file.h), made one by one with the clock,
// the cursor and the keys taken from the file and not from the page, the
// pictures drawn on the canvas as in play. The canvas can then be compared
// with nmnm-replay's screenshots. Start-up takes the whole fade at once, as
// nmnm-replay's does.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/web/web_run.h"
#include "base/window.h"
#include "display/bitmap_loader.h"
#include "display/display_setup.h"
#include "game/frame.h"
#include "game/run_file.h"
#include "game/run_record.h"
#include "game/start_up.h"
#include "game/world.h"
#include "platform/web/web_page.h"

namespace {

std::vector<char> scriptBytes;
RunFile script;
std::string scriptError;

}  // namespace

// Room for the file's bytes, which the page copies in; null when no run file
// may be that large.
extern "C" EMSCRIPTEN_KEEPALIVE char* nmnm_script_bytes(double size) {
    if (!(size >= 0 && size <= static_cast<double>(kMaxRunFileBytes))) return nullptr;
    scriptBytes.assign(static_cast<size_t>(size) + 1, 0);  // never empty: an empty file has an address too
    return scriptBytes.data();
}

// Reads the bytes handed over: "" when they are a sound file, else the
// reader's line saying what is wrong. Nothing of a refused file is kept.
extern "C" EMSCRIPTEN_KEEPALIVE const char* nmnm_script_read(double size) {
    if (!(size >= 0 && size <= static_cast<double>(scriptBytes.size()))) {
        scriptError = "the file is larger than the " + std::to_string(kMaxRunFileBytes >> 20) + " MiB a run file holds";
        script = RunFile{};
    } else {
        parseRunText(std::string_view(scriptBytes.data(), static_cast<size_t>(size)), &script, &scriptError);
    }
    scriptBytes = {};
    return scriptError.c_str();
}

// The calls the file makes, repeats counted.
extern "C" EMSCRIPTEN_KEEPALIVE double nmnm_script_calls() { return static_cast<double>(script.callCount); }

// Instead of main: 1 once the display is set up, 0 when it could not be.
extern "C" EMSCRIPTEN_KEEPALIVE int nmnm_script_begin() {
    webUseScriptedInput();
    webMarkScripted();
    resetWorld();
    forgetPictureReports();
    if (!hostOpenWindow(releaseDisplay)) return 0;
    const int ready = initDisplay();
    webShowPresented();
    return ready;
}

// Makes the file's first `count` calls, each with its own input.
extern "C" EMSCRIPTEN_KEEPALIVE void nmnm_script_play(double count) {
    for (const RunCall& call : script.calls) {
        if (!(count >= 1)) break;
        playRunCall(&call);
        for (uint32_t i = 0; i < call.repeat && count >= 1; ++i, --count) runFrame();
    }
    playLiveInput();
    webShowPresented();
}
