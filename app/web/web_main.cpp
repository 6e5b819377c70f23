// nmnm in a browser. The page's canvas is the window (platform/web), and
// nothing may block: the fade from black is taken a few steps per timer
// tick, spread over about the time the desktop window takes, then the pump
// takes one step per timer, each timer set for the time the step asks
// (30 ms at start), not rounded to the display's refresh. While the game is
// inactive no timer runs at all; the host wakes the entry when the page can
// be seen and has the focus again. Esc ends the run; the page then offers a
// new one, which starts from the start values as a new start of the program.
#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>

#include <algorithm>
#include <cstdio>

#include "app/web/web_fade_ramp.h"
#include "app/web/web_record.h"
#include "app/web/web_run.h"
#include "base/window.h"
#include "display/bitmap_loader.h"
#include "display/display_setup.h"
#include "game/pump.h"
#include "game/start_up.h"
#include "game/world.h"
#include "platform/web/web_page.h"

namespace {

// The fade's timer; a longer gap (a throttled timer, a pause) counts as
// kFadeLongestTickMs, so the ramp goes on from where it stood.
constexpr double kFadeTickMs = 16.0;
constexpr double kFadeLongestTickMs = 50.0;

WebRunStage stage = WebRunStage::Idle;
int timer = 0;  // the pending timer's id; 0 when none
bool stepping = false;
int32_t fadeStepsTaken = 0;
double fadeElapsedMs = 0;
double fadeLastMs = 0;
uint64_t framesRun = 0;
uint32_t runsStarted = 0;
int32_t shownScreen = -1;  // what the page was last told: 1 the title, 0 play

void tellScreen() {
    const int32_t onTitle = world.gameState == 0 ? 1 : 0;
    if (onTitle == shownScreen) return;
    shownScreen = onTitle;
    webTellPage(onTitle ? "title" : "game");
}

void step();

void onTimer(void*) {
    timer = 0;
    step();
}

void cancelTimer() {
    if (timer) emscripten_clear_timeout(timer);
    timer = 0;
}

void setTimer(double ms) {
    cancelTimer();
    timer = emscripten_set_timeout(onTimer, ms, nullptr);
}

void endRun() {
    cancelTimer();
    stage = WebRunStage::Ended;
    webStopRecording();
    hostCloseWindow();  // gives the display back
    webTellPage("ended");
}

void fadeStep() {
    const double now = emscripten_get_now();
    const double gap = std::clamp(now - fadeLastMs, 0.0, kFadeLongestTickMs);
    fadeLastMs = now;
    // Inactive: no timer until the host wakes the entry.
    if (!hostWindowActive()) return;
    fadeElapsedMs += gap;
    const int32_t due = fadeStepsDue(fadeElapsedMs);
    bool done = false;
    while (fadeStepsTaken < due && !done) {
        done = takeStartUpStep();
        ++fadeStepsTaken;
    }
    if (!done) {
        setTimer(kFadeTickMs);
        return;
    }
    stage = WebRunStage::Playing;
    webTellPage("playing");
    tellScreen();
    setTimer(0);
}

void pumpOnce() {
    const bool started = world.lastFrameTickSet;
    const uint32_t lastTick = world.lastFrameTick;
    const PumpStep next = pumpStep();
    if (started && world.lastFrameTick != lastTick) ++framesRun;
    tellScreen();
    switch (next.next) {
        case PumpNext::RunAfter: setTimer(next.ms); break;
        case PumpNext::WaitForEvent: break;  // woken by the host
        case PumpNext::End: endRun(); break;
    }
}

void step() {
    stepping = true;
    if (stage == WebRunStage::Fading) fadeStep();
    else if (stage == WebRunStage::Playing) pumpOnce();
    webShowPresented();
    stepping = false;
}

// The host's wake: the game became active or inactive, or Esc was pressed.
void wake() {
    if (stepping) return;  // the step under way sees it
    if (stage != WebRunStage::Fading && stage != WebRunStage::Playing) return;
    cancelTimer();
    step();
}

void startRun() {
    // Every value of a run back to its start, as a new start of the program.
    resetWorld();
    forgetPictureReports();
    fadeStepsTaken = 0;
    fadeElapsedMs = 0;
    framesRun = 0;
    shownScreen = -1;
    ++runsStarted;
    if (!hostOpenWindow(releaseDisplay)) {
        stage = WebRunStage::Ended;
        webTellPage("failed");
        return;
    }
    if (!beginStartUp()) {
        std::fprintf(stderr,
                     "nmnm: could not set up the 640 x 480 picture; close other tabs to free memory and "
                     "reload the page\n");
        stage = WebRunStage::Ended;
        hostCloseWindow();
        webTellPage("failed");
        return;
    }
    stage = WebRunStage::Fading;
    webStartRecording();
    webTellPage("fading");
    fadeLastMs = emscripten_get_now();
    step();
}

}  // namespace

WebRunState webRunState() { return WebRunState{stage, fadeStepsTaken, framesRun, timer != 0, runsStarted}; }

// The page's "play again" once a run has ended.
extern "C" EMSCRIPTEN_KEEPALIVE void nmnm_play_again() {
    if (stage == WebRunStage::Ended) startRun();
}

// A fresh run, whatever the one under way was doing: the player's own
// pictures (web_own_pictures.cpp) take effect from the start, as on a new
// start of the program.
void webRestartRun() {
    if (stage == WebRunStage::Scripted || stage == WebRunStage::Idle) return;
    cancelTimer();
    hostCloseWindow();  // gives the display back; nothing of the run stays
    startRun();
}

// The page's scripted mode (app/web_script.cpp) runs instead of main.
void webMarkScripted() { stage = WebRunStage::Scripted; }

// A watched run (app/web/web_watch.cpp) takes the canvas; when it ends the
// page offers a new game.
void webBeginWatch() {
    cancelTimer();
    hostCloseWindow();
    stage = WebRunStage::Scripted;
}

void webEndWatch() {
    hostCloseWindow();
    stage = WebRunStage::Ended;
    webTellPage("ended");
}

int main() {
    // For tools/bench/web.js: how much of the time to the first picture is
    // loading and how much is start-up.
    EM_ASM(performance.mark("nmnm-main"));
    webSetWakeCallback(wake);
    startRun();
    return 0;
}
