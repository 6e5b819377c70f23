#pragma once
// The window's icon: the pixels come from a source file that nmnm-artgen
// makes from the sprite sheet at build time.
#include <cstdint>

struct SDL_Window;

constexpr int kWindowIconSide = 64;
// Rows top to bottom, four bytes a pixel: red, green, blue, alpha.
extern const uint8_t kWindowIconRgba[kWindowIconSide * kWindowIconSide * 4];

// Gives the window the game's icon; where the desktop shows no icons this
// changes nothing.
void setWindowIcon(SDL_Window* window);
