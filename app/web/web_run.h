#pragma once
// The state of the browser's run, for the page's probe (web_probe.cpp).
#include <cstdint>

enum class WebRunStage : uint8_t { Idle, Fading, Playing, Ended, Scripted };

struct WebRunState {
    WebRunStage stage;
    int32_t fadeStepsTaken;
    uint64_t framesRun;  // pump steps whose frame passed the gate
    bool timerPending;
    uint32_t runs;  // runs started since the page loaded
};

WebRunState webRunState();

// The run is the page's scripted mode: time and input come from a script.
void webMarkScripted();

// Ends the run under way, if any, and starts a fresh one (not in the
// scripted mode).
void webRestartRun();

// A watched run takes the canvas from the game under way, and gives it back
// ended (the page offers a new game).
void webBeginWatch();
void webEndWatch();
