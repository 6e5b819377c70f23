#pragma once
// What the SDL host keeps between calls. Shared by the files of platform/sdl
// only.
#include <SDL.h>

#include "base/geometry.h"
#include "platform/common/input_state.h"

// The window, its presentation and the input read from its events.
struct SdlState {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;  // the 640 x 480 picture as last presented
    bool pictureShown = false;       // the texture holds a picture worth redrawing
    bool fullScreen = true;
    bool windowManager = false;  // full screen is asked of it; without one the window is simply placed
    bool active = false;
    bool quitRequested = false;
    bool windowGone = false;  // destroyed by another program: draw nothing more
    bool pointerInWindow = false;
    bool cursorHidden = false;
    Point cursorInWindow = {0, 0};
    InputState input;
    void (*onDestroyed)() = nullptr;  // the game's destruction handling
};

extern SdlState sdlHost;

// Presentation (sdl_present.cpp).
bool createPresentation();  // renderer and texture for sdlHost.window
void destroyPresentation();
void redrawPicture();  // the last picture again, e.g. after a resize

// Window (sdl_window.cpp).
void toggleFullScreen();
// Confines the pointer only while playing in full screen, and hides it only
// while playing with it over the picture.
void updatePointer();
