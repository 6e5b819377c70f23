#pragma once
// The text seam: one line of code page 932 text drawn by the platform's own
// text output into a mask. FreeType with fontconfig on Linux, GDI on Windows;
// the outline and the colours are the display's business.
#include <cstddef>
#include <cstdint>

// `rows` rows of `width` bytes, `pitch` bytes apart; non-zero is ink. The
// mask's top-left pixel lands at (x + left, y + top) for text drawn at (x, y).
struct TextMask {
    const uint8_t* bits;
    int32_t width;
    int32_t rows;
    int32_t pitch;
    int32_t left;
    int32_t top;
};

// Draws `length` bytes of `text` at character cell height `height`. False
// (and an empty mask) when nothing can be drawn: no font, a height of zero,
// an empty line. The mask is owned by the service and good until the next
// call; once the service is warm, no call allocates.
bool rasterizeTextLine(const char* text, size_t length, int32_t height, TextMask* out);
