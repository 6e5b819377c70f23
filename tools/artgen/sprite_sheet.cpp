#include <cstdint>

#include "tools/artgen/art.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/sprite_text.h"

namespace {

void paste(IndexedImage* sheet, const IndexedImage& picture, int32_t left, int32_t top) {
    for (int32_t y = 0; y < picture.height; ++y)
        for (int32_t x = 0; x < picture.width; ++x) sheet->set(left + x, top + y, picture.at(x, y));
}

// One status-bar strip: the same column repeated across its width, lit from
// above, so that a bar cut to any length keeps its look.
void paintStrip(IndexedImage* sheet, int32_t top, int32_t rows, int32_t width, Ramp ramp) {
    static constexpr double kEight[] = {0.78, 0.96, 0.86, 0.72, 0.64, 0.56, 0.46, 0.30};
    static constexpr double kSeven[] = {0.80, 0.96, 0.80, 0.68, 0.58, 0.46, 0.30};
    const int steps = rampInfo(ramp).steps;
    for (int32_t r = 0; r < rows; ++r) {
        const double level = rows == 8 ? kEight[r] : kSeven[r];
        const uint8_t index = rampIndex(ramp, static_cast<int>(level * static_cast<double>(steps - 1) + 0.5));
        for (int32_t x = 0; x < width; ++x) sheet->set(x, top + r, index);
    }
}

}  // namespace

bool buildSpriteSheet(const std::string& assetsDir, IndexedImage* sheet, std::string* error) {
    SpriteText flies, swatters;
    if (!loadSpriteText(assetsDir + "/sprites/fly.txt", 16, 16, &flies, error)) return false;
    if (!loadSpriteText(assetsDir + "/sprites/swatter.txt", 32, 32, &swatters, error)) return false;
    for (int i = 0; i < 2; ++i) {
        if (!flies.frames.count(i)) {
            *error = assetsDir + "/sprites/fly.txt: frame " + std::to_string(i) + " is missing";
            return false;
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (!swatters.frames.count(i)) {
            *error = assetsDir + "/sprites/swatter.txt: frame " + std::to_string(i) + " is missing";
            return false;
        }
    }

    IndexedImage out(256, 96, kClear);
    // Four bars of clearly different colour; the kill bar is drawn over the
    // best bar, so those two differ most.
    paintStrip(&out, 0, 8, 256, Ramp::Leaf);    // border line
    paintStrip(&out, 8, 7, 256, Ramp::Melon);   // kills
    paintStrip(&out, 15, 8, 192, Ramp::Ice);    // gauge, the light-blue one
    paintStrip(&out, 23, 7, 256, Ramp::Amber);  // best
    for (int i = 0; i < 2; ++i) paste(&out, flies.frames[i], 16 * i, 32);
    for (int i = 0; i < 3; ++i) paste(&out, swatters.frames[i], 32 + 32 * i, 32);
    for (int i = 0; i < 8; ++i) paste(&out, paintSplat(i), 32 * i, 64);
    *sheet = std::move(out);
    return true;
}
