#pragma once
// The window, clock and input seam. The display device and the frame call
// these; each build links exactly one implementation (platform/sdl,
// platform/win32 or platform/headless), chosen per program at link time.
// Plain types only: nothing of the game or of any window system shows here.
#include <cstdint>

#include "base/geometry.h"
#include "base/palette_entry.h"

// Display: taking the screen, its mode, showing a picture, giving it back.
bool hostOpenDisplay();
bool hostSetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel);
// Shows an 8-bit picture (`height` rows of `width` indices, `pitch` bytes
// apart) through `colours`. Called after every flip and every change of the
// shown colours; the bytes are only borrowed for the call.
void hostPresent(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height, const PaletteEntry colours[256]);
void hostCloseDisplay();

// Time and input, as of the events handled so far.
uint32_t hostTickCount();  // milliseconds, wraps at 2^32
Point hostCursorPos();     // in pixels of the 640 x 480 picture
// One byte per virtual-key code; a key is down when (byte & 0xF0) != 0.
void hostKeyboardState(uint8_t keyState[256]);
