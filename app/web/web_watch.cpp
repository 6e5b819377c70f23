// Watching a run file on the page's canvas: the page hands over the file's
// text; a refused file is named in one line and nothing plays. The run plays
// at its recorded pace on timers; Space pauses, Right steps one frame while
// paused, Esc ends, and the page then offers a new game.
#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "app/web/web_record.h"
#include "app/web/web_run.h"
#include "base/host.h"
#include "base/virtual_keys.h"
#include "base/window.h"
#include "display/display_setup.h"
#include "game/frame.h"
#include "game/run_file.h"
#include "game/run_record.h"
#include "game/start_up.h"
#include "game/world.h"
#include "platform/web/web_page.h"

namespace {

// A longer gap in a recording (its window had lost the focus) is watched as
// this long.
constexpr double kLongestWaitMs = 1000.0;

RunFile run;
std::string text;      // the file's bytes as the page handed them
size_t next = 0;       // the line whose call is made next
uint32_t repeats = 0;  // calls of that line made so far (a line may stand for several)
uint64_t made = 0;     // calls made
uint64_t stopAt = 0;   // pause once this many calls are made (0: never)
double due = 0;        // when it is due, page time in ms
bool watching = false;
bool paused = false;
int timer = 0;

void cancelTimer() {
    if (timer) emscripten_clear_timeout(timer);
    timer = 0;
}

void finish() {
    cancelTimer();
    watching = false;
    playLiveInput();
    run = RunFile{};
    webEndWatch();
}

// One call; true when its frame ran.
bool playNext() {
    const RunCall& call = run.calls[next];
    playRunCall(&call);
    const bool tickWasSet = world.lastFrameTickSet;
    const uint32_t tickBefore = world.lastFrameTick;
    runFrame();
    ++made;
    if (made == stopAt) paused = true;
    const bool ran = tickWasSet && world.lastFrameTick != tickBefore;
    if (++repeats < call.repeat) return ran;  // calls alike, back to back
    repeats = 0;
    if (++next < run.calls.size()) {
        const double gap = static_cast<double>(run.calls[next].ticks[0] - call.ticks[0]);
        due += gap < kLongestWaitMs ? gap : kLongestWaitMs;
    }
    return ran;
}

void onTimer(void*);

void tick() {
    hostHandleEvents();
    for (int32_t key = hostNextKeyDown(); key != 0; key = hostNextKeyDown()) {
        if (key == VK_ESCAPE) {
            finish();
            return;
        }
    }
    if (hostEndRequested()) {
        finish();
        return;
    }
    const double now = emscripten_get_now();
    while (!paused && next < run.calls.size() && due <= now) playNext();
    webShowPresented();
    if (paused || next >= run.calls.size()) {
        timer = emscripten_set_timeout(onTimer, 100.0, nullptr);  // still listens for Esc
        return;
    }
    timer = emscripten_set_timeout(onTimer, due - now, nullptr);
}

void onTimer(void*) {
    timer = 0;
    tick();
}

}  // namespace

// The room for a file of `size` bytes; null when the game takes no file that
// large (the page then says so without reading it).
extern "C" EMSCRIPTEN_KEEPALIVE char* nmnm_watch_bytes(uint32_t size) {
    if (size > kMaxRunFileBytes) return nullptr;
    text.assign(size, '\0');
    return text.data();
}

// Watches the file whose `size` bytes were put at nmnm_watch_bytes: 1 when it
// plays, 0 when refused (one line on stderr names the line and the fault).
extern "C" EMSCRIPTEN_KEEPALIVE int nmnm_watch_begin(uint32_t size) {
    RunFile parsed;
    std::string error;
    if (size > text.size() || size > kMaxRunFileBytes) {
        error = "the file is larger than a run file can be";
    } else if (!parseRunText(std::string_view(text.data(), size), &parsed, &error)) {
        // error says which line
    }
    if (!error.empty()) {
        std::fprintf(stderr, "nmnm: this run file cannot be watched: %s\n", error.c_str());
        return 0;
    }
    cancelTimer();
    webStopRecording();
    webBeginWatch();  // the game under way, if any, gives the canvas up
    run = std::move(parsed);
    text.clear();
    resetWorld();
    if (!hostOpenWindow(releaseDisplay) || !initDisplay()) {
        hostCloseWindow();
        finish();
        return 0;
    }
    watching = true;
    paused = false;
    next = 0;
    repeats = 0;
    made = 0;
    stopAt = 0;
    due = emscripten_get_now();
    tick();
    return 1;
}

// The page's keys while watching: 1 pauses or goes on, 2 steps one frame.
extern "C" EMSCRIPTEN_KEEPALIVE void nmnm_watch_key(int32_t key) {
    if (!watching) return;
    if (key == 1) {
        paused = !paused;
        due = emscripten_get_now();
    } else if (key == 2 && paused) {
        while (next < run.calls.size() && !playNext()) {
        }
    }
    webShowPresented();
}

// For the page's tests: plays on at once until `calls` calls are made, then pauses.
extern "C" EMSCRIPTEN_KEEPALIVE void nmnm_watch_run_to(uint32_t calls) {
    if (!watching) return;
    paused = false;
    stopAt = calls;
    while (!paused && next < run.calls.size()) playNext();
    due = emscripten_get_now();
    webShowPresented();
}

// A JSON object for the page: whether a run is watched, how far, paused.
extern "C" EMSCRIPTEN_KEEPALIVE const char* nmnm_watch_state() {
    static char line[160];
    std::snprintf(line, sizeof line, "{\"watching\":%s,\"calls\":%llu,\"made\":%llu,\"paused\":%s}",
                  watching ? "true" : "false", static_cast<unsigned long long>(run.callCount),
                  static_cast<unsigned long long>(made), paused ? "true" : "false");
    return line;
}
