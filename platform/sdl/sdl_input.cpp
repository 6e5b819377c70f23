#include <SDL.h>

#include "base/host.h"
#include "platform/common/picture_fit.h"
#include "platform/sdl/sdl_state.h"

// Milliseconds since SDL started, wrapping at 2^32 like the tick count the
// game's frame gate was written against.
uint32_t hostTickCount() { return static_cast<uint32_t>(SDL_GetTicks64()); }

Point hostCursorPos() {
    int width = 0;
    int height = 0;
    if (sdlHost.window) SDL_GetWindowSize(sdlHost.window, &width, &height);
    return mapToPicture(sdlHost.cursorInWindow, width, height);
}

void hostKeyboardState(uint8_t keyState[256]) { inputReadKeyState(sdlHost.input, keyState); }
