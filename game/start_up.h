#pragma once
#include <cstdint>

// The start of a run, in two halves so that a host that cannot block can
// show the fade one step per call:
// beginStartUp: the sprite tables, the display taken and its objects made,
// the pictures loaded. 1 on success, 0 when a display object could not be
// made (what was made stays for releaseDisplay in display/display_setup.h).
int32_t beginStartUp();
// One step of the fade from black; the last one also places the first two
// flies. True once start-up is complete (later calls do nothing).
bool takeStartUpStep();

// Both halves back to back: 1 on success, 0 on failure as beginStartUp.
int32_t initDisplay();
