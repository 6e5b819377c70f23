#pragma once
#include <cstdint>

// The start of a run: the sprite tables, the display taken and its objects
// made, the pictures loaded, the fade from black, the first two flies. 1 on
// success, 0 when a display object could not be made (what was made stays for
// releaseDisplay in display/display_setup.h).
int32_t initDisplay();
