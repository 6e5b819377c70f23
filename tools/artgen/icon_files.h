#pragma once
// Writes the icon files: a PNG per installed size, the Windows program's
// icon file with the same pixels at the same sizes, and the C++ source that
// builds the window's icon into the Linux program.
#include <array>
#include <string>

#include "tools/artgen/indexed_image.h"
#include "tools/artgen/palette.h"

// Writes `folder`/nmnm-N.png for every installed and web size N,
// `folder`/nmnm.ico and `folder`/window_icon.cpp. False with a one-line
// reason naming the file.
bool writeIconFiles(const IndexedImage& sheet, const std::array<Rgb, 256>& colours, const std::string& folder,
                    std::string* error);
