#pragma once
// The one pump step every program entry uses: handle what the window has
// waiting, run a frame while the game is active, and say when to come back.
#include <cstdint>

enum class PumpNext : uint8_t {
    RunAfter,      // call pumpStep again after `ms` milliseconds, or at once on an event
    WaitForEvent,  // inactive: nothing to do until the window sends an event
    End,           // the run is over: close the window and exit with 0
};

struct PumpStep {
    PumpNext next;
    uint32_t ms;  // for RunAfter only
};

PumpStep pumpStep();
