#pragma once
// The game's window, as the program's entry and pump see it. No SDL type shows
// here: the SDL headers stay inside platform/sdl.
#include <cstdint>

// Starts SDL video and makes the borderless, desktop-full-screen window with
// its renderer, cursor hidden. On failure prints one line on stderr naming the
// problem and its fix, cleans up, and returns false.
bool openGameWindow();
// Shows the cursor again and gives every SDL resource back.
void closeGameWindow();

// Handles every event already waiting. False once the game should end (Esc,
// window closed, SIGINT, SIGTERM).
bool handleWaitingEvents();
// Whether an event waits, without taking it.
bool eventWaiting();
// Blocks until one event arrives (timeoutMs < 0: no limit) and handles it;
// false once the game should end.
bool waitForEvent(int32_t timeoutMs);
// The window has the input focus and is not minimised.
bool windowActive();
