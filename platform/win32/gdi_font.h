#pragma once
// The fonts the text is drawn with: the face chosen once among the installed
// Shift-JIS faces, one font per cell height, all kept for the whole run.
#include <windows.h>

#include <cstdint>

// The font for cell height `height`, made on its first use; null when GDI
// cannot make it.
HFONT textFontFor(int32_t height);
