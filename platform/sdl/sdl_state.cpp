#include "platform/sdl/sdl_state.h"

SdlState sdl;
