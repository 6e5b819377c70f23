#pragma once
// Sprites written as text grids: a colour legend maps each character to a
// palette ramp step (or clear, white, red, blue), then numbered frames of rows.
//
//   colours
//     .  clear
//     k  steel 3
//   end
//   frame 0
//   ..kk..
//
#include <map>
#include <string>

#include "tools/artgen/indexed_image.h"

struct SpriteText {
    std::map<int, IndexedImage> frames;
};

// Reads a sprite file; every frame must be `width` x `height`. On failure
// returns false with a one-line reason (file and line) in `error`.
bool loadSpriteText(const std::string& path, int32_t width, int32_t height, SpriteText* out, std::string* error);
