// Text in the browser build: the glyphs the Linux build rendered with
// FreeType (tools/text_bake), compiled in, so the page needs no font and
// draws the very pixels the Linux game draws.
#include "base/text_raster.h"
#include "platform/common/baked_line.h"

bool rasterizeTextLine(const char* text, size_t length, int32_t height, TextMask* out) {
    return rasterizeBakedLine(kBakedFont, text, length, height, out);
}
