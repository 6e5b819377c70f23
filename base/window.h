#pragma once
// The window seam: what the one pump (game/pump.h) needs of a host's window.
// Every host implements it: platform/sdl, platform/win32, platform/web and
// platform/headless. Plain types only.
#include <cstdint>

// Opens the game's window, full screen with the pointer hidden over it. On
// failure prints one line on stderr naming the problem and its fix, gives
// back what it took and returns false. `onDestroyed` runs once when the
// window is destroyed, whatever destroys it, before the pointer is shown
// again: the game gives its display back there.
bool hostOpenWindow(void (*onDestroyed)());
// Destroys the window if it still exists (onDestroyed, pointer shown, every
// resource given back). Safe to call more than once.
void hostCloseWindow();

// Handles every event already waiting.
void hostHandleEvents();
// Blocks until an event arrives or `timeoutMs` pass (negative: no limit).
// The event, if any, is left for hostHandleEvents or handled here. A host
// that cannot block (the browser) never has this called.
void hostWaitForEvent(int32_t timeoutMs);

// The game may run frames: it has the focus and can be seen.
bool hostWindowActive();
// The virtual-key code of the next key-down notice not yet taken (repeats
// left out), 0 when none waits.
int32_t hostNextKeyDown();
// The window was closed, destroyed or the system asked the game to end.
bool hostEndRequested();
