#pragma once
// What the browser's program entry (app/web/web_main.cpp) needs of the web host
// beyond base/window.h and base/host.h.
#include <cstdint>

// Called when the pump must take a step now instead of at its timer: the
// game became active or inactive, or a key-down notice arrived. Never called
// from inside a host call.
void webSetWakeCallback(void (*wake)());

// From now on time and input come from webSetScriptedInput, not from the
// page's clock and events (the page's scripted mode); the picture is still
// drawn on the canvas.
void webUseScriptedInput();
// What the clock, the cursor and the keys read until the next call.
void webSetScriptedInput(uint32_t tick, int32_t x, int32_t y, bool leftButton, bool up, bool down);

// Draws on the canvas what this call presented, in one call into the page;
// nothing when nothing was. The entry calls it when a step or a scripted
// call returns, so that the presents of one (the fade takes several) cost
// one drawing.
void webShowPresented();

// Tells the page's script a state of the run: "fading", "playing", "ended",
// "failed". The page shows its overlays from these.
void webTellPage(const char* state);
