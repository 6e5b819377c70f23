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
// The fade from black takes kFadeInSteps palette steps; step 0 shows all
// black, the last step the loaded colours. A host that cannot block takes
// them one call at a time; everyone else back to back.
constexpr int32_t kFadeInSteps = 256;
void fadeInStep(int32_t step);
// Releases exactly the display objects that exist, in the fixed order.
void releaseDisplay();
