#pragma once
// Taking the screen and giving it back. Each step exists once here; the game's
// start-up (game/start_up.h), the tests and the tools all go through it.
#include <cstdint>

// Makes the display objects in their fixed order: the device, the 640 x 480
// mode, the flipping chain, the background and sprite surfaces and the
// all-black palette shown on the primary surface, then gives the four
// surfaces colour key 0. 1 on success; 0 at the first failed step, leaving
// what was made in displayObjects for releaseDisplay.
int32_t createDisplayObjects();
// Loads "hk.bmp" into the background surface and both buffers of the chain,
// then "pt.bmp" into the sprite surface. A picture that fails does not stop
// the game.
void loadPictures();
// Brings the colours up from black in 256 steps.
void fadeIn();
// Releases exactly the display objects that exist, in the fixed order.
void releaseDisplay();
