// What the page's tests read of a run and the one thing they set: the game
// and the run as plain values, and a fly held still under a given point so
// that a swing there is known to meet it. Neither changes how the game plays.
#include <emscripten/emscripten.h>

#include <cstdio>

#include "app/web/web_run.h"
#include "game/world.h"

namespace {

const char* stageName(WebRunStage stage) {
    switch (stage) {
        case WebRunStage::Idle: return "idle";
        case WebRunStage::Fading: return "fading";
        case WebRunStage::Playing: return "playing";
        case WebRunStage::Ended: return "ended";
        case WebRunStage::Scripted: return "scripted";
    }
    return "unknown";
}

char stateText[400];

}  // namespace

// A JSON object; good until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* nmnm_test_state() {
    const WebRunState run = webRunState();
    std::snprintf(stateText, sizeof stateText,
                  "{\"stage\":\"%s\",\"fadeSteps\":%d,\"frames\":%llu,\"timerPending\":%s,\"appActive\":%d,"
                  "\"gameState\":%d,\"killCount\":%d,\"cursorX\":%d,\"cursorY\":%d,\"frameInterval\":%d,"
                  "\"buttonDown\":%s,\"runs\":%u}",
                  stageName(run.stage), static_cast<int>(run.fadeStepsTaken),
                  static_cast<unsigned long long>(run.framesRun), run.timerPending ? "true" : "false",
                  static_cast<int>(world.appActive), static_cast<int>(world.gameState),
                  static_cast<int>(world.killCount), static_cast<int>(world.cursorPos.x),
                  static_cast<int>(world.cursorPos.y), static_cast<int>(world.frameInterval),
                  (world.keyState[0x01] & 0xF0) ? "true" : "false", static_cast<unsigned>(run.runs));
    return stateText;
}

// Fly 0 centred on (x, y), not moving until it is swatted.
extern "C" EMSCRIPTEN_KEEPALIVE void nmnm_test_hold_fly(int32_t x, int32_t y) {
    constexpr float kFlyHalf = 8.0f;
    world.flyX[0] = static_cast<float>(x) - kFlyHalf;
    world.flyY[0] = static_cast<float>(y) - kFlyHalf;
    world.flySpeed[0] = 0.0f;
}
