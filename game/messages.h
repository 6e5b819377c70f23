#pragma once
#include <cstdint>

// Draws the screen messages of a phase (title, announcement, start, result's
// failure, stage clear) onto the back buffer; play has none.
void drawPhaseMessages(uint8_t phase);
