#pragma once
// What the game and its display device need from the machine they run on.
// Each build links exactly one implementation: platform/sdl (the real window)
// or platform/headless (scripted time and input, for tests and tools).
#include <cstdint>

#include "display/device.h"
#include "display/rect.h"

// Virtual-key codes of the keys the game reads from the key state.
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_UP = 0x26;
constexpr int VK_DOWN = 0x28;

// Display: taking the screen, its mode, showing a picture, giving it back.
bool hostOpenDisplay();
bool hostSetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel);
// Shows `primary` through `palette`; called after every flip and every change
// of the colours of the palette attached to the primary surface.
void hostPresent(const Surface& primary, const Palette& palette);
void hostCloseDisplay();

// Time and input, as of the events handled so far.
uint32_t hostTickCount();  // milliseconds, wraps at 2^32
Point hostCursorPos();     // in pixels of the 640 x 480 picture
// One byte per virtual-key code; a key is down when (byte & 0xF0) != 0.
void hostKeyboardState(uint8_t keyState[256]);
