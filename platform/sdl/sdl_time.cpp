#include <SDL.h>

#include "platform/host.h"

// Milliseconds since SDL started, wrapping at 2^32 like the tick count the
// game's frame gate was written against.
uint32_t hostTickCount() { return static_cast<uint32_t>(SDL_GetTicks64()); }
