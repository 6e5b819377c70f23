#pragma once
// The run of a desktop program, the same on every desktop: the window, the
// start-up, then the one pump until the run ends.

enum class GameStart { Running, NoWindow, NoDisplay };

// What a failed display setup tells the player.
constexpr const char* kNoDisplayReason =
    "could not set up the 640 x 480 picture; close other programs to free memory and start the game again";

// Opens the window and sets up the display, the fade from black included.
// On failure one line on stderr says why (the host's own for the window,
// kNoDisplayReason for the display) and nothing stays open.
GameStart startGame();
// Runs the pump, sleeping in the window's own wait between frames, until the
// run ends (Esc, the window closed or destroyed); the window is then closed
// and the display given back. The program's exit code: 0.
int pumpUntilEnd();
