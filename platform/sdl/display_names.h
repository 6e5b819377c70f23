#pragma once
// Which display the environment names (X11's DISPLAY, WAYLAND_DISPLAY), and
// the one line that tells the player which one could not be opened.

// One of the two is set; prints the line that says neither is, otherwise.
bool displayNamed();
// Only an X display is named: SDL should not try Wayland.
bool onlyXDisplayNamed();
// SDL's fallback drivers draw nowhere: for a game, no display at all.
bool drawsNowhere(const char* driver);
// Names the display that was tried and `detail`, with the fix.
void reportNoDisplay(const char* detail);
