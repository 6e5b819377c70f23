#pragma once
// A built-in player: the attract mode and the soak driver. It looks at the
// world before each call and decides that call's clock, cursor and button.
// Everything it does follows from the world and its own state, so a run is
// the same every time.
#include <cstdint>

#include "game/run_file.h"
#include "game/world.h"

struct AutoplayPlayer {
    uint32_t tick = 1000;  // the clock of the next call
    bool started = false;  // the first call has been made
    int32_t x = 320;       // where the hand is
    int32_t y = 240;
    bool buttonDown = false;  // the button was down in the last call
    int32_t titleCalls = 0;   // calls spent on the title screen so far
    uint32_t jitter = 12345;  // the player's own unsteadiness, not the game's dice
};

// The input of the next call. The clock moves on by the world's frameInterval
// from one call to the next, so every call but the first passes the frame gate.
RunCall autoplayNext(AutoplayPlayer& player, const GameWorld& w);
