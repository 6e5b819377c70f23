#pragma once
// The one bitmap reader of the tools and tests. It reads through the game's
// own layout parser, so a tool takes a picture exactly as the game would.
#include <string>

#include "tools/common/bmp_picture.h"

// Any 8-bit picture the game loads. False with a one-line reason naming the
// file when the game would refuse it, and also when it is cut short: the game
// would show the missing rows in colour 0, but a tool must not build on them.
bool readBmpFile(const std::string& path, BmpPicture* out, std::string* reason);
