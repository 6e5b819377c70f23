#pragma once
// The two pictures of the game, painted from the sources under assets/.
#include <string>

#include "tools/artgen/indexed_image.h"

// The 256 x 96 sprite sheet: status-bar strips, flies, swatter and splats.
// False with a one-line reason when a sprite source cannot be read.
bool buildSpriteSheet(const std::string& assetsDir, IndexedImage* sheet, std::string* error);
// The 32 x 32 splat picture `frame` (0..7): bursts over frames 1..3, then fades.
IndexedImage paintSplat(int frame);
// The 640 x 480 background: the table scene above, the status panel below.
IndexedImage buildBackground();
// Draws the status panel (labels and bar troughs) into rows 448..479.
void paintStatusPanel(IndexedImage* picture);
