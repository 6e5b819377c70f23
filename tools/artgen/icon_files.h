#pragma once
// Writes the icon files: a PNG per installed size and the C++ source that
// builds the window's icon into the program.
#include <array>
#include <string>

#include "tools/artgen/indexed_image.h"
#include "tools/artgen/palette.h"

// Writes `folder`/nmnm-N.png for every installed and web size N and
// `folder`/window_icon.cpp. False with a one-line reason naming the file.
bool writeIconFiles(const IndexedImage& sheet, const std::array<Rgb, 256>& colours, const std::string& folder,
                    std::string* error);
