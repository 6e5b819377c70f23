#include <SDL.h>

#include "platform/host.h"
#include "platform/picture_fit.h"
#include "platform/sdl/sdl_state.h"

Point hostCursorPos() {
    int width = 0;
    int height = 0;
    if (sdl.window) SDL_GetWindowSize(sdl.window, &width, &height);
    return mapToPicture(sdl.cursorInWindow, width, height);
}

void hostKeyboardState(uint8_t keyState[256]) { inputReadKeyState(sdl.input, keyState); }
