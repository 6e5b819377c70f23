#pragma once
// What SDL does not tell about an X11 display: whether a window manager runs,
// and whether the game's window was destroyed by another program. Does
// nothing on other video drivers.
#include <SDL.h>

// A window manager that follows the desktop conventions is running.
bool windowManagerRunning(SDL_Window* window);

// Puts the game's X error handler first, before SDL starts and puts its own
// in front of it; SDL passes errors on to it and puts it back when it ends.
void takeXErrors();

// From now on, the window being destroyed by someone else (xdotool
// windowclose, a bare XDestroyWindow) sets sdlHost.windowGone and asks the
// game to end, instead of the X error that would otherwise end it with code 1.
void watchForWindowDestroyed(SDL_Window* window);
// Looks at one SDL_SYSWMEVENT for the window's destruction.
void noteWindowSystemEvent(const SDL_Event& event);
