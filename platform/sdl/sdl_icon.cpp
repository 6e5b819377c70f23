#include <SDL.h>

#include "platform/sdl/window_icon.h"

void setWindowIcon(SDL_Window* window) {
    // SDL copies the pixels, so the surface may wrap the constant table.
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(kWindowIconRgba), kWindowIconSide,
                                                           kWindowIconSide, 32, kWindowIconSide * 4,
                                                           SDL_PIXELFORMAT_RGBA32);
    if (!icon) return;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}
